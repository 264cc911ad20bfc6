#include "platform/db/Maintenance.h"
#include "platform/db/Connection.h"
#include "support/TempProgramFolder.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

class MaintenanceTest : public ::testing::Test
{
protected:
    void addProducts(int from, int count, int nameLength = 40)
    {
        Transaction t(db);
        for (int pk = from; pk < from + count; ++pk)
            db.execute(
                QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname) VALUES (?1, ?2, ?3)"),
                { pk, QStringLiteral("P%1").arg(pk),
                    QStringLiteral("สินค้า %1 ").arg(pk) + QString(nameLength, QLatin1Char('x')) });
        t.commit();
    }
    static qint64 rows(Connection &c, const char *table)
    {
        return c.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table)))
            .toLongLong();
    }
    QStringList filesIn(const QString &dir) const
    {
        return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    TempProgramFolder folder;
    Connection db;
    QTemporaryDir out;

    void SetUp() override { db.open(folder.databasePath()); }
};

TEST_F(MaintenanceTest, BackupIsAWholeDatabaseAndTheConnectionKeepsWorking)
{
    addProducts(1, 500);
    db.execute(QStringLiteral("INSERT INTO tblLog (Ldate, Ldate2, Lno) VALUES ('2026-01-02 "
                              "10:00:00', '2026-01-02', 'INV-690100001')"));
    const QString target = out.path() + QStringLiteral("/สำรอง.db");
    // An older file under the chosen name is replaced.
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("not a database");
    }
    DbMaintenance::backup(db, target);

    // The program goes on selling on its own connection, which the copy does not see.
    db.execute(QStringLiteral("INSERT INTO tblLog (Ldate, Ldate2, Lno) VALUES ('2026-01-02 "
                              "10:01:00', '2026-01-02', 'INV-690100002')"));
    EXPECT_FALSE(db.inTransaction());

    Connection copy;
    copy.open(target);
    for (const char *table : { "tblProduct", "tblLog", "tblUser", "tblNumber", "tblNub",
             "tblSetPrint", "tblSetBarcode" })
        EXPECT_EQ(rows(copy, table), rows(db, table) - (QLatin1String(table) == "tblLog")) << table;
    EXPECT_EQ(copy.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
    EXPECT_EQ(copy.scalar(QStringLiteral("SELECT PDname FROM tblProduct WHERE PK = 250")),
        db.scalar(QStringLiteral("SELECT PDname FROM tblProduct WHERE PK = 250")));
    copy.close();
    // Only the copy is left in the folder: no temporary name.
    EXPECT_EQ(filesIn(out.path()), QStringList { QStringLiteral("สำรอง.db") });
}

TEST_F(MaintenanceTest, FailedBackupLeavesNoPartialFileUnderTheChosenName)
{
    addProducts(1, 4000, 400); // a few megabytes
    const QString target = out.path() + QStringLiteral("/backup.db");
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("yesterday's copy");
    }
    // A full disk in the middle of the copy: writes past 256 KiB fail.
    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 256 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        DbMaintenance::backup(db, target);
    } catch (const DbError &e) {
        threw = true;
        // The size limit makes the system say "File too large" (EFBIG): told in Thai, after
        // the engine's own sentence.
        EXPECT_EQ(e.text(), QStringLiteral("อ่านหรือเขียนแฟ้มฐานข้อมูลไม่ได้ : ไฟล์ใหญ่เกินกว่าที่ดิสก์นี้จะเก็บได้"));
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("yesterday's copy"));
    EXPECT_EQ(filesIn(out.path()), QStringList { QStringLiteral("backup.db") });
    EXPECT_EQ(rows(db, "tblProduct"), 4000) << "the open database is untouched";
}

TEST_F(MaintenanceTest, RefusalsChangeNothing)
{
    struct Case
    {
        const char *what;
        std::function<void()> run;
    };
    const QString missingFolder = out.path() + QStringLiteral("/no/such/folder/copy.db");
    const Case cases[] = {
        { "a folder that does not exist", [&] { DbMaintenance::backup(db, missingFolder); } },
        { "the open database itself", [&] { DbMaintenance::backup(db, folder.databasePath()); } },
        { "a backup inside a transaction",
            [&] {
                Transaction t(db);
                DbMaintenance::backup(db, out.path() + QStringLiteral("/t.db"));
            } },
        { "a compact inside a transaction",
            [&] {
                Transaction t(db);
                DbMaintenance::compact(db);
            } },
    };
    addProducts(1, 3);
    for (const Case &c : cases) {
        EXPECT_THROW(c.run(), DbError) << c.what;
        EXPECT_FALSE(db.inTransaction()) << c.what;
    }
    EXPECT_TRUE(filesIn(out.path()).isEmpty());
    EXPECT_EQ(rows(db, "tblProduct"), 3);
    EXPECT_EQ(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
}

TEST_F(MaintenanceTest, CompactShrinksAFileWithDeletedRowsAndReportsTheCheck)
{
    addProducts(1, 3000, 300);
    db.execute(QStringLiteral("DELETE FROM tblProduct WHERE PK > 100"));
    db.executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    const qint64 before = QFileInfo(folder.databasePath()).size();

    EXPECT_EQ(DbMaintenance::compact(db), QStringLiteral("ok"));

    const qint64 after = QFileInfo(folder.databasePath()).size();
    EXPECT_LT(after * 3, before) << before << " -> " << after;
    EXPECT_EQ(rows(db, "tblProduct"), 100);
    EXPECT_FALSE(db.inTransaction());
    // Still the durable journal, and still writable.
    EXPECT_EQ(db.scalar(QStringLiteral("PRAGMA journal_mode")).toString(), "wal");
    addProducts(101, 1);
    EXPECT_EQ(rows(db, "tblProduct"), 101);
}

} // namespace
