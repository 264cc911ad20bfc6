#include "SearchFixture.h"
#include "support/CapturedLog.h"
#include "support/FindControl.h"
#include "support/Screenshots.h"
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {
const QColor wholesale = SalePage::colour(WholesaleColour);
const QColor listPrice = SalePage::colour(ListPriceColour);

ProductSearchDialog *asSearch(QDialog *d)
{
    auto *s = qobject_cast<ProductSearchDialog *>(d);
    EXPECT_NE(s, nullptr);
    return s;
}
} // namespace

using SearchDialog = SearchFixture;

TEST_F(SearchDialog, LooksAsDesigned)
{
    openSale();
    dialogs.then([&](QDialog *d) {
        ProductSearchDialog *s = asSearch(d);
        EXPECT_EQ(s->windowTitle(), QStringLiteral("ค้นหาสินค้า"));
        EXPECT_EQ(searchButton(s)->text(), QStringLiteral("   ค้นหา (Enter)"));
        EXPECT_EQ(exitButton(s)->text(), QStringLiteral("ออกจากหน้านี้ (ESC)"));
        EXPECT_EQ(searchBox(s)->maxLength(), 50);
        EXPECT_EQ(s->focusWidget(), searchBox(s));
        DataGrid *g = resultGrid(s);
        EXPECT_EQ(g->maxRows(), 0);
        EXPECT_EQ(g->maxCols(), 3);
        EXPECT_EQ(g->colWidth(0), 0);
        EXPECT_EQ(g->getText(1, 0), QStringLiteral("รหัสสินค้า"));
        EXPECT_EQ(g->getText(2, 0), QStringLiteral(" ชื่อสินค้า"));
        EXPECT_EQ(g->getText(3, 0), QStringLiteral("หน่วยนับ"));
        search(s, QStringLiteral("สบู่"));
        resultGrid(s)->setActiveCell(1, 2);
        QTest::qWait(50);
        saveScreenshot(s->grab(), "search-ProductSearchDialog.png");
    });
    clickSearchButton();
    ASSERT_EQ(dialogs.opened, QList<QString> { QStringLiteral("ProductSearchDialog") });
}

TEST_F(SearchDialog, FindsByFragmentOrderedByCodeWithExactCaptions)
{
    openSale();
    dialogs.then([&](QDialog *d) {
        ProductSearchDialog *s = asSearch(d);
        // A fragment of two names; the list is ordered by code.
        search(s, QStringLiteral("สบู่"));
        EXPECT_EQ(s->windowTitle(), QStringLiteral("ค้นหาสินค้า [ ข้อมูลทั้งหมด :  2  รายการ ]"));
        EXPECT_EQ(resultCodes(s), (QStringList { "B200", "C300" }));
        DataGrid *g = resultGrid(s);
        EXPECT_EQ(g->getText(0, 1), QStringLiteral("1"));
        EXPECT_EQ(g->getText(2, 1), QStringLiteral(" สบู่เหลว กลิ่นมะลิ"));
        EXPECT_EQ(g->getText(2, 2), QStringLiteral(" สบู่ก้อน ")); // no description
        EXPECT_EQ(g->getText(3, 1), QStringLiteral("ชิ้น"));
        EXPECT_EQ(s->focusWidget(), searchBox(s)); // Enter leaves the focus in the box

        struct Case
        {
            const char *typed;
            QStringList codes;
        } cases[] = {
            { "มะลิ", { "B200" } }, // the description only
            { "  ขวด  ", { "A100" } }, // trimmed at both ends
            { "a1", { "A100" } }, // codes without regard to case
            { "%_o", { "D400" } }, // % and _ are plain characters
            { "_", { "D400" } },
            { "O'Brien", { "D400" } }, // a quote is an ordinary character
            { "0", { "A100", "B200", "C300", "D400", "E500" } },
        };
        for (const Case &c : cases) {
            search(s, QString::fromUtf8(c.typed));
            EXPECT_EQ(resultCodes(s), c.codes) << c.typed;
            EXPECT_EQ(s->windowTitle(), ProductSearchDialog::foundCaption(int(c.codes.size())))
                << c.typed;
        }

        // No hits: the list empties; the next hit replaces the caption again.
        for (const char *none : { "สบู่ เหลว", "zzz", "A_00", "B%0" }) {
            search(s, QString::fromUtf8(none));
            EXPECT_EQ(s->windowTitle(), QStringLiteral("ค้นหาสินค้า [ ไม่พบข้อมูลที่คุณต้องการ !! ]"));
            EXPECT_EQ(resultGrid(s)->maxRows(), 0) << none;
        }
        search(s, QStringLiteral("C3"));
        EXPECT_EQ(s->windowTitle(), QStringLiteral("ค้นหาสินค้า [ ข้อมูลทั้งหมด :  1  รายการ ]"));
    });
    clickSearchButton();
}

TEST_F(SearchDialog, BlankSearchRunsNoQuery)
{
    openSale();
    dialogs.then([&](QDialog *d) {
        ProductSearchDialog *s = asSearch(d);
        search(s, QStringLiteral("สบู่"));
        // Any query from here on fails; a blank search must not show the failure's caption.
        db().execute(QStringLiteral("ALTER TABLE tblNub RENAME TO tblNubGone"));
        for (const char *blank : { "", "    " }) {
            search(s, QString::fromLatin1(blank));
            EXPECT_EQ(s->windowTitle(), ProductSearchDialog::foundCaption(2));
            EXPECT_EQ(resultCodes(s), (QStringList { "B200", "C300" }));
            EXPECT_EQ(s->focusWidget(), searchBox(s));
        }
        // A failing query keeps the list and shows the not-found caption.
        search(s, QStringLiteral("A1"));
        EXPECT_EQ(s->windowTitle(), ProductSearchDialog::NotFoundCaption);
        EXPECT_EQ(resultCodes(s), (QStringList { "B200", "C300" }));
        db().execute(QStringLiteral("ALTER TABLE tblNubGone RENAME TO tblNub"));
    });
    clickSearchButton();
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(SearchDialog, ThreeDoubleClicksMakeOneLineAndTheDialogStaysOpenUntilEsc)
{
    openSale();
    bool openAfterAdds = false, closedByEsc = false;
    dialogs.then([&](QDialog *d) {
        ProductSearchDialog *s = asSearch(d);
        add(s, QStringLiteral("A100"), 1, 3);
        openAfterAdds = d->isVisible();
        EXPECT_EQ(saleGrid(page)->maxRows(), 1);
        EXPECT_EQ(saleCell(4, 1), QStringLiteral("3"));
        EXPECT_EQ(saleCell(7, 1), QStringLiteral("21"));
        EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("21.00")); // the totals follow at once
        // The list and the caption stay.
        EXPECT_EQ(s->windowTitle(), ProductSearchDialog::foundCaption(1));
        // A second product goes on top; the first keeps its line.
        add(s, QStringLiteral("C300"));
        EXPECT_EQ(saleCell(1, 1), QStringLiteral("C300"));
        EXPECT_EQ(saleCell(1, 2), QStringLiteral("A100"));
        add(s, QStringLiteral("A100"));
        EXPECT_EQ(saleCell(4, 2), QStringLiteral("4"));
        EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 2 )  รายการ"));
        QPointer<QDialog> alive(d);
        QTest::keyClick(resultGrid(s), Qt::Key_Escape); // the window sees it first
        closedByEsc = !alive || !alive->isVisible();
    });
    clickSearchButton();
    EXPECT_TRUE(openAfterAdds);
    EXPECT_TRUE(closedByEsc);
    // The new line is written as the sale grid expects it.
    const char *cells[] = { "3", "C300", " สบู่ก้อน", "", "1", "ชิ้น", "20", "20", "", "12" };
    for (int c = 0; c <= 9; ++c)
        EXPECT_EQ(saleCell(c, 1), QString::fromUtf8(cells[c])) << c;
    EXPECT_EQ(saleCell(5, 2), QStringLiteral("แพ็ค"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("48.00"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("48.00"));
    EXPECT_EQ(codeBox(page)->text(), QString()); // left alone
    EXPECT_EQ(WindowRegistry::find<ProductSearchDialog>(), nullptr); // unloaded
}

TEST_F(SearchDialog, WholesaleSequenceOfTheSalePageHolds)
{
    openSale();
    choose(priceList(page), 1);
    struct Step
    {
        const char *qty, *price, *amount;
        QColor colour;
    } steps[] = {
        { "1", "110", "110", QColor() },
        { "2", "110", "220", listPrice },
        { "3", "90", "270", wholesale },
        { "4", "90", "360", wholesale },
    };
    dialogs.then([&](QDialog *d) {
        ProductSearchDialog *s = asSearch(d);
        search(s, QStringLiteral("B200"));
        for (const Step &st : steps) {
            doubleClick(resultGrid(s), 1, 1);
            ASSERT_EQ(saleGrid(page)->maxRows(), 1);
            EXPECT_EQ(saleCell(4, 1), QString::fromLatin1(st.qty));
            EXPECT_EQ(saleCell(6, 1), QString::fromLatin1(st.price)) << st.qty;
            EXPECT_EQ(saleCell(7, 1), QString::fromLatin1(st.amount)) << st.qty;
            EXPECT_EQ(saleGrid(page)->backColor(6, 1), st.colour) << st.qty;
        }
        // A wholesale quantity of 1 still starts at the list price.
        add(s, QStringLiteral("E500"));
        EXPECT_EQ(saleCell(6, 1), QStringLiteral("15"));
        EXPECT_FALSE(saleGrid(page)->backColor(6, 1).isValid());
        add(s, QStringLiteral("E500"));
        EXPECT_EQ(saleCell(6, 1), QStringLiteral("12"));
        EXPECT_EQ(saleCell(7, 1), QStringLiteral("24"));
        EXPECT_EQ(saleGrid(page)->backColor(6, 1), wholesale);
    });
    clickSearchButton();
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("384.00"));
}

TEST_F(SearchDialog, NothingToAddDoesNothing)
{
    openSale();
    dialogs.then([&](QDialog *d) {
        ProductSearchDialog *s = asSearch(d);
        // An empty list: a double-click finds no line.
        QTest::mouseDClick(resultGrid(s)->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        search(s, QStringLiteral("C300"));
        db().execute(QStringLiteral("DELETE FROM tblProduct WHERE PK = 3"));
        doubleClick(resultGrid(s), 1, 1); // gone since it was listed
    });
    clickSearchButton();
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(SearchDialog, StockUpdateGridTakesTheCostPriceAndItsTotalFollows)
{
    openStockUpdate();
    EXPECT_EQ(MainFrame::openPageName(), QStringLiteral("คลังสินค้า"));
    dialogs.then([&](QDialog *d) {
        ProductSearchDialog *s = asSearch(d);
        add(s, QStringLiteral("A100"), 1, 2);
        DataGrid *g = control<DataGrid>(update, "lineGrid");
        ASSERT_EQ(g->maxRows(), 1);
        EXPECT_EQ(g->getText(4, 1), QStringLiteral("2"));
        EXPECT_EQ(g->getText(6, 1), QStringLiteral("5"));
        EXPECT_EQ(g->getText(7, 1), QStringLiteral("10"));
        EXPECT_EQ(control<QLabel>(update, "totalLabel")->text(), QStringLiteral("10.00"));
        add(s, QStringLiteral("B200")); // wholesale plays no part here
        add(s, QStringLiteral("B200"));
        add(s, QStringLiteral("B200"));
    });
    QTest::mouseClick(control<KasmoButton>(update, "searchButton"), Qt::LeftButton);
    DataGrid *g = control<DataGrid>(update, "lineGrid");
    ASSERT_EQ(g->maxRows(), 2);
    const char *cells[] = { "1", "B200", " สบู่เหลว", "กลิ่นมะลิ", "3", "ชิ้น", "80", "240" };
    for (int c = 0; c <= 7; ++c)
        EXPECT_EQ(g->getText(c, 1), QString::fromUtf8(cells[c])) << c;
    EXPECT_EQ(g->getText(1, 2), QStringLiteral("A100"));
    EXPECT_EQ(control<QLabel>(update, "totalLabel")->text(), QStringLiteral("250.00"));
    EXPECT_EQ(update->focusWidget(), control<QLineEdit>(update, "codeBox"));
    EXPECT_EQ(page, nullptr);
    EXPECT_EQ(WindowRegistry::find<SalePage>(), nullptr);
}

TEST_F(SearchDialog, AFailedSearchIsSkippedAndLogged)
{
    openSale();
    CapturedLog log;
    dialogs.then([&](QDialog *d) {
        ProductSearchDialog *s = asSearch(d);
        search(s, QStringLiteral("สบู่"));
        ASSERT_EQ(resultGrid(s)->maxRows(), 2);
        // The search's query over the products fails, whichever way it takes.
        Connection::setStatementHook([](const QString &sql) {
            if (sql.contains(QLatin1String("tblProduct")))
                throw DbError(QStringLiteral("database disk image is malformed"));
        });
        search(s, QStringLiteral("น้ำ"));
        Connection::setStatementHook(nullptr);
        // The dialog goes on: the not-found caption, the list as it was.
        EXPECT_EQ(s->windowTitle(), ProductSearchDialog::NotFoundCaption);
        EXPECT_EQ(resultGrid(s)->maxRows(), 2);
    });
    clickSearchButton();
    Connection::setStatementHook(nullptr);
    const QStringList skipped = CapturedLog::program();
    ASSERT_EQ(skipped.size(), 1) << CapturedLog::lines().join('\n').toStdString();
    EXPECT_EQ(skipped.first(),
        QStringLiteral(
            "kasmo.skipped: ProductSearchDialog.searchProducts skipped: database disk image is "
            "malformed"));
    EXPECT_EQ(boxes.count(), 0) << "nothing is shown for a skipped step";
}
