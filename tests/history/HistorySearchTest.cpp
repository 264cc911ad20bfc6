#include "HistoryFixture.h"
#include "platform/db/DbError.h"
#include <QApplication>
#include <optional>

namespace {

const QColor kSaleCell(150, 185, 175);
const QColor kReturnCell(215, 159, 158);

// Movements around the ends of weeks, months and years; the clock reads 2024-05-15 10:30:00.
// Each is a document of its own.
const TestMovement kDated[] = {
    { 1, 2, "2023-12-31 23:59:59", "INV-661200001" },
    { 2, 2, "2024-01-01 00:00:00", "INV-670100001" },
    { 3, 2, "2024-01-31 12:00:00", "INV-670100002" },
    { 4, 1, "2024-03-31 08:00:00", "SA-670300001" },
    { 5, 2, "2024-04-30 23:59:59", "INV-670400001" },
    { 6, 2, "2024-05-01 00:00:00", "INV-670500001" },
    { 7, 3, "2024-05-07 23:59:59", "INV-670500002" },
    { 8, 2, "2024-05-08 00:00:00", "INV-670500003" },
    { 9, 1, "2024-05-15 10:00:00", "SA-670500001" },
    { 10, 2, "2024-05-16 09:00:00", "INV-670500004" }, // dated after today
    { 11, 2, "2024-05-31 23:59:59", "INV-670500005" },
    { 12, 2, "2024-06-01 00:00:00", "INV-670600001" },
    { 13, 3, "2024-12-31 23:59:59", "INV-671200001" },
    { 14, 2, "2025-01-01 00:00:00", "INV-680100001" },
    { 15, 2, "2024-02-29 10:00:00", "INV-670200001" },
};

class HistorySearch : public HistoryFixture
{
protected:
    void addDated()
    {
        for (const TestMovement &m : kDated)
            addMovement(m);
    }

    // The period boxes as a person sets them: week, a month item, a year typed over, a day.
    struct Period
    {
        bool week = false;
        int item = -1;
        const char *year = nullptr;
        const char *day = nullptr;
    };

    void setPeriod(HistoryWindow *w, const Period &p)
    {
        if (p.week)
            click(control<QCheckBox>(w, "weekCheck"));
        if (p.item >= 0)
            chooseMonth(w, p.item);
        if (p.year)
            typeOver(control<QLineEdit>(w, "yearBox"), QString::fromLatin1(p.year));
        if (p.day) {
            click(control<QCheckBox>(
                w, "dayCheck")); // the day box takes the focus, its text selected
            const QString day = QString::fromLatin1(p.day);
            if (day.startsWith(QLatin1Char('0'))) {
                // A lone "0" turns into "1": the leading zero goes in last, at the start.
                QTest::keyClicks(control<QLineEdit>(w, "dayBox"), day.mid(1));
                QTest::keyClick(control<QLineEdit>(w, "dayBox"), Qt::Key_Home);
                QTest::keyClicks(control<QLineEdit>(w, "dayBox"), day.left(1));
            } else {
                QTest::keyClicks(control<QLineEdit>(w, "dayBox"), day);
            }
            ASSERT_EQ(control<QLineEdit>(w, "dayBox")->text(), day);
        }
    }
};

} // namespace

TEST_F(HistorySearch, EachPeriodFindsItsDays)
{
    addDated();
    struct Case
    {
        const char *name;
        Period period;
        QList<int> keys;
    } cases[] = {
        // Today, the seven days before it from their first second, and every later row.
        { "week", { true }, { 8, 9, 10, 11, 12, 13, 14 } },
        { "May", { false, 4 }, { 6, 7, 8, 9, 10, 11 } },
        { "January", { false, 0 }, { 2, 3 } },
        { "December", { false, 11 }, { 13 } },
        { "whole year", { false, 12 }, { 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15 } },
        { "another year", { false, 12, "2023" }, { 1 } },
        { "one day", { false, 4, nullptr, "31" }, { 11 } },
        { "one day with a leading zero", { false, 4, nullptr, "07" }, { 7 } },
        { "29 February", { false, 1, nullptr, "29" }, { 15 } },
        { "day 31 of every month", { false, 12, nullptr, "31" }, { 3, 4, 11, 13 } },
        { "day 31 of every month of 2023", { false, 12, "2023", "31" }, { 1 } },
        // Days that do not exist find nothing, without a database error.
        { "31 April", { false, 3, nullptr, "31" }, {} },
        { "two-digit year", { false, 12, "24" }, {} },
        { "Buddhist-era year", { false, 4, "2567" }, {} },
    };
    for (const Case &c : cases) {
        withWindow([&](HistoryWindow *w) {
            setPeriod(w, c.period);
            boxes.clear();
            pressEnter(control<QLineEdit>(w, "searchBox"));
            EXPECT_EQ(foundKeys(w), c.keys) << c.name;
            EXPECT_EQ(w->windowTitle(),
                c.keys.isEmpty() ? HistoryWindow::NotFoundCaption
                                 : HistoryWindow::foundCaption(c.keys.size()))
                << c.name;
            EXPECT_EQ(boxes.count(), 0) << c.name;
        });
    }
}

TEST_F(HistorySearch, OneDayNeverEditedIsDayZeroAndFindsNothing)
{
    addDated();
    withWindow([&](HistoryWindow *w) {
        chooseMonth(w, 4);
        click(control<QCheckBox>(w, "dayCheck"));
        click(control<QPushButton>(w, "searchButton"));
        EXPECT_EQ(control<QLineEdit>(w, "dayBox")->text(), QStringLiteral("0"));
        EXPECT_EQ(w->windowTitle(), HistoryWindow::NotFoundCaption);
        EXPECT_EQ(control<DataGrid>(w, "historyGrid")->maxRows(), 0);
    });
}

TEST_F(HistorySearch, CaptionAndDescriptionLinePerPeriod)
{
    addDated();
    struct Case
    {
        Period period;
        const char *option;
        const char *text;
        const char *description;
    } cases[] = {
        { { true }, "allTypesOption", "",
            "รายละเอียดการค้นหา = ประเภทข้อมูล : [ ทั้งหมด ] ของ : [ สัปดาห์นี้ ] รายละเอียด : [  ] "
            "พบข้อมูลย้อนหลัง :  7  รายการ" },
        { { false, 4 }, "salesOption", "A100",
            "รายละเอียดการค้นหา = ประเภทข้อมูล : [ จ่ายออกปกติ ] ของ : [  (05) พฤษภาคม ปี 2024  ] "
            "รายละเอียด : [ A100 ] พบข้อมูลย้อนหลัง :  4  รายการ" },
        { { false, 12, "2023" }, "stockUpdatesOption", "",
            "รายละเอียดการค้นหา = ประเภทข้อมูล : [ อัพเดทสต๊อก ] ของ : [  สรุปยอดรายปี ปี 2023  ] "
            "รายละเอียด : [  ] ไม่พบข้อมูลย้อนหลังที่คุณต้องการ" },
        { { false, 12, nullptr, "31" }, "returnsOption", " น้ำ ",
            "รายละเอียดการค้นหา = ประเภทข้อมูล : [ คืนสินค้า ] วันที่ : [ 31 เดือน  สรุปยอดรายปี ปี "
            "2024  ] รายละเอียด : [  น้ำ  ] พบข้อมูลย้อนหลัง :  1  รายการ" },
    };
    for (const Case &c : cases) {
        withWindow([&](HistoryWindow *w) {
            EXPECT_EQ(control<QLabel>(w, "descriptionLabel")->text(),
                QStringLiteral("รายละเอียดข้อมูล : ?"));
            click(control<QRadioButton>(w, QString::fromLatin1(c.option)));
            setPeriod(w, c.period);
            typeOver(control<QLineEdit>(w, "searchBox"), QString::fromUtf8(c.text));
            click(control<QPushButton>(w, "searchButton"));
            EXPECT_EQ(
                control<QLabel>(w, "descriptionLabel")->text(), QString::fromUtf8(c.description));
            // The line always ends with the caption of the same search.
            EXPECT_TRUE(control<QLabel>(w, "descriptionLabel")->text().endsWith(w->windowTitle()));
        });
    }
}

TEST_F(HistorySearch, ThousandsInTheCaption)
{
    for (int i = 1; i <= 1234; ++i)
        addMovement({ i, 2, "2024-05-10 08:00:00", "INV-670500001" });
    withWindow([&](HistoryWindow *w) {
        click(control<QCheckBox>(w, "weekCheck"));
        pressEnter(control<QLineEdit>(w, "searchBox"));
        EXPECT_EQ(w->windowTitle(), QStringLiteral("พบข้อมูลย้อนหลัง :  1,234  รายการ"));
        EXPECT_EQ(control<DataGrid>(w, "historyGrid")->maxRows(), 1235);
    });
}

TEST_F(HistorySearch, TypeAndTextNarrowEveryPeriod)
{
    // Three documents in May: a stock update, a sale and a return on it, each with its own code,
    // name, description and user, so each of the five searched columns can be hit alone.
    const TestMovement rows[] = {
        { 1, 1, "2024-05-10 07:30:00", "SA-670500001", "P-1", "นมสด", "กล่อง", "STOCK", "รับเข้า", 5,
            20, 25 },
        { 2, 2, "2024-05-12 09:00:00", "INV-670500007", "A_1", "ขนมปัง", "แผ่น", "CASHIER" },
        { 3, 2, "2024-05-12 09:00:00", "INV-670500007", "AB1", "เนย", "ก้อน 50%", "CASHIER" },
        { 4, 3, "2024-05-13 15:00:00", "INV-670500007", "A_1", "ขนมปัง", "แผ่น", "ADMIN" },
    };
    for (const TestMovement &m : rows)
        addMovement(m);
    const char *kAll = "allTypesOption";
    const char *kStock = "stockUpdatesOption";
    const char *kSales = "salesOption";
    const char *kReturns = "returnsOption";
    struct Case
    {
        const char *option;
        const char *text;
        QList<int> keys;
    } cases[] = {
        { kAll, "", { 1, 2, 3, 4 } },
        { kStock, "", { 1 } },
        { kSales, "", { 2, 3 } },
        { kReturns, "", { 4 } },
        { kAll, "p-1", { 1 } }, // code, without regard to case
        { kAll, "นมสด", { 1 } }, // name
        { kAll, "ก้อน", { 3 } }, // description
        { kAll, "cashier", { 2, 3 } }, // user
        { kAll, "0500007", { 2, 3, 4 } }, // document number
        { kSales, "ขนมปัง", { 2 } },
        { kReturns, "ขนมปัง", { 4 } },
        { kStock, "ขนมปัง", {} },
        { kAll, "A_1", { 2, 4 } }, // "_" is a character of its own, never any character
        { kAll, "  A_1  ", { 2, 4 } }, // blanks at the ends do not count
        { kAll, "50%", { 1, 2, 3, 4 } }, // "%" leaves the box: "50" is searched
        { kAll, "'*%", { 1, 2, 3, 4 } }, // nothing left: every movement
        { kAll, "zzz", {} },
    };
    // Each case under each period that holds all four movements.
    const Period periods[] = { { true }, { false, 4 }, { false, 12 } };
    for (const Period &p : periods) {
        withWindow([&](HistoryWindow *w) {
            setPeriod(w, p);
            for (const Case &c : cases) {
                click(control<QRadioButton>(w, QString::fromLatin1(c.option)));
                typeOver(control<QLineEdit>(w, "searchBox"), QString::fromUtf8(c.text));
                pressEnter(control<QLineEdit>(w, "searchBox"));
                EXPECT_EQ(foundKeys(w), c.keys) << c.text << " week " << p.week << " " << p.item;
            }
            // The cleaning shows in the box.
            typeOver(control<QLineEdit>(w, "searchBox"), QStringLiteral("A'1*%_"));
            pressEnter(control<QLineEdit>(w, "searchBox"));
            EXPECT_EQ(control<QLineEdit>(w, "searchBox")->text(), QStringLiteral("A1_"));
        });
    }
}

TEST_F(HistorySearch, RowsShowTheirTypeColourAndSalesGoOutWithAMinus)
{
    const TestMovement rows[] = {
        { 1, 1, "2024-05-10 07:30:00", "SA-670500001", "P-1", "นมสด", "กล่อง", "STOCK", "รับเข้า", 5,
            20, 25 },
        { 2, 2, "2024-05-11 09:00:00", "INV-670500001", "B-2", "เนย", "", "CASHIER", "", 25, 3,
            22 },
        { 3, 3, "2024-05-12 15:00:00", "INV-670500002", "C-3", "ไข่", "แผง", "ADMIN", "", 22, 1,
            23 },
    };
    for (const TestMovement &m : rows)
        addMovement(m);
    withWindow([&](HistoryWindow *w) {
        chooseMonth(w, 4);
        pressEnter(control<QComboBox>(w, "monthList"));
        DataGrid *g = control<DataGrid>(w, "historyGrid");
        ASSERT_EQ(g->maxRows(), 6); // three documents of one movement each
        struct Expect
        {
            int row;
            const char *cells[10];
            QColor typeBack;
        } expected[] = {
            { 2,
                { "2", "จ่ายออกปกติ", " B-2 , เนย ", "2024-05-11 09:00:00", "INV-670500001", "25",
                    "-3", "22", "CASHIER", "" },
                kSaleCell },
            { 4,
                { "3", "คืนสินค้า", " C-3 , ไข่ แผง", "2024-05-12 15:00:00", "INV-670500002", "22", "1",
                    "23", "ADMIN", "" },
                kReturnCell },
            { 6,
                { "1", "อัพเดทสต๊อก", " P-1 , นมสด กล่อง", "2024-05-10 07:30:00", "SA-670500001", "5",
                    "20", "25", "STOCK", "รับเข้า" },
                QColor(159, 185, 199) }, // no colour of its own: the grouped rows' colour
        };
        for (const Expect &e : expected) {
            for (int c = 0; c < 10; ++c)
                EXPECT_EQ(g->getText(c, e.row), QString::fromUtf8(e.cells[c]))
                    << e.row << " col " << c;
            EXPECT_EQ(shownBack(g, HistoryWindow::ColType, e.row), e.typeBack) << e.row;
            EXPECT_EQ(g->foreColor(HistoryWindow::ColProduct, e.row), QColor(26, 26, 26)) << e.row;
        }
        EXPECT_EQ(g->displayText(HistoryWindow::ColQty, 2), QStringLiteral("-3"));
        // Hidden: key, time, document, user, remark.
        for (int c : { 0, 3, 4, 8, 9 })
            EXPECT_EQ(g->colWidth(c), 0) << c;
        for (int c : { 1, 2, 5, 6, 7 })
            EXPECT_GT(g->colWidth(c), 0) << c;
        const char *headers[] = { "", "ประเภทข้อมูล", " รายละเอียดสินค้า", "", "", "คงเหลือเดิม", "จำนวน",
            "คงเหลือใหม่", "", "" };
        for (int c = 0; c < 10; ++c)
            EXPECT_EQ(g->getText(c, DataGrid::HeaderRow), QString::fromUtf8(headers[c])) << c;
    });
}

TEST_F(HistorySearch, NoMonthIsRefusedAfterTheGridIsEmptiedAndTheBoxCleaned)
{
    addDated();
    withWindow([&](HistoryWindow *w) {
        click(control<QCheckBox>(w, "weekCheck"));
        pressEnter(control<QLineEdit>(w, "searchBox"));
        ASSERT_GT(control<DataGrid>(w, "historyGrid")->maxRows(), 0);
        const QString caption = w->windowTitle();
        const QString line = control<QLabel>(w, "descriptionLabel")->text();
        click(control<QCheckBox>(w, "weekCheck")); // the week off, no month chosen
        boxes.clear();
        typeOver(control<QLineEdit>(w, "searchBox"), QStringLiteral("A'1"));
        pressEnter(control<QLineEdit>(w, "searchBox"));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(
            boxes.last().text, QStringLiteral("กรุณาเลือก ( เดือน ) ที่คุณต้องการก่อนการประมวลผล..."));
        EXPECT_EQ(boxes.last().title, Msg::StatusTitle);
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        EXPECT_EQ(control<DataGrid>(w, "historyGrid")->maxRows(), 0);
        EXPECT_EQ(control<QLineEdit>(w, "searchBox")->text(), QStringLiteral("A1"));
        EXPECT_EQ(w->windowTitle(), caption);
        EXPECT_EQ(control<QLabel>(w, "descriptionLabel")->text(), line);
    });
}

TEST_F(HistorySearch, RefusedQueryIsAnErrorNotANotFound)
{
    addDated();
    withWindow([&](HistoryWindow *w) {
        chooseMonth(w, 4);
        click(control<QPushButton>(w, "searchButton"));
        const QString caption = w->windowTitle();
        const QString line = control<QLabel>(w, "descriptionLabel")->text();
        ASSERT_EQ(caption, HistoryWindow::foundCaption(6));
        Connection::setStatementHook([](const QString &sql) {
            if (sql.contains(QLatin1String("tblLog2")))
                throw DbError(QStringLiteral("database is locked"));
        });
        boxes.clear();
        click(control<QPushButton>(w, "searchButton"));
        Connection::setStatementHook({});
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("ค้นหาข้อมูลย้อนหลังไม่สำเร็จ")));
        EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("database is locked")));
        EXPECT_EQ(w->windowTitle(), caption);
        EXPECT_EQ(control<QLabel>(w, "descriptionLabel")->text(), line);
    });
}

// A search shows the hourglass while it reads, and takes it away afterwards, found, not found
// or refused by the database.
TEST_F(HistorySearch, HourglassShowsWhileTheSearchReadsAndGoesAfterIt)
{
    addDated();
    withWindow([&](HistoryWindow *w) {
        for (const bool refused : { false, true }) {
            for (const int month : { 4, 0 }) { // May holds movements, January none
                chooseMonth(w, month);
                std::optional<Qt::CursorShape> duringQuery;
                Connection::setStatementHook([&](const QString &sql) {
                    if (!sql.contains(QLatin1String("tblLog2")))
                        return;
                    const QCursor *c = QApplication::overrideCursor();
                    duringQuery = c ? c->shape() : Qt::ArrowCursor;
                    if (refused)
                        throw DbError(QStringLiteral("database is locked"));
                });
                boxes.clear();
                click(control<QPushButton>(w, "searchButton"));
                Connection::setStatementHook({});
                EXPECT_EQ(duringQuery, Qt::WaitCursor) << refused << " " << month;
                EXPECT_EQ(QApplication::overrideCursor(), nullptr) << refused << " " << month;
                EXPECT_EQ(boxes.count(), refused ? 1 : 0);
            }
        }
    });
}

TEST_F(HistorySearch, EnterAnywhereSearchesAndInTheDayBoxMovesOnToTheMonthList)
{
    addDated();
    withWindow([&](HistoryWindow *w) {
        chooseMonth(w, 4);
        click(control<QCheckBox>(w, "dayCheck"));
        QTest::keyClicks(control<QLineEdit>(w, "dayBox"), QStringLiteral("31"));
        boxes.clear();
        pressEnter(control<QLineEdit>(w, "dayBox"));
        EXPECT_EQ(w->windowTitle(), HistoryWindow::foundCaption(1));
        EXPECT_TRUE(control<QComboBox>(w, "monthList")->hasFocus());
        EXPECT_EQ(control<QLineEdit>(w, "dayBox")->text(), QStringLiteral("31"));
        EXPECT_EQ(boxes.count(), 0);
        click(control<QCheckBox>(w, "dayCheck")); // back to the whole month
        const QList<QWidget *> controls { control<QRadioButton>(w, "salesOption"),
            control<QCheckBox>(w, "weekCheck"), control<QComboBox>(w, "monthList"),
            control<QLineEdit>(w, "searchBox"), control<QLineEdit>(w, "yearBox"),
            control<QPushButton>(w, "searchButton"), control<DataGrid>(w, "historyGrid") };
        for (QWidget *c : controls) {
            w->setWindowTitle(QString());
            c->setFocus(Qt::OtherFocusReason);
            pressEnter(c);
            EXPECT_EQ(w->windowTitle(), HistoryWindow::foundCaption(6))
                << c->objectName().toStdString();
            EXPECT_TRUE(c->hasFocus())
                << c->objectName().toStdString(); // the search moves no focus
        }
        QTest::keyClick(control<QLineEdit>(w, "searchBox"), Qt::Key_Escape);
        EXPECT_TRUE(w->isVisible()); // Esc is no command of this window
    });
}
