#pragma once
#include <QByteArray>
#include <QHash>

struct sqlite3;
struct sqlite3_stmt;

// Prepared statements kept for reuse, one per SQL text, so that a statement run again (every
// line of a sale, every sale) is not prepared anew. A statement in use is out of the cache: the
// same text run while it is open gets one of its own.
class StatementCache
{
public:
    explicit StatementCache(sqlite3 *db)
        : m_db(db)
    { }
    ~StatementCache() { clear(); }
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;

    // A kept statement for the text, or nullptr.
    sqlite3_stmt *take(const QByteArray &sql);
    // Hands a statement back: it is reset and kept, or finalized when one for its text is kept
    // already, the cache is full or the connection has closed.
    void give(const QByteArray &sql, sqlite3_stmt *stmt);
    // Finalizes every kept statement; later ones are finalized when handed back.
    void clear();

    static constexpr int Capacity = 256;

private:
    sqlite3 *m_db;
    QHash<QByteArray, sqlite3_stmt *> m_free;
};
