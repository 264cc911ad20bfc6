#include "reports/Ranking.h"
#include "SalesData.h"
#include "platform/grid/DataGrid.h"
#include "platform/report/ReportViewer.h"
#include "reports/RankingLayout.h"
#include "reports/RankingWindow.h"
#include "shell/ShopDatabase.h"
#include "support/FindControl.h"
#include "support/RecordingPaintDevice.h"
#include "support/ReportFiles.h"
#include "support/Screenshots.h"
#include "support/ShellFixture.h"
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <algorithm>

namespace {
RankingRequest year(const char *y = "2024")
{
    return { RankingRequest::Kind::Year, 1, QString(), QString::fromLatin1(y) };
}

QStringList ranked(const QList<RankingRow> &rows)
{
    QStringList out;
    for (const RankingRow &r : rows)
        out << r.user + QLatin1Char('|') + r.position + QLatin1Char('|')
                + QString::number(r.discount) + QLatin1Char('|') + r.net.plain();
    return out;
}

// The texts of one page's detail rows: rank, name, position, discount, net.
QList<QStringList> detailRows(const ReportPage &page)
{
    QMap<double, QStringList> byTop;
    for (const DrawOp &op : page.ops)
        if (op.kind == DrawOp::Text && op.rect.top() > 1600 && op.rect.top() < 15800)
            byTop[op.rect.top()] << op.text;
    return byTop.values();
}
} // namespace

class Ranking : public ShellFixture
{
};

TEST_F(Ranking, SellersRankBySalesBeforeDiscountWithTheirWholeBahtDiscount)
{
    Connection &d = db();
    addSaleLine(d, "2024-03-01 09:00:00", "INV-670300001", "A1", 5000, 1, "somchai");
    addDiscount(d, "2024-03-01 09:00:00", "INV-670300001", 1000, "somchai");
    addSaleLine(d, "2024-03-02 09:00:00", "INV-670300002", "A1", 4500, 1, "malee");
    addSaleLine(d, "2024-04-02 09:00:00", "INV-670400001", "A1", 1000.75, 1, "admin");
    addDiscount(d, "2024-04-02 09:00:00", "INV-670400001", 12.50, "admin");
    // A discount giver without a sale line is not listed; another year does not count.
    addDiscount(d, "2024-04-03 09:00:00", "INV-670400002", 40, "nobody");
    addSaleLine(d, "2023-12-31 23:59:59", "INV-661200001", "A1", 99999, 1, "malee");

    EXPECT_EQ(ranked(rankSellers(ShopDatabase::connection(), year())),
        (QStringList {
            "somchai|พนักงาน|1000|4000", "malee|พนักงาน|0|4500", "admin|พนักงาน|12|988.75" }));
    // 13.50 counts as 14; an unreadable year ranks nobody.
    addDiscount(d, "2024-04-04 09:00:00", "INV-670400003", 1, "admin");
    EXPECT_EQ(rankSellers(ShopDatabase::connection(), year()).last().discount, 14);
    EXPECT_TRUE(rankSellers(ShopDatabase::connection(), year("20x4")).isEmpty());
}

TEST_F(Ranking, SellersAreWholeNamesInAnyCaseAndTwoPositionsPayTheDiscountOnce)
{
    Connection &d = db();
    addSaleLine(d, "2024-05-01 09:00:00", "INV-670500001", "A1", 100, 1, "AB_1");
    addSaleLine(d, "2024-05-01 10:00:00", "INV-670500002", "A1", 50, 1, "ABX1");
    addDiscount(d, "2024-05-01 10:00:00", "INV-670500002", 10, "abx1");
    // One seller under two positions, in two letter cases.
    d.execute("INSERT INTO tblLog (Lsn, Lname, Lvalue, Lsell, Ldate, LUser, LTumnang, Ldate2, Lno) "
              "VALUES ('A1', ' x', 1, 300, '2024-05-02 09:00:00', 'Mana', 'แคชเชียร์', "
              "'2024-05-02', 'INV-670500003'), ('A1', ' x', 1, 200, '2024-05-03 09:00:00', "
              "'MANA', 'หัวหน้า', '2024-05-03', 'INV-670500004')");
    addDiscount(d, "2024-05-02 09:00:00", "INV-670500003", 50, "mana");

    const QStringList rows = ranked(rankSellers(ShopDatabase::connection(),
        { RankingRequest::Kind::Month, 5, QStringLiteral("  (05) พฤษภาคม"),
            QStringLiteral("2024") }));
    EXPECT_EQ(rows,
        (QStringList {
            "Mana|แคชเชียร์|50|250", "MANA|หัวหน้า|0|200", "AB_1|พนักงาน|0|100", "ABX1|พนักงาน|10|40" }));
}

TEST_F(Ranking, TheWeekIsTodayAndTheSevenDaysBeforeItAndLaterRows)
{
    Connection &d = db(); // today is 2024-05-15
    addSaleLine(d, "2024-05-08 00:00:00", "INV-670500001", "A1", 10, 1, "a");
    addSaleLine(d, "2024-05-07 23:59:59", "INV-670500002", "A1", 20, 1, "b");
    addSaleLine(d, "2024-05-20 09:00:00", "INV-670500003", "A1", 30, 1, "c");
    addDiscount(d, "2024-05-07 23:00:00", "INV-670500002", 5, "a"); // before the week
    const QStringList rows = ranked(
        rankSellers(ShopDatabase::connection(), { RankingRequest::Kind::Week, 1, {}, {} }));
    EXPECT_EQ(rows, (QStringList { "c|พนักงาน|0|30", "a|พนักงาน|0|10" }));
}

TEST_F(Ranking, ReportTitlesRowFormatsRanksAcrossPagesAndRulesOnEveryPage)
{
    EXPECT_EQ(RankingLayout::title(year(" 2024")), QStringLiteral("ยอดขายของผู้ใช้ทุกคน ในปี  2024"));
    EXPECT_EQ(RankingLayout::title({ RankingRequest::Kind::Month, 3, QStringLiteral("  (03) มีนาคม"),
                  QStringLiteral("2024") }),
        QStringLiteral("ยอดขายของผู้ใช้ทุกคน เดือน  (03) มีนาคม ปี 2024"));
    EXPECT_EQ(RankingLayout::title({ RankingRequest::Kind::Week, 1, {}, {} }),
        QStringLiteral("ยอดขายของผู้ใช้ทุกคน ของสัปดาห์นี้ (ย้อนหลัง 7 วัน)"));

    DataGrid grid;
    grid.setMaxCols(5);
    const int sellers = 70;
    grid.setMaxRows(sellers);
    for (int r = 1; r <= sellers; ++r) {
        grid.setText(1, r, QString::number(r));
        grid.setText(2, r, QStringLiteral(" ผู้ขาย%1 ").arg(r));
        grid.setText(3, r, QStringLiteral("พนักงาน"));
        grid.setText(4, r, r == 1 ? QStringLiteral("12") : QStringLiteral("0"));
        grid.setText(5, r, r == 1 ? QStringLiteral("1234567.5") : QStringLiteral("988.75"));
    }
    const RankingRequest request = year();
    RankingLayout report(grid, request);
    const ReportDocument &doc = report.run();
    ASSERT_GE(doc.pageCount(), 2);
    EXPECT_NEAR(doc.paperSize.width(), 11906, 1); // A4 portrait
    EXPECT_NEAR(doc.paperSize.height(), 16838, 1);

    QList<QStringList> rows;
    for (int p = 0; p < doc.pageCount(); ++p) {
        EXPECT_TRUE(doc.pages[p].texts().contains(QStringLiteral("ยอดขายของผู้ใช้ทุกคน ในปี 2024")));
        rows += detailRows(doc.pages[p]);
        // Six rules from the heading band to the footer, on every page, the last one included.
        RecordingDevice device;
        QPainter painter(&device);
        doc.renderPage(painter, p, QRectF(QPointF(0, 0), doc.paperSize));
        painter.end();
        QList<double> xs;
        for (const QLineF &l : device.engine.lines)
            if (qAbs(l.dx()) < 0.01 && qAbs(l.dy()) > 15000) {
                EXPECT_NEAR(qMin(l.y1(), l.y2()), RankingLayout::RuleTop, 0.01);
                EXPECT_NEAR(qMax(l.y1(), l.y2()), RankingLayout::RuleBottom, 0.01);
                xs << l.x1();
            }
        std::sort(xs.begin(), xs.end());
        EXPECT_EQ(xs, (QList<double> { 300, 1150, 3710, 7380, 9510, 11630 })) << "page " << p;
    }
    ASSERT_EQ(rows.size(), sellers);
    EXPECT_EQ(rows[0], (QStringList { "1", "ผู้ขาย1", "พนักงาน", "12.00 ", "1,234,567.50 " }));
    EXPECT_EQ(rows[1].last(), QStringLiteral("988.75 "));
    for (int i = 0; i < sellers; ++i)
        EXPECT_EQ(rows[i].first(), QString::number(i + 1));
}

TEST_F(Ranking, WindowWithoutSalesSaysSoAndExportsTheEmptyReport)
{
    QTemporaryDir dir;
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<RankingWindow *>(d);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("รายงานสรุปยอดขาย"));
        EXPECT_FALSE(control<DataGrid>(w, "workingGrid")->isVisible());
        EXPECT_EQ(control<ReportViewer>(w, "rankingViewer")->printTool()->text(),
            QStringLiteral("พิมพ์.."));
        EXPECT_EQ(control<ReportViewer>(w, "rankingViewer")->document().pageCount(), 1);
        files.answer(dir.filePath(QStringLiteral("empty")));
        QTest::mouseClick(control<QPushButton>(w, "pdfButton"), Qt::LeftButton);
    });
    RankingWindow::showModal(year());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("ไม่มีข้อมูลยอดขายที่คุณต้องการ"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    EXPECT_EQ(pdfInfo(dir.filePath(QStringLiteral("empty.pdf"))).pages, 1);
}

TEST_F(Ranking, WindowRanksTheMonthAndExportsReadBack)
{
    Connection &d = db();
    addSaleLine(d, "2024-03-05 09:00:00", "INV-670300001", "A1", 1000.75, 1, "admin");
    addDiscount(d, "2024-03-05 09:00:00", "INV-670300001", 12.50, "admin");
    addSaleLine(d, "2024-03-06 09:00:00", "INV-670300002", "A1", 2500, 2, "somchai");
    QTemporaryDir dir;
    QList<ExpectedRow> printed; // the report's rows: rank, name, position, discount, net
    dialogs.then([&](QDialog *d) {
        auto *w = static_cast<RankingWindow *>(d);
        EXPECT_EQ(control<DataGrid>(w, "workingGrid")->maxRows(), 2);
        for (int r = 1; r <= control<DataGrid>(w, "workingGrid")->maxRows(); ++r) {
            auto money = [&](int c) {
                return xlsMoney(
                    control<DataGrid>(w, "workingGrid")->getText(c, r).remove(',').toDouble());
            };
            printed << ExpectedRow { { xlsCount(r),
                xlsText(control<DataGrid>(w, "workingGrid")->getText(2, r)),
                xlsText(control<DataGrid>(w, "workingGrid")->getText(3, r)), money(4), money(5) } };
        }
        EXPECT_EQ(control<DataGrid>(w, "workingGrid")->getText(2, 1), QStringLiteral("somchai"));
        EXPECT_EQ(control<DataGrid>(w, "workingGrid")->getText(5, 2), QStringLiteral("988.75"));
        EXPECT_EQ(control<DataGrid>(w, "workingGrid")->getText(4, 2), QStringLiteral("12"));
        files.answer(dir.filePath(QStringLiteral("rank")));
        QTest::mouseClick(control<QPushButton>(w, "excelButton"), Qt::LeftButton);
        files.answer(dir.filePath(QStringLiteral("rank")));
        QTest::mouseClick(control<QPushButton>(w, "pdfButton"), Qt::LeftButton);
        saveScreenshot(w->grab(), QStringLiteral("ranking-window.png"));
    });
    RankingWindow::showModal(
        { RankingRequest::Kind::Month, 3, QStringLiteral("  (03) มีนาคม"), QStringLiteral("2024") });
    EXPECT_EQ(boxes.count(), 0);
    const QString text
        = runTool(QStringLiteral("pdftotext"), { dir.filePath(QStringLiteral("rank.pdf")), "-" });
    EXPECT_TRUE(text.contains(QStringLiteral("5,000.00"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("988.75")));
    EXPECT_TRUE(text.contains(QStringLiteral("somchai")));
    // The sheet: each value under its heading, the rank a count, the amounts money.
    const QString nbsp(QChar(0x00A0));
    const QStringList diff = compareSheet(xlsSheet(dir.filePath(QStringLiteral("rank.xls"))),
        { QStringLiteral("ลำดับ"), QStringLiteral("ชื่อผู้ใช้"), QStringLiteral("ตำแหน่ง(ชื่อ)"),
            QStringLiteral("ส่วนลดที่ให้ลูกค้า") + nbsp, QStringLiteral("ยอดขายหลังหักส่วนลด") + nbsp },
        printed, 1);
    EXPECT_TRUE(diff.isEmpty()) << diff.join('\n').toStdString();
    ASSERT_EQ(printed.size(), 2);
    EXPECT_TRUE(sameCell(printed[1].under[1], xlsText(QStringLiteral("admin"))));
    EXPECT_TRUE(sameCell(printed[1].under[4], xlsMoney(988.75)));
    const QString shots = qEnvironmentVariable("KASMO_SCREENSHOTS");
    if (!shots.isEmpty())
        QFile::copy(
            dir.filePath(QStringLiteral("rank.pdf")), shots + QStringLiteral("/ranking.pdf"));
}
