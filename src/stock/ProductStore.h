#pragma once
#include "records/Currency.h"
#include <QDate>
#include <QString>
#include <optional>

class Connection;

// One product as the editor shows and stores it. The unit, group and storage place travel by
// name; the save finds or makes their lookup rows.
struct ProductValue
{
    int pk = 0;
    bool autoCode = false; // PAuto: the code was made by the program
    QString code, name, description;
    QString group, place, unit;
    qint64 stock = 0;
    Currency cost, sell, special1, special2;
    qint64 lowLimit = 0;
    bool wholesale = false;
    std::optional<qint64> wholesaleQty; // empty: NULL as stored
    Currency wholesalePrice;
    QString picture; // file name in data/pic, empty for none
};

// The product editor's data side: reading one product and writing it, each write one
// transaction. Throws DbError.
class ProductStore
{
public:
    explicit ProductStore(Connection &conn)
        : m_conn(conn)
    { }

    // The product with its lookup names; nullopt when there is no such key. A lookup row that
    // is missing reads as an empty name.
    std::optional<ProductValue> load(int pk);

    // How many products other than `exceptPk` have this code, in any letter case.
    int countCode(const QString &code, int exceptPk = 0);

    // Stores a new product: its key (the largest plus 1), with autoCode its code from counter
    // row 3 (stepped again while the code is taken), its lookup entries and its row commit
    // together. Returns the product as stored, key and code included.
    ProductValue insert(ProductValue p, const QDate &today);

    // Overwrites every column of product p.pk but the key and PAuto, lookups made in the same
    // transaction. False, with nothing written, when the product no longer exists.
    bool update(const ProductValue &p);

    // Steps of insert(), inside its transaction.
    int nextKey();
    QString takeAutoCode(const QDate &today);

private:
    void writeColumns(class RowWriter &w, const ProductValue &p);
    Connection &m_conn;
};
