#include "stock/StockReportViewer.h"
#include "FixedRows.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowPlacement.h"
#include "stock/StockReportLayout.h"
#include "support/FindControl.h"
#include "support/ReportFiles.h"
#include "support/Screenshots.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

ReportViewer *shownPages(const StockReportViewer *w)
{
    return control<ReportViewer>(w, "reportViewer");
}
QPushButton *excelButton(const StockReportViewer *w)
{
    return control<QPushButton>(w, "excelButton");
}
QPushButton *pdfButton(const StockReportViewer *w)
{
    return control<QPushButton>(w, "pdfButton");
}

class StockReportViewerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(23, 5, 9)));
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { Clock::clearFixed(); }
    QString path(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    ScriptedMessageBoxes boxes;
    ScriptedDialogs dialogs;
    ScriptedFileDialogs files;
    RecordingPrintSink sink;
};

TEST_F(StockReportViewerTest, OpensModallyWithAFreshReportOfTheOpenersRows)
{
    FixedRows source = stockList(1);
    int pages = 0;
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<StockReportViewer *>(d);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QStringLiteral("เอกสารรายการสินค้า"));
        EXPECT_EQ(w->report()->printedDocument(), StockDocument::StockList);
        EXPECT_FALSE(shownPages(w)->tool(0)->isEnabled() && shownPages(w)->tool(0)->isVisible());
        EXPECT_EQ(shownPages(w)->printTool()->text(), QStringLiteral("พิมพ์.."));
        EXPECT_EQ(excelButton(w)->text(), QStringLiteral("ส่งออก Excel"));
        EXPECT_EQ(pdfButton(w)->text(), QStringLiteral("ส่งออก PDF"));
        EXPECT_EQ(shownPages(w)->geometry(), w->rect());
        pages = shownPages(w)->document().pageCount();
        saveScreenshot(w->grab(), "stock-report-viewer.png");
    });
    StockReportViewer::showReport(source);
    EXPECT_EQ(dialogs.opened, QList<QString>({ "StockReportViewer" }));
    EXPECT_EQ(pages, 1);

    // The opener's grid grew: the next opening shows it.
    for (int i = 0; i < 60; ++i)
        source.add({ "X" });
    dialogs.then([&](QDialog *d) {
        auto *w = static_cast<StockReportViewer *>(d);
        pages = shownPages(w)->document().pageCount();
        EXPECT_EQ(w->report()->rowTotal(), 61);
    });
    StockReportViewer::showReport(source);
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(dialogs.scripts.isEmpty());
}

TEST_F(StockReportViewerTest, TheButtonsKeepTheirPlaceAndTheViewerFillsTheWindow)
{
    const FixedRows source = stockList(3);
    StockReportViewer w(source);
    w.loadReport();
    w.show();
    const QRect excel = excelButton(&w)->geometry(), pdf = pdfButton(&w)->geometry();
    EXPECT_EQ(excel,
        QRect(Twips::toPixelsX(11160), Twips::toPixelsY(50), Twips::toPixelsX(1335),
            Twips::toPixelsY(360)));
    EXPECT_EQ(pdf.left(), Twips::toPixelsX(9600));
    EXPECT_LT(pdf.right(), excel.left()); // PDF to the left of Excel
    EXPECT_EQ(w.size(), QSize(Twips::toPixelsX(12945), Twips::toPixelsY(9810)));
    // Both buttons stand over the viewer's toolbar row.
    EXPECT_EQ(w.childAt(excel.center()), excelButton(&w));
    EXPECT_EQ(w.childAt(pdf.center()), pdfButton(&w));

    w.resize(700, 500);
    EXPECT_EQ(shownPages(&w)->geometry(), QRect(0, 0, 700, 500));
    w.setWindowState(Qt::WindowMinimized);
    w.resize(300, 200);
    EXPECT_EQ(shownPages(&w)->geometry(), QRect(0, 0, 700, 500)); // left alone while minimized
    w.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(shownPages(&w)->geometry(), QRect(QPoint(0, 0), w.size()));
    EXPECT_EQ(excelButton(&w)->geometry(), excel);
    EXPECT_EQ(pdfButton(&w)->geometry(), pdf);
}

TEST_F(StockReportViewerTest, PlacedAThirdOfTheFreeHeightFromTheTop)
{
    const FixedRows source = stockList(1);
    StockReportViewer w(source);
    w.resize(400, 300);
    w.loadReport();
    const QRect screen = w.screen()->geometry();
    const QSize size = w.frameGeometry().size();
    EXPECT_EQ(w.frameGeometry().topLeft(),
        QPoint(screen.left() + (screen.width() - size.width()) / 2,
            screen.top() + (screen.height() - size.height()) / 3));
    EXPECT_EQ(w.size(), QSize(400, 300)); // the size stays
}

TEST_F(StockReportViewerTest, PrintToolPrintsTheShownPagesAfterTheDialog)
{
    const FixedRows source = goodsReceived(50);
    StockReportViewer w(source);
    w.loadReport();
    shownPages(&w)->printTool()->trigger();
    ASSERT_EQ(sink.jobs.size(), 1);
    EXPECT_TRUE(sink.jobs[0].showDialog);
    EXPECT_EQ(sink.jobs[0].pageCount(), 2);
    EXPECT_TRUE(
        sink.jobs[0].pageTexts(1).contains(QStringLiteral("ยอดต้นทุนทั้งหมด [ 1,237.50 ] บาท")));
}

// Each printout exported both ways and read back with the real readers.
struct ExportCase
{
    const char *name;
    FixedRows source;
    int pages;
    QStringList pdfWords; // digits and Latin text that pdftotext keeps
    QStringList xlsRow; // one printed row as the sheet holds it
};

TEST_F(StockReportViewerTest, ExportsReadBack)
{
    FixedRows summary = detailedSummary(20, 3);
    FixedRows best;
    summaryTexts(best);
    best.mode = SummaryMode::BestSellers;
    FixedRows brief;
    summaryTexts(brief);
    brief.mode = SummaryMode::Brief;
    brief.header = QStringLiteral("(50) เลขที่ใบเสร็จ");
    for (int i = 1; i <= 50; ++i) {
        best.add({ QStringLiteral("88500%1").arg(i), QStringLiteral("ขนม %1").arg(i), "ถุง", "50.00",
            "74.00", QString::number(100 - i), "ถุง" });
        brief.add({ QStringLiteral("INV-6912%1").arg(i, 5, 10, QLatin1Char('0')), "10.00 ",
            "740.00 ", " 730.00 " });
    }
    const ExportCase cases[] = {
        { "goods", goodsReceived(50), 2, { "SA-691200007", "1,237.50", "885000050", "66.00" },
            { "885000001", "น้ำดื่ม ตราช้าง 1", "ขวด 600 มล.", "12", "ขวด", "5.50", "66.00" } },
        { "list", stockList(100), 3, { "PD-690000100", "08/12/2026 23:05:09", "12.00" },
            { "PD-690000001", "กาแฟ 1", "ซอง", "101", "ซอง", "12.00", "ชั้น A" } },
        { "summary", summary, 2, { "INV-691200020", "1,480.00", "480.00", "74.00" },
            { "INV-691200001", "ส่วนลด 10.00 บาท", "ยอดรวม 740.00 บาท", "หักส่วนลดเหลือ 730.00 บาท" } },
        { "best", best, 2, { "8850050", "885001", "99" }, { "885001", "ขนม 1", "ถุง", "99", "ถุง" } },
        { "brief", brief, 2, { "INV-691200050", "1,480.00", "730.00" },
            { "INV-691200001", "10.00", "740.00", "730.00" } },
    };
    for (const ExportCase &c : cases) {
        SCOPED_TRACE(c.name);
        StockReportViewer w(c.source);
        w.loadReport();
        ASSERT_EQ(shownPages(&w)->document().pageCount(), c.pages);
        const QString base = dir.filePath(QString::fromLatin1(c.name));
        files.answer(base);
        files.answer(base);
        QTest::mouseClick(pdfButton(&w), Qt::LeftButton);
        QTest::mouseClick(excelButton(&w), Qt::LeftButton);

        const PdfInfo info = pdfInfo(base + ".pdf");
        EXPECT_EQ(info.pages, c.pages);
        EXPECT_NEAR(info.width, 595.28, 0.5);
        EXPECT_NEAR(info.height, 841.89, 0.5);
        const QString text = runTool("pdftotext", { "-layout", base + ".pdf", "-" });
        for (const QString &word : c.pdfWords)
            EXPECT_TRUE(text.contains(word)) << word.toStdString();

        const QList<QStringList> rows = xlsRows(base + ".xls");
        EXPECT_TRUE(rows.contains(c.xlsRow));
        int pageLines = 0;
        for (const QStringList &r : rows)
            pageLines += r.value(0) == QStringLiteral("หน้า:");
        EXPECT_EQ(pageLines, c.pages);
    }
    EXPECT_EQ(boxes.count(), 0);
}

// The sheet holds each printout as printed: every value under its own heading, money and counts
// as number cells, codes (all digits too) and names as text cells.
struct SheetCase
{
    const char *name;
    FixedRows source;
    QStringList headings;
    std::function<ExpectedRow(const QStringList &cells)> row; // from the source's row
};

TEST_F(StockReportViewerTest, ExcelColumnsStandUnderTheirHeadings)
{
    const QString code = QStringLiteral("รหัส (บาร์โค๊ด)"), name = QStringLiteral("ชื่อสินค้า"),
                  description = QStringLiteral("รายละเอียด"), unit = QStringLiteral("หน่วยนับ");
    auto t = [](const QString &s) { return xlsText(s.trimmed()); };
    auto money = [](const QString &s) { return xlsMoney(QString(s).remove(',').toDouble()); };
    auto count = [](const QString &s) { return xlsCount(s.trimmed().toDouble()); };

    FixedRows list = stockList(70);
    list.rows[3] = { QString(), QStringLiteral("00123"), QStringLiteral("ผงซักฟอก"),
        QStringLiteral("ถุงใหญ่ 5 กก."), QStringLiteral("-3"), QStringLiteral("ถุง"),
        QStringLiteral("1,250.50"), QStringLiteral("ของใช้"), QStringLiteral("ชั้น B") };
    FixedRows best;
    summaryTexts(best);
    best.mode = SummaryMode::BestSellers;
    FixedRows brief;
    summaryTexts(brief);
    brief.mode = SummaryMode::Brief;
    brief.header = QStringLiteral("(60) เลขที่ใบเสร็จ");
    for (int i = 1; i <= 60; ++i) {
        best.add({ QStringLiteral("0088%1").arg(i, 3, 10, QLatin1Char('0')),
            QStringLiteral("ขนม %1").arg(i), QStringLiteral("ถุงเล็ก"), QStringLiteral("50.00"),
            QStringLiteral("74.00"), QString::number(1000 * i), QStringLiteral("ถุง") });
        brief.add({ QStringLiteral("INV-6912%1").arg(i, 5, 10, QLatin1Char('0')),
            QStringLiteral("10.00 "), QStringLiteral("1,740.00 "), QStringLiteral(" 1,730.00 ") });
    }

    const SheetCase cases[] = {
        { "stock list", list,
            { code, name, description, QStringLiteral(" คงเหลือ"), unit, QStringLiteral("ราคาขาย"),
                QStringLiteral("สถานที่จัดเก็บ") },
            [&](const QStringList &c) {
                return ExpectedRow { { t(c[1]), t(c[2]), t(c[3]), count(c[4]), t(c[5]), money(c[6]),
                    t(c[8]) } };
            } },
        { "goods received", goodsReceived(50),
            { code, name, description, QStringLiteral("จำนวน"), unit, QStringLiteral("ราคาทุน"),
                QStringLiteral("รวมจำนวนเงิน") },
            [&](const QStringList &c) {
                return ExpectedRow { { t(c[1]), t(c[2]), t(c[3]), count(c[4]), t(c[5]), money(c[6]),
                    money(c[7]) } };
            } },
        { "detailed summary", detailedSummary(20, 3),
            { code, name, description, QStringLiteral("ขายได้"), QStringLiteral("ราคาทุน"),
                QStringLiteral("ราคาขาย"), QStringLiteral("รวมจำนวนเงิน") },
            [&](const QStringList &c) {
                if (c[9].isEmpty()) // a receipt's row: its net runs over the figures' columns
                    return ExpectedRow { { t(c[1]), t(c[2]), t(c[3]), {}, {}, {}, {} },
                        { c[4].trimmed() } };
                return ExpectedRow { { t(c[1]), t(c[2]), t(c[3]), count(c[6]), money(c[4]),
                    money(c[5]), money(c[7]) } };
            } },
        // The cost and price headings stay over empty columns, as on paper.
        { "best sellers", best,
            { code, name, description, QStringLiteral("ราคาทุน"), QStringLiteral("ราคาขาย"),
                QStringLiteral("ขายได้"), unit },
            [&](const QStringList &c) {
                return ExpectedRow { { t(c[1]), t(c[2]), t(c[3]), {}, {}, count(c[6]), t(c[7]) } };
            } },
        { "brief summary", brief,
            { brief.header, QStringLiteral("ส่วนลด (บาท)"), QStringLiteral("ยอดรวม (บาท)"),
                QStringLiteral("หักส่วนลดเหลือ (บาท)") },
            [&](const QStringList &c) {
                return ExpectedRow { { t(c[1]), money(c[2]), money(c[3]), money(c[4]) } };
            } },
    };
    for (const SheetCase &c : cases) {
        SCOPED_TRACE(c.name);
        StockReportViewer w(c.source);
        w.loadReport();
        const int pages = shownPages(&w)->document().pageCount();
        ASSERT_GT(pages, 1);
        const QString base = dir.filePath(QString::fromUtf8(c.name));
        files.answer(base);
        QTest::mouseClick(excelButton(&w), Qt::LeftButton);
        QList<ExpectedRow> rows;
        for (const QStringList &cells : c.source.rows)
            rows << c.row(cells);
        const QStringList diff = compareSheet(xlsSheet(base + ".xls"), c.headings, rows, pages);
        EXPECT_TRUE(diff.isEmpty()) << diff.join('\n').toStdString();
    }
    EXPECT_EQ(boxes.count(), 0);
}

// A list longer than one sheet holds is refused in Thai; no file is written.
TEST_F(StockReportViewerTest, ExcelRefusesMoreRowsThanASheetHoldsInThai)
{
    const FixedRows source = stockList(66000);
    StockReportViewer w(source);
    w.loadReport();
    files.answer(path("long"));
    QTest::mouseClick(excelButton(&w), Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_EQ(boxes.last().text,
        QStringLiteral("บันทึกไฟล์ไม่สำเร็จ\n") + path("long.xls")
            + QStringLiteral("\nรายงานนี้มีข้อมูลเกินกว่าที่ไฟล์ Excel (.xls) หนึ่งแผ่นงานจะเก็บได้ "
                             "(ไม่เกิน 65,536 แถว และ 256 คอลัมน์) กรุณาส่งออกเป็น PDF แทน"));
    EXPECT_FALSE(QFile::exists(path("long.xls")));
}

TEST_F(StockReportViewerTest, SaveDialogNamesAndCancel)
{
    const FixedRows source = stockList(2);
    StockReportViewer w(source);
    w.loadReport();
    files.answer(path("typed.xls"));
    files.answer(path("typed.PDF"));
    QTest::mouseClick(excelButton(&w), Qt::LeftButton);
    QTest::mouseClick(pdfButton(&w), Qt::LeftButton);
    ASSERT_EQ(files.requests.size(), 2);
    EXPECT_EQ(files.requests[0].title, QStringLiteral("เลือกตำแหน่งบันทึก Excel"));
    EXPECT_EQ(files.requests[1].title, QStringLiteral("เลือกตำแหน่งบันทึก PDF"));
    for (const FileDialogRequest &r : files.requests) {
        EXPECT_TRUE(r.save);
        EXPECT_EQ(r.proposed, QStringLiteral("08-12-26-23-05-09"));
    }
    EXPECT_TRUE(QFile::exists(path("typed.xls.xls")));
    EXPECT_TRUE(QFile::exists(path("typed.PDF.pdf")));

    // Accepting the proposed name in a folder.
    files.acceptProposedIn(dir.path());
    QTest::mouseClick(excelButton(&w), Qt::LeftButton);
    EXPECT_TRUE(QFile::exists(path("08-12-26-23-05-09.xls")));
    files.acceptFolder.clear();

    // Cancel: nothing written, nothing said, the viewer unchanged.
    const int before = int(QDir(dir.path()).entryList(QDir::Files).size());
    QTest::mouseClick(pdfButton(&w), Qt::LeftButton);
    QTest::mouseClick(excelButton(&w), Qt::LeftButton);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), before);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(shownPages(&w)->document().pageCount(), 1);
}

// Pages for a person to look at (written only with KASMO_SCREENSHOTS set).
TEST_F(StockReportViewerTest, PagesToLookAt)
{
    FixedRows longNames = goodsReceived(12);
    longNames.rows[2][2] = QStringLiteral("ผงซักฟอก สูตรเข้มข้นพิเศษ ถุงใหญ่ขนาดครอบครัว");
    FixedRows bigSummary = detailedSummary(20, 3);
    using T = StockReportSource::Text;
    bigSummary.texts[T::Cost] = QStringLiteral("1,234,567.25");
    bigSummary.texts[T::Sales] = QStringLiteral("2,345,678.50");
    bigSummary.texts[T::Profit] = QStringLiteral("1,111,111.25");
    bigSummary.texts[T::Discount] = QStringLiteral("12,345.00");
    FixedRows best = bigSummary;
    best.mode = SummaryMode::BestSellers;
    best.rows.clear();
    FixedRows brief = bigSummary;
    brief.mode = SummaryMode::Brief;
    brief.header = QStringLiteral("(2) เลขที่ใบเสร็จ");
    brief.rows.clear();
    for (int i = 1; i <= 20; ++i) {
        best.add({ QStringLiteral("885%1").arg(i, 4, 10, QLatin1Char('0')),
            QStringLiteral("ขนม %1").arg(i), QStringLiteral("ถุงเล็ก"), QStringLiteral("50.00"),
            QStringLiteral("74.00"), QString::number(100 - i), QStringLiteral("ถุง") });
        brief.add({ QStringLiteral("INV-6912%1").arg(i, 5, 10, QLatin1Char('0')),
            QStringLiteral("10.00 "), QStringLiteral("1,740.00 "), QStringLiteral(" 1,730.00 ") });
    }
    const std::pair<const char *, FixedRows> sources[] = {
        { "goods-received", longNames },
        { "stock-list", stockList(30) },
        { "summary-detailed", bigSummary },
        { "summary-best-sellers", best },
        { "summary-brief", brief },
    };
    for (const auto &[name, source] : sources) {
        StockReportViewer w(source);
        w.loadReport();
        const ReportDocument &doc = shownPages(&w)->document();
        ASSERT_GE(doc.pageCount(), 1);
        saveScreenshot(doc.pageImage(0, 110), QStringLiteral("stock-report-%1.png").arg(name));
        // And the PDF a shop owner files, for pdftoppm.
        const QString shots = qEnvironmentVariable("KASMO_SCREENSHOTS");
        if (!shots.isEmpty()) {
            files.answer(shots + QStringLiteral("/stock-report-%1").arg(name));
            QTest::mouseClick(pdfButton(&w), Qt::LeftButton);
        }
    }
}

} // namespace
