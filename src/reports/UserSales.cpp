#include "UserSales.h"
#include "platform/db/Connection.h"
#include "records/DateText.h"

namespace {
// Sums in ten-thousandths of a baht: prices are stored as plain numbers.
const QString kLineAmount = QStringLiteral("sum(CAST(round(Lsell * 10000) AS INTEGER) * Lvalue)");

Currency discountOf(Connection &conn, const QString &user, const QList<DateRange> &ranges)
{
    QVariantList params { user };
    const QString sql = QStringLiteral("SELECT sum(CAST(round(rMoney * 10000) AS INTEGER)) FROM "
                                       "tblRMoney WHERE rUser = ? AND (")
        + Periods::condition(QStringLiteral("rTime"), ranges, params) + QLatin1Char(')');
    return Currency::fromUnits(conn.scalar(sql, params).toLongLong());
}

// The seller's sale lines per day (ISO day, amount), days in calendar order.
QList<std::pair<QString, Currency>> daySales(
    Connection &conn, const QString &user, const QList<DateRange> &ranges)
{
    QVariantList params { user };
    const QString sql = QStringLiteral("SELECT Ldate2, ") + kLineAmount
        + QStringLiteral(" FROM tblLog WHERE LUser = ? AND (")
        + Periods::condition(QStringLiteral("Ldate"), ranges, params)
        + QStringLiteral(") GROUP BY Ldate2 ORDER BY Ldate2");
    QList<std::pair<QString, Currency>> out;
    for (Recordset rs = conn.query(sql, params); !rs.eof(); rs.moveNext())
        out.append({ rs.text(0), Currency::fromUnits(rs.integer(1)) });
    return out;
}

// One seller's sums per month (1 to 12) of a year, added up in the database.
struct MonthSums
{
    bool found[13] = {};
    Currency amount[13];
};

MonthSums monthSums(Connection &conn, const QString &user, const QString &amount,
    const QString &table, const QString &userColumn, const QString &timeColumn,
    const QList<DateRange> &ranges)
{
    QVariantList params { user };
    const QString month = QStringLiteral("substr(") + timeColumn + QStringLiteral(", 6, 2)");
    const QString sql = QStringLiteral("SELECT ") + month + QStringLiteral(", ") + amount
        + QStringLiteral(" FROM ") + table + QStringLiteral(" WHERE ") + userColumn
        + QStringLiteral(" = ? AND (") + Periods::condition(timeColumn, ranges, params)
        + QStringLiteral(") GROUP BY ") + month;
    MonthSums out;
    for (Recordset rs = conn.query(sql, params); !rs.eof(); rs.moveNext()) {
        const int m = rs.text(0).toInt();
        if (m < 1 || m > 12)
            continue;
        out.found[m] = true;
        out.amount[m] = Currency::fromUnits(rs.integer(1));
    }
    return out;
}
} // namespace

UserSalesChart userSales(Connection &conn, const QString &user, UserPeriod period, int month,
    const QString &yearText, const QDate &today)
{
    UserSalesChart chart;
    bool ok = false;
    const int year = yearText.trimmed().toInt(&ok);
    if (period == UserPeriod::Year) {
        chart.labels
            = QStringList { QStringLiteral("ม.ค."), QStringLiteral("ก.พ"), QStringLiteral("มี.ค."),
                  QStringLiteral("เม.ย."), QStringLiteral("พ.ค."), QStringLiteral("มิ.ย."),
                  QStringLiteral("ก.ค."), QStringLiteral("ส.ค."), QStringLiteral("ก.ย."),
                  QStringLiteral("ต.ค."), QStringLiteral("พ.ย."), QStringLiteral("ธ.ค.") };
        const QList<DateRange> ranges = ok ? Periods::year(year) : QList<DateRange>();
        const MonthSums sales = monthSums(conn, user, kLineAmount, QStringLiteral("tblLog"),
            QStringLiteral("LUser"), QStringLiteral("Ldate"), ranges);
        const MonthSums discounts = monthSums(conn, user,
            QStringLiteral("sum(CAST(round(rMoney * 10000) AS INTEGER))"),
            QStringLiteral("tblRMoney"), QStringLiteral("rUser"), QStringLiteral("rTime"), ranges);
        for (int m = 1; m <= 12; ++m) {
            // Each month's discount counts in whole baht, as it is shown.
            const qint64 discount = discounts.found[m] ? wholeBahtOfShown(discounts.amount[m]) : 0;
            chart.discount += discount;
            if (!sales.found[m]) {
                chart.values << QStringLiteral("0");
                continue;
            }
            // The bar is the month in whole baht; the net keeps its satang.
            const qint64 bar = roundHalfEven((long double)sales.amount[m].units() / 10000.0L);
            chart.net += sales.amount[m] - Currency::fromWhole(discount);
            chart.values << QString::number(bar);
        }
        return chart;
    }
    const QList<DateRange> ranges = period == UserPeriod::Week ? Periods::week(today)
        : ok                                                   ? Periods::month(year, month)
                                                               : QList<DateRange>();
    const auto days = daySales(conn, user, ranges);
    if (days.isEmpty())
        return chart;
    chart.found = true;
    chart.discount = wholeBahtOfShown(discountOf(conn, user, ranges));
    Currency sales;
    for (const auto &d : days) {
        chart.labels << DateText::displayDate(DateText::dateFromStorage(d.first));
        chart.values << d.second.plain();
        sales += d.second;
    }
    chart.net = sales - Currency::fromWhole(chart.discount);
    return chart;
}
