#pragma once
#include <QString>
#include <optional>

// Where the receipt's page and columns fall, from the set-up boxes (centimetres as typed).
// Page settings and positions are single precision, in twips.
namespace ReceiptGeometry {

// The layout as designed, before the run-time set-up replaces it.
constexpr float DesignedPaperWidth = 12240.0f;
constexpr float DesignedPaperHeight = 15840.0f;
constexpr float DesignedMargin = 1440.0f;
constexpr float AmountWidth = 992.0f; // amount and amountHeading
constexpr float AmountOffset = 980.0f; // amount column starts this far before the printable width
constexpr float QuantityWidth = 425.0f;
constexpr float PriceAndQuantityWidth = 850.0f;

// A box's text as a decimal number; nullopt for text that is no number (the step then keeps
// the designed value).
std::optional<double> decimalNumber(const QString &text);

// A box's text as a font size; nullopt when no font would take it.
std::optional<float> fontSize(const QString &text);

struct PageTexts
{
    QString paperWidth, paperHeight, top, bottom, left, right;
};

struct Page
{
    float paperWidth = DesignedPaperWidth;
    float paperHeight = DesignedPaperHeight;
    float leftMargin = DesignedMargin;
    float rightMargin = DesignedMargin;
    float topMargin = DesignedMargin;
    float bottomMargin = DesignedMargin;
    float gutter = 0.0f;
    // W: what the elements are placed and sized by.
    float printableWidth() const { return paperWidth - rightMargin - leftMargin - gutter; }
};

// A left margin of 4 cm or more also takes a gutter of cm x 1440 / 7 twips; 0 otherwise.
float gutterFor(const QString &leftMarginText);

Page pageFromBoxes(const PageTexts &texts);

struct ItemColumns
{
    float quantityLeft = 0.0f;
    float quantityWidth = QuantityWidth;
    float nameLeft = QuantityWidth;
    float nameWidth = 0.0f;
    float amountLeft = 0.0f; // also the amount heading
    float amountWidth = AmountWidth;
};

// The item line's three columns for the printable width W; the amount column ends 12 twips
// beyond W, as the layout has always printed.
ItemColumns itemColumns(float printableWidth, float quantityWidth);

} // namespace ReceiptGeometry
