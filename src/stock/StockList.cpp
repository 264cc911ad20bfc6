#include "StockList.h"
#include "platform/db/Connection.h"
#include "platform/db/ThaiOrder.h"
#include "records/Currency.h"
#include "sale/ProductSearch.h"
#include <algorithm>
#include <tuple>

namespace StockList {

namespace {

const QString kSelect = QStringLiteral(
    "SELECT p.PK, p.PDsn, p.PDname, p.PDdes, p.PDvalue, p.PDvalue < p.PDerror, p.PDsell, "
    "n.nName, g.gName, ge.geName, p.PDdes IS NULL FROM ");
// Left joins: a product whose unit, group or place row is gone is still listed.
const QString kLookups = QStringLiteral(" LEFT JOIN tblNub n ON p.NubFK = n.nPK "
                                        "LEFT JOIN tblGroup g ON p.GroupFK = g.gPK "
                                        "LEFT JOIN tblGeb ge ON p.GebFK = ge.gePK");
// The stock views come lowest stock first; the engine sorts the numbers, names are put in Thai
// order here (see sortByName).
const QString kByStock = QStringLiteral(" ORDER BY p.PDvalue");

// Puts the rows in Thai order of name, then description (a missing description first), inside
// each run of equal `runs` values, keeping the order they came in where both are equal, as the
// engine's sort with the THAI collation would. One sort key per distinct text, not a collator
// call per comparison: a list of a hundred thousand products sorts in a fraction of the time.
void sortByName(GridRows &cells, std::vector<int> &lowRows, const std::vector<quint32> &runs,
    const std::vector<quint32> &names, const std::vector<quint32> &descriptions, ThaiRanks &texts,
    const std::vector<bool> &noDescription)
{
    const std::vector<quint32> rank = texts.ranks();
    struct Key
    {
        quint32 run, name, description, row;
        bool operator<(const Key &o) const
        {
            return std::tie(run, name, description, row)
                < std::tie(o.run, o.name, o.description, o.row);
        }
    };
    std::vector<Key> keys(cells.size());
    for (quint32 i = 0; i < keys.size(); ++i)
        keys[i] = { runs.empty() ? 0 : runs[i], rank[names[i]],
            noDescription[i] ? 0 : rank[descriptions[i]] + 1, i };
    std::sort(keys.begin(), keys.end());
    std::vector<quint32> order(keys.size());
    std::vector<int> newRow(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        order[i] = keys[i].row;
        newRow[keys[i].row] = int(i) + 1;
    }
    cells.reorder(order);
    for (int &r : lowRows)
        r = newRow[size_t(r - 1)];
    std::sort(lowRows.begin(), lowRows.end());
}

} // namespace

Rows read(Connection &db, const Filter &filter)
{
    QString from = QStringLiteral("tblProduct p");
    QString where;
    QString order; // by name, in Thai order after reading
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
    const bool byStock = !order.isEmpty();
    ThaiRanks texts;
    std::vector<quint32> names, descriptions, runs;
    std::vector<bool> noDescription;
    QByteArray stock; // the stock of the run being read, when the engine sorted by it
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.integer(5) != 0)
            out.lowRows.push_back(int(out.cells.size()) + 1);
        const QByteArrayView name = rs.utf8(2), description = rs.utf8(3);
        names.push_back(texts.add(name));
        descriptions.push_back(texts.add(description));
        noDescription.push_back(rs.int64(10) != 0);
        if (byStock) {
            const QByteArrayView value = rs.utf8(4);
            if (runs.empty() || value != stock) {
                stock = value.toByteArray();
                runs.push_back(runs.empty() ? 0 : runs.back() + 1);
            } else {
                runs.push_back(runs.back());
            }
        }
        out.cells.addUtf8(rs.utf8(0));
        out.cells.addUtf8({ blank, rs.utf8(1) });
        out.cells.addUtf8({ blank, name });
        out.cells.addUtf8(description);
        out.cells.addUtf8(rs.utf8(4));
        out.cells.addUtf8(rs.utf8(7));
        out.cells.add(Currency::fromDouble(rs.real(6)).plain());
        out.cells.addUtf8(rs.utf8(8));
        out.cells.addUtf8(rs.utf8(9));
        out.cells.endRow();
    }
    sortByName(out.cells, out.lowRows, runs, names, descriptions, texts, noDescription);
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
