#include "StockFixture.h"
#include "history/HistoryWindow.h"
#include "history/MovementSearch.h"
#include "platform/db/Connection.h"
#include "platform/ui/Clock.h"
#include "platform/ui/KeyboardLayout.h"
#include "platform/ui/WindowPlacement.h"
#include "sale/ProductSearch.h"
#include "shell/Messages.h"
#include "shell/PasswordHash.h"
#include "stock/StockReportLayout.h"
#include "stock/StockReportViewer.h"
#include "support/FindControl.h"
#include "support/ReportFiles.h"
#include "support/Screenshots.h"
#include <QAccessible>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

const QColor lowStock(215, 159, 158);
const QString notFound
    = QStringLiteral("ไม่พบ ข้อมูล ที่คุณต้องการค้นหาใน ระบบ โปรดลองอีกครั้ง ( กด F5 เพื่อ รีโหลดข้อมูล )..");

class RecordingLayout : public KeyboardLayout
{
public:
    RecordingLayout() { KeyboardLayout::install(this); }
    ~RecordingLayout() override { KeyboardLayout::install(nullptr); }
    bool isActive(const QString &) override { return false; }
    bool activate(const QString &layout) override
    {
        activated.append(layout);
        return true;
    }
    QStringList activated;
};

// Every statement the program runs while it lives.
struct StatementLog
{
    StatementLog()
    {
        Connection::setStatementHook([this](const QString &sql) { statements.append(sql); });
    }
    ~StatementLog() { Connection::setStatementHook({}); }
    QStringList statements;
};

} // namespace

// A small shop whose names sort differently in Thai dictionary order than by code point.
class StockShop : public StockPageTest
{
protected:
    void SetUp() override
    {
        StockPageTest::SetUp();
        add({ "AB1", "กาแฟเย็น", "แก้วใหญ่", 12, 5, 1250.5, "แก้ว", "เครื่องดื่ม", "ตู้เย็น" });
        add({ "A_1", "ปากกา", "สีน้ำเงิน", 3, 5, 20, "ด้าม", "เครื่องเขียน", "ชั้น 2" });
        add({ "CD2", "กาแฟผง", "ซองเล็ก", 40, 10, 5, "ซอง", "เครื่องดื่ม", "ชั้น 1" });
        add({ "EF3", "เกลือ", "ถุงใหญ่", 0, 2, 12, "ถุง", "", "" });
        add({ "GH4", "ขนม", "ห่อ", 7, 0, 10, "ห่อ", "Kid's Corner", "ชั้น 1" });
        add({ "ZZ9", "ไข่ไก่", "", -4, 0, 120, "แผง", "ของสด", "ตู้เย็น" });
    }
    const QStringList all { "CD2", "AB1", "EF3", "GH4", "ZZ9", "A_1" };
};

TEST_F(StockShop, FullListShowsEveryProductInThaiOrder)
{
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(page->windowTitle(), QStringLiteral("คลังสินค้า"));
    EXPECT_EQ(MainFrame::openPageName(), QStringLiteral("คลังสินค้า"));
    EXPECT_EQ(codes(), all);
    EXPECT_EQ(page->filter(), StockPage::ProductFilter::None);
    EXPECT_EQ(countLabel()->text(), QStringLiteral("ข้อมูลทั้งหมด :  6  รายการ"));
    EXPECT_TRUE(bandEnabled());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), grid());

    DataGrid *g = grid();
    EXPECT_EQ(g->maxCols(), 9);
    EXPECT_EQ(g->colWidth(0), 0);
    for (int c = 1; c <= 8; ++c)
        EXPECT_GT(g->colWidth(c), 0) << c;
    EXPECT_EQ(g->colWidth(9), DataGrid::DefaultColWidth);
    const char *headers[] = { "", "รหัสสินค้า", " ชื่อสินค้า", "รายละเอียด", "คงเหลือ", "หน่วยนับ", "ราคาขาย",
        "หมวดหมู่", "สถานที่จัดเก็บ" };
    for (int c = 1; c <= 8; ++c)
        EXPECT_EQ(g->getText(c, 0), QString::fromUtf8(headers[c])) << c;
    EXPECT_EQ(g->alignment(2, 0) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    for (int c = 3; c <= 8; ++c)
        EXPECT_EQ(g->alignment(c, 0) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << c;
    for (int c = 1; c <= 8; ++c) {
        const Qt::Alignment a = g->alignment(c, 1);
        EXPECT_EQ(a & Qt::AlignHorizontal_Mask, c == 2 ? Qt::AlignLeft : Qt::AlignHCenter) << c;
        EXPECT_EQ(a & Qt::AlignVertical_Mask, Qt::AlignVCenter) << c;
        EXPECT_EQ(g->foreColor(c, 1), QColor(26, 26, 26)) << c;
    }
    EXPECT_EQ(g->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(g->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_NEAR(g->rowHeight(1), 25, 0.5);

    // Row 2 is AB1: every column as the page writes it.
    const int pk = int(folder.db()
                           .scalar(QStringLiteral("SELECT PK FROM tblProduct WHERE PDsn = 'AB1'"))
                           .toLongLong());
    const QString row2[] = { QString::number(pk), " AB1", " กาแฟเย็น", "แก้วใหญ่", "12", "แก้ว",
        "1250.5", "เครื่องดื่ม", "ตู้เย็น", "" };
    for (int c = 0; c <= 9; ++c)
        EXPECT_EQ(cell(c, 2), row2[c]) << c;
    EXPECT_EQ(g->displayText(6, 2), QStringLiteral("1,250.50"));
    EXPECT_EQ(cell(3, 5), QString()); // ZZ9 has no description
    EXPECT_EQ(cell(7, 3), QStringLiteral("-")); // EF3: the key-0 entries
    EXPECT_EQ(cell(8, 3), QStringLiteral("-"));

    // Only the products below their limit have the coloured stock cell.
    const bool low[] = { false, false, true, false, true, true }; // CD2 .. A_1
    for (int r = 1; r <= 6; ++r) {
        EXPECT_EQ(g->backColor(4, r), low[r - 1] ? lowStock : QColor()) << r;
        EXPECT_FALSE(g->backColor(3, r).isValid()) << r;
    }

    // The lists hold every entry, the key-0 one included, and show no choice.
    EXPECT_EQ(groupFilter()->count(), 5);
    EXPECT_GE(groupFilter()->findText(QStringLiteral("-")), 0);
    EXPECT_GE(groupFilter()->findText(QStringLiteral("Kid's Corner")), 0);
    EXPECT_EQ(groupFilter()->currentIndex(), -1);
    EXPECT_EQ(placeFilter()->count(), 4);
    EXPECT_EQ(placeFilter()->currentIndex(), -1);
    EXPECT_FALSE(placeFilter()->isEditable());
}

TEST_F(StockShop, SearchesAndFiltersListTheRightProductsInOrder)
{
    ASSERT_NE(open(), nullptr);
    enum Action { Text, Below, Group, Place, Alert };
    using F = StockPage::ProductFilter;
    struct Case
    {
        Action action;
        QString input;
        QStringList expected;
        StockPage::ProductFilter filter;
    } cases[] = {
        { Text, "b1", { "AB1" }, F::TextOrQuantity }, // a code fragment, any letter case
        { Text, "กาแฟ", { "CD2", "AB1" }, F::TextOrQuantity }, // a Thai name fragment, by name
        { Text, "ใหญ่", { "AB1", "EF3" }, F::TextOrQuantity }, // the description
        { Text, "  น้ำเงิน ", { "A_1" }, F::TextOrQuantity }, // blanks at the ends do not count
        { Text, "A_1", { "A_1" }, F::TextOrQuantity }, // "_" is a plain character: AB1 is not found
        { Text, "A_", { "A_1" }, F::TextOrQuantity },
        { Below, "1", { "ZZ9", "EF3" }, F::TextOrQuantity }, // stock below 1, lowest first
        { Below, "10", { "ZZ9", "EF3", "A_1", "GH4" }, F::TextOrQuantity },
        { Alert, "", { "ZZ9", "EF3", "A_1" }, F::LowStock }, // below their own limits, lowest first
        { Group, "เครื่องดื่ม", { "CD2", "AB1" }, F::Group },
        { Group, "Kid's Corner", { "GH4" }, F::Group }, // a name with an apostrophe
        { Group, "-", { "EF3" }, F::Group }, // the key-0 entry: products without a group
        { Place, "ชั้น 1", { "CD2", "GH4" }, F::Place },
        { Place, "ตู้เย็น", { "AB1", "ZZ9" }, F::Place },
        { Place, "-", { "EF3" }, F::Place },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        const bool below = c.action == Below;
        if (belowQuantitySwitch()->isChecked() != below)
            click(belowQuantitySwitch());
        boxes.clear();
        StatementLog log;
        switch (c.action) {
        case Text:
        case Below:
            search(c.input);
            break;
        case Group:
            choose(groupFilter(), c.input);
            break;
        case Place:
            choose(placeFilter(), c.input);
            break;
        case Alert:
            click(control<KasmoButton>(frame, "lowStockAlertButton"));
            break;
        }
        EXPECT_EQ(codes(), c.expected);
        EXPECT_EQ(page->filter(), c.filter);
        // Texts of three characters or more go through the product search's index.
        const bool indexed = c.action == Text && ProductSearch::usesIndex(c.input.trimmed());
        EXPECT_EQ(
            log.statements.filter(QStringLiteral("ftsProduct MATCH")).size(), indexed ? 1 : 0);
        EXPECT_EQ(boxes.count(), 0);
        EXPECT_EQ(
            countLabel()->text(), QStringLiteral("ข้อมูลทั้งหมด :  %1  รายการ").arg(c.expected.size()));
        EXPECT_TRUE(bandEnabled());
        // A choice does not stay in the lists; the search box keeps its text.
        EXPECT_EQ(groupFilter()->currentIndex(), -1);
        EXPECT_EQ(placeFilter()->currentIndex(), -1);
        if (c.action == Alert)
            for (int r = 1; r <= grid()->maxRows(); ++r)
                EXPECT_EQ(grid()->backColor(4, r), lowStock) << r;
        else
            EXPECT_EQ(QApplication::focusWidget(), grid());
    }
    // The same group again repeats the filter.
    choose(groupFilter(), QStringLiteral("ของสด"));
    choose(groupFilter(), QStringLiteral("ของสด"));
    EXPECT_EQ(codes(), QStringList { "ZZ9" });
}

// Every control is found by its caption; the count label reads its figure, with its caption as
// the description.
TEST_F(StockShop, ControlsAreNamedForAccessibilityAndTheCountReadsItsFigure)
{
    ASSERT_NE(open(), nullptr);
    const struct
    {
        QWidget *w;
        const char *name;
    } cases[] = {
        { button("addProductButton"), "เพิ่มข้อมูลสินค้า (F12)" },
        { button("deleteProductButton"), "ลบสินค้า (Del)" },
        { button("stockUpdateButton"), "อัพเดทสต๊อก (F9)" },
        { button("reloadButton"), "รีโหลดข้อมูล (F5)" },
        { button("historyButton"), "ข้อมูลย้อนหลัง" },
        { button("searchButton"), "ค้นหาข้อมูล" },
        { button("printButton"), "พิมพ์รายงาน" },
        { belowQuantitySwitch(), "เปิด / ปิด แสดงสินค้าที่คงเหลือน้อยกว่า" },
        { searchBox(), "ค้นหา , รหัสสินค้า , ชื่อสินค้า , รายละเอียด" },
        { groupFilter(), "แสดงข้อมูลตาม หมวดหมู่" },
        { placeFilter(), "แสดงข้อมูลตาม สถานที่เก็บ" },
        { grid(), "คลังสินค้า" },
        { countLabel(), "ข้อมูลทั้งหมด :  6  รายการ" },
    };
    for (const auto &c : cases) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c.w);
        ASSERT_NE(a, nullptr) << c.name;
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(c.name)) << c.name;
    }
    QAccessibleInterface *count = QAccessible::queryAccessibleInterface(countLabel());
    EXPECT_EQ(count->text(QAccessible::Description), QStringLiteral("ข้อมูลทั้งหมด"));
    search(QStringLiteral("กาแฟ"));
    EXPECT_EQ(count->text(QAccessible::Name), QStringLiteral("ข้อมูลทั้งหมด :  2  รายการ"));
}

TEST_F(StockShop, SearchTextIsCleanedWhereTheUserSeesIt)
{
    ASSERT_NE(open(), nullptr);
    search(QStringLiteral("ปาก'ก%า*"));
    EXPECT_EQ(searchBox()->text(), QStringLiteral("ปากกา"));
    EXPECT_EQ(codes(), QStringList { "A_1" });

    // Blanks only: the focus goes into the box, nothing else happens.
    choose(placeFilter(), QStringLiteral("ชั้น 2"));
    search(QStringLiteral("   "));
    EXPECT_EQ(QApplication::focusWidget(), searchBox());
    EXPECT_EQ(codes(), QStringList { "A_1" });
    EXPECT_EQ(page->filter(), StockPage::ProductFilter::Place);
    EXPECT_EQ(boxes.count(), 0);

    // The search button runs the same search; F5 brings back the full list and empties the box.
    searchBox()->setText(QStringLiteral("ไข่"));
    click(button("searchButton"));
    EXPECT_EQ(codes(), QStringList { "ZZ9" });
    press(Qt::Key_F5);
    EXPECT_EQ(codes(), all);
    EXPECT_EQ(searchBox()->text(), QString());
    EXPECT_EQ(page->filter(), StockPage::ProductFilter::TextOrQuantity); // kept across full loads
}

TEST_F(StockShop, SearchThatFindsNothingSaysSoAndF5LeadsBack)
{
    ASSERT_NE(open(), nullptr);
    search(QStringLiteral("ไม่มีสินค้านี้"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, notFound);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    EXPECT_EQ(boxes.last().buttons, MsgButtons::Ok);
    EXPECT_EQ(grid()->maxRows(), 0);
    EXPECT_TRUE(bandDisabled());
    EXPECT_EQ(countLabel()->text(), QStringLiteral("ข้อมูลทั้งหมด :  6  รายการ")); // kept
    // The toolbar stays: the grid's F5 is the way back.
    EXPECT_TRUE(button("reloadButton")->Enabled());
    press(Qt::Key_F5);
    EXPECT_EQ(codes(), all);
    EXPECT_TRUE(bandEnabled());
    EXPECT_EQ(boxes.count(), 1); // the full list never says "not found"
}

TEST_F(StockShop, BelowQuantityBoxTakesDigitsOnly)
{
    RecordingLayout layout;
    ASSERT_NE(open(), nullptr);
    searchBox()->setText(QStringLiteral("กาแฟ"));
    click(belowQuantitySwitch());
    ASSERT_TRUE(belowQuantitySwitch()->isChecked());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text,
        QStringLiteral("เมื่อเปิด โหมดค้นหาสินค้า ตามจำนวนคงเหลือ ช่องค้นหา จะใส่ได้แค่ตัวเลขเท่านั้น !!"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    EXPECT_EQ(searchBox()->text(), QString());
    EXPECT_EQ(QApplication::focusWidget(), searchBox());
    EXPECT_EQ(layout.activated, QStringList { "us" });
    EXPECT_EQ(codes(), all); // no reload
    EXPECT_EQ(page->filter(), StockPage::ProductFilter::None);

    // A letter is refused with the digits-only message; digits pass.
    boxes.clear();
    type(searchBox(), QStringLiteral("a5"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("ช่องนี้ กรอกได้แค่ ( ตัวเลข ) เท่านั้น !!"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_EQ(searchBox()->text(), QStringLiteral("5"));

    // A pasted text that is no whole number is refused the same way and never reaches the
    // database: the list and the alert stay as they were.
    {
        StatementLog log;
        for (const char *pasted : { "5a", "1.5", "๕", "99999999999999999999" }) {
            boxes.clear();
            searchBox()->setText(QString::fromUtf8(pasted));
            QTest::keyClick(searchBox(), Qt::Key_Return);
            ASSERT_EQ(boxes.count(), 1) << pasted;
            EXPECT_EQ(boxes.last().text, Msg::NumberOnly) << pasted;
            EXPECT_EQ(codes(), all) << pasted;
        }
        EXPECT_TRUE(log.statements.isEmpty()) << log.statements.join('\n').toStdString();
    }

    // Clearing the box empties it again, switches the keyboard, and shows nothing.
    boxes.clear();
    click(belowQuantitySwitch());
    EXPECT_FALSE(belowQuantitySwitch()->isChecked());
    EXPECT_EQ(searchBox()->text(), QString());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(layout.activated, (QStringList { "us", "us" }));
    type(searchBox(), QStringLiteral("a"));
    EXPECT_EQ(searchBox()->text(), QStringLiteral("a"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(StockPageTest, NamesListInThaiDictionaryOrder)
{
    add({ "P1", "ไข่ไก่" });
    add({ "P2", "กาแฟ" });
    add({ "P3", "เกลือ" });
    add({ "P4", "ขนม", "ถุงใหญ่" });
    add({ "P5", "ขนม", "ถุงเล็ก" }); // same name: by description
    ASSERT_NE(open(), nullptr);
    QStringList names;
    for (int r = 1; r <= grid()->maxRows(); ++r)
        names.append(cell(2, r) + QLatin1Char('|') + cell(3, r));
    EXPECT_EQ(names, (QStringList { " กาแฟ|", " เกลือ|", " ขนม|ถุงเล็ก", " ขนม|ถุงใหญ่", " ไข่ไก่|" }));
}

// Every list the page sorts by name comes in the order the database's THAI collation gives,
// equal names and descriptions in the order of their keys: Thai, Latin and mixed names, letter
// case, digits, names equal to the collator but not byte for byte, empty names and a name of
// an ignorable character only (the collator puts an empty text first), descriptions empty and
// missing (NULL sorts first).
TEST_F(StockPageTest, EveryListIsInTheDatabasesThaiOrderWithTiesByKey)
{
    const char *names[][2] = { { "ขนม", "ถุง" }, { "ไข่ไก่", "" }, { "apple", "" }, { "กาแฟ", "ซอง" },
        { "", "" }, { "Apple", "" }, { "ขนม", "ถุง" }, { "เกลือ", "ถุง" }, { "APPLE", "ขวด" },
        { "\x01", "" }, { "กาแฟ Mocca", "" }, { "Coffee กาแฟ", "" }, { "ขนม\x01", "ถุง" },
        { "10 บาท", "" }, { "2 บาท", "ถุง" }, { "", "ถุง" }, { "กาแฟ", "" }, { "กาแฟ", "" },
        { "banana", "ขวด" }, { "ขนม", "ถุง" } };
    int n = 0;
    for (const auto &[name, des] : names) {
        const qint64 stock = n % 4; // runs of equal stock for the stock views
        add({ QStringLiteral("P%1").arg(n, 2, 10, QLatin1Char('0')), QString::fromUtf8(name),
            QString::fromUtf8(des), stock, n % 3 ? 3 : 0, 1, QString(),
            n % 2 ? QStringLiteral("แห้ง") : QStringLiteral("สด") });
        ++n;
    }
    // Three missing descriptions beside the empty ones.
    folder.db().execute(
        QStringLiteral("UPDATE tblProduct SET PDdes = NULL WHERE PDsn IN ('P01', 'P15', 'P17')"));
    ASSERT_NE(open(), nullptr);

    auto expected = [&](const QString &where, bool byStock) {
        const QString order = QStringLiteral(" ORDER BY ")
            + (byStock ? QStringLiteral("p.PDvalue, ") : QString())
            + QStringLiteral("p.PDname COLLATE THAI, p.PDdes COLLATE THAI, p.PK");
        Recordset rs = folder.db().query(QStringLiteral("SELECT p.PK FROM tblProduct p LEFT JOIN "
                                                        "tblGroup g ON p.GroupFK = g.gPK WHERE ")
            + where + order);
        QStringList keys;
        for (; !rs.eof(); rs.moveNext())
            keys << rs.text(0);
        return keys;
    };
    auto shown = [&] {
        QStringList keys;
        for (int r = 1; r <= grid()->maxRows(); ++r)
            keys << cell(0, r);
        return keys;
    };
    EXPECT_EQ(shown(), expected(QStringLiteral("1"), false)) << "the full list";
    search(QStringLiteral("กาแฟ")); // through the product search's index
    EXPECT_EQ(shown(),
        expected(QStringLiteral("p.PDname LIKE '%กาแฟ%' OR p.PDdes LIKE '%กาแฟ%'"), false));
    search(QStringLiteral("p")); // a scan of code, name and description
    EXPECT_EQ(shown(),
        expected(QStringLiteral("p.PDsn LIKE '%p%' OR p.PDname LIKE '%p%' OR p.PDdes LIKE '%p%'"),
            false));
    choose(groupFilter(), QStringLiteral("แห้ง"));
    EXPECT_EQ(shown(), expected(QStringLiteral("g.gName = 'แห้ง'"), false));
    click(control<KasmoButton>(frame, "lowStockAlertButton")); // low stock
    EXPECT_EQ(shown(), expected(QStringLiteral("p.PDvalue < p.PDerror"), true));
    click(belowQuantitySwitch());
    search(QStringLiteral("3"));
    EXPECT_EQ(shown(), expected(QStringLiteral("p.PDvalue < 3"), true));
}

TEST_F(StockPageTest, EmptyShopShowsNoRowsAndNoMessage)
{
    ASSERT_NE(open(), nullptr);
    EXPECT_EQ(grid()->maxRows(), 0);
    EXPECT_EQ(countLabel()->text(), QStringLiteral("???"));
    EXPECT_TRUE(bandDisabled());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_FALSE(control<KasmoButton>(frame, "lowStockAlertButton")->isVisible());
    // Nothing to delete or to edit.
    press(Qt::Key_Delete);
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_TRUE(editorOpened.isEmpty());
}

TEST_F(StockShop, CommandKeysWorkOnlyInTheGridWhateverTheModifiers)
{
    ASSERT_NE(open(), nullptr);
    // F12 and the add button: a new product; the list reloads only after a save.
    folder.db().execute(QStringLiteral("UPDATE tblProduct SET PDvalue = 99 WHERE PDsn = 'AB1'"));
    press(Qt::Key_F12, Qt::ControlModifier);
    EXPECT_EQ(editorOpened, QList<std::optional<int>> { std::nullopt }); // empty, for a new one
    EXPECT_EQ(cell(4, 2), QStringLiteral("12")); // not reloaded

    // A double-click opens the product of that row; a save reloads the full list even after a
    // search, and the search box keeps its text.
    search(QStringLiteral("กาแฟ"));
    ASSERT_EQ(codes(), (QStringList { "CD2", "AB1" }));
    const int pkAB1 = cell(0, 2).toInt();
    editorSaves = [this](std::optional<int> productKey) {
        folder.db().execute(QStringLiteral("UPDATE tblProduct SET PDname = 'กระดาษ' WHERE PK = ?1"),
            { productKey.value_or(0) });
        return true;
    };
    doubleClickCell(2, 2);
    EXPECT_EQ(editorOpened, (QList<std::optional<int>> { std::nullopt, pkAB1 }));
    EXPECT_EQ(codes(), (QStringList { "AB1", "CD2", "EF3", "GH4", "ZZ9", "A_1" }));
    EXPECT_EQ(searchBox()->text(), QStringLiteral("กาแฟ"));

    // A dialog closed without saving leaves a filtered list as it is.
    editorSaves = nullptr;
    search(QStringLiteral("ไข่"));
    click(button("addProductButton"));
    EXPECT_EQ(codes(), QStringList { "ZZ9" });
    EXPECT_EQ(QApplication::focusWidget(), grid());

    // F9 with Shift held opens the stock update; its save reloads the full list.
    stockUpdateSaves = [] { return true; };
    press(Qt::Key_F9, Qt::ShiftModifier);
    EXPECT_EQ(stockUpdates, 1);
    EXPECT_EQ(codes().size(), 6);

    // The history and print buttons; the print tells the report what it prints.
    click(button("historyButton"));
    EXPECT_EQ(historyOpened, 1);
    click(button("printButton"));
    EXPECT_EQ(printedSource, StockDocument::StockList);
    EXPECT_EQ(QApplication::focusWidget(), grid());

    // The keys do nothing outside the grid.
    search(QStringLiteral("ไข่"));
    for (Qt::Key k : { Qt::Key_F5, Qt::Key_F9, Qt::Key_F12, Qt::Key_Delete })
        QTest::keyClick(searchBox(), k);
    EXPECT_EQ(codes(), QStringList { "ZZ9" });
    EXPECT_EQ(stockUpdates, 1);
    EXPECT_EQ(editorOpened.size(), 3);
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(StockShop, DeleteAsksAndRemovesTheProductByItsKey)
{
    ASSERT_NE(open(), nullptr);
    // A sale line of the product keeps its own texts.
    folder.db().execute(
        QStringLiteral("INSERT INTO tblLog (Lsn, Lname, Lvalue, Ldate, Ldate2, Lno) "
                       "VALUES ('EF3', ' เกลือ', 1, '2024-05-15 10:00:00', "
                       "'2024-05-15', 'INV-67050001')"));
    EXPECT_EQ(control<KasmoButton>(frame, "lowStockAlertButton")->Caption(),
        QStringLiteral("(3) การแจ้งเตือน"));
    clickCell(1, 3);
    ASSERT_EQ(grid()->activeRow(), 3);

    boxes.answer(MsgResult::Cancel);
    press(Qt::Key_Delete);
    ASSERT_EQ(boxes.count(), 1);
    const MessageRequest &q = boxes.last();
    EXPECT_EQ(q.text, QStringLiteral("คุณแน่ใจหรือไม่ ว่าต้องการ ลบสินค้า [EF3 เกลือ] นี้ !!"));
    EXPECT_EQ(q.title, QStringLiteral("ยืนยันการลบ"));
    EXPECT_EQ(q.icon, MsgIcon::Warning);
    EXPECT_EQ(q.buttons, MsgButtons::OkCancel);
    EXPECT_EQ(q.defaultButton, MsgResult::Cancel);
    EXPECT_EQ(codes(), all);
    EXPECT_EQ(folder.db().scalar(QStringLiteral("SELECT count(*) FROM tblProduct")).toInt(), 6);

    boxes.answer(MsgResult::Ok);
    click(button("deleteProductButton"));
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(codes(), (QStringList { "CD2", "AB1", "GH4", "ZZ9", "A_1" }));
    EXPECT_EQ(folder.db()
                  .scalar(QStringLiteral("SELECT count(*) FROM tblProduct WHERE PDsn = 'EF3'"))
                  .toInt(),
        0);
    EXPECT_EQ(folder.db().scalar(QStringLiteral("SELECT Lname FROM tblLog")).toString(),
        QStringLiteral(" เกลือ"));
    EXPECT_EQ(control<KasmoButton>(frame, "lowStockAlertButton")->Caption(),
        QStringLiteral("(2) การแจ้งเตือน"));
    EXPECT_EQ(countLabel()->text(), QStringLiteral("ข้อมูลทั้งหมด :  5  รายการ"));
    EXPECT_EQ(QApplication::focusWidget(), grid());
}

TEST_F(StockShop, DatabaseFailureIsShownNotTakenForAnEmptyList)
{
    ASSERT_NE(open(), nullptr);
    Connection::setStatementHook([](const QString &sql) {
        if (sql.contains(QLatin1String("LEFT JOIN tblGroup")))
            throw DbError(QStringLiteral("disk I/O error"));
    });
    search(QStringLiteral("กาแฟ"));
    Connection::setStatementHook({});
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("disk I/O error"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_NE(boxes.last().text, notFound);
    EXPECT_EQ(codes(), all); // what was on the screen stays
    EXPECT_TRUE(bandEnabled());

    // A failing count hides the alert and the list still loads.
    Connection::setStatementHook([](const QString &sql) {
        if (sql.contains(QLatin1String("count(*)")))
            throw DbError(QStringLiteral("no such table"));
    });
    press(Qt::Key_F5);
    Connection::setStatementHook({});
    EXPECT_FALSE(control<KasmoButton>(frame, "lowStockAlertButton")->isVisible());
    EXPECT_FALSE(control<KasmoButton>(frame, "lowStockAlertButton")->Enabled());
    EXPECT_EQ(codes(), all);
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(StockShop, LayoutFollowsTheFrameWidth)
{
    ASSERT_NE(open(), nullptr);
    for (QSize size : { QSize(1280, 800), QSize(1000, 640) }) {
        SCOPED_TRACE(size.width());
        frame->resize(size);
        QCoreApplication::processEvents();
        const int W = Twips::fromPixelsX(frame->frameGeometry().width());
        const int SW = Twips::fromPixelsX(page->width());
        const int SH = Twips::fromPixelsY(page->height());
        EXPECT_EQ(control<QFrame>(page, "searchBand")->width(), Twips::toPixelsX(W + 10));
        EXPECT_EQ(control<QLabel>(page, "headerBar")->width(), Twips::toPixelsX(W - 2200));
        EXPECT_EQ(control<QLabel>(page, "countBand")->x(), Twips::toPixelsX(W - 4680));
        EXPECT_EQ(countLabel()->x(), Twips::toPixelsX(W - 4550));
        EXPECT_EQ(button("printButton")->x(), Twips::toPixelsX(W - 2200));
        DataGrid *g = grid();
        EXPECT_EQ(g->geometry(),
            QRect(0, Twips::toPixelsY(1680), page->width(), Twips::toPixelsY(SH - 1680)));
        const double divisors[] = { 0, 748, 490, 748, 1865, 1650, 1650, 1290, 1140 };
        for (int c = 1; c <= 8; ++c)
            EXPECT_DOUBLE_EQ(g->colWidth(c), double(SW) / divisors[c]) << c;
        EXPECT_EQ(g->colWidth(9), DataGrid::DefaultColWidth);
    }
}

TEST_F(StockShop, HistoryButtonOpensTheMovementHistory)
{
    StockPage::Windows w = StockPage::windows();
    w.history = nullptr; // the program's own window
    StockPage::setWindows(w);
    ASSERT_NE(open(), nullptr);
    click(button("historyButton"));
    EXPECT_EQ(dialogs.opened, QList<QString> { "HistoryWindow" });
    EXPECT_EQ(QApplication::focusWidget(), grid());
    EXPECT_EQ(codes(), all);
}

// A damaged file can stop the history's search part way through the movements it reads: the
// window says so with the engine's text, and it and the page stay in use.
TEST_F(StockShop, HistorySearchFailingAfterItsFirstRowSaysSoAndGoesOn)
{
    // May, newest first: two sales, then a stock update whose long remark fills pages of its
    // own. The first of those pages will point past the end of the file.
    Connection &db = folder.db();
    const QString insert = QStringLiteral(
        "INSERT INTO tblLog2 (PK, dType, dSN, dName, dDes, dTime, dNo, dValueold, dValue, "
        "dValuenew, dUser, dMemo) VALUES (?, ?, 'AB1', 'กาแฟเย็น', 'แก้วใหญ่', ?, ?, ?, ?, ?, "
        "'ADMIN', ?)");
    db.execute(
        insert, { 1, 1, "2024-05-02 09:00:00", "SA-670500001", 0, 14, 14, QString(20000, u'x') });
    db.execute(insert, { 2, 2, "2024-05-10 08:00:00", "INV-670500001", 14, 1, 13, "" });
    db.execute(insert, { 3, 2, "2024-05-14 08:00:00", "INV-670500002", 13, 1, 12, "" });
    const qint64 spill = db.scalar(QStringLiteral("SELECT pageno FROM dbstat WHERE name = "
                                                  "'tblLog2' AND pagetype = 'overflow' "
                                                  "ORDER BY path LIMIT 1"))
                             .toLongLong();
    const qint64 pageSize = db.scalar(QStringLiteral("PRAGMA page_size")).toLongLong();
    ASSERT_GT(spill, 0);
    // The program is not started yet: with the checking connection closed, the log is folded
    // into the file.
    folder.closeDb();
    ASSERT_FALSE(QFile::exists(folder.databasePath() + QStringLiteral("-wal")));
    {
        QFile file(folder.databasePath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek((spill - 1) * pageSize));
        ASSERT_EQ(file.write("\x7f\xff\xff\xff", 4), 4);
    }

    // The history's own query for May reads the newest movement, then the engine fails.
    QString engineText;
    {
        MovementSearch may;
        may.period.monthItem = 4;
        may.period.year = QStringLiteral("2024");
        QVariantList params;
        Recordset rs = folder.db().query(may.sql(Clock::today(), params), params);
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.integer(0), 3);
        try {
            rs.moveNext();
        } catch (const DbError &e) {
            engineText = e.text();
        }
        ASSERT_FALSE(engineText.isEmpty());
    }

    StockPage::Windows windows = StockPage::windows();
    windows.history = nullptr; // the program's own window
    StockPage::setWindows(windows);
    ASSERT_NE(open(), nullptr);
    bool ran = false;
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<HistoryWindow *>(d);
        ASSERT_NE(w, nullptr);
        ran = true;
        const QString caption = w->windowTitle();
        control<QLineEdit>(w, "yearBox")->setFocus(Qt::OtherFocusReason);
        control<QLineEdit>(w, "yearBox")->selectAll();
        QTest::keyClicks(control<QLineEdit>(w, "yearBox"), QStringLiteral("2024"));
        control<QComboBox>(w, "monthList")->setFocus(Qt::OtherFocusReason);
        for (int i = 0; i < 13 && control<QComboBox>(w, "monthList")->currentIndex() < 4; ++i)
            QTest::keyClick(control<QComboBox>(w, "monthList"), Qt::Key_Down);
        ASSERT_EQ(control<QComboBox>(w, "monthList")->currentIndex(), 4); // May
        click(control<QPushButton>(w, "searchButton"));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, QStringLiteral("ค้นหาข้อมูลย้อนหลังไม่สำเร็จ : ") + engineText);
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        EXPECT_EQ(w->windowTitle(), caption);
        EXPECT_EQ(control<DataGrid>(w, "historyGrid")->maxRows(), 0);

        // The sales of May never reach the damaged remark: the window finds them.
        click(control<QRadioButton>(w, "salesOption"));
        click(control<QPushButton>(w, "searchButton"));
        EXPECT_EQ(boxes.count(), 1);
        EXPECT_EQ(w->windowTitle(), HistoryWindow::foundCaption(2));
        QStringList keys;
        for (int r = 1; r <= control<DataGrid>(w, "historyGrid")->maxRows(); ++r)
            if (!control<DataGrid>(w, "historyGrid")->getText(HistoryWindow::ColPK, r).isEmpty())
                keys << control<DataGrid>(w, "historyGrid")->getText(HistoryWindow::ColPK, r);
        keys.sort();
        EXPECT_EQ(keys, (QStringList { "2", "3" }));
    });
    click(button("historyButton"));
    EXPECT_TRUE(ran);
    EXPECT_EQ(dialogs.opened, QList<QString> { "HistoryWindow" });
    EXPECT_EQ(ended, 0);
    search(QStringLiteral("กาแฟ"));
    EXPECT_EQ(codes(), (QStringList { "CD2", "AB1" }));
}

TEST_F(StockShop, PrintButtonPrintsTheListOnScreen)
{
    // The page's own stock report, not the recorder.
    StockPage::Windows w = StockPage::windows();
    w.stockReport = nullptr;
    StockPage::setWindows(w);
    ASSERT_NE(open(), nullptr);
    search(QStringLiteral("กาแฟ"));
    ASSERT_EQ(codes(), (QStringList { "CD2", "AB1" }));

    QTemporaryDir out;
    files.answer(out.filePath(QStringLiteral("list")));
    int rows = -1;
    dialogs.then([&](QDialog *d) {
        auto *viewer = qobject_cast<StockReportViewer *>(d);
        ASSERT_NE(viewer, nullptr);
        rows = viewer->report()->rowTotal();
        EXPECT_EQ(viewer->report()->printedDocument(), StockDocument::StockList);
        QTest::mouseClick(
            control<QPushButton>(viewer, "excelButton"), Qt::LeftButton); // export Excel
    });
    click(button("printButton"));
    EXPECT_EQ(dialogs.opened, QList<QString> { "StockReportViewer" });
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(QApplication::focusWidget(), grid());

    // The file holds the two listed products as shown: codes, names, stock, unit, price as
    // money, the place; nothing of the products left out.
    const QString sheet = [&] {
        QStringList all;
        for (const QStringList &r : xlsRows(out.filePath(QStringLiteral("list.xls"))))
            all << r.join(QLatin1Char('|'));
        return all.join(QLatin1Char('\n'));
    }();
    for (const char *shown : { "CD2", "กาแฟผง", "AB1", "กาแฟเย็น", "1,250.50", "ตู้เย็น", "แก้ว" })
        EXPECT_TRUE(sheet.contains(QString::fromUtf8(shown))) << shown;
    EXPECT_FALSE(sheet.contains(QStringLiteral("GH4")));
}

struct HistoryRightCase
{
    int signIn;
    bool history;
    bool enabled;
};

class HistoryRight : public StockPageTest, public ::testing::WithParamInterface<HistoryRightCase>
{
};

TEST_P(HistoryRight, HistoryButtonFollowsTheFifthRightWhenSignInIsOn)
{
    const HistoryRightCase c = GetParam();
    add({ "AB1", "กาแฟ" });
    setSignIn(c.signIn);
    const bool rights[5] = { true, true, true, true, c.history };
    addUser(2, QStringLiteral("STOCK"), PasswordHash::make(QStringLiteral("pw"), 1000),
        QStringLiteral("พนักงาน"), rights);
    SignInWindow *w = SignInWindow::start();
    if (c.signIn) {
        ASSERT_NE(w, nullptr);
        control<QLineEdit>(w, "userNameBox")->setText(QStringLiteral("stock"));
        control<QLineEdit>(w, "passwordBox")->setText(QStringLiteral("pw"));
        click(control(w, "signInButton"));
    }
    settle();
    frame = MainFrame::existing();
    ASSERT_NE(frame, nullptr);
    QTest::mouseClick(control(frame, "stockTab"), Qt::LeftButton);
    page = qobject_cast<StockPage *>(frame->activePage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(button("historyButton")->Enabled(), c.enabled);
    click(button("historyButton"));
    EXPECT_EQ(historyOpened, c.enabled ? 1 : 0);
    // A reload does not give the right back.
    press(Qt::Key_F5);
    EXPECT_EQ(button("historyButton")->Enabled(), c.enabled);
}

INSTANTIATE_TEST_SUITE_P(SignIn, HistoryRight,
    ::testing::Values(HistoryRightCase { 1, false, false }, HistoryRightCase { 1, true, true },
        HistoryRightCase { 0, false, true }));

// Saves the page with products when KASMO_SCREENSHOTS names a folder (run under xvfb-run with
// QT_QPA_PLATFORM=xcb to see the real fonts).
TEST_F(StockShop, Screenshot)
{
    if (qEnvironmentVariableIsEmpty("KASMO_SCREENSHOTS"))
        GTEST_SKIP() << "set KASMO_SCREENSHOTS to a folder to save the pictures";
    for (int i = 1; i <= 30; ++i)
        add({ QStringLiteral("885%1").arg(1000 + i), QStringLiteral("สินค้าตัวอย่าง %1").arg(i),
            QStringLiteral("ขนาด %1 ml").arg(i * 50), i % 7 - 1, 3, 12.5 * i, "ชิ้น", "ของใช้",
            "ชั้น 3" });
    ASSERT_NE(open(), nullptr);
    QTest::qWait(200);
    saveScreenshot(frame->grab(), QStringLiteral("stock-page.png"));
    click(control<KasmoButton>(frame, "lowStockAlertButton"));
    QTest::qWait(100);
    saveScreenshot(frame->grab(), QStringLiteral("stock-low.png"));
}
