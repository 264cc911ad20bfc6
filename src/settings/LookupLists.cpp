#include "settings/LookupLists.h"
#include "platform/db/Connection.h"

const LookupList &LookupLists::units()
{
    static const LookupList l { QStringLiteral("tblNub"), QStringLiteral("nPK"),
        QStringLiteral("nName"), QStringLiteral("NubFK") };
    return l;
}

const LookupList &LookupLists::groups()
{
    static const LookupList l { QStringLiteral("tblGroup"), QStringLiteral("gPK"),
        QStringLiteral("gName"), QStringLiteral("GroupFK") };
    return l;
}

const LookupList &LookupLists::places()
{
    static const LookupList l { QStringLiteral("tblGeb"), QStringLiteral("gePK"),
        QStringLiteral("geName"), QStringLiteral("GebFK") };
    return l;
}

// Table and column names below come only from the three lists above; values are bound.

QList<QPair<int, QString>> LookupLists::entries(Connection &conn, const LookupList &l)
{
    QList<QPair<int, QString>> out;
    for (Recordset rs = conn.query(QStringLiteral("SELECT %2, %3 FROM %1 WHERE %2 > 0 ORDER BY %2")
                                       .arg(l.table, l.key, l.name));
         !rs.eof(); rs.moveNext())
        out.append({ int(rs.integer(0)), rs.text(1) });
    return out;
}

QString LookupLists::name(Connection &conn, const LookupList &l, int key)
{
    return conn
        .scalar(
            QStringLiteral("SELECT %3 FROM %1 WHERE %2 = ?1").arg(l.table, l.key, l.name), { key })
        .toString();
}

bool LookupLists::nameExists(Connection &conn, const LookupList &l, const QString &name)
{
    return conn
        .scalar(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?1 COLLATE NOCASE LIMIT 1")
                    .arg(l.table, l.name),
            { name })
        .isValid();
}

void LookupLists::rename(Connection &conn, const LookupList &l, int key, const QString &name)
{
    if (key <= 0)
        return;
    conn.execute(QStringLiteral("UPDATE %1 SET %3 = ?1 WHERE %2 = ?2").arg(l.table, l.key, l.name),
        { name, key });
}

bool LookupLists::inUse(Connection &conn, const LookupList &l, int key)
{
    return conn
        .scalar(
            QStringLiteral("SELECT 1 FROM tblProduct WHERE %1 = ?1 LIMIT 1").arg(l.productColumn),
            { key })
        .isValid();
}

void LookupLists::remove(Connection &conn, const LookupList &l, int key)
{
    if (key <= 0)
        return;
    conn.execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?1").arg(l.table, l.key), { key });
}

QString LookupLists::cleanName(QString text)
{
    for (QLatin1Char c :
        { QLatin1Char(','), QLatin1Char('\''), QLatin1Char('%'), QLatin1Char('*') })
        text.remove(c);
    return text;
}
