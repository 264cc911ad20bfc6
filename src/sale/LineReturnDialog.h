#pragma once
#include "sale/QuantityDialog.h"
#include <optional>

class LineGridTarget;

// The return dialog: how many units of one line of a loaded bill come back. A confirmed return
// is stored at once (stock, movement row, the bill's line); closing the window returns
// nothing.
class LineReturnDialog : public QuantityDialog
{
    Q_OBJECT
public:
    // The line of the bill: its row in the opener's grid, its stored key and quantity.
    struct BillLineToReturn
    {
        QString billNo;
        int row = 0;
        qint64 storedKey = 0;
        qint64 quantity = 0;
    };
    // What a stored return did to the line.
    struct StoredLineReturn
    {
        qint64 returned = 0;
        qint64 remaining = 0; // 0: the line is gone from the bill
    };

    LineReturnDialog(const LineGridTarget *lines, const BillLineToReturn &line);

    // Makes a fresh instance over the opener's line and runs it modally; it is gone when this
    // returns. What was returned, or nothing when no return was stored.
    static std::optional<StoredLineReturn> showModal(
        const LineGridTarget &lines, const BillLineToReturn &line);

    // The label over the box for a line's name and description (both trimmed).
    static QString labelText(const QString &name, const QString &description);

private:
    void saveQuantity() override;
    // Stores the return of the quantity in the box; nothing (after saying why) when nothing
    // was stored.
    std::optional<StoredLineReturn> storeReturn();

    BillLineToReturn m_line;
    std::optional<StoredLineReturn> *m_stored = nullptr; // where showModal reads the result
};
