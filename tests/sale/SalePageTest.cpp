#include "PageFixture.h"
#include "button/KasmoButton.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/ProgramFolder.h"
#include <QCheckBox>
#include <QDir>
#include <QFile>

namespace {
const QColor wholesale = SalePage::colour(WholesaleColour);
const QColor listPrice = SalePage::colour(ListPriceColour);
} // namespace

TEST_F(SalePageTest, AfterLoad)
{
    open();
    EXPECT_EQ(page->Combo2->currentText(), QStringLiteral(" ราคาปกติ"));
    EXPECT_EQ(page->Label8->text(), QStringLiteral("ราคาปกติ"));
    EXPECT_EQ(page->Combo1->currentText(), QStringLiteral("บาท"));
    EXPECT_EQ(page->text2->maxLength(), 7);
    EXPECT_FALSE(Module1::ReturnMode);
    DataGrid *g = page->fpSpread1;
    EXPECT_EQ(g->maxRows(), 0);
    EXPECT_EQ(g->maxCols(), 9);
    for (int c : { 0, 8, 9 })
        EXPECT_EQ(g->colWidth(c), 0) << c;
    for (int c = 1; c <= 7; ++c)
        EXPECT_GT(g->colWidth(c), 0) << c;
    const char *headers[]
        = { "", "รหัสสินค้า", " ชื่อสินค้า", "รายละเอียด", "จำนวน", "หน่วย", "ราคาขาย", "รวมเป็นเงิน" };
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(g->getText(c, 0), QString::fromUtf8(headers[c])) << c;
    EXPECT_EQ(g->cellKind(6, 1), CellKind::Money);
    EXPECT_TRUE(g->isLocked(4, 1));
    EXPECT_EQ(QApplication::focusWidget(), page->txtSearchProduct);
    EXPECT_EQ(page->Label2->text(), QStringLiteral("สินค้าทั้งหมด  ( 0 )  รายการ"));
    EXPECT_EQ(page->Label6->text(), QStringLiteral("0.00"));
    EXPECT_FALSE(page->Check1->isChecked());
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(SalePageTest, WholesaleRuleAcrossScansAndNewLinesOnTop)
{
    open();
    struct Step
    {
        const char *qty, *price, *amount;
        QColor colour;
    } steps[] = {
        { "1", "120", "120", QColor() },
        { "2", "120", "240", listPrice },
        { "3", "90", "270", wholesale },
        { "4", "90", "360", wholesale },
    };
    for (const Step &s : steps) {
        scan(QStringLiteral("AB1"));
        ASSERT_EQ(page->fpSpread1->maxRows(), 1);
        EXPECT_EQ(cell(4, 1), QString::fromLatin1(s.qty));
        EXPECT_EQ(cell(6, 1), QString::fromLatin1(s.price)) << s.qty;
        EXPECT_EQ(cell(7, 1), QString::fromLatin1(s.amount)) << s.qty;
        EXPECT_EQ(priceColour(1), s.colour) << s.qty;
        EXPECT_EQ(page->txtSearchProduct->text(), QString());
    }
    EXPECT_EQ(page->Label6->text(), QStringLiteral("360.00"));
    scan(QStringLiteral("cd2")); // lower case finds CD2
    ASSERT_EQ(page->fpSpread1->maxRows(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("CD2"));
    EXPECT_EQ(cell(2, 1), QStringLiteral(" น้ำดื่ม"));
    EXPECT_EQ(cell(5, 1), QStringLiteral("แพ็ค"));
    EXPECT_EQ(cell(9, 1), QStringLiteral("20"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("1"));
    EXPECT_EQ(page->fpSpread1->displayText(6, 1), QStringLiteral("35.50"));
    EXPECT_EQ(page->Label2->text(), QStringLiteral("สินค้าทั้งหมด  ( 2 )  รายการ"));
    EXPECT_EQ(page->Label6->text(), QStringLiteral("395.50"));
    EXPECT_EQ(page->Label16->text(), QStringLiteral("395.50"));
    // A product without the wholesale switch keeps its entry price.
    folder.db().execute(QStringLiteral("UPDATE tblProduct SET PDsell = 99 WHERE PK = 2"));
    scan(QStringLiteral("CD2"));
    EXPECT_EQ(cell(4, 1), QStringLiteral("2"));
    EXPECT_EQ(cell(7, 1), QStringLiteral("71"));
    EXPECT_FALSE(priceColour(1).isValid());
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(SalePageTest, SpecialPriceListsPriceNewLines)
{
    open();
    page->Combo2->setCurrentIndex(2);
    page->Combo2_Click();
    EXPECT_EQ(page->Label8->text(), QStringLiteral("ราคาพิเศษ 2"));
    scan(QStringLiteral("AB1"));
    scan(QStringLiteral("AB1"));
    EXPECT_EQ(cell(6, 1), QStringLiteral("100"));
    EXPECT_EQ(priceColour(1), listPrice);
    // Changing the price list clears the sale without asking.
    page->Combo2->setCurrentIndex(0);
    page->Combo2_Click();
    EXPECT_EQ(page->fpSpread1->maxRows(), 0);
    EXPECT_EQ(page->Label6->text(), QStringLiteral("0.00"));
    EXPECT_EQ(page->Label2->text(), QStringLiteral("สินค้าทั้งหมด  ( 0 )  รายการ"));
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(SalePageTest, UnknownAndCleanedCodes)
{
    open();
    scan(QStringLiteral("a'b%c*"));
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().text,
        QStringLiteral("ไม่พบ ( รหัสสินค้า = [ abc ) โปรดทำการ  ( เพิ่มข้อมูลสินค้า )  ชิ้นนี้ !!!"));
    EXPECT_EQ(msgs.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Warning);
    EXPECT_EQ(page->txtSearchProduct->text(), QString());
    EXPECT_EQ(page->fpSpread1->maxRows(), 0);

    // Exact match: "A_1" finds its own product, "A%1" is cleaned to "A1", "[" is just a character.
    scan(QStringLiteral("A_1"));
    EXPECT_EQ(page->fpSpread1->maxRows(), 1);
    EXPECT_EQ(cell(1, 1), QStringLiteral("A_1"));
    for (const char *code : { "A%1", "A_", "[", "ab" }) {
        msgs.clear();
        scan(QString::fromLatin1(code));
        EXPECT_EQ(msgs.count(), 1) << code;
        EXPECT_EQ(page->fpSpread1->maxRows(), 1) << code;
    }
    // "'AB1'" loses its quotes and finds AB1.
    msgs.clear();
    scan(QStringLiteral("'AB1'"));
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(cell(1, 1), QStringLiteral("AB1"));

    // Enter on blanks does nothing, not even resetting the change.
    page->Label3->setText(QStringLiteral("5.00"));
    scan(QStringLiteral("   "));
    EXPECT_EQ(page->Label3->text(), QStringLiteral("5.00"));
    EXPECT_EQ(page->fpSpread1->maxRows(), 2);
}

TEST_F(SalePageTest, TotalsDiscountCashAndChange)
{
    open();
    // Lines of 120.00 and 35.50.
    scan(QStringLiteral("AB1"));
    scan(QStringLiteral("CD2"));
    EXPECT_EQ(page->Label6->text(), QStringLiteral("155.50"));
    EXPECT_EQ(page->Text8->text(), QStringLiteral("0.00"));

    page->Combo1->setCurrentIndex(0);
    page->Combo1_Click();
    EXPECT_EQ(page->text2->maxLength(), 2);
    EXPECT_EQ(QApplication::focusWidget(), page->text2);
    QTest::keyClicks(page->text2, QStringLiteral("10"));
    EXPECT_EQ(page->Text8->text(), QStringLiteral("15.55"));
    EXPECT_EQ(page->Label16->text(), QStringLiteral("139.95"));
    QTest::keyClick(page->text2, Qt::Key_Return); // Enter moves to the cash box
    EXPECT_EQ(QApplication::focusWidget(), page->Text1);
    QTest::keyClicks(page->Text1, QStringLiteral("200"));
    EXPECT_EQ(page->Label3->text(), QStringLiteral("60.05"));

    // Baht: switching the type empties the discount.
    page->Combo1->setCurrentIndex(1);
    page->Combo1_Click();
    EXPECT_EQ(page->text2->text(), QString());
    EXPECT_EQ(page->Label16->text(), QStringLiteral("155.50"));
    EXPECT_EQ(page->Text1->text(), QString()) << "every recomputation asks for the cash again";
    EXPECT_EQ(page->Label3->text(), QStringLiteral("0.00"));
    QTest::keyClicks(page->text2, QStringLiteral("20"));
    EXPECT_EQ(page->Text8->text(), QStringLiteral("20.00"));
    EXPECT_EQ(page->Label16->text(), QStringLiteral("135.50"));

    // Cash below the net: a negative change.
    typeInto(page->Text1, QStringLiteral("100"));
    EXPECT_EQ(page->Label3->text(), QStringLiteral("-35.50"));

    // Number filters: a letter in the discount box and a second "." in the cash box.
    msgs.clear();
    typeInto(page->text2, QStringLiteral("x"));
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().text, QStringLiteral("ช่องนี้ กรอกได้แค่ ( ตัวเลข ) เท่านั้น !!"));
    EXPECT_EQ(page->text2->text(), QStringLiteral("20"));
}

TEST_F(SalePageTest, NothingCanBeTypedIntoAnEmptySale)
{
    open();
    typeInto(page->text2, QStringLiteral("5"));
    EXPECT_EQ(page->text2->text(), QString());
    typeInto(page->Text1, QStringLiteral("100"));
    EXPECT_EQ(page->Text1->text(), QString());
    EXPECT_EQ(page->Label3->text(), QStringLiteral("0.00"));
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(SalePageTest, DeleteRemovesTheActiveLineAndAlsoDeletesInTheBox)
{
    open();
    scan(QStringLiteral("AB1"));
    scan(QStringLiteral("CD2"));
    scan(QStringLiteral("A_1"));
    typeInto(page->text2, QStringLiteral("5"));
    EXPECT_EQ(page->Label16->text(), QStringLiteral("170.50"));
    page->fpSpread1->setActiveCell(1, 2); // CD2
    page->txtSearchProduct->setFocus();
    QTest::keyClicks(page->txtSearchProduct, QStringLiteral("XY"));
    page->txtSearchProduct->setCursorPosition(0);
    QTest::keyClick(page->txtSearchProduct, Qt::Key_Delete);
    EXPECT_EQ(page->txtSearchProduct->text(), QStringLiteral("Y"));
    ASSERT_EQ(page->fpSpread1->maxRows(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("A_1"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("AB1"));
    EXPECT_EQ(page->text2->text(), QString());
    EXPECT_EQ(page->Label6->text(), QStringLiteral("140.00"));
    EXPECT_EQ(page->Label16->text(), QStringLiteral("140.00"));
    EXPECT_EQ(page->Label2->text(), QStringLiteral("สินค้าทั้งหมด  ( 2 )  รายการ"));
    EXPECT_EQ(page->Label11->text(), QStringLiteral("ภาพสินค้า"));

    // Empty grid: figures to 0.00, boxes emptied.
    page->fpSpread1->setActiveCell(1, 1);
    page->pageButton3_Click();
    page->fpSpread1->setActiveCell(1, 1);
    page->pageButton3_Click();
    EXPECT_EQ(page->fpSpread1->maxRows(), 0);
    EXPECT_EQ(page->Label6->text(), QStringLiteral("0.00"));
    page->txtSearchProduct->setText(QStringLiteral("abc"));
    page->pageButton3_Click();
    EXPECT_EQ(page->txtSearchProduct->text(), QString());
    EXPECT_EQ(page->Label3->text(), QStringLiteral("0.00"));
}

TEST_F(SalePageTest, ArrowKeysMoveBetweenBoxesAndReturnModeIgnoresKeys)
{
    open();
    scan(QStringLiteral("AB1"));
    press(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), page->Text1);
    press(Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), page->text2);
    press(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), page->txtSearchProduct);
    // Focus colours: entered boxes turn sand, left ones go back to their own colour.
    const auto base = [](QLineEdit *b) { return b->palette().color(QPalette::Base); };
    EXPECT_EQ(base(page->txtSearchProduct), QColor(208, 197, 168));
    EXPECT_EQ(base(page->Text1), QColor(255, 255, 235));
    press(Qt::Key_Right);
    EXPECT_EQ(base(page->Text1), QColor(208, 197, 168));
    EXPECT_EQ(base(page->txtSearchProduct), QColor(224, 224, 224));
    press(Qt::Key_Up);
    // The right button is refused in the payment boxes.
    QTest::mousePress(page->Text1, Qt::RightButton);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().text, QStringLiteral("ห้ามคลิกขวาในช่องนี้ !!"));
    msgs.clear();
    // In the grid Down goes to the cash box; Enter recomputes the current line and the
    // totals, which asks for the cash again.
    typeInto(page->Text1, QStringLiteral("500"));
    ASSERT_EQ(page->Label3->text(), QStringLiteral("380.00"));
    page->fpSpread1->setFocus();
    page->fpSpread1->setRow(1);
    QTest::keyClick(page->fpSpread1, Qt::Key_Return);
    EXPECT_EQ(cell(7, 1), QStringLiteral("120"));
    EXPECT_EQ(page->Label6->text(), QStringLiteral("120.00"));
    EXPECT_EQ(page->Text1->text(), QString());
    EXPECT_EQ(page->Label3->text(), QStringLiteral("0.00"));
    QTest::keyClick(page->fpSpread1, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), page->Text1);

    Module1::ReturnMode = true;
    page->txtSearchProduct->setFocus();
    press(Qt::Key_Right);
    press(Qt::Key_F9);
    press(Qt::Key_Delete);
    EXPECT_EQ(QApplication::focusWidget(), page->txtSearchProduct);
    EXPECT_EQ(page->fpSpread1->maxRows(), 1);
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(SalePageTest, FunctionKeysRunThePageButtons)
{
    // F1 (hold and recall) is driven in the hold tests.
    ScriptedDialogs dialogs;
    open();
    press(Qt::Key_F4);
    EXPECT_EQ(dialogs.opened, QList<QString> { QStringLiteral("ProductSearchDialog") });
    EXPECT_EQ(QApplication::focusWidget(), page->txtSearchProduct);
    press(Qt::Key_F5);
    EXPECT_TRUE(Module1::ReturnMode);
    EXPECT_EQ(page->txtSearchProduct->text(), QStringLiteral("INV-"));
    // In return mode Enter in the code box loads the bill, it does not enter return mode again.
    page->txtSearchProduct->setText(QStringLiteral("INV-630500099"));
    QTest::keyClick(page->txtSearchProduct, Qt::Key_Return);
    EXPECT_EQ(page->txtSearchProduct->text(), QStringLiteral("INV-630500099"));
    page->Command4_Click(); // back to selling
    EXPECT_FALSE(Module1::ReturnMode);
    EXPECT_EQ(Module1::ReturnBillNo, QStringLiteral("INV-630500099"));
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().text, QStringLiteral("ไม่พบ ( เลขที่ใบเสร็จ ) ที่คุณต้องการโปรดลองใหม่อีกครั้ง"));
    msgs.clear();
    press(Qt::Key_F9); // empty grid: the save refuses
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().text, QStringLiteral("กรุณาเลือกรายการสินค้าให้เรียบร้อยก่อนการ บันทึก. . ."));
}

TEST_F(SalePageTest, ShortcutHelp)
{
    open();
    QTest::mouseClick(page->Label12, Qt::LeftButton);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().title, QStringLiteral("คีย์ลัดเพิ่มเติม"));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    const QStringList lines = msgs.last().text.split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("คีย์ลัด เพิ่มเติมเมื่อกด คีย์บอร์ด"));
    EXPECT_EQ(lines[5], QStringLiteral("จะเป็นการ ( บันทึกการขายแบบพิมพ์บิล )"));
}

TEST_F(SalePageTest, SwitchesAreReadAtLoadAndCheck1WritesRow5)
{
    setSwitches(true, true, "2");
    open();
    EXPECT_TRUE(page->Check1->isChecked());
    EXPECT_EQ(page->DrawerOn, 1);
    EXPECT_EQ(page->DrawerPort, QStringLiteral("2"));
    page->Check1->click();
    EXPECT_EQ(dbInt(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = 5")), 0);
    page->Check1->click();
    EXPECT_EQ(dbInt(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = 5")), 1);
    // Drawer off again: DrawerOn 0, the port kept.
    setSwitches(true, false, "0");
    page->checksetting();
    EXPECT_EQ(page->DrawerOn, 0);
    EXPECT_EQ(page->DrawerPort, QStringLiteral("2"));

    // A write that fails is reported; the click does not end the program.
    struct HookGuard
    {
        ~HookGuard() { Connection::setStatementHook(nullptr); }
    } guard;
    Connection::setStatementHook([](const QString &sql) {
        if (sql.startsWith(QLatin1String("UPDATE tblNumber")))
            throw DbError(QStringLiteral("attempt to write a readonly database"));
    });
    msgs.clear();
    EXPECT_NO_THROW(page->Check1->click());
    Connection::setStatementHook(nullptr);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_TRUE(msgs.last().text.contains(QStringLiteral("readonly")));
    EXPECT_EQ(dbInt(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = 5")), 1);
}

TEST_F(SalePageTest, PicturesMatchNamesWithoutCaseAndFallBack)
{
    QFile::copy(sourceDataFile(QStringLiteral("NoPicture3.jpg")),
        folder.path() + QStringLiteral("/data/pic/pic3.jpg"));
    open();
    scan(QStringLiteral("A_1"));
    EXPECT_EQ(page->PictureFile, QStringLiteral("Pic3.JPG"));
    const QImage shown = page->Image2->pixmap().toImage();
    EXPECT_FALSE(shown.isNull());
    // A missing file shows the error picture, an empty name the placeholder.
    page->LoadPica(QStringLiteral("gone.jpg"));
    EXPECT_FALSE(page->Image2->pixmap().isNull());
    EXPECT_NE(page->Image2->pixmap().toImage(), shown);
    page->LoadPica(QStringLiteral("  "));
    EXPECT_EQ(page->PictureFile, QString());
    EXPECT_FALSE(page->Image2->pixmap().isNull());
    // A click on a line shows its name and picture.
    page->fpSpread1_Click(2, 1);
    EXPECT_EQ(page->Label11->text(), QStringLiteral(" ปากกา"));
    EXPECT_EQ(page->Image2->pixmap().toImage(), shown);
}

TEST_F(SalePageTest, CalTotalAmount2RepricesTheEditRow)
{
    open();
    for (int i = 0; i < 3; ++i)
        scan(QStringLiteral("AB1"));
    EXPECT_EQ(priceColour(1), wholesale);
    // A new quantity re-prices the line (CalTotalAmount2) and the totals follow.
    page->setQuantity(1, 2);
    EXPECT_EQ(cell(6, 1), QStringLiteral("120"));
    EXPECT_EQ(priceColour(1), listPrice);
    EXPECT_EQ(page->Label6->text(), QStringLiteral("240.00"));
}

// Screenshots for a person to look at: KASMO_SCREENSHOTS=<folder> writes them there.
TEST_F(SalePageTest, Screenshots)
{
    const QString dir = qEnvironmentVariable("KASMO_SCREENSHOTS");
    if (dir.isEmpty())
        GTEST_SKIP() << "set KASMO_SCREENSHOTS to a folder";
    for (QSize size : { QSize(1024, 768), QSize(1920, 1080) }) {
        open(size);
        scan(QStringLiteral("AB1"));
        scan(QStringLiteral("AB1"));
        scan(QStringLiteral("CD2"));
        scan(QStringLiteral("A_1"));
        typeInto(page->text2, QStringLiteral("20"));
        typeInto(page->Text1, QStringLiteral("500"));
        QApplication::processEvents();
        EXPECT_TRUE(page->grab().save(
            QStringLiteral("%1/sale-%2x%3.png").arg(dir).arg(size.width()).arg(size.height())));
        delete page;
        page = nullptr;
    }
}
