// Return mode on the sale page, driven like a cashier: bills are sold through the page (F9),
// then loaded by their receipt number and returned whole or line by line.
#include "ReturnsFixture.h"
#include "button/KasmoButton.h"
#include "platform/grid/DataGrid.h"
#include "platform/serial/CashDrawer.h"
#include "platform/ui/Clock.h"
#include "platform/ui/WindowPlacement.h"
#include "sale/LineReturnDialog.h"
#include "sale/QuantityEditDialog.h"
#include "sale/SaleControls.h"
#include "sale/SalePage.h"
#include "shell/SignedInUser.h"
#include "support/PtyPair.h"
#include "support/ShellFixture.h"
#include "support/ThaiText.h"
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString kPartialRefusal
    = QStringLiteral("ไม่สามารถคืนสินค้า (เป็นบางรายการได้) เนื่องจาก\r\n\r\n"
                     " ใบเสร็จใบนี้  [มีส่วนลด]  หรือ  [ได้ราคาส่ง]  เพื่อไม่ให้ \r\n\r\n"
                     " เกิดข้อผิดพลาดทางการคำนวณ ระบบจึงแนะนำให้ท่าน\r\n\r\n"
                     " [ คืนสินค้าทั้งหมด (ยกเลิกบิล) ] และ เปิดบิลใหม่ แทน ");

struct MapperGuard
{
    ~MapperGuard() { CashDrawer::setDeviceMapper(nullptr); }
};

class ReturnPage : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        shop.addProducts(); // AB1, CD2, EF3 at 10.00
        // WH1: wholesale 8.00 from 2 pieces.
        shop.addProduct(4, "WH1", "ไม้บรรทัด WH1", 1, 30);
        db().execute(QStringLiteral(
            "UPDATE tblProduct SET PSong = 1, PNumSong = 2, PRakaSong = 8 WHERE PK = 4"));
        db().execute(QStringLiteral("UPDATE tblProduct SET PDsell = 35.5 WHERE PDsn = 'CD2'"));
        db().execute(QStringLiteral("UPDATE tblNumber SET numA = 0 WHERE nPK = 5")); // no asking
        SignedInUser::name = QStringLiteral("seller");
        SignedInUser::position = QStringLiteral("พนักงานขาย");
        page = new SalePage;
        page->resize(1100, 720);
        page->show();
        QApplication::setActiveWindow(page);
        ASSERT_TRUE(QTest::qWaitForWindowActive(page));
    }

    void press(Qt::Key key)
    {
        QWidget *w = QApplication::focusWidget();
        QTest::keyClick(w ? w : page, key);
    }
    void scan(const QString &code, int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            codeBox(page)->setFocus();
            QTest::keyClicks(codeBox(page), code);
            QTest::keyClick(codeBox(page), Qt::Key_Return);
        }
    }
    // Saves the page's sale with F9 and returns its receipt number.
    QString sell(const QString &discount = QString())
    {
        if (!discount.isEmpty()) {
            discountBox(page)->setFocus();
            QTest::keyClicks(discountBox(page), discount);
        }
        press(Qt::Key_F9);
        EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("บันทึกแล้ว"));
        return receiptNumberBox(page)->text();
    }
    void click(KasmoButton *b) { QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center()); }
    // F5, then the receipt number typed after the "INV-" the box offers, and Enter.
    void load(const QString &number)
    {
        press(Qt::Key_F5);
        codeBox(page)->selectAll();
        QTest::keyClicks(codeBox(page), number);
        QTest::keyClick(codeBox(page), Qt::Key_Return);
    }
    // Double-clicks a cell of the sale grid as the mouse does.
    void doubleClick(int col, int row)
    {
        DataGrid *g = saleGrid(page);
        const QPoint p = g->visualRect(g->model()->index(row - 1, col)).center();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
    }
    // Double-clicks the quantity of `row`; the return dialog gets `typed` and Enter.
    void returnLine(int row, const QString &typed)
    {
        dialogs.then([typed](QDialog *d) {
            auto *r = static_cast<LineReturnDialog *>(d);
            quantityBox(r)->selectAll();
            QTest::keyClicks(quantityBox(r), typed);
            QTest::keyClick(quantityBox(r), Qt::Key_Return);
        });
        doubleClick(4, row);
    }
    QString cell(int col, int row) const { return saleGrid(page)->getText(col, row); }
    int rows() const { return saleGrid(page)->maxRows(); }
    // Twips position of a control, as the page sets it.
    static QPair<int, int> leftWidth(const QWidget *w)
    {
        return { Twips::fromPixelsX(w->x()), Twips::fromPixelsX(w->width()) };
    }

    ShopRows shop { db() };
    SalePage *page = nullptr;
};

TEST_F(ReturnPage, StatesFromSellingToBillReturnedAndBack)
{
    scan(QStringLiteral("AB1"), 2);
    const QString no = sell();
    ASSERT_EQ(no, QStringLiteral("INV-670500001"));

    struct State
    {
        bool codeEnabled;
        int codeMax;
        bool c2Shown, c2Enabled, c6Shown, c6Enabled, c4Shown;
        int gridRows;
        bool returning;
    };
    auto expectState = [&](const char *name, const State &s) {
        SCOPED_TRACE(name);
        EXPECT_EQ(codeBox(page)->isEnabled(), s.codeEnabled);
        EXPECT_EQ(codeBox(page)->maxLength(), s.codeMax);
        EXPECT_EQ(!loadBillButton(page)->isHidden(), s.c2Shown);
        EXPECT_EQ(loadBillButton(page)->isEnabled(), s.c2Enabled);
        EXPECT_EQ(!returnWholeBillButton(page)->isHidden(), s.c6Shown);
        EXPECT_EQ(returnWholeBillButton(page)->isEnabled(), s.c6Enabled);
        EXPECT_EQ(!leaveReturnModeButton(page)->isHidden(), s.c4Shown);
        EXPECT_EQ(rows(), s.gridRows);
        const bool returning = s.returning;
        EXPECT_EQ(showsReturnMode(page), returning);
        for (QWidget *w : { (QWidget *)codeCaption(page), (QWidget *)priceListCaption(page),
                 (QWidget *)priceList(page) })
            EXPECT_EQ(w->isHidden(), returning) << w->objectName().toStdString();
        for (QWidget *w : { (QWidget *)saveButton(page), (QWidget *)saveAndPrintButton(page),
                 (QWidget *)removeLineButton(page), (QWidget *)returnModeButton(page),
                 (QWidget *)clearButton(page), (QWidget *)searchButton(page),
                 (QWidget *)holdButton(page), (QWidget *)recallButton(page),
                 (QWidget *)cashBox(page), (QWidget *)discountBox(page),
                 (QWidget *)discountKind(page) })
            EXPECT_EQ(w->isEnabled(), !returning) << w->objectName().toStdString();
    };

    expectState("selling", { true, 20, false, true, false, true, false, 0, false });

    press(Qt::Key_F5);
    expectState("awaiting a number", { true, 13, true, true, false, true, true, 0, true });
    EXPECT_EQ(codeBox(page)->text(), QStringLiteral("INV-"));
    EXPECT_EQ(codeBox(page)->cursorPosition(), 4);
    EXPECT_EQ(QApplication::focusWidget(), codeBox(page));
    EXPECT_EQ(
        leftWidth(leaveReturnModeButton(page)), qMakePair(0, 9645)); // 9650 twips, whole pixels
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("โหมดคืนสินค้า"));
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 0 )  รายการ"));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("0.00"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("0.00"));

    // The page's keys do nothing in return mode.
    press(Qt::Key_F9);
    press(Qt::Key_F5);
    EXPECT_EQ(boxes.count(), 0);

    // An unknown number: the message, and another number can be typed.
    QTest::keyClicks(codeBox(page), QStringLiteral("99"));
    QTest::keyClick(codeBox(page), Qt::Key_Return);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("ไม่พบ ( เลขที่ใบเสร็จ ) ที่คุณต้องการโปรดลองใหม่อีกครั้ง"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    EXPECT_EQ(codeBox(page)->text(), QStringLiteral("INV-99"));
    expectState("still awaiting", { true, 13, true, true, false, true, true, 0, true });

    // The number typed in lower case loads the bill through the load button.
    codeBox(page)->setText(QStringLiteral("inv-670500001"));
    click(loadBillButton(page));
    expectState("bill loaded", { false, 13, true, false, true, true, true, 1, true });
    EXPECT_EQ(leftWidth(leaveReturnModeButton(page)), qMakePair(5460, 4185));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("20.00"));
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 1 )  รายการ"));

    click(returnWholeBillButton(page));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(
        boxes.last().text, QStringLiteral("คุณแน่ใจ หรือ ไม่ว่าคุณต้องการ คืนสินค้าทั้งหมด และ ยกเลิกบิล นี้ !!"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("ยืนยันการบันทึก"));
    EXPECT_EQ(boxes.last().buttons, MsgButtons::OkCancel);
    expectState("bill returned", { false, 13, true, false, true, false, true, 0, true });
    // The return is written under the stored number, not the typed one.
    EXPECT_EQ(
        shop.movements().last().section(QLatin1Char('|'), 6, 6), QStringLiteral("INV-670500001"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("คืนสินค้าทั้งหมดแล้ว"));
    EXPECT_EQ(leftWidth(leaveReturnModeButton(page)), qMakePair(5460, 4185));

    click(leaveReturnModeButton(page));
    expectState("selling again", { true, 20, false, true, false, true, false, 0, false });
    EXPECT_EQ(codeBox(page)->text(), QString());
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("0.00"));
    EXPECT_EQ(QApplication::focusWidget(), codeBox(page));
    // The next sale works as before.
    scan(QStringLiteral("CD2"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("35.50"));
}

TEST_F(ReturnPage, F5DropsTheSaleOnTheGridWithoutAsking)
{
    scan(QStringLiteral("AB1"), 3);
    scan(QStringLiteral("CD2"));
    press(Qt::Key_F5);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = 2")).toInt(), 0);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM tblLog")).toInt(), 0);
    EXPECT_EQ(shop.stock("AB1"), 50);
}

TEST_F(ReturnPage, LoadingShowsTheBillAsSold)
{
    // Special price 1 (0 in this shop: set it).
    db().execute(QStringLiteral("UPDATE tblProduct SET Praka1 = PDsell"));
    choose(priceList(page), 1);
    scan(QStringLiteral("CD2"), 2);
    scan(QStringLiteral("AB1"));
    const QString no = sell(QStringLiteral("5"));
    choose(priceList(page), 0);
    discountKind(page)->setCurrentIndex(0);

    load(no);
    ASSERT_EQ(rows(), 2);
    // Row 1 is the line entered last, as the sale stored it first.
    const QStringList row1
        = { QString(), QStringLiteral("AB1"), QStringLiteral(" สบู่ AB1"), QStringLiteral("des AB1"),
              QStringLiteral("1"), QStringLiteral("ชิ้น"), QStringLiteral("10.00 "),
              QStringLiteral("10.00 "), QStringLiteral("0"), QStringLiteral("6") };
    const QStringList row2
        = { QString(), QStringLiteral("CD2"), QStringLiteral(" น้ำ CD2"), QStringLiteral("des CD2"),
              QStringLiteral("2"), QStringLiteral("แพ็ค"), QStringLiteral("35.50 "),
              QStringLiteral("71.00 "), QStringLiteral("0"), QStringLiteral("6") };
    for (int c = 1; c <= 9; ++c) {
        EXPECT_EQ(cell(c, 1), row1[c]) << c;
        EXPECT_EQ(cell(c, 2), row2[c]) << c;
    }
    EXPECT_EQ(discountBox(page)->text(), QStringLiteral("5"));
    EXPECT_EQ(discountBahtBox(page)->text(), QStringLiteral("5.00"));
    EXPECT_EQ(discountKind(page)->currentIndex(), 1);
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("81.00"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("76.00"));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("0.00"));
    EXPECT_EQ(priceList(page)->currentIndex(), 1);
    EXPECT_EQ(chosenPriceLabel(page)->text(), QStringLiteral("ราคาพิเศษ 1"));
    EXPECT_EQ(cell(8, 1), QStringLiteral("0")) << "the bill has no wholesale line";

    // Leaving keeps the bill's price type and the baht discount type.
    click(leaveReturnModeButton(page));
    EXPECT_EQ(priceList(page)->currentIndex(), 1);
    EXPECT_EQ(discountKind(page)->currentIndex(), 1);
}

TEST_F(ReturnPage, WholeBillReturnPutsEverythingBackAndOpensTheDrawerOnce)
{
    db().execute(QStringLiteral("UPDATE tblNumber SET numA = 1, numMon = '3' WHERE nPK = 6"));
    page->readSwitches();
    MapperGuard guard;
    QList<int> drawer;
    CashDrawer::setDeviceMapper([&](int n) {
        drawer << n;
        return folder.path() + QStringLiteral("/no-port");
    });
    scan(QStringLiteral("AB1"), 3);
    scan(QStringLiteral("EF3"));
    const QString other = sell();
    scan(QStringLiteral("AB1"), 4);
    scan(QStringLiteral("CD2"));
    const QString no = sell(QStringLiteral("10"));
    ASSERT_EQ(shop.count("tblRMoney", "rNo", no.toUtf8()), 1);
    ASSERT_EQ(shop.stock("AB1"), 43);
    drawer.clear();
    boxes.clear();
    SignedInUser::name = QStringLiteral("manager");
    Clock::setFixed(fixedNow().addDays(1));

    load(no);
    boxes.answer(MsgResult::Cancel);
    click(returnWholeBillButton(page));
    EXPECT_EQ(shop.count("tblLog", "Lno", no.toUtf8()), 2) << "cancel changes nothing";
    EXPECT_TRUE(drawer.isEmpty());

    click(returnWholeBillButton(page));
    EXPECT_EQ(shop.count("tblLog", "Lno", no.toUtf8()), 0);
    EXPECT_EQ(shop.count("tblRMoney", "rNo", no.toUtf8()), 0);
    EXPECT_EQ(shop.count("tblLog", "Lno", other.toUtf8()), 2);
    EXPECT_EQ(shop.stock("AB1"), 47);
    EXPECT_EQ(shop.stock("CD2"), 1);
    const QStringList moves = shop.movements();
    ASSERT_EQ(moves.size(), 6);
    EXPECT_EQ(moves[4],
        QStringLiteral("5|3|CD2|น้ำ CD2|des CD2|2024-05-16 10:30:00|INV-670500002|0|1|1|manager"));
    EXPECT_EQ(moves[5],
        QStringLiteral("6|3|AB1|สบู่ AB1|des AB1|2024-05-16 10:30:00|INV-670500002|43|4|47|manager"));
    EXPECT_EQ(drawer, QList<int> { 3 });
    // The confirmations and the drawer's warning (no such port here).
    ASSERT_EQ(boxes.count(), 3);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("เปิดลิ้นชักเก็บเงินไม่ได้")));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("คืนสินค้าทั้งหมดแล้ว"));
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 2 )  รายการ"));
}

TEST_F(ReturnPage, WholeBillWithADeletedProductChangesNothing)
{
    scan(QStringLiteral("AB1"), 2);
    scan(QStringLiteral("EF3"));
    const QString no = sell();
    db().execute(QStringLiteral("DELETE FROM tblProduct WHERE PDsn = 'EF3'"));
    const QStringList before = shop.storedLines(no.toUtf8());
    load(no);
    click(returnWholeBillButton(page));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("EF3")));
    EXPECT_EQ(shop.storedLines(no.toUtf8()), before);
    EXPECT_EQ(shop.stock("AB1"), 48);
    EXPECT_EQ(shop.movements().size(), 2) << "only the sale's";
    EXPECT_EQ(rows(), 2);
    EXPECT_TRUE(returnWholeBillButton(page)->isEnabled());
}

TEST_F(ReturnPage, BillsWithADiscountOrAWholesaleLineAreReturnedOnlyWhole)
{
    scan(QStringLiteral("AB1"), 2);
    const QString discounted = sell(QStringLiteral("3"));
    scan(QStringLiteral("WH1"), 2); // the second scan prices it wholesale
    scan(QStringLiteral("EF3"));
    const QString wholesale = sell();
    boxes.clear();
    for (const QString &no : { discounted, wholesale }) {
        SCOPED_TRACE(no.toStdString());
        load(no);
        doubleClick(4, 1);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, kPartialRefusal);
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
        EXPECT_EQ(boxes.last().buttons, MsgButtons::Ok);
        // Any other column does nothing.
        doubleClick(2, 1);
        doubleClick(7, 1);
        EXPECT_EQ(boxes.count(), 1);
        EXPECT_TRUE(dialogs.opened.isEmpty());
        click(leaveReturnModeButton(page));
        boxes.clear();
    }
    EXPECT_EQ(shop.movements().size(), 3);
    // Whole, they go back.
    load(wholesale);
    EXPECT_EQ(cell(8, 1), QStringLiteral("-1")) << "the bill has a wholesale line";
    click(returnWholeBillButton(page));
    EXPECT_EQ(shop.count("tblLog", "Lno", wholesale.toUtf8()), 0);
    EXPECT_EQ(shop.stock("WH1"), 30);
}

TEST_F(ReturnPage, TwoOfFiveAtTenKeepsTheRestAsSold)
{
    scan(QStringLiteral("AB1"), 5);
    scan(QStringLiteral("CD2"));
    const QString no = sell();
    const QStringList sold = shop.storedLines(no.toUtf8());
    // The price list changed since the sale: the rest of the line keeps the paid price.
    db().execute(QStringLiteral("UPDATE tblProduct SET PDsell = 12 WHERE PDsn = 'AB1'"));
    SignedInUser::name = QStringLiteral("manager");
    Clock::setFixed(fixedNow().addSecs(3600));
    boxes.clear();

    load(no);
    ASSERT_EQ(cell(1, 2), QStringLiteral("AB1"));
    returnLine(2, QStringLiteral("2"));
    EXPECT_EQ(dialogs.opened, QList<QString> { QStringLiteral("LineReturnDialog") });
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(
        boxes.last().text, QStringLiteral("คุณแน่ใจ หรือ ไม่ ว่าคุณต้องการ คืนสินค้าจำนวน  [ 2 ]  นี้ !!"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("ยืนยันการบันทึก"));

    EXPECT_EQ(cell(4, 2), QStringLiteral("3"));
    EXPECT_EQ(saleGrid(page)->displayText(6, 2), QStringLiteral("10.00"));
    EXPECT_EQ(saleGrid(page)->displayText(7, 2), QStringLiteral("30.00"));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("20.00"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("คืนสินค้าแล้ว 2 หน่วย"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("65.50"));
    EXPECT_EQ(shop.stock("AB1"), 47);
    const QStringList moves = shop.movements();
    ASSERT_EQ(moves.size(), 3);
    EXPECT_EQ(moves[2],
        QStringLiteral("3|3|AB1|สบู่ AB1|des AB1|2024-05-15 11:30:00|INV-670500001|45|2|47|manager"));
    QStringList expected = sold;
    expected[1].replace(QStringLiteral("|5|10.00|"), QStringLiteral("|3|10.00|"));
    EXPECT_EQ(shop.storedLines(no.toUtf8()), expected);
    EXPECT_DOUBLE_EQ(shop.billSum(no.toUtf8()), 65.5);

    // The rest of the bill, whole: only what is left goes back.
    click(returnWholeBillButton(page));
    EXPECT_EQ(shop.stock("AB1"), 50);
    EXPECT_EQ(shop.stock("CD2"), 1);
    EXPECT_DOUBLE_EQ(shop.billSum(no.toUtf8()), 0.0);
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("20.00"));
}

TEST_F(ReturnPage, WholeLinesUntilTheBillIsEmpty)
{
    db().execute(QStringLiteral("UPDATE tblNumber SET numA = 1, numMon = '1' WHERE nPK = 6"));
    page->readSwitches();
    MapperGuard guard;
    int drawer = 0;
    CashDrawer::setDeviceMapper([&](int) {
        ++drawer;
        return folder.path() + QStringLiteral("/no-port");
    });
    scan(QStringLiteral("AB1"), 5);
    scan(QStringLiteral("CD2"));
    const QString no = sell();
    drawer = 0;
    boxes.clear();

    load(no);
    returnLine(1, QStringLiteral("1")); // CD2, its whole line
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(cell(1, 1), QStringLiteral("AB1"));
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 1 )  รายการ"));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("35.50"));
    EXPECT_DOUBLE_EQ(shop.billSum(no.toUtf8()), 50.0);
    EXPECT_EQ(drawer, 1);

    returnLine(1, QStringLiteral("05")); // all five
    EXPECT_EQ(dialogs.opened.size(), 2);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("คืนสินค้าทั้งหมดแล้ว"));
    EXPECT_FALSE(returnWholeBillButton(page)->isEnabled());
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("85.50"));
    EXPECT_EQ(shop.count("tblLog", "Lno", no.toUtf8()), 0);
    EXPECT_EQ(shop.stock("AB1"), 50);
    EXPECT_EQ(shop.stock("CD2"), 1);
    EXPECT_EQ(drawer, 2);
}

// The program's own exec(), not the scripted runner: the dialog deletes itself as it closes,
// and the drawer still opens after the stored return. A timer answers the dialog as a cashier
// would; the drawer's bytes are read on a pseudo-terminal.
TEST_F(ReturnPage, SingleLineReturnThroughExecOpensTheDrawer)
{
    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    db().execute(QStringLiteral("UPDATE tblNumber SET numA = 1, numMon = '2' WHERE nPK = 6"));
    page->readSwitches();
    MapperGuard guard;
    CashDrawer::setDeviceMapper([&](int) { return pty.slavePath(); });
    scan(QStringLiteral("AB1"), 3);
    const QString no = sell();
    EXPECT_EQ(pty.readAll(), CashDrawer::openSignal()); // the sale's own opening
    boxes.clear();
    load(no);

    DialogRunner::install(nullptr);
    struct Restore
    {
        ScriptedDialogs *scripted;
        ~Restore() { DialogRunner::install(scripted); }
    } restore { &dialogs };
    QPointer<LineReturnDialog> shown;
    int answered = 0;
    QTimer cashier;
    cashier.setInterval(5);
    QObject::connect(&cashier, &QTimer::timeout, [&] {
        auto *r = qobject_cast<LineReturnDialog *>(QApplication::activeModalWidget());
        if (!r || r == shown)
            return;
        shown = r;
        ++answered;
        quantityBox(r)->selectAll();
        QTest::keyClicks(quantityBox(r), QStringLiteral("2"));
        QTest::keyClick(quantityBox(r), Qt::Key_Return);
    });
    cashier.start();
    doubleClick(4, 1);
    cashier.stop();

    ASSERT_EQ(answered, 1);
    EXPECT_TRUE(shown.isNull()) << "exec() deleted the dialog";
    EXPECT_EQ(shop.stock("AB1"), 49);
    EXPECT_EQ(cell(4, 1), QStringLiteral("1"));
    EXPECT_EQ(pty.readAll(), CashDrawer::openSignal());
    // Only the return's confirmation: the drawer opened without a complaint.
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("ยืนยันการบันทึก"));
}

TEST_F(ReturnPage, TheDialogCorrectsTheQuantityAndStoresOnlyWhenConfirmed)
{
    scan(QStringLiteral("AB1"), 5);
    const QString no = sell();
    const QStringList sold = shop.storedLines(no.toUtf8());
    boxes.clear();
    load(no);

    struct Step
    {
        QString typed;
        QString shown; // the box afterwards
    };
    const Step steps[] = {
        { QStringLiteral("0"), QStringLiteral("1") },
        { QString(), QStringLiteral("1") },
        { QStringLiteral("9"), QStringLiteral("5") },
    };
    dialogs.then([&](QDialog *d) {
        auto *r = static_cast<LineReturnDialog *>(d);
        EXPECT_EQ(r->windowTitle(), QStringLiteral("คืนสินค้า"));
        EXPECT_EQ(lineCaption(r)->text(), QStringLiteral("คืน สบู่ AB1 des AB1 เป็นจำนวน : "));
        EXPECT_EQ(quantityBox(r)->text(), QStringLiteral("5"));
        EXPECT_EQ(quantityBox(r)->selectedText(), QStringLiteral("5"));
        for (const Step &s : steps) {
            quantityBox(r)->selectAll();
            QTest::keyClick(quantityBox(r), Qt::Key_Backspace);
            QTest::keyClicks(quantityBox(r), s.typed);
            QTest::keyClick(quantityBox(r), Qt::Key_Return);
            EXPECT_EQ(quantityBox(r)->text(), s.shown) << s.typed.toStdString();
            EXPECT_EQ(quantityBox(r)->selectedText(), s.shown);
        }
        EXPECT_EQ(boxes.count(), 0);
        // A letter is refused by the number filter; a fifth digit is not taken.
        QTest::keyClicks(quantityBox(r), QStringLiteral("x"));
        EXPECT_EQ(boxes.count(), 1);
        quantityBox(r)->selectAll();
        QTest::keyClicks(quantityBox(r), QStringLiteral("12345"));
        EXPECT_EQ(quantityBox(r)->text(), QStringLiteral("1234"));
        // Cancelled confirmation: the dialog stays.
        quantityBox(r)->setText(QStringLiteral("2"));
        boxes.answer(MsgResult::Cancel);
        QTest::mouseClick(saveButton(r), Qt::LeftButton);
        EXPECT_TRUE(r->isVisible());
        EXPECT_EQ(boxes.count(), 2);
        // Then the window is closed without a return.
    });
    doubleClick(4, 1);
    EXPECT_EQ(shop.storedLines(no.toUtf8()), sold);
    EXPECT_EQ(shop.stock("AB1"), 45);
    EXPECT_EQ(shop.movements().size(), 1);
    EXPECT_EQ(cell(4, 1), QStringLiteral("5"));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("0.00"));
}

TEST_F(ReturnPage, ALineOfMoreThanFourDigitsShowsInFullAndReturnsWhole)
{
    shop.addLine("INV-670599999", "AB1", 12000, 10.0);
    load(QStringLiteral("INV-670599999"));
    ASSERT_EQ(rows(), 1);
    dialogs.then([&](QDialog *d) {
        auto *r = static_cast<LineReturnDialog *>(d);
        EXPECT_EQ(quantityBox(r)->text(), QStringLiteral("12000"));
        EXPECT_EQ(quantityBox(r)->selectedText(), QStringLiteral("12000"));
        // Typing still stops at four digits.
        QTest::keyClick(quantityBox(r), Qt::Key_End);
        QTest::keyClicks(quantityBox(r), QStringLiteral("7"));
        EXPECT_EQ(quantityBox(r)->text(), QStringLiteral("12000"));
        quantityBox(r)->selectAll();
        QTest::keyClicks(quantityBox(r), QStringLiteral("12345"));
        EXPECT_EQ(quantityBox(r)->text(), QStringLiteral("1234"));
        // The line's quantity put back in the box is not cut either.
        quantityBox(r)->setText(QStringLiteral("99999"));
        QTest::keyClick(quantityBox(r), Qt::Key_Return);
        EXPECT_EQ(quantityBox(r)->text(), QStringLiteral("12000"));
        QTest::keyClick(quantityBox(r), Qt::Key_Return);
    });
    doubleClick(4, 1);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(shop.stock("AB1"), 50 + 12000);
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("120,000.00"));
}

TEST_F(ReturnPage, QuantityDoubleClickInTheSaleScreenHandsTheLineOver)
{
    scan(QStringLiteral("AB1"), 3);
    scan(QStringLiteral("CD2"));
    doubleClick(2, 2); // not the quantity: nothing opens
    EXPECT_TRUE(dialogs.opened.isEmpty());
    // The quantity dialog opens on the line (its save is its own).
    dialogs.then([](QDialog *d) {
        auto *e = static_cast<QuantityEditDialog *>(d);
        EXPECT_EQ(lineCaption(e)->text(), QStringLiteral("ปรับ สบู่ AB1 des AB1 เป็น : "));
        EXPECT_EQ(quantityBox(e)->text(), QStringLiteral("3"));
    });
    doubleClick(4, 2);
    EXPECT_EQ(dialogs.opened, QList<QString> { QStringLiteral("QuantityEditDialog") });
    EXPECT_EQ(QApplication::focusWidget(), codeBox(page));
}

} // namespace

// Every box the sale page and its return dialog can show a cashier speaks Thai: no Latin
// letters outside codes, table names and paths. Each case runs on a fresh page.
TEST_F(ReturnPage, EveryMessageOfTheCounterIsThai)
{
    MapperGuard guard;
    CashDrawer::setDeviceMapper([&](int) { return folder.path() + QStringLiteral("/no-port"); });
    auto drawer = [&](const char *port) {
        db().execute(
            QStringLiteral("UPDATE tblNumber SET numA = 1, numMon = ?1 WHERE nPK = 6"), { port });
        page->readSwitches();
    };
    const char *names[] = { "unknown code", "letter in the cash box", "right button",
        "empty sale saved", "empty sale held", "no such drawer port", "drawer port missing",
        "no such bill", "part of a discounted bill", "return confirmed", "whole bill confirmed",
        "a line whose product is gone", "no receipt counter" };
    for (int c = 0; c < int(std::size(names)); ++c) {
        SCOPED_TRACE(names[c]);
        delete page;
        page = new SalePage;
        page->resize(1100, 720);
        page->show();
        QApplication::setActiveWindow(page);
        ASSERT_TRUE(QTest::qWaitForWindowActive(page));
        db().execute(QStringLiteral("UPDATE tblNumber SET numA = 0 WHERE nPK = 6"));
        page->readSwitches();
        boxes.clear();
        switch (c) {
        case 0:
            scan(QStringLiteral("ZZ9"));
            break;
        case 1:
            scan(QStringLiteral("AB1"));
            cashBox(page)->setFocus();
            QTest::keyClicks(cashBox(page), QStringLiteral("x"));
            break;
        case 2:
            QTest::mouseClick(discountBox(page), Qt::RightButton);
            break;
        case 3:
            press(Qt::Key_F9);
            break;
        case 4:
            press(Qt::Key_F1);
            break;
        case 5:
        case 6:
            drawer(c == 5 ? "7" : "1");
            scan(QStringLiteral("AB1"));
            press(Qt::Key_F9);
            break;
        case 7:
            load(QStringLiteral("INV-999"));
            break;
        case 8:
        case 9:
        case 10: {
            scan(QStringLiteral("AB1"), 2);
            const QString no = sell(c == 8 ? QStringLiteral("5") : QString());
            boxes.clear();
            load(no);
            if (c == 10)
                click(returnWholeBillButton(page));
            else if (c == 9)
                returnLine(1, QStringLiteral("1"));
            else
                doubleClick(4, 1);
            break;
        }
        case 11: {
            // The page keeps no amount in a cell, so a line cannot lose its amount; a line
            // whose product is gone cannot be priced again for a new quantity.
            scan(QStringLiteral("AB1"));
            db().execute(QStringLiteral("DELETE FROM tblProduct WHERE PDsn = 'AB1'"));
            dialogs.then([](QDialog *d) {
                auto *e = static_cast<QuantityEditDialog *>(d);
                quantityBox(e)->setText(QStringLiteral("2"));
                QTest::keyClick(quantityBox(e), Qt::Key_Return);
                e->close();
            });
            doubleClick(4, 1);
            break;
        }
        case 12:
            db().execute(QStringLiteral("DELETE FROM tblNumber WHERE nPK = 2"));
            scan(QStringLiteral("AB1"));
            press(Qt::Key_F9);
            break;
        }
        ASSERT_GE(boxes.count(), 1);
        for (const MessageRequest &m : boxes.shown) {
            EXPECT_TRUE(hasThai(m.text)) << m.text.toStdString();
            EXPECT_EQ(latinOutsideCodes(m.text), QString()) << m.text.toStdString();
            EXPECT_EQ(latinOutsideCodes(m.title), QString()) << m.title.toStdString();
        }
    }
}

// Assistive technology reads the return dialog's box by the label that names the line.
TEST_F(ReturnPage, TheReturnBoxIsNamedByItsLine)
{
    scan(QStringLiteral("AB1"), 2);
    const QString no = sell();
    load(no);
    QString name;
    dialogs.then([&](QDialog *d) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(
            quantityBox(static_cast<LineReturnDialog *>(d)));
        name = a ? a->text(QAccessible::Name) : QString();
    });
    doubleClick(4, 1);
    EXPECT_EQ(name, QStringLiteral("คืน สบู่ AB1 des AB1 เป็นจำนวน :"));
    EXPECT_EQ(shop.stock("AB1"), 48) << "closed without a return";
}
