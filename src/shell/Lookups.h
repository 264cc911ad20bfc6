#pragma once
#include <QString>

class Connection;
class QComboBox;

// The lists of the product's lookup tables (units, groups, storage places) and their entries.
namespace Lookups {

// Lists textColumn of every row of table ordered by orderColumn (NULL lists as ""). Table and
// column names are the code's own identifiers. A failing query throws DbError and leaves the
// list as it was.
void fillList(
    QComboBox *list, const QString &table, const QString &orderColumn, const QString &textColumn);
// As fillList, rows with keyColumn > 0 ordered by keyColumn.
void fillListWithPositiveKeys(
    QComboBox *list, const QString &table, const QString &keyColumn, const QString &textColumn);

// Finds or makes a lookup entry (tblNub, tblGroup, tblGeb) by the list's text: "" and "-"
// give 0 without touching the database; otherwise the entry whose name, without outer
// blanks, equals the text without outer blanks in any letter case; else a new row keyed the
// largest key plus 1 and named exactly as typed. Throws DbError.
int findOrAddEntry(
    QComboBox *list, const QString &table, const QString &keyColumn, const QString &nameColumn);
int findOrAddEntry(
    const QString &text, const QString &table, const QString &keyColumn, const QString &nameColumn);
// The same on a given connection, so a save can make its entries inside its own transaction.
int findOrAddEntry(Connection &conn, const QString &text, const QString &table,
    const QString &keyColumn, const QString &nameColumn);

} // namespace Lookups
