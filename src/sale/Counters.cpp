#include "Counters.h"
#include "platform/db/Connection.h"
#include "records/Formats.h"
#include <optional>

int takeCounter(Connection &conn, CounterRowId row, const QDate &today, bool monthly)
{
    std::optional<Transaction> own;
    if (!conn.inTransaction())
        own.emplace(conn);
    const QString mm = QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0'));
    Recordset rs = conn.query(
        QStringLiteral("SELECT numA, numMon FROM tblNumber WHERE nPK = ?1"), { int(row) });
    if (rs.eof())
        throw DbError(QStringLiteral("ไม่พบข้อมูลตัวนับเลขที่เอกสาร (tblNumber แถวที่ %1)").arg(int(row)));
    qint64 n = rs.integer(0);
    QString month = rs.text(1);
    rs.close();
    if (monthly && month != mm) {
        n = 0;
        month = mm;
    }
    n = qint32(n + 1);
    conn.execute(QStringLiteral("UPDATE tblNumber SET numA = ?1, numMon = ?2 WHERE nPK = ?3"),
        { n, month, int(row) });
    if (own)
        own->commit();
    return int(n);
}

QString takeReceiptNo(Connection &conn, const QDate &today)
{
    return ReceiptNo(today, takeCounter(conn, CounterRowId::ReceiptCounter, today, true));
}

bool readSwitch(Connection &conn, CounterRowId row)
{
    return conn.scalar(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = ?1"), { int(row) })
               .toLongLong()
        != 0;
}

void writeSaveConfirmSwitch(Connection &conn, bool on)
{
    conn.execute(QStringLiteral("UPDATE tblNumber SET numA = ?1, numMon = '00' WHERE nPK = ?2"),
        { on ? 1 : 0, int(CounterRowId::SaveConfirmSwitch) });
}

DrawerSetting readDrawerSetting(Connection &conn)
{
    DrawerSetting d;
    Recordset rs = conn.query(QStringLiteral("SELECT numA, numMon FROM tblNumber WHERE nPK = ?1"),
        { int(CounterRowId::CashDrawerSetting) });
    if (!rs.eof()) {
        d.on = rs.integer(0) != 0;
        d.port = rs.text(1);
    }
    return d;
}
