#pragma once
#include <QString>

struct SaleProduct;

// A window whose grid of product lines the product search dialog and the quantity dialog
// change: the sale page, or the stock update window. The opener hands itself to the dialog.
// Rows count from 1, the top line.
class LineGridTarget
{
public:
    virtual ~LineGridTarget() = default;
    // The line's name and description as its grid shows them.
    virtual QString lineName(int row) const = 0;
    virtual QString lineDescription(int row) const = 0;
    // One more unit of the product: a new line on top or one more on its line; the window's
    // figures follow.
    virtual void addLine(const SaleProduct &product) = 0;
    // The line's new quantity; the line is priced again and the figures follow. Throws
    // (std::exception with a text for the user) when the line cannot be priced; it then keeps
    // its quantity.
    virtual void setQuantity(int row, qint64 quantity) = 0;
};
