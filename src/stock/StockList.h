#pragma once
#include "platform/grid/GridRows.h"
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Connection;

// The stock list as the stock page shows it: which products, in which order, as grid rows.
namespace StockList {

// What the list holds.
struct Filter
{
    enum Kind {
        All, // every product, by name and description in Thai dictionary order
        Text, // code, name or description holds `text` literally (the product search)
        BelowQuantity, // stock below `quantity`, lowest first
        Group, // the group named `text` (whole name, any letter case)
        Place, // the storage place named `text`
        LowStock, // stock below its low-stock limit, lowest first
    };
    Kind kind = All;
    QString text;
    qint64 quantity = 0;
};

// Grid columns of one product: 0 key, 1 " " + code, 2 " " + name, 3 description, 4 stock,
// 5 unit, 6 sale price, 7 group, 8 storage place (9 stays empty).
enum Column { ColPK = 0, ColCode, ColName, ColDes, ColStock, ColUnit, ColSell, ColGroup, ColPlace };
constexpr int DataColumns = 9;

struct Rows
{
    GridRows cells; // one row per product, columns 0 to 8
    std::vector<int> lowRows; // grid rows (from 1) of the products low on stock
};

// Reads the products the filter names. A product whose unit, group or place row is missing
// stays in the list with that name empty. Throws DbError.
Rows read(Connection &db, const Filter &filter);

// The number of products below their low-stock limit. Throws DbError.
int countLowStock(Connection &db);

// A typed below-quantity as a whole number (blanks at the ends allowed); nothing otherwise.
std::optional<qint64> wholeNumber(const QString &text);

// Deletes the product row by its key; sale lines and movements keep their own texts.
// Returns the rows deleted (0 when it was gone already). Throws DbError.
int deleteProduct(Connection &db, qint64 pk);

} // namespace StockList
