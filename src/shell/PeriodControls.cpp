#include "PeriodControls.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/MessageBox.h"
#include "records/Blanks.h"
#include "records/DateText.h"
#include "records/Val.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/Messages.h"
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

PeriodControls::PeriodControls(const Boxes &boxes, WeekRule rule, QWidget *window)
    : QObject(window)
    , m_boxes(boxes)
    , m_rule(rule)
    , m_window(window)
{
    Boxes &b = m_boxes;
    b.weekBox->setChecked(false);
    b.monthList->setEditable(false);
    b.monthList->clear();
    b.monthList->addItems(monthItems());
    b.monthList->setCurrentIndex(-1);
    b.monthList->setMaxVisibleItems(13);
    b.yearBox->setMaxLength(4);
    // Design texts are set before the change handlers listen, so the day box keeps its "0".
    if (b.oneDayBox)
        b.oneDayBox->setChecked(false);
    if (b.dayBox) {
        b.dayBox->setMaxLength(2);
        b.dayBox->setText(QStringLiteral("0"));
        b.dayBox->setEnabled(false);
    }

    connect(b.weekBox, &QCheckBox::toggled, this, [this] { applyWeekChoice(); });
    connect(b.yearBox, &QLineEdit::textChanged, this, [this] { keepYearFilled(); });
    KeyFilters::acceptDigits(b.yearBox);
    InputBoxes::refuseRightClick(b.yearBox);
    b.yearBox->installEventFilter(this);
    if (b.oneDayBox)
        connect(b.oneDayBox, &QCheckBox::toggled, this, [this] { applyOneDayChoice(); });
    if (b.dayBox) {
        connect(b.dayBox, &QLineEdit::textChanged, this, [this] { keepDayInRange(); });
        CharacterFilter::install(b.dayBox, [this](int &key) { filterDayKey(key); });
        InputBoxes::refuseRightClick(b.dayBox);
        b.dayBox->installEventFilter(this);
    }
}

const QStringList &PeriodControls::monthItems()
{
    static const QStringList items {
        QStringLiteral("  (01) มกราคม"),
        QStringLiteral("  (02) กุมภาพันธ์"),
        QStringLiteral("  (03) มีนาคม"),
        QStringLiteral("  (04) เมษายน"),
        QStringLiteral("  (05) พฤษภาคม"),
        QStringLiteral("  (06) มิถุนายน"),
        QStringLiteral("  (07) กรกฎาคม"),
        QStringLiteral("  (08) สิงหาคม"),
        QStringLiteral("  (09) กันยายน"),
        QStringLiteral("  (10) ตุลาคม"),
        QStringLiteral("  (11) พฤศจิกายน"),
        QStringLiteral("  (12) ธันวาคม"),
        QStringLiteral("  สรุปยอดรายปี"),
    };
    return items;
}

QString PeriodControls::currentYear()
{
    return QString::number(CurrentGregorianYear());
}

void PeriodControls::fillCurrentYear()
{
    m_boxes.yearBox->setText(currentYear());
}

void PeriodControls::applyWeekChoice()
{
    const Boxes &b = m_boxes;
    const bool week = b.weekBox->isChecked();
    if (m_rule == WeekRule::MonthYear) {
        if (week)
            b.monthList->setCurrentIndex(-1);
        b.monthList->setEnabled(!week);
        b.yearBox->setEnabled(!week);
        if (week)
            MsgBox(Msg::WeekLocksMonthYear, MsgButtons::Ok, MsgIcon::Information, Msg::StatusTitle,
                MsgResult::Ok, m_window);
        return;
    }
    b.monthList->setEnabled(!week);
    b.yearBox->setEnabled(!week);
    if (week) {
        if (b.oneDayBox) {
            b.oneDayBox->setEnabled(false);
            b.oneDayBox->setChecked(false); // its own handler disables the day box
        }
        MsgBox(Msg::WeekLocksDayMonthYear, MsgButtons::Ok, MsgIcon::Information, Msg::StatusTitle,
            MsgResult::Ok, m_window);
        return;
    }
    if (b.oneDayBox) {
        b.oneDayBox->setChecked(false);
        b.oneDayBox->setEnabled(true);
    }
}

void PeriodControls::applyOneDayChoice()
{
    const Boxes &b = m_boxes;
    if (!b.oneDayBox || !b.dayBox)
        return;
    if (!b.oneDayBox->isChecked()) {
        b.dayBox->setEnabled(false);
        return;
    }
    b.dayBox->setEnabled(true);
    MsgBox(Msg::OneDayChosen, MsgButtons::Ok, MsgIcon::Information, Msg::StatusTitle, MsgResult::Ok,
        m_window);
    b.dayBox->setFocus(Qt::OtherFocusReason);
    InputBoxes::selectAllText(b.dayBox);
}

void PeriodControls::keepYearFilled()
{
    // Never empty when a view reads it; any other text stays as typed.
    if (trimBlanks(m_boxes.yearBox->text()).isEmpty())
        m_boxes.yearBox->setText(currentYear());
}

void PeriodControls::filterDayKey(int &key)
{
    if (key == 13) {
        key = 0;
        m_boxes.monthList->setFocus(Qt::OtherFocusReason);
        return;
    }
    key = KeyFilters::digitsOnly(key);
}

void PeriodControls::keepDayInRange()
{
    // Writing "1" runs this once more, which then leaves it alone.
    const QString t = m_boxes.dayBox->text();
    const double v = Val(t);
    if (trimBlanks(t).isEmpty() || v == 0 || v > 31)
        m_boxes.dayBox->setText(QStringLiteral("1"));
}

PeriodFilter PeriodControls::filter() const
{
    const Boxes &b = m_boxes;
    PeriodFilter f;
    f.week = b.weekBox->isChecked();
    f.monthItem = b.monthList->currentIndex();
    f.year = b.yearBox->text();
    f.oneDay = b.oneDayBox && b.oneDayBox->isChecked();
    f.day = b.dayBox ? b.dayBox->text() : QString();
    return f;
}

bool PeriodControls::refuseMissingMonth() const
{
    if (m_boxes.weekBox->isChecked() || m_boxes.monthList->currentIndex() >= 0)
        return false;
    MsgBox(Msg::ChooseMonth, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok,
        m_window);
    return true;
}

bool PeriodControls::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn
        && (watched == m_boxes.yearBox || (m_boxes.dayBox && watched == m_boxes.dayBox)))
        InputBoxes::setEnglishKeyboard();
    return QObject::eventFilter(watched, event);
}
