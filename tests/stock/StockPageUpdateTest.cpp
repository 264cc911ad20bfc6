// The stock page and the stock update window together: F9 in the page's grid or its button opens
// the window; only a completed save makes the page load its list again.
#include "StockFixture.h"
#include "stock/GoodsReceivedWindow.h"

namespace {

class StockPageAndUpdate : public StockPageTest
{
protected:
    // The window's code box, as a scanner types into it.
    static void scan(GoodsReceivedWindow *w, const QString &code)
    {
        QLineEdit *codeBox = control<QLineEdit>(w, "codeBox");
        codeBox->setFocus();
        type(codeBox, code);
        QTest::keyClick(codeBox, Qt::Key_Return);
    }
    QString stockShown(const QString &code) const
    {
        const int r = int(codes().indexOf(code)) + 1;
        return r > 0 ? cell(4, r).trimmed() : QString();
    }
};

} // namespace

TEST_F(StockPageAndUpdate, OnlyASavedStockUpdateReloadsTheList)
{
    add({ QStringLiteral("B200"), QStringLiteral("สบู่เหลว"), QString(), 5 });
    add({ QStringLiteral("A100"), QStringLiteral("น้ำดื่ม"), QString(), 0 });
    open();
    ASSERT_NE(page, nullptr);
    StockPage::setWindows({}); // the program's own windows
    ASSERT_EQ(stockShown(QStringLiteral("B200")), QStringLiteral("5"));

    // Leaving asks and stores nothing; the page keeps its list (a change made elsewhere in the
    // meantime does not show).
    folder.db().execute(QStringLiteral("UPDATE tblProduct SET PDvalue = 6 WHERE PDsn = 'A100'"));
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<GoodsReceivedWindow *>(d);
        ASSERT_NE(w, nullptr);
        scan(w, QStringLiteral("B200"));
        QTest::mouseClick(
            control<KasmoButton>(w, "leaveButton"), Qt::LeftButton); // OK, the default
    });
    press(Qt::Key_F9, Qt::ShiftModifier);
    EXPECT_EQ(dialogs.opened.count(QStringLiteral("GoodsReceivedWindow")), 1);
    EXPECT_EQ(stockShown(QStringLiteral("A100")), QStringLiteral("0"));

    // A save from the button: the page loads the stock the save left.
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<GoodsReceivedWindow *>(d);
        ASSERT_NE(w, nullptr);
        for (int i = 0; i < 3; ++i)
            scan(w, QStringLiteral("B200"));
        QTest::keyClick(control<QLineEdit>(w, "codeBox"), Qt::Key_F9);
    });
    click(button("stockUpdateButton"));
    EXPECT_EQ(dialogs.opened.count(QStringLiteral("GoodsReceivedWindow")), 2);
    EXPECT_EQ(stockShown(QStringLiteral("B200")), QStringLiteral("8"));
    EXPECT_EQ(stockShown(QStringLiteral("A100")), QStringLiteral("6"));
    EXPECT_EQ(boxes.count(), 2); // the leave and save questions
    EXPECT_EQ(QApplication::focusWidget(), grid());
}
