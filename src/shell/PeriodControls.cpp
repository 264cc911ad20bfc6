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
    b.Check1->setChecked(false);
    b.Combo1->setEditable(false);
    b.Combo1->clear();
    b.Combo1->addItems(monthItems());
    b.Combo1->setCurrentIndex(-1);
    b.Combo1->setMaxVisibleItems(13);
    b.Text1->setMaxLength(4);
    // Design texts are set before the change handlers listen, so the day box keeps its "0".
    if (b.Check2)
        b.Check2->setChecked(false);
    if (b.text2) {
        b.text2->setMaxLength(2);
        b.text2->setText(QStringLiteral("0"));
        b.text2->setEnabled(false);
    }

    connect(b.Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(b.Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    CharacterFilter::install(b.Text1, [this](int &k) { Text1_KeyPress(k); });
    InputBoxes::refuseRightClick(b.Text1);
    b.Text1->installEventFilter(this);
    if (b.Check2)
        connect(b.Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    if (b.text2) {
        connect(b.text2, &QLineEdit::textChanged, this, [this] { text2_Change(); });
        CharacterFilter::install(b.text2, [this](int &k) { text2_KeyPress(k); });
        InputBoxes::refuseRightClick(b.text2);
        b.text2->installEventFilter(this);
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

void PeriodControls::Form_Load()
{
    m_boxes.Text1->setText(currentYear());
}

void PeriodControls::Check1_Click()
{
    const Boxes &b = m_boxes;
    const bool week = b.Check1->isChecked();
    if (m_rule == WeekRule::MonthYear) {
        if (week)
            b.Combo1->setCurrentIndex(-1);
        b.Combo1->setEnabled(!week);
        b.Text1->setEnabled(!week);
        if (week)
            MsgBox(Msg::WeekLocksMonthYear, MsgButtons::Ok, MsgIcon::Information, Msg::StatusTitle,
                MsgResult::Ok, m_window);
        return;
    }
    b.Combo1->setEnabled(!week);
    b.Text1->setEnabled(!week);
    if (week) {
        if (b.Check2) {
            b.Check2->setEnabled(false);
            b.Check2->setChecked(false); // its own handler disables the day box
        }
        MsgBox(Msg::WeekLocksDayMonthYear, MsgButtons::Ok, MsgIcon::Information, Msg::StatusTitle,
            MsgResult::Ok, m_window);
        return;
    }
    if (b.Check2) {
        b.Check2->setChecked(false);
        b.Check2->setEnabled(true);
    }
}

void PeriodControls::Check2_Click()
{
    const Boxes &b = m_boxes;
    if (!b.Check2 || !b.text2)
        return;
    if (!b.Check2->isChecked()) {
        b.text2->setEnabled(false);
        return;
    }
    b.text2->setEnabled(true);
    MsgBox(Msg::OneDayChosen, MsgButtons::Ok, MsgIcon::Information, Msg::StatusTitle, MsgResult::Ok,
        m_window);
    b.text2->setFocus(Qt::OtherFocusReason);
    InputBoxes::selectAllText(b.text2);
}

void PeriodControls::Text1_KeyPress(int &KeyAscii)
{
    KeyAscii = KeyFilters::digitsOnly(KeyAscii);
}

void PeriodControls::Text1_Change()
{
    // Never empty when a view reads it; any other text stays as typed.
    if (trimBlanks(m_boxes.Text1->text()).isEmpty())
        m_boxes.Text1->setText(currentYear());
}

void PeriodControls::text2_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        m_boxes.Combo1->setFocus(Qt::OtherFocusReason);
        return;
    }
    KeyAscii = KeyFilters::digitsOnly(KeyAscii);
}

void PeriodControls::text2_Change()
{
    // Writing "1" runs this once more, which then leaves it alone.
    const QString t = m_boxes.text2->text();
    const double v = Val(t);
    if (trimBlanks(t).isEmpty() || v == 0 || v > 31)
        m_boxes.text2->setText(QStringLiteral("1"));
}

PeriodFilter PeriodControls::filter() const
{
    const Boxes &b = m_boxes;
    PeriodFilter f;
    f.week = b.Check1->isChecked();
    f.monthItem = b.Combo1->currentIndex();
    f.year = b.Text1->text();
    f.oneDay = b.Check2 && b.Check2->isChecked();
    f.day = b.text2 ? b.text2->text() : QString();
    return f;
}

bool PeriodControls::refuseMissingMonth() const
{
    if (m_boxes.Check1->isChecked() || m_boxes.Combo1->currentIndex() >= 0)
        return false;
    MsgBox(Msg::ChooseMonth, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok,
        m_window);
    return true;
}

bool PeriodControls::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn
        && (watched == m_boxes.Text1 || (m_boxes.text2 && watched == m_boxes.text2)))
        InputBoxes::setEnglishKeyboard();
    return QObject::eventFilter(watched, event);
}
