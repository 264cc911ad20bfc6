#include "StockList.h"
#include "platform/db/Connection.h"
#include "records/Currency.h"
#include "sale/ProductSearch.h"

namespace StockList {

namespace {

const QString kSelect = QStringLiteral(
    "SELECT p.PK, p.PDsn, p.PDname, p.PDdes, p.PDvalue, p.PDvalue < p.PDerror, p.PDsell, "
    "n.nName, g.gName, ge.geName FROM ");
// Left joins: a product whose unit, group or place row is gone is still listed.
const QString kLookups = QStringLiteral(" LEFT JOIN tblNub n ON p.NubFK = n.nPK "
                                        "LEFT JOIN tblGroup g ON p.GroupFK = g.gPK "
                                        "LEFT JOIN tblGeb ge ON p.GebFK = ge.gePK");
// Names as a Thai reader orders them.
const QString kByName = QStringLiteral(" ORDER BY p.PDname COLLATE THAI, p.PDdes COLLATE THAI");
const QString kByStock
    = QStringLiteral(" ORDER BY p.PDvalue, p.PDname COLLATE THAI, p.PDdes COLLATE THAI");

} // namespace

Rows read(Connection &db, const Filter &filter)
{
    QString from = QStringLiteral("tblProduct p");
    QString where;
    QString order = kByName;
    QVariantList params;
    switch (filter.kind) {
    case Filter::All:
        break;
    case Filter::Text: {
        const ProductSearch::Condition search
            = ProductSearch::condition(filter.text, QStringLiteral("p"));
        from = search.from;
        where = QStringLiteral(" WHERE ") + search.where;
        params = search.params;
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
    Recordset rs = db.query(kSelect + from + kLookups + where + order, params);
    const QByteArrayView blank(" ", 1);
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.integer(5) != 0)
            out.lowRows.push_back(int(out.cells.size()) + 1);
        out.cells.addUtf8(rs.utf8(0));
        out.cells.addUtf8({ blank, rs.utf8(1) });
        out.cells.addUtf8({ blank, rs.utf8(2) });
        out.cells.addUtf8(rs.utf8(3));
        out.cells.addUtf8(rs.utf8(4));
        out.cells.addUtf8(rs.utf8(7));
        out.cells.add(Currency::fromDouble(rs.real(6)).plain());
        out.cells.addUtf8(rs.utf8(8));
        out.cells.addUtf8(rs.utf8(9));
        out.cells.endRow();
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
