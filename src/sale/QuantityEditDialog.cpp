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
#include "shell/Module1.h"
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

QString QuantityEditDialog::labelText(const QString &name, const QString &description)
{
    return lineLabel(QStringLiteral("ปรับ "), name, description, QStringLiteral(" เป็น : "));
}

QuantityEditDialog::QuantityEditDialog(LineGridTarget *target)
    : QuantityDialog(QStringLiteral("QuantityEditDialog"), QStringLiteral("แก้ไขจำนวนสินค้า"),
        bannerStrip(QColor(21, 66, 139), QColor(120, 160, 210)))
    , m_target(target)
{
    Form_Load();
}

void QuantityEditDialog::showModal(LineGridTarget &target)
{
    if (QuantityEditDialog *old = WindowRegistry::find<QuantityEditDialog>())
        WindowRegistry::unload(old);
    QPointer<QuantityEditDialog> w = new QuantityEditDialog(&target);
    WindowRegistry::add(w);
    w->Text1->setFocus(Qt::OtherFocusReason);
    DialogRunner::exec(w);
}

void QuantityEditDialog::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    if (m_target) {
        const int r = Module1::EditRow;
        Label1->setText(labelText(m_target->lineName(r), m_target->lineDescription(r)));
    }
    showQuantity(Module1::EditQty);
}

void QuantityEditDialog::Command1_Click()
{
    bool ok = false;
    const qint64 qty = trimBlanks(Text1->text()).toLongLong(&ok);
    if (!ok || qty < 1) {
        Text1->setText(QStringLiteral("1"));
        InputBoxes::selectAllText(Text1);
        Text1->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_target) {
        try {
            m_target->setQuantity(Module1::EditRow, qty);
        } catch (const std::exception &e) {
            // The line could not be priced again (its product is gone): it keeps its quantity.
            MsgBox(QString::fromUtf8(e.what()), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                MsgResult::Ok, this);
            return;
        }
    }
    close();
}
