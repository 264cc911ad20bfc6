// The sale page's clear, hold and recall commands. One sale can be held, in the hidden grid
// fpSpread2, only while the page is open; nothing of it goes to the database.
#include "button/kasmoButton.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/MessageBox.h"
#include "sale/Form3.h"
#include "sale/SaleGrid.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {
using namespace SaleGrid;

// Copies the lines of one grid into another: the texts of columns 0 to 9 and the unit-price
// cell's background, which carries the line's wholesale mark that the save reads back.
void copyLines(const DataGrid *from, DataGrid *to)
{
    std::vector<QStringList> rows;
    rows.reserve(from->maxRows());
    for (int r = 1; r <= from->maxRows(); ++r) {
        QStringList cells;
        for (int c = 0; c <= LastCol; ++c)
            cells.append(from->getText(c, r));
        rows.push_back(std::move(cells));
    }
    const int n = int(rows.size());
    to->setRows(std::move(rows));
    for (int r = 1; r <= n; ++r) {
        const QColor back = from->backColor(ColPrice, r);
        if (back.isValid())
            to->setBackColor(ColPrice, r, back);
    }
}
} // namespace

void Form3::emptyPage(const QString &status)
{
    SetupSpread();
    Label3->setText(QStringLiteral("0.00"));
    LoadPica(QString()); // data/NoPicture1.jpg
    Text1->clear();
    text2->clear();
    Label2->setText(lineCountText(0));
    Label11->setText(QStringLiteral("ภาพสินค้า"));
    Label6->setText(status);
    Label16->setText(QStringLiteral("0.00"));
    txtSearchProduct->clear();
    focusCodeBox();
}

void Form3::kasmoButton1_Click()
{
    if (fpSpread1->maxRows() == 0) {
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

void Form3::kasmoButton2_Click()
{
    if (fpSpread1->maxRows() == 0) {
        MsgBox(QStringLiteral("ไม่พบสินค้าในตาราง ระบบจึงไม่สามารถ พักการขายได้.."), MsgButtons::Ok,
            MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        focusCodeBox();
        return;
    }
    fpSpread2->setMaxCols(LastCol);
    copyLines(fpSpread1, fpSpread2);
    HeldPriceType = quint8(qMax(0, Combo2->currentIndex()));
    kasmoButton2->hide();
    kasmoButton3->show();
    emptyPage(QStringLiteral("พักการขายแล้ว"));
}

void Form3::kasmoButton3_Click()
{
    // A recalled sale would land in the bill loaded for return.
    if (Module1::ReturnMode)
        return;
    if (fpSpread1->maxRows() > 0) {
        MsgBox(QStringLiteral("ไม่สามารถ ( เรียกคืนสินค้า ) เนื่องจากมี สินค้า อยู่ในตาราง\n\n"
                              "โปรดทำการ บันทึก หรือ ลบสินค้าทั้งหมด ออกจากตาราง"),
            MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        return;
    }
    if (Combo2->currentIndex() != HeldPriceType) {
        Combo2->setCurrentIndex(HeldPriceType);
        Combo2_Click(); // on the still empty page
    }
    kasmoButton2->show();
    kasmoButton3->hide();
    copyLines(fpSpread2, fpSpread1);
    Label2->setText(lineCountText(fpSpread1->maxRows()));
    fpSpread2->setMaxRows(0);
    // Each change recomputes the totals: the recalled sale without discount or cash.
    text2->setText(QStringLiteral("1"));
    text2->setText(QStringLiteral("0"));
    focusCodeBox();
}
