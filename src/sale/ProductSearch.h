#pragma once
#include "platform/grid/GridRows.h"
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

// The search as parts of a query over tblProduct, `table` being the alias the query gives it:
// the source to write after FROM (the products, or the index joined to them) and the condition
// for WHERE, with the values for their `?` placeholders in order. For example
//   "SELECT ... FROM " + s.from + " INNER JOIN tblNub n ON p.NubFK = n.nPK WHERE " + s.where
// The caller trims and cleans the text as its window's rules say; an empty text matches every
// product with a code, name or description.
struct Condition
{
    QString from;
    QString where;
    QVariantList params;
};
Condition condition(
    const QString &text, const QString &table = QStringLiteral("p"), Path path = Path::Auto);

// True when condition() takes the index for this text.
bool usesIndex(const QString &text);

// The search dialog's list for a text: per product with a unit row, the key, the code, a blank,
// the name, a blank and the description, and the unit's name; ordered by code, then by name, as
// the database orders these columns (A to Z without regard to case).
GridRows dialogRows(Connection &c, const QString &text, Path path = Path::Auto);

} // namespace ProductSearch
