#include "platform/db/SchemaUpgrade.h"
#include "platform/db/Connection.h"
#include "platform/db/SchemaVersion.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A database file of an older layout and the upgrade scripts that lead to the program's one.
class SchemaUpgrade : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath(QStringLiteral("upgrade"));
        file = dir.filePath(QStringLiteral("Ksmdata.db"));
        Connection::createFromScripts(file, {});
        Connection c;
        c.open(file);
        c.executeScript(QStringLiteral("CREATE TABLE tblThing (PK INTEGER PRIMARY KEY, a TEXT); "
                                       "INSERT INTO tblThing VALUES (1, 'หนึ่ง'); "
                                       "PRAGMA user_version = %1;")
                            .arg(kSchemaVersion - 1));
    }
    void script(int version, const QString &sql)
    {
        QFile f(dir.filePath(QStringLiteral("upgrade/%1.sql").arg(version)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(sql.toUtf8());
    }
    // The database tool, as the build and the scripts run it.
    int tool(const QStringList &args)
    {
        QProcess p;
        p.start(QStringLiteral(KASMO_MAKEDB), args);
        EXPECT_TRUE(p.waitForFinished(30000));
        output = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
        return p.exitCode();
    }
    int version(const QString &path)
    {
        Connection c;
        c.open(path);
        return schemaVersion(c);
    }
    QStringList tables(const QString &path)
    {
        Connection c;
        c.open(path);
        QStringList names;
        for (Recordset rs = c.query(QStringLiteral(
                 "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
             !rs.eof(); rs.moveNext())
            names << rs.text(0);
        return names;
    }

    QTemporaryDir dir;
    QString file, output;
};

} // namespace

TEST_F(SchemaUpgrade, TheToolUpgradesAnOlderFileAfterABackup)
{
    script(kSchemaVersion,
        QStringLiteral("ALTER TABLE tblThing ADD COLUMN b INTEGER NOT NULL DEFAULT 7;\n"
                       "CREATE TABLE tblNew (x TEXT);"));
    ASSERT_EQ(
        tool({ QStringLiteral("--upgrade"), file, dir.filePath(QStringLiteral("upgrade")) }), 0)
        << output.toStdString();
    EXPECT_EQ(version(file), kSchemaVersion);
    EXPECT_EQ(tables(file), (QStringList { QStringLiteral("tblNew"), QStringLiteral("tblThing") }));
    {
        Connection c;
        c.open(file);
        EXPECT_EQ(c.scalar(QStringLiteral("SELECT a || '/' || b FROM tblThing")),
            QStringLiteral("หนึ่ง/7"));
    }
    // The backup is the file as it was.
    const QString backup = file + QStringLiteral(".v%1.bak").arg(kSchemaVersion - 1);
    ASSERT_TRUE(QFile::exists(backup));
    EXPECT_EQ(version(backup), kSchemaVersion - 1);
    EXPECT_EQ(tables(backup), QStringList { QStringLiteral("tblThing") });

    // A file at the program's version is left alone.
    QFile::remove(backup);
    EXPECT_EQ(
        tool({ QStringLiteral("--upgrade"), file, dir.filePath(QStringLiteral("upgrade")) }), 0);
    EXPECT_FALSE(QFile::exists(backup));
}

TEST_F(SchemaUpgrade, AFailingScriptLeavesTheFileAsItWas)
{
    script(kSchemaVersion,
        QStringLiteral("CREATE TABLE tblNew (x TEXT);\nINSERT INTO tblMissing VALUES (1);"));
    EXPECT_NE(
        tool({ QStringLiteral("--upgrade"), file, dir.filePath(QStringLiteral("upgrade")) }), 0);
    EXPECT_TRUE(output.contains(QStringLiteral("tblMissing"))) << output.toStdString();
    EXPECT_EQ(version(file), kSchemaVersion - 1);
    EXPECT_EQ(tables(file), QStringList { QStringLiteral("tblThing") });

    // A missing script, or a newer file, is refused the same way.
    QFile::remove(dir.filePath(QStringLiteral("upgrade/%1.sql").arg(kSchemaVersion)));
    EXPECT_THROW(
        upgradeDatabase(file, dir.filePath(QStringLiteral("upgrade")), kSchemaVersion, false),
        DbError);
    EXPECT_EQ(version(file), kSchemaVersion - 1);
    EXPECT_THROW(
        upgradeDatabase(file, dir.filePath(QStringLiteral("upgrade")), kSchemaVersion - 2, false),
        SchemaVersionError);
}

TEST_F(SchemaUpgrade, TheDeliveredFileIsMadeAtTheProgramsVersion)
{
    const QString made = dir.filePath(QStringLiteral("made/Ksmdata.db"));
    const QString data = QStringLiteral(KASMO_DATA_SOURCE_DIR);
    ASSERT_EQ(tool({ QStringLiteral("--if-missing"), QStringLiteral("--upgrades"),
                  data + QStringLiteral("/upgrade"), made, data + QStringLiteral("/schema.sql"),
                  data + QStringLiteral("/seed.sql") }),
        0)
        << output.toStdString();
    EXPECT_EQ(version(made), kSchemaVersion);
    EXPECT_FALSE(QFile::exists(made + QStringLiteral(".new")));
}
