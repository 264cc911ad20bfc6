// Product look-ups on the generated shop:
// - by code, the sale page's scan (the query alone);
// - the product search dialog itself: the text typed, Enter, until its result grid has
//   repainted (the dialog's query, its rows and its grid), for three terms; against a bare
//   full-scan substring query over the same three columns, stepped to its end, in the same run.
#include "BenchSupport.h"
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/db/TextMatch.h"
#include "platform/grid/DataGrid.h"
#include "sale/ProductSearch.h"
#include "sale/ProductSearchDialog.h"
#include "shell/ShopDatabase.h"
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

constexpr int kRepetitions = 300;
constexpr int kBareRepetitions = 50;

bench::Samples lookupByCode(Connection &c)
{
    bench::Samples out;
    int pk = 1;
    for (int n = 0; n < kRepetitions; ++n) {
        QElapsedTimer t;
        t.start();
        Recordset rs
            = c.query(QStringLiteral("SELECT tblProduct.*, tblNub.nName FROM tblProduct INNER JOIN "
                                     "tblNub ON tblProduct.NubFK = tblNub.nPK WHERE PDsn = ?"),
                { generatedProductCode(pk) });
        const bool found = !rs.eof();
        out.add(bench::msSince(t));
        if (!found)
            std::fprintf(stderr, "code of product %d not found\n", pk);
        pk = pk % 100000 + 7;
    }
    return out;
}

bench::Samples bareScan(Connection &c, const QString &term)
{
    bench::Samples out;
    const QString like = QStringLiteral(" LIKE ?1") + QLatin1String(kLikeEscape);
    const QString sql = QStringLiteral("SELECT PK FROM tblProduct WHERE PDsn%1 OR PDname%1 OR "
                                       "PDdes%1")
                            .arg(like);
    for (int n = 0; n < kBareRepetitions; ++n) {
        QElapsedTimer t;
        t.start();
        Recordset rs = c.query(sql, { likeContains(term) });
        int hits = 0;
        for (; !rs.eof(); rs.moveNext())
            ++hits;
        out.add(bench::msSince(t));
    }
    return out;
}

// The dialog's list alone (query, rows, order): what the dialog adds on top is its grid and
// the repaint.
bench::Samples dialogList(Connection &c, const QString &term)
{
    bench::Samples out;
    for (int n = 0; n < kBareRepetitions; ++n) {
        QElapsedTimer t;
        t.start();
        const GridRows rows = ProductSearch::dialogRows(c, term);
        out.add(bench::msSince(t));
    }
    return out;
}

struct Search
{
    bench::Samples times;
    int hits = 0;
};

Search searchDialog(ProductSearchDialog *s, bench::PaintWatch &paint, const QString &term)
{
    Search out;
    for (int n = 0; n < kRepetitions; ++n) {
        // An empty list first, so every search fills the grid afresh.
        s->findChild<DataGrid *>(QStringLiteral("resultGrid"))->setMaxRows(0);
        s->findChild<QLineEdit *>(QStringLiteral("searchBox"))->setText(term);
        QCoreApplication::processEvents();
        paint.arm();
        QElapsedTimer t;
        t.start();
        QTest::keyClick(s->findChild<QLineEdit *>(QStringLiteral("searchBox")), Qt::Key_Return);
        paint.wait();
        out.times.add(bench::msSince(t));
        out.hits = s->findChild<DataGrid *>(QStringLiteral("resultGrid"))->maxRows();
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);
    Connection &c = ShopDatabase::connection();
    c.open(sharedShopDatabase());

    std::printf("lookup_bench: the generated shop's %lld products\n",
        c.scalar(QStringLiteral("SELECT count(*) FROM tblProduct")).toLongLong());
    const bench::Samples code = lookupByCode(c);
    std::printf("  look-up by code:  p50 %.3f ms  p99 %.3f ms\n", code.p50(), code.p99());

    auto *dialog = new ProductSearchDialog;
    dialog->show();
    bench::PaintWatch paint(
        dialog->findChild<DataGrid *>(QStringLiteral("resultGrid"))->viewport());
    QCoreApplication::processEvents();

    // --term=<text> (repeatable) searches other terms.
    QStringList terms;
    for (const QString &a : app.arguments())
        if (a.startsWith(QStringLiteral("--term=")))
            terms << a.mid(7);
    if (terms.isEmpty())
        terms = { QStringLiteral("น้ำ"), QStringLiteral("กาแฟ ใหญ่"), QStringLiteral("1") };
    std::vector<Search> results;
    for (const QString &term : terms) {
        const bench::Samples bare = bareScan(c, term);
        const bench::Samples query = dialogList(c, term);
        results.push_back(searchDialog(dialog, paint, term));
        const Search &r = results.back();
        std::printf(
            "  the dialog's list alone \"%s\": p50 %.2f ms\n", qPrintable(term), query.p50());
        std::printf("  search \"%s\" (%s): %d hits, dialog p50 %.2f ms p99 %.2f ms; bare scan "
                    "p50 %.2f ms; ratio %.2f%s\n",
            qPrintable(term), ProductSearch::usesIndex(term) ? "index" : "scan", r.hits,
            r.times.p50(), r.times.p99(), bare.p50(), r.times.p50() / bare.p50(),
            ProductSearch::usesIndex(term) ? " (aim: at most 0.5)" : "");
    }
    delete dialog;
    c.close();

    for (qsizetype i = 0; i < qsizetype(results.size()); ++i)
        std::printf("RESULT search_ms term=\"%s\" hits=%d p50=%.3f\n", qPrintable(terms[i]),
            results[size_t(i)].hits, results[size_t(i)].times.p50());
    return 0;
}
