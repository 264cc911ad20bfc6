// The stock page on the generated shop (100 000 products): the full list in Thai name order,
// a text search and the low-stock view, each from the command to the repainted page, with the
// peak memory. A bare read of the same rows is the limit the list is measured against.
#include "BenchSupport.h"
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/db/TextMatch.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "shell/Module1.h"
#include "stock/Form2.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

// Runs f until the page has repainted; returns the seconds.
template <typename F> double timed(QWidget *page, F f)
{
    QElapsedTimer t;
    t.start();
    f();
    page->repaint();
    QCoreApplication::processEvents();
    return t.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);
    const int runs = 5;

    // A copy of the generated shop as the program folder.
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/stock-bench-XXXXXX"));
    copySharedShopInto(dir.path());
    ProgramFolder::setForTests(dir.path());
    Module1::OpenDatabase();
    ScriptedMessageBoxes msgs;
    Connection &db = Module1::Conn();

    // The bare limits: the rows read without building anything, unsorted and sorted.
    std::vector<double> bare, bareSorted;
    int products = 0;
    for (int i = 0; i < runs; ++i) {
        for (bool sorted : { false, true }) {
            QElapsedTimer t;
            t.start();
            Recordset rs
                = db.query(QStringLiteral("SELECT PK, PDsn, PDname, PDdes, PDvalue, PDsell "
                                          "FROM tblProduct")
                    + (sorted ? QStringLiteral(" ORDER BY PDname COLLATE THAI, PDdes COLLATE THAI")
                              : QString()));
            int n = 0;
            for (; !rs.eof(); rs.moveNext())
                n += rs.text(2).size() > 0;
            products = std::max(products, n);
            (sorted ? bareSorted : bare).push_back(t.nsecsElapsed() / 1e9);
        }
    }

    // Opening the page loads the full list.
    Form2 *page = nullptr;
    QElapsedTimer t;
    t.start();
    page = new Form2;
    page->resize(1280, 760);
    page->show();
    QCoreApplication::processEvents();
    const double openSeconds = t.nsecsElapsed() / 1e9;

    std::vector<double> list, search, low;
    const QString term = QStringLiteral("น้ำ");
    for (int i = 0; i < runs; ++i) {
        list.push_back(timed(page, [&] { QTest::keyClick(page->fpSpread1, Qt::Key_F5); }));
        search.push_back(timed(page, [&] {
            page->txt1->setText(term);
            QTest::keyClick(page->txt1, Qt::Key_Return);
        }));
        low.push_back(timed(page, [&] { page->errorna(); }));
    }
    const int rowsSearch = [&] {
        page->txt1->setText(term);
        QTest::keyClick(page->txt1, Qt::Key_Return);
        return page->fpSpread1->maxRows();
    }();
    page->errorna();
    const int rowsLow = page->fpSpread1->maxRows();
    QTest::keyClick(page->fpSpread1, Qt::Key_F5);
    const int rowsList = page->fpSpread1->maxRows();

    std::printf(
        "stock_bench: %d products of the generated shop, median of %d runs\n", products, runs);
    std::printf("  bare read, unsorted:               %8.3f s\n", bench::median(bare));
    std::printf("  bare read, Thai name order:        %8.3f s\n", bench::median(bareSorted));
    std::printf("  page opened with the full list:    %8.3f s\n", openSeconds);
    std::printf("  full list (F5), %6d rows:        %8.3f s\n", rowsList, bench::median(list));
    std::printf("  text search \"%s\", %6d rows:     %8.3f s\n", term.toUtf8().constData(),
        rowsSearch, bench::median(search));
    std::printf("  low-stock view, %6d rows:        %8.3f s\n", rowsLow, bench::median(low));
    std::printf("  peak memory (ru_maxrss):           %8.1f MB\n", bench::peakMegabytes());
    std::printf(
        "RESULT stock_list_s total=%.3f peak_mb=%.1f rows=%d bare_s=%.3f bare_sorted_s=%.3f\n",
        bench::median(list), bench::peakMegabytes(), rowsList, bench::median(bare),
        bench::median(bareSorted));
    std::printf("RESULT stock_search_s term=%s total=%.3f rows=%d\n", term.toUtf8().constData(),
        bench::median(search), rowsSearch);
    std::printf("RESULT stock_low_s total=%.3f rows=%d\n", bench::median(low), rowsLow);
    delete page;
    Module1::CloseDatabase();
    return 0;
}
