#include "UserSalesWindow.h"
#include "RankingWindow.h"
#include "UserSales.h"
#include "button/ButtonPresets.h"
#include "platform/chart/BarChart.h"
#include "platform/db/Connection.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Blanks.h"
#include "records/Currency.h"
#include "shell/Lookups.h"
#include "shell/Messages.h"
#include "shell/PeriodControls.h"
#include "shell/ShopDatabase.h"
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {
const QColor kBack(95, 158, 160), kBlue(32, 103, 200), kGrey(224, 224, 224);

QLineEdit *line(QWidget *parent, const QString &text, const QColor &back, const QColor &fore)
{
    auto *e = new QLineEdit(text, parent);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    QPalette p = e->palette();
    p.setColor(QPalette::Base, back);
    p.setColor(QPalette::Text, fore);
    e->setPalette(p);
    e->setFrame(false);
    return e;
}

QLabel *caption(QWidget *parent, const QString &text)
{
    auto *l = new QLabel(text, parent);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::white);
    l->setPalette(p);
    return l;
}

void showStatus(const QString &text, MsgIcon icon, QWidget *parent)
{
    MsgBox(text, MsgButtons::Ok, icon, Msg::StatusTitle, MsgResult::Ok, parent);
}
} // namespace

UserSalesWindow::UserSalesWindow()
{
    setObjectName(QStringLiteral("UserSalesWindow"));
    setWindowTitle(QStringLiteral("สรุปยอดการขายของผู้ใช้"));
    fillBackground(this, kBack);
    QFont base(QStringLiteral("Tahoma"));
    base.setPointSizeF(10);
    setFont(base);

    QLabel *Frame1 = caption(this, QStringLiteral("ผู้ใช้"));
    Combo2 = new QComboBox(this);
    Combo2->setEditable(false);
    Combo2->setAccessibleName(QStringLiteral("ผู้ใช้"));
    Check1 = new QCheckBox(QStringLiteral(" แสดงยอดขายของสัปดาห์นี้"), this);
    Check1->setPalette(Frame1->palette());
    QLabel *Frame3 = caption(this, QStringLiteral("เดือน"));
    Combo1 = new QComboBox(this);
    Combo1->setAccessibleName(QStringLiteral("เดือน"));
    QLabel *Frame4 = caption(this, QStringLiteral("ปี (ค.ศ.)"));
    Text1 = new QLineEdit(this);
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setAccessibleName(QStringLiteral("ปี (ค.ศ.)"));
    cmdSearch = KasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("ประมวลผล")));

    Text5 = line(this, QStringLiteral("  ข้อมูลการขายของผู้ใช่ : ?"), kBlue, Qt::white);
    Text6 = line(this, QStringLiteral(" ตำแหน่ง(ชือ) : ?"), kBlue, Qt::white);
    text3 = line(this, QStringLiteral("   ยอดขายรวม (หักส่วนลด)"), kBlue, Qt::white);
    text2 = line(this, QStringLiteral("0"), kGrey, QColor(0, 64, 0));
    text2->setToolTip(QStringLiteral(" ยอดขายทั้งหมดของผู้ใช้รายนี้หักหลังจากหักส่วนลดแล้ว "));
    Text8 = line(this, QStringLiteral("             ยอดส่วนลด"), kBlue, Qt::white);
    Text7 = line(this, QStringLiteral("0"), kGrey, QColor(128, 0, 0));
    Text7->setToolTip(QStringLiteral(" ส่วนลดที่ผู้ใช้รายนี้ให้ลูกค้า "));
    for (QLineEdit *total : { text2, Text7 }) {
        total->setAlignment(Qt::AlignCenter);
        QFont f = total->font();
        f.setBold(true);
        f.setPointSize(12);
        total->setFont(f);
    }
    text2->setAccessibleName(QStringLiteral("ยอดขายรวม (หักส่วนลด)"));
    Text7->setAccessibleName(QStringLiteral("ยอดส่วนลด"));
    text4 = line(this, QStringLiteral("  ?"), kBlue, Qt::white);

    Label1 = caption(this, QStringLiteral("กดประมวลผลเพื่อแสดงยอดสรุป"));
    QFont hint(QStringLiteral("Tahoma"));
    hint.setPointSize(36);
    hint.setBold(true);
    Label1->setFont(hint);
    Label1->setAlignment(Qt::AlignCenter);
    RMChartX1 = new BarChart(this);
    RMChartX1->hide();

    Label3 = new QLabel(QStringLiteral("รายงานสรุปยอดการขายของผู้ใช้ทุกคน"), this);
    Label3->setAutoFillBackground(true);
    QPalette band = Label3->palette();
    band.setColor(QPalette::Window, kBlue);
    band.setColor(QPalette::WindowText, Qt::white);
    Label3->setPalette(band);
    Label3->setAlignment(Qt::AlignCenter);
    kasmoButton1
        = KasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("(1) รายสัปดาห์")));
    kasmoButton2
        = KasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("(2) รายเดือน")));
    kasmoButton3
        = KasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("(3) รายปี")));

    // Design places in twips; the chart sits 2500 twips from the top.
    Twips::place(Frame1, 120, 60, 2400, 300);
    Twips::place(Combo2, 120, 360, 2400, 375);
    Twips::place(Check1, 2700, 380, 3000, 330);
    Twips::place(Frame3, 5760, 60, 2700, 300);
    Twips::place(Combo1, 5760, 360, 2700, 375);
    Twips::place(Frame4, 8580, 60, 1200, 300);
    Twips::place(Text1, 8580, 360, 1200, 375);
    Twips::place(cmdSearch, 9900, 180, 1200, 555);
    Twips::place(Label3, 11160, 60, 3600, 300);
    Twips::place(kasmoButton1, 11160, 420, 3600, 420);
    Twips::place(kasmoButton2, 11160, 900, 3600, 420);
    Twips::place(kasmoButton3, 11160, 1380, 3600, 420);
    Twips::place(Text5, 120, 960, 4980, 345);
    Twips::place(Text6, 120, 1380, 4980, 345);
    Twips::place(text3, 5220, 960, 2880, 345);
    Twips::place(text2, 5220, 1380, 2880, 465);
    Twips::place(Text8, 8220, 960, 2820, 345);
    Twips::place(Text7, 8220, 1380, 2820, 465);
    Twips::place(text4, 120, 1980, 14640, 375);
    Twips::place(Label1, 0, 2500, 14880, 7500);
    RMChartX1->move(0, Twips::toPixelsY(2500));
    resize(Twips::toPixelsX(14880), Twips::toPixelsY(10395));

    m_period = new PeriodControls(
        { Check1, Combo1, Text1, nullptr, nullptr }, PeriodControls::WeekRule::MonthYear, this);
    connect(cmdSearch, &KasmoButton::Click, this, &UserSalesWindow::cmdSearch_Click);
    connect(kasmoButton1, &KasmoButton::Click, this, &UserSalesWindow::kasmoButton1_Click);
    connect(kasmoButton2, &KasmoButton::Click, this, &UserSalesWindow::kasmoButton2_Click);
    connect(kasmoButton3, &KasmoButton::Click, this, &UserSalesWindow::kasmoButton3_Click);
    Form_Load();
}

void UserSalesWindow::showModal()
{
    QPointer<UserSalesWindow> w = WindowRegistry::instance<UserSalesWindow>();
    DialogRunner::exec(w);
}

void UserSalesWindow::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    try {
        Lookups::fillListWithPositiveKeys(
            Combo2, QStringLiteral("tblUser"), QStringLiteral("PK"), QStringLiteral("UID"));
    } catch (const DbError &e) {
        // An empty list would pass for a shop without users.
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
    Combo2->setCurrentIndex(-1);
    m_period->fillCurrentYear();
}

void UserSalesWindow::keyPressEvent(QKeyEvent *event)
{
    // The window closes by its close button; Esc is no command here.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void UserSalesWindow::Check1_Click()
{
    m_period->applyWeekChoice();
}

void UserSalesWindow::cmdSearch_Click()
{
    if (Combo2->currentIndex() < 0) {
        showStatus(
            QStringLiteral("กรุณาเลือก ( ผู้ใช้ ) ที่คุณต้องการก่อนการประมวลผล..."), MsgIcon::Warning, this);
        return;
    }
    text2->setText(QStringLiteral("0"));
    Text7->setText(QStringLiteral("0"));
    try {
        Recordset rs = ShopDatabase::connection().query(
            QStringLiteral("SELECT UID, UTumnang FROM tblUser WHERE UID = ?"),
            { trimBlanks(Combo2->currentText()) });
        if (!rs.eof()) {
            Text5->setText(QStringLiteral("  ข้อมูลการขายของผู้ใช่ : ") + rs.text(0));
            Text6->setText(QStringLiteral("  ตำแหน่ง(ชื่อ) : ") + rs.text(1));
        }
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }
    if (m_period->refuseMissingMonth())
        return;
    RMChartX1->show();
    LoadChart();
}

void UserSalesWindow::LoadChart()
{
    const QColor back(95, 158, 160), text(255, 248, 220);
    RMChartX1->reset();
    RMChartX1->move(0, Twips::toPixelsY(2500));
    RMChartX1->setBackColor(back);
    RMChartX1->setChartSize(989, 500);
    RMChartX1->setRegionMargins(5, 20, 5, 5);
    RMChartX1->setCaption(QString(), back, QColor(255, 250, 240), 15, true);
    RMChartX1->setGridColor(QColor(250, 240, 230));
    RMChartX1->setValueAxis(
        11, 10, text, Qt::black, 0, QStringLiteral("฿"), QStringLiteral("ยอดขายสินค้า"));
    RMChartX1->setLabelAxis(12, text, Qt::black);

    const int item = Combo1->currentIndex();
    const UserPeriod period = Check1->isChecked() ? UserPeriod::Week
        : item == PeriodFilter::WholeYearItem     ? UserPeriod::Year
                                                  : UserPeriod::Month;
    switch (period) {
    case UserPeriod::Week:
        text4->setText(QStringLiteral("  สรุปยอดขายของสัปดาห์นี้ (ย้อนหลัง 7 วัน)"));
        break;
    case UserPeriod::Month:
        text4->setText(QStringLiteral("  สรุปยอดขายของ เดือน") + Combo1->currentText()
            + QStringLiteral(" ปี ") + Text1->text());
        break;
    case UserPeriod::Year:
        text4->setText(QStringLiteral("  สรุปยอดขายของ  ปี ") + Text1->text());
        break;
    }

    UserSalesChart result;
    try {
        result = userSales(ShopDatabase::connection(), trimBlanks(Combo2->currentText()), period,
            item + 1, Text1->text(), Clock::now().date());
    } catch (const DbError &e) {
        // The chart shows nothing it could not read; the totals keep "0".
        qWarning("user sales chart: %s", qPrintable(e.text()));
        RMChartX1->hide();
        return;
    }
    if (period != UserPeriod::Year && !result.found) {
        RMChartX1->hide();
        Label1->setText(QStringLiteral("ผู้ใช้รายนี้ไม่พบข้อมูลการขาย.."));
        return;
    }
    RMChartX1->setLabelCount(int(result.labels.size()));
    RMChartX1->setLabelText(result.labels.join(QLatin1Char('*')));
    RMChartX1->setBarSeries(QColor(240, 128, 128), true, true);
    RMChartX1->setDataText(result.values.join(QLatin1Char('*')));
    Text7->setText(Currency::fromWhole(result.discount).format());
    text2->setText(result.net.format());
    RMChartX1->draw();
    RMChartX1->raise();
}

void UserSalesWindow::kasmoButton1_Click()
{
    text4->setText(QStringLiteral("1"));
    RankingWindow::showModal({ RankingRequest::Week, 1, QString(), Text1->text() }, this);
}

void UserSalesWindow::kasmoButton2_Click()
{
    const int item = Combo1->currentIndex();
    if (item < 0 || item == PeriodFilter::WholeYearItem) {
        showStatus(Msg::ChooseMonth, MsgIcon::Warning, this);
        Check1->setChecked(false);
        return;
    }
    text4->setText(QStringLiteral("2"));
    RankingWindow::showModal(
        { RankingRequest::Month, item + 1, Combo1->currentText(), Text1->text() }, this);
}

void UserSalesWindow::kasmoButton3_Click()
{
    text4->setText(QStringLiteral("3"));
    RankingWindow::showModal({ RankingRequest::Year, 1, QString(), Text1->text() }, this);
}
