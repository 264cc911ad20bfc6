#include "stock/ProductStore.h"
#include "platform/db/Connection.h"
#include "platform/db/RowWriter.h"
#include "records/Codes.h"
#include "records/Formats.h"
#include "sale/Counters.h"
#include "shell/Lookups.h"

std::optional<ProductValue> ProductStore::load(int pk)
{
    Recordset rs = m_conn.query(
        QStringLiteral(
            "SELECT p.*, coalesce(n.nName, '') AS nName, coalesce(g.gName, '') AS gName, "
            "coalesce(e.geName, '') AS geName FROM tblProduct p "
            "LEFT JOIN tblNub n ON p.NubFK = n.nPK "
            "LEFT JOIN tblGroup g ON p.GroupFK = g.gPK "
            "LEFT JOIN tblGeb e ON p.GebFK = e.gePK WHERE p.PK = ?1"),
        { pk });
    if (rs.eof())
        return std::nullopt;
    ProductValue p;
    p.pk = int(rs.integer("PK"));
    p.autoCode = rs.boolean("PAuto");
    p.code = rs.text("PDsn");
    p.name = rs.text("PDname");
    p.description = rs.text("PDdes");
    p.group = rs.text("gName");
    p.place = rs.text("geName");
    p.unit = rs.text("nName");
    p.stock = rs.integer("PDvalue");
    p.cost = Currency::fromDouble(rs.real("PDraka"));
    p.sell = Currency::fromDouble(rs.real("PDsell"));
    p.special1 = Currency::fromDouble(rs.real("Praka1"));
    p.special2 = Currency::fromDouble(rs.real("Praka2"));
    p.lowLimit = rs.integer("PDerror");
    p.wholesale = rs.boolean("PSong");
    if (!rs.isNull("PNumSong"))
        p.wholesaleQty = rs.integer("PNumSong");
    p.wholesalePrice = Currency::fromDouble(rs.real("PRakaSong"));
    p.picture = rs.text("PDpic");
    return p;
}

int ProductStore::countCode(const QString &code, int exceptPk)
{
    // PDsn compares without regard to letter case (its column collation).
    return m_conn
        .scalar(QStringLiteral("SELECT count(*) FROM tblProduct WHERE PDsn = ?1 AND PK <> ?2"),
            { code, exceptPk })
        .toInt();
}

int ProductStore::nextKey()
{
    return m_conn.scalar(QStringLiteral("SELECT coalesce(max(PK), 0) FROM tblProduct")).toInt() + 1;
}

QString ProductStore::takeAutoCode(const QDate &today)
{
    // A code typed by hand may already hold the next number: step on until one is free. The
    // counter keeps seven digits, so the loop ends after at most that many steps.
    for (int tries = 0; tries < 10000000; ++tries) {
        const int n = takeCounter(m_conn, CounterRowId::ProductCodeCounter, today, false);
        const QString code = AutoProductCode(today, n);
        if (countCode(code) == 0)
            return code;
    }
    throw DbError(QStringLiteral("ไม่มีรหัสสินค้าอัตโนมัติเหลือให้ใช้"));
}

void ProductStore::writeColumns(RowWriter &w, const ProductValue &p)
{
    // The lookups in the order group, storage place, unit.
    const int group = Lookups::findOrAddEntry(m_conn, p.group, QStringLiteral("tblGroup"),
        QStringLiteral("gPK"), QStringLiteral("gName"));
    const int place = Lookups::findOrAddEntry(m_conn, p.place, QStringLiteral("tblGeb"),
        QStringLiteral("gePK"), QStringLiteral("geName"));
    const int unit = Lookups::findOrAddEntry(
        m_conn, p.unit, QStringLiteral("tblNub"), QStringLiteral("nPK"), QStringLiteral("nName"));
    w.set(QStringLiteral("PDsn"), p.code)
        .set(QStringLiteral("PDname"), p.name)
        .set(QStringLiteral("PDdes"), p.description)
        .set(QStringLiteral("GroupFK"), group)
        .set(QStringLiteral("GebFK"), place)
        .set(QStringLiteral("NubFK"), unit)
        .set(QStringLiteral("PDvalue"), p.stock)
        .set(QStringLiteral("PDraka"), p.cost.toDouble())
        .set(QStringLiteral("PDsell"), p.sell.toDouble())
        .set(QStringLiteral("PDerror"), p.lowLimit)
        .set(QStringLiteral("Praka1"), p.special1.toDouble())
        .set(QStringLiteral("Praka2"), p.special2.toDouble())
        .set(QStringLiteral("PSong"), p.wholesale ? 1 : 0)
        .set(QStringLiteral("PNumSong"), p.wholesaleQty ? QVariant(*p.wholesaleQty) : QVariant())
        .set(QStringLiteral("PRakaSong"), p.wholesalePrice.toDouble())
        .set(QStringLiteral("PDpic"), p.picture);
}

ProductValue ProductStore::insert(ProductValue p, const QDate &today)
{
    Transaction t(m_conn);
    p.pk = nextKey();
    if (p.autoCode)
        p.code = takeAutoCode(today);
    RowWriter w(m_conn, QStringLiteral("tblProduct"));
    w.set(QStringLiteral("PK"), p.pk).set(QStringLiteral("PAuto"), p.autoCode ? 1 : 0);
    writeColumns(w, p);
    w.insert();
    t.commit();
    return p;
}

bool ProductStore::update(const ProductValue &p)
{
    Transaction t(m_conn);
    RowWriter w(m_conn, QStringLiteral("tblProduct"));
    writeColumns(w, p);
    if (w.update(QStringLiteral("PK"), p.pk) == 0)
        return false; // rolled back: no lookup entry stays behind
    t.commit();
    return true;
}
