#include "Returns.h"
#include "platform/db/Connection.h"
#include "records/Codes.h"
#include "sale/MovementWriter.h"
#include "sale/SaleRules.h"

namespace {

const QString kLineColumns = QStringLiteral(
    "SELECT LPK, Lsn, Lname, Ldes, Lvalue, Lnub, Lsell, Lraka, Lrod, Lsong, Lraka12 FROM tblLog ");

BillLine readLine(const Recordset &rs)
{
    BillLine l;
    l.key = rs.integer(0);
    l.code = rs.text(1);
    l.name = rs.text(2);
    l.description = rs.text(3);
    l.quantity = rs.integer(4);
    l.unit = rs.text(5);
    l.price = Currency::fromDouble(rs.real(6));
    l.cost = Currency::fromDouble(rs.real(7));
    l.discount = Currency::fromDouble(rs.real(8));
    l.wholesale = rs.integer(9) != 0;
    l.priceType = int(rs.integer(10));
    return l;
}

// Lno is NOCASE: "=" is an exact match in any letter case, and the number stays a value.
QList<BillLine> storedLines(Connection &conn, const QString &billNo)
{
    QList<BillLine> lines;
    for (Recordset rs
         = conn.query(kLineColumns + QStringLiteral("WHERE Lno = ?1 ORDER BY LPK"), { billNo });
         !rs.eof(); rs.moveNext())
        lines.append(readLine(rs));
    return lines;
}

// Stock is found by code; PDsn is unique in any letter case.
std::optional<qint64> productStock(Connection &conn, const QString &code, qint64 *pk)
{
    Recordset rs = conn.query(
        QStringLiteral("SELECT PK, PDvalue FROM tblProduct WHERE PDsn = ?1"), { trimBlanks(code) });
    if (rs.eof())
        return std::nullopt;
    *pk = rs.integer(0);
    return qint64(qint32(rs.integer(1)));
}

// Raises the product's stock and writes its type-3 movement row; returns the stock before.
qint64 putBack(Connection &conn, MovementWriter &movements, const QString &billNo,
    const BillLine &line, qint64 quantity, const ReturnStamp &stamp, qint64 *movementKey = nullptr)
{
    qint64 pk = 0;
    const std::optional<qint64> old = productStock(conn, line.code, &pk);
    if (!old)
        throw MissingReturnProduct(trimBlanks(line.code));
    conn.execute(QStringLiteral("UPDATE tblProduct SET PDvalue = ?1 WHERE PK = ?2"),
        { *old + quantity, pk });
    const qint64 key = movements.write({ .type = MovementType::SaleReturn,
        .code = line.code,
        .name = line.name,
        .description = line.description,
        .time = stamp.now,
        .documentNo = billNo,
        .stockBefore = *old,
        .quantity = double(quantity),
        .stockAfter = double(*old + quantity),
        .user = stamp.user });
    if (movementKey)
        *movementKey = key;
    return *old;
}

} // namespace

std::optional<StoredBill> loadBill(Connection &conn, const QString &typedNumber)
{
    const QString typed = typedNumber.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    Recordset rs = conn.query(
        QStringLiteral("SELECT Lno FROM tblLog WHERE Lno = ?1 ORDER BY LPK LIMIT 1"), { typed });
    if (rs.eof())
        return std::nullopt;
    StoredBill bill;
    bill.number = rs.text(0);
    rs.close();
    bill.lines = storedLines(conn, bill.number);
    for (const BillLine &l : bill.lines) {
        bill.discount += l.discount;
        bill.wholesale = l.wholesale;
        bill.priceType = l.priceType;
    }
    return bill;
}

int returnWholeBill(Connection &conn, const QString &billNo, const ReturnStamp &stamp)
{
    Transaction t(conn);
    const QList<BillLine> lines = storedLines(conn, billNo);
    // A product that is gone would leave its quantity nowhere: refuse before any change.
    for (const BillLine &l : lines) {
        qint64 pk = 0;
        if (!productStock(conn, l.code, &pk))
            throw MissingReturnProduct(trimBlanks(l.code));
    }
    MovementWriter movements(conn);
    for (const BillLine &l : lines)
        putBack(conn, movements, billNo, l, l.quantity, stamp);
    conn.execute(QStringLiteral("DELETE FROM tblLog WHERE Lno = ?1"), { billNo });
    conn.execute(QStringLiteral("DELETE FROM tblRMoney WHERE rNo = ?1"), { billNo });
    t.commit();
    return int(lines.size());
}

LineReturn returnBillLine(Connection &conn, const QString &billNo, qint64 lineKey, qint64 quantity,
    const ReturnStamp &stamp)
{
    Transaction t(conn);
    const QList<BillLine> lines = storedLines(conn, billNo);
    Currency discount;
    bool wholesale = false;
    const BillLine *line = nullptr;
    for (const BillLine &l : lines) {
        discount += l.discount;
        wholesale = wholesale || l.wholesale;
        if (l.key == lineKey)
            line = &l;
    }
    if (!line)
        throw ReturnRefused("the line is not stored under this bill");
    if (!discount.isZero() || wholesale)
        throw ReturnRefused("the bill carries a discount or a wholesale price");
    if (quantity < 1 || quantity > line->quantity)
        throw ReturnRefused("quantity out of range");

    LineReturn r;
    r.line = *line;
    MovementWriter movements(conn);
    r.stockBefore = putBack(conn, movements, billNo, *line, quantity, stamp, &r.movementKey);
    r.remaining = line->quantity - quantity;
    // The rest of the line keeps the price paid and everything else it was sold with.
    if (r.remaining > 0)
        conn.execute(QStringLiteral("UPDATE tblLog SET Lvalue = ?1 WHERE LPK = ?2"),
            { r.remaining, lineKey });
    else
        conn.execute(QStringLiteral("DELETE FROM tblLog WHERE LPK = ?1"), { lineKey });
    conn.execute(QStringLiteral("DELETE FROM tblRMoney WHERE rNo = ?1"), { billNo });
    t.commit();
    return r;
}
