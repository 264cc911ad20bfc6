#include "ReceiptGeometry.h"
#include "records/Units.h"
#include "records/Val.h"

namespace ReceiptGeometry {

std::optional<double> decimalNumber(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<float> fontSize(const QString &text)
{
    const auto v = decimalNumber(text);
    // Qt takes no size of 0 or below, nor one past any printable size.
    if (!v || *v <= 0.0 || *v > 2048.0)
        return std::nullopt;
    return float(*v);
}

static void setCm(float &target, const QString &text)
{
    if (const auto cm = decimalNumber(text))
        target = float(cmToTwips(*cm));
}

float gutterFor(const QString &leftMarginText)
{
    if (Val(leftMarginText) < 4.0)
        return 0.0f;
    const auto cm = decimalNumber(leftMarginText);
    return cm ? float(*cm * 1440.0 / 7.0) : 0.0f;
}

Page pageFromBoxes(const PageTexts &texts)
{
    Page p;
    p.gutter = gutterFor(texts.left);
    setCm(p.leftMargin, texts.left);
    setCm(p.rightMargin, texts.right);
    setCm(p.bottomMargin, texts.bottom);
    setCm(p.topMargin, texts.top);
    setCm(p.paperHeight, texts.paperHeight);
    setCm(p.paperWidth, texts.paperWidth);
    return p;
}

ItemColumns itemColumns(float printableWidth, float quantityWidth)
{
    ItemColumns c;
    c.quantityWidth = quantityWidth;
    c.amountLeft = printableWidth - AmountOffset;
    c.nameLeft = quantityWidth;
    c.nameWidth = printableWidth - AmountWidth - quantityWidth;
    return c;
}

} // namespace ReceiptGeometry
