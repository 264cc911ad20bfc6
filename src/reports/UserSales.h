#pragma once
#include "records/Currency.h"
#include "records/PeriodFilter.h"
#include <QList>
#include <QString>
#include <QStringList>

class Connection;

// One seller's sales over a period, as the user sales chart shows them: a bar per day (a week
// or a month) or per month (a year), the discounts the seller gave in whole baht, and the net.
struct UserSalesChart
{
    bool found = false; // a week or a month with at least one sale line
    QStringList labels; // "dd/MM/yyyy" per day in calendar order, or the twelve months
    QList<QString> values; // bar values as plain number text
    qint64 discount = 0; // whole baht
    Currency net; // sales to the satang less the discount (a year: less each month's with sales)
};

enum class UserPeriod { Week, Month, Year };

// The seller is matched by the whole name in any letter case, never as a pattern. A year that
// is no number gives twelve bars of 0. Throws DbError.
UserSalesChart userSales(Connection &conn, const QString &user, UserPeriod period, int month,
    const QString &yearText, const QDate &today);
