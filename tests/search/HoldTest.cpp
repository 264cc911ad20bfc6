#include "SearchFixture.h"
#include "button/KasmoButton.h"
#include "shell/Module1.h"
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

    void choosePriceType(int i)
    {
        page->Combo2->setCurrentIndex(i);
        page->Combo2_Click();
    }
    void typeDiscount(const QString &text)
    {
        page->text2->setFocus();
        QTest::keyClicks(page->text2, text);
    }
    void pressF1() { QTest::keyClick(page->txtSearchProduct, Qt::Key_F1); }

    // Every cell of columns 0 to 9, row by row.
    QStringList lines() const
    {
        QStringList all;
        for (int r = 1; r <= page->fpSpread1->maxRows(); ++r)
            for (int c = 0; c <= 9; ++c)
                all << saleCell(c, r);
        return all;
    }
    bool holding() const
    {
        return page->kasmoButton2->isHidden() && !page->kasmoButton3->isHidden();
    }
    void expectEmptyPage(const QString &status)
    {
        EXPECT_EQ(page->fpSpread1->maxRows(), 0);
        EXPECT_EQ(page->Label6->text(), status);
        EXPECT_EQ(page->Label16->text(), QStringLiteral("0.00"));
        EXPECT_EQ(page->Label3->text(), QStringLiteral("0.00"));
        EXPECT_EQ(page->Label2->text(), QStringLiteral("สินค้าทั้งหมด  ( 0 )  รายการ"));
        EXPECT_EQ(page->Label11->text(), QStringLiteral("ภาพสินค้า"));
        EXPECT_EQ(page->text2->text(), QString());
        EXPECT_EQ(page->Text1->text(), QString());
        EXPECT_EQ(page->txtSearchProduct->text(), QString());
    }
};

TEST_F(Hold, HoldAndRecallThreeLinesWithPriceTypeAndDiscount)
{
    EXPECT_FALSE(holding());
    choosePriceType(1);
    for (const char *code : { "A100", "C300", "B200", "B200" })
        scan(QString::fromLatin1(code));
    typeDiscount(QStringLiteral("5"));
    EXPECT_EQ(page->Label16->text(), QStringLiteral("242.00")); // 247 less 5 baht
    const QStringList held = lines();
    ASSERT_EQ(page->fpSpread1->maxRows(), 3);

    pressF1();
    expectEmptyPage(QStringLiteral("พักการขายแล้ว"));
    EXPECT_TRUE(holding());
    EXPECT_EQ(boxes.count(), 0);

    choosePriceType(0);
    pressF1(); // while a sale is held F1 recalls, never holds a second time
    EXPECT_FALSE(holding());
    EXPECT_EQ(lines(), held);
    EXPECT_EQ(page->Combo2->currentIndex(), 1);
    EXPECT_EQ(page->text2->text(), QStringLiteral("0"));
    EXPECT_EQ(page->Label2->text(), QStringLiteral("สินค้าทั้งหมด  ( 3 )  รายการ"));
    EXPECT_EQ(page->Label6->text(), QStringLiteral("247.00"));
    EXPECT_EQ(page->Label16->text(), QStringLiteral("247.00"));
    EXPECT_EQ(page->fpSpread2->maxRows(), 0);
    EXPECT_EQ(page->focusWidget(), page->txtSearchProduct);
}

TEST_F(Hold, RefusalsChangeNothing)
{
    // Hold and clear on an empty page.
    pressF1();
    page->kasmoButton1_Click();
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
    page->kasmoButton2_Click();
    scan(QStringLiteral("C300"));
    const QStringList current = lines();
    boxes.clear();
    page->kasmoButton3_Click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, recallRefused);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(lines(), current);
    EXPECT_TRUE(holding());

    // In return mode the recall does nothing at all.
    page->kasmoButton1_Click(); // OK, the default
    Module1::ReturnMode = true;
    boxes.clear();
    page->kasmoButton3_Click();
    EXPECT_EQ(page->fpSpread1->maxRows(), 0);
    EXPECT_TRUE(holding());
    EXPECT_EQ(boxes.count(), 0);
    Module1::ReturnMode = false;
    page->kasmoButton3_Click();
    EXPECT_EQ(lines().at(1), QStringLiteral("A100"));
}

TEST_F(Hold, ClearingAsksAndKeepsTheHeldSale)
{
    scan(QStringLiteral("A100"));
    page->kasmoButton2_Click();
    scan(QStringLiteral("B200"));
    scan(QStringLiteral("C300"));
    const QStringList current = lines();

    boxes.answer(MsgResult::Cancel);
    page->kasmoButton1_Click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("คุณแน่ใจหรือไม่ว่าต้องการ ( ลบสินค้าทั้งหมด ) ในหน้านี้ ?"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("ยืนยันการลบ"));
    EXPECT_EQ(boxes.last().buttons, MsgButtons::OkCancel);
    EXPECT_EQ(boxes.last().defaultButton, MsgResult::Ok);
    EXPECT_EQ(lines(), current);
    EXPECT_EQ(page->Label6->text(), QStringLiteral("140.00"));

    page->kasmoButton1_Click(); // OK
    expectEmptyPage(QStringLiteral("ลบสินค้าทั้งหมดแล้ว"));
    EXPECT_TRUE(holding());
    page->kasmoButton3_Click();
    EXPECT_EQ(page->fpSpread1->maxRows(), 1);
    EXPECT_EQ(saleCell(1, 1), QStringLiteral("A100"));
}

TEST_F(Hold, SavingKeepsTheHeldSaleAndTheWholesaleMarkSurvives)
{
    for (int i = 0; i < 3; ++i)
        scan(QStringLiteral("B200")); // wholesale from 3
    ASSERT_EQ(page->fpSpread1->backColor(6, 1), SalePage::colour(WholesaleColour));
    page->kasmoButton2_Click();

    scan(QStringLiteral("A100"));
    page->pageButton1_Click(); // save while a sale is held
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM tblLog")).toInt(), 1);
    EXPECT_TRUE(holding());

    page->kasmoButton3_Click();
    EXPECT_EQ(saleCell(6, 1), QStringLiteral("90"));
    EXPECT_EQ(page->fpSpread1->backColor(6, 1), SalePage::colour(WholesaleColour));
    page->pageButton1_Click();
    EXPECT_EQ(
        db().scalar(QStringLiteral("SELECT Lsong FROM tblLog WHERE Lsn = 'B200'")).toInt(), 1);
    EXPECT_EQ(
        db().scalar(QStringLiteral("SELECT Lvalue FROM tblLog WHERE Lsn = 'B200'")).toInt(), 3);
}

TEST_F(Hold, LeavingThePageDropsTheHeldSale)
{
    scan(QStringLiteral("A100"));
    page->kasmoButton2_Click();
    QTest::mouseClick(
        control(frame, "stockTab"), Qt::LeftButton); // the stock tab closes the sale page
    EXPECT_EQ(WindowRegistry::find<SalePage>(), nullptr);
    openSale();
    EXPECT_FALSE(holding());
    EXPECT_EQ(page->fpSpread2->maxRows(), 0);
}
