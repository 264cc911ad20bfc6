#pragma once
#include "support/TempProgramFolder.h"
#include <QStringList>

struct LineOptions
{
    const char *user = "admin";
    double discount = 0;
    bool wholesale = false;
    int priceType = 0;
};

// Rows of a test shop: three products and bills written straight into tblLog.
//   AB1 "สบู่ AB1" unit ชิ้น, stock 50    CD2 "น้ำ CD2" unit แพ็ค, stock 1
//   EF3 "ยางลบ EF3" unit ชิ้น, stock 9
class ShopRows
{
public:
    explicit ShopRows(Connection &c)
        : m_db(c)
    { }
    Connection &db() { return m_db; }

    void addProducts()
    {
        db().execute(
            QStringLiteral("INSERT INTO tblNub (nPK, nName) VALUES (1, 'ชิ้น'), (2, 'แพ็ค')"));
        addProduct(1, "AB1", "สบู่ AB1", 1, 50);
        addProduct(2, "CD2", "น้ำ CD2", 2, 1);
        addProduct(3, "EF3", "ยางลบ EF3", 1, 9);
    }
    void addProduct(int pk, const char *code, const char *name, int unit, int stock)
    {
        db().execute(
            QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, PDvalue, "
                           "PDsell, PDraka, NubFK) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"),
            { pk, QString::fromUtf8(code), QString::fromUtf8(name),
                QStringLiteral("des ") + QString::fromUtf8(code), stock, 10.0, 6.0, unit });
    }

    // A sale line as the sale page stores it, taking name, description and unit from the
    // product.
    void addLine(
        const char *billNo, const char *code, int qty, double price, const LineOptions &o = {})
    {
        db().execute(QStringLiteral(
                         "INSERT INTO tblLog (Lsn, Lname, Ldes, Lvalue, Lnub, Lsell, Lraka, Ldate, "
                         "LUser, LTumnang, Ldate2, Lno, Lrod, Lsong, Lraka12) "
                         "SELECT p.PDsn, ' ' || p.PDname, p.PDdes, ?2, n.nName, ?3, 6.0, "
                         "'2024-05-01 10:00:00', ?4, 'พนักงาน', '2024-05-01', ?5, ?6, ?7, ?8 "
                         "FROM tblProduct p JOIN tblNub n ON n.nPK = p.NubFK WHERE p.PDsn = ?1"),
            { QString::fromUtf8(code), qty, price, QString::fromUtf8(o.user),
                QString::fromUtf8(billNo), o.discount, o.wholesale ? 1 : 0, o.priceType });
    }
    void addDiscount(const char *billNo, double amount)
    {
        db().execute(QStringLiteral("INSERT INTO tblRMoney (rMoney, rTime, rUser, rNo) "
                                    "VALUES (?1, '2024-05-01 10:00:00', 'admin', ?2)"),
            { amount, QString::fromUtf8(billNo) });
    }
    void addMovement(int pk)
    {
        db().execute(
            QStringLiteral("INSERT INTO tblLog2 (PK, dType, dSN, dName, dTime, dNo, "
                           "dValueold, dValue, dValuenew, dUser) VALUES "
                           "(?1, 1, 'AB1', 'x', '2024-04-01 08:00:00', 'SA-1', 0, 1, 1, 'admin')"),
            { pk });
    }
    void setStock(const char *code, int stock)
    {
        db().execute(QStringLiteral("UPDATE tblProduct SET PDvalue = ?1 WHERE PDsn = ?2"),
            { stock, QString::fromUtf8(code) });
    }

    qint64 stock(const char *code)
    {
        return db()
            .scalar(QStringLiteral("SELECT PDvalue FROM tblProduct WHERE PDsn = ?1"),
                { QString::fromUtf8(code) })
            .toLongLong();
    }
    qint64 count(const char *table, const char *column, const char *value)
    {
        return db()
            .scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?1")
                        .arg(QString::fromLatin1(table), QString::fromLatin1(column)),
                { QString::fromUtf8(value) })
            .toLongLong();
    }
    // Movement rows in key order: PK|dType|dSN|dName|dDes|dTime|dNo|old|qty|new|dUser.
    QStringList movements()
    {
        return rows(QStringLiteral(
            "SELECT PK || '|' || dType || '|' || dSN || '|' || dName || '|' || dDes || '|' || "
            "dTime || '|' || dNo || '|' || dValueold || '|' || dValue || '|' || dValuenew || "
            "'|' || dUser FROM tblLog2 ORDER BY PK"));
    }
    // A bill's stored lines, every column: LPK|Lsn|Lname|Ldes|Lvalue|Lsell|Lraka|Ldate|LUser|
    // LTumnang|Ldate2|Lno|Lrod|Lsong|Lraka12.
    QStringList storedLines(const char *billNo)
    {
        return rows(
            QStringLiteral("SELECT LPK || '|' || Lsn || '|' || Lname || '|' || Ldes || "
                           "'|' || Lvalue || '|' || printf('%.2f', Lsell) || '|' || "
                           "printf('%.2f', Lraka) || '|' || Ldate || '|' || LUser || '|' || "
                           "LTumnang || '|' || Ldate2 || '|' || Lno || '|' || "
                           "printf('%.2f', Lrod) || '|' || Lsong || '|' || Lraka12 "
                           "FROM tblLog WHERE Lno = ?1 ORDER BY LPK"),
            { QString::fromUtf8(billNo) });
    }
    // What the customer paid for a bill, as the sales summaries add it up.
    double billSum(const char *billNo)
    {
        const QString no = QString::fromUtf8(billNo);
        return db().scalar(QStringLiteral("SELECT coalesce(sum(Lvalue * Lsell), 0) FROM tblLog "
                                          "WHERE Lno = ?1"),
                       { no })
                   .toDouble()
            - db().scalar(QStringLiteral("SELECT coalesce(sum(rMoney), 0) FROM tblRMoney "
                                         "WHERE rNo = ?1"),
                      { no })
                  .toDouble();
    }

private:
    Connection &m_db;

    QStringList rows(const QString &sql, const QVariantList &params = {})
    {
        QStringList out;
        for (Recordset rs = db().query(sql, params); !rs.eof(); rs.moveNext())
            out << rs.text(0);
        return out;
    }
};

// The same on a temporary program folder of its own.
struct OwnFolder
{
    TempProgramFolder folder;
};
class ReturnShop : public OwnFolder, public ShopRows
{
public:
    ReturnShop()
        : ShopRows(folder.db())
    { }
};
