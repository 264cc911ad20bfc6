#include "StockList.h"
#include "platform/db/Connection.h"
#include "platform/db/TextMatch.h"
#include "records/Currency.h"

namespace StockList {

namespace {

// Left joins: a product whose unit, group or place row is gone is still listed.
const QString kSelect = QStringLiteral(
    "SELECT p.PK, p.PDsn, p.PDname, p.PDdes, p.PDvalue, p.PDvalue < p.PDerror, p.PDsell, "
    "n.nName, g.gName, ge.geName "
    "FROM tblProduct p "
    "LEFT JOIN tblNub n ON p.NubFK = n.nPK "
    "LEFT JOIN tblGroup g ON p.GroupFK = g.gPK "
    "LEFT JOIN tblGeb ge ON p.GebFK = ge.gePK");
// Names as a Thai reader orders them.
const QString kByName = QStringLiteral(" ORDER BY p.PDname COLLATE THAI, p.PDdes COLLATE THAI");
const QString kByStock
    = QStringLiteral(" ORDER BY p.PDvalue, p.PDname COLLATE THAI, p.PDdes COLLATE THAI");

} // namespace

Rows read(Connection &db, const Filter &filter)
{
    QString where;
    QString order = kByName;
    QVariantList params;
    switch (filter.kind) {
    case Filter::All:
        break;
    case Filter::Text: {
        const QString like = QStringLiteral(" LIKE ?1") + QLatin1String(kLikeEscape);
        where = QStringLiteral(" WHERE p.PDsn") + like + QStringLiteral(" OR p.PDname") + like
            + QStringLiteral(" OR p.PDdes") + like;
        params = { likeContains(filter.text) };
        break;
    }
    case Filter::BelowQuantity:
        where = QStringLiteral(" WHERE p.PDvalue < ?1");
        params = { filter.quantity };
        order = kByStock;
        break;
    case Filter::Group:
        where = QStringLiteral(" WHERE g.gName = ?1 COLLATE NOCASE");
        params = { filter.text };
        break;
    case Filter::Place:
        where = QStringLiteral(" WHERE ge.geName = ?1 COLLATE NOCASE");
        params = { filter.text };
        break;
    case Filter::LowStock:
        where = QStringLiteral(" WHERE p.PDvalue < p.PDerror");
        order = kByStock;
        break;
    }

    Rows out;
    Recordset rs = db.query(kSelect + where + order, params);
    const QString blank = QStringLiteral(" ");
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.integer(5) != 0)
            out.lowRows.push_back(int(out.cells.size()) + 1);
        out.cells.push_back(
            { rs.text(0), blank + rs.text(1), blank + rs.text(2), rs.text(3), rs.text(4),
                rs.text(7), Currency::fromDouble(rs.real(6)).plain(), rs.text(8), rs.text(9) });
    }
    return out;
}

int countLowStock(Connection &db)
{
    // No joins: every low product counts, whatever its lookup rows.
    return db.scalar(QStringLiteral("SELECT count(*) FROM tblProduct WHERE PDvalue < PDerror"))
        .toInt();
}

std::optional<qint64> wholeNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        const bool sign = i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'));
        if (!sign && (c < QLatin1Char('0') || c > QLatin1Char('9')))
            return std::nullopt;
    }
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

int deleteProduct(Connection &db, qint64 pk)
{
    return db.execute(QStringLiteral("DELETE FROM tblProduct WHERE PK = ?1"), { pk });
}

} // namespace StockList
