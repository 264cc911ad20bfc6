#pragma once
#include "records/Currency.h"
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>
#include <stdexcept>

class Connection;

// Goods taken back against a receipt. Every return runs in one transaction: the stock, the
// movement rows and the bill's stored lines change together or not at all.

// One stored sale line of a bill (a row of tblLog).
struct BillLine
{
    qint64 key = 0; // LPK
    QString code; // Lsn
    QString name; // Lname, with its leading blank
    QString description; // Ldes
    qint64 quantity = 0; // Lvalue
    QString unit; // Lnub
    Currency price; // Lsell, the unit price the customer paid
    Currency cost; // Lraka
    Currency discount; // Lrod
    bool wholesale = false; // Lsong
    int priceType = 0; // Lraka12
};

struct StoredBill
{
    QString number; // Lno as stored: the number used for every later write
    QList<BillLine> lines; // in the order they were stored
    Currency discount; // the lines' Lrod summed
    bool wholesale = false; // the last line's Lsong (one receipt carries one flag)
    int priceType = 0; // the last line's Lraka12
};

// The bill whose receipt number equals the typed one (outer blanks off, any letter case);
// nullopt when no sale line carries it. The number is never a pattern. Throws DbError.
std::optional<StoredBill> loadBill(Connection &conn, const QString &typedNumber);

// A return that would touch a product that no longer exists; nothing was changed.
struct MissingReturnProduct : std::runtime_error
{
    explicit MissingReturnProduct(const QString &c)
        : std::runtime_error("missing product")
        , code(c)
    { }
    QString code;
};

// A single-line return the stored bill does not allow (the line is gone, the bill carries a
// discount or a wholesale price, or the quantity is out of range); nothing was changed.
struct ReturnRefused : std::runtime_error
{
    explicit ReturnRefused(const char *why)
        : std::runtime_error(why)
    { }
};

// Who returns and when, for the movement rows.
struct ReturnStamp
{
    QString user; // dUser
    QDateTime now; // dTime
};

// Whole bill: every stored line's quantity goes back into its product's stock (found by code)
// with one type-3 movement row per line, then the bill's sale lines and discount row are
// deleted. Every product is checked before anything is written. Returns the number of lines
// returned (0 when the bill has no stored line left). Throws MissingReturnProduct, DbError.
int returnWholeBill(Connection &conn, const QString &billNo, const ReturnStamp &stamp);

struct LineReturn
{
    BillLine line; // the stored line before the return
    qint64 stockBefore = 0;
    qint64 remaining = 0; // 0: the line was deleted
    qint64 movementKey = 0; // PK of the movement row written
};

// `quantity` units (1 to the line's quantity) of the stored line `lineKey` of bill `billNo`
// go back into stock with one type-3 movement row; the line keeps everything it was stored
// with but its quantity, or goes when nothing is left; the bill's discount row is deleted.
// Bills with a discount or a wholesale price are refused. Throws ReturnRefused,
// MissingReturnProduct, DbError.
LineReturn returnBillLine(Connection &conn, const QString &billNo, qint64 lineKey, qint64 quantity,
    const ReturnStamp &stamp);
