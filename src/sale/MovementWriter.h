#pragma once
#include "records/Codes.h"
#include <QDateTime>
#include <QString>

class Connection;

// One movement of one product's stock (a row of tblLog2).
struct StockMovement
{
    MovementType type = MovementType::Sale;
    QString code; // dSN
    QString name; // dName
    QString description; // dDes
    QDateTime time; // dTime
    QString documentNo; // dNo: receipt or stock-update number
    qint64 stockBefore = 0; // dValueold
    double quantity = 0; // dValue
    double stockAfter = 0; // dValuenew
    QString user; // dUser
    QString memo; // dMemo: only a stock update writes one
};

// The one writer of movement rows, for sales, returns and goods received. Keys are the largest
// key plus one: the writer reads the largest key once, on its first row, and counts on from
// there, so it is meant for the rows of one transaction. Code, name and description are stored
// without their outer blanks.
class MovementWriter
{
public:
    explicit MovementWriter(Connection &conn)
        : m_conn(conn)
    { }

    // The key the next row will get (reads the table the first time). Throws DbError.
    qint64 nextKey();
    // Writes one row; returns its key. Throws DbError.
    qint64 write(const StockMovement &m);

private:
    Connection &m_conn;
    qint64 m_next = 0; // 0: not read yet
};
