#include "MovementSearch.h"
#include "platform/db/Connection.h"
#include "platform/db/TextMatch.h"

QString MovementSearch::sql(const QDate &today, QVariantList &params) const
{
    params.clear();
    QString q = QStringLiteral(
        "SELECT PK, dType, dSN, dName, dDes, dTime, dNo, dValueold, dValue, dValuenew, dUser, "
        "dMemo FROM tblLog2 WHERE ");
    q += Periods::condition(QStringLiteral("dTime"), Periods::ranges(period, today), params);
    if (type != 0) {
        q += QStringLiteral(" AND dType = ?");
        params << type;
    }
    // Code, name and user are never NULL, so an empty text would match every row: no test.
    if (!text.isEmpty()) {
        const QString pattern = likeContains(text);
        const QString like = QStringLiteral(" LIKE ?") + QLatin1String(kLikeEscape);
        q += QStringLiteral(" AND (dSN") + like + QStringLiteral(" OR dName") + like
            + QStringLiteral(" OR dDes") + like + QStringLiteral(" OR dUser") + like
            + QStringLiteral(" OR dNo") + like + QLatin1Char(')');
        for (int i = 0; i < 5; ++i)
            params << pattern;
    }
    q += QStringLiteral(" ORDER BY dTime DESC, dNo DESC, dType, dSN");
    return q;
}

qint64 MovementSearch::run(
    Connection &db, const QDate &today, const std::function<void(const Movement &)> &row) const
{
    QVariantList params;
    const QString q = sql(today, params);
    Recordset rs = db.query(q, params);
    qint64 n = 0;
    Movement m;
    for (; !rs.eof(); rs.moveNext()) {
        m.pk = rs.integer(0);
        m.type = int(rs.integer(1));
        m.code = rs.text(2);
        m.name = rs.text(3);
        m.description = rs.text(4);
        m.time = rs.text(5);
        m.documentNo = rs.text(6);
        m.stockBefore = rs.integer(7);
        m.quantity = rs.integer(8);
        m.stockAfter = rs.integer(9);
        m.user = rs.text(10);
        m.remark = rs.text(11);
        ++n;
        if (row)
            row(m);
    }
    return n;
}
