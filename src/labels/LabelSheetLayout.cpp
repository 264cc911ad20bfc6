#include "labels/LabelSheetLayout.h"
#include "platform/barcode/Barcode.h"
#include "records/Blanks.h"
#include "records/Currency.h"

#include <cmath>
#include <limits>

namespace {

ReportFont browallia()
{
    ReportFont f;
    f.family = QStringLiteral("Browallia New");
    f.size = 14.5;
    return f;
}

// Font sizes a font takes.
bool usableFontSize(double points)
{
    return points > 0 && points <= 2048;
}

} // namespace

LabelSheetLayout::LabelSheetLayout(const LabelSheetSetup &setup)
    : m_setup(setup)
{
    PageHeader()->height = 0;
    PageFooter()->height = 0;
    Detail()->height = 1335;
    Detail()->columnCount = 2;
    m_line1 = Detail()->addLabel(
        QStringLiteral("line1"), -20, 0, 2268, 283, QStringLiteral("ตัวอย่าง น้ำดื่ม ตราช้าง"));
    m_line1->font = browallia();
    m_barcode = Detail()->addBarcode(
        QStringLiteral("barcode"), 0, 283, 2268, 709, int(BarcodeStyle::Code128));
    m_barcode->text = QStringLiteral("8851234567898");
    m_barcode->font = browallia();
    m_line2 = Detail()->addLabel(
        QStringLiteral("line2"), -10, 992, 2200, 284, QStringLiteral("ราคา 450.00 บาท"));
    m_line2->font = browallia();
}

std::optional<double> LabelSheetLayout::number(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<qint16> LabelSheetLayout::wholeNumber(double v)
{
    if (!std::isfinite(v) || std::fabs(v) > 1e9)
        return std::nullopt;
    const int64_t n = roundHalfEven((long double)v);
    if (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(n);
}

std::optional<qint16> LabelSheetLayout::wholeNumber(const QString &text)
{
    const auto v = number(text);
    return v ? wholeNumber(*v) : std::nullopt;
}

void LabelSheetLayout::prepareReport()
{
    const LabelSheetSetup &s = m_setup;
    auto cm = [](const QString &text, float &target) {
        if (const auto v = number(text))
            target = cmToTwips(*v);
    };
    PageSettings.orientation
        = s.portrait ? ReportPageSettings::Portrait : ReportPageSettings::Landscape;
    if (s.paperMode == LabelPaperMode::Custom) {
        PageSettings.paperSize = ReportPageSettings::Custom;
        cm(s.paperLength, PageSettings.paperHeight);
        cm(s.paperWidth, PageSettings.paperWidth);
    } else {
        PageSettings.paperSize = ReportPageSettings::A4;
    }
    cm(s.leftMargin, PageSettings.leftMargin);
    cm(s.rightMargin, PageSettings.rightMargin);
    cm(s.bottomMargin, PageSettings.bottomMargin);
    cm(s.topMargin, PageSettings.topMargin);
    if (s.barcodeStyle)
        m_barcode->style = int(*s.barcodeStyle);
    // Lengths of no size would draw nothing or break the paging: they keep the layout's.
    auto positiveCm = [](const QString &text, float &target) {
        if (const auto v = number(text); v && *v > 0)
            target = cmToTwips(*v);
    };
    positiveCm(s.barLength, m_barcode->height);
    positiveCm(s.spacingDown, Detail()->height);
    if (const auto v = number(s.spacingRight); v && *v >= 0)
        Detail()->columnSpacing = cmToTwips(*v);
    if (const auto n = wholeNumber(s.labelsPerRow); n && *n >= 1)
        Detail()->columnCount = *n;
    m_barcode->foreColor = s.colour;
    if (const auto n = wholeNumber(s.barThickness); n && *n >= 1)
        m_barcode->barWidth = *n;
    if (const auto v = number(s.barcodeFontSize); v && usableFontSize(*v))
        m_barcode->font.size = *v;

    m_line1->foreColor = s.colour;
    if (const auto v = number(s.line1FontSize); v && usableFontSize(*v))
        m_line1->font.size = *v;
    m_line1->font.bold = s.line1Bold;
    m_line2->foreColor = s.colour;
    if (const auto v = number(s.line2FontSize); v && usableFontSize(*v))
        m_line2->font.size = *v;
    m_line2->top = m_barcode->height + 250;
    m_line2->font.bold = s.line2Bold;

    // A first position below 1 counts as 1: every label asked for is printed.
    if (const auto v = number(s.firstPosition)) {
        if (const auto skip = wholeNumber(qMax(1.0, *v) - 1))
            m_blankCells = *skip;
    }
    if (const auto v = number(s.labelCount)) {
        if (const auto total = wholeNumber(*v + m_blankCells))
            m_labelTotal = *total;
    }
}

void LabelSheetLayout::fetchRow(bool &eof)
{
    if (m_labelNo == std::numeric_limits<qint16>::max()) {
        eof = true;
        return;
    }
    ++m_labelNo;
    eof = m_labelNo > m_labelTotal;
}

void LabelSheetLayout::formatDetail()
{
    m_barcode->text = trimBlanks(m_setup.value);
    m_line1->text = trimBlanks(m_setup.line1);
    m_line2->text = trimBlanks(m_setup.line2);
    const bool shown = m_labelNo > m_blankCells;
    m_line1->visible = shown;
    m_line2->visible = shown;
    // A value the symbology refuses prints the texts without bars.
    m_barcode->visible = shown && Barcode::check(m_barcode->style, m_barcode->text).isEmpty();
}

int LabelSheetLayout::labelsPerRowThatFit()
{
    initialize();
    float left = 0, right = 0;
    for (const ReportElement *e : { m_line1, m_barcode, m_line2 }) {
        left = qMin(left, e->left);
        right = qMax(right, e->left + e->width);
    }
    const double paper = PageSettings.paper().width();
    const double x0 = PageSettings.leftMargin + PageSettings.gutter;
    const double spacing = Detail()->columnSpacing;
    constexpr double tolerance = 0.01;
    for (int n = qMax(1, Detail()->columnCount); n > 1; --n) {
        const double pitch = PageSettings.columnWidth(n, spacing) + spacing;
        const bool overlap = pitch + tolerance < right - left;
        const bool offPaper = x0 + (n - 1) * pitch + right > paper + tolerance;
        if (!overlap && !offPaper)
            return n;
    }
    return 1;
}
