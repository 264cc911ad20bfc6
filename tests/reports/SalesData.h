#pragma once
#include "platform/db/Connection.h"
#include <QString>

// Sale lines and discount rows written straight into a test shop, dated as given
// ("2024-05-14 10:00:00").
inline void addSaleLine(Connection &db, const QString &when, const QString &receipt,
    const QString &code, double price, qint64 quantity,
    const QString &user = QStringLiteral("admin"), double cost = 0,
    const QString &name = QStringLiteral(" สินค้า"))
{
    db.execute(QStringLiteral("INSERT INTO tblLog (Lsn, Lname, Ldes, Lvalue, Lnub, Lsell, Lraka, "
                              "Ldate, LUser, LTumnang, Ldate2, Lno) "
                              "VALUES (?1, ?2, '', ?3, 'ชิ้น', ?4, ?5, ?6, ?7, 'พนักงาน', ?8, ?9)"),
        { code, name, quantity, price, cost, when, user, when.left(10), receipt });
}

inline void addDiscount(Connection &db, const QString &when, const QString &receipt, double amount,
    const QString &user = QStringLiteral("admin"))
{
    db.execute(
        QStringLiteral("INSERT INTO tblRMoney (rMoney, rTime, rUser, rNo) VALUES (?1, ?2, ?3, ?4)"),
        { amount, when, user, receipt });
}
