#include "sale/QuantityEditDialog.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Blanks.h"
#include "sale/LineGridTarget.h"
#include "sale/SaleUi.h"
#include "shell/InputBoxes.h"
#include "shell/Messages.h"
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

QString QuantityEditDialog::labelText(const QString &name, const QString &description)
{
    return lineLabel(QStringLiteral("ปรับ "), name, description, QStringLiteral(" เป็น : "));
}

QuantityEditDialog::QuantityEditDialog(LineGridTarget *target, int row, qint64 quantity)
    : QuantityDialog(QStringLiteral("QuantityEditDialog"), QStringLiteral("แก้ไขจำนวนสินค้า"),
        bannerStrip(QColor(21, 66, 139), QColor(120, 160, 210)))
    , m_target(target)
    , m_row(row)
{
    WindowPlacement::place(this, VerticalPlace::Third);
    if (m_target)
        lineCaption->setText(labelText(m_target->lineName(row), m_target->lineDescription(row)));
    showQuantity(quantity);
}

std::optional<qint64> QuantityEditDialog::showModal(
    LineGridTarget &target, int row, qint64 quantity)
{
    if (QuantityEditDialog *old = WindowRegistry::find<QuantityEditDialog>())
        WindowRegistry::unload(old);
    std::optional<qint64> saved;
    QPointer<QuantityEditDialog> w = new QuantityEditDialog(&target, row, quantity);
    w->m_saved = &saved;
    WindowRegistry::add(w);
    w->quantityBox->setFocus(Qt::OtherFocusReason);
    DialogRunner::exec(w);
    if (w)
        w->m_saved = nullptr;
    return saved;
}

void QuantityEditDialog::saveQuantity()
{
    bool ok = false;
    const qint64 qty = trimBlanks(quantityBox->text()).toLongLong(&ok);
    if (!ok || qty < 1) {
        quantityBox->setText(QStringLiteral("1"));
        InputBoxes::selectAllText(quantityBox);
        quantityBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_target) {
        try {
            m_target->setQuantity(m_row, qty);
        } catch (const std::exception &e) {
            // The line could not be priced again (its product is gone): it keeps its quantity.
            MsgBox(QString::fromUtf8(e.what()), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                MsgResult::Ok, this);
            return;
        }
    }
    if (m_saved)
        *m_saved = qty;
    close();
}
