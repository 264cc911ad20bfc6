#include "Ranking.h"
#include "platform/db/Connection.h"
#include "platform/ui/Clock.h"
#include <QDate>
#include <QSet>

namespace {
// The period as a range of ISO date texts [from, to); an empty `to` has no upper end (the week
// counts rows dated after today too). False when the year is no usable number.
bool periodRange(const RankingRequest &r, QString *from, QString *to)
{
    if (r.kind == RankingRequest::Week) {
        *from = Clock::now().date().addDays(-7).toString(Qt::ISODate);
        to->clear();
        return true;
    }
    bool ok = false;
    const int year = r.yearText.trimmed().toInt(&ok);
    if (!ok || year < 1 || year > 9998)
        return false;
    if (r.kind == RankingRequest::Month) {
        if (r.month < 1 || r.month > 12)
            return false;
        const QDate first(year, r.month, 1);
        *from = first.toString(Qt::ISODate);
        *to = first.addMonths(1).toString(Qt::ISODate);
        return true;
    }
    *from = QDate(year, 1, 1).toString(Qt::ISODate);
    *to = QDate(year + 1, 1, 1).toString(Qt::ISODate);
    return true;
}

QString rangeCondition(const char *column, const QString &to)
{
    const QString c = QString::fromLatin1(column);
    return to.isEmpty() ? c + QStringLiteral(" >= ?1")
                        : c + QStringLiteral(" >= ?1 AND ") + c + QStringLiteral(" < ?2");
}

QVariantList rangeParams(const QString &from, const QString &to)
{
    return to.isEmpty() ? QVariantList { from } : QVariantList { from, to };
}
} // namespace

QList<RankingRow> rankSellers(Connection &conn, const RankingRequest &request)
{
    QList<RankingRow> rows;
    QString from, to;
    if (!periodRange(request, &from, &to))
        return rows;
    // Sales summed exactly in ten-thousandths of a baht; LUser compares without letter case.
    Recordset rs = conn.query(QStringLiteral("SELECT LUser, LTumnang, "
                                             "sum(CAST(round(Lsell * 10000) AS INTEGER) * Lvalue) "
                                             "AS total FROM tblLog WHERE ")
            + rangeCondition("Ldate", to)
            + QStringLiteral(" GROUP BY LUser, LTumnang ORDER BY total DESC"),
        rangeParams(from, to));
    const QVariantList range = rangeParams(from, to);
    const QString discountSql = QStringLiteral("SELECT sum(CAST(round(rMoney * 10000) AS INTEGER)) "
                                               "FROM tblRMoney WHERE rUser = ?")
        + QString::number(range.size() + 1) + QStringLiteral(" AND ") + rangeCondition("rTime", to);
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
                = conn.scalar(discountSql, range + QVariantList { row.user.trimmed() })
                      .toLongLong();
            row.discount = roundHalfEven((long double)units / 10000.0L);
        }
        row.net = sales - Currency::fromWhole(row.discount);
        rows << row;
    }
    return rows;
}
