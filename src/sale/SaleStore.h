#pragma once
#include "platform/db/Connection.h"
#include "sale/MovementWriter.h"
#include "sale/Sale.h"
#include <QDateTime>
#include <memory>
#include <stdexcept>

// Who sells and when.
struct SaleStamp
{
    QString user; // LUser, rUser, dUser
    QString position; // LTumnang
    QDateTime now; // every row's date-time; the receipt number's month and year
};

// A sale as it was stored: what its receipt prints.
struct StoredSale
{
    Sale sale;
    QString receiptNo;
    QDateTime time;
    QString user;
};

// A line whose product is gone: the save stops and stores nothing.
struct MissingSaleProduct : std::runtime_error
{
    explicit MissingSaleProduct(const QString &c)
        : std::runtime_error("missing product")
        , code(c)
    { }
    QString code;
};

// Stores one sale in one transaction, in the steps the save runs: the receipt number, the
// discount row, every line's stock and movement row, the sale lines. Nothing is stored unless
// commit() is reached; a store dropped before that rolls everything back. Every step throws
// DbError; the stock step also MissingSaleProduct.
class SaleStore
{
public:
    SaleStore(Connection &conn, const Sale &sale, const SaleStamp &stamp);

    // Takes the next receipt number (tblNumber row 2).
    QString takeReceiptNo();
    // One tblRMoney row when a discount was typed.
    void storeDiscount();
    // The largest movement key, read once for the whole sale.
    qint64 takeMovementKeys();
    // Lowers every line's stock and writes its type-2 movement row.
    void storeStock();
    // One tblLog row per line, top line first; the first carries the discount.
    void storeLines();
    StoredSale commit();

    const QString &receiptNo() const { return m_receiptNo; }

private:
    Connection &m_conn;
    const Sale &m_sale;
    SaleStamp m_stamp;
    std::unique_ptr<Transaction> m_transaction;
    MovementWriter m_movements;
    QString m_receiptNo;
};

// All steps of SaleStore in one go.
StoredSale storeSale(Connection &conn, const Sale &sale, const SaleStamp &stamp);
