#include "reports/SummaryViews.h"
#include "SalesData.h"
#include "platform/db/SchemaUpgrade.h"
#include "sale/Returns.h"
#include "shell/ShopDatabase.h"
#include "support/ShellFixture.h"

using namespace SummaryViews;

namespace {

// Sale lines with every field the summaries read (tests/reports/SalesData.h).
using Line = TestLine;

void add(Connection &db, const Line &l)
{
    addLine(db, l);
}

PeriodFilter month(int item, const char *year = "2020")
{
    PeriodFilter p;
    p.monthItem = item;
    p.year = QString::fromLatin1(year);
    return p;
}

PeriodFilter wholeYear(const char *year = "2020")
{
    return month(PeriodFilter::WholeYearItem, year);
}

PeriodFilter oneDay(int item, const char *day, const char *year = "2020")
{
    PeriodFilter p = month(item, year);
    p.oneDay = true;
    p.day = QString::fromLatin1(day);
    return p;
}

PeriodFilter week()
{
    PeriodFilter p;
    p.week = true;
    p.monthItem = 3; // ignored while the week box is ticked
    p.year = QStringLiteral("1999");
    return p;
}

// Columns 1 to 7 of a row joined with "|"; hidden columns as asked.
QString shown(const QStringList &row, int last = 7)
{
    return row.mid(1, last).join(QLatin1Char('|'));
}

QStringList column(const Result &r, int col)
{
    QStringList out;
    for (const QStringList &row : r.rows)
        out << row.value(col);
    return out;
}

const QDate kToday(2020, 5, 20);

} // namespace

class SummaryData : public ShellFixture
{
protected:
    // The detailed view's packed lines are read back as texts, as the grid will show them.
    Result view(View v, const PeriodFilter &p, const QString &search = QString())
    {
        Result r = run(ShopDatabase::connection(), v, Request { p, search, kToday });
        for (size_t i = 0; i < r.lines.size(); ++i) {
            QStringList row;
            for (int c = 0; c <= Col::Count; ++c)
                row << r.lines.row(i).text(c);
            r.rows.push_back(row);
        }
        return r;
    }

    // May 2020: two receipts, the first with a discount of 10; one line in April, one in 2019.
    void mayShop()
    {
        Connection &d = db();
        add(d, { "2020-05-05 09:00:00", "INV-630500001", "A1", "น้ำดื่ม", 15, 2, 10, 10, "ขวด" });
        add(d, { "2020-05-05 09:00:00", "INV-630500001", "B2", "โดนัท", 30, 1, 20 });
        add(d, { "2020-05-10 12:00:00", "INV-630500002", "A1", "น้ำดื่ม", 15, 3, 10 });
        addDiscount(d, "2020-05-05 09:00:00", "INV-630500001", 10);
        add(d, { "2020-04-30 23:59:59", "INV-630400009", "A1", "น้ำดื่ม", 15, 7, 10 });
        add(d, { "2019-05-05 09:00:00", "INV-620500001", "A1", "น้ำดื่ม", 15, 9, 10 });
        addDiscount(d, "2020-04-30 23:59:59", "INV-630400009", 99);
    }
};

TEST_F(SummaryData, RefusalsComeBeforeAnyQueryInEveryView)
{
    PeriodFilter noMonth;
    noMonth.year = QStringLiteral("2020");
    const PeriodFilter yearWithDay = oneDay(PeriodFilter::WholeYearItem, "5");
    for (View v : { View::Detailed, View::BestSellers, View::Brief, View::PerDay }) {
        SCOPED_TRACE(int(v));
        const Result a = view(v, noMonth);
        EXPECT_EQ(a.outcome, Outcome::NoMonth);
        EXPECT_EQ(a.message, QStringLiteral("กรุณาเลือก ( เดือน ) ที่คุณต้องการก่อนการประมวลผล..."));
        EXPECT_TRUE(a.title.isEmpty());
        const Result b = view(v, yearWithDay);
        EXPECT_EQ(b.outcome, Outcome::YearWithDay);
        EXPECT_EQ(b.message, QStringLiteral("ไม่สามารถหาข้อมูลได้ (โปรดระบุเดือน) ให้ถูกต้อง.."));
        EXPECT_TRUE(b.title.isEmpty());
        EXPECT_TRUE(b.rows.empty());
    }
}

TEST_F(SummaryData, TitlesNameThePeriodOfEachView)
{
    struct Case
    {
        View view;
        PeriodFilter period;
        const char *title;
    } cases[] = {
        { View::Detailed, month(4), "สินค้าที่ขายได้  เดือน  (05) พฤษภาคม ปี 2020" },
        { View::Detailed, wholeYear(), "สินค้าที่ขายได้  ปี 2020" },
        { View::Detailed, oneDay(11, "05"), "สินค้าที่ขายได้  วันที่ 05 เดือน  (12) ธันวาคม ปี 2020" },
        { View::Detailed, week(), "สินค้าที่ขายได้ ทั้งหมด ของ สัปดาห์ นี้" },
        { View::PerDay, month(4, " 2020 "), "สินค้าที่ขายได้  เดือน  (05) พฤษภาคม ปี 2020" },
        { View::Brief, wholeYear(), "สินค้าที่ขายได้  ปี 2020" },
        { View::BestSellers, month(4), "สินค้าที่ขายดี  เดือน  (05) พฤษภาคม ปี 2020" },
        { View::BestSellers, wholeYear(), "สินค้าที่ขายดี ปี 2020" },
        { View::BestSellers, oneDay(0, "7"), "สินค้าที่ขายดี วันที่ 7 เดือน  (01) มกราคม ปี 2020" },
        { View::BestSellers, week(), "สินค้าที่ขายดี ทั้งหมด ของ สัปดาห์ นี้" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.title);
        const Result r = view(c.view, c.period);
        EXPECT_EQ(r.outcome, Outcome::NotFound);
        EXPECT_EQ(r.title, QString::fromUtf8(c.title));
        EXPECT_EQ(r.message, notFoundText(c.period.week));
        EXPECT_FALSE(r.chartLink);
    }
    EXPECT_EQ(notFoundText(true),
        QStringLiteral("ไม่พบ ข้อมูลสินค้าที่ขายได้ใน สัปดาห์นี้ ( กด F5 เพื่อ รีโหลดข้อมูล ).."));
    EXPECT_EQ(notFoundText(false),
        QStringLiteral("ไม่พบ ข้อมูล ที่คุณต้องการค้นหาใน ระบบ โปรดลองอีกครั้ง ( กด F5 เพื่อ รีโหลดข้อมูล ).."));
}

TEST_F(SummaryData, DetailedMonthListsEachLineWithItsReceiptAndTotalsThePeriod)
{
    mayShop();
    const Result r = view(View::Detailed, month(4));
    ASSERT_EQ(r.outcome, Outcome::Shown);
    EXPECT_FALSE(r.chartLink);
    ASSERT_EQ(r.rows.size(), 3u);
    // Names in Thai dictionary order: โดนัท (under ด) before น้ำดื่ม.
    EXPECT_EQ(shown(r.rows[0], 12),
        QStringLiteral("B2|โดนัท||20.00 |30.00 |1|30.00||2020-05-05|INV-630500001|0.00|30.00"));
    QStringList receipts = column(r, Col::Receipt);
    receipts.sort();
    EXPECT_EQ(receipts, (QStringList { "INV-630500001", "INV-630500001", "INV-630500002" }));
    // The first receipt's first line carries its discount.
    bool sawDiscount = false;
    for (const QStringList &row : r.rows)
        if (row[Col::Code] == QLatin1String("A1") && row[Col::Quantity] == QLatin1String("2")) {
            EXPECT_EQ(shown(row, 12),
                QStringLiteral(
                    "A1|น้ำดื่ม|ขวด|10.00 |15.00 |2|30.00||2020-05-05|INV-630500001|10.00|30.00"));
            sawDiscount = true;
        }
    EXPECT_TRUE(sawDiscount);
    // Cost 20 + 30 + 20, sales 30 + 30 + 45, the May discount 10 (April's 99 is not in).
    EXPECT_EQ(r.totals.costText(), QStringLiteral("70.00"));
    EXPECT_EQ(r.totals.discountText(), QStringLiteral("10.00"));
    EXPECT_EQ(r.totals.salesText(), QStringLiteral("95.00"));
    EXPECT_EQ(r.totals.profitText(), QStringLiteral("25.00"));
}

TEST_F(SummaryData, PeriodsCoverTheirDaysOnly)
{
    mayShop();
    add(db(), { "2020-05-13 08:00:00", "INV-630500003", "C3", "กาแฟ", 40, 1 }); // 7 days back
    add(db(), { "2020-05-25 08:00:00", "INV-630500004", "D4", "ชา", 25, 1 }); // after today
    add(db(), { "2020-05-12 23:59:59", "INV-630500005", "E5", "นม", 12, 1 }); // 8 days back
    struct Case
    {
        const char *name;
        PeriodFilter period;
        QStringList receipts;
    } cases[] = {
        { "a day", oneDay(4, "05"), { "INV-630500001" } },
        { "day 31 of April", oneDay(3, "31"), {} },
        { "day 0", oneDay(4, "0"), {} },
        { "the week: 8 calendar days and any later day", week(),
            { "INV-630500003", "INV-630500004" } },
        { "a year written short", month(4, "20"), {} },
        { "April", month(3), { "INV-630400009" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = view(View::Brief, c.period);
        EXPECT_EQ(column(r, 1), c.receipts);
        EXPECT_EQ(r.outcome, c.receipts.isEmpty() ? Outcome::NotFound : Outcome::Shown);
    }
}

TEST_F(SummaryData, SearchMatchesCodeNameOrDescriptionLiterallyAndDropsTheDiscount)
{
    mayShop();
    add(db(), { "2020-05-06 10:00:00", "INV-630500003", "A_1", "ชาเขียว", 20, 1 });
    add(db(), { "2020-05-06 10:00:00", "INV-630500003", "AB1", "ชาดำ", 20, 1, 0, 0, "100%" });
    struct Case
    {
        const char *search;
        QStringList codes;
    } cases[] = {
        { "A_1", { "A_1" } }, // "_" is no wildcard
        { "a_1", { "A_1" } }, // any letter case
        { "ขวด", { "A1" } }, // the description
        { "นัท", { "B2" } }, // the name
        { "  ", { "A1", "A1", "AB1", "A_1", "B2" } }, // blanks only: every line
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.search);
        Result r = view(View::Detailed, month(4), QString::fromUtf8(c.search));
        QStringList codes = column(r, Col::Code);
        codes.sort();
        EXPECT_EQ(codes, c.codes);
        EXPECT_EQ(r.totals.discountText(), QStringLiteral("0.00"));
    }
    const Result found = view(View::Detailed, month(4), QStringLiteral("นัท"));
    EXPECT_EQ(found.totals.salesText(), QStringLiteral("30.00"));
    EXPECT_EQ(found.totals.profitText(), QStringLiteral("10.00"));
    // The box keeps the text without the characters it cannot search for.
    EXPECT_EQ(cleanSearch(QStringLiteral(" a'b%c*d ")), QStringLiteral(" abcd "));
    EXPECT_EQ(cleanSearch(QStringLiteral("'%*")), QString());
    // The one-row views ignore any search.
    EXPECT_EQ(view(View::Brief, month(4), QStringLiteral("zzz")).rows.size(), 3u);
    EXPECT_EQ(view(View::PerDay, month(4), QStringLiteral("zzz")).rows.size(), 3u);
}

TEST_F(SummaryData, BestSellersRankProductsByQuantityWithoutMoney)
{
    mayShop();
    add(db(), { "2020-05-07 10:00:00", "INV-630500003", "C3", "กาแฟ", 40, 4, 0, 0, "", "แก้ว" });
    // The same code under another name is a product row of its own.
    add(db(), { "2020-05-08 10:00:00", "INV-630500004", "C3", "กาแฟเย็น", 45, 1 });
    const Result r = view(View::BestSellers, month(4));
    ASSERT_EQ(r.outcome, Outcome::Shown);
    ASSERT_EQ(r.rows.size(), 5u);
    EXPECT_EQ(column(r, Col::Quantity), (QStringList { "4", "3", "2", "1", "1" }));
    EXPECT_EQ(shown(r.rows[0]), QStringLiteral("C3|กาแฟ||||4|แก้ว"));
    // The same code under another description is a row of its own; no money shows.
    EXPECT_EQ(shown(r.rows[2], 12), QStringLiteral("A1|น้ำดื่ม|ขวด|||2|ชิ้น|||||"));
    EXPECT_FALSE(r.chartLink);
    EXPECT_EQ(r.totals.costText(), QStringLiteral("0.00"));
    EXPECT_EQ(r.totals.discountText(), QStringLiteral("0.00"));
    EXPECT_EQ(r.totals.salesText(), QStringLiteral("0.00"));
    EXPECT_EQ(r.totals.profitText(), QStringLiteral("0.00"));
    // Whole year: the chart link stays off.
    EXPECT_FALSE(view(View::BestSellers, wholeYear()).chartLink);
}

TEST_F(SummaryData, BriefGivesOneRowPerReceiptWithItsDiscountTotalAndNet)
{
    mayShop();
    // A discount above the receipt's total; a receipt number without "INV-"; a product code
    // holding "INV-" is an ordinary line.
    add(db(), { "2020-05-11 10:00:00", "INV-630500003", "INV-X", "ถุง", 5, 1, 0, 8 });
    add(db(), { "2020-05-12 10:00:00", "OLD-0001", "A1", "น้ำดื่ม", 15, 1 });
    const Result r = view(View::Brief, month(4));
    ASSERT_EQ(r.outcome, Outcome::Shown);
    std::vector<QString> rows;
    for (const QStringList &row : r.rows) {
        rows.push_back(shown(row, 4));
        EXPECT_EQ(row.mid(5).join(QString()), QString()); // header rows: column 9 empty
    }
    EXPECT_EQ(rows,
        (std::vector<QString> {
            "INV-630500001|10.00 |60.00 | 50.00 ",
            "INV-630500002|0.00 |45.00 | 45.00 ",
            "INV-630500003|8.00 |5.00 | -3.00 ",
            "OLD-0001|0.00 |15.00 | 15.00 ",
        }));
    EXPECT_EQ(r.columnOneHeader, QStringLiteral("(4) เลขที่ใบเสร็จ"));
    // The labels cover the whole period as the detailed view's do.
    const Result detailed = view(View::Detailed, month(4));
    EXPECT_EQ(r.totals.costText(), detailed.totals.costText());
    EXPECT_EQ(r.totals.salesText(), QStringLiteral("115.00"));
    EXPECT_EQ(r.totals.discountText(), QStringLiteral("10.00"));
    EXPECT_EQ(view(View::Brief, wholeYear()).chartLink, true);
    EXPECT_EQ(view(View::Brief, oneDay(4, "5")).columnOneHeader, QStringLiteral("(1) เลขที่ใบเสร็จ"));
}

TEST_F(SummaryData, PerDaySumsEachDayInCalendarOrderAndEachMonthOverAYear)
{
    Connection &d = db();
    // Three receipts on 5 May, one with a discount of 20; 10 May; 1 June.
    add(d, { "2020-05-05 09:00:00", "INV-630500001", "A1", "น้ำดื่ม", 15, 2, 10, 20 });
    add(d, { "2020-05-05 09:00:00", "INV-630500001", "B2", "ขนมปัง", 30, 1, 20 });
    add(d, { "2020-05-05 10:00:00", "INV-630500002", "A1", "น้ำดื่ม", 15, 1, 10 });
    add(d, { "2020-05-05 11:00:00", "INV-630500003", "C3", "กาแฟ", 40, 1, 25 });
    addDiscount(d, "2020-05-05 09:00:00", "INV-630500001", 20);
    add(d, { "2020-05-10 12:00:00", "INV-630500004", "A1", "น้ำดื่ม", 15, 3, 10 });
    add(d, { "2020-06-01 12:00:00", "INV-630600001", "A1", "น้ำดื่ม", 1234.5, 1, 10 });

    const Result may = view(View::PerDay, month(4));
    ASSERT_EQ(may.outcome, Outcome::Shown);
    std::vector<QString> rows;
    for (const QStringList &row : may.rows)
        rows.push_back(shown(row, 12));
    EXPECT_EQ(rows,
        (std::vector<QString> {
            "05/05/2020|20.00 |115.00 | 95.00 ||||||2020-05-05||",
            "10/05/2020|0.00 |45.00 | 45.00 ||||||2020-05-10||",
        }));
    EXPECT_EQ(may.columnOneHeader, QStringLiteral("(2) รายการ"));
    EXPECT_FALSE(may.chartLink);
    EXPECT_EQ(may.totals.discountText(), QStringLiteral("20.00"));
    EXPECT_EQ(may.totals.salesText(), QStringLiteral("140.00"));
    EXPECT_EQ(may.totals.costText(), QStringLiteral("105.00"));

    const Result year = view(View::PerDay, wholeYear());
    rows.clear();
    for (const QStringList &row : year.rows)
        rows.push_back(shown(row, 4));
    EXPECT_EQ(rows,
        (std::vector<QString> {
            "เดือน 05-2020|20.00 |160.00 | 140.00 ",
            "เดือน 06-2020|0.00 |1,234.50 | 1,234.50 ",
        }));
    EXPECT_EQ(year.columnOneHeader, QStringLiteral("(2) รายการ"));
    EXPECT_TRUE(year.chartLink);

    // The week runs over two months in calendar order.
    add(d, { "2020-05-30 12:00:00", "INV-630500005", "A1", "น้ำดื่ม", 15, 1, 10 });
    const Result w
        = run(ShopDatabase::connection(), View::PerDay, Request { week(), {}, QDate(2020, 6, 3) });
    EXPECT_EQ(column(w, 1), (QStringList { "30/05/2020", "01/06/2020" }));
    EXPECT_FALSE(w.chartLink);
}

// Lines of a receipt that agree in every grouped column (codes differing only in the case of
// their letters, as the column compares them) are one detailed row: the first line's texts, the
// quantities added, the amount rounded once, the recorded discount once. The one-row views count
// them the same way, and all views give the same totals.
TEST_F(SummaryData, LinesThatAgreeInEveryGroupedColumnAreOneRowInEveryView)
{
    Connection &d = db();
    const char *when = "2020-05-05 09:00:00";
    add(d, { when, "INV-1", "A1", " น้ำดื่ม", 15, 2, 10, 5 });
    add(d, { when, "INV-1", "a1", " น้ำดื่ม", 15, 1, 10 });
    add(d, { when, "INV-1", "C3", " กาแฟ", 0.125, 1 });
    add(d, { when, "INV-1", "A1", " น้ำดื่ม", 15, 3, 10 });
    add(d, { when, "INV-1", "B2", " ขนม", 20, 1, 12, 7 });
    add(d, { when, "INV-1", "C3", " กาแฟ", 0.125, 1 });
    add(d, { when, "INV-1", "B2", " ขนม", 20, 1, 12, 7 });
    addDiscount(d, when, "INV-1", 12);
    add(d, { "2020-05-06 10:00:00", "INV-2", "A1", " น้ำดื่ม", 15, 1, 10 });

    const Result detailed = view(View::Detailed, month(4));
    std::vector<QString> rows;
    for (const QStringList &row : detailed.rows)
        if (row[Col::Receipt] == QLatin1String("INV-1"))
            rows.push_back(shown(row, 12));
    // By name in Thai order; the two rows of น้ำดื่ม by their recorded discount.
    EXPECT_EQ(rows,
        (std::vector<QString> {
            "C3| กาแฟ||0.00 |0.13 |2|0.25||2020-05-05|INV-1|0.00|0.25",
            "B2| ขนม||12.00 |20.00 |2|40.00||2020-05-05|INV-1|7.00|40.00",
            "a1| น้ำดื่ม||10.00 |15.00 |4|60.00||2020-05-05|INV-1|0.00|60.00",
            "A1| น้ำดื่ม||10.00 |15.00 |2|30.00||2020-05-05|INV-1|5.00|30.00",
        }));

    const Result brief = view(View::Brief, month(4));
    rows.clear();
    for (const QStringList &row : brief.rows)
        rows.push_back(shown(row, 4));
    EXPECT_EQ(rows,
        (std::vector<QString> { "INV-1|12.00 |130.25 | 118.25 ", "INV-2|0.00 |15.00 | 15.00 " }));
    const Result perDay = view(View::PerDay, month(4));
    rows.clear();
    for (const QStringList &row : perDay.rows)
        rows.push_back(shown(row, 4));
    EXPECT_EQ(rows,
        (std::vector<QString> {
            "05/05/2020|12.00 |130.25 | 118.25 ", "06/05/2020|0.00 |15.00 | 15.00 " }));

    // The labels price every line as shown: 2 x 0.13 for the two lines of กาแฟ.
    for (const Result *r : { &detailed, &brief, &perDay }) {
        EXPECT_EQ(r->totals.costText(), QStringLiteral("94.00"));
        EXPECT_EQ(r->totals.discountText(), QStringLiteral("12.00"));
        EXPECT_EQ(r->totals.salesText(), QStringLiteral("133.26"));
        EXPECT_EQ(r->totals.profitText(), QStringLiteral("39.26"));
    }
}

// Detailed rows come by receipt number without regard to case, byte by byte: numbers that
// agree in their first sixteen bytes, numbers that begin with another, a Thai number after the
// others. Two numbers differing only in case are one receipt, its rows by name.
TEST_F(SummaryData, DetailedRowsComeInTheOrderOfTheirReceiptNumbers)
{
    Connection &d = db();
    const char *when = "2020-05-05 09:00:00";
    for (const auto &[receipt, name] :
        std::vector<std::pair<const char *, const char *>> { { "INV-9", "ก" },
            { "INV-2026-05-0001-B", "ก" }, { "ใบ-1", "ก" }, { "INV-2026-05-00010", "ก" },
            { "INV-2026-05-0001-A-2", "ก" }, { "inv-2026-05-0001-b", "ข" },
            { "INV-2026-05-0001", "ก" }, { "INV-2026-05-0001-a", "ก" }, { "INV-10", "ก" } })
        add(d, { when, receipt, "A1", name, 10, 1, 5 });

    EXPECT_EQ(column(view(View::Detailed, month(4)), Col::Receipt),
        (QStringList { "INV-10", "INV-2026-05-0001", "INV-2026-05-0001-a", "INV-2026-05-0001-A-2",
            "INV-2026-05-0001-B", "inv-2026-05-0001-b", "INV-2026-05-00010", "INV-9", "ใบ-1" }));
}

// A line written with a negative quantity: the one-row views round its group's amount as the
// detailed row shows it, halves away from zero on the side of the amount.
TEST_F(SummaryData, ANegativeGroupAmountShowsAsInTheDetailedRow)
{
    Connection &d = db();
    add(d, { "2020-05-05 09:00:00", "INV-1", "A1", " น้ำดื่ม", 10, 1 });
    add(d, { "2020-05-05 09:00:00", "INV-1", "A1", " น้ำดื่ม", 10, -3 });
    add(d, { "2020-05-05 09:00:00", "INV-1", "C3", " กาแฟ", 0.125, -1 });
    const Result detailed = view(View::Detailed, month(4));
    ASSERT_EQ(detailed.rows.size(), 2u);
    EXPECT_EQ(detailed.rows[0][Col::LineAmount], QStringLiteral("-0.13"));
    EXPECT_EQ(detailed.rows[1][Col::LineAmount], QStringLiteral("-20.00"));
    const Result brief = view(View::Brief, month(4));
    ASSERT_EQ(brief.rows.size(), 1u);
    EXPECT_EQ(shown(brief.rows[0], 4), QStringLiteral("INV-1|0.00 |-20.13 | -20.13 "));
    const Result perDay = view(View::PerDay, month(4));
    ASSERT_EQ(perDay.rows.size(), 1u);
    EXPECT_EQ(shown(perDay.rows[0], 4), QStringLiteral("05/05/2020|0.00 |-20.13 | -20.13 "));
}

TEST_F(SummaryData, AFailingQueryThrowsAndGivesNoResult)
{
    mayShop();
    Connection::setStatementHook([](const QString &sql) {
        if (sql.contains(QLatin1String("tblRMoney")))
            throw DbError(QStringLiteral("disk I/O error"), 10);
    });
    EXPECT_THROW(view(View::Detailed, month(4)), DbError);
    EXPECT_THROW(view(View::PerDay, month(4)), DbError);
    // A search takes no discount, so it runs.
    EXPECT_EQ(view(View::Detailed, month(4), QStringLiteral("A")).outcome, Outcome::Shown);
    Connection::setStatementHook({});
}

TEST_F(SummaryData, AfterASingleLineReturnTheBillSumsToWhatTheCustomerFinallyPaid)
{
    Connection &d = db();
    d.execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDvalue) VALUES "
                             "(1, 'A1', 'น้ำดื่ม', 7), (2, 'B2', 'โดนัท', 9)"));
    add(d, { "2020-05-05 09:00:00", "INV-630500001", "A1", "น้ำดื่ม", 15, 3, 10 });
    add(d, { "2020-05-05 09:00:00", "INV-630500001", "B2", "โดนัท", 30, 1, 20 });
    const std::optional<StoredBill> bill = loadBill(d, QStringLiteral("INV-630500001"));
    ASSERT_TRUE(bill);
    returnBillLine(d, bill->number, bill->lines.first().key, 1,
        ReturnStamp { QStringLiteral("admin"), QDateTime(QDate(2020, 5, 6), QTime(9, 0)) });

    // The customer paid 2 x 15 + 30 in the end.
    const Result detailed = view(View::Detailed, month(4));
    Currency total;
    for (const QStringList &row : detailed.rows)
        total += Currency::fromText(row[Col::LineAmount]);
    EXPECT_EQ(total.format(), QStringLiteral("60.00"));
    EXPECT_EQ(detailed.totals.salesText(), QStringLiteral("60.00"));
    EXPECT_EQ(detailed.totals.costText(), QStringLiteral("40.00"));
    const Result brief = view(View::Brief, month(4));
    ASSERT_EQ(brief.rows.size(), 1u);
    EXPECT_EQ(shown(brief.rows[0], 4), QStringLiteral("INV-630500001|0.00 |60.00 | 60.00 "));
}

// The per-day view follows every later change of the lines: a returned line, a whole bill
// returned, and lines deleted or moved to another day by hand. A line is in the period by its
// date-time and shown under its own date, even where the two disagree.
TEST_F(SummaryData, PerDayFollowsReturnsAndLinesChangedAfterTheSale)
{
    Connection &d = db();
    d.execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDvalue) VALUES "
                             "(1, 'A1', 'น้ำดื่ม', 7), (2, 'B2', 'โดนัท', 9)"));
    add(d, { "2020-05-05 09:00:00", "INV-630500001", "A1", "น้ำดื่ม", 15, 3, 10 });
    add(d, { "2020-05-05 09:00:00", "INV-630500001", "B2", "โดนัท", 30, 1, 20 });
    add(d, { "2020-05-05 10:00:00", "INV-630500002", "A1", "น้ำดื่ม", 15, 2, 10 });
    add(d, { "2020-05-06 12:00:00", "INV-630500003", "C3", "กาแฟ", 40, 1, 25, 5 });
    add(d, { "2020-05-06 12:00:00", "INV-630500003", "C3", "กาแฟ", 40.125, 1, 25 });
    add(d, { "2020-06-01 00:10:00", "INV-630600001", "A1", "น้ำดื่ม", 12, 1, 10 });
    d.execute(QStringLiteral("UPDATE tblLog SET Ldate2 = '2020-05-31' WHERE Lno = ?"),
        { QStringLiteral("INV-630600001") });
    const auto rows = [&](const PeriodFilter &p) {
        const Result r = view(View::PerDay, p);
        QStringList out;
        for (const QStringList &row : r.rows)
            out << shown(row, 4);
        out << r.totals.costText() + QLatin1Char('/') + r.totals.salesText();
        return out;
    };
    EXPECT_EQ(rows(month(4)),
        (QStringList { "05/05/2020|0.00 |105.00 | 105.00 ", "06/05/2020|5.00 |80.13 | 75.13 ",
            "120.00/185.13" }));

    const ReturnStamp stamp { QStringLiteral("admin"), QDateTime(QDate(2020, 5, 7), QTime(9, 0)) };
    const std::optional<StoredBill> bill = loadBill(d, QStringLiteral("INV-630500001"));
    ASSERT_TRUE(bill);
    ASSERT_EQ(bill->lines.first().code, QStringLiteral("A1"));
    returnBillLine(d, bill->number, bill->lines.first().key, 1, stamp);
    returnWholeBill(d, QStringLiteral("INV-630500002"), stamp);
    d.execute(QStringLiteral("DELETE FROM tblLog WHERE Lno = ? AND Lsell = 40"),
        { QStringLiteral("INV-630500003") });
    d.execute(QStringLiteral("UPDATE tblLog SET Ldate = '2020-05-07 08:00:00', Ldate2 = "
                             "'2020-05-07', Lvalue = 2 WHERE Lsn = 'B2'"));
    EXPECT_EQ(rows(month(4)),
        (QStringList { "05/05/2020|0.00 |30.00 | 30.00 ", "06/05/2020|0.00 |40.13 | 40.13 ",
            "07/05/2020|0.00 |60.00 | 60.00 ", "85.00/130.13" }));
    EXPECT_EQ(rows(month(5)), (QStringList { "31/05/2020|0.00 |12.00 | 12.00 ", "10.00/12.00" }));

    // Every line of a day gone: the day goes too.
    d.execute(QStringLiteral("DELETE FROM tblLog WHERE Ldate2 = '2020-05-05'"));
    EXPECT_EQ(rows(month(4)),
        (QStringList { "06/05/2020|0.00 |40.13 | 40.13 ", "07/05/2020|0.00 |60.00 | 60.00 ",
            "65.00/100.13" }));
}

// A file of the version before gets the day totals of the lines it already holds.
TEST_F(SummaryData, UpgradeFromTheVersionBeforeTotalsTheLinesAlreadyThere)
{
    Connection &d = db();
    d.executeScript(QStringLiteral(
        "DROP TRIGGER trDayTotalInsert; DROP TRIGGER trDayTotalDelete; "
        "DROP TRIGGER trDayTotalUpdate; DROP TABLE tblDayTotal; DROP INDEX ixLogAdjust; "
        "PRAGMA user_version = 2;"));
    add(d, { "2020-05-05 09:00:00", "INV-630500001", "A1", "น้ำดื่ม", 15, 3, 10, 5 });
    add(d, { "2020-05-05 09:00:00", "INV-630500001", "A1", "น้ำดื่ม", 15, 1, 10, 5 });
    add(d, { "2020-05-06 12:00:00", "INV-630500002", "C3", "กาแฟ", 40.125, 1, 25 });
    // The database tool's upgrade, with the delivered scripts.
    EXPECT_EQ(
        upgradeDatabase(folder.databasePath(), sourceDataFile(QStringLiteral("upgrade")), 3, true),
        2);
    EXPECT_EQ(schemaVersion(d), 3);
    add(d, { "2020-05-06 13:00:00", "INV-630500003", "B2", "โดนัท", 30, 1, 20 });
    const Result r = view(View::PerDay, month(4));
    QStringList shownRows;
    for (const QStringList &row : r.rows)
        shownRows << shown(row, 4);
    EXPECT_EQ(shownRows,
        (QStringList { "05/05/2020|5.00 |60.00 | 55.00 ", "06/05/2020|0.00 |70.13 | 70.13 " }));
    EXPECT_EQ(r.totals.costText(), QStringLiteral("85.00"));
    EXPECT_EQ(r.totals.salesText(), QStringLiteral("130.13"));
}
