#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

struct sqlite3_stmt;
struct sqlite3;
class StatementCache;

// Forward-only cursor over one query, positioned on its first row once opened.
// NULL reads as "" through text() and as 0 through the number readers.
class Recordset
{
public:
    Recordset() = default;
    // Takes the statement, steps to row 1; on close it goes back to the cache (when given)
    // under its SQL text.
    Recordset(sqlite3 *db, sqlite3_stmt *stmt, std::shared_ptr<StatementCache> cache = {},
        QByteArray sql = {});
    Recordset(Recordset &&) noexcept;
    Recordset &operator=(Recordset &&) noexcept;
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;
    ~Recordset();

    bool eof() const { return m_eof; }
    void moveNext();
    void close();

    int fieldCount() const;
    QString fieldName(int i) const;
    int fieldIndex(const QString &name) const; // case-insensitive; -1 when absent

    QVariant value(int i) const;
    QVariant value(const QString &name) const;
    bool isNull(const QString &name) const;
    QString text(const QString &name) const;
    QString text(int i) const;
    qint64 integer(const QString &name) const;
    qint64 integer(int i) const;
    double real(const QString &name) const;
    double real(int i) const;
    bool boolean(const QString &name) const;
    // The engine's own UTF-8 text of field i, valid until the next moveNext(): "" for NULL, a
    // REAL as the engine writes it ("12.0"). For filling big grids without a string per cell.
    QByteArrayView utf8(int i) const;
    // The field as the engine's whole number (NULL and texts without one read as 0), without a
    // QVariant: for the same kind of loops.
    qint64 int64(int i) const;

private:
    int requireIndex(const QString &name) const;
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    bool m_eof = true;
    QStringList m_names;
    std::shared_ptr<StatementCache> m_cache;
    QByteArray m_sql;
};
