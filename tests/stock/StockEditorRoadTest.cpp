#include "EditorControls.h"
#include "StockFixture.h"
#include "sale/SaleControls.h"
#include "sale/SalePage.h"
#include "stock/ProductEditor.h"
#include "support/FindControl.h"

using namespace EditorControls;

// The whole road of a product: added from the stock page, listed, scanned and sold on the sale
// page; its price changed from the stock page and charged anew; an editor closed without a save
// writing nothing. The page opens the program's own editor here.
class StockEditorRoad : public StockPageTest
{
protected:
    void SetUp() override
    {
        StockPageTest::SetUp();
        StockPage::setWindows({});
        add({ .code = "AB1", .name = "กาแฟ", .stock = 5, .sell = 20, .unit = "ถุง" });
    }
    static ProductEditor *editor(QDialog *d) { return qobject_cast<ProductEditor *>(d); }
    static void keys(QWidget *w, const QString &text)
    {
        w->setFocus();
        type(w, text);
    }
    // Chooses the sale tab, scans the code and returns the price of the line.
    QString scanOnSalePage(const QString &code)
    {
        QTest::mouseClick(control(frame, "saleTab"), Qt::LeftButton);
        settle();
        sale = qobject_cast<SalePage *>(frame->activePage());
        if (!sale)
            return QStringLiteral("no sale page");
        keys(codeBox(sale), code);
        QTest::keyClick(codeBox(sale), Qt::Key_Return);
        return saleGrid(sale)->maxRows() == 1 ? saleGrid(sale)->getText(6, 1) : QString();
    }
    void backToStockPage()
    {
        QTest::mouseClick(control(frame, "stockTab"), Qt::LeftButton);
        settle();
        page = qobject_cast<StockPage *>(frame->activePage());
    }
    int rowOf(const QString &code) const { return int(codes().indexOf(code)) + 1; }
    QVariant stored(const char *sql) { return folder.db().scalar(QString::fromUtf8(sql)); }

    SalePage *sale = nullptr;
};

TEST_F(StockEditorRoad, NewProductListsScansAndSellsAndAnEditReprices)
{
    ASSERT_NE(open(), nullptr);
    ASSERT_EQ(codes(), QStringList { "AB1" });

    // F12 in the grid opens an empty editor; its save reloads the list.
    bool opened = false;
    dialogs.then([&](QDialog *d) {
        ProductEditor *f = editor(d);
        ASSERT_NE(f, nullptr);
        opened = f->isNewProduct();
        keys(codeBox(f), "8850001");
        keys(nameBox(f), "ชาเย็น");
        keys(priceBox(f), "35");
        keys(stockBox(f), "12");
        keys(unitList(f)->lineEdit(), "แก้ว");
        QTest::mouseClick(saveButton(f), Qt::LeftButton);
    });
    press(Qt::Key_F12);
    EXPECT_TRUE(opened);
    EXPECT_EQ(codes(), (QStringList { "AB1", "8850001" }));
    const int row = rowOf("8850001");
    EXPECT_EQ(cell(2, row), " ชาเย็น");
    EXPECT_EQ(cell(4, row), "12");
    EXPECT_EQ(cell(5, row), "แก้ว");
    EXPECT_EQ(countLabel()->text(), "ข้อมูลทั้งหมด :  2  รายการ");

    // It scans on the sale page and sells.
    EXPECT_EQ(scanOnSalePage("8850001"), "35");
    QTest::keyClick(codeBox(sale), Qt::Key_F9); // the seed asks first: OK
    EXPECT_EQ(
        stored("SELECT count(*) FROM tblLog WHERE Lsn = '8850001' AND Lsell = 35").toInt(), 1);
    EXPECT_EQ(stored("SELECT PDvalue FROM tblProduct WHERE PDsn = '8850001'").toInt(), 11);

    // A double-click on its row edits it; the new price is what the next scan charges.
    backToStockPage();
    ASSERT_NE(page, nullptr);
    dialogs.then([&](QDialog *d) {
        ProductEditor *f = editor(d);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(codeBox(f)->text(), "8850001");
        EXPECT_EQ(stockBox(f)->text(), "11");
        priceBox(f)->selectAll();
        keys(priceBox(f), "40");
        QTest::mouseClick(saveButton(f), Qt::LeftButton);
    });
    doubleClickCell(2, rowOf("8850001"));
    EXPECT_EQ(stored("SELECT PDsell FROM tblProduct WHERE PDsn = '8850001'").toDouble(), 40);
    EXPECT_EQ(scanOnSalePage("8850001"), "40");

    // Closing the editor without a save writes nothing and the list is not reloaded.
    backToStockPage();
    ASSERT_NE(page, nullptr);
    // A change made elsewhere in the meantime: a reload would show it.
    folder.db().execute(QStringLiteral("UPDATE tblProduct SET PDvalue = 7 WHERE PDsn = 'AB1'"));
    const QVariant before = stored("SELECT group_concat(PK || PDsn || PDname || PDsell || PDvalue) "
                                   "FROM tblProduct");
    dialogs.then([&](QDialog *d) {
        ProductEditor *f = editor(d);
        ASSERT_NE(f, nullptr);
        priceBox(f)->selectAll();
        keys(priceBox(f), "99");
        f->reject();
    });
    doubleClickCell(2, rowOf("8850001"));
    EXPECT_EQ(cell(4, rowOf("AB1")), "5");
    EXPECT_EQ(
        stored("SELECT group_concat(PK || PDsn || PDname || PDsell || PDvalue) FROM tblProduct"),
        before);
    EXPECT_EQ(scanOnSalePage("8850001"), "40");
}
