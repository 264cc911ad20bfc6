#pragma once
#include "sale/QuantityDialog.h"
#include <optional>

class LineGridTarget;

// The quantity dialog: changes the quantity of one line of its opener's grid (the sale page or
// the stock update window), which prices the line again and recomputes its figures.
class QuantityEditDialog : public QuantityDialog
{
    Q_OBJECT
public:
    // Over line `row` of the opener's grid, which holds `quantity`.
    QuantityEditDialog(LineGridTarget *target, int row, qint64 quantity);

    // Makes a fresh instance over the opener's line, runs it modally and unloads it. The
    // quantity the line took, or nothing when the window was closed without a save.
    static std::optional<qint64> showModal(LineGridTarget &target, int row, qint64 quantity);

    // The label over the box for a line's name and description (both trimmed).
    static QString labelText(const QString &name, const QString &description);

private:
    void saveQuantity() override;

    LineGridTarget *m_target;
    int m_row;
    std::optional<qint64> *m_saved = nullptr; // where showModal reads the result
};
