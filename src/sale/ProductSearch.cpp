#include "sale/ProductSearch.h"
#include "platform/db/TextMatch.h"

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
    const bool index = path == Path::Auto && usesIndex(text);
    if (!index)
        return { scan, { pattern, pattern, pattern } };
    return { QStringLiteral("(%1.PK IN (SELECT rowid FROM ftsProduct WHERE ftsProduct MATCH ?) "
                            "AND %2)")
                 .arg(table, scan),
        { phrase(text), pattern, pattern, pattern } };
}

} // namespace ProductSearch
