#include "stock/StockUpdateStore.h"
#include "platform/db/Connection.h"
#include "records/Blanks.h"
#include "records/Codes.h"
#include "records/DateText.h"
#include "records/Formats.h"
#include "sale/Counters.h"
#include "stock/StockUpdate.h"

namespace {

// One row of tblLog2.
struct Movement
{
    qint64 key = 0; // PK
    QString code; // dSN
    QString name; // dName
    QString description; // dDes
    QDateTime time; // dTime
    QString documentNo; // dNo
    qint64 stockBefore = 0; // dValueold
    qint64 quantity = 0; // dValue
    qint64 stockAfter = 0; // dValuenew
    QString user; // dUser
    QString memo; // dMemo
};

// The movement insert of goods received; sales and returns write the same row.
void writeMovement(Connection &conn, const Movement &m)
{
    conn.execute(QStringLiteral("INSERT INTO tblLog2 (PK, dType, dSN, dName, dDes, dTime, dNo, "
                                "dValueold, dValue, dValuenew, dUser, dMemo) "
                                "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)"),
        { m.key, int(MovementType::StockUpdate), m.code.trimmed(), m.name.trimmed(),
            m.description.trimmed(), DateText::storage(m.time), m.documentNo, m.stockBefore,
            m.quantity, m.stockAfter, m.user, m.memo });
}

} // namespace

QString StockUpdateStore::SetupSid(const QDate &today)
{
    return StockUpdateNo(
        today, takeCounter(m_conn, CounterRowId::StockUpdateCounter, today, /*monthly=*/true));
}

qint64 StockUpdateStore::SetupNewData()
{
    const QVariant max = m_conn.scalar(QStringLiteral("SELECT Max(PK) FROM tblLog2"));
    return (max.isValid() && !max.isNull()) ? max.toLongLong() + 1 : 1;
}

QString StockUpdateStore::save(const StockUpdate &doc, const StockUpdateStamp &stamp)
{
    Transaction t(m_conn);
    const QString number = SetupSid(stamp.now.date());
    const QString memo = trimBlanks(stamp.memo);
    for (const ReceivedLine &line : doc.lines()) {
        const QVariant before = m_conn.scalar(
            QStringLiteral("SELECT PDvalue FROM tblProduct WHERE PK = ?1"), { line.pk });
        if (!before.isValid())
            throw MissingStockProduct(trimBlanks(line.code));
        const qint64 old = qint32(before.toLongLong());
        m_conn.execute(QStringLiteral("UPDATE tblProduct SET PDvalue = ?1 WHERE PK = ?2"),
            { old + line.quantity, line.pk });
        writeMovement(m_conn,
            Movement { SetupNewData(), line.code, line.name, line.description, stamp.now, number,
                old, line.quantity, old + line.quantity, stamp.user, memo });
    }
    t.commit();
    return number;
}
