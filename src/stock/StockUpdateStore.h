#pragma once
#include "sale/MovementWriter.h"
#include <QDateTime>
#include <QString>
#include <optional>
#include <stdexcept>

class StockUpdate;

// Who receives the goods, when, and the document's remark (as the window cleaned it; outer
// blanks are dropped here).
struct StockUpdateStamp
{
    QString user; // dUser
    QDateTime now; // the document number's month and the movement rows' dTime
    QString memo; // dMemo
};

// A line whose product is no longer stored; nothing was changed.
struct MissingStockProduct : std::runtime_error
{
    explicit MissingStockProduct(const QString &c)
        : std::runtime_error("missing product")
        , code(c)
    { }
    QString code;
};

// Stores a goods-received document. Everything of one document commits together or not at
// all: the counter row, every product's new stock and every type-1 movement row.
class StockUpdateStore
{
public:
    explicit StockUpdateStore(Connection &conn)
        : m_conn(conn)
    { }

    // Takes the next document number, raises each product's stock (read now, not when the line
    // was made) by its line's quantity and writes one movement row per line, from row 1 down.
    // Returns the document number. Throws MissingStockProduct or DbError; then nothing is
    // stored and no number is used up.
    QString save(const StockUpdate &doc, const StockUpdateStamp &stamp);

    // Steps of save, run inside its transaction.
    // The next StockUpdateNo from counter row 1 (monthly).
    QString takeDocumentNumber(const QDate &today);
    // The key of the next movement row of the save under way.
    qint64 SetupNewData();

private:
    Connection &m_conn;
    std::optional<MovementWriter> m_writer; // one per save: it reads the largest key once
};
