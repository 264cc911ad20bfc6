#include "sale/MovementWriter.h"
#include "platform/db/Connection.h"
#include "records/DateText.h"

qint64 MovementWriter::nextKey()
{
    if (m_next == 0) {
        const QVariant max = m_conn.scalar(QStringLiteral("SELECT Max(PK) FROM tblLog2"));
        m_next = (max.isValid() && !max.isNull()) ? max.toLongLong() + 1 : 1;
    }
    return m_next;
}

qint64 MovementWriter::write(const StockMovement &m)
{
    const qint64 key = nextKey();
    m_conn.execute(QStringLiteral("INSERT INTO tblLog2 (PK, dType, dSN, dName, dDes, dTime, dNo, "
                                  "dValueold, dValue, dValuenew, dUser, dMemo) "
                                  "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)"),
        { key, int(m.type), m.code.trimmed(), m.name.trimmed(), m.description.trimmed(),
            DateText::storage(m.time), m.documentNo, m.stockBefore, m.quantity, m.stockAfter,
            m.user, m.memo });
    m_next = key + 1;
    return key;
}
