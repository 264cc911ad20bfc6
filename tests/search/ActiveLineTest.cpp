// Delete on the sale page takes the line the cashier clicked, however the lines moved since:
// a scanned product or one added from the search dialog goes on top of it.
#include "SearchFixture.h"
#include "button/KasmoButton.h"

namespace {

class ActiveLine : public SearchFixture
{
protected:
    QStringList codes() const
    {
        QStringList out;
        for (int r = 1; r <= saleGrid(page)->maxRows(); ++r)
            out << saleCell(1, r);
        return out;
    }
};

} // namespace

TEST_F(ActiveLine, DeleteRemovesTheClickedLineAfterALineWentOnTop)
{
    openSale();
    for (const bool fromSearch : { false, true }) {
        SCOPED_TRACE(fromSearch ? "from the search dialog" : "scanned");
        // In and out of return mode: an empty sale.
        QTest::keyClick(codeBox(page), Qt::Key_F5);
        KasmoButton *leave = leaveReturnModeButton(page);
        QTest::mouseClick(leave, Qt::LeftButton, {}, leave->rect().center());
        scan(QStringLiteral("A100"));
        scan(QStringLiteral("B200"));
        scan(QStringLiteral("C300"));
        ASSERT_EQ(codes(), (QStringList { "C300", "B200", "A100" }));
        DataGrid *g = saleGrid(page);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cellCentre(g, 2, 2)); // B200
        if (fromSearch) {
            dialogs.then([](QDialog *d) {
                add(static_cast<ProductSearchDialog *>(d), QStringLiteral("E500"));
                QTest::keyClick(resultGrid(static_cast<ProductSearchDialog *>(d)), Qt::Key_Escape);
            });
            QTest::keyClick(codeBox(page), Qt::Key_F4);
        } else {
            scan(QStringLiteral("E500"));
        }
        ASSERT_EQ(codes(), (QStringList { "E500", "C300", "B200", "A100" }));
        codeBox(page)->setFocus();
        QTest::keyClick(codeBox(page), Qt::Key_Delete);
        EXPECT_EQ(codes(), (QStringList { "E500", "C300", "A100" }));
        EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("42.00"));
    }
}
