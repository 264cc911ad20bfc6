#include "ReportTestSupport.h"
#include "platform/report/ReportDocument.h"
#include "support/RecordingPaintDevice.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QList<const DrawOp *> textOps(const ReportPage &page, const QString &prefix)
{
    QList<const DrawOp *> out;
    for (const DrawOp &op : page.ops)
        if (op.kind == DrawOp::Text && op.text.startsWith(prefix))
            out << &op;
    return out;
}

const DrawOp *findText(const ReportDocument &doc, const QString &text, int *pageIndex = nullptr)
{
    for (int p = 0; p < doc.pageCount(); ++p)
        for (const DrawOp &op : doc.pages[p].ops)
            if (op.kind == DrawOp::Text && op.text == text) {
                if (pageIndex)
                    *pageIndex = p;
                return &op;
            }
    return nullptr;
}

} // namespace

TEST(ReportEngine, GroupHeaderDetailsAndFooterFlowOverPagesOfOnePaper)
{
    CountingReport report(100);
    const ReportDocument &doc = report.run();

    EXPECT_EQ(report.initialized, 1);
    EXPECT_EQ(report.fetched, 101); // the last fetch ends the data
    EXPECT_EQ(report.formatted, 100);
    EXPECT_EQ(report.ended, 1);
    ASSERT_GT(doc.pageCount(), 2);
    EXPECT_EQ(report.footers, doc.pageCount());
    EXPECT_NEAR(doc.paperSize.width(), 3968.504, 0.01);
    EXPECT_NEAR(doc.paperSize.height(), 11338.583, 0.01);

    QStringList all = doc.texts();
    EXPECT_EQ(all.count("Group header"), 1);
    EXPECT_EQ(all.count("Group footer"), 1);
    EXPECT_EQ(all.count("หัวกระดาษ"), doc.pageCount());
    QStringList lines = all.filter(QRegularExpression("^Line \\d+$"));
    ASSERT_EQ(lines.size(), 100);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(lines[i], QStringLiteral("Line %1").arg(i + 1));
    EXPECT_EQ(all.indexOf("Group header"), 1); // after the first page title
    EXPECT_GT(all.indexOf("Group footer"), all.indexOf("Line 100"));

    // Every page: its title at the top margin, details between header and footer, the page
    // number and the page count in the footer.
    const double footerTop = doc.paperSize.height() - cmToTwips(0.1) - 300;
    for (int p = 0; p < doc.pageCount(); ++p) {
        const ReportPage &page = doc.pages[p];
        for (const DrawOp *op : textOps(page, "Line ")) {
            EXPECT_GE(op->rect.top(), cmToTwips(0.3) + 300 - 0.01);
            EXPECT_LE(op->rect.top() + 285, footerTop + 0.01);
        }
        EXPECT_FALSE(textOps(page, "Line ").isEmpty() && p > 0 && p < doc.pageCount() - 1);
        const QStringList texts = page.texts();
        EXPECT_EQ(texts.at(texts.size() - 2), QString::number(p + 1));
        EXPECT_EQ(texts.last(), QString::number(doc.pageCount()));
    }
    // Details follow each other at the section height.
    const QList<const DrawOp *> first = textOps(doc.pages[0], "Line ");
    ASSERT_GE(first.size(), 2);
    EXPECT_NEAR(first[1]->rect.top() - first[0]->rect.top(), 285, 0.01);
    EXPECT_NEAR(first[0]->rect.top(), cmToTwips(0.3) + 300 + 400, 0.01);
}

TEST(ReportEngine, RunsOnceAndInitializesOnce)
{
    CountingReport report(3);
    report.initialize();
    const int pages = report.run().pageCount();
    report.run();
    EXPECT_EQ(report.initialized, 1);
    EXPECT_EQ(report.formatted, 3);
    EXPECT_EQ(report.document().pageCount(), pages);
}

TEST(ReportEngine, NoRecordsGivesHeaderAndFooterOnly)
{
    CountingReport report(0);
    const ReportDocument &doc = report.run();
    EXPECT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(report.formatted, 0);
    EXPECT_EQ(doc.texts(), QStringList({ "หัวกระดาษ", "Group header", "Group footer", "1", "1" }));
}

TEST(ReportEngine, ThreeLineTextGrowsItsSection)
{
    class Growing : public CountingReport
    {
    public:
        Growing()
            : CountingReport(2, false)
        {
            Detail()->element("Field1")->canGrow = true;
        }
        void formatDetail() override
        {
            CountingReport::formatDetail();
            Detail()->element("Field1")->text = row == 1 ? "one\ntwo\nthree" : "after";
        }
    } report;
    const ReportDocument &doc = report.run();
    const DrawOp *grown = findText(doc, "one\ntwo\nthree");
    const DrawOp *after = findText(doc, "after");
    ASSERT_TRUE(grown && after);
    EXPECT_EQ(grown->lines.size(), 3);
    EXPECT_GT(grown->rect.height(), 2 * 283.0);
    EXPECT_NEAR(after->rect.top(), grown->rect.bottom(), 0.01);
    // The lines run down the box, one under the other.
    EXPECT_GT(grown->lines[1].origin.y(), grown->lines[0].origin.y());
    EXPECT_GT(grown->lines[2].origin.y(), grown->lines[1].origin.y());
}

TEST(ReportEngine, FixedBoxKeepsItsHeight)
{
    class Fixed : public CountingReport
    {
    public:
        Fixed()
            : CountingReport(2, false)
        { }
        void formatDetail() override
        {
            CountingReport::formatDetail();
            if (row == 1)
                Detail()->element("Field1")->text = "one\ntwo\nthree";
        }
    } report;
    const ReportDocument &doc = report.run();
    const DrawOp *fixed = findText(doc, "one\ntwo\nthree");
    const DrawOp *next = findText(doc, "Line 2");
    ASSERT_TRUE(fixed && next);
    EXPECT_NEAR(next->rect.top() - fixed->rect.top(), 285, 0.01);
    EXPECT_EQ(fixed->lines.size(), 1);
}

TEST(ReportEngine, TwipsGeometrySurvivesIntoTheDrawing)
{
    class Geometry : public CountingReport
    {
    public:
        Geometry()
            : CountingReport(1, false)
        {
            line = Detail()->addLine("Line1", 0, 200, 425, 200);
            shape = Detail()->addShape("Shape3", 12.34f, 50, 1000.5f, 60, Qt::gray);
        }
        void prepareReport() override
        {
            CountingReport::prepareReport();
            PageSettings.leftMargin = cmToTwips(4.0);
            PageSettings.gutter = float(4.0 * 1440 / 7);
            line->x2 = float(PageSettings.printableWidth()); // stretched to the width
        }
        void formatPageFooter() override
        {
            Canvas.DrawWidth = 1;
            Canvas.DrawLine(300, 16110, 300, 1000);
        }
        ReportElement *line, *shape;
    } report;
    const ReportDocument &doc = report.run();
    const double x0 = 2267.717 + 822.857; // left margin and gutter
    const double detailTop = cmToTwips(0.3) + 400;
    const DrawOp *field = findText(doc, "Line 1");
    ASSERT_TRUE(field);
    EXPECT_NEAR(field->rect.left(), x0, 0.1);
    EXPECT_NEAR(field->rect.top(), detailTop, 0.1);

    RecordingDevice device;
    QPainter p(&device);
    // One device unit per twip: the drawing must land where the layout put it.
    doc.renderPage(p, 0, QRectF(QPointF(0, 0), doc.paperSize));
    p.end();
    const QList<QLineF> &lines = device.engine.lines;
    ASSERT_EQ(lines.size(), 2);
    const double width = 3968.504 - 2267.717 - 170.079 - 822.857;
    EXPECT_NEAR(lines[0].x1(), x0, 0.1);
    EXPECT_NEAR(lines[0].x2(), x0 + width, 0.1);
    EXPECT_NEAR(lines[0].y1(), detailTop + 200, 0.1);
    EXPECT_NEAR(lines[1].x1(), 300, 0.1);
    EXPECT_NEAR(lines[1].y1(), 16110, 0.1);
    ASSERT_FALSE(device.engine.rects.isEmpty());
    const QRectF r = device.engine.rects.first();
    EXPECT_NEAR(r.left(), x0 + 12.34, 0.1);
    EXPECT_NEAR(r.width(), 1000.5, 0.1);
    EXPECT_NEAR(r.top(), detailTop + 50, 0.1);
}

TEST(ReportEngine, DetailColumnsFillAcrossThenDown)
{
    class Labels : public ReportLayout
    {
    public:
        Labels()
        {
            Detail()->height = 1000;
            Detail()->addText("number", 0, 0, 900, 283);
        }
        void prepareReport() override
        {
            PageSettings.paperSize = ReportPageSettings::A4;
            PageSettings.leftMargin = PageSettings.rightMargin = 500;
            PageSettings.topMargin = PageSettings.bottomMargin = 500;
            Detail()->columnCount = 5;
            Detail()->columnSpacing = 200;
        }
        void fetchRow(bool &eof) override { eof = ++no > total; }
        void formatDetail() override { Detail()->element("number")->text = QString::number(no); }
        int no = 0, total = 12;
    } report;
    const ReportDocument &doc = report.run();
    ASSERT_EQ(doc.pageCount(), 1);
    EXPECT_EQ(doc.texts(),
        QStringList({ "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12" }));
    const double printable = 11905.512 - 1000;
    const double pitch = (printable - 4 * 200) / 5 + 200;
    for (int i = 1; i <= 12; ++i) {
        const DrawOp *op = findText(doc, QString::number(i));
        ASSERT_TRUE(op);
        EXPECT_NEAR(op->rect.left(), 500 + ((i - 1) % 5) * pitch, 0.1) << i;
        EXPECT_NEAR(op->rect.top(), 500 + ((i - 1) / 5) * 1000, 0.1) << i;
    }

    // Rows that no longer fit go to the next page of the same paper.
    Labels many;
    many.total = 5 * 16; // 15 rows of 1000 twips fit on A4 between the margins
    const ReportDocument &more = many.run();
    ASSERT_EQ(more.pageCount(), 2);
    int page = -1;
    ASSERT_TRUE(findText(more, "76", &page));
    EXPECT_EQ(page, 1);
    EXPECT_NEAR(findText(more, "76")->rect.top(), 500, 0.1);
    EXPECT_EQ(more.paperSize, doc.paperSize);
    EXPECT_EQ(more.pages[1].texts().size(), 5);
}

TEST(ReportEngine, PageSettings)
{
    ReportPageSettings s;
    s.paperSize = ReportPageSettings::A4;
    EXPECT_NEAR(s.paper().width(), 11905.51, 0.01);
    EXPECT_NEAR(s.paper().height(), 16837.80, 0.01);
    s.orientation = ReportPageSettings::Landscape;
    EXPECT_NEAR(s.paper().width(), 16837.80, 0.01);
    s.paperSize = ReportPageSettings::Custom;
    s.orientation = ReportPageSettings::Portrait;
    s.paperWidth = cmToTwips(10);
    s.paperHeight = cmToTwips(15);
    EXPECT_NEAR(s.paper().width(), 5669.29, 0.01);
    EXPECT_NEAR(s.paper().height(), 8503.94, 0.01);
    EXPECT_NEAR(cmToTwips(21.0), 11905.51, 0.01);
    EXPECT_NEAR(cmToTwips(1.5), 850.39, 0.01);
}

TEST(ReportEngine, SectionTallerThanThePageStillEnds)
{
    class Tall : public CountingReport
    {
    public:
        Tall()
            : CountingReport(3)
        {
            Detail()->height = 30000;
        }
    } report;
    const ReportDocument &doc = report.run();
    EXPECT_EQ(report.formatted, 3);
    EXPECT_EQ(doc.texts().filter("Line ").size(), 3);
    EXPECT_LE(doc.pageCount(), 5);
}

TEST(ReportEngine, HiddenElementsAndSectionsDrawNothing)
{
    class Hiding : public CountingReport
    {
    public:
        Hiding()
            : CountingReport(4, false)
        { }
        void formatDetail() override
        {
            CountingReport::formatDetail();
            Detail()->element("Field1")->visible = row % 2 == 0;
        }
        void prepareReport() override
        {
            CountingReport::prepareReport();
            GroupFooter()->element("Foot")->visible = false;
        }
    } report;
    const QStringList texts = report.run().texts();
    EXPECT_EQ(texts, QStringList({ "Group header", "Line 2", "Line 4" }));
}

// One text in boxes of other widths, alignments, fonts and growth, on every record: each is
// drawn where its own box puts it, whether the page is drawn for the first time or again.
TEST(ReportEngine, OneTextInOtherBoxesAndFontsDrawsWhereEachBoxPutsIt)
{
    const QString text = QStringLiteral("ราคา 1,250.00 บาท");
    struct Box
    {
        const char *what;
        float width;
        int alignment;
        double size;
        bool bold, canGrow, wordWrap;
    };
    const Box boxes[] = {
        { "left", 3000, Qt::AlignLeft, 14.5, false, false, true },
        { "right", 3000, Qt::AlignRight, 14.5, false, false, true },
        { "centred in a narrower box", 2000, Qt::AlignHCenter, 14.5, false, false, true },
        { "right in a smaller bold font", 3000, Qt::AlignRight, 10, true, false, true },
        { "wrapped in a fixed box: its first line", 700, Qt::AlignLeft, 14.5, false, false, true },
        { "wrapped in a growing box: every line", 700, Qt::AlignRight, 14.5, false, true, true },
        { "not wrapped: one line past the box", 700, Qt::AlignLeft, 14.5, false, false, false },
    };
    class Repeated : public ReportLayout
    {
    public:
        explicit Repeated(const QString &text)
            : m_text(text)
        { }
        void prepareReport() override
        {
            PageSettings.paperSize = ReportPageSettings::A4;
            PageSettings.leftMargin = PageSettings.topMargin = 500;
        }
        void fetchRow(bool &eof) override { eof = ++row > 2; }
        void formatDetail() override
        {
            for (const auto &e : Detail()->elements())
                e->text = m_text;
        }
        int row = 0;

    private:
        QString m_text;
    } report(text);
    report.Detail()->height = float(300 * std::size(boxes));
    for (size_t i = 0; i < std::size(boxes); ++i) {
        const Box &b = boxes[i];
        ReportElement *e = report.Detail()->addText(
            QStringLiteral("Box%1").arg(i), 100, float(300 * i), b.width, 283);
        e->alignment = b.alignment;
        e->font.size = b.size;
        e->font.bold = b.bold;
        e->canGrow = b.canGrow;
        e->wordWrap = b.wordWrap;
    }
    const ReportDocument &doc = report.run();
    ASSERT_EQ(doc.pageCount(), 1);

    // Where each box's lines go when the text is laid out on its own.
    QList<RecordingEngine::Text> expected;
    const QList<PlacedText> placed = doc.pages[0].placedTexts();
    ASSERT_EQ(placed.size(), 2 * int(std::size(boxes)));
    for (int k = 0; k < placed.size(); ++k) {
        const Box &b = boxes[k % std::size(boxes)];
        SCOPED_TRACE(b.what);
        ReportFont font;
        font.size = b.size;
        font.bold = b.bold;
        QVector<TextLine> lines;
        const QRectF &r = placed[k].rect;
        layoutText(text, font, r.left(), r.top(), b.width, b.alignment, b.wordWrap, &lines);
        if (b.width < 1000 && b.wordWrap)
            ASSERT_GT(lines.size(), 1);
        if (!b.canGrow)
            lines.resize(1);
        for (const TextLine &l : lines)
            expected.append({ l.origin, l.text });
        const DrawOp &op = doc.pages[0].ops[k];
        ASSERT_EQ(op.lines.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(op.lines[i].text, lines[i].text);
            EXPECT_NEAR(op.lines[i].origin.x(), lines[i].origin.x(), 1e-6);
            EXPECT_NEAR(op.lines[i].origin.y(), lines[i].origin.y(), 1e-6);
        }
    }

    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass == 0 ? "first drawing" : "drawn again");
        RecordingDevice device;
        QPainter p(&device);
        doc.renderPage(p, 0, QRectF(QPointF(0, 0), doc.paperSize));
        p.end();
        const QList<RecordingEngine::Text> &drawn = device.engine.texts;
        ASSERT_EQ(drawn.size(), expected.size());
        for (int i = 0; i < drawn.size(); ++i) {
            EXPECT_EQ(drawn[i].text, expected[i].text) << i;
            EXPECT_NEAR(drawn[i].origin.x(), expected[i].origin.x(), 0.01) << i;
            EXPECT_NEAR(drawn[i].origin.y(), expected[i].origin.y(), 0.01) << i;
        }
    }
}
