// The sale page's clear, hold and recall commands. One sale can be held, as a Sale shown in the
// hidden grid heldGrid, only while the page is open; nothing of it goes to the database.
#include "button/KasmoButton.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/MessageBox.h"
#include "sale/SaleGrid.h"
#include "sale/SalePage.h"
#include "shell/Messages.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {
using namespace SaleGrid;

// The held sale's lines as texts of columns 0 to 9.
void showHeld(DataGrid *grid, const std::optional<Sale> &held)
{
    std::vector<QStringList> rows;
    if (held)
        for (const SaleLine &l : held->lines)
            rows.push_back({ QString::number(l.productKey), l.code, QLatin1Char(' ') + l.name,
                l.description, QString::number(l.quantity), l.unit, l.unitPrice.plain(),
                l.amount().plain(), l.picture, l.cost.plain() });
    grid->setRows(std::move(rows));
}
} // namespace

void SalePage::emptyPage(const QString &status)
{
    resetGrid();
    changeLabel->setText(QStringLiteral("0.00"));
    showProductPicture(QString()); // data/NoPicture1.jpg
    cashBox->clear();
    discountBox->clear();
    lineCountLabel->setText(lineCountText(0));
    pictureCaption->setText(QStringLiteral("ภาพสินค้า"));
    totalLabel->setText(status);
    netLabel->setText(QStringLiteral("0.00"));
    codeBox->clear();
    focusCodeBox();
}

void SalePage::clearSale()
{
    if (m_sale.isEmpty()) {
        MsgBox(QStringLiteral("ไม่พบสินค้าในตาราง ระบบจึงไม่สามารถ ลบสินค้าทั้งหมด.."), MsgButtons::Ok,
            MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        focusCodeBox();
        return;
    }
    if (MsgBox(QStringLiteral("คุณแน่ใจหรือไม่ว่าต้องการ ( ลบสินค้าทั้งหมด ) ในหน้านี้ ?"), MsgButtons::OkCancel,
            MsgIcon::Warning, QStringLiteral("ยืนยันการลบ"), MsgResult::Ok, this)
        != MsgResult::Ok)
        return;
    emptyPage(QStringLiteral("ลบสินค้าทั้งหมดแล้ว"));
}

void SalePage::holdSale()
{
    if (m_sale.isEmpty()) {
        MsgBox(QStringLiteral("ไม่พบสินค้าในตาราง ระบบจึงไม่สามารถ พักการขายได้.."), MsgButtons::Ok,
            MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        focusCodeBox();
        return;
    }
    m_sale.priceType = priceType();
    m_held = m_sale;
    heldGrid->setMaxCols(LastCol);
    showHeld(heldGrid, m_held);
    m_heldPriceType = m_held->priceType;
    holdButton->hide();
    recallButton->show();
    emptyPage(QStringLiteral("พักการขายแล้ว"));
}

void SalePage::recallSale()
{
    // A recalled sale would land in the bill loaded for return.
    if (m_returning)
        return;
    if (!m_sale.isEmpty()) {
        MsgBox(QStringLiteral("ไม่สามารถ ( เรียกคืนสินค้า ) เนื่องจากมี สินค้า อยู่ในตาราง\n\n"
                              "โปรดทำการ บันทึก หรือ ลบสินค้าทั้งหมด ออกจากตาราง"),
            MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        return;
    }
    if (priceList->currentIndex() != int(m_heldPriceType)) {
        priceList->setCurrentIndex(int(m_heldPriceType));
        changePriceList(); // on the still empty page
    }
    holdButton->show();
    recallButton->hide();
    // The lines come back with how they were priced; discount and cash are asked again.
    if (m_held)
        m_sale.lines = m_held->lines;
    m_held.reset();
    showSale();
    showHeld(heldGrid, m_held);
    // Each change recomputes the totals: the recalled sale without discount or cash.
    discountBox->setText(QStringLiteral("1"));
    discountBox->setText(QStringLiteral("0"));
    focusCodeBox();
}
