#pragma once
#include <QString>
#include <QVariantList>

class Connection;

// The product text search, shared by every window that finds products by a typed text (the
// search dialog, the stock page): the text is found literally, as a substring of the code, the
// name or the description, without regard to case (A to Z), so "%" and "_" are plain
// characters. Texts of three characters or more go through the trigram index ftsProduct, which
// the schema's triggers keep in step with tblProduct; shorter ones scan the table. Both ways
// give the same rows: the index only narrows the products that the substring test then checks.
namespace ProductSearch {

// Scan: never the index (for comparing both ways).
enum class Path { Auto, Scan };

// A condition for a query's WHERE over tblProduct, `table` being the name or alias the query
// gives it, with the values for its `?` placeholders in order. The caller trims and cleans the
// text as its window's rules say; an empty text matches every product with a code, name or
// description.
struct Condition
{
    QString sql;
    QVariantList params;
};
Condition condition(const QString &text, const QString &table = QStringLiteral("tblProduct"),
    Path path = Path::Auto);

// True when condition() takes the index for this text.
bool usesIndex(const QString &text);

} // namespace ProductSearch
