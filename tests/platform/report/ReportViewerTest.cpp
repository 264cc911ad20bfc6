#include "platform/report/ReportViewer.h"
#include "ReportTestSupport.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportExport.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBox.h"
#include "support/RecordingPaintDevice.h"
#include "support/Screenshots.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QToolBar>
#include <gtest/gtest.h>

TEST(ReportViewer, ShowsPagesWithPagingAndAPreparedToolbar)
{
    ReportViewer viewer;
    viewer.resize(600, 700);
    CountingReport report(60);
    viewer.setReport(&report);
    PrepareViewerToolbar(&viewer);
    viewer.show();
    QCoreApplication::processEvents();

    EXPECT_EQ(viewer.document().pageCount(), report.document().pageCount());
    EXPECT_GT(viewer.document().pageCount(), 1);
    EXPECT_FALSE(viewer.tool(0)->isEnabled());
    EXPECT_FALSE(viewer.tool(0)->isVisible());
    EXPECT_EQ(viewer.tool(2)->text(), "พิมพ์..");
    EXPECT_EQ(viewer.printTool(), viewer.tool(2));

    EXPECT_EQ(viewer.currentPage(), 0);
    viewer.tool(6)->trigger(); // next
    EXPECT_EQ(viewer.currentPage(), 1);
    viewer.tool(7)->trigger(); // last
    EXPECT_EQ(viewer.currentPage(), viewer.document().pageCount() - 1);
    viewer.tool(6)->trigger();
    EXPECT_EQ(viewer.currentPage(), viewer.document().pageCount() - 1);
    viewer.tool(4)->trigger(); // first
    EXPECT_EQ(viewer.currentPage(), 0);

    const double zoom = viewer.zoom();
    viewer.tool(10)->trigger();
    EXPECT_GT(viewer.zoom(), zoom);

    const QImage shot = viewer.grab().toImage();
    saveScreenshot(shot, "report-viewer.png");
    EXPECT_FALSE(shot.isNull());

    // A new report replaces what the viewer showed.
    CountingReport shorter(1);
    viewer.setReport(&shorter);
    EXPECT_EQ(viewer.document().pageCount(), 1);
    EXPECT_EQ(viewer.currentPage(), 0);
}

TEST(ReportViewer, PrintToolPrintsThePagesAfterTheDialog)
{
    RecordingPrintSink sink;
    ReportViewer viewer;
    CountingReport report(60);
    viewer.setReport(&report);
    PrepareViewerToolbar(&viewer);
    viewer.printTool()->trigger();
    ASSERT_EQ(sink.jobs.size(), 1);
    EXPECT_TRUE(sink.jobs[0].showDialog);
    EXPECT_EQ(sink.jobs[0].pageCount(), report.document().pageCount());
    EXPECT_EQ(sink.jobs[0].pageTexts(0).first(), "หัวกระดาษ");

    sink.dialogAccepts = false; // the user cancels the print dialog
    EXPECT_FALSE(viewer.printPages());
    EXPECT_EQ(sink.jobs.size(), 1);
}

TEST(ReportViewer, PrintReportGoesStraightToTheSinkWithoutADialog)
{
    RecordingPrintSink sink;
    CountingReport report(5);
    EXPECT_TRUE(report.PrintReport(false));
    ASSERT_EQ(sink.jobs.size(), 1);
    const RecordingPrintSink::Job &job = sink.jobs[0];
    EXPECT_FALSE(job.showDialog);
    EXPECT_EQ(job.pageCount(), 1);
    EXPECT_EQ(job.pageTexts(0),
        QStringList({ "หัวกระดาษ", "Group header", "Line 1", "Line 2", "Line 3", "Line 4", "Line 5",
            "Group footer", "1", "1" }));
    EXPECT_NEAR(job.document.paperSize.width(), cmToTwips(7.0), 0.01);
}

TEST(ReportViewer, NoPrinterTellsTheUser)
{
    ScriptedMessageBoxes boxes;
    ScriptedDialogs dialogs;
    QtPrintSink sink;
    sink.defaultPrinter = [] { return QPrinterInfo(); };
    PrintSink::install(&sink);
    CountingReport report(3);
    EXPECT_FALSE(report.PrintReport(false));
    ReportViewer viewer;
    viewer.setDocument(report.document());
    EXPECT_FALSE(viewer.printPages());
    PrintSink::install(nullptr);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().title, "รายงานความผิดพลาด");
    EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    EXPECT_TRUE(dialogs.opened.isEmpty());
}

TEST(ReportViewer, ThaiPageRendersInsideItsMargins)
{
    class Receipt : public ReportLayout
    {
    public:
        Receipt()
        {
            GroupHeader()->height = 700;
            ReportElement *h = GroupHeader()->addText("Label1", 0, 0, 0, 283);
            h->alignment = Qt::AlignHCenter;
            h->font.bold = true;
            h->font.size = 16;
            Detail()->height = 285;
            Detail()->addText("Field2", 0, 0, 2211, 283);
            Detail()->addText("Field3", 2648, 0, 992, 283, "999,999.00")->alignment
                = Qt::AlignRight;
            GroupFooter()->height = 600;
            GroupFooter()->addLine("Line2", 0, 0, 0, 0);
            ReportElement *f = GroupFooter()->addText("Field4", 0, 100, 0, 283);
            f->alignment = Qt::AlignHCenter;
            f->canGrow = true;
        }
        void prepareReport() override
        {
            PageSettings.paperSize = ReportPageSettings::Custom;
            PageSettings.paperWidth = cmToTwips(7);
            PageSettings.paperHeight = cmToTwips(8);
            PageSettings.leftMargin = PageSettings.rightMargin = cmToTwips(0.3);
            PageSettings.topMargin = PageSettings.bottomMargin = cmToTwips(0.3);
            const float w = float(PageSettings.printableWidth());
            GroupHeader()->element("Label1")->width = w;
            GroupHeader()->element("Label1")->text = "ร้านค้าตัวอย่าง สาขาที่ ๑";
            GroupFooter()->element("Line2")->x2 = w;
            GroupFooter()->element("Field4")->width = w;
            GroupFooter()->element("Field4")->text
                = "ขอบคุณที่ใช้บริการ\nสินค้าซื้อแล้วไม่รับเปลี่ยนหรือคืน กรุณาตรวจสอบให้เรียบร้อย";
        }
        void fetchRow(bool &eof) override { eof = ++row > 3; }
        void formatDetail() override
        {
            Detail()->element("Field2")->text
                = QStringList({ "น้ำดื่ม ตราช้าง 600 มล.", "ขนมปังกรอบ รสเนย", "ผงซักฟอก สูตรเข้มข้น" })
                      .at(row - 1);
        }
        int row = 0;
    } report;
    // A bold flag is a font property here.
    const ReportDocument &doc = report.run();
    ASSERT_EQ(doc.pageCount(), 1);
    const QImage img = doc.pageImage(0, 300);
    saveScreenshot(img, "report-thai-page.png");
    const double px = 300.0 / 1440;
    const int left = int(cmToTwips(0.3) * px) - 1, right = img.width() - left;
    const int top = int(cmToTwips(0.3) * px) - 1, bottom = img.height() - top;
    int outside = 0, inside = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (qGray(img.pixel(x, y)) > 200)
                continue;
            if (x < left || x > right || y < top || y > bottom)
                ++outside;
            else
                ++inside;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 1000);
}

TEST(ReportViewer, ExportsThePagesItHolds)
{
    QTemporaryDir dir;
    ScriptedFileDialogs dialogs;
    ScriptedMessageBoxes boxes;
    ReportViewer viewer;
    CountingReport report(60);
    viewer.setReport(&report);
    dialogs.answer(dir.filePath("rank"));
    ExportViewerPages(&viewer, ExportKind::Excel);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("rank.xls")));
    EXPECT_EQ(boxes.count(), 0);
}

// The viewer draws only the page it shows; the pages the user never looked at still print
// whole: every text, the page number and the page count, which stays on one line although its
// box is narrower than the number.
TEST(ReportViewer, PagesNeverShownPrintWholeWithTheirNumberAndCount)
{
    RecordingPrintSink sink;
    ReportViewer viewer;
    viewer.resize(600, 700);
    CountingReport report(400);
    report.PageFooter()->element("txtPages")->width = 60;
    viewer.setReport(&report);
    viewer.show();
    QCoreApplication::processEvents();
    const int pages = viewer.document().pageCount();
    ASSERT_GE(pages, 10);
    const QString count = QString::number(pages);

    // What the toolbar tells: the page shown of the same count, before and after paging.
    auto shown = [&] {
        for (QLabel *l : viewer.findChildren<QLabel *>())
            if (l->text().contains(u'/'))
                return l->text().trimmed();
        return QString();
    };
    EXPECT_EQ(shown(), QStringLiteral("1 / ") + count);
    viewer.tool(7)->trigger(); // last
    EXPECT_EQ(shown(), count + QStringLiteral(" / ") + count);
    viewer.tool(4)->trigger(); // first
    EXPECT_EQ(viewer.document().pageCount(), pages);

    viewer.printTool()->trigger();
    ASSERT_EQ(sink.jobs.size(), 1);
    const ReportDocument &printed = sink.jobs[0].document;
    ASSERT_EQ(printed.pageCount(), pages);
    int lines = 0;
    for (int p = 0; p < pages; ++p) {
        SCOPED_TRACE(p);
        RecordingDevice device;
        QPainter painter(&device);
        printed.renderPage(painter, p, QRectF(QPointF(0, 0), printed.paperSize));
        painter.end();
        QStringList drawn;
        for (const RecordingEngine::Text &t : device.engine.texts)
            drawn << t.text;
        QStringList texts = printed.pages[p].texts();
        EXPECT_EQ(texts.mid(texts.size() - 2), QStringList({ QString::number(p + 1), count }));
        std::sort(drawn.begin(), drawn.end());
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(drawn, texts);
        lines += int(texts.filter(QStringLiteral("Line ")).size());
    }
    EXPECT_EQ(lines, 400);
}
