#pragma once
#include "sale/QuantityDialog.h"

class SalePage;

// The return dialog: how many units of the sale page's line EditRow (quantity EditQty) of the
// loaded bill come back. A confirmed return is stored at once (stock, movement row, the bill's
// line) and the page's grid and refund follow; closing the window returns nothing.
class LineReturnDialog : public QuantityDialog
{
    Q_OBJECT
public:
    explicit LineReturnDialog(SalePage *page = nullptr);

    // Makes a fresh instance over the sale page and runs it modally; it is gone when this
    // returns. True when a return was stored.
    static bool showModal(SalePage &page);

    // The key of the movement row the last return wrote.
    qint64 NextMovementPK = 0;

    void Form_Load();
    void Command1_Click() override;
    // Stores the return of the quantity in Text1; false (after saying why) when nothing was
    // stored.
    bool Return8();

    bool returned() const { return m_returned; }

    // Label1 for a line's name and description (both trimmed).
    static QString labelText(const QString &name, const QString &description);

private:
    SalePage *m_page;
    bool m_returned = false;
    qint64 m_remaining = 0;
};
