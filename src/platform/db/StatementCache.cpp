#include "StatementCache.h"
#include <sqlite3.h>

sqlite3_stmt *StatementCache::take(const QByteArray &sql)
{
    return m_free.take(sql);
}

void StatementCache::give(const QByteArray &sql, sqlite3_stmt *stmt)
{
    if (!m_db || m_free.contains(sql) || m_free.size() >= Capacity) {
        sqlite3_finalize(stmt);
        return;
    }
    // A reset statement holds no read lock; its bindings go too.
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    m_free.insert(sql, stmt);
}

void StatementCache::clear()
{
    for (sqlite3_stmt *s : std::as_const(m_free))
        sqlite3_finalize(s);
    m_free.clear();
    m_db = nullptr;
}
