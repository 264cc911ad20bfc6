#include "stock/StockUpdateStore.h"
#include "platform/db/Connection.h"
#include "records/Blanks.h"
#include "records/Codes.h"
#include "records/Formats.h"
#include "sale/Counters.h"
#include "sale/MovementWriter.h"
#include "stock/StockUpdate.h"

QString StockUpdateStore::takeDocumentNumber(const QDate &today)
{
    return StockUpdateNo(
        today, takeCounter(m_conn, CounterRowId::StockUpdateCounter, today, /*monthly=*/true));
}

qint64 StockUpdateStore::SetupNewData()
{
    return m_writer->nextKey();
}

QString StockUpdateStore::save(const StockUpdate &doc, const StockUpdateStamp &stamp)
{
    Transaction t(m_conn);
    m_writer.emplace(m_conn);
    const QString number = takeDocumentNumber(stamp.now.date());
    const QString memo = trimBlanks(stamp.memo);
    for (const ReceivedLine &line : doc.lines()) {
        const QVariant before = m_conn.scalar(
            QStringLiteral("SELECT PDvalue FROM tblProduct WHERE PK = ?1"), { line.pk });
        if (!before.isValid())
            throw MissingStockProduct(trimBlanks(line.code));
        const qint64 old = qint32(before.toLongLong());
        m_conn.execute(QStringLiteral("UPDATE tblProduct SET PDvalue = ?1 WHERE PK = ?2"),
            { old + line.quantity, line.pk });
        m_writer->write(StockMovement { MovementType::StockUpdate, line.code, line.name,
            line.description, stamp.now, number, old, double(line.quantity),
            double(old + line.quantity), stamp.user, memo });
    }
    t.commit();
    return number;
}
