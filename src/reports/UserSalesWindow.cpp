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

    QLabel *userCaption = caption(this, QStringLiteral("ผู้ใช้"));
    userList = new QComboBox(this);
    userList->setEditable(false);
    userList->setAccessibleName(QStringLiteral("ผู้ใช้"));
    weekCheck = new QCheckBox(QStringLiteral(" แสดงยอดขายของสัปดาห์นี้"), this);
    weekCheck->setPalette(userCaption->palette());
    QLabel *monthCaption = caption(this, QStringLiteral("เดือน"));
    monthList = new QComboBox(this);
    monthList->setAccessibleName(QStringLiteral("เดือน"));
    QLabel *yearCaption = caption(this, QStringLiteral("ปี (ค.ศ.)"));
    yearBox = new QLineEdit(this);
    yearBox->setAlignment(Qt::AlignCenter);
    yearBox->setAccessibleName(QStringLiteral("ปี (ค.ศ.)"));
    showSalesButton
        = KasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("ประมวลผล")));

    userLine = line(this, QStringLiteral("  ข้อมูลการขายของผู้ใช่ : ?"), kBlue, Qt::white);
    positionLine = line(this, QStringLiteral(" ตำแหน่ง(ชือ) : ?"), kBlue, Qt::white);
    netCaption = line(this, QStringLiteral("   ยอดขายรวม (หักส่วนลด)"), kBlue, Qt::white);
    netTotal = line(this, QStringLiteral("0"), kGrey, QColor(0, 64, 0));
    netTotal->setToolTip(QStringLiteral(" ยอดขายทั้งหมดของผู้ใช้รายนี้หักหลังจากหักส่วนลดแล้ว "));
    discountCaption = line(this, QStringLiteral("             ยอดส่วนลด"), kBlue, Qt::white);
    discountTotal = line(this, QStringLiteral("0"), kGrey, QColor(128, 0, 0));
    discountTotal->setToolTip(QStringLiteral(" ส่วนลดที่ผู้ใช้รายนี้ให้ลูกค้า "));
    for (QLineEdit *total : { netTotal, discountTotal }) {
        total->setAlignment(Qt::AlignCenter);
        QFont f = total->font();
        f.setBold(true);
        f.setPointSize(12);
        total->setFont(f);
    }
    netTotal->setAccessibleName(QStringLiteral("ยอดขายรวม (หักส่วนลด)"));
    discountTotal->setAccessibleName(QStringLiteral("ยอดส่วนลด"));
    chartTitle = line(this, QStringLiteral("  ?"), kBlue, Qt::white);

    hintLabel = caption(this, QStringLiteral("กดประมวลผลเพื่อแสดงยอดสรุป"));
    QFont hint(QStringLiteral("Tahoma"));
    hint.setPointSize(36);
    hint.setBold(true);
    hintLabel->setFont(hint);
    hintLabel->setAlignment(Qt::AlignCenter);
    salesChart = new BarChart(this);
    salesChart->hide();

    rankingCaption = new QLabel(QStringLiteral("รายงานสรุปยอดการขายของผู้ใช้ทุกคน"), this);
    rankingCaption->setAutoFillBackground(true);
    QPalette band = rankingCaption->palette();
    band.setColor(QPalette::Window, kBlue);
    band.setColor(QPalette::WindowText, Qt::white);
    rankingCaption->setPalette(band);
    rankingCaption->setAlignment(Qt::AlignCenter);
    weekRankingButton
        = KasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("(1) รายสัปดาห์")));
    monthRankingButton
        = KasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("(2) รายเดือน")));
    yearRankingButton
        = KasmoButton::fromBag(this, ButtonPresets::pageButton(QStringLiteral("(3) รายปี")));

    // Design places in twips; the chart sits 2500 twips from the top.
    Twips::place(userCaption, 120, 60, 2400, 300);
    Twips::place(userList, 120, 360, 2400, 375);
    Twips::place(weekCheck, 2700, 380, 3000, 330);
    Twips::place(monthCaption, 5760, 60, 2700, 300);
    Twips::place(monthList, 5760, 360, 2700, 375);
    Twips::place(yearCaption, 8580, 60, 1200, 300);
    Twips::place(yearBox, 8580, 360, 1200, 375);
    Twips::place(showSalesButton, 9900, 180, 1200, 555);
    Twips::place(rankingCaption, 11160, 60, 3600, 300);
    Twips::place(weekRankingButton, 11160, 420, 3600, 420);
    Twips::place(monthRankingButton, 11160, 900, 3600, 420);
    Twips::place(yearRankingButton, 11160, 1380, 3600, 420);
    Twips::place(userLine, 120, 960, 4980, 345);
    Twips::place(positionLine, 120, 1380, 4980, 345);
    Twips::place(netCaption, 5220, 960, 2880, 345);
    Twips::place(netTotal, 5220, 1380, 2880, 465);
    Twips::place(discountCaption, 8220, 960, 2820, 345);
    Twips::place(discountTotal, 8220, 1380, 2820, 465);
    Twips::place(chartTitle, 120, 1980, 14640, 375);
    Twips::place(hintLabel, 0, 2500, 14880, 7500);
    salesChart->move(0, Twips::toPixelsY(2500));
    resize(Twips::toPixelsX(14880), Twips::toPixelsY(10395));

    const std::pair<QObject *, const char *> names[] = { { userList, "userList" },
        { weekCheck, "weekCheck" }, { monthList, "monthList" }, { yearBox, "yearBox" },
        { showSalesButton, "showSalesButton" }, { userLine, "userLine" },
        { positionLine, "positionLine" }, { netCaption, "netCaption" }, { netTotal, "netTotal" },
        { discountCaption, "discountCaption" }, { discountTotal, "discountTotal" },
        { chartTitle, "chartTitle" }, { salesChart, "salesChart" }, { hintLabel, "hintLabel" },
        { rankingCaption, "rankingCaption" }, { weekRankingButton, "weekRankingButton" },
        { monthRankingButton, "monthRankingButton" }, { yearRankingButton, "yearRankingButton" } };
    for (const auto &[o, name] : names)
        o->setObjectName(QLatin1String(name));

    m_period = new PeriodControls({ weekCheck, monthList, yearBox, nullptr, nullptr },
        PeriodControls::WeekRule::MonthYear, this);
    connect(showSalesButton, &KasmoButton::Click, this, &UserSalesWindow::showUserSales);
    connect(weekRankingButton, &KasmoButton::Click, this, &UserSalesWindow::showWeekRanking);
    connect(monthRankingButton, &KasmoButton::Click, this, &UserSalesWindow::showMonthRanking);
    connect(yearRankingButton, &KasmoButton::Click, this, &UserSalesWindow::showYearRanking);
    loadUsers();
}

void UserSalesWindow::showModal()
{
    QPointer<UserSalesWindow> w = WindowRegistry::instance<UserSalesWindow>();
    DialogRunner::exec(w);
}

void UserSalesWindow::loadUsers()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    try {
        Lookups::fillListWithPositiveKeys(
            userList, QStringLiteral("tblUser"), QStringLiteral("PK"), QStringLiteral("UID"));
    } catch (const DbError &e) {
        // An empty list would pass for a shop without users.
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
    userList->setCurrentIndex(-1);
    m_period->fillCurrentYear();
}

void UserSalesWindow::keyPressEvent(QKeyEvent *event)
{
    // The window closes by its close button; Esc is no command here.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void UserSalesWindow::showUserSales()
{
    if (userList->currentIndex() < 0) {
        showStatus(
            QStringLiteral("กรุณาเลือก ( ผู้ใช้ ) ที่คุณต้องการก่อนการประมวลผล..."), MsgIcon::Warning, this);
        return;
    }
    netTotal->setText(QStringLiteral("0"));
    discountTotal->setText(QStringLiteral("0"));
    try {
        Recordset rs = ShopDatabase::connection().query(
            QStringLiteral("SELECT UID, UTumnang FROM tblUser WHERE UID = ?"),
            { trimBlanks(userList->currentText()) });
        if (!rs.eof()) {
            userLine->setText(QStringLiteral("  ข้อมูลการขายของผู้ใช่ : ") + rs.text(0));
            positionLine->setText(QStringLiteral("  ตำแหน่ง(ชื่อ) : ") + rs.text(1));
        }
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }
    if (m_period->refuseMissingMonth())
        return;
    salesChart->show();
    drawChart();
}

void UserSalesWindow::drawChart()
{
    const QColor back(95, 158, 160), text(255, 248, 220);
    salesChart->reset();
    salesChart->move(0, Twips::toPixelsY(2500));
    salesChart->setBackColor(back);
    salesChart->setChartSize(989, 500);
    salesChart->setRegionMargins(5, 20, 5, 5);
    salesChart->setCaption(QString(), back, QColor(255, 250, 240), 15, true);
    salesChart->setGridColor(QColor(250, 240, 230));
    salesChart->setValueAxis(
        11, 10, text, Qt::black, 0, QStringLiteral("฿"), QStringLiteral("ยอดขายสินค้า"));
    salesChart->setLabelAxis(12, text, Qt::black);

    const int item = monthList->currentIndex();
    const UserPeriod period = weekCheck->isChecked() ? UserPeriod::Week
        : item == PeriodFilter::WholeYearItem        ? UserPeriod::Year
                                                     : UserPeriod::Month;
    switch (period) {
    case UserPeriod::Week:
        chartTitle->setText(QStringLiteral("  สรุปยอดขายของสัปดาห์นี้ (ย้อนหลัง 7 วัน)"));
        break;
    case UserPeriod::Month:
        chartTitle->setText(QStringLiteral("  สรุปยอดขายของ เดือน") + monthList->currentText()
            + QStringLiteral(" ปี ") + yearBox->text());
        break;
    case UserPeriod::Year:
        chartTitle->setText(QStringLiteral("  สรุปยอดขายของ  ปี ") + yearBox->text());
        break;
    }

    UserSalesChart result;
    try {
        result = userSales(ShopDatabase::connection(), trimBlanks(userList->currentText()), period,
            item + 1, yearBox->text(), Clock::now().date());
    } catch (const DbError &e) {
        // The chart shows nothing it could not read; the totals keep "0".
        qWarning("user sales chart: %s", qPrintable(e.text()));
        salesChart->hide();
        return;
    }
    if (period != UserPeriod::Year && !result.found) {
        salesChart->hide();
        hintLabel->setText(QStringLiteral("ผู้ใช้รายนี้ไม่พบข้อมูลการขาย.."));
        return;
    }
    salesChart->setLabelCount(int(result.labels.size()));
    salesChart->setLabelText(result.labels.join(QLatin1Char('*')));
    salesChart->setBarSeries(QColor(240, 128, 128), true, true);
    salesChart->setDataText(result.values.join(QLatin1Char('*')));
    discountTotal->setText(Currency::fromWhole(result.discount).format());
    netTotal->setText(result.net.format());
    salesChart->draw();
    salesChart->raise();
}

void UserSalesWindow::showWeekRanking()
{
    chartTitle->setText(QStringLiteral("1"));
    RankingWindow::showModal({ RankingRequest::Kind::Week, 1, QString(), yearBox->text() }, this);
}

void UserSalesWindow::showMonthRanking()
{
    const int item = monthList->currentIndex();
    if (item < 0 || item == PeriodFilter::WholeYearItem) {
        showStatus(Msg::ChooseMonth, MsgIcon::Warning, this);
        weekCheck->setChecked(false);
        return;
    }
    chartTitle->setText(QStringLiteral("2"));
    RankingWindow::showModal(
        { RankingRequest::Kind::Month, item + 1, monthList->currentText(), yearBox->text() }, this);
}

void UserSalesWindow::showYearRanking()
{
    chartTitle->setText(QStringLiteral("3"));
    RankingWindow::showModal({ RankingRequest::Kind::Year, 1, QString(), yearBox->text() }, this);
}
