#include "settings/DataMaintenance.h"
#include "platform/db/Connection.h"
#include "records/Codes.h"

namespace {

// A reset counter row holds 0 and "00", which is no month: the next document starts at 1.
void resetCounter(Connection &conn, CounterRowId row)
{
    conn.execute(QStringLiteral("UPDATE tblNumber SET numA = 0, numMon = ?1 WHERE nPK = ?2"),
        { QStringLiteral("00"), int(row) });
}

// Every sale line goes, and the day totals with them. SQLite empties a table in one step only
// when no delete trigger watches it, so the trigger that counts the totals down steps aside
// inside the caller's transaction (a failure or a power cut brings it back with the lines).
void emptySaleLines(Connection &conn)
{
    const QString countDown = conn.scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE "
                                                         "type = 'trigger' AND name = ?1"),
                                      { QStringLiteral("trDayTotalDelete") })
                                  .toString();
    conn.execute(QStringLiteral("DROP TRIGGER IF EXISTS trDayTotalDelete"));
    conn.execute(QStringLiteral("DELETE FROM tblLog"));
    conn.execute(QStringLiteral("DELETE FROM tblDayTotal"));
    if (!countDown.isEmpty())
        conn.execute(countDown);
}

} // namespace

void DataMaintenance::clearSales(Connection &conn)
{
    Transaction t(conn);
    emptySaleLines(conn);
    conn.execute(QStringLiteral("DELETE FROM tblRMoney"));
    resetCounter(conn, CounterRowId::ReceiptCounter);
    t.commit();
}

void DataMaintenance::clearHistory(Connection &conn)
{
    Transaction t(conn);
    conn.execute(QStringLiteral("DELETE FROM tblLog2"));
    resetCounter(conn, CounterRowId::StockUpdateCounter);
    t.commit();
}

void DataMaintenance::deleteAll(Connection &conn)
{
    Transaction t(conn);
    conn.execute(QStringLiteral("DELETE FROM tblGeb WHERE gePK > 0"));
    conn.execute(QStringLiteral("DELETE FROM tblNub WHERE nPK > 0"));
    conn.execute(QStringLiteral("DELETE FROM tblGroup WHERE gPK > 0"));
    emptySaleLines(conn);
    conn.execute(QStringLiteral("DELETE FROM tblRMoney"));
    conn.execute(QStringLiteral("DELETE FROM tblProduct"));
    conn.execute(QStringLiteral("DELETE FROM tblLog2"));
    for (CounterRowId row : { CounterRowId::StockUpdateCounter, CounterRowId::ReceiptCounter,
             CounterRowId::ProductCodeCounter, CounterRowId::LoginSwitch })
        resetCounter(conn, row);
    t.commit();
}

int DataMaintenance::zeroNegativeStock(Connection &conn)
{
    return conn.execute(QStringLiteral("UPDATE tblProduct SET PDvalue = 0 WHERE PDvalue < 0"));
}

bool DataMaintenance::drawerSwitchOn(Connection &conn)
{
    return conn.scalar(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = ?1"),
                   { int(CounterRowId::CashDrawerSetting) })
               .toLongLong()
        != 0;
}

void DataMaintenance::writeDrawerSetting(Connection &conn, bool on, int port)
{
    const int changed
        = conn.execute(QStringLiteral("UPDATE tblNumber SET numA = ?1, numMon = ?2 WHERE nPK = ?3"),
            { on ? 1 : 0, on ? QString::number(port) : QStringLiteral("0"),
                int(CounterRowId::CashDrawerSetting) });
    if (changed != 1)
        throw DbError(QStringLiteral("ไม่พบข้อมูลการตั้งค่า (tblNumber แถวที่ %1)")
                          .arg(int(CounterRowId::CashDrawerSetting)));
}
