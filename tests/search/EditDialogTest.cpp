#include "SearchFixture.h"
#include "sale/QuantityEditDialog.h"
#include "shell/Module1.h"
#include "support/Screenshots.h"
#include <QLabel>
#include <QPushButton>

namespace {
QuantityEditDialog *asEdit(QDialog *d)
{
    auto *e = qobject_cast<QuantityEditDialog *>(d);
    EXPECT_NE(e, nullptr);
    return e;
}
} // namespace

class EditDialog : public SearchFixture
{
protected:
    // The sale page's opening: the line's quantity and row, then the dialog.
    void openOnSaleLine(int row)
    {
        Module1::EditQty = int(saleCell(4, row).toLongLong());
        Module1::EditRow = row;
        QuantityEditDialog::showModal(*page);
    }
};

TEST_F(EditDialog, LabelQuantitySelectedAndKeys)
{
    openSale();
    scan(QStringLiteral("C300")); // no description
    scan(QStringLiteral("B200"));
    scan(QStringLiteral("B200"));
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        EXPECT_EQ(e->windowTitle(), QStringLiteral("แก้ไขจำนวนสินค้า"));
        EXPECT_EQ(e->Label1->text(), QStringLiteral("ปรับ สบู่เหลว กลิ่นมะลิ เป็น : "));
        EXPECT_EQ(e->Command1->text(), QStringLiteral("บันทึกข้อมูล (Enter)"));
        EXPECT_EQ(e->focusWidget(), e->Text1);
        EXPECT_EQ(e->Text1->text(), QStringLiteral("2"));
        EXPECT_EQ(e->Text1->selectedText(), QStringLiteral("2"));
        saveScreenshot(e->grab(), "search-QuantityEditDialog.png");
        // A letter is refused with its message; the box keeps its text.
        QTest::keyClick(e->Text1, Qt::Key_A);
        EXPECT_EQ(e->Text1->text(), QStringLiteral("2"));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, QStringLiteral("ช่องนี้ กรอกได้แค่ ( ตัวเลข ) เท่านั้น !!"));
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
        // Esc means nothing; a fifth digit is not taken.
        QTest::keyClick(e->Text1, Qt::Key_Escape);
        EXPECT_TRUE(e->isVisible());
        e->Text1->selectAll();
        QTest::keyClicks(e->Text1, QStringLiteral("12345"));
        EXPECT_EQ(e->Text1->text(), QStringLiteral("1234"));
        e->reject(); // the close box
    });
    openOnSaleLine(1);
    EXPECT_EQ(saleCell(4, 1), QStringLiteral("2")); // closing without a save changes nothing

    dialogs.then([&](QDialog *d) {
        EXPECT_EQ(asEdit(d)->Label1->text(), QStringLiteral("ปรับ สบู่ก้อน เป็น : "));
    });
    openOnSaleLine(2);

    // A longer quantity handed in shows in full; typing still takes four digits at most.
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        EXPECT_EQ(e->Text1->text(), QStringLiteral("12345"));
        QTest::keyClick(e->Text1, Qt::Key_End);
        QTest::keyClick(e->Text1, Qt::Key_6);
        EXPECT_EQ(e->Text1->text(), QStringLiteral("12345"));
    });
    Module1::EditQty = 12345;
    Module1::EditRow = 1;
    QuantityEditDialog::showModal(*page);
}

TEST_F(EditDialog, EnterSavesAndTheLineAndTotalsFollow)
{
    openSale();
    scan(QStringLiteral("A100"));
    scan(QStringLiteral("B200"));
    bool closed = false;
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        QTest::keyClick(e->Text1, Qt::Key_3); // replaces the selected quantity
        QPointer<QDialog> alive(d);
        QTest::keyClick(e->Text1, Qt::Key_Return);
        closed = !alive || !alive->isVisible();
    });
    openOnSaleLine(1);
    EXPECT_TRUE(closed);
    // Three units reach the wholesale quantity: the line is re-priced by the sale's rule.
    EXPECT_EQ(saleCell(4, 1), QStringLiteral("3"));
    EXPECT_EQ(saleCell(6, 1), QStringLiteral("90"));
    EXPECT_EQ(saleCell(7, 1), QStringLiteral("270"));
    EXPECT_EQ(page->fpSpread1->backColor(6, 1), SalePage::colour(WholesaleColour));
    EXPECT_EQ(page->Label6->text(), QStringLiteral("277.00"));
    EXPECT_EQ(page->Label16->text(), QStringLiteral("277.00"));

    // The button saves as Enter does.
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        QTest::keyClicks(e->Text1, QStringLiteral("12"));
        QTest::mouseClick(e->Command1, Qt::LeftButton);
    });
    openOnSaleLine(2);
    EXPECT_EQ(saleCell(7, 2), QStringLiteral("84"));
    EXPECT_EQ(page->Label6->text(), QStringLiteral("354.00"));
}

TEST_F(EditDialog, ZeroOrEmptyGivesOneAndStaysOpen)
{
    openSale();
    scan(QStringLiteral("A100"));
    scan(QStringLiteral("A100"));
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        for (const char *typed : { "0", "" }) {
            e->Text1->selectAll();
            if (*typed)
                QTest::keyClicks(e->Text1, QString::fromLatin1(typed));
            else
                QTest::keyClick(e->Text1, Qt::Key_Backspace);
            QTest::keyClick(e->Text1, Qt::Key_Return);
            EXPECT_TRUE(e->isVisible()) << typed;
            EXPECT_EQ(e->Text1->text(), QStringLiteral("1")) << typed;
            EXPECT_EQ(e->Text1->selectedText(), QStringLiteral("1")) << typed;
            EXPECT_EQ(saleCell(4, 1), QStringLiteral("2")) << typed;
        }
        QTest::keyClick(e->Text1, Qt::Key_Return); // "1" is a quantity
        EXPECT_FALSE(e->isVisible());
    });
    openOnSaleLine(1);
    EXPECT_EQ(saleCell(4, 1), QStringLiteral("1"));
    EXPECT_EQ(page->Label6->text(), QStringLiteral("7.00"));
}

TEST_F(EditDialog, StockUpdateLineFromItsDoubleClick)
{
    openStockUpdate();
    dialogs.then(
        [&](QDialog *d) { add(qobject_cast<ProductSearchDialog *>(d), QStringLiteral("A100")); });
    QTest::mouseClick(control<KasmoButton>(update, "searchButton"), Qt::LeftButton);
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        EXPECT_EQ(e->Label1->text(), QStringLiteral("ปรับ น้ำดื่ม ขวดเล็ก เป็น : "));
        EXPECT_EQ(e->Text1->selectedText(), QStringLiteral("1"));
        QTest::keyClick(e->Text1, Qt::Key_4);
        QTest::keyClick(e->Text1, Qt::Key_Return);
    });
    doubleClick(control<DataGrid>(update, "lineGrid"), 3, 1); // not the quantity: nothing opens
    EXPECT_TRUE(dialogs.opened.count(QStringLiteral("QuantityEditDialog")) == 0);
    doubleClick(control<DataGrid>(update, "lineGrid"), 4, 1);
    EXPECT_EQ(dialogs.opened.count(QStringLiteral("QuantityEditDialog")), 1);
    EXPECT_EQ(Module1::EditRow, 1);
    EXPECT_EQ(control<DataGrid>(update, "lineGrid")->getText(4, 1), QStringLiteral("4"));
    EXPECT_EQ(control<DataGrid>(update, "lineGrid")->getText(7, 1), QStringLiteral("20"));
    EXPECT_EQ(control<QLabel>(update, "totalLabel")->text(), QStringLiteral("20.00"));
    EXPECT_EQ(update->focusWidget(), control<QLineEdit>(update, "codeBox"));
}

TEST_F(EditDialog, SaleLineFromTheGridsDoubleClick)
{
    openSale();
    scan(QStringLiteral("A100"));
    scan(QStringLiteral("A100"));
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        EXPECT_EQ(e->Text1->selectedText(), QStringLiteral("2"));
        QTest::keyClick(e->Text1, Qt::Key_5);
        QTest::keyClick(e->Text1, Qt::Key_Return);
    });
    doubleClick(page->fpSpread1, 4, 1);
    EXPECT_EQ(dialogs.opened, QList<QString> { QStringLiteral("QuantityEditDialog") });
    EXPECT_EQ(saleCell(4, 1), QStringLiteral("5"));
    EXPECT_EQ(saleCell(7, 1), QStringLiteral("35"));
    EXPECT_EQ(page->Label6->text(), QStringLiteral("35.00"));
    EXPECT_EQ(page->focusWidget(), page->txtSearchProduct);
}
