#pragma once

// The database layout this program is written for (PRAGMA user_version). A new version comes
// with data/upgrade/<version>.sql, which takes a file from the version before to this one.
constexpr int kSchemaVersion = 3;
