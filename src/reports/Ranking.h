#pragma once
#include "records/Currency.h"
#include <QList>
#include <QString>

class Connection;

// Which period the user ranking covers, as the user sales window hands it over.
struct RankingRequest
{
    enum class Kind { Week, Month, Year };
    Kind kind = Kind::Year;
    int month = 1; // 1 to 12, for a month
    QString monthItem; // the month list's item as shown ("  (03) มีนาคม"), for the title
    QString yearText; // the year box as typed
};

// One ranked row: a seller with one position, ranked by sales before discount.
struct RankingRow
{
    QString user; // LUser as stored on the first of the seller's lines
    QString position; // LTumnang
    qint64 discount = 0; // whole baht, charged once per seller
    Currency net; // sales less that discount
};

// All sellers of the period, highest sales (quantity x price, before discount) first. Sellers
// are told apart by their whole name in any letter case; a seller listed under two positions
// has the period's discount taken off the first of the two rows only. Sellers with discounts
// but no sale line are not listed. Throws DbError.
QList<RankingRow> rankSellers(Connection &conn, const RankingRequest &request);
