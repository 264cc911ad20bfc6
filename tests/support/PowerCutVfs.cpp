#include "PowerCutVfs.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sqlite3.h>
#include <vector>

namespace {
constexpr int kSector = 512;

struct Op
{
    bool truncate = false;
    sqlite3_int64 offset = 0; // the new size for a truncate
    std::string bytes;
};

// What a disk holds for one file: the content as of its last sync, and the operations since.
struct DiskFile
{
    std::string durable;
    std::vector<Op> pending;
};

struct State
{
    sqlite3_vfs *real = nullptr;
    sqlite3_vfs vfs {};
    std::map<std::string, DiskFile> files;
    int calls = 0;
    int cutPoint = 0;
    int fullPoint = 0;
    bool cut = false;
};

State &state()
{
    static State s;
    return s;
}

std::string readWhole(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void applyOp(std::string &image, const Op &op)
{
    if (op.truncate) {
        image.resize(size_t(op.offset));
        return;
    }
    const size_t end = size_t(op.offset) + op.bytes.size();
    if (image.size() < end)
        image.resize(end, '\0');
    std::memcpy(image.data() + op.offset, op.bytes.data(), op.bytes.size());
}

// Counts a write or sync call; true when this call is the one the power goes at.
bool countCall()
{
    State &s = state();
    ++s.calls;
    if (s.cutPoint > 0 && s.calls == s.cutPoint) {
        s.cut = true;
        return true;
    }
    return false;
}

struct File
{
    sqlite3_file base;
    const char *path; // owned by SQLite for the life of the handle; null for temporary files
    sqlite3_file *real() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

File *self(sqlite3_file *f)
{
    return reinterpret_cast<File *>(f);
}

DiskFile *tracked(File *f)
{
    if (!f->path)
        return nullptr;
    auto it = state().files.find(f->path);
    return it == state().files.end() ? nullptr : &it->second;
}

int xClose(sqlite3_file *f)
{
    File *p = self(f);
    const int rc = p->real()->pMethods ? p->real()->pMethods->xClose(p->real()) : SQLITE_OK;
    return rc;
}

int xRead(sqlite3_file *f, void *buf, int amt, sqlite3_int64 off)
{
    if (state().cut)
        return SQLITE_IOERR_READ;
    return self(f)->real()->pMethods->xRead(self(f)->real(), buf, amt, off);
}

int xWrite(sqlite3_file *f, const void *buf, int amt, sqlite3_int64 off)
{
    State &s = state();
    if (s.cut)
        return SQLITE_IOERR_WRITE;
    File *p = self(f);
    DiskFile *d = tracked(p);
    if (countCall()) {
        // The write in flight when the power goes: it may reach the platter, or part of it.
        if (d)
            d->pending.push_back({ false, off, std::string(static_cast<const char *>(buf), amt) });
        return SQLITE_IOERR_WRITE;
    }
    if (s.fullPoint > 0 && s.calls >= s.fullPoint)
        return SQLITE_FULL;
    const int rc = p->real()->pMethods->xWrite(p->real(), buf, amt, off);
    if (rc == SQLITE_OK && d)
        d->pending.push_back({ false, off, std::string(static_cast<const char *>(buf), amt) });
    return rc;
}

int xTruncate(sqlite3_file *f, sqlite3_int64 size)
{
    if (state().cut)
        return SQLITE_IOERR_TRUNCATE;
    File *p = self(f);
    const int rc = p->real()->pMethods->xTruncate(p->real(), size);
    if (rc == SQLITE_OK)
        if (DiskFile *d = tracked(p))
            d->pending.push_back({ true, size, {} });
    return rc;
}

int xSync(sqlite3_file *f, int flags)
{
    if (state().cut)
        return SQLITE_IOERR_FSYNC;
    if (countCall())
        return SQLITE_IOERR_FSYNC;
    File *p = self(f);
    const int rc = p->real()->pMethods->xSync(p->real(), flags);
    if (rc == SQLITE_OK)
        if (DiskFile *d = tracked(p)) {
            for (const Op &op : d->pending)
                applyOp(d->durable, op);
            d->pending.clear();
        }
    return rc;
}

int xFileSize(sqlite3_file *f, sqlite3_int64 *size)
{
    if (state().cut)
        return SQLITE_IOERR_FSTAT;
    return self(f)->real()->pMethods->xFileSize(self(f)->real(), size);
}

int xLock(sqlite3_file *f, int level)
{
    if (state().cut)
        return SQLITE_IOERR_LOCK;
    return self(f)->real()->pMethods->xLock(self(f)->real(), level);
}

int xUnlock(sqlite3_file *f, int level)
{
    return self(f)->real()->pMethods->xUnlock(self(f)->real(), level);
}

int xCheckReservedLock(sqlite3_file *f, int *out)
{
    return self(f)->real()->pMethods->xCheckReservedLock(self(f)->real(), out);
}

int xFileControl(sqlite3_file *f, int op, void *arg)
{
    return self(f)->real()->pMethods->xFileControl(self(f)->real(), op, arg);
}

int xSectorSize(sqlite3_file *f)
{
    return self(f)->real()->pMethods->xSectorSize(self(f)->real());
}

int xDeviceCharacteristics(sqlite3_file *f)
{
    // Claim nothing (no atomic or safe-append writes) so SQLite takes its most careful path.
    return 0;
}

int xShmMap(sqlite3_file *f, int page, int size, int extend, void volatile **out)
{
    if (state().cut)
        return SQLITE_IOERR_SHMMAP;
    return self(f)->real()->pMethods->xShmMap(self(f)->real(), page, size, extend, out);
}

int xShmLock(sqlite3_file *f, int offset, int n, int flags)
{
    return self(f)->real()->pMethods->xShmLock(self(f)->real(), offset, n, flags);
}

void xShmBarrier(sqlite3_file *f)
{
    self(f)->real()->pMethods->xShmBarrier(self(f)->real());
}

int xShmUnmap(sqlite3_file *f, int deleteFlag)
{
    return self(f)->real()->pMethods->xShmUnmap(self(f)->real(), deleteFlag);
}

const sqlite3_io_methods kMethods = {
    2, // no memory-mapped reads: every byte goes through xRead
    xClose,
    xRead,
    xWrite,
    xTruncate,
    xSync,
    xFileSize,
    xLock,
    xUnlock,
    xCheckReservedLock,
    xFileControl,
    xSectorSize,
    xDeviceCharacteristics,
    xShmMap,
    xShmLock,
    xShmBarrier,
    xShmUnmap,
    nullptr,
    nullptr,
};

int vOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *f, int flags, int *outFlags)
{
    State &s = state();
    if (s.cut)
        return SQLITE_IOERR;
    File *p = self(f);
    p->path = name;
    p->base.pMethods = nullptr;
    const int rc = s.real->xOpen(s.real, name, p->real(), flags, outFlags);
    if (rc != SQLITE_OK)
        return rc;
    p->base.pMethods = &kMethods;
    if (name && !s.files.count(name))
        s.files[name].durable = readWhole(name);
    return SQLITE_OK;
}

int vDelete(sqlite3_vfs *, const char *name, int syncDir)
{
    State &s = state();
    if (s.cut)
        return SQLITE_IOERR_DELETE;
    const int rc = s.real->xDelete(s.real, name, syncDir);
    if (rc == SQLITE_OK)
        s.files.erase(name);
    return rc;
}

int vAccess(sqlite3_vfs *, const char *name, int flags, int *out)
{
    return state().real->xAccess(state().real, name, flags, out);
}

int vFullPathname(sqlite3_vfs *, const char *name, int n, char *out)
{
    return state().real->xFullPathname(state().real, name, n, out);
}

void *vDlOpen(sqlite3_vfs *, const char *name)
{
    return state().real->xDlOpen(state().real, name);
}

void vDlError(sqlite3_vfs *, int n, char *msg)
{
    state().real->xDlError(state().real, n, msg);
}

void (*vDlSym(sqlite3_vfs *, void *h, const char *sym))(void)
{
    return state().real->xDlSym(state().real, h, sym);
}

void vDlClose(sqlite3_vfs *, void *h)
{
    state().real->xDlClose(state().real, h);
}

int vRandomness(sqlite3_vfs *, int n, char *out)
{
    return state().real->xRandomness(state().real, n, out);
}

int vSleep(sqlite3_vfs *, int us)
{
    return state().real->xSleep(state().real, us);
}

int vCurrentTime(sqlite3_vfs *, double *out)
{
    return state().real->xCurrentTime(state().real, out);
}

int vGetLastError(sqlite3_vfs *, int n, char *out)
{
    return state().real->xGetLastError ? state().real->xGetLastError(state().real, n, out) : 0;
}

int vCurrentTimeInt64(sqlite3_vfs *, sqlite3_int64 *out)
{
    return state().real->xCurrentTimeInt64(state().real, out);
}
} // namespace

void PowerCutVfs::install()
{
    State &s = state();
    if (s.real)
        return;
    sqlite3_initialize();
    s.real = sqlite3_vfs_find(nullptr);
    s.vfs.iVersion = 2;
    s.vfs.szOsFile = int(sizeof(File)) + s.real->szOsFile;
    s.vfs.mxPathname = s.real->mxPathname;
    s.vfs.zName = "powercut";
    s.vfs.xOpen = vOpen;
    s.vfs.xDelete = vDelete;
    s.vfs.xAccess = vAccess;
    s.vfs.xFullPathname = vFullPathname;
    s.vfs.xDlOpen = vDlOpen;
    s.vfs.xDlError = vDlError;
    s.vfs.xDlSym = vDlSym;
    s.vfs.xDlClose = vDlClose;
    s.vfs.xRandomness = vRandomness;
    s.vfs.xSleep = vSleep;
    s.vfs.xCurrentTime = vCurrentTime;
    s.vfs.xGetLastError = vGetLastError;
    s.vfs.xCurrentTimeInt64 = vCurrentTimeInt64;
    sqlite3_vfs_register(&s.vfs, 1);
    reset();
}

void PowerCutVfs::uninstall()
{
    State &s = state();
    if (!s.real)
        return;
    sqlite3_vfs_unregister(&s.vfs);
    s.real = nullptr;
    s.files.clear();
}

void PowerCutVfs::reset()
{
    State &s = state();
    s.calls = 0;
    s.cutPoint = 0;
    s.fullPoint = 0;
    s.cut = false;
}

void PowerCutVfs::armCut(int point)
{
    reset();
    state().cutPoint = point;
}

void PowerCutVfs::armDiskFull(int point)
{
    reset();
    state().fullPoint = point;
}

bool PowerCutVfs::cutHappened()
{
    return state().cut;
}

int PowerCutVfs::calls()
{
    return state().calls;
}

PowerCutVfs::Outcome PowerCutVfs::cutPower(std::uint32_t seed)
{
    State &s = state();
    std::mt19937 rng(seed);
    const Outcome outcome = Outcome(std::uniform_int_distribution<int>(0, 2)(rng));
    for (auto &[path, d] : s.files) {
        std::string image = d.durable;
        if (outcome != Outcome::Dropped) {
            const size_t whole = d.pending.size() - (outcome == Outcome::Torn ? 1 : 0);
            for (size_t i = 0; i < whole && i < d.pending.size(); ++i)
                applyOp(image, d.pending[i]);
            if (outcome == Outcome::Torn && !d.pending.empty()) {
                // Sector by sector, some of the last write's sectors made it and some did not.
                const Op &last = d.pending.back();
                if (last.truncate) {
                    if (rng() & 1)
                        applyOp(image, last);
                } else {
                    for (size_t at = 0; at < last.bytes.size(); at += kSector) {
                        if (!(rng() & 1))
                            continue;
                        Op part { false, last.offset + sqlite3_int64(at),
                            last.bytes.substr(at, kSector) };
                        applyOp(image, part);
                    }
                }
            }
        }
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(image.data(), std::streamsize(image.size()));
    }
    // The shared-memory index does not survive a restart; SQLite rebuilds it from the log.
    for (const auto &[path, d] : s.files)
        if (path.size() > 4 && path.compare(path.size() - 4, 4, "-wal") == 0)
            std::remove((path.substr(0, path.size() - 4) + "-shm").c_str());
    s.files.clear();
    reset();
    return outcome;
}

const char *PowerCutVfs::name(Outcome o)
{
    switch (o) {
    case Outcome::Dropped:
        return "dropped";
    case Outcome::Kept:
        return "kept";
    case Outcome::Torn:
        return "torn";
    }
    return "";
}
