#include "EditorFixture.h"
#include "platform/grid/DataGrid.h"
#include "sale/SaleControls.h"
#include "sale/SalePage.h"
#include "shell/SignedInUser.h"
#include <QApplication>

// A product entered in the editor is at once a product the counter sells, and a price
// changed in the editor is the price the next scan charges.
class ProductRoad : public EditorFixture
{
protected:
    void TearDown() override
    {
        delete page;
        EditorFixture::TearDown();
    }
    // A fresh sale page with one scan of the code; returns the price of its line.
    QString scanOnSalePage(const QString &code)
    {
        delete page;
        page = new SalePage;
        page->resize(1024, 700);
        page->show();
        codeBox(page)->setFocus();
        keys(codeBox(page), code);
        QTest::keyClick(codeBox(page), Qt::Key_Return);
        return saleGrid(page)->maxRows() == 1 ? saleGrid(page)->getText(6, 1) : QString();
    }
    QPointer<SalePage> page;
};

TEST_F(ProductRoad, NewProductSellsAndAnEditedPriceIsChargedNext)
{
    SignedInUser::name = "Admin";
    SignedInUser::position = "ผู้ดูแลระบบ";
    ASSERT_TRUE(runNew([&](ProductEditor *f) {
        fillNew(f, "8850001", "กาแฟเย็น", "45");
        type(unitList(f)->lineEdit(), "แก้ว");
        type(stockBox(f), "10");
        click(saveButton(f));
    }));
    const int pk = value("SELECT PK FROM tblProduct WHERE PDsn = '8850001'").toInt();
    ASSERT_EQ(pk, 4);

    // It scans on the sale page, in its new unit, and sells.
    EXPECT_EQ(scanOnSalePage("8850001"), "45");
    EXPECT_EQ(saleGrid(page)->getText(5, 1), "แก้ว");
    EXPECT_EQ(totalLabel(page)->text(), "45.00");
    boxes.clear();
    QTest::keyClick(codeBox(page), Qt::Key_F9); // save, the seed asks first
    EXPECT_EQ(count("SELECT count(*) FROM tblLog WHERE Lsn = '8850001' AND Lsell = 45"), 1);
    EXPECT_EQ(count("SELECT PDvalue FROM tblProduct WHERE PK = 4"), 9);

    // A new price in the editor is what the next scan charges.
    ASSERT_TRUE(runEdit(pk, [&](ProductEditor *f) {
        retype(priceBox(f), "50");
        click(saveButton(f));
    }));
    EXPECT_EQ(scanOnSalePage("8850001"), "50");

    // Closing the editor after typing writes nothing and the counter keeps its price.
    const QStringList before = dump();
    EXPECT_FALSE(runEdit(pk, [&](ProductEditor *f) {
        retype(priceBox(f), "60");
        retype(nameBox(f), "ชาเย็น");
        f->reject();
    }));
    EXPECT_EQ(dump(), before);
    EXPECT_EQ(scanOnSalePage("8850001"), "50");
}
