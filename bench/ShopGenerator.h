#pragma once
#include <QDate>
#include <QString>
#include <QStringList>

// Fills a database made from the delivered schema and seed with a realistic shop, for
// benchmarks: products with units, groups and places, a year of sales with discounts and
// movements, stock updates and returns.
struct ShopSize
{
    int products = 100000;
    int receipts = 120000;
    int saleLines = 500000;
    int stockUpdates = 3000; // documents, a few lines each
    int returns = 2000;
    QDate lastDay = QDate(2026, 11, 30); // the year of sales ends here
    unsigned seed = 20261210;

    // The same shop with every count multiplied by `factor` (a busy shop over ten years, say).
    ShopSize scaled(int factor) const
    {
        ShopSize s = *this;
        s.products *= factor;
        s.receipts *= factor;
        s.saleLines *= factor;
        s.stockUpdates *= factor;
        s.returns *= factor;
        return s;
    }
};

// Makes `path` (which must not exist) from the SQL files and fills it. Returns the seconds taken.
double generateShop(const QString &path, const ShopSize &size = ShopSize());

// The generated shop in the system's temporary folder, made on first use and kept for later
// benchmark runs (one file per version of the delivered schema and seed, of the generator and
// per scale). A shop file named with --shop is used as it is instead.
QString sharedShopDatabase();

// Takes the benchmarks' shop options out of the command line: --scale=N (every count of the
// generated shop times N) and --shop=FILE (a shop made beforehand, e.g. by shopgen). Returns
// false, after saying why, for an option it cannot read.
bool takeShopOptions(int &argc, char **argv);

// The scale the shop options chose (1 unless --scale says otherwise).
int shopScale();

// The shop options as taken, to hand on to a benchmark's own child processes.
QStringList shopOptionArguments();

// A code that exists in the generated shop (product key 1..products).
QString generatedProductCode(int pk);
