#include "Maintenance.h"
#include "Connection.h"
#include "platform/SystemErrors.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

void requireIdle(Connection &conn)
{
    if (!conn.isOpen())
        throw DbError(QStringLiteral("ยังไม่ได้เปิดฐานข้อมูล"));
    if (conn.inTransaction())
        throw DbError(QStringLiteral("ทำรายการนี้ไม่ได้ระหว่างที่การบันทึกข้อมูลอื่นยังไม่เสร็จ"));
}

// The rename is durable only once the folder's entry is on disk.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// What went wrong on the copy, in the engine's Thai text, with the system's reason where the
// disk gave one.
QString copyFailure(sqlite3 *dest, int code)
{
    QString text = DbError::engineText(code,
        dest ? QString::fromUtf8(sqlite3_errmsg(dest)) : QString::fromUtf8(sqlite3_errstr(code)));
    if (const int system = dest ? sqlite3_system_errno(dest) : 0)
        text += QStringLiteral(" : ") + SystemErrors::text(system);
    return text;
}

void removeWithCompanions(const QString &path)
{
    for (const char *suffix : { "", "-journal", "-wal", "-shm" })
        QFile::remove(path + QLatin1String(suffix));
}

} // namespace

void DbMaintenance::backup(Connection &conn, const QString &target)
{
    requireIdle(conn);
    const QFileInfo targetInfo(target);
    const QFileInfo source(conn.path());
    if (targetInfo.exists() && targetInfo.canonicalFilePath() == source.canonicalFilePath())
        throw DbError(QStringLiteral("สำรองข้อมูลทับแฟ้มฐานข้อมูลที่กำลังใช้งานอยู่ไม่ได้ '%1'").arg(target));

    // Reserve a unique name in the target's folder, so the final rename stays on one disk.
    QString temporary;
    {
        QTemporaryFile reserve(targetInfo.absolutePath() + QStringLiteral("/.")
            + targetInfo.fileName() + QStringLiteral(".XXXXXX"));
        reserve.setAutoRemove(false);
        if (!reserve.open())
            throw DbError(QStringLiteral("เขียนแฟ้มในโฟลเดอร์ '%1' ไม่ได้ : %2")
                              .arg(targetInfo.absolutePath(), SystemErrors::fileText(reserve)));
        temporary = reserve.fileName();
    }

    sqlite3 *dest = nullptr;
    QString failure;
    int rc = sqlite3_open_v2(
        QFile::encodeName(temporary).constData(), &dest, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_exec(dest, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        sqlite3_backup *b = sqlite3_backup_init(dest, "main", conn.handle(), "main");
        if (!b) {
            failure = copyFailure(dest, sqlite3_extended_errcode(dest));
        } else {
            rc = sqlite3_backup_step(b, -1);
            sqlite3_backup_finish(b);
            if (rc != SQLITE_DONE)
                failure = copyFailure(dest, rc);
        }
    } else {
        failure = copyFailure(dest, rc);
    }
    if (sqlite3_close(dest) != SQLITE_OK && failure.isEmpty())
        failure = QStringLiteral("ปิดแฟ้มสำรองข้อมูลไม่ได้");

    if (failure.isEmpty()
        && std::rename(QFile::encodeName(temporary).constData(),
               QFile::encodeName(targetInfo.absoluteFilePath()).constData())
            != 0)
        failure = QStringLiteral("ตั้งชื่อแฟ้มสำรองข้อมูลเป็น '%1' ไม่ได้ : %2")
                      .arg(target, SystemErrors::text(errno));
    if (!failure.isEmpty()) {
        removeWithCompanions(temporary);
        throw DbError(failure);
    }
    syncFolder(targetInfo.absolutePath());
}

QString DbMaintenance::compact(Connection &conn)
{
    requireIdle(conn);
    // A full-text index keeps what deleted rows left behind until its segments are merged.
    QStringList fullText;
    for (Recordset rs
         = conn.query(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                     "AND sql LIKE 'CREATE VIRTUAL TABLE%USING fts5%'"));
         !rs.eof(); rs.moveNext())
        fullText << rs.text(0);
    for (QString name : fullText) {
        name = QLatin1Char('"') + name.replace(QLatin1Char('"'), QStringLiteral("\"\""))
            + QLatin1Char('"');
        conn.execute(QStringLiteral("INSERT INTO %1 (%1) VALUES ('optimize')").arg(name));
    }
    conn.execute(QStringLiteral("VACUUM"));
    // In WAL mode the rebuilt pages sit in the log until a checkpoint writes them back and
    // truncates the file.
    conn.executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    QStringList lines;
    for (Recordset rs = conn.query(QStringLiteral("PRAGMA integrity_check")); !rs.eof();
         rs.moveNext())
        lines << rs.text(0);
    return lines.join(QLatin1Char('\n'));
}
