#include "support/TempProgramFolder.h"
#include <gtest/gtest.h>

// The delivered database holds exactly the settings rows the program expects.
TEST(Seed, HoldsExactlyTheDeliveredRows)
{
    TempProgramFolder folder;
    Connection &db = folder.db();

    Recordset n = db.query("SELECT nPK, numA, numMon FROM tblNumber ORDER BY nPK");
    const struct
    {
        int pk, a;
        const char *mon;
    } expected[] = { { 1, 0, "00" }, { 2, 0, "00" }, { 3, 0, "00" }, { 4, 0, "00" }, { 5, 1, "00" },
        { 6, 0, "0" } };
    for (const auto &e : expected) {
        ASSERT_FALSE(n.eof());
        EXPECT_EQ(n.integer("nPK"), e.pk);
        EXPECT_EQ(n.integer("numA"), e.a);
        EXPECT_EQ(n.text("numMon"), QString::fromLatin1(e.mon));
        n.moveNext();
    }
    EXPECT_TRUE(n.eof());

    for (const auto &[table, key, name] :
        { std::tuple { "tblNub", "nPK", "nName" }, std::tuple { "tblGroup", "gPK", "gName" },
            std::tuple { "tblGeb", "gePK", "geName" } }) {
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt(), 1)
            << table;
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3=0").arg(name, table, key))
                      .toString(),
            "-");
    }
    EXPECT_EQ(db.scalar("SELECT count(*) FROM tblSetPrint WHERE PK=1").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM tblSetPrint").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM tblSetBarcode").toInt(), 1);

    Recordset u = db.query("SELECT * FROM tblUser");
    ASSERT_FALSE(u.eof());
    EXPECT_EQ(u.integer("PK"), 1);
    EXPECT_EQ(u.text("UID"), "admin");
    EXPECT_EQ(u.text("UTumnang"), QStringLiteral("ผู้ดูแลระบบ"));
    EXPECT_TRUE(u.text("UPASS").startsWith("pbkdf2$100000$"));
    for (const char *lv : { "ULv1", "ULv2", "ULv3", "ULv4", "ULv5" })
        EXPECT_TRUE(u.boolean(lv)) << lv;
    u.moveNext();
    EXPECT_TRUE(u.eof());

    for (const char *empty : { "tblProduct", "tblLog", "tblLog2", "tblRMoney" })
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(empty)).toInt(), 0)
            << empty;
}
