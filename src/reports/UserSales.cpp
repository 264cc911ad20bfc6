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
        for (int m = 1; m <= 12; ++m) {
            const QList<DateRange> ranges = ok ? Periods::month(year, m) : QList<DateRange>();
            const qint64 discount = wholeBahtOfShown(discountOf(conn, user, ranges));
            chart.discount += discount;
            const auto days = daySales(conn, user, ranges);
            if (days.isEmpty()) {
                chart.values << QStringLiteral("0");
                continue;
            }
            Currency total;
            for (const auto &d : days)
                total += d.second;
            // Rounded once per bar: rounding after every day would drift by a baht a day.
            const qint64 bar = roundHalfEven((long double)total.units() / 10000.0L);
            chart.net += Currency::fromWhole(bar - discount);
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
