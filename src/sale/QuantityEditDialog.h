#pragma once
#include "sale/QuantityDialog.h"

class LineGridTarget;

// The quantity dialog: changes the quantity of line EditRow (quantity EditQty) of its opener's
// grid (the sale page or the stock update window), which prices the line again and recomputes
// its figures.
class QuantityEditDialog : public QuantityDialog
{
    Q_OBJECT
public:
    explicit QuantityEditDialog(LineGridTarget *target = nullptr);

    // Makes a fresh instance over the opener's grid, runs it modally and unloads it.
    static void showModal(LineGridTarget &target);

    void Form_Load();
    void Command1_Click() override;

    // Label1 for a line's name and description (both trimmed).
    static QString labelText(const QString &name, const QString &description);

private:
    LineGridTarget *m_target;
};
