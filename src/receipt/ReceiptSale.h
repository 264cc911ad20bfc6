#pragma once
#include <QString>

// The sale on the sale page as the receipt reads it, live: grid rows from 1 (the top line),
// columns as the sale grid numbers them, and the texts of the total, discount, change, cash and
// receipt-number controls.
class ReceiptSale
{
public:
    virtual ~ReceiptSale() = default;
    virtual int rowCount() const = 0;
    virtual QString cell(int row, int col) const = 0;
    virtual QString receiptNo() const = 0; // text3
    virtual QString netTotal() const = 0; // Label16
    virtual QString discount() const = 0; // Text8, in baht
    virtual QString change() const = 0; // Label3
    virtual QString cash() const = 0; // Text1, as typed
};
