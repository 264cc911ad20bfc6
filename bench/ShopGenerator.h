#pragma once
#include <QDate>
#include <QString>

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
};

// Makes `path` (which must not exist) from the SQL files and fills it. Returns the seconds taken.
double generateShop(const QString &path, const ShopSize &size = ShopSize());

// The generated shop in the system's temporary folder, made on first use and kept for later
// benchmark runs (one file per version of the delivered schema and seed and of the generator).
QString sharedShopDatabase();

// A code that exists in the generated shop (product key 1..products).
QString generatedProductCode(int pk);
