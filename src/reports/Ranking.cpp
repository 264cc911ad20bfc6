#include "Ranking.h"
#include "platform/db/Connection.h"
#include "platform/ui/Clock.h"
#include "records/PeriodFilter.h"
#include <QDate>
#include <QSet>

namespace {
// The period's days; none when the year is no usable number or the month is out of range.
QList<DateRange> periodRanges(const RankingRequest &r)
{
    if (r.kind == RankingRequest::Kind::Week)
        return Periods::week(Clock::now().date());
    bool ok = false;
    const int year = r.yearText.trimmed().toInt(&ok);
    if (!ok)
        return {};
    if (r.kind == RankingRequest::Kind::Month)
        return r.month >= 1 && r.month <= 12 ? Periods::month(year, r.month) : QList<DateRange>();
    return Periods::year(year);
}
} // namespace

QList<RankingRow> rankSellers(Connection &conn, const RankingRequest &request)
{
    QList<RankingRow> rows;
    const QList<DateRange> ranges = periodRanges(request);
    if (ranges.isEmpty())
        return rows;
    // Sales summed exactly in ten-thousandths of a baht; LUser compares without letter case.
    QVariantList params;
    const QString salesWhere = Periods::condition(QStringLiteral("Ldate"), ranges, params);
    Recordset rs = conn.query(QStringLiteral("SELECT LUser, LTumnang, "
                                             "sum(CAST(round(Lsell * 10000) AS INTEGER) * Lvalue) "
                                             "AS total FROM tblLog WHERE ")
            + salesWhere + QStringLiteral(" GROUP BY LUser, LTumnang ORDER BY total DESC"),
        params);
    QVariantList range;
    const QString discountWhere = Periods::condition(QStringLiteral("rTime"), ranges, range);
    const QString discountSql = QStringLiteral("SELECT sum(CAST(round(rMoney * 10000) AS INTEGER)) "
                                               "FROM tblRMoney WHERE rUser = ? AND (")
        + discountWhere + QLatin1Char(')');
    QSet<QString> charged;
    for (; !rs.eof(); rs.moveNext()) {
        RankingRow row;
        row.user = rs.text(0);
        row.position = rs.text(1);
        const Currency sales = Currency::fromUnits(rs.integer(2));
        // A seller under two positions gives the period's discount once, on the first row.
        if (!charged.contains(row.user.trimmed().toCaseFolded())) {
            charged.insert(row.user.trimmed().toCaseFolded());
            const qint64 units
                = conn.scalar(discountSql, QVariantList { row.user.trimmed() } + range)
                      .toLongLong();
            row.discount = roundHalfEven((long double)units / 10000.0L);
        }
        row.net = sales - Currency::fromWhole(row.discount);
        rows << row;
    }
    return rows;
}
