#include "sale/ReturnItem.h"
#include "button/kasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/KeyAscii.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Codes.h"
#include "records/Val.h"
#include "sale/Form3.h"
#include "sale/Returns.h"
#include "sale/SaleGrid.h"
#include "sale/SaleRules.h"
#include "sale/SaleUi.h"
#include "shell/MLogin.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

// Columns of a bill line on the sale page in return mode.
using namespace SaleGrid;
constexpr int ColKey = ColPK; // the stored line (LPK) in return mode

} // namespace

QString ReturnItem::labelText(const QString &name, const QString &description)
{
    return lineLabel(QStringLiteral("คืน "), name, description, QStringLiteral(" เป็นจำนวน : "));
}

ReturnItem::ReturnItem()
    : QuantityDialog(QStringLiteral("ReturnItem"), QStringLiteral("คืนสินค้า"),
        bannerStrip(QColor(139, 30, 40), QColor(230, 150, 150)))
{
    Form_Load();
}

bool ReturnItem::showModal()
{
    QPointer<ReturnItem> w = WindowRegistry::instance<ReturnItem>();
    w->Text1->setFocus(Qt::OtherFocusReason);
    // The dialog deletes itself when it closes: its result is all that is left to read, and
    // only a stored return accepts it.
    return DialogRunner::exec(w) == QDialog::Accepted;
}

Form3 *ReturnItem::page() const
{
    return WindowRegistry::find<Form3>();
}

void ReturnItem::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    if (const Form3 *f = page()) {
        const int r = Module1::EditRow;
        Label1->setText(
            labelText(f->fpSpread1->getText(ColName, r), f->fpSpread1->getText(ColDes, r)));
    }
    showQuantity(Module1::EditQty);
}

void ReturnItem::Command1_Click()
{
    const QString q = trimBlanks(Text1->text());
    bool ok = false;
    const qint64 n = q.toLongLong(&ok);
    if (!ok || n < 1) {
        Text1->setText(QStringLiteral("1"));
        Module1::SelectAllText(Text1);
        return;
    }
    if (n > Module1::EditQty) {
        Text1->setText(QString::number(Module1::EditQty));
        Module1::SelectAllText(Text1);
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

    Form3 *f = page();
    DataGrid *g = f->fpSpread1;
    const int r = Module1::EditRow;
    const Currency price = Currency::fromUnits(m_priceUnits);
    f->Label3->setText((Currency::fromText(f->Label3->text()) + price * n).format());
    if (m_remaining == 0) {
        g->deleteRows(r, 1);
        g->setMaxRows(g->maxRows() - 1);
    } else {
        // The rest of the line stays at the price the customer paid.
        g->setText(ColQty, r, QString::number(m_remaining));
        g->setText(ColAmount, r, (price * m_remaining).format() + QLatin1Char(' '));
    }
    try {
        f->CalTotalAmount();
    } catch (const DbError &) {
        // The figures are the page's own; the stored return stands either way.
    }
    f->Label6->setText(QStringLiteral("คืนสินค้าแล้ว ") + q + QStringLiteral(" หน่วย"));
    f->Label2->setText(Form3::lineCountText(g->maxRows()));
    if (g->maxRows() == 0) {
        f->Command6->setEnabled(false);
        f->Label6->setText(QStringLiteral("คืนสินค้าทั้งหมดแล้ว"));
    }
    accept();
}

bool ReturnItem::Return8()
{
    Form3 *f = page();
    if (!f)
        return false;
    const int r = Module1::EditRow;
    const qint64 key = toWholeNumber(f->fpSpread1->getText(ColKey, r));
    const qint64 q = trimBlanks(Text1->text()).toLongLong();
    QString failure;
    try {
        const LineReturn done = returnBillLine(
            Module1::Conn(), Module1::ReturnBillNo, key, q, { MLogin::LoginUID, Clock::now() });
        NextMovementPK = done.movementKey;
        m_remaining = done.remaining;
        m_priceUnits = done.line.price.units();
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
