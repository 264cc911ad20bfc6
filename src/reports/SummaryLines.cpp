#include "SummaryLines.h"
#include "platform/db/Connection.h"

namespace SummaryQueries {

QList<SummaryLine> receiptLines(Connection &db, const QList<DateRange> &ranges)
{
    QVariantList params;
    const QString sql
        = QStringLiteral("SELECT Lrod, Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, Lsell, "
                         "SUM(Lvalue) AS iTotal FROM tblLog WHERE ")
        + Periods::condition(QStringLiteral("Ldate"), ranges, params)
        + QStringLiteral(" GROUP BY Lsn, Lname, Ldes, Lnub, Lraka, Lsell, Lrod, Lno, Ldate2"
                         " ORDER BY Lname COLLATE THAI, Ldes COLLATE THAI");
    QList<SummaryLine> out;
    for (Recordset rs = db.query(sql, params); !rs.eof(); rs.moveNext()) {
        SummaryLine l;
        l.discount = Currency::fromDouble(rs.real(0));
        l.receipt = rs.text(1);
        l.day = rs.text(2);
        l.code = rs.text(3);
        l.name = rs.text(4);
        l.description = rs.text(5);
        l.unit = rs.text(6);
        l.cost = Currency::fromDouble(rs.real(7));
        l.price = Currency::fromDouble(rs.real(8));
        l.quantity = rs.integer(9);
        out.append(std::move(l));
    }
    return out;
}

Currency discountTotal(Connection &db, const QList<DateRange> &ranges)
{
    QVariantList params;
    const QString sql = QStringLiteral("SELECT SUM(rMoney) FROM tblRMoney WHERE ")
        + Periods::condition(QStringLiteral("rTime"), ranges, params);
    const QVariant sum = db.scalar(sql, params);
    return sum.isNull() || !sum.isValid() ? Currency() : Currency::fromDouble(sum.toDouble());
}

} // namespace SummaryQueries
