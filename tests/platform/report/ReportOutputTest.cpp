#include "ReportTestSupport.h"
#include "platform/report/ReportExport.h"
#include "platform/report/XlsWriter.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBox.h"
#include "support/ReportFiles.h"
#include "support/Screenshots.h"
#include "support/UnwritableFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class ThaiReport : public CountingReport
{
public:
    explicit ThaiReport(int count)
        : CountingReport(count)
    {
        Detail()->addText("Price", 2000, 0, 1400, 283)->alignment = Qt::AlignRight;
    }
    void formatDetail() override
    {
        CountingReport::formatDetail();
        Detail()->element("Field1")->text = QStringLiteral("น้ำดื่ม ตราช้าง %1").arg(row);
        Detail()->element("Price")->text = QStringLiteral("%1.00").arg(row * 10);
    }
};

class ExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 8), QTime(23, 5, 9)));
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { Clock::clearFixed(); }

    QTemporaryDir dir;
    ScriptedFileDialogs dialogs;
    ScriptedMessageBoxes boxes;
};

} // namespace

TEST_F(ExportTest, PdfUnderTheProposedDateTimeName)
{
    ThaiReport report(40);
    const ReportDocument &doc = report.run();
    dialogs.acceptProposedIn(dir.path());
    ExportViewerPages(doc, ExportKind::Pdf);

    ASSERT_EQ(dialogs.requests.size(), 1);
    const FileDialogRequest &req = dialogs.requests.first();
    EXPECT_TRUE(req.save);
    EXPECT_EQ(req.title, "เลือกตำแหน่งบันทึก PDF");
    EXPECT_EQ(req.proposed, "08-12-26-23-05-09");
    EXPECT_TRUE(req.filter.startsWith(".PDF"));
    EXPECT_EQ(boxes.count(), 0);

    const QString file = dir.filePath("08-12-26-23-05-09.pdf");
    ASSERT_TRUE(QFileInfo::exists(file));
    const PdfInfo info = pdfInfo(file);
    EXPECT_EQ(info.pages, doc.pageCount());
    EXPECT_GT(info.pages, 1);
    EXPECT_NEAR(info.width, 7.0 / 2.54 * 72, 1.0);
    EXPECT_NEAR(info.height, 20.0 / 2.54 * 72, 1.0);
    // Digits and Latin text come back out of the PDF.
    const QString text = runTool("pdftotext", { file, "-" });
    EXPECT_TRUE(text.contains("400.00"));
    EXPECT_TRUE(text.contains("Group footer"));
}

TEST_F(ExportTest, ExtensionIsAppendedWhateverTheNameEndsWith)
{
    ThaiReport report(2);
    const ReportDocument &doc = report.run();
    dialogs.answer(dir.filePath("x.pdf"));
    ExportViewerPages(doc, ExportKind::Pdf);
    dialogs.answer(dir.filePath("y.xls"));
    ExportViewerPages(doc, ExportKind::Excel);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("x.pdf.pdf")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.pdf")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("y.xls.xls")));
    ASSERT_EQ(dialogs.requests.size(), 2);
    EXPECT_EQ(dialogs.requests[1].title, "เลือกตำแหน่งบันทึก Excel");
    EXPECT_TRUE(dialogs.requests[1].filter.startsWith(".xls"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(ExportTest, CancelWritesNothingAndShowsNothing)
{
    ThaiReport report(2);
    const ReportDocument &doc = report.run();
    ExportViewerPages(doc, ExportKind::Pdf); // no answer queued: the user cancels
    ExportViewerPages(doc, ExportKind::Excel);
    EXPECT_EQ(dialogs.requests.size(), 2);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(boxes.count(), 0);
}

// A folder that cannot be written: the box says why, in Thai, and nothing is left in it. Root
// writes where permissions allow nothing: the locked folder is immutable for root ("Operation
// not permitted"), without the write permission for anyone else ("Permission denied"); sysfs
// takes no new file from anyone.
TEST_F(ExportTest, FailedWriteIsReported)
{
    ThaiReport report(2);
    const ReportDocument &doc = report.run();
    const UnwritableFolder locked(dir.filePath("ro"));
    QStringList folders;
    if (locked.error() == EPERM || locked.error() == EACCES)
        folders << locked.path();
    if (QDir(QStringLiteral("/sys/kernel")).exists())
        folders << QStringLiteral("/sys");
    if (folders.isEmpty())
        GTEST_SKIP() << "no folder here refuses a new file";
    for (const QString &folder : folders) {
        for (ExportKind kind : { ExportKind::Pdf, ExportKind::Excel }) {
            SCOPED_TRACE(folder.toStdString());
            boxes.clear();
            dialogs.answer(folder + "/kasmo-report");
            ExportViewerPages(doc, kind);
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().title, "รายงานความผิดพลาด");
            EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
            EXPECT_EQ(boxes.last().text,
                QStringLiteral("บันทึกไฟล์ไม่สำเร็จ\n%1/kasmo-report%2\nไม่มีสิทธิ์เข้าถึงไฟล์หรือโฟลเดอร์นี้")
                    .arg(folder, kind == ExportKind::Pdf ? ".pdf" : ".xls"));
        }
    }
    EXPECT_TRUE(QDir(locked.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(ExportTest, FailedWriteIntoAMissingFolderIsReported)
{
    ThaiReport report(2);
    const ReportDocument &doc = report.run();
    // A folder that is not there, and a path through a file.
    for (const QString &chosen :
        { dir.filePath("no/such/folder/report"), QString("/dev/null/x") }) {
        for (ExportKind kind : { ExportKind::Pdf, ExportKind::Excel }) {
            boxes.clear();
            dialogs.answer(chosen);
            ExportViewerPages(doc, kind);
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().title, "รายงานความผิดพลาด");
            EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
            EXPECT_TRUE(boxes.last().text.endsWith("\nไม่พบไฟล์หรือโฟลเดอร์นี้"))
                << boxes.last().text.toStdString();
        }
    }
}

TEST_F(ExportTest, ExcelHoldsTheTextsInReadingOrder)
{
    ThaiReport report(40);
    const ReportDocument &doc = report.run();
    dialogs.acceptProposedIn(dir.path());
    ExportViewerPages(doc, ExportKind::Excel);
    const QString file = dir.filePath("08-12-26-23-05-09.xls");
    ASSERT_TRUE(QFileInfo::exists(file));
    const QList<QStringList> rows = xlsRows(file);
    QStringList cells;
    for (const QStringList &r : rows)
        cells << r;
    EXPECT_EQ(cells, doc.texts());
    // A detail is one row: name then price, the Thai intact.
    const int at = cells.indexOf("น้ำดื่ม ตราช้าง 7");
    ASSERT_GE(at, 0);
    EXPECT_EQ(cells.at(at + 1), "70.00");
    bool found = false;
    for (const QStringList &r : rows)
        if (r == QStringList({ "น้ำดื่ม ตราช้าง 7", "70.00" }))
            found = true;
    EXPECT_TRUE(found);
}

TEST(XlsWriter, LongAndManyStringsSurviveContinueRecords)
{
    QTemporaryDir dir;
    XlsWriter xls;
    QStringList expected;
    // Enough text for the string table to run over several records, one string across a seam.
    for (int r = 0; r < 300; ++r) {
        const QString s = QStringLiteral("แถว %1 ").arg(r) + QString(r % 7 == 0 ? 900 : 5, u'ก');
        xls.setCell(r, r % 3, s);
        expected << s;
    }
    const QString file = dir.filePath("big.xls");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(xls.toBytes());
    f.close();
    QStringList cells;
    for (const QStringList &r : xlsRows(file))
        cells << r;
    EXPECT_EQ(cells, expected);
}

// Past about 7 MB the compound file's allocation table outgrows its header: a sheet of the full
// 65,536 rows still writes and reads back.
TEST(XlsWriter, ASheetOfEveryRowBeyondSevenMegabytesReadsBack)
{
    QTemporaryDir dir;
    XlsWriter xls;
    for (int r = 0; r < XlsWriter::MaxRows; ++r) {
        xls.setCell(r, 0, QStringLiteral("INV-%1").arg(r));
        for (int c = 1; c < 8; ++c)
            xls.setNumber(r, c, r + c / 100.0, XlsWriter::NumberFormat::Money);
    }
    const QByteArray bytes = xls.toBytes();
    ASSERT_GT(bytes.size(), 8 * 1024 * 1024);
    const QString file = dir.filePath("full.xls");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const QString script
        = QStringLiteral("import sys, xlrd\n"
                         "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                         "print(s.nrows, s.ncols, s.cell_value(0, 0), s.cell_value(65535, 0), "
                         "s.cell_value(65535, 7), s.cell_type(40000, 3))\n");
    EXPECT_EQ(runTool(QStringLiteral("/usr/bin/python3"), { "-c", script, file }).trimmed(),
        QStringLiteral("65536 8 INV-0 INV-65535 65535.07 2"));
    // One row more than a sheet holds: no file.
    xls.setCell(XlsWriter::MaxRows, 0, QStringLiteral("x"));
    EXPECT_TRUE(xls.toBytes().isEmpty());
}

TEST(ReportBarcode, BarcodeElementPrintsAScannableCode)
{
    class Label : public ReportLayout
    {
    public:
        Label()
        {
            Detail()->height = 1335;
            Detail()->addText("Label1", -20, 0, 2268, 283, "น้ำดื่ม ตราช้าง");
            ReportElement *b = Detail()->addBarcode("Barcode1", 0, 283, 2268, 709, 18);
            b->text = "885123456789";
            b->font.size = 14;
            Detail()->addText("Label2", -10, 1100, 2200, 284, "ราคา 450.00 บาท");
        }
        void prepareReport() override
        {
            PageSettings.paperSize = ReportPageSettings::Custom;
            PageSettings.paperWidth = cmToTwips(6);
            PageSettings.paperHeight = cmToTwips(4);
            PageSettings.leftMargin = PageSettings.rightMargin = 500;
            PageSettings.topMargin = PageSettings.bottomMargin = 300;
        }
        void fetchRow(bool &eof) override { eof = ++n > 1; }
        int n = 0;
    } report;
    const QImage img = report.run().pageImage(0, 600);
    saveScreenshot(img, "report-label.png");
    QTemporaryDir dir;
    img.save(dir.filePath("label.png"));
    EXPECT_EQ(
        runTool("zbarimg", { "-q", dir.filePath("label.png") }).trimmed(), "EAN-13:8851234567898");
}
