#pragma once
#include <QString>

class Connection;

// Upkeep of the open database file. Both run outside any transaction and throw DbError.
namespace DbMaintenance {

// Copies the open database into `target` through SQLite's online backup: the copy is made under
// a temporary name beside the target and renamed over it only when complete, so a failure never
// leaves a partial file under the chosen name. The connection stays open and usable.
void backup(Connection &conn, const QString &target);

// Rebuilds the file without its free pages (full-text indexes merged, VACUUM, then the write-ahead
// log is folded back so the file itself shrinks) and returns the result of PRAGMA integrity_check
// ("ok" when sound).
QString compact(Connection &conn);

} // namespace DbMaintenance
