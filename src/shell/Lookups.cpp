#include "Lookups.h"
#include "ShopDatabase.h"
#include "platform/db/RowWriter.h"
#include "records/Blanks.h"
#include <QComboBox>
#include <QRegularExpression>

namespace {

// Table and column names come from the code, never from a user; still, only plain identifiers
// ever reach the SQL text.
QString ident(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plain.match(name).hasMatch())
        throw DbError(QStringLiteral("not a plain identifier: '%1'").arg(name));
    return QLatin1Char('[') + name + QLatin1Char(']');
}

void fillFrom(QComboBox *list, const QString &sql, const QString &textColumn)
{
    // Read everything first: a failure leaves the old items in place.
    QStringList items;
    Recordset rs = ShopDatabase::connection().query(sql);
    for (; !rs.eof(); rs.moveNext())
        items.append(rs.text(textColumn));
    rs.close();
    list->clear();
    list->addItems(items);
}

} // namespace

void Lookups::fillList(
    QComboBox *list, const QString &table, const QString &orderColumn, const QString &textColumn)
{
    fillFrom(list,
        QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(ident(table), ident(orderColumn)),
        textColumn);
}

void Lookups::fillListWithPositiveKeys(
    QComboBox *list, const QString &table, const QString &keyColumn, const QString &textColumn)
{
    const QString key = ident(keyColumn);
    fillFrom(list,
        QStringLiteral("SELECT * FROM %1 WHERE %2 > 0 ORDER BY %2").arg(ident(table), key),
        textColumn);
}

int Lookups::findOrAddEntry(
    QComboBox *list, const QString &table, const QString &keyColumn, const QString &nameColumn)
{
    return findOrAddEntry(list->currentText(), table, keyColumn, nameColumn);
}

int Lookups::findOrAddEntry(
    const QString &text, const QString &table, const QString &keyColumn, const QString &nameColumn)
{
    return findOrAddEntry(ShopDatabase::connection(), text, table, keyColumn, nameColumn);
}

int Lookups::findOrAddEntry(Connection &conn, const QString &text, const QString &table,
    const QString &keyColumn, const QString &nameColumn)
{
    if (text.isEmpty() || text == QLatin1String("-"))
        return 0;
    const QString t = ident(table), key = ident(keyColumn), name = ident(nameColumn);
    // Outer blanks on either side do not make a new entry: " Box" is found by "Box".
    const QVariant found = conn.scalar(
        QStringLiteral("SELECT %2 FROM %1 WHERE trim(%3) = ?1 COLLATE NOCASE ORDER BY %2 "
                       "LIMIT 1")
            .arg(t, key, name),
        { trimBlanks(text) });
    if (found.isValid())
        return found.toInt();
    const int newKey
        = conn.scalar(QStringLiteral("SELECT coalesce(max(%2), 0) FROM %1").arg(t, key)).toInt()
        + 1;
    RowWriter(conn, table).set(keyColumn, newKey).set(nameColumn, text).insert();
    return newKey;
}
