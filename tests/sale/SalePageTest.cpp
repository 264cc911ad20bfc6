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
    EXPECT_EQ(priceList(page)->currentText(), QStringLiteral(" ราคาปกติ"));
    EXPECT_EQ(chosenPriceLabel(page)->text(), QStringLiteral("ราคาปกติ"));
    EXPECT_EQ(discountKind(page)->currentText(), QStringLiteral("บาท"));
    EXPECT_EQ(discountBox(page)->maxLength(), 7);
    EXPECT_FALSE(showsReturnMode(page));
    DataGrid *g = saleGrid(page);
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
    EXPECT_EQ(QApplication::focusWidget(), codeBox(page));
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 0 )  รายการ"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("0.00"));
    EXPECT_FALSE(askBeforeSaving(page)->isChecked());
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
        ASSERT_EQ(saleGrid(page)->maxRows(), 1);
        EXPECT_EQ(cell(4, 1), QString::fromLatin1(s.qty));
        EXPECT_EQ(cell(6, 1), QString::fromLatin1(s.price)) << s.qty;
        EXPECT_EQ(cell(7, 1), QString::fromLatin1(s.amount)) << s.qty;
        EXPECT_EQ(priceColour(1), s.colour) << s.qty;
        EXPECT_EQ(codeBox(page)->text(), QString());
    }
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("360.00"));
    scan(QStringLiteral("cd2")); // lower case finds CD2
    ASSERT_EQ(saleGrid(page)->maxRows(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("CD2"));
    EXPECT_EQ(cell(2, 1), QStringLiteral(" น้ำดื่ม"));
    EXPECT_EQ(cell(5, 1), QStringLiteral("แพ็ค"));
    EXPECT_EQ(cell(9, 1), QStringLiteral("20"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("1"));
    EXPECT_EQ(saleGrid(page)->displayText(6, 1), QStringLiteral("35.50"));
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 2 )  รายการ"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("395.50"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("395.50"));
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
    choose(priceList(page), 2);
    EXPECT_EQ(chosenPriceLabel(page)->text(), QStringLiteral("ราคาพิเศษ 2"));
    scan(QStringLiteral("AB1"));
    scan(QStringLiteral("AB1"));
    EXPECT_EQ(cell(6, 1), QStringLiteral("100"));
    EXPECT_EQ(priceColour(1), listPrice);
    // Changing the price list clears the sale without asking.
    choose(priceList(page), 0);
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("0.00"));
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 0 )  รายการ"));
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
    EXPECT_EQ(codeBox(page)->text(), QString());
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);

    // Exact match: "A_1" finds its own product, "A%1" is cleaned to "A1", "[" is just a character.
    scan(QStringLiteral("A_1"));
    EXPECT_EQ(saleGrid(page)->maxRows(), 1);
    EXPECT_EQ(cell(1, 1), QStringLiteral("A_1"));
    for (const char *code : { "A%1", "A_", "[", "ab" }) {
        msgs.clear();
        scan(QString::fromLatin1(code));
        EXPECT_EQ(msgs.count(), 1) << code;
        EXPECT_EQ(saleGrid(page)->maxRows(), 1) << code;
    }
    // "'AB1'" loses its quotes and finds AB1.
    msgs.clear();
    scan(QStringLiteral("'AB1'"));
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(cell(1, 1), QStringLiteral("AB1"));

    // Enter on blanks does nothing, not even resetting the change.
    changeLabel(page)->setText(QStringLiteral("5.00"));
    scan(QStringLiteral("   "));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("5.00"));
    EXPECT_EQ(saleGrid(page)->maxRows(), 2);
}

TEST_F(SalePageTest, TotalsDiscountCashAndChange)
{
    open();
    // Lines of 120.00 and 35.50.
    scan(QStringLiteral("AB1"));
    scan(QStringLiteral("CD2"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("155.50"));
    EXPECT_EQ(discountBahtBox(page)->text(), QStringLiteral("0.00"));

    choose(discountKind(page), 0);
    EXPECT_EQ(discountBox(page)->maxLength(), 2);
    EXPECT_EQ(QApplication::focusWidget(), discountBox(page));
    QTest::keyClicks(discountBox(page), QStringLiteral("10"));
    EXPECT_EQ(discountBahtBox(page)->text(), QStringLiteral("15.55"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("139.95"));
    QTest::keyClick(discountBox(page), Qt::Key_Return); // Enter moves to the cash box
    EXPECT_EQ(QApplication::focusWidget(), cashBox(page));
    QTest::keyClicks(cashBox(page), QStringLiteral("200"));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("60.05"));

    // Baht: switching the type empties the discount.
    choose(discountKind(page), 1);
    EXPECT_EQ(discountBox(page)->text(), QString());
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("155.50"));
    EXPECT_EQ(cashBox(page)->text(), QString()) << "every recomputation asks for the cash again";
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("0.00"));
    QTest::keyClicks(discountBox(page), QStringLiteral("20"));
    EXPECT_EQ(discountBahtBox(page)->text(), QStringLiteral("20.00"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("135.50"));

    // Cash below the net: a negative change.
    typeInto(cashBox(page), QStringLiteral("100"));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("-35.50"));

    // Number filters: a letter in the discount box and a second "." in the cash box.
    msgs.clear();
    typeInto(discountBox(page), QStringLiteral("x"));
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().text, QStringLiteral("ช่องนี้ กรอกได้แค่ ( ตัวเลข ) เท่านั้น !!"));
    EXPECT_EQ(discountBox(page)->text(), QStringLiteral("20"));
}

TEST_F(SalePageTest, NothingCanBeTypedIntoAnEmptySale)
{
    open();
    typeInto(discountBox(page), QStringLiteral("5"));
    EXPECT_EQ(discountBox(page)->text(), QString());
    typeInto(cashBox(page), QStringLiteral("100"));
    EXPECT_EQ(cashBox(page)->text(), QString());
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("0.00"));
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(SalePageTest, DeleteRemovesTheActiveLineAndAlsoDeletesInTheBox)
{
    open();
    scan(QStringLiteral("AB1"));
    scan(QStringLiteral("CD2"));
    scan(QStringLiteral("A_1"));
    typeInto(discountBox(page), QStringLiteral("5"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("170.50"));
    saleGrid(page)->setActiveCell(1, 2); // CD2
    codeBox(page)->setFocus();
    QTest::keyClicks(codeBox(page), QStringLiteral("XY"));
    codeBox(page)->setCursorPosition(0);
    QTest::keyClick(codeBox(page), Qt::Key_Delete);
    EXPECT_EQ(codeBox(page)->text(), QStringLiteral("Y"));
    ASSERT_EQ(saleGrid(page)->maxRows(), 2);
    EXPECT_EQ(cell(1, 1), QStringLiteral("A_1"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("AB1"));
    EXPECT_EQ(discountBox(page)->text(), QString());
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("140.00"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("140.00"));
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 2 )  รายการ"));
    EXPECT_EQ(pictureCaption(page)->text(), QStringLiteral("ภาพสินค้า"));

    // Empty grid: figures to 0.00, boxes emptied.
    saleGrid(page)->setActiveCell(1, 1);
    click(removeLineButton(page));
    saleGrid(page)->setActiveCell(1, 1);
    click(removeLineButton(page));
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("0.00"));
    codeBox(page)->setText(QStringLiteral("abc"));
    click(removeLineButton(page));
    EXPECT_EQ(codeBox(page)->text(), QString());
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("0.00"));
}

TEST_F(SalePageTest, ArrowKeysMoveBetweenBoxesAndReturnModeIgnoresKeys)
{
    open();
    scan(QStringLiteral("AB1"));
    press(Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), cashBox(page));
    press(Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), discountBox(page));
    press(Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), codeBox(page));
    // Focus colours: entered boxes turn sand, left ones go back to their own colour.
    const auto base = [](QLineEdit *b) { return b->palette().color(QPalette::Base); };
    EXPECT_EQ(base(codeBox(page)), QColor(208, 197, 168));
    EXPECT_EQ(base(cashBox(page)), QColor(255, 255, 235));
    press(Qt::Key_Right);
    EXPECT_EQ(base(cashBox(page)), QColor(208, 197, 168));
    EXPECT_EQ(base(codeBox(page)), QColor(224, 224, 224));
    press(Qt::Key_Up);
    // The right button is refused in the payment boxes.
    QTest::mousePress(cashBox(page), Qt::RightButton);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().text, QStringLiteral("ห้ามคลิกขวาในช่องนี้ !!"));
    msgs.clear();
    // In the grid Down goes to the cash box; Enter recomputes the current line and the
    // totals, which asks for the cash again.
    typeInto(cashBox(page), QStringLiteral("500"));
    ASSERT_EQ(changeLabel(page)->text(), QStringLiteral("380.00"));
    saleGrid(page)->setFocus();
    saleGrid(page)->setRow(1);
    QTest::keyClick(saleGrid(page), Qt::Key_Return);
    EXPECT_EQ(cell(7, 1), QStringLiteral("120"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("120.00"));
    EXPECT_EQ(cashBox(page)->text(), QString());
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("0.00"));
    QTest::keyClick(saleGrid(page), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), cashBox(page));

    // Return mode: the page's keys do nothing, before and after a bill is loaded.
    press(Qt::Key_F9);
    const QString bill = receiptNumberBox(page)->text();
    press(Qt::Key_F5);
    ASSERT_TRUE(showsReturnMode(page));
    codeBox(page)->setFocus();
    press(Qt::Key_Right);
    press(Qt::Key_F9);
    press(Qt::Key_Delete);
    EXPECT_EQ(QApplication::focusWidget(), codeBox(page));
    EXPECT_EQ(msgs.count(), 0);
    codeBox(page)->setText(bill);
    QTest::keyClick(codeBox(page), Qt::Key_Return);
    ASSERT_EQ(saleGrid(page)->maxRows(), 1);
    saleGrid(page)->setFocus();
    press(Qt::Key_Right);
    press(Qt::Key_F9);
    press(Qt::Key_Delete);
    EXPECT_EQ(QApplication::focusWidget(), saleGrid(page));
    EXPECT_EQ(saleGrid(page)->maxRows(), 1);
    EXPECT_EQ(msgs.count(), 0);
}

TEST_F(SalePageTest, FunctionKeysRunThePageButtons)
{
    // F1 (hold and recall) is driven in the hold tests.
    ScriptedDialogs dialogs;
    open();
    press(Qt::Key_F4);
    EXPECT_EQ(dialogs.opened, QList<QString> { QStringLiteral("ProductSearchDialog") });
    EXPECT_EQ(QApplication::focusWidget(), codeBox(page));
    press(Qt::Key_F5);
    EXPECT_TRUE(showsReturnMode(page));
    EXPECT_EQ(codeBox(page)->text(), QStringLiteral("INV-"));
    // In return mode Enter in the code box loads the bill, it does not enter return mode again.
    codeBox(page)->setText(QStringLiteral("INV-630500099"));
    QTest::keyClick(codeBox(page), Qt::Key_Return);
    EXPECT_EQ(codeBox(page)->text(), QStringLiteral("INV-630500099"));
    click(leaveReturnModeButton(page)); // back to selling
    EXPECT_FALSE(showsReturnMode(page));
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
    QTest::mouseClick(shortcutsLink(page), Qt::LeftButton);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().title, QStringLiteral("คีย์ลัดเพิ่มเติม"));
    EXPECT_EQ(msgs.last().icon, MsgIcon::Information);
    const QStringList lines = msgs.last().text.split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("คีย์ลัด เพิ่มเติมเมื่อกด คีย์บอร์ด"));
    EXPECT_EQ(lines[5], QStringLiteral("จะเป็นการ ( บันทึกการขายแบบพิมพ์บิล )"));
}

TEST_F(SalePageTest, SwitchesAreReadAtLoadAndTheAskBoxWritesRow5)
{
    setSwitches(true, true, "2");
    open();
    EXPECT_TRUE(askBeforeSaving(page)->isChecked());
    EXPECT_TRUE(page->drawer().on);
    EXPECT_EQ(page->drawer().port, QStringLiteral("2"));
    askBeforeSaving(page)->click();
    EXPECT_EQ(dbInt(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = 5")), 0);
    askBeforeSaving(page)->click();
    EXPECT_EQ(dbInt(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = 5")), 1);
    // Drawer off again: off, the port kept.
    setSwitches(true, false, "0");
    page->readSwitches();
    EXPECT_FALSE(page->drawer().on);
    EXPECT_EQ(page->drawer().port, QStringLiteral("2"));

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
    EXPECT_NO_THROW(askBeforeSaving(page)->click());
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
    addTestProduct(folder.db(),
        { .pk = 4, .code = "GN4", .name = "ยางลบ", .sell = 5, .stock = 5, .picture = "gone.jpg" });
    addTestProduct(folder.db(),
        { .pk = 5, .code = "BL5", .name = "ไม้บรรทัด", .sell = 9, .stock = 5, .picture = "  " });
    open();
    const QImage placeholder = productPicture(page)->pixmap().toImage();
    scan(QStringLiteral("A_1"));
    const QImage shown = productPicture(page)->pixmap().toImage();
    EXPECT_FALSE(shown.isNull());
    EXPECT_NE(shown, placeholder) << "Pic3.JPG is found as pic3.jpg";
    // A missing file shows the error picture, a blank name the placeholder.
    scan(QStringLiteral("GN4"));
    const QImage error = productPicture(page)->pixmap().toImage();
    EXPECT_FALSE(error.isNull());
    EXPECT_NE(error, shown);
    EXPECT_NE(error, placeholder);
    scan(QStringLiteral("BL5"));
    EXPECT_EQ(productPicture(page)->pixmap().toImage(), placeholder);
    // A click on a line shows its name and picture.
    ASSERT_EQ(cell(1, 3), QStringLiteral("A_1"));
    DataGrid *g = saleGrid(page);
    QTest::mouseClick(
        g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(2, 2)).center());
    EXPECT_EQ(pictureCaption(page)->text(), QStringLiteral(" ปากกา"));
    EXPECT_EQ(productPicture(page)->pixmap().toImage(), shown);
}

TEST_F(SalePageTest, ANewQuantityRepricesTheLine)
{
    open();
    for (int i = 0; i < 3; ++i)
        scan(QStringLiteral("AB1"));
    EXPECT_EQ(priceColour(1), wholesale);
    // A new quantity re-prices the line and the totals follow.
    page->setQuantity(1, 2);
    EXPECT_EQ(cell(6, 1), QStringLiteral("120"));
    EXPECT_EQ(priceColour(1), listPrice);
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("240.00"));
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
        typeInto(discountBox(page), QStringLiteral("20"));
        typeInto(cashBox(page), QStringLiteral("500"));
        QApplication::processEvents();
        EXPECT_TRUE(page->grab().save(
            QStringLiteral("%1/sale-%2x%3.png").arg(dir).arg(size.width()).arg(size.height())));
        delete page;
        page = nullptr;
    }
}
