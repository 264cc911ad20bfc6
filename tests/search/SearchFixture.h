#pragma once
#include "button/KasmoButton.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/WindowRegistry.h"
#include "sale/ProductSearchDialog.h"
#include "sale/SaleControls.h"
#include "sale/SalePage.h"
#include "shell/MainFrame.h"
#include "shell/Messages.h"
#include "stock/GoodsReceivedWindow.h"
#include "support/FindControl.h"
#include "support/ShellFixture.h"
#include "support/WindowDriving.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

// The main frame over a small shop, with the sale page or the stock update window open behind
// the dialogs, which run through the scripted dialog runner.
//   1 "B200" สบู่เหลว / กลิ่นมะลิ  120 (110, 100), cost 80, wholesale from 3 at 90
//   2 "A100" น้ำดื่ม / ขวดเล็ก     7, cost 5, unit แพ็ค
//   3 "C300" สบู่ก้อน / (none)     20, cost 12
//   4 "D400" O'Brien soap / 50%_off 10, cost 6
//   5 "E500" เทียน / ไข             15, cost 9, wholesale from 1 at 12
class SearchFixture : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Connection &d = db();
        d.execute(QStringLiteral("INSERT INTO tblNub (nPK, nName) VALUES (1, 'ชิ้น'), (2, 'แพ็ค')"));
        addProduct(1, "B200", "สบู่เหลว", "กลิ่นมะลิ", 120, 110, 100, 80, 3, 90);
        addProduct(2, "A100", "น้ำดื่ม", "ขวดเล็ก", 7, 7, 7, 5, QVariant(), 0, 2);
        addProduct(3, "C300", "สบู่ก้อน", QVariant(), 20, 20, 20, 12);
        addProduct(4, "D400", "O'Brien soap", "50%_off", 10, 10, 10, 6);
        addProduct(5, "E500", "เทียน", "ไข", 15, 15, 15, 9, 1, 12);
        MainFrame::Windows w;
        w.salePage = [] { return WindowRegistry::instance<SalePage>(); };
        MainFrame::setWindows(w);
        SalePage::setWindows({});
        frame = MainFrame::showFrame();
    }

    void TearDown() override
    {
        deleteLoadedWindows(); // pages go with the frame
        MainFrame::setWindows({});
        ShellFixture::TearDown();
    }

    void addProduct(int pk, const char *code, const char *name, const QVariant &des, double sell,
        double special1, double special2, double cost, const QVariant &wholesaleQty = QVariant(),
        double wholesalePrice = 0, int unit = 1)
    {
        db().execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, PDvalue, "
                                    "PDsell, Praka1, Praka2, PDraka, PSong, PNumSong, PRakaSong, "
                                    "PDpic, NubFK) VALUES (?1, ?2, ?3, ?4, 10, ?5, ?6, ?7, ?8, ?9, "
                                    "?10, ?11, '', ?12)"),
            { pk, QString::fromUtf8(code), QString::fromUtf8(name),
                des.isValid() ? QVariant(QString::fromUtf8(des.toByteArray())) : QVariant(), sell,
                special1, special2, cost, wholesaleQty.isValid() ? 1 : 0, wholesaleQty,
                wholesalePrice, unit });
    }

    SalePage *openSale()
    {
        QTest::mouseClick(control(frame, "saleTab"), Qt::LeftButton);
        page = WindowRegistry::find<SalePage>();
        return page;
    }

    // The stock page's name in the status bar, and the stock update window open over it.
    GoodsReceivedWindow *openStockUpdate()
    {
        QTest::mouseClick(control(frame, "stockTab"), Qt::LeftButton);
        update = WindowRegistry::instance<GoodsReceivedWindow>();
        update->show();
        return update;
    }

    // The sale page's search button, clicked.
    void clickSearchButton()
    {
        KasmoButton *b = searchButton(page);
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }

    void scan(const QString &code)
    {
        codeBox(page)->setFocus();
        QTest::keyClicks(codeBox(page), code);
        QTest::keyClick(codeBox(page), Qt::Key_Return);
    }

    // The search as a user runs it: text into the box, then Enter.
    static void search(ProductSearchDialog *s, const QString &text)
    {
        searchBox(s)->setFocus();
        searchBox(s)->selectAll();
        if (text.isEmpty())
            searchBox(s)->clear();
        else
            typeText(searchBox(s), text);
        QTest::keyClick(searchBox(s), Qt::Key_Return);
    }

    static QPoint cellCentre(DataGrid *g, int col, int row)
    {
        return g->visualRect(g->model()->index(row - 1, col)).center();
    }

    static void doubleClick(DataGrid *g, int col, int row)
    {
        const QPoint p = cellCentre(g, col, row);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
    }

    // Searches for text and double-clicks result row `row` `times` times.
    static void add(ProductSearchDialog *s, const QString &text, int row = 1, int times = 1)
    {
        search(s, text);
        for (int i = 0; i < times; ++i)
            doubleClick(resultGrid(s), 2, row);
    }

    static QStringList resultCodes(ProductSearchDialog *s)
    {
        QStringList codes;
        for (int r = 1; r <= resultGrid(s)->maxRows(); ++r)
            codes << resultGrid(s)->getText(1, r);
        return codes;
    }

    QString saleCell(int col, int row) const { return saleGrid(page)->getText(col, row); }

    MainFrame *frame = nullptr;
    SalePage *page = nullptr;
    GoodsReceivedWindow *update = nullptr;
};
