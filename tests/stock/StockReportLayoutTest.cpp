#include "stock/StockReportLayout.h"
#include "FixedRows.h"
#include "platform/ui/Clock.h"
#include "support/RecordingPaintDevice.h"

#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

constexpr int RowsPerPage = 46;

const DrawOp *findText(const ReportPage &page, const QString &text)
{
    for (const DrawOp &op : page.ops)
        if (op.kind == DrawOp::Text && op.text == text)
            return &op;
    return nullptr;
}

// The lines that reach the paint engine when the page is drawn one device unit per twip.
QList<QLineF> drawnLines(const ReportDocument &doc, int page)
{
    RecordingDevice device;
    QPainter p(&device);
    doc.renderPage(p, page, QRectF(QPointF(0, 0), doc.paperSize));
    p.end();
    return device.engine.lines;
}

// The vertical lines that run down the page body, by their x.
QList<double> separators(const ReportDocument &doc, int page)
{
    QList<double> xs;
    for (const QLineF &l : drawnLines(doc, page))
        if (qAbs(l.dx()) < 0.01 && qAbs(l.dy()) > 10000) {
            EXPECT_NEAR(qMin(l.y1(), l.y2()), StockReportLayout::SeparatorTop, 0.01);
            EXPECT_NEAR(qMax(l.y1(), l.y2()), StockReportLayout::SeparatorBottom, 0.01);
            xs << l.x1();
        }
    std::sort(xs.begin(), xs.end());
    return xs;
}

QList<double> asDoubles(const QList<float> &xs)
{
    QList<double> out;
    for (float x : xs)
        out << x;
    return out;
}

class StockReport : public ::testing::Test
{
protected:
    void SetUp() override { Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(23, 5, 9))); }
    void TearDown() override { Clock::clearFixed(); }
};

const QString Money = QStringLiteral("[ ต้นทุนสินค้า : 1,000.00  |  ส่วนลดรวม : 20.00  |  "
                                     "รวมยอดขาย (ไม่หักต้นทุน) : 1,480.00  |  "
                                     "กำไรหลังหักต้นทุน : 480.00 ]");

TEST_F(StockReport, OneRecordPerRowAndPagesFollowTheRowsPerPage)
{
    const std::pair<int, int> cases[] = { { 0, 1 }, { 1, 1 }, { RowsPerPage, 1 },
        { RowsPerPage + 1, 2 }, { 2 * RowsPerPage, 2 }, { 2 * RowsPerPage + 1, 3 } };
    for (const auto &[rows, pages] : cases) {
        SCOPED_TRACE(rows);
        const FixedRows source = stockList(rows);
        StockReportLayout report(source);
        const ReportDocument &doc = report.run();
        EXPECT_EQ(report.rowTotal(), rows);
        ASSERT_EQ(doc.pageCount(), pages);
        QStringList codes;
        for (const QString &t : doc.texts())
            if (t.startsWith(QStringLiteral("PD-69")))
                codes << t;
        ASSERT_EQ(codes.size(), rows);
        for (int i = 0; i < rows; ++i)
            EXPECT_EQ(codes[i], QStringLiteral("PD-69%1").arg(i + 1, 7, 10, QLatin1Char('0')));
        // Every page but the last is full; each ends with its page number and the count.
        for (int p = 0; p < pages; ++p) {
            const QStringList texts = doc.pages[p].texts();
            ASSERT_GE(texts.size(), 4);
            EXPECT_EQ(texts.mid(texts.size() - 4),
                QStringList({ "หน้า:", QString::number(p + 1), "/", QString::number(pages) }));
            int onPage = 0;
            for (const QString &t : texts)
                onPage += t.startsWith(QStringLiteral("PD-69"));
            EXPECT_EQ(onPage, p + 1 < pages ? RowsPerPage : rows - p * RowsPerPage);
        }
    }
}

TEST_F(StockReport, MoreRowsThanASixteenBitCounterHoldsAllPrint)
{
    const int rows = 33000;
    const FixedRows source = stockList(rows);
    StockReportLayout report(source);
    const ReportDocument &doc = report.run();
    EXPECT_EQ(doc.pageCount(), (rows + RowsPerPage - 1) / RowsPerPage);
    const QStringList last = doc.pages.last().texts();
    EXPECT_TRUE(last.contains(QStringLiteral("PD-69%1").arg(rows, 7, 10, QLatin1Char('0'))));
    EXPECT_EQ(report.rowNo(), rows + 1);
}

// The whole first page of each printout from one or two rows, in reading order.
struct PageCase
{
    const char *name;
    FixedRows source;
    QStringList texts;
};

std::vector<PageCase> pageCases()
{
    std::vector<PageCase> cases;
    const QStringList designed = { "รหัส (บาร์โค๊ด)", "ชื่อสินค้า", "รายละเอียด" };

    FixedRows goods = goodsReceived(1);
    cases.push_back({ "goodsReceived", goods,
        QStringList {
            "วันเวลาที่ทำรายการ    [ 08/12/2026 23:05:09 ]", "อัพเดทสต๊อก เลขที่    [ SA-691200007 ]" }
            + designed
            + QStringList { "จำนวน", "หน่วยนับ", "ราคาทุน", "รวมจำนวนเงิน", "885000001",
                "น้ำดื่ม ตราช้าง 1", "ขวด 600 มล.", " 12", "ขวด", "5.50", "66.00", "หน้า:", "1", "/",
                "1", "หมายเหตุ [ รับของจากร้านส่ง ]", "ยอดต้นทุนทั้งหมด [ 1,237.50 ] บาท" } });

    FixedRows noRemark = goodsReceived(1);
    noRemark.texts.remove(StockReportSource::Text::Remark);
    QStringList noRemarkTexts = cases.back().texts;
    noRemarkTexts[noRemarkTexts.size() - 2] = QStringLiteral("หมายเหตุ [  ]");
    cases.push_back({ "goodsReceivedWithoutRemark", noRemark, noRemarkTexts });

    FixedRows list;
    list.add({ " PD-690000001 ", " กาแฟ ", " ซอง ", " 7 ", "ซอง", "12.00", "เครื่องดื่ม", "ชั้น A" });
    cases.push_back({ "stockList", list,
        QStringList { "วันเวลาที่ทำรายการ    [ 08/12/2026 23:05:09 ]" } + designed
            + QStringList { " คงเหลือ", "หน่วยนับ", "ราคาขาย", "สถานที่จัดเก็บ", "PD-690000001", "กาแฟ",
                "ซอง", " 7 ", "ซอง", "12.00", "ชั้น A", "หน้า:", "1", "/", "1" } });

    FixedRows detailed = detailedSummary(1, 1);
    cases.push_back({ "summaryDetailed", detailed,
        QStringList { Money } + designed
            + QStringList { "ขายได้", "ราคาทุน", "ราคาขาย", "รวมจำนวนเงิน", "INV-691200001",
                "ส่วนลด 10.00 บาท", "ยอดรวม 740.00 บาท", "หักส่วนลดเหลือ 730.00 บาท", "8850001",
                "ขนม 1", "ถุงเล็ก", "1", "50.00", "74.00", "74.00", "หน้า:", "1", "/", "1",
                "สรุปยอดขาย เดือน ธันวาคม 2026" } });

    FixedRows best;
    summaryTexts(best);
    best.mode = SummaryMode::BestSellers;
    best.add({ "8850001", "ขนม 1", "ถุงเล็ก", "50.00", "74.00", "15", "ถุง" });
    cases.push_back({ "summaryBestSellers", best,
        QStringList { "สรุปยอดขาย เดือน ธันวาคม 2026" } + designed
            + QStringList { "ราคาทุน", "ราคาขาย", "ขายได้", "หน่วยนับ", "8850001", "ขนม 1", "ถุงเล็ก",
                "15", "ถุง", "หน้า:", "1", "/", "1" } });

    FixedRows brief;
    summaryTexts(brief);
    brief.mode = SummaryMode::Brief;
    brief.header = QStringLiteral("(2) เลขที่ใบเสร็จ");
    brief.add({ "INV-691200001", "10.00 ", "740.00 ", " 730.00 " });
    brief.add({ "INV-691200002", "0.00 ", "55.00 ", " 55.00 " });
    cases.push_back({ "summaryBrief", brief,
        QStringList { Money, "(2) เลขที่ใบเสร็จ", "ส่วนลด (บาท)", "ยอดรวม (บาท)", "หักส่วนลดเหลือ (บาท)",
            "INV-691200001", "10.00", "740.00", "730.00", "INV-691200002", "0.00", "55.00", "55.00",
            "หน้า:", "1", "/", "1", "สรุปยอดขาย เดือน ธันวาคม 2026" } });
    return cases;
}

TEST_F(StockReport, EachPrintoutsFirstPage)
{
    for (const PageCase &c : pageCases()) {
        SCOPED_TRACE(c.name);
        StockReportLayout report(c.source);
        const ReportDocument &doc = report.run();
        ASSERT_EQ(doc.pageCount(), 1);
        EXPECT_EQ(doc.pages[0].texts(), c.texts);
        EXPECT_NEAR(doc.paperSize.width(), 11905.512, 0.01); // A4 portrait
        EXPECT_NEAR(doc.paperSize.height(), 16837.795, 0.01);
    }
}

TEST_F(StockReport, TheStockListIsDatedWhenItRuns)
{
    const FixedRows source = stockList(1);
    StockReportLayout report(source);
    Clock::setFixed(QDateTime(QDate(2026, 12, 9), QTime(8, 1, 2)));
    const QStringList texts = report.run().pages[0].texts();
    EXPECT_EQ(texts.value(0), QStringLiteral("วันเวลาที่ทำรายการ    [ 09/12/2026 08:01:02 ]"));
}

TEST_F(StockReport, HeaderAndFooterOnEveryPageOfAGoodsReceivedDocument)
{
    const FixedRows source = goodsReceived(2 * RowsPerPage + 5);
    StockReportLayout report(source);
    const ReportDocument &doc = report.run();
    ASSERT_EQ(doc.pageCount(), 3);
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        const QStringList texts = doc.pages[p].texts();
        EXPECT_EQ(texts.mid(0, 2),
            QStringList({ "วันเวลาที่ทำรายการ    [ 08/12/2026 23:05:09 ]",
                "อัพเดทสต๊อก เลขที่    [ SA-691200007 ]" }));
        EXPECT_EQ(texts.mid(texts.size() - 6),
            QStringList({ "หน้า:", QString::number(p + 1), "/", "3", "หมายเหตุ [ รับของจากร้านส่ง ]",
                "ยอดต้นทุนทั้งหมด [ 1,237.50 ] บาท" }));
    }
}

TEST_F(StockReport, SeparatorsOnEveryPage)
{
    struct Case
    {
        const char *name;
        FixedRows source;
        const QList<float> &xs;
    };
    FixedRows best = stockList(60);
    summaryTexts(best);
    best.mode = SummaryMode::BestSellers;
    FixedRows brief = stockList(60);
    summaryTexts(brief);
    brief.mode = SummaryMode::Brief;
    const Case cases[] = {
        { "goodsReceived", goodsReceived(60), StockReportLayout::SeparatorsAll },
        { "stockList", stockList(60), StockReportLayout::SeparatorsAll },
        { "summaryDetailed", detailedSummary(12, 4), StockReportLayout::SeparatorsAll },
        { "summaryBestSellers", best, StockReportLayout::SeparatorsAll },
        { "summaryBrief", brief, StockReportLayout::SeparatorsBrief },
        { "empty", stockList(0), StockReportLayout::SeparatorsAll },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        StockReportLayout report(c.source);
        const ReportDocument &doc = report.run();
        EXPECT_EQ(doc.pageCount(), c.source.rowCount() ? 2 : 1);
        for (int p = 0; p < doc.pageCount(); ++p)
            EXPECT_EQ(separators(doc, p), asDoubles(c.xs)) << "page " << p + 1;
    }
    EXPECT_EQ(StockReportLayout::SeparatorsAll,
        QList<float>({ 300, 2140, 4552, 7110, 7950, 8940, 10080, 11630 }));
    EXPECT_EQ(StockReportLayout::SeparatorsBrief, QList<float>({ 300, 2140, 4552, 7110, 11630 }));
}

TEST_F(StockReport, RulesAndColumnLines)
{
    const FixedRows source = stockList(3);
    StockReportLayout report(source);
    const ReportDocument &doc = report.run();
    QList<double> columnLines;
    int greyRules = 0;
    for (const DrawOp &op : doc.pages[0].ops) {
        if (op.kind != DrawOp::Line)
            continue;
        if (op.color == QColor(128, 128, 128)) {
            ++greyRules;
            EXPECT_NEAR(op.line.x1(), 300, 0.01);
            EXPECT_NEAR(op.line.x2(), 300 + 11339, 0.01);
            EXPECT_NEAR(op.line.dy(), 0, 0.01);
        } else if (qAbs(op.line.dy()) < 1000) {
            columnLines << op.line.x1();
            EXPECT_NEAR(op.line.y1(), 300 + 567, 0.01);
            EXPECT_NEAR(op.line.y2(), 300 + 992, 0.01);
        }
    }
    EXPECT_EQ(greyRules, 3 + 1); // one under every row, one over the footer
    EXPECT_EQ(columnLines, QList<double>({ 2143, 4552, 7103, 7954, 8946, 10080 }));
}

TEST_F(StockReport, DetailedSummaryHeaderRowsAndLineRows)
{
    FixedRows source;
    summaryTexts(source);
    source.mode = SummaryMode::Detailed;
    // A line row before any header row, a header row, a line row, and a line row whose date
    // column is empty (printed as a header row).
    source.add({ "A1", "ชาเขียว", "ขวด", "10.00", "15.00", "2", "30.00", "", "2026-12-08" });
    source.add({ "INV-691200001", " ส่วนลด 0.00 บาท", " ยอดรวม 30.00 บาท", " หักส่วนลดเหลือ 30.00 บาท",
        "", "", "", "", "" });
    source.add({ "B2", "ขนมปัง", "ห่อ", "20.00", "25.00", "1", "25.00", "", "2026-12-08" });
    source.add({ "C3", "นม", "กล่อง", " 12.00 ", "15.00", "1", "15.00", "", "" });
    StockReportLayout report(source);
    const ReportPage &page = report.run().pages[0];

    struct Expect
    {
        const char *text;
        double size;
        bool bold;
    };
    const Expect fonts[] = {
        { "A1", 14, false },
        { "ชาเขียว", 14, false },
        { "ขวด", 14, false },
        { "10.00", 14.5, false }, // text4 before any header row keeps its design size
        { "INV-691200001", 13, true },
        { "ส่วนลด 0.00 บาท", 13, true },
        { "ยอดรวม 30.00 บาท", 13, true },
        { "B2", 14, false },
        { "ขนมปัง", 14, false },
        { "20.00", 13, false }, // text4 keeps the 13 pt of the last header row
        { "C3", 13, true },
        { "นม", 13, true },
    };
    for (const Expect &f : fonts) {
        SCOPED_TRACE(f.text);
        const DrawOp *op = findText(page, QString::fromUtf8(f.text));
        ASSERT_NE(op, nullptr);
        EXPECT_DOUBLE_EQ(op->font.size, f.size);
        EXPECT_EQ(op->font.bold, f.bold);
    }
    // Header rows show column 4 trimmed across the number columns, not in text4.
    for (const char *net : { "หักส่วนลดเหลือ 30.00 บาท", "12.00" }) {
        const DrawOp *op = findText(page, QString::fromUtf8(net));
        ASSERT_NE(op, nullptr) << net;
        EXPECT_NEAR(op->rect.left(), 300 + 6850, 0.01);
        EXPECT_NEAR(op->rect.width(), 4350, 0.01);
        EXPECT_EQ(op->alignment, int(Qt::AlignRight));
        EXPECT_DOUBLE_EQ(op->font.size, 13);
    }
    EXPECT_EQ(findText(page, QStringLiteral(" หักส่วนลดเหลือ 30.00 บาท")), nullptr);
    EXPECT_EQ(findText(page, QStringLiteral(" 12.00 ")), nullptr);
}

TEST_F(StockReport, BriefSummaryMovesTheNetAcrossAndDropsThreeColumns)
{
    FixedRows source;
    summaryTexts(source);
    source.mode = SummaryMode::Brief;
    source.header = QStringLiteral("(1) เลขที่ใบเสร็จ");
    source.add({ "INV-691200001", "10.00 ", "740.00 ", " 730.00 ", "x5", "x6", "x7" });
    StockReportLayout report(source);
    const ReportDocument &doc = report.run();
    const ReportPage &page = doc.pages[0];
    struct Place
    {
        const char *text;
        double left, width;
        int alignment;
    };
    const Place places[] = {
        { "หักส่วนลดเหลือ (บาท)", 6850, 4350, Qt::AlignRight },
        { "730.00", 6850, 4350, Qt::AlignRight },
        { "ส่วนลด (บาท)", 1930, 2126, Qt::AlignRight },
        { "ยอดรวม (บาท)", 4350, 2267, Qt::AlignRight },
        { "10.00", 1900, 2250, Qt::AlignRight },
        { "740.00", 4300, 2267, Qt::AlignRight },
        { "(1) เลขที่ใบเสร็จ", 0, 1843, Qt::AlignHCenter },
    };
    for (const Place &p : places) {
        SCOPED_TRACE(p.text);
        const DrawOp *op = findText(page, QString::fromUtf8(p.text));
        ASSERT_NE(op, nullptr);
        EXPECT_NEAR(op->rect.left(), 300 + p.left, 0.01);
        EXPECT_NEAR(op->rect.width(), p.width, 0.01);
        EXPECT_EQ(op->alignment, p.alignment);
    }
    for (const char *hidden : { "x5", "x6", "x7" })
        EXPECT_EQ(findText(page, QString::fromLatin1(hidden)), nullptr) << hidden;
    // Only the first three column lines of the caption band stay.
    QList<double> columnLines;
    for (const QLineF &l : drawnLines(doc, 0))
        if (qAbs(l.dx()) < 0.01 && qAbs(l.dy()) > 100 && qAbs(l.dy()) < 1000)
            columnLines << l.x1();
    std::sort(columnLines.begin(), columnLines.end());
    EXPECT_EQ(columnLines, QList<double>({ 2143, 4552, 7103 }));
}

TEST_F(StockReport, TheMoneyLineStaysOnOneLineWithinItsBox)
{
    using T = StockReportSource::Text;
    const std::pair<const char *, double> cases[]
        = { { "480.00", 14.5 }, { "9,999,999.99", 0 }, { "-12,345,678.00", 0 } };
    for (const auto &[amount, size] : cases) {
        SCOPED_TRACE(amount);
        FixedRows source = detailedSummary(1, 1);
        for (T t : { T::Cost, T::Discount, T::Sales, T::Profit })
            source.texts[t] = QString::fromLatin1(amount);
        StockReportLayout report(source);
        const ReportPage &page = report.run().pages[0];
        const QString line = StockReportLayout::moneyLine(amount, amount, amount, amount);
        const DrawOp *op = findText(page, line);
        ASSERT_NE(op, nullptr);
        ASSERT_EQ(op->lines.size(), 1);
        EXPECT_EQ(op->lines[0].text, line);
        QVector<TextLine> measured;
        layoutText(line, op->font, 0, 0, 11197, Qt::AlignRight, false, &measured);
        EXPECT_GE(measured[0].origin.x(), 0) << "wider than its box at " << op->font.size;
        EXPECT_GE(op->font.size, 8);
        if (size > 0) {
            EXPECT_DOUBLE_EQ(op->font.size, size); // drawn at its own size while it fits
        }
    }
}

TEST_F(StockReport, MoneyLineJoinsTheFourAmounts)
{
    EXPECT_EQ(StockReportLayout::moneyLine("1,000.00", "20.00", "1,480.00", "480.00"), Money);
}

} // namespace
