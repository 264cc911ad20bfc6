// The stock page on the generated shop (100 000 products): the full list in Thai name order,
// a text search and the low-stock view, each from the command to the repainted page, with the
// peak memory. The limits, measured in the same run: a bare read of the same rows, and the
// same rows put in Thai order by a hand-written sort on keys made once per distinct text.
#include "BenchSupport.h"
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/db/TextMatch.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "shell/ShopDatabase.h"
#include "stock/StockPage.h"
#include <QApplication>
#include <QCollator>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string>
#include <unordered_map>

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
    ShopDatabase::open();
    ScriptedMessageBoxes msgs;
    Connection &db = ShopDatabase::connection();

    // The bare limits, from the page's own query without its order: the rows stepped with
    // every field's text taken (bare), and the same rows put in Thai order the fastest way
    // written here by hand (bare sorted): one sort key per distinct text, the rows sorted by
    // the keys' places. Neither builds a grid row.
    const QString select = QStringLiteral(
        "SELECT p.PK, p.PDsn, p.PDname, p.PDdes, p.PDvalue, p.PDvalue < p.PDerror, p.PDsell, "
        "n.nName, g.gName, ge.geName, p.PDdes IS NULL FROM tblProduct p "
        "LEFT JOIN tblNub n ON p.NubFK = n.nPK LEFT JOIN tblGroup g ON p.GroupFK = g.gPK "
        "LEFT JOIN tblGeb ge ON p.GebFK = ge.gePK");
    std::vector<double> bare, bareSorted;
    int products = 0;
    std::vector<qint64> handOrder; // the keys in the hand-made order
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        {
            Recordset rs = db.query(select);
            qint64 bytes = 0;
            int n = 0;
            for (; !rs.eof(); rs.moveNext(), ++n)
                for (int f = 0; f < 11; ++f)
                    bytes += rs.utf8(f).size();
            products = std::max(products, n);
        }
        bare.push_back(t.nsecsElapsed() / 1e9);

        t.restart();
        {
            struct Row
            {
                qint64 pk;
                quint32 name, des;
                bool noDes;
            };
            std::vector<Row> rows;
            std::unordered_map<std::string, quint32> ids;
            std::vector<const std::string *> texts;
            auto id = [&](QByteArrayView v) {
                auto [it, added] = ids.try_emplace(
                    std::string(v.data(), size_t(v.size())), quint32(texts.size()));
                if (added)
                    texts.push_back(&it->first);
                return it->second;
            };
            Recordset rs = db.query(select);
            for (; !rs.eof(); rs.moveNext()) {
                qint64 bytes = 0;
                for (int f = 0; f < 11; ++f)
                    bytes += rs.utf8(f).size();
                rows.push_back({ rs.int64(0), id(rs.utf8(2)), id(rs.utf8(3)), rs.int64(10) != 0 });
            }
            const QCollator thai(QLocale(QLocale::Thai, QLocale::Thailand));
            std::vector<QCollatorSortKey> keys;
            keys.reserve(texts.size());
            for (const std::string *t : texts)
                keys.push_back(thai.sortKey(QString::fromUtf8(t->data(), qsizetype(t->size()))));
            std::vector<quint32> byKey(texts.size());
            std::iota(byKey.begin(), byKey.end(), 0u);
            // The collator puts an empty text first: so does its place here.
            std::sort(byKey.begin(), byKey.end(), [&](quint32 a, quint32 b) {
                if (texts[a]->empty() || texts[b]->empty())
                    return texts[a]->empty() && !texts[b]->empty();
                return keys[a].compare(keys[b]) < 0;
            });
            std::vector<quint32> place(texts.size());
            for (size_t k = 1; k < byKey.size(); ++k)
                place[byKey[k]] = place[byKey[k - 1]]
                    + (texts[byKey[k - 1]]->empty() != texts[byKey[k]]->empty()
                        || keys[byKey[k - 1]].compare(keys[byKey[k]]) != 0);
            std::stable_sort(rows.begin(), rows.end(), [&](const Row &a, const Row &b) {
                const quint32 an = place[a.name], bn = place[b.name];
                if (an != bn)
                    return an < bn;
                const quint32 ad = a.noDes ? 0 : place[a.des] + 1;
                const quint32 bd = b.noDes ? 0 : place[b.des] + 1;
                return ad < bd;
            });
            handOrder.clear();
            for (const Row &r : rows)
                handOrder.push_back(r.pk);
        }
        bareSorted.push_back(t.nsecsElapsed() / 1e9);
    }

    // Opening the page loads the full list.
    StockPage *page = nullptr;
    QElapsedTimer t;
    t.start();
    page = new StockPage;
    page->resize(1280, 760);
    page->show();
    QCoreApplication::processEvents();
    const double openSeconds = t.nsecsElapsed() / 1e9;
    auto *grid = page->findChild<DataGrid *>(QStringLiteral("productGrid"));
    auto *searchBox = page->findChild<QLineEdit *>(QStringLiteral("searchBox"));

    std::vector<double> list, search, low;
    const QString term = QStringLiteral("น้ำ");
    double listBefore = 0, listPeak = 0; // what the process held before an F5, its peak
    for (int i = 0; i < runs; ++i) {
        bench::resetPeak();
        listBefore = bench::currentMegabytes();
        list.push_back(timed(page, [&] { QTest::keyClick(grid, Qt::Key_F5); }));
        listPeak = std::max(listPeak, bench::peakSinceResetMegabytes() - listBefore);
        search.push_back(timed(page, [&] {
            searchBox->setText(term);
            QTest::keyClick(searchBox, Qt::Key_Return);
        }));
        low.push_back(timed(page, [&] { page->showLowStock(); }));
    }
    const int rowsSearch = [&] {
        searchBox->setText(term);
        QTest::keyClick(searchBox, Qt::Key_Return);
        return grid->maxRows();
    }();
    page->showLowStock();
    const int rowsLow = grid->maxRows();
    QTest::keyClick(grid, Qt::Key_F5);
    const int rowsList = grid->maxRows();

    // For the record: the engine's own sort with the THAI collation (a collator call per
    // comparison), and whether the page, the hand-made order and the engine agree.
    std::vector<qint64> engineOrder;
    t.restart();
    {
        Recordset rs = db.query(
            select + QStringLiteral(" ORDER BY p.PDname COLLATE THAI, p.PDdes COLLATE THAI"));
        for (; !rs.eof(); rs.moveNext())
            engineOrder.push_back(rs.int64(0));
    }
    const double engineSeconds = t.nsecsElapsed() / 1e9;
    std::vector<qint64> pageOrder;
    for (int r = 1; r <= rowsList; ++r)
        pageOrder.push_back(grid->getText(0, r).toLongLong());

    std::printf(
        "stock_bench: %d products of the generated shop, median of %d runs\n", products, runs);
    std::printf("  bare read, unsorted:               %8.3f s\n", bench::median(bare));
    std::printf("  bare read, Thai order by hand:     %8.3f s\n", bench::median(bareSorted));
    std::printf(
        "  engine's THAI collation sort:      %8.3f s (once, for the record)\n", engineSeconds);
    std::printf("  the page's order is the engine's:  %s; the hand-made one: %s\n",
        pageOrder == engineOrder ? "yes" : "NO", handOrder == engineOrder ? "yes" : "NO");
    std::printf("  page opened with the full list:    %8.3f s\n", openSeconds);
    std::printf("  full list (F5), %6d rows:        %8.3f s = %.2f x the bare sorted read\n",
        rowsList, bench::median(list), bench::median(list) / bench::median(bareSorted));
    std::printf("  text search \"%s\", %6d rows:     %8.3f s\n", term.toUtf8().constData(),
        rowsSearch, bench::median(search));
    std::printf("  low-stock view, %6d rows:        %8.3f s\n", rowsLow, bench::median(low));
    std::printf("  peak memory (ru_maxrss):           %8.1f MB\n", bench::peakMegabytes());
    std::printf("  an F5's own peak over what the page held before it: %.1f MB\n", listPeak);
    std::printf(
        "RESULT stock_list_s total=%.3f peak_mb=%.1f rows=%d bare_s=%.3f bare_sorted_s=%.3f "
        "list_peak_mb=%.1f\n",
        bench::median(list), bench::peakMegabytes(), rowsList, bench::median(bare),
        bench::median(bareSorted), listPeak);
    std::printf("RESULT stock_search_s term=%s total=%.3f rows=%d\n", term.toUtf8().constData(),
        bench::median(search), rowsSearch);
    std::printf("RESULT stock_low_s total=%.3f rows=%d\n", bench::median(low), rowsLow);
    delete page;
    ShopDatabase::close();
    return 0;
}
