#include "platform/db/Connection.h"
#include "platform/db/RowWriter.h"
#include "platform/db/TextMatch.h"
#include "support/TempProgramFolder.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

class ConnectionTest : public ::testing::Test
{
protected:
    TempProgramFolder folder;
    Connection &db = folder.db();
};

TEST_F(ConnectionTest, EveryColumnKindRoundTripsThaiIncluded)
{
    RowWriter(db, "tblProduct")
        .set("PK", 7)
        .set("PDsn", "885001")
        .set("PDname", QStringLiteral(" น้ำดื่ม 600 มล."))
        .set("PDdes", QStringLiteral("ขวด"))
        .set("PDvalue", -2)
        .set("PDsell", 12.5)
        .set("PSong", true)
        .set("PNumSong", QVariant())
        .insert();
    Recordset rs = db.query("SELECT * FROM tblProduct WHERE PK=?", { 7 });
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.text("PDname"), QStringLiteral(" น้ำดื่ม 600 มล."));
    EXPECT_EQ(rs.integer("PDvalue"), -2);
    EXPECT_DOUBLE_EQ(rs.real("PDsell"), 12.5);
    EXPECT_TRUE(rs.boolean("PSong"));
    EXPECT_TRUE(rs.isNull("PNumSong"));
    EXPECT_EQ(rs.text("PNumSong"), "");
    EXPECT_EQ(rs.integer("pnumsong"), 0); // field names match without regard to case
    rs.moveNext();
    EXPECT_TRUE(rs.eof());

    const QDateTime t(QDate(2026, 12, 8), QTime(23, 5, 9));
    RowWriter(db, "tblRMoney")
        .set("rMoney", 20.0)
        .set("rTime", t)
        .set("rUser", "Admin")
        .set("rNo", "INV-691200001")
        .insert();
    EXPECT_EQ(db.scalar("SELECT rTime FROM tblRMoney WHERE PK=?", { db.lastInsertId() }).toString(),
        "2026-12-08 23:05:09");
}

TEST_F(ConnectionTest, UserNamesMatchWithoutRegardToCase)
{
    EXPECT_EQ(db.scalar("SELECT PK FROM tblUser WHERE UID=?", { "ADMIN" }).toInt(), 1);
}

TEST_F(ConnectionTest, ApostrophesTravelAsParameters)
{
    const QString name = QStringLiteral("O'Brien's \"best\"; DROP TABLE tblNub; --");
    db.execute("INSERT INTO tblNub (nPK, nName) VALUES (?, ?)", { 5, name });
    EXPECT_EQ(db.scalar("SELECT nName FROM tblNub WHERE nName=?", { name }).toString(), name);
    EXPECT_EQ(db.scalar("SELECT count(*) FROM tblNub").toInt(), 2);
}

TEST_F(ConnectionTest, RolledBackTransactionLeavesNothing)
{
    {
        Transaction tx(db);
        db.execute("INSERT INTO tblNub (nPK, nName) VALUES (1, 'box')");
        db.execute("UPDATE tblNumber SET numA=99 WHERE nPK=2");
    } // no commit
    EXPECT_EQ(db.scalar("SELECT count(*) FROM tblNub").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT numA FROM tblNumber WHERE nPK=2").toInt(), 0);

    Transaction tx(db);
    db.execute("INSERT INTO tblNub (nPK, nName) VALUES (1, 'box')");
    tx.commit();
    EXPECT_EQ(db.scalar("SELECT count(*) FROM tblNub").toInt(), 2);
}

TEST_F(ConnectionTest, FailureInsideTransactionRollsBackAndCarriesEngineText)
{
    try {
        Transaction tx(db);
        db.execute("INSERT INTO tblNub (nPK, nName) VALUES (1, 'box')");
        db.execute("INSERT INTO tblNub (nPK, nName) VALUES (1, 'again')");
        tx.commit();
        FAIL() << "a duplicate key must fail";
    } catch (const DbError &e) {
        EXPECT_FALSE(e.text().isEmpty());
    }
    EXPECT_EQ(db.scalar("SELECT count(*) FROM tblNub").toInt(), 1);
    EXPECT_FALSE(db.inTransaction());
}

TEST_F(ConnectionTest, MaxOverAnEmptyTableIsNull)
{
    const QVariant v = db.scalar("SELECT Max(PK) FROM tblProduct");
    EXPECT_TRUE(v.isValid());
    EXPECT_TRUE(v.isNull());
    EXPECT_FALSE(db.scalar("SELECT PK FROM tblProduct").isValid()); // no row at all
}

TEST_F(ConnectionTest, StatementHookCanInjectAFailure)
{
    Connection::setStatementHook([](const QString &sql) {
        if (sql.startsWith("UPDATE"))
            throw DbError("injected");
    });
    EXPECT_THROW(db.execute("UPDATE tblNumber SET numA=1 WHERE nPK=1"), DbError);
    Connection::setStatementHook({});
    EXPECT_EQ(db.execute("UPDATE tblNumber SET numA=1 WHERE nPK=1"), 1);
}

TEST(ConnectionOpen, MissingOrBrokenFileRaisesWithText)
{
    QTemporaryDir dir;
    Connection c;
    try {
        c.open(dir.path() + "/data/Ksmdata.db");
        FAIL();
    } catch (const DbError &e) {
        EXPECT_FALSE(e.text().isEmpty());
    }
    EXPECT_FALSE(c.isOpen());
    EXPECT_FALSE(QFile::exists(dir.path() + "/data/Ksmdata.db")); // never created

    QFile junk(dir.path() + "/junk.db");
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    EXPECT_THROW(c.open(junk.fileName()), DbError);
    EXPECT_FALSE(c.isOpen());
}

TEST(ConnectionOpen, ReadOnlyFileIsRefused)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes to read-only files";
    TempProgramFolder folder;
    ASSERT_TRUE(QFile::setPermissions(folder.databasePath(), QFile::ReadOwner | QFile::ReadUser));
    Connection c;
    try {
        c.open(folder.databasePath());
        FAIL() << "a read-only file must not open";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("อ่านอย่างเดียว")));
    }
    EXPECT_FALSE(c.isOpen());
}

TEST(ConnectionOpen, UsesDurableWriteAheadLog)
{
    TempProgramFolder folder;
    Connection &c = folder.db();
    EXPECT_EQ(c.scalar("PRAGMA journal_mode").toString().toLower(), "wal");
    EXPECT_EQ(c.scalar("PRAGMA synchronous").toInt(), 2); // FULL
}

TEST_F(ConnectionTest, LikeContainsMatchesTypedTextLiterally)
{
    const struct
    {
        const char *stored;
        const char *typed;
        bool found;
    } cases[] = {
        { "A_1", "A_1", true }, { "AB1", "A_1", false }, { "50% off", "50%", true },
        { "500 off", "50%", false }, { "a\\b", "a\\b", true }, { "ab", "a\\b", false },
        { "Coffee", "FFE", true }, // ASCII letters compare without regard to case
    };
    for (const auto &c : cases) {
        const QVariant hit = db.scalar(QStringLiteral("SELECT 1 WHERE ? LIKE ?") + kLikeEscape,
            { QString::fromUtf8(c.stored), likeContains(QString::fromUtf8(c.typed)) });
        EXPECT_EQ(hit.isValid(), c.found) << c.stored << " / " << c.typed;
    }
}

TEST_F(ConnectionTest, ThaiCollationPutsLeadingVowelsInDictionaryOrder)
{
    db.executeScript(QStringLiteral("CREATE TEMP TABLE n(t TEXT);"));
    for (const char *t : { "ไข่ไก่", "กาแฟ", "เกลือ", "ขนม" })
        db.execute(QStringLiteral("INSERT INTO n VALUES (?)"), { QString::fromUtf8(t) });
    Recordset rs = db.query(QStringLiteral("SELECT t FROM n ORDER BY t COLLATE THAI"));
    QStringList order;
    for (; !rs.eof(); rs.moveNext())
        order << rs.text("t");
    EXPECT_EQ(order.join(','), QStringLiteral("กาแฟ,เกลือ,ขนม,ไข่ไก่"));
}

TEST_F(ConnectionTest, StatementsRunAgainAreReusedWithFreshBindings)
{
    const QString insert = QStringLiteral("INSERT INTO tblNub (nPK, nName) VALUES (?1, ?2)");
    const QString find = QStringLiteral("SELECT nName FROM tblNub WHERE nPK = ?1");
    db.execute(insert, { 10, QStringLiteral("ชิ้น") });
    const int prepared = db.statementsPrepared();
    for (int k = 11; k < 60; ++k)
        db.execute(insert, { k, QStringLiteral("u%1").arg(k) });
    EXPECT_EQ(db.statementsPrepared(), prepared) << "one insert, prepared once";

    // Every run sees its own values, and a failed run leaves the statement usable.
    EXPECT_EQ(db.scalar(find, { 10 }), QStringLiteral("ชิ้น"));
    EXPECT_EQ(db.scalar(find, { 59 }), QStringLiteral("u59"));
    EXPECT_FALSE(db.scalar(find, { 99 }).isValid());
    EXPECT_THROW(db.execute(insert, { 10, QStringLiteral("again") }), DbError);
    EXPECT_THROW(db.execute(insert, { 61 }), DbError) << "a missing value is refused";
    db.execute(insert, { 60, QStringLiteral("u60") });
    EXPECT_EQ(db.scalar(find, { 60 }), QStringLiteral("u60"));

    // The same text while its statement is still open gets a statement of its own.
    Recordset outer = db.query(find, { 10 });
    Recordset inner = db.query(find, { 11 });
    EXPECT_EQ(outer.text(0), QStringLiteral("ชิ้น"));
    EXPECT_EQ(inner.text(0), QStringLiteral("u11"));
    inner.close();
    outer.close();

    // A kept statement holds no lock: another connection can write at once.
    Connection other;
    other.open(folder.databasePath());
    EXPECT_EQ(other.execute(QStringLiteral("DELETE FROM tblNub WHERE nPK >= 10")), 51);
}
