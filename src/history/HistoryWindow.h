#pragma once
#include "platform/grid/GridRows.h"
#include "records/Codes.h"
#include <QDialog>
#include <optional>

class DataGrid;
class PeriodControls;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The movement history window ("ข้อมูลย้อนหลัง"): stock updates, sales and returns of a chosen
// type and period, optionally narrowed by a text, listed one row per movement and grouped under
// one header row per document. It only reads. The stock page opens it with showModal().
class HistoryWindow : public QDialog
{
    Q_OBJECT
public:
    HistoryWindow(); // loads

    // Makes a fresh window in its design state, runs it modally and unloads it.
    static void showModal();

    // Grid columns; 0 holds the movement's key, 3, 4, 8 and 9 are hidden.
    enum Col {
        ColPK = 0,
        ColType = 1,
        ColProduct = 2,
        ColTime = 3,
        ColDocument = 4,
        ColBefore = 5,
        ColQty = 6,
        ColAfter = 7,
        ColUser = 8,
        ColRemark = 9,
        ColCount = 10,
    };

    // Window captions after a search.
    static QString foundCaption(qint64 count);
    static const QString NotFoundCaption;
    static const QString DesignDescription; // "รายละเอียดข้อมูล : ?"

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load();
    void fitToSize();
    void searchHistory();
    void resetGrid();
    // Writes what was searched for into the description line.
    void describeSearch();
    // Groups the movements found under one header row per document (key column) and shows them.
    void showGrouped(GridRows &&rows, int keyCol);
    // Colours the header row that the grouping has put at headerRow.
    void styleHeaderRow(int headerRow);
    QString typeWord() const;
    std::optional<MovementType> chosenType() const;
    void placeDayBox();

    QGroupBox *typeFrame = nullptr;
    QRadioButton *allTypesOption = nullptr;
    QRadioButton *stockUpdatesOption = nullptr;
    QRadioButton *salesOption = nullptr;
    QRadioButton *returnsOption = nullptr;
    QCheckBox *weekCheck = nullptr;
    QComboBox *monthList = nullptr; // the month or the whole year
    QGroupBox *dayFrame = nullptr;
    QCheckBox *dayCheck = nullptr;
    QLineEdit *dayBox = nullptr;
    QGroupBox *yearFrame = nullptr;
    QLineEdit *yearBox = nullptr;
    QLineEdit *searchBox = nullptr;
    QPushButton *searchButton = nullptr;
    QFrame *descriptionBand = nullptr;
    QLabel *descriptionLabel = nullptr;
    DataGrid *historyGrid = nullptr;
    PeriodControls *m_period = nullptr;
};
