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
#include "shell/Module1.h"
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
    SetupSpread();
    Module1::ReturnMode = true;
    txtSearchProduct->setMaxLength(13);
    txtSearchProduct->setText(QStringLiteral("INV-"));
    txtSearchProduct->setCursorPosition(4);
    txtSearchProduct->setFocus(Qt::OtherFocusReason);
    for (QWidget *w :
        std::initializer_list<QWidget *> { pageButton1, pageButton2, pageButton3, pageButton4,
            kasmoButton1, cmdSearch, kasmoButton2, kasmoButton3, Text1, text2, Combo1 })
        w->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *> { Label10, Label13, Combo2 })
        w->hide();
    Label18->show();
    Command2->show();
    Command6->setEnabled(true);
    setLeftWidth(Command4, 0, 9650);
    Command4->show();
    showPicture(QStringLiteral("data/NoPicture1.jpg"));
    Text1->clear();
    text2->clear();
    Label2->setText(lineCountText(0));
    Label11->setText(QStringLiteral("ภาพสินค้า"));
    Label6->setText(QStringLiteral("โหมดคืนสินค้า"));
    Label3->setText(QStringLiteral("0.00"));
    Label16->setText(QStringLiteral("0.00"));
}

void SalePage::Command2_Click()
{
    Module1::ReturnBillNo = txtSearchProduct->text().trimmed();
    std::optional<StoredBill> bill;
    try {
        bill = loadBill(ShopDatabase::connection(), Module1::ReturnBillNo);
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }
    const int n = bill ? int(bill->lines.size()) : 0;
    fpSpread1->setMaxRows(n);
    Label2->setText(lineCountText(n));
    if (!bill) {
        MsgBox(QStringLiteral("ไม่พบ ( เลขที่ใบเสร็จ ) ที่คุณต้องการโปรดลองใหม่อีกครั้ง"), MsgButtons::Ok,
            MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        txtSearchProduct->setFocus(Qt::OtherFocusReason);
        return;
    }
    // From here on the stored number is the one every write uses.
    Module1::ReturnBillNo = bill->number;

    Combo1->setCurrentIndex(1);
    Combo1_Click();
    setLeftWidth(Command4, 5460, 4185);
    Command6->show();
    txtSearchProduct->setEnabled(false);
    Command2->setEnabled(false);

    // The bill becomes the page's sale: its stored lines at the prices paid.
    HasWholesaleLine = bill->wholesale;
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
    if (discount.size() > text2->maxLength())
        text2->setMaxLength(int(discount.size()));
    text2->setText(discount); // its change handler computes the bill's totals

    Combo2->setCurrentIndex(qBound(0, bill->priceType, 2));
    Combo2_Click();
}

void SalePage::Command6_Click()
{
    if (MsgBox(QStringLiteral("คุณแน่ใจ หรือ ไม่ว่าคุณต้องการ คืนสินค้าทั้งหมด และ ยกเลิกบิล นี้ !!"),
            MsgButtons::OkCancel, MsgIcon::Warning, QStringLiteral("ยืนยันการบันทึก"), MsgResult::Ok,
            this)
        != MsgResult::Ok)
        return;
    try {
        returnWholeBill(ShopDatabase::connection(), Module1::ReturnBillNo,
            { SignedInUser::name, Clock::now() });
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
    returnDrawerStep();
    SetupSpread();
    Label6->setText(QStringLiteral("คืนสินค้าทั้งหมดแล้ว"));
    Command6->setEnabled(false);
}

void SalePage::Command4_Click()
{
    SetupSpread();
    Module1::ReturnMode = false;
    txtSearchProduct->setMaxLength(20);
    Label6->setText(QStringLiteral("0.00"));
    Label16->setText(QStringLiteral("0.00"));
    Label3->setText(QStringLiteral("0.00"));
    for (QWidget *w : std::initializer_list<QWidget *> { Command2, Command4, Command6, Label18 })
        w->hide();
    for (QWidget *w : std::initializer_list<QWidget *> { Label10, Label13, Combo2 })
        w->show();
    for (QWidget *w : std::initializer_list<QWidget *> { Command2, pageButton1, pageButton2,
             pageButton3, pageButton4, kasmoButton1, kasmoButton2, kasmoButton3, cmdSearch, text2,
             Combo1, Command6, txtSearchProduct, Text1 })
        w->setEnabled(true);
    txtSearchProduct->clear();
    text2->clear();
    text2->setMaxLength(Combo1->currentIndex() == 0 ? 2 : 7);
    txtSearchProduct->setFocus(Qt::OtherFocusReason);
}

void SalePage::fpSpread1_DblClick()
{
    DataGrid *g = fpSpread1;
    if (m_sale.isEmpty())
        return;
    const int col = g->activeCol();
    const int row = g->activeRow();
    if (col != ColQty || row < 1 || row > m_sale.lines.size())
        return;
    if (!Module1::ReturnMode) {
        g->setRow(row);
        Module1::EditQty = int(m_sale.lines[row - 1].quantity);
        Module1::EditRow = row;
        QuantityEditDialog::showModal(*this);
        txtSearchProduct->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_sale.discountFigure.isZero() || HasWholesaleLine) {
        MsgBox(kPartialRefusal, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok,
            this);
        return;
    }
    Module1::EditQty = int(m_sale.lines[row - 1].quantity);
    Module1::EditRow = row;
    if (LineReturnDialog::showModal(*this))
        returnDrawerStep();
}

void SalePage::returnDrawerStep()
{
    if (DrawerOn != 1)
        return;
    QString error;
    if (!OpenOnOFF(&error))
        MsgBox(QStringLiteral("เปิดลิ้นชักเก็บเงินไม่ได้ : ") + error, MsgButtons::Ok, MsgIcon::Warning,
            Msg::StatusTitle, MsgResult::Ok, this);
}
