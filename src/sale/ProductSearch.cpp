#include "sale/ProductSearch.h"
#include "platform/db/Connection.h"
#include "platform/db/TextMatch.h"
#include <QHash>
#include <algorithm>
#include <numeric>

namespace ProductSearch {

namespace {
// The index holds every run of three characters; a shorter text has none to look up.
constexpr qsizetype kIndexedLength = 3;

qsizetype characters(const QString &text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (!text[i].isLowSurrogate())
            ++n;
    return n;
}

// The index folds case beyond A to Z (É finds é, the Kelvin sign finds k), the substring test
// does not; so what the index finds is checked again with the substring test. A text of Thai
// characters and of characters of the ASCII range other than letters needs no second check:
// no other character folds into one of them, so the index finds exactly its substrings.
bool indexMatchesExactly(const QString &text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool thai = u >= 0x0E00 && u <= 0x0E7F;
        const char16_t lower = u | 0x20;
        const bool asciiNoLetter = u >= 0x20 && u < 0x7F && !(lower >= 'a' && lower <= 'z');
        if (!thai && !asciiNoLetter)
            return false;
    }
    return true;
}

// One phrase of the index's query language: the whole text, quotes doubled.
QString phrase(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}
} // namespace

bool usesIndex(const QString &text)
{
    return characters(text) >= kIndexedLength;
}

Condition condition(const QString &text, const QString &table, Path path)
{
    const QString like = QStringLiteral(" LIKE ?") + QLatin1String(kLikeEscape);
    const QString scan
        = QStringLiteral("(%1.PDsn%2 OR %1.PDname%2 OR %1.PDdes%2)").arg(table, like);
    const QString pattern = likeContains(text);
    const QString products = QStringLiteral("tblProduct ") + table;
    if (path != Path::Auto || !usesIndex(text))
        return { products, scan, { pattern, pattern, pattern } };
    // The index drives: each product it finds is read once by its key.
    const QString from = QStringLiteral("ftsProduct CROSS JOIN %1 ON %2.PK = ftsProduct.rowid")
                             .arg(products, table);
    const QString match = QStringLiteral("ftsProduct MATCH ?");
    if (indexMatchesExactly(text))
        return { from, match, { phrase(text) } };
    return { from, match + QStringLiteral(" AND ") + scan,
        { phrase(text), pattern, pattern, pattern } };
}

GridRows dialogRows(Connection &c, const QString &text, Path path)
{
    // The unit join and the order are done here rather than by the engine: on a list of ten
    // thousand products they are half of what the engine's join and sorter would take.
    QHash<qint64, QByteArray> units;
    {
        Recordset rs = c.query(QStringLiteral("SELECT nPK, nName FROM tblNub"));
        for (; !rs.eof(); rs.moveNext())
            units.insert(rs.integer(0), rs.utf8(1).toByteArray());
    }
    const Condition s = condition(text, QStringLiteral("p"), path);
    Recordset rs = c.query(QStringLiteral("SELECT p.PK, p.PDsn, p.PDname, p.PDdes, p.NubFK FROM ")
            + s.from + QStringLiteral(" WHERE ") + s.where,
        s.params);
    GridRows rows;
    std::vector<quint32> nameLengths; // the name sits in column 2 after its blank
    const QByteArrayView blank(" ", 1);
    for (; !rs.eof(); rs.moveNext()) {
        const auto unit = units.constFind(rs.int64(4));
        if (unit == units.constEnd())
            continue; // no unit row: the inner join leaves the product out
        const QByteArrayView pdName = rs.utf8(2);
        rows.addUtf8(rs.utf8(0));
        rows.addUtf8(rs.utf8(1));
        rows.addUtf8({ blank, pdName, blank, rs.utf8(3) });
        rows.addUtf8(*unit);
        rows.endRow();
        nameLengths.push_back(quint32(pdName.size()));
    }
    std::vector<quint32> order(rows.size());
    std::iota(order.begin(), order.end(), 0u);
    auto nameOf = [&](quint32 i) { return rows.row(i).cell(2).sliced(1, nameLengths[i]); };
    std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) {
        const int byCode = compareNoCase(rows.row(a).cell(1), rows.row(b).cell(1));
        return byCode != 0 ? byCode < 0 : compareNoCase(nameOf(a), nameOf(b)) < 0;
    });
    rows.reorder(order);
    return rows;
}

} // namespace ProductSearch
