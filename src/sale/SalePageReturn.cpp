// Return mode of the sale page: a bill is loaded by its receipt number and returned whole or
// one line at a time.
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowPlacement.h"
#include "sale/LineReturnDialog.h"
#include "sale/QuantityEditDialog.h"
#include "sale/Returns.h"
#include "sale/SaleGrid.h"
#include "sale/SalePage.h"
#include "shell/Messages.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

using namespace SaleGrid;
void setLeftWidth(QWidget *w, double left, double width)
{
    w->setGeometry(Twips::toPixelsX(left), w->y(), Twips::toPixelsX(width), w->height());
}

const QString kPartialRefusal = QStringList {
    QStringLiteral("ไม่สามารถคืนสินค้า (เป็นบางรายการได้) เนื่องจาก"),
    QStringLiteral(" ใบเสร็จใบนี้  [มีส่วนลด]  หรือ  [ได้ราคาส่ง]  เพื่อไม่ให้ "),
    QStringLiteral(" เกิดข้อผิดพลาดทางการคำนวณ ระบบจึงแนะนำให้ท่าน"),
    QStringLiteral(" [ คืนสินค้าทั้งหมด (ยกเลิกบิล) ] และ เปิดบิลใหม่ แทน "),
}.join(QStringLiteral("\r\n\r\n"));

} // namespace

void SalePage::enterReturnMode()
{
    resetGrid();
    m_returning = true;
    codeBox->setMaxLength(13);
    codeBox->setText(QStringLiteral("INV-"));
    codeBox->setCursorPosition(4);
    codeBox->setFocus(Qt::OtherFocusReason);
    for (QWidget *w : std::initializer_list<QWidget *> { saveButton, saveAndPrintButton,
             removeLineButton, returnModeButton, clearButton, searchButton, holdButton,
             recallButton, cashBox, discountBox, discountKind })
        w->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *> { priceListCaption, codeCaption, priceList })
        w->hide();
    billNumberCaption->show();
    loadBillButton->show();
    returnWholeBillButton->setEnabled(true);
    setLeftWidth(leaveReturnModeButton, 0, 9650);
    leaveReturnModeButton->show();
    showPicture(QStringLiteral("data/NoPicture1.jpg"));
    cashBox->clear();
    discountBox->clear();
    lineCountLabel->setText(lineCountText(0));
    pictureCaption->setText(QStringLiteral("ภาพสินค้า"));
    totalLabel->setText(QStringLiteral("โหมดคืนสินค้า"));
    changeLabel->setText(QStringLiteral("0.00"));
    netLabel->setText(QStringLiteral("0.00"));
}

void SalePage::loadBill()
{
    m_returnBillNo = codeBox->text().trimmed();
    std::optional<StoredBill> bill;
    try {
        bill = ::loadBill(ShopDatabase::connection(), m_returnBillNo);
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }
    const int n = bill ? int(bill->lines.size()) : 0;
    saleGrid->setMaxRows(n);
    lineCountLabel->setText(lineCountText(n));
    if (!bill) {
        MsgBox(QStringLiteral("ไม่พบ ( เลขที่ใบเสร็จ ) ที่คุณต้องการโปรดลองใหม่อีกครั้ง"), MsgButtons::Ok,
            MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        codeBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    // From here on the stored number is the one every write uses.
    m_returnBillNo = bill->number;

    discountKind->setCurrentIndex(1);
    changeDiscountKind();
    setLeftWidth(leaveReturnModeButton, 5460, 4185);
    returnWholeBillButton->show();
    codeBox->setEnabled(false);
    loadBillButton->setEnabled(false);

    // The bill becomes the page's sale: its stored lines at the prices paid.
    m_billHasWholesaleLine = bill->wholesale;
    m_sale.lines.clear();
    for (const BillLine &l : bill->lines) {
        SaleLine line;
        line.storedKey = l.key;
        line.code = l.code;
        // Stored names carry the blank the page puts before a name.
        line.name = l.name.startsWith(QLatin1Char(' ')) ? l.name.mid(1) : l.name;
        line.description = l.description;
        line.unit = l.unit;
        line.quantity = l.quantity;
        line.unitPrice = l.price;
        line.cost = l.cost;
        m_sale.lines.append(line);
    }
    showSale();

    // A discount with cents may be longer than the box takes when typed.
    const QString discount = bill->discount.plain();
    if (discount.size() > discountBox->maxLength())
        discountBox->setMaxLength(int(discount.size()));
    discountBox->setText(discount); // its change handler computes the bill's totals

    priceList->setCurrentIndex(qBound(0, bill->priceType, 2));
    changePriceList();
}

void SalePage::returnWholeBill()
{
    if (MsgBox(QStringLiteral("คุณแน่ใจ หรือ ไม่ว่าคุณต้องการ คืนสินค้าทั้งหมด และ ยกเลิกบิล นี้ !!"),
            MsgButtons::OkCancel, MsgIcon::Warning, QStringLiteral("ยืนยันการบันทึก"), MsgResult::Ok,
            this)
        != MsgResult::Ok)
        return;
    try {
        ::returnWholeBill(
            ShopDatabase::connection(), m_returnBillNo, { SignedInUser::name, Clock::now() });
    } catch (const MissingReturnProduct &e) {
        MsgBox(QStringLiteral("ไม่พบสินค้า ( รหัสสินค้า = ") + e.code
                + QStringLiteral(" ) ในคลังสินค้า การคืนสินค้าทั้งบิลนี้ยังไม่ได้บันทึก"),
            MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    } catch (const DbError &e) {
        MsgBox(QStringLiteral("คืนสินค้าไม่สำเร็จ : ") + e.text(), MsgButtons::Ok, MsgIcon::Warning,
            Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }
    openDrawerAfterReturn();
    resetGrid();
    totalLabel->setText(QStringLiteral("คืนสินค้าทั้งหมดแล้ว"));
    returnWholeBillButton->setEnabled(false);
}

void SalePage::leaveReturnMode()
{
    resetGrid();
    m_returning = false;
    codeBox->setMaxLength(20);
    totalLabel->setText(QStringLiteral("0.00"));
    netLabel->setText(QStringLiteral("0.00"));
    changeLabel->setText(QStringLiteral("0.00"));
    for (QWidget *w : std::initializer_list<QWidget *> {
             loadBillButton, leaveReturnModeButton, returnWholeBillButton, billNumberCaption })
        w->hide();
    for (QWidget *w : std::initializer_list<QWidget *> { priceListCaption, codeCaption, priceList })
        w->show();
    for (QWidget *w :
        std::initializer_list<QWidget *> { loadBillButton, saveButton, saveAndPrintButton,
            removeLineButton, returnModeButton, clearButton, holdButton, recallButton, searchButton,
            discountBox, discountKind, returnWholeBillButton, codeBox, cashBox })
        w->setEnabled(true);
    codeBox->clear();
    discountBox->clear();
    discountBox->setMaxLength(discountKind->currentIndex() == 0 ? 2 : 7);
    codeBox->setFocus(Qt::OtherFocusReason);
}

void SalePage::changeOrReturnLine()
{
    DataGrid *g = saleGrid;
    if (m_sale.isEmpty())
        return;
    const int col = g->activeCol();
    const int row = g->activeRow();
    if (col != ColQty || row < 1 || row > m_sale.lines.size())
        return;
    if (!m_returning) {
        g->setRow(row);
        QuantityEditDialog::showModal(*this, row, m_sale.lines[row - 1].quantity);
        codeBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_sale.discountFigure.isZero() || m_billHasWholesaleLine) {
        MsgBox(kPartialRefusal, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok,
            this);
        return;
    }
    const SaleLine &line = m_sale.lines[row - 1];
    const std::optional<LineReturnDialog::StoredLineReturn> done = LineReturnDialog::showModal(
        *this, { m_returnBillNo, row, line.storedKey, line.quantity });
    if (!done)
        return;
    showLineReturned(row, done->returned, done->remaining);
    openDrawerAfterReturn();
}

void SalePage::openDrawerAfterReturn()
{
    if (!m_drawer.on)
        return;
    QString error;
    if (!openDrawer(&error))
        MsgBox(QStringLiteral("เปิดลิ้นชักเก็บเงินไม่ได้ : ") + error, MsgButtons::Ok, MsgIcon::Warning,
            Msg::StatusTitle, MsgResult::Ok, this);
}
