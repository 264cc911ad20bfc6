#include "sale/LineReturnDialog.h"
#include "platform/db/DbError.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Codes.h"
#include "records/Val.h"
#include "sale/LineGridTarget.h"
#include "sale/Returns.h"
#include "sale/SaleRules.h"
#include "sale/SaleUi.h"
#include "shell/InputBoxes.h"
#include "shell/Messages.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

QString LineReturnDialog::labelText(const QString &name, const QString &description)
{
    return lineLabel(QStringLiteral("คืน "), name, description, QStringLiteral(" เป็นจำนวน : "));
}

LineReturnDialog::LineReturnDialog(const LineGridTarget *lines, const BillLineToReturn &line)
    : QuantityDialog(QStringLiteral("LineReturnDialog"), QStringLiteral("คืนสินค้า"),
        bannerStrip(QColor(139, 30, 40), QColor(230, 150, 150)))
    , m_line(line)
{
    WindowPlacement::place(this, VerticalPlace::Third);
    if (lines)
        lineCaption->setText(
            labelText(lines->lineName(line.row), lines->lineDescription(line.row)));
    showQuantity(line.quantity);
}

std::optional<LineReturnDialog::StoredLineReturn> LineReturnDialog::showModal(
    const LineGridTarget &lines, const BillLineToReturn &line)
{
    if (LineReturnDialog *old = WindowRegistry::find<LineReturnDialog>())
        WindowRegistry::unload(old);
    std::optional<StoredLineReturn> stored;
    QPointer<LineReturnDialog> w = new LineReturnDialog(&lines, line);
    w->m_stored = &stored;
    WindowRegistry::add(w);
    w->quantityBox->setFocus(Qt::OtherFocusReason);
    // The dialog deletes itself when it closes: what it stored is all that is left to read.
    DialogRunner::exec(w);
    if (w)
        w->m_stored = nullptr;
    return stored;
}

void LineReturnDialog::saveQuantity()
{
    const QString q = trimBlanks(quantityBox->text());
    bool ok = false;
    const qint64 n = q.toLongLong(&ok);
    if (!ok || n < 1) {
        quantityBox->setText(QStringLiteral("1"));
        InputBoxes::selectAllText(quantityBox);
        return;
    }
    if (n > m_line.quantity) {
        quantityBox->setText(QString::number(m_line.quantity));
        InputBoxes::selectAllText(quantityBox);
        return;
    }
    if (MsgBox(QStringLiteral("คุณแน่ใจ หรือ ไม่ ว่าคุณต้องการ คืนสินค้าจำนวน  [ ") + q
                + QStringLiteral(" ]  นี้ !!"),
            MsgButtons::OkCancel, MsgIcon::Warning, QStringLiteral("ยืนยันการบันทึก"), MsgResult::Ok,
            this)
        != MsgResult::Ok)
        return;
    const std::optional<StoredLineReturn> done = storeReturn();
    if (!done)
        return;
    if (m_stored)
        *m_stored = done;
    accept();
}

std::optional<LineReturnDialog::StoredLineReturn> LineReturnDialog::storeReturn()
{
    const qint64 q = trimBlanks(quantityBox->text()).toLongLong();
    QString failure;
    try {
        const LineReturn done = returnBillLine(ShopDatabase::connection(), m_line.billNo,
            m_line.storedKey, q, { SignedInUser::name, Clock::now() });
        return StoredLineReturn { q, done.remaining };
    } catch (const MissingReturnProduct &e) {
        failure = QStringLiteral("ไม่พบสินค้า ( รหัสสินค้า = ") + e.code
            + QStringLiteral(" ) ในคลังสินค้า การคืนสินค้านี้ยังไม่ได้บันทึก");
    } catch (const ReturnRefused &) {
        failure = QStringLiteral("รายการนี้ไม่ตรงกับใบเสร็จที่บันทึกไว้ การคืนสินค้านี้ยังไม่ได้บันทึก");
    } catch (const DbError &e) {
        failure = QStringLiteral("คืนสินค้าไม่สำเร็จ : ") + e.text();
    }
    MsgBox(failure, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    return std::nullopt;
}
