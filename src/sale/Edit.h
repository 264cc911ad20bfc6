#pragma once
#include "sale/QuantityDialog.h"

// The quantity dialog: changes the quantity of line EditRow (quantity EditQty) of the grid
// that PageName names, the sale grid or the stock update grid, re-prices that line and
// recomputes the totals.
class Edit : public QuantityDialog
{
    Q_OBJECT
public:
    Edit();

    // Makes a fresh instance, runs it modally and unloads it.
    static void showModal();

    void Form_Load();
    void Command1_Click() override;

    // Label1 for a line's name and description (both trimmed).
    static QString labelText(const QString &name, const QString &description);
};
