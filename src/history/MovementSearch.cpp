#include "MovementSearch.h"
#include "platform/db/Connection.h"
#include "platform/db/TextMatch.h"
#include "records/Codes.h"
#include <charconv>

QString MovementSearch::sql(const QDate &today, QVariantList &params) const
{
    params.clear();
    QString q = QStringLiteral(
        "SELECT PK, dType, dSN, dName, dDes, dTime, dNo, dValueold, dValue, dValuenew, dUser, "
        "dMemo FROM tblLog2 WHERE ");
    q += Periods::condition(QStringLiteral("dTime"), Periods::ranges(period, today), params);
    if (type) {
        q += QStringLiteral(" AND dType = ?");
        params << int(*type);
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

QString MovementSearch::typeText(int type)
{
    switch (type) {
    case int(MovementType::StockUpdate):
        return QStringLiteral("อัพเดทสต๊อก");
    case int(MovementType::Sale):
        return QStringLiteral("จ่ายออกปกติ");
    case int(MovementType::SaleReturn):
        return QStringLiteral("คืนสินค้า");
    default:
        return QString();
    }
}

GridRows MovementSearch::rows(Connection &db, const QDate &today) const
{
    QVariantList params;
    const QString q = sql(today, params);
    Recordset rs = db.query(q, params);
    const QByteArray words[] = { typeText(1).toUtf8(), typeText(2).toUtf8(), typeText(3).toUtf8() };
    const QByteArrayView blank(" ", 1), comma(" , ", 3), minus("-", 1);
    char digits[3][24];
    auto number = [&](int k, qint64 v) {
        const auto end = std::to_chars(digits[k], digits[k] + sizeof digits[k], v).ptr;
        return QByteArrayView(digits[k], end - digits[k]);
    };
    GridRows out;
    for (; !rs.eof(); rs.moveNext()) {
        const int type = int(rs.integer(1));
        out.addUtf8(number(0, rs.integer(0)));
        out.addUtf8(type >= 1 && type <= 3 ? QByteArrayView(words[type - 1]) : QByteArrayView());
        out.addUtf8({ blank, rs.utf8(2), comma, rs.utf8(3), blank, rs.utf8(4) });
        out.addUtf8(rs.utf8(5));
        out.addUtf8(rs.utf8(6));
        out.addUtf8(number(0, rs.integer(7)));
        const QByteArrayView quantity = number(1, rs.integer(8));
        if (type == int(MovementType::Sale))
            out.addUtf8({ minus, quantity });
        else
            out.addUtf8(quantity);
        out.addUtf8(number(2, rs.integer(9)));
        out.addUtf8(rs.utf8(10));
        out.addUtf8(rs.utf8(11));
        out.endRow();
    }
    return out;
}
