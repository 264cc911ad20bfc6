#pragma once
#include "platform/db/Connection.h"

class QTimer;

// The shop's database, data/Ksmdata.db in the program folder: one connection shared by every
// window, always the same object, open from open() to close(). Each procedure runs its own
// local Recordset on it.
namespace ShopDatabase {

Connection &connection();

// Opens program folder + data/Ksmdata.db. On failure shows "เชื่อมต่อฐานข้อมูลไม่ได้ : " and
// the engine's text (no title of its own, no icon) and ends the program. Returns false only
// when a test's end hook came back instead of ending.
bool open();
// Closes the connection when it is open (folding the write-ahead log into the file first);
// otherwise does nothing.
void close();
// The database's own housekeeping, kept off the sale's path: every commit restarts this
// single-shot timer, and when the program has sat idle that long a passive checkpoint folds
// the write-ahead log into the file.
QTimer *checkpointTimer();
inline constexpr int IdleCheckpointMs = 3000;

} // namespace ShopDatabase
