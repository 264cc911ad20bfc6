#pragma once
#include <QList>
#include <QPair>
#include <QString>

class Connection;

// One of the three lookup tables of the product data and the product column that refers to it.
// Key 0 is the "no entry" row: never listed, renamed or deleted here.
struct LookupList
{
    QString table;
    QString key;
    QString name;
    QString productColumn;
};

namespace LookupLists {

const LookupList &units(); // tblNub
const LookupList &groups(); // tblGroup
const LookupList &places(); // tblGeb

// Entries with a key above 0, in key order; a NULL name reads as "".
QList<QPair<int, QString>> entries(Connection &conn, const LookupList &list);
// The entry's name, "" when it has none or does not exist.
QString name(Connection &conn, const LookupList &list, int key);
// True when any row (key 0 included) already has this name, compared whole in any letter case.
bool nameExists(Connection &conn, const LookupList &list, const QString &name);
void rename(Connection &conn, const LookupList &list, int key, const QString &name);
// True when a product refers to the entry.
bool inUse(Connection &conn, const LookupList &list, int key);
void remove(Connection &conn, const LookupList &list, int key);

// A new name loses every "," then "'" then "%" then "*" (outer blanks stay).
QString cleanName(QString text);

} // namespace LookupLists
