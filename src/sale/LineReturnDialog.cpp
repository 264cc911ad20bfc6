#include "sale/LineReturnDialog.h"
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Codes.h"
#include "records/Val.h"
#include "sale/Returns.h"
#include "sale/SaleGrid.h"
#include "sale/SalePage.h"
#include "sale/SaleRules.h"
#include "sale/SaleUi.h"
#include "shell/InputBoxes.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
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

LineReturnDialog::LineReturnDialog(SalePage *page)
    : QuantityDialog(QStringLiteral("LineReturnDialog"), QStringLiteral("คืนสินค้า"),
        bannerStrip(QColor(139, 30, 40), QColor(230, 150, 150)))
    , m_page(page)
{
    Form_Load();
}

bool LineReturnDialog::showModal(SalePage &page)
{
    if (LineReturnDialog *old = WindowRegistry::find<LineReturnDialog>())
        WindowRegistry::unload(old);
    QPointer<LineReturnDialog> w = new LineReturnDialog(&page);
    WindowRegistry::add(w);
    w->Text1->setFocus(Qt::OtherFocusReason);
    // The dialog deletes itself when it closes: its result is all that is left to read, and
    // only a stored return accepts it.
    return DialogRunner::exec(w) == QDialog::Accepted;
}

void LineReturnDialog::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    if (m_page) {
        const int r = Module1::EditRow;
        Label1->setText(labelText(m_page->lineName(r), m_page->lineDescription(r)));
    }
    showQuantity(Module1::EditQty);
}

void LineReturnDialog::Command1_Click()
{
    const QString q = trimBlanks(Text1->text());
    bool ok = false;
    const qint64 n = q.toLongLong(&ok);
    if (!ok || n < 1) {
        Text1->setText(QStringLiteral("1"));
        InputBoxes::selectAllText(Text1);
        return;
    }
    if (n > Module1::EditQty) {
        Text1->setText(QString::number(Module1::EditQty));
        InputBoxes::selectAllText(Text1);
        return;
    }
    if (MsgBox(QStringLiteral("คุณแน่ใจ หรือ ไม่ ว่าคุณต้องการ คืนสินค้าจำนวน  [ ") + q
                + QStringLiteral(" ]  นี้ !!"),
            MsgButtons::OkCancel, MsgIcon::Warning, QStringLiteral("ยืนยันการบันทึก"), MsgResult::Ok,
            this)
        != MsgResult::Ok)
        return;
    if (!Return8())
        return;

    m_page->lineReturned(Module1::EditRow, n, m_remaining);
    accept();
}

bool LineReturnDialog::Return8()
{
    const int r = Module1::EditRow;
    if (!m_page || r < 1 || r > m_page->sale().lines.size())
        return false;
    const qint64 key = m_page->sale().lines[r - 1].storedKey;
    const qint64 q = trimBlanks(Text1->text()).toLongLong();
    QString failure;
    try {
        const LineReturn done = returnBillLine(ShopDatabase::connection(), Module1::ReturnBillNo,
            key, q, { SignedInUser::name, Clock::now() });
        NextMovementPK = done.movementKey;
        m_remaining = done.remaining;
        m_returned = true;
        return true;
    } catch (const MissingReturnProduct &e) {
        failure = QStringLiteral("ไม่พบสินค้า ( รหัสสินค้า = ") + e.code
            + QStringLiteral(" ) ในคลังสินค้า การคืนสินค้านี้ยังไม่ได้บันทึก");
    } catch (const ReturnRefused &) {
        failure = QStringLiteral("รายการนี้ไม่ตรงกับใบเสร็จที่บันทึกไว้ การคืนสินค้านี้ยังไม่ได้บันทึก");
    } catch (const DbError &e) {
        failure = QStringLiteral("คืนสินค้าไม่สำเร็จ : ") + e.text();
    }
    MsgBox(failure, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    return false;
}
