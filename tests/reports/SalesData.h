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

// A sale line with every column the sales summary shows; `discount` is the receipt's discount
// as the sale counter records it on the receipt's first line.
struct TestLine
{
    const char *when; // "2024-05-15 09:00:00"
    const char *receipt;
    const char *code;
    const char *name;
    double price;
    qint64 quantity;
    double cost = 0;
    double discount = 0;
    const char *description = "";
    const char *unit = "ชิ้น";
};

inline void addLine(Connection &db, const TestLine &l)
{
    const QString when = QString::fromUtf8(l.when);
    db.execute(QStringLiteral("INSERT INTO tblLog (Lsn, Lname, Ldes, Lvalue, Lnub, Lsell, Lraka, "
                              "Ldate, LUser, LTumnang, Ldate2, Lno, Lrod) "
                              "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, 'admin', 'พนักงาน', ?9, "
                              "?10, ?11)"),
        { QString::fromUtf8(l.code), QString::fromUtf8(l.name), QString::fromUtf8(l.description),
            l.quantity, QString::fromUtf8(l.unit), l.price, l.cost, when, when.left(10),
            QString::fromUtf8(l.receipt), l.discount });
}
