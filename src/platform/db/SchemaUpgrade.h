#pragma once
#include "DbError.h"
#include <QString>

// A database file of another layout version than the program's; nothing was written to it.
class SchemaVersionError : public DbError
{
public:
    SchemaVersionError(int found, int expected)
        : DbError(QStringLiteral("database version %1, expected %2").arg(found).arg(expected))
        , found(found)
        , expected(expected)
    { }
    int found;
    int expected;
};

// The layout version of an open file's database (PRAGMA user_version).
class Connection;
int schemaVersion(Connection &conn);

// Takes the file at `path` to `target` by running <scriptDir>/<n>.sql for every version n after
// its own, all in one transaction, each script followed by its version number. With `backup`
// the file is first copied whole to <path>.v<old version>.bak (SQLite's backup), which
// `backupPath` then names. Returns the version the file had. A file already at `target` is
// left alone; a newer one, a missing script or a failing one throws DbError and leaves the
// file as it was.
int upgradeDatabase(const QString &path, const QString &scriptDir, int target, bool backup,
    QString *backupPath = nullptr);
