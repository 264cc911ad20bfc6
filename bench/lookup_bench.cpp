// Product look-ups on the generated shop: by code (the sale page's scan) and by a substring of
// the name (the search dialog).
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {
Connection &shop()
{
    static Connection c;
    if (!c.isOpen())
        c.open(sharedShopDatabase());
    return c;
}
} // namespace

static void LookupByCode(benchmark::State &state)
{
    Connection &c = shop();
    int pk = 1;
    for (auto _ : state) {
        Recordset rs
            = c.query(QStringLiteral("SELECT tblProduct.*, tblNub.nName FROM tblProduct INNER JOIN "
                                     "tblNub ON tblProduct.NubFK = tblNub.nPK WHERE PDsn = ?"),
                { generatedProductCode(pk) });
        benchmark::DoNotOptimize(rs.eof());
        pk = pk % 100000 + 7;
    }
}
BENCHMARK(LookupByCode)->Unit(benchmark::kMicrosecond);

static void SearchNameSubstring(benchmark::State &state)
{
    Connection &c = shop();
    for (auto _ : state) {
        Recordset rs = c.query(
            QStringLiteral("SELECT PK, PDsn, PDname, PDdes FROM tblProduct WHERE PDname LIKE ? "
                           "OR PDdes LIKE ? ORDER BY PDsn, PDname"),
            { QStringLiteral("%กาแฟ ใหญ่%"), QStringLiteral("%กาแฟ ใหญ่%") });
        int n = 0;
        for (; !rs.eof(); rs.moveNext())
            ++n;
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(SearchNameSubstring)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
