#include "SearchFixture.h"
#include "button/KasmoButton.h"
#include "support/FindControl.h"
#include <QComboBox>
#include <QLabel>

namespace {
const QString recallRefused
    = QStringLiteral("ไม่สามารถ ( เรียกคืนสินค้า ) เนื่องจากมี สินค้า อยู่ในตาราง\n\nโปรดทำการ บันทึก หรือ "
                     "ลบสินค้าทั้งหมด ออกจากตาราง");
} // namespace

class Hold : public SearchFixture
{
protected:
    void SetUp() override
    {
        SearchFixture::SetUp();
        openSale();
        page->show();
    }

    void choosePriceType(int i) { choose(priceList(page), i); }
    void click(KasmoButton *b) { QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center()); }
    void typeDiscount(const QString &text)
    {
        discountBox(page)->setFocus();
        QTest::keyClicks(discountBox(page), text);
    }
    void pressF1() { QTest::keyClick(codeBox(page), Qt::Key_F1); }

    // Every cell of columns 0 to 9, row by row.
    QStringList lines() const
    {
        QStringList all;
        for (int r = 1; r <= saleGrid(page)->maxRows(); ++r)
            for (int c = 0; c <= 9; ++c)
                all << saleCell(c, r);
        return all;
    }
    bool holding() const { return holdButton(page)->isHidden() && !recallButton(page)->isHidden(); }
    void expectEmptyPage(const QString &status)
    {
        EXPECT_EQ(saleGrid(page)->maxRows(), 0);
        EXPECT_EQ(totalLabel(page)->text(), status);
        EXPECT_EQ(netLabel(page)->text(), QStringLiteral("0.00"));
        EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("0.00"));
        EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 0 )  รายการ"));
        EXPECT_EQ(pictureCaption(page)->text(), QStringLiteral("ภาพสินค้า"));
        EXPECT_EQ(discountBox(page)->text(), QString());
        EXPECT_EQ(cashBox(page)->text(), QString());
        EXPECT_EQ(codeBox(page)->text(), QString());
    }
};

TEST_F(Hold, HoldAndRecallThreeLinesWithPriceTypeAndDiscount)
{
    EXPECT_FALSE(holding());
    choosePriceType(1);
    for (const char *code : { "A100", "C300", "B200", "B200" })
        scan(QString::fromLatin1(code));
    typeDiscount(QStringLiteral("5"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("242.00")); // 247 less 5 baht
    const QStringList held = lines();
    ASSERT_EQ(saleGrid(page)->maxRows(), 3);

    pressF1();
    expectEmptyPage(QStringLiteral("พักการขายแล้ว"));
    EXPECT_TRUE(holding());
    EXPECT_EQ(boxes.count(), 0);

    choosePriceType(0);
    pressF1(); // while a sale is held F1 recalls, never holds a second time
    EXPECT_FALSE(holding());
    EXPECT_EQ(lines(), held);
    EXPECT_EQ(priceList(page)->currentIndex(), 1);
    EXPECT_EQ(discountBox(page)->text(), QStringLiteral("0"));
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 3 )  รายการ"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("247.00"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("247.00"));
    EXPECT_EQ(heldGrid(page)->maxRows(), 0);
    EXPECT_EQ(page->focusWidget(), codeBox(page));
}

TEST_F(Hold, RefusalsChangeNothing)
{
    // Hold and clear on an empty page.
    pressF1();
    click(clearButton(page));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("ไม่พบสินค้าในตาราง ระบบจึงไม่สามารถ พักการขายได้.."));
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("ไม่พบสินค้าในตาราง ระบบจึงไม่สามารถ ลบสินค้าทั้งหมด.."));
    for (const MessageRequest &m : boxes.shown) {
        EXPECT_EQ(m.title, QStringLiteral("รายงานสถานะ"));
        EXPECT_EQ(m.icon, MsgIcon::Warning);
        EXPECT_EQ(m.buttons, MsgButtons::Ok);
    }
    EXPECT_FALSE(holding());

    // Recall onto a grid with a line: the two-part message, nothing changes.
    scan(QStringLiteral("A100"));
    click(holdButton(page));
    scan(QStringLiteral("C300"));
    const QStringList current = lines();
    boxes.clear();
    click(recallButton(page));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, recallRefused);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(lines(), current);
    EXPECT_TRUE(holding());

    // In return mode the recall does nothing at all.
    click(clearButton(page)); // OK, the default
    click(returnModeButton(page));
    boxes.clear();
    click(recallButton(page));
    pressF1();
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);
    EXPECT_TRUE(holding());
    EXPECT_EQ(boxes.count(), 0);
    click(leaveReturnModeButton(page));
    click(recallButton(page));
    EXPECT_EQ(lines().at(1), QStringLiteral("A100"));
}

TEST_F(Hold, ClearingAsksAndKeepsTheHeldSale)
{
    scan(QStringLiteral("A100"));
    click(holdButton(page));
    scan(QStringLiteral("B200"));
    scan(QStringLiteral("C300"));
    const QStringList current = lines();

    boxes.answer(MsgResult::Cancel);
    click(clearButton(page));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("คุณแน่ใจหรือไม่ว่าต้องการ ( ลบสินค้าทั้งหมด ) ในหน้านี้ ?"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("ยืนยันการลบ"));
    EXPECT_EQ(boxes.last().buttons, MsgButtons::OkCancel);
    EXPECT_EQ(boxes.last().defaultButton, MsgResult::Ok);
    EXPECT_EQ(lines(), current);
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("140.00"));

    click(clearButton(page)); // OK
    expectEmptyPage(QStringLiteral("ลบสินค้าทั้งหมดแล้ว"));
    EXPECT_TRUE(holding());
    click(recallButton(page));
    EXPECT_EQ(saleGrid(page)->maxRows(), 1);
    EXPECT_EQ(saleCell(1, 1), QStringLiteral("A100"));
}

TEST_F(Hold, SavingKeepsTheHeldSaleAndTheWholesaleMarkSurvives)
{
    for (int i = 0; i < 3; ++i)
        scan(QStringLiteral("B200")); // wholesale from 3
    ASSERT_EQ(saleGrid(page)->backColor(6, 1), SalePage::colour(WholesaleColour));
    click(holdButton(page));

    scan(QStringLiteral("A100"));
    click(saveButton(page)); // save while a sale is held
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM tblLog")).toInt(), 1);
    EXPECT_TRUE(holding());

    click(recallButton(page));
    EXPECT_EQ(saleCell(6, 1), QStringLiteral("90"));
    EXPECT_EQ(saleGrid(page)->backColor(6, 1), SalePage::colour(WholesaleColour));
    click(saveButton(page));
    EXPECT_EQ(
        db().scalar(QStringLiteral("SELECT Lsong FROM tblLog WHERE Lsn = 'B200'")).toInt(), 1);
    EXPECT_EQ(
        db().scalar(QStringLiteral("SELECT Lvalue FROM tblLog WHERE Lsn = 'B200'")).toInt(), 3);
}

TEST_F(Hold, LeavingThePageDropsTheHeldSale)
{
    scan(QStringLiteral("A100"));
    click(holdButton(page));
    QTest::mouseClick(
        control(frame, "stockTab"), Qt::LeftButton); // the stock tab closes the sale page
    EXPECT_EQ(WindowRegistry::find<SalePage>(), nullptr);
    openSale();
    EXPECT_FALSE(holding());
    EXPECT_EQ(heldGrid(page)->maxRows(), 0);
}
