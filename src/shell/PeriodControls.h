#pragma once
#include "records/PeriodFilter.h"
#include <QObject>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

// The rules of the period controls that the history, the sales summary page and the user sales
// window share: the week box, the month list, the year box and (where a window has them) the
// one-day box and the day box. The window makes the controls with its own captions and places;
// this object gives them their design state, limits and handlers, and reads the period back.
class PeriodControls : public QObject
{
    Q_OBJECT
public:
    struct Boxes
    {
        QCheckBox *weekBox = nullptr;
        QComboBox *monthList = nullptr; // the months, then the whole year
        QLineEdit *yearBox = nullptr;
        QCheckBox *oneDayBox = nullptr; // absent in the user sales window
        QLineEdit *dayBox = nullptr; // absent in the user sales window
    };
    // What ticking the week box does to the other controls and says.
    enum class WeekRule {
        DayMonthYear, // locks the month, year and one-day boxes, unticks the one-day box
        MonthYear, // clears the month choice and locks the month list and the year box
    };

    // The boxes get their design state: nothing ticked, no month chosen, the year box empty
    // (fillCurrentYear fills it), the day box "0" and disabled.
    PeriodControls(const Boxes &boxes, WeekRule rule, QWidget *window);

    // The thirteen items of the month list, each with its two leading blanks.
    static const QStringList &monthItems();
    // The year boxes' default: the current Gregorian year as text.
    static QString currentYear();

    // The window's load writes the current year into the year box.
    void fillCurrentYear();

    // What the week and one-day boxes' ticks do to the other controls; the boxes' toggles run
    // them.
    void applyWeekChoice();
    void applyOneDayChoice();

    // The period as the controls hold it.
    PeriodFilter filter() const;
    // Without the week box and without a month chosen: shows "กรุณาเลือก ( เดือน ) ..." (title
    // "รายงานสถานะ", warning icon) and returns true.
    bool refuseMissingMonth() const;

    const Boxes &boxes() const { return m_boxes; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void filterDayKey(int &key);
    void keepYearFilled();
    void keepDayInRange();

    Boxes m_boxes;
    WeekRule m_rule;
    QWidget *m_window;
};
