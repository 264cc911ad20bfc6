#include "reports/UserSales.h"
#include "SalesData.h"
#include "button/KasmoButton.h"
#include "platform/chart/BarChart.h"
#include "platform/grid/DataGrid.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/Clock.h"
#include "reports/RankingLayout.h"
#include "reports/RankingWindow.h"
#include "reports/UserSalesWindow.h"
#include "shell/ShopDatabase.h"
#include "support/FindControl.h"
#include "support/Screenshots.h"
#include "support/ShellFixture.h"
#include "support/WindowDriving.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QTest>

namespace {
void addUser(Connection &db, int pk, const char *uid, const char *position)
{
    db.execute(
        QStringLiteral("INSERT INTO tblUser (PK, UID, UPASS, UTumnang) VALUES (?, ?, 'x', ?)"),
        { pk, QString::fromUtf8(uid), QString::fromUtf8(position) });
}

void click(KasmoButton *b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
}

// Picks a list position with the arrow keys and checks the list took it.
void choose(QComboBox *list, int item)
{
    chooseWithArrows(list, item);
    ASSERT_EQ(list->currentIndex(), item);
}
} // namespace

class UserSales : public ShellFixture
{
protected:
    UserSalesChart chart(
        const char *user, UserPeriod period, int month = 5, const char *year = "2024")
    {
        return userSales(ShopDatabase::connection(), QString::fromUtf8(user), period, month,
            QString::fromLatin1(year), Clock::now().date());
    }
};

TEST_F(UserSales, DaysRunInCalendarOrderWithTheWholeBahtDiscountOffTheNet)
{
    Connection &d = db();
    Clock::setFixed(QDateTime(QDate(2024, 5, 3), QTime(12, 0)));
    addSaleLine(d, "2024-05-02 09:00:00", "INV-670500001", "A1", 100, 2, "somchai");
    addSaleLine(d, "2024-05-02 11:00:00", "INV-670500002", "B2", 0.25, 1, "SOMCHAI");
    addSaleLine(d, "2024-04-30 09:00:00", "INV-670400009", "A1", 50, 1, "somchai");
    addSaleLine(d, "2024-04-25 09:00:00", "INV-670400001", "A1", 999, 1, "somchai"); // before
    addSaleLine(d, "2024-05-02 09:00:00", "INV-670500003", "A1", 777, 1, "somchai_x");
    addDiscount(d, "2024-05-02 09:00:00", "INV-670500001", 12.50, "somchai");

    const UserSalesChart week = chart("somchai", UserPeriod::Week);
    EXPECT_TRUE(week.found);
    EXPECT_EQ(week.labels, (QStringList { "30/04/2024", "02/05/2024" }));
    EXPECT_EQ(week.values, (QList<QString> { "50", "200.25" }));
    EXPECT_EQ(week.discount, 12);
    EXPECT_EQ(week.net.format(), QStringLiteral("238.25"));

    const UserSalesChart april = chart("Somchai", UserPeriod::Month, 4);
    EXPECT_EQ(april.labels, (QStringList { "25/04/2024", "30/04/2024" }));
    EXPECT_EQ(april.discount, 0);
    EXPECT_FALSE(chart("somchai", UserPeriod::Month, 6).found);
    EXPECT_FALSE(chart("somchai_", UserPeriod::Month, 5).found) << "names are whole, not patterns";
}

TEST_F(UserSales, AYearHasTwelveBarsRoundedOnceWithoutTheirDiscount)
{
    Connection &d = db();
    addSaleLine(d, "2024-01-05 09:00:00", "INV-670100001", "A1", 100.50, 1, "mali");
    addSaleLine(d, "2024-01-20 09:00:00", "INV-670100002", "B2", 200.25, 1, "mali");
    addDiscount(d, "2024-01-20 09:00:00", "INV-670100002", 13.50, "mali");
    addDiscount(d, "2024-03-01 09:00:00", "INV-670300001", 40, "mali"); // no sales in March

    const UserSalesChart year = chart("mali", UserPeriod::Year);
    EXPECT_EQ(year.labels.size(), 12);
    EXPECT_EQ(year.values,
        (QList<QString> { "301", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0" }));
    EXPECT_EQ(year.discount, 54); // 14 + 40: every month's discount is counted
    // The net keeps the satang of the sales; only January's discount is taken off.
    EXPECT_EQ(year.net.format(), QStringLiteral("286.75"));
    EXPECT_EQ(chart("nobody", UserPeriod::Year).values, QList<QString>(12, QStringLiteral("0")));
}

TEST_F(UserSales, WindowListsUsersSearchesAndRefusesAsItSays)
{
    addUser(db(), 3, "mali", "แคชเชียร์");
    addUser(db(), 2, "somchai", "หัวหน้า");
    addUser(db(), 0, "ghost", "");
    addSaleLine(db(), "2024-05-14 09:00:00", "INV-670500001", "A1", 1250, 2, "somchai");
    addDiscount(db(), "2024-05-14 09:00:00", "INV-670500001", 20, "somchai");

    auto *w = new UserSalesWindow;
    w->show();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("สรุปยอดการขายของผู้ใช้"));
    QStringList users;
    for (int i = 0; i < control<QComboBox>(w, "userList")->count(); ++i)
        users << control<QComboBox>(w, "userList")->itemText(i);
    EXPECT_EQ(users, (QStringList { "admin", "somchai", "mali" }));
    EXPECT_EQ(control<QLineEdit>(w, "yearBox")->text(), QStringLiteral("2024"));
    EXPECT_FALSE(control<BarChart>(w, "salesChart")->isVisible());
    saveScreenshot(w->grab(), QStringLiteral("user-sales-open.png"));

    click(control<KasmoButton>(w, "showSalesButton"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("กรุณาเลือก ( ผู้ใช้ ) ที่คุณต้องการก่อนการประมวลผล..."));

    control<QComboBox>(w, "userList")->setCurrentIndex(1);
    click(control<KasmoButton>(
        w, "showSalesButton")); // no month yet: refused after the name lines are filled
    EXPECT_EQ(boxes.last().text, QStringLiteral("กรุณาเลือก ( เดือน ) ที่คุณต้องการก่อนการประมวลผล..."));
    EXPECT_EQ(
        control<QLineEdit>(w, "userLine")->text(), QStringLiteral("  ข้อมูลการขายของผู้ใช่ : somchai"));
    EXPECT_EQ(
        control<QLineEdit>(w, "positionLine")->text(), QStringLiteral("  ตำแหน่ง(ชื่อ) : หัวหน้า"));
    EXPECT_FALSE(control<BarChart>(w, "salesChart")->isVisible());

    control<QComboBox>(w, "monthList")->setCurrentIndex(4);
    click(control<KasmoButton>(w, "showSalesButton"));
    EXPECT_TRUE(control<BarChart>(w, "salesChart")->isVisible());
    EXPECT_EQ(control<QLineEdit>(w, "chartTitle")->text(),
        QStringLiteral("  สรุปยอดขายของ เดือน  (05) พฤษภาคม ปี 2024"));
    EXPECT_EQ(control<QLineEdit>(w, "discountTotal")->text(), QStringLiteral("20.00"));
    EXPECT_EQ(control<QLineEdit>(w, "netTotal")->text(), QStringLiteral("2,480.00"));
    EXPECT_EQ(control<BarChart>(w, "salesChart")->labels(), (QStringList { "14/05/2024" }));
    saveScreenshot(w->grab(), QStringLiteral("user-sales-month.png"));

    control<QComboBox>(w, "monthList")->setCurrentIndex(5); // June: nothing sold
    click(control<KasmoButton>(w, "showSalesButton"));
    EXPECT_FALSE(control<BarChart>(w, "salesChart")->isVisible());
    EXPECT_EQ(control<QLabel>(w, "hintLabel")->text(), QStringLiteral("ผู้ใช้รายนี้ไม่พบข้อมูลการขาย.."));
    EXPECT_EQ(control<QLineEdit>(w, "netTotal")->text(), QStringLiteral("0"));
    saveScreenshot(w->grab(), QStringLiteral("user-sales-none.png"));

    control<QComboBox>(w, "monthList")
        ->setCurrentIndex(12); // the whole year: twelve bars, no message
    click(control<KasmoButton>(w, "showSalesButton"));
    EXPECT_TRUE(control<BarChart>(w, "salesChart")->isVisible());
    EXPECT_EQ(control<BarChart>(w, "salesChart")->values().size(), 12);
    EXPECT_EQ(
        control<QLineEdit>(w, "chartTitle")->text(), QStringLiteral("  สรุปยอดขายของ  ปี 2024"));
    saveScreenshot(w->grab(), QStringLiteral("user-sales-year.png"));

    // The week switch clears and locks the month and the year, with its own message.
    control<QCheckBox>(w, "weekCheck")->click();
    EXPECT_EQ(boxes.last().text, QStringLiteral("เมื่อเปิดการค้นหาแบบ สัปดาห์ จะไม่สามารถเลือก เดือน ปี ได้"));
    EXPECT_EQ(boxes.last().icon, MsgIcon::Information);
    EXPECT_EQ(control<QComboBox>(w, "monthList")->currentIndex(), -1);
    EXPECT_FALSE(control<QComboBox>(w, "monthList")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>(w, "yearBox")->isEnabled());
    click(control<KasmoButton>(w, "showSalesButton"));
    EXPECT_EQ(control<QLineEdit>(w, "chartTitle")->text(),
        QStringLiteral("  สรุปยอดขายของสัปดาห์นี้ (ย้อนหลัง 7 วัน)"));
    EXPECT_TRUE(control<BarChart>(w, "salesChart")->isVisible());
    w->close();
}

TEST_F(UserSales, RankingButtonsHandTheirPeriodToTheRankingWindow)
{
    auto *w = new UserSalesWindow;
    w->show();
    // A monthly ranking needs a month: the whole year is refused and the week switch unticked.
    control<QCheckBox>(w, "weekCheck")->click();
    click(control<KasmoButton>(w, "monthRankingButton"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("กรุณาเลือก ( เดือน ) ที่คุณต้องการก่อนการประมวลผล..."));
    EXPECT_FALSE(control<QCheckBox>(w, "weekCheck")->isChecked());
    EXPECT_TRUE(control<QComboBox>(w, "monthList")->isEnabled());
    control<QComboBox>(w, "monthList")->setCurrentIndex(12);
    click(control<KasmoButton>(w, "monthRankingButton"));
    EXPECT_TRUE(dialogs.opened.isEmpty());

    QStringList titles;
    const auto readTitle = [&](QDialog *d) {
        auto *r = qobject_cast<RankingWindow *>(d);
        ASSERT_NE(r, nullptr);
        // The printed ranking's title, as the viewer shows it.
        const QStringList texts = control<ReportViewer>(r, "rankingViewer")->document().texts();
        titles << texts.filter(QStringLiteral("ยอดขายของผู้ใช้ทุกคน")).value(0);
    };
    control<QComboBox>(w, "monthList")->setCurrentIndex(2);
    dialogs.then(readTitle);
    click(control<KasmoButton>(w, "monthRankingButton"));
    EXPECT_EQ(control<QLineEdit>(w, "chartTitle")->text(), QStringLiteral("2"));
    dialogs.then(readTitle);
    click(control<KasmoButton>(w, "weekRankingButton"));
    EXPECT_EQ(control<QLineEdit>(w, "chartTitle")->text(), QStringLiteral("1"));
    dialogs.then(readTitle);
    click(control<KasmoButton>(w, "yearRankingButton"));
    EXPECT_EQ(control<QLineEdit>(w, "chartTitle")->text(), QStringLiteral("3"));
    EXPECT_EQ(titles,
        (QStringList { "ยอดขายของผู้ใช้ทุกคน เดือน  (03) มีนาคม ปี 2024",
            "ยอดขายของผู้ใช้ทุกคน ของสัปดาห์นี้ (ย้อนหลัง 7 วัน)", "ยอดขายของผู้ใช้ทุกคน ในปี 2024" }));
    w->close();
}

TEST_F(UserSales, AYearsNetKeepsItsSatangAsTheRankingDoes)
{
    addUser(db(), 2, "somchai", "หัวหน้า");
    addUser(db(), 3, "mali", "แคชเชียร์");
    // Month sums with satang: rounding each month to the baht before adding loses them.
    addSaleLine(db(), "2024-01-05 09:00:00", "INV-670100001", "A1", 100.50, 1, "somchai");
    addSaleLine(db(), "2024-03-05 09:00:00", "INV-670300001", "A1", 50.25, 1, "somchai");
    addDiscount(db(), "2024-01-05 09:00:00", "INV-670100001", 10, "somchai");
    addSaleLine(db(), "2024-02-05 09:00:00", "INV-670200001", "B2", 99.60, 1, "mali");
    addSaleLine(db(), "2024-05-05 09:00:00", "INV-670500001", "B2", 0.60, 1, "mali");

    const struct
    {
        int item;
        const char *user;
        const char *net;
        const char *discount;
    } cases[] = {
        { 1, "somchai", "140.75", "10.00" },
        { 2, "mali", "100.20", "0.00" },
    };
    auto *w = new UserSalesWindow;
    w->show();
    QMap<QString, QString> ranked; // user -> net as the yearly ranking shows it
    dialogs.then([&](QDialog *d) {
        auto *r = qobject_cast<RankingWindow *>(d);
        ASSERT_NE(r, nullptr);
        for (int row = 1; row <= control<DataGrid>(r, "workingGrid")->maxRows(); ++row)
            ranked[control<DataGrid>(r, "workingGrid")->getText(2, row)]
                = Currency::parse(control<DataGrid>(r, "workingGrid")->getText(5, row))
                      .value_or(Currency())
                      .format();
    });
    click(control<KasmoButton>(w, "yearRankingButton"));
    choose(control<QComboBox>(w, "monthList"), 12); // the whole year
    for (const auto &c : cases) {
        SCOPED_TRACE(c.user);
        choose(control<QComboBox>(w, "userList"), c.item);
        click(control<KasmoButton>(w, "showSalesButton"));
        EXPECT_EQ(control<QLineEdit>(w, "netTotal")->text(), QString::fromUtf8(c.net));
        EXPECT_EQ(control<QLineEdit>(w, "discountTotal")->text(), QString::fromUtf8(c.discount));
        EXPECT_EQ(
            ranked.value(QString::fromUtf8(c.user)), control<QLineEdit>(w, "netTotal")->text());
    }
    // The bars stay whole baht.
    EXPECT_EQ(control<BarChart>(w, "salesChart")->values().mid(0, 6),
        (QList<double> { 0, 100, 0, 0, 1, 0 }));
    w->close();
}

TEST_F(UserSales, AnUnreadableUserListIsReportedWithTheEnginesText)
{
    db().execute(QStringLiteral("ALTER TABLE tblUser RENAME TO tblUserGone"));
    auto *w = new UserSalesWindow;
    w->show();
    db().execute(QStringLiteral("ALTER TABLE tblUserGone RENAME TO tblUser"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("tblUser")))
        << boxes.last().text.toStdString();
    EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    EXPECT_EQ(control<QComboBox>(w, "userList")->count(), 0);
    w->close();
}
