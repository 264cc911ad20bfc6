#include "SchemaUpgrade.h"
#include "Connection.h"
#include <QFile>
#include <sqlite3.h>

int schemaVersion(Connection &conn)
{
    return int(conn.scalar(QStringLiteral("PRAGMA user_version")).toLongLong());
}

namespace {

void backUp(Connection &conn, const QString &to)
{
    QFile::remove(to);
    sqlite3 *dest = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(to).constData(), &dest,
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup *b = sqlite3_backup_init(dest, "main", conn.handle(), "main");
        if (b) {
            sqlite3_backup_step(b, -1);
            sqlite3_backup_finish(b);
        }
        rc = sqlite3_errcode(dest);
    }
    const QString text = QString::fromUtf8(dest ? sqlite3_errmsg(dest) : sqlite3_errstr(rc));
    sqlite3_close(dest);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("backup to '%1' failed: %2").arg(to, text), rc);
}

} // namespace

int upgradeDatabase(
    const QString &path, const QString &scriptDir, int target, bool backup, QString *backupPath)
{
    Connection conn;
    conn.open(path);
    const int found = schemaVersion(conn);
    if (found == target)
        return found;
    if (found > target)
        throw SchemaVersionError(found, target);
    QStringList scripts;
    for (int n = found + 1; n <= target; ++n) {
        QFile f(scriptDir + QStringLiteral("/%1.sql").arg(n));
        if (!f.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("cannot read '%1'").arg(f.fileName()));
        scripts << QString::fromUtf8(f.readAll());
    }
    if (backup) {
        const QString to = path + QStringLiteral(".v%1.bak").arg(found);
        backUp(conn, to);
        if (backupPath)
            *backupPath = to;
    }
    Transaction t(conn);
    for (int n = found + 1; n <= target; ++n) {
        conn.executeScript(scripts[n - found - 1]);
        conn.executeScript(QStringLiteral("PRAGMA user_version = %1;").arg(n));
    }
    t.commit();
    return found;
}
