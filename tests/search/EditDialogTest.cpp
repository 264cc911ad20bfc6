#include "SearchFixture.h"
#include "sale/QuantityEditDialog.h"
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
    // The sale page's opening: the dialog over the line's row and quantity. The quantity
    // saved, if one was.
    std::optional<qint64> openOnSaleLine(int row)
    {
        return QuantityEditDialog::showModal(*page, row, saleCell(4, row).toLongLong());
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
        EXPECT_EQ(lineCaption(e)->text(), QStringLiteral("ปรับ สบู่เหลว กลิ่นมะลิ เป็น : "));
        EXPECT_EQ(saveButton(e)->text(), QStringLiteral("บันทึกข้อมูล (Enter)"));
        EXPECT_EQ(e->focusWidget(), quantityBox(e));
        EXPECT_EQ(quantityBox(e)->text(), QStringLiteral("2"));
        EXPECT_EQ(quantityBox(e)->selectedText(), QStringLiteral("2"));
        saveScreenshot(e->grab(), "search-QuantityEditDialog.png");
        // A letter is refused with its message; the box keeps its text.
        QTest::keyClick(quantityBox(e), Qt::Key_A);
        EXPECT_EQ(quantityBox(e)->text(), QStringLiteral("2"));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, QStringLiteral("ช่องนี้ กรอกได้แค่ ( ตัวเลข ) เท่านั้น !!"));
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
        // Esc means nothing; a fifth digit is not taken.
        QTest::keyClick(quantityBox(e), Qt::Key_Escape);
        EXPECT_TRUE(e->isVisible());
        quantityBox(e)->selectAll();
        QTest::keyClicks(quantityBox(e), QStringLiteral("12345"));
        EXPECT_EQ(quantityBox(e)->text(), QStringLiteral("1234"));
        e->reject(); // the close box
    });
    EXPECT_EQ(openOnSaleLine(1), std::nullopt);
    EXPECT_EQ(saleCell(4, 1), QStringLiteral("2")); // closing without a save changes nothing

    dialogs.then([&](QDialog *d) {
        EXPECT_EQ(lineCaption(asEdit(d))->text(), QStringLiteral("ปรับ สบู่ก้อน เป็น : "));
    });
    openOnSaleLine(2);

    // A longer quantity handed in shows in full; typing still takes four digits at most.
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        EXPECT_EQ(quantityBox(e)->text(), QStringLiteral("12345"));
        QTest::keyClick(quantityBox(e), Qt::Key_End);
        QTest::keyClick(quantityBox(e), Qt::Key_6);
        EXPECT_EQ(quantityBox(e)->text(), QStringLiteral("12345"));
    });
    QuantityEditDialog::showModal(*page, 1, 12345);
}

TEST_F(EditDialog, EnterSavesAndTheLineAndTotalsFollow)
{
    openSale();
    scan(QStringLiteral("A100"));
    scan(QStringLiteral("B200"));
    bool closed = false;
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        QTest::keyClick(quantityBox(e), Qt::Key_3); // replaces the selected quantity
        QPointer<QDialog> alive(d);
        QTest::keyClick(quantityBox(e), Qt::Key_Return);
        closed = !alive || !alive->isVisible();
    });
    EXPECT_EQ(openOnSaleLine(1), 3);
    EXPECT_TRUE(closed);
    // Three units reach the wholesale quantity: the line is re-priced by the sale's rule.
    EXPECT_EQ(saleCell(4, 1), QStringLiteral("3"));
    EXPECT_EQ(saleCell(6, 1), QStringLiteral("90"));
    EXPECT_EQ(saleCell(7, 1), QStringLiteral("270"));
    EXPECT_EQ(saleGrid(page)->backColor(6, 1), SalePage::colour(WholesaleColour));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("277.00"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("277.00"));

    // The button saves as Enter does.
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        QTest::keyClicks(quantityBox(e), QStringLiteral("12"));
        QTest::mouseClick(saveButton(e), Qt::LeftButton);
    });
    openOnSaleLine(2);
    EXPECT_EQ(saleCell(7, 2), QStringLiteral("84"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("354.00"));
}

TEST_F(EditDialog, ZeroOrEmptyGivesOneAndStaysOpen)
{
    openSale();
    scan(QStringLiteral("A100"));
    scan(QStringLiteral("A100"));
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        for (const char *typed : { "0", "" }) {
            quantityBox(e)->selectAll();
            if (*typed)
                QTest::keyClicks(quantityBox(e), QString::fromLatin1(typed));
            else
                QTest::keyClick(quantityBox(e), Qt::Key_Backspace);
            QTest::keyClick(quantityBox(e), Qt::Key_Return);
            EXPECT_TRUE(e->isVisible()) << typed;
            EXPECT_EQ(quantityBox(e)->text(), QStringLiteral("1")) << typed;
            EXPECT_EQ(quantityBox(e)->selectedText(), QStringLiteral("1")) << typed;
            EXPECT_EQ(saleCell(4, 1), QStringLiteral("2")) << typed;
        }
        QTest::keyClick(quantityBox(e), Qt::Key_Return); // "1" is a quantity
        EXPECT_FALSE(e->isVisible());
    });
    openOnSaleLine(1);
    EXPECT_EQ(saleCell(4, 1), QStringLiteral("1"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("7.00"));
}

TEST_F(EditDialog, StockUpdateLineFromItsDoubleClick)
{
    openStockUpdate();
    dialogs.then(
        [&](QDialog *d) { add(qobject_cast<ProductSearchDialog *>(d), QStringLiteral("A100")); });
    QTest::mouseClick(control<KasmoButton>(update, "searchButton"), Qt::LeftButton);
    dialogs.then([&](QDialog *d) {
        QuantityEditDialog *e = asEdit(d);
        EXPECT_EQ(lineCaption(e)->text(), QStringLiteral("ปรับ น้ำดื่ม ขวดเล็ก เป็น : "));
        EXPECT_EQ(quantityBox(e)->selectedText(), QStringLiteral("1"));
        QTest::keyClick(quantityBox(e), Qt::Key_4);
        QTest::keyClick(quantityBox(e), Qt::Key_Return);
    });
    doubleClick(control<DataGrid>(update, "lineGrid"), 3, 1); // not the quantity: nothing opens
    EXPECT_TRUE(dialogs.opened.count(QStringLiteral("QuantityEditDialog")) == 0);
    doubleClick(control<DataGrid>(update, "lineGrid"), 4, 1);
    EXPECT_EQ(dialogs.opened.count(QStringLiteral("QuantityEditDialog")), 1);
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
        EXPECT_EQ(quantityBox(e)->selectedText(), QStringLiteral("2"));
        QTest::keyClick(quantityBox(e), Qt::Key_5);
        QTest::keyClick(quantityBox(e), Qt::Key_Return);
    });
    doubleClick(saleGrid(page), 4, 1);
    EXPECT_EQ(dialogs.opened, QList<QString> { QStringLiteral("QuantityEditDialog") });
    EXPECT_EQ(saleCell(4, 1), QStringLiteral("5"));
    EXPECT_EQ(saleCell(7, 1), QStringLiteral("35"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("35.00"));
    EXPECT_EQ(page->focusWidget(), codeBox(page));
}
