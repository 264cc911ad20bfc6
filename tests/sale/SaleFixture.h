#pragma once
#include "support/TempProgramFolder.h"
#include <QString>

// Products of the test shop: unit 1 "ชิ้น", unit 2 "แพ็ค".
inline void addTestUnits(Connection &db)
{
    db.execute(QStringLiteral("INSERT INTO tblNub (nPK, nName) VALUES (1, 'ชิ้น'), (2, 'แพ็ค')"));
}

struct TestProduct
{
    qint64 pk;
    QString code;
    QString name;
    double sell = 0, special1 = 0, special2 = 0, cost = 0;
    bool wholesale = false;
    QVariant wholesaleQty; // invalid: NULL
    double wholesalePrice = 0;
    qint64 stock = 0;
    QString picture;
    int unit = 1;
};

inline void addTestProduct(Connection &db, const TestProduct &p)
{
    db.execute(
        QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, PDvalue, PDsell, Praka1, "
                       "Praka2, PDraka, PSong, PNumSong, PRakaSong, PDpic, NubFK) "
                       "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)"),
        { p.pk, p.code, p.name, QStringLiteral("des ") + p.code, p.stock, p.sell, p.special1,
            p.special2, p.cost, p.wholesale ? 1 : 0,
            p.wholesaleQty.isValid() ? p.wholesaleQty : QVariant(), p.wholesalePrice, p.picture,
            p.unit });
}
