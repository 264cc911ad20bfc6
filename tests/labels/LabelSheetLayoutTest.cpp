#include "labels/LabelSheetLayout.h"
#include "LabelTestSupport.h"
#include "platform/report/Twips.h"
#include "support/Screenshots.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

// Where each printed label and each blank cell lies: cells in laying-out order.
struct Cells
{
    QList<QPointF> labels; // top left corner of each label's barcode
    int blanks = 0;
};

Cells cellsOf(LabelSheetLayout &sheet)
{
    const ReportDocument &doc = sheet.run();
    Cells c;
    for (const DrawOp &op : opsOf(doc, DrawOp::Barcode))
        c.labels << op.rect.topLeft();
    c.blanks = sheet.blankCells();
    return c;
}

// Labels per row: how many barcodes share each top edge, top to bottom.
QList<int> rowsOf(const QList<QPointF> &labels)
{
    QList<int> rows;
    double lastTop = -1;
    for (const QPointF &p : labels) {
        if (rows.isEmpty() || qAbs(p.y() - lastTop) > 1) {
            rows << 0;
            lastTop = p.y();
        }
        ++rows.last();
    }
    return rows;
}

} // namespace

TEST(LabelSheet, RecordsAndBlankCells)
{
    struct Case
    {
        const char *first, *count, *perRow;
        int total, skip;
        QList<int> rows; // printed labels per row
        int firstColumn; // column of the first printed label
    };
    const Case cases[] = {
        { "1", "8", "4", 8, 0, { 4, 4 }, 0 },
        { "3", "8", "4", 10, 2, { 2, 4, 2 }, 2 },
        // Below 1 counts as 1: all eight labels print.
        { "0", "8", "4", 8, 0, { 4, 4 }, 0 },
        { "1", "12", "4", 12, 0, { 4, 4, 4 }, 0 },
        { "1", "12", "5", 12, 0, { 5, 5, 2 }, 0 },
        { "1", "0", "4", 0, 0, {}, 0 },
        { "4", "0", "4", 3, 3, {}, 0 },
        // A count that is no number gives no cell at all.
        { "2", "8x", "4", 0, 1, {}, 0 },
    };
    for (const Case &c : cases) {
        LabelSheetSetup s = deliveredSetup();
        s.firstPosition = QString::fromLatin1(c.first);
        s.labelCount = QString::fromLatin1(c.count);
        s.labelsPerRow = QString::fromLatin1(c.perRow);
        s.spacingRight = QStringLiteral("0.5");
        LabelSheetLayout sheet(s);
        const Cells cells = cellsOf(sheet);
        SCOPED_TRACE(testing::Message() << c.first << "/" << c.count << "/" << c.perRow);
        EXPECT_EQ(sheet.labelTotal(), c.total);
        EXPECT_EQ(sheet.blankCells(), c.skip);
        EXPECT_EQ(sheet.labelNo(), c.total + 1); // the fetch that ended the data
        EXPECT_EQ(rowsOf(cells.labels), c.rows);
        // Every label carries both text lines; blank cells carry nothing.
        const ReportDocument &doc = sheet.document();
        EXPECT_EQ(opsOf(doc, DrawOp::Text, s.line1).size(), cells.labels.size());
        EXPECT_EQ(opsOf(doc, DrawOp::Text, s.line2).size(), cells.labels.size());
        if (cells.labels.isEmpty())
            continue;
        const double x0 = cmToTwips(1.0);
        const double pitch = sheet.PageSettings.columnWidth(
                                 sheet.Detail()->columnCount, sheet.Detail()->columnSpacing)
            + sheet.Detail()->columnSpacing;
        EXPECT_NEAR(cells.labels.first().x(), x0 + c.firstColumn * pitch, 0.1);
        EXPECT_NEAR(cells.labels.first().y(), cmToTwips(1.0) + 283, 0.1);
    }
}

TEST(LabelSheet, TakesItsSettingsFromTheWindow)
{
    LabelSheetSetup s = deliveredSetup(QStringLiteral("885099932001"));
    s.paperMode = LabelPaperMode::Custom;
    s.paperWidth = QStringLiteral("10");
    s.paperLength = QStringLiteral("15");
    s.portrait = false;
    s.barcodeStyle = BarcodeStyle::Ean13;
    s.colour = QColor(200, 30, 40);
    s.line1Bold = false;
    s.line2Bold = true;
    s.barLength = QStringLiteral("2.5");
    s.barThickness = QStringLiteral("2");
    s.barcodeFontSize = QStringLiteral("9");
    s.line1FontSize = QStringLiteral("11");
    s.line2FontSize = QStringLiteral("16");
    s.labelsPerRow = QStringLiteral("1");
    LabelSheetLayout sheet(s);
    sheet.initialize();
    const ReportPageSettings &p = sheet.PageSettings;
    EXPECT_EQ(p.paperSize, ReportPageSettings::Custom);
    EXPECT_EQ(p.orientation, ReportPageSettings::Landscape);
    EXPECT_NEAR(p.paperWidth, 5669.29, 0.01);
    EXPECT_NEAR(p.paperHeight, 8503.94, 0.01);
    EXPECT_NEAR(p.bottomMargin, 56.69, 0.01);
    EXPECT_EQ(sheet.barcode()->style, 18);
    EXPECT_NEAR(sheet.barcode()->height, cmToTwips(2.5), 0.01);
    EXPECT_NEAR(sheet.line2()->top, cmToTwips(2.5) + 250, 0.01);
    EXPECT_EQ(sheet.barcode()->barWidth, 2);
    EXPECT_EQ(sheet.barcode()->font.size, 9);
    EXPECT_EQ(sheet.line1()->font.size, 11);
    EXPECT_EQ(sheet.line2()->font.size, 16);
    EXPECT_FALSE(sheet.line1()->font.bold);
    EXPECT_TRUE(sheet.line2()->font.bold);
    for (const ReportElement *e : { sheet.line1(), sheet.barcode(), sheet.line2() })
        EXPECT_EQ(e->foreColor, s.colour) << e->name.toStdString();
    EXPECT_EQ(sheet.Detail()->columnCount, 1);
    EXPECT_NEAR(sheet.Detail()->height, cmToTwips(3.0), 0.01);
    EXPECT_NEAR(sheet.Detail()->columnSpacing, cmToTwips(2.0), 0.01);
    // Its own text lines are never aligned: the engine's default, left.
    EXPECT_EQ(sheet.line1()->alignment, int(Qt::AlignLeft));

    // A4 whatever the size boxes hold; 1.5 cm bars put line 2 at 1100.39 twips.
    LabelSheetSetup a4 = deliveredSetup();
    a4.paperWidth = QStringLiteral("10");
    LabelSheetLayout onA4(a4);
    onA4.initialize();
    EXPECT_EQ(onA4.PageSettings.paperSize, ReportPageSettings::A4);
    EXPECT_EQ(onA4.PageSettings.orientation, ReportPageSettings::Portrait);
    EXPECT_NEAR(onA4.line2()->top, 1100.39, 0.01);
    EXPECT_EQ(onA4.barcode()->style, 11);
}

TEST(LabelSheet, ValuesTheSheetCannotUseKeepTheLayoutsOwn)
{
    LabelSheetSetup s = deliveredSetup();
    s.labelsPerRow = QStringLiteral("0");
    s.barThickness = QStringLiteral("0");
    s.barcodeFontSize = QStringLiteral("0");
    s.line1FontSize = QStringLiteral("1..2");
    s.line2FontSize = QStringLiteral("");
    s.topMargin = QStringLiteral("1..0");
    s.barLength = QStringLiteral("0");
    s.firstPosition = QStringLiteral("x");
    s.labelCount = QStringLiteral("3");
    LabelSheetLayout sheet(s);
    const ReportDocument &doc = sheet.run();
    EXPECT_EQ(sheet.Detail()->columnCount, 2);
    EXPECT_EQ(sheet.barcode()->barWidth, 1);
    EXPECT_EQ(sheet.barcode()->font.size, 14.5);
    EXPECT_EQ(sheet.line1()->font.size, 14.5);
    EXPECT_EQ(sheet.line2()->font.size, 14.5);
    EXPECT_EQ(sheet.PageSettings.topMargin, 1440);
    EXPECT_EQ(sheet.barcode()->height, 709);
    EXPECT_EQ(sheet.blankCells(), 0);
    EXPECT_EQ(opsOf(doc, DrawOp::Barcode).size(), 3);
    // A count past 16 bits is refused as a whole.
    EXPECT_EQ(LabelSheetLayout::wholeNumber(QStringLiteral("32768")), std::nullopt);
    EXPECT_EQ(LabelSheetLayout::wholeNumber(QStringLiteral("2.5")), qint16(2));
    EXPECT_EQ(LabelSheetLayout::wholeNumber(QStringLiteral("3.5")), qint16(4));
}

TEST(LabelSheet, ValuesTheSymbologyRefusesPrintTheTextsWithoutBars)
{
    struct Case
    {
        BarcodeStyle type;
        const char *value;
        bool bars;
    };
    const Case cases[] = {
        { BarcodeStyle::Code128, "PD-670000001", true },
        { BarcodeStyle::Code128, "รหัสไทย", false },
        { BarcodeStyle::Ean13, "885099932001", true },
        { BarcodeStyle::Ean13, "8850999320012", false }, // wrong check digit
        { BarcodeStyle::Ean13, "PD-670000001", false },
    };
    for (const Case &c : cases) {
        LabelSheetSetup s = deliveredSetup(QString::fromUtf8(c.value));
        s.barcodeStyle = c.type;
        s.labelCount = QStringLiteral("3");
        LabelSheetLayout sheet(s);
        const ReportDocument &doc = sheet.run();
        SCOPED_TRACE(c.value);
        EXPECT_EQ(opsOf(doc, DrawOp::Barcode).size(), c.bars ? 3 : 0);
        EXPECT_EQ(opsOf(doc, DrawOp::Text, s.line1).size(), 3);
        EXPECT_EQ(opsOf(doc, DrawOp::Text, s.line2).size(), 3);
    }
}

TEST(LabelSheet, LabelsPerRowThatFitThePaper)
{
    struct Case
    {
        const char *perRow, *spacing;
        bool portrait;
        LabelPaperMode mode;
        const char *width;
        int fit;
    };
    const Case cases[] = {
        { "5", "12.0", true, LabelPaperMode::A4, nullptr, 2 }, // the old delivered layout
        { "4", "2.0", true, LabelPaperMode::A4, nullptr, 4 }, // the new one
        { "5", "2.0", true, LabelPaperMode::A4, nullptr, 4 },
        { "5", "2.0", false, LabelPaperMode::A4, nullptr, 5 },
        { "6", "0.1", true, LabelPaperMode::A4, nullptr, 4 }, // closer would overlap
        { "3", "0.5", true, LabelPaperMode::Custom, "5.5", 1 }, // at least one
        { "1", "20", true, LabelPaperMode::A4, nullptr, 1 },
    };
    for (const Case &c : cases) {
        LabelSheetSetup s = deliveredSetup();
        s.labelsPerRow = QString::fromLatin1(c.perRow);
        s.spacingRight = QString::fromLatin1(c.spacing);
        s.portrait = c.portrait;
        s.paperMode = c.mode;
        if (c.width)
            s.paperWidth = QString::fromLatin1(c.width);
        LabelSheetLayout sheet(s);
        SCOPED_TRACE(testing::Message() << c.perRow << " at " << c.spacing);
        EXPECT_EQ(sheet.labelsPerRowThatFit(), c.fit);

        // With that many per row, every label lies on the paper and apart from the next.
        s.labelsPerRow = QString::number(c.fit);
        s.labelCount = QString::number(2 * c.fit);
        LabelSheetLayout fitted(s);
        const ReportDocument &doc = fitted.run();
        const QList<DrawOp> bars = opsOf(doc, DrawOp::Barcode);
        ASSERT_EQ(bars.size(), 2 * c.fit);
        for (int i = 0; i < c.fit; ++i) {
            EXPECT_GE(bars[i].rect.left() - 20, 0);
            EXPECT_LE(bars[i].rect.right(), doc.paperSize.width() + 0.01);
            if (i > 0) {
                EXPECT_GE(bars[i].rect.left() - 20, bars[i - 1].rect.right() - 0.01);
            }
        }
    }
}

TEST(LabelSheet, EveryLabelScansBack)
{
    struct Case
    {
        BarcodeStyle type;
        const char *value, *scanned;
    };
    const Case cases[] = {
        { BarcodeStyle::Code128, "PD-670000001", "CODE-128:PD-670000001" },
        { BarcodeStyle::Ean13, "885099932001", "EAN-13:8850999320014" },
    };
    for (const Case &c : cases) {
        LabelSheetSetup s = deliveredSetup(QString::fromLatin1(c.value));
        s.barcodeStyle = c.type;
        s.firstPosition = QStringLiteral("2");
        s.labelCount = QStringLiteral("9");
        LabelSheetLayout sheet(s);
        const ReportDocument &doc = sheet.run();
        const QImage page = doc.pageImage(0, 300);
        saveScreenshot(page, QStringLiteral("label-sheet-%1.png").arg(int(&c - cases)));
        EXPECT_EQ(scanLabels(page, doc), QStringList(9, QString::fromLatin1(c.scanned))) << c.value;
    }
}
