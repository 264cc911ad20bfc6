#pragma once
#include <cstdint>
#include <string>

// A simulated disk for durability tests: an SQLite VFS over the default one that remembers, per
// file, what was written since its last sync. At the N-th write or sync call it "cuts the power":
// that call and every later one fail, and cutPower() leaves each file as a disk would after a
// power loss (the writes since the last sync dropped, kept, or the last one torn at sector
// granularity, chosen by a seeded generator). It can also report a full disk from the N-th
// write on. While installed it is the process's default VFS, so the program's own connection
// goes through it without knowing.
class PowerCutVfs
{
public:
    enum class Outcome { Dropped, Kept, Torn };

    static void install();
    static void uninstall();

    // Counting starts again from 0 at every arm/reset.
    static void reset();
    // The call numbered `point` (1-based, writes and syncs counted together) fails, and so does
    // everything after it until cutPower().
    static void armCut(int point);
    // Writes numbered `point` and later fail with SQLITE_FULL until reset().
    static void armDiskFull(int point);
    static bool cutHappened();
    // Write and sync calls seen since the last reset.
    static int calls();

    // Applies the power loss to the files on disk (call after the program's connection is
    // closed) and forgets them. Returns what it did to the unsynced writes.
    static Outcome cutPower(std::uint32_t seed);
    static const char *name(Outcome o);
};
