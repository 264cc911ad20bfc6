#include "sale/SaleStore.h"
#include "records/DateText.h"
#include "sale/Counters.h"

SaleStore::SaleStore(Connection &conn, const Sale &sale, const SaleStamp &stamp)
    : m_conn(conn)
    , m_sale(sale)
    , m_stamp(stamp)
    , m_transaction(std::make_unique<Transaction>(conn))
    , m_movements(conn)
{ }

QString SaleStore::takeReceiptNo()
{
    m_receiptNo = ::takeReceiptNo(m_conn, m_stamp.now.date());
    return m_receiptNo;
}

void SaleStore::storeDiscount()
{
    if (m_sale.discountFigure <= Currency())
        return;
    m_conn.execute(
        QStringLiteral("INSERT INTO tblRMoney (rMoney, rTime, rUser, rNo) VALUES (?1, ?2, ?3, ?4)"),
        { saleDiscount(m_sale).toDouble(), DateText::storage(m_stamp.now), m_stamp.user,
            m_receiptNo });
}

qint64 SaleStore::takeMovementKeys()
{
    return m_movements.nextKey();
}

void SaleStore::storeStock()
{
    for (const SaleLine &l : m_sale.lines) {
        const QVariant before = m_conn.scalar(
            QStringLiteral("SELECT PDvalue FROM tblProduct WHERE PK = ?1"), { l.productKey });
        if (!before.isValid())
            throw MissingSaleProduct(l.code.trimmed());
        const qint64 old = qint32(before.toLongLong());
        m_conn.execute(QStringLiteral("UPDATE tblProduct SET PDvalue = ?1 WHERE PK = ?2"),
            { old - l.quantity, l.productKey });
        m_movements.write({ .type = MovementType::Sale,
            .code = l.code,
            .name = l.name,
            .description = l.description,
            .time = m_stamp.now,
            .documentNo = m_receiptNo,
            .stockBefore = old,
            .quantity = double(l.quantity),
            .stockAfter = double(old - l.quantity),
            .user = m_stamp.user });
    }
}

void SaleStore::storeLines()
{
    const bool wholesale = hasWholesaleLine(m_sale);
    const double discount = saleDiscount(m_sale).toDouble();
    bool first = true;
    for (const SaleLine &l : m_sale.lines) {
        m_conn.execute(
            QStringLiteral(
                "INSERT INTO tblLog (Lsn, Lname, Ldes, Lvalue, Lnub, Lsell, Lraka, Ldate, "
                "LUser, LTumnang, Ldate2, Lno, Lrod, Lsong, Lraka12) "
                "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)"),
            { l.code, QLatin1Char(' ') + l.name, l.description, l.quantity, l.unit,
                l.unitPrice.toDouble(), l.cost.toDouble(), DateText::storage(m_stamp.now),
                m_stamp.user, m_stamp.position, DateText::storageDate(m_stamp.now.date()),
                m_receiptNo, first ? discount : 0.0, wholesale ? 1 : 0, int(m_sale.priceType) });
        first = false;
    }
}

StoredSale SaleStore::commit()
{
    m_transaction->commit();
    return { m_sale, m_receiptNo, m_stamp.now, m_stamp.user };
}

StoredSale storeSale(Connection &conn, const Sale &sale, const SaleStamp &stamp)
{
    SaleStore store(conn, sale, stamp);
    store.takeReceiptNo();
    store.storeDiscount();
    store.takeMovementKeys();
    store.storeStock();
    store.storeLines();
    return store.commit();
}
