#pragma once
#include "DbError.h"
#include "Recordset.h"
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <functional>
#include <memory>

struct sqlite3;
class StatementCache;
class Transaction;

// The one connection to the shop's database file. Values from outside the code only ever
// travel as bound parameters (?1, ?2 ... or ?).
class Connection
{
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Opens an existing file; never creates one. Throws DbError.
    void open(const QString &path);
    // As open(), for a file of layout version `requiredVersion` only: a file of another version
    // is refused (SchemaVersionError) before anything is written to it.
    void open(const QString &path, int requiredVersion);
    // Makes a new file from SQL scripts (the delivered database and test fixtures).
    static void createFromScripts(const QString &path, const QStringList &scriptFiles);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    QString path() const { return m_path; }

    // Runs one statement; returns the number of rows changed.
    int execute(const QString &sql, const QVariantList &params = {});
    Recordset query(const QString &sql, const QVariantList &params = {});
    // First column of the first row; an invalid QVariant when there is no row, a null one for NULL.
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    void executeScript(const QString &sql);
    qint64 lastInsertId() const;
    bool inTransaction() const;

    // A commit is never followed by a checkpoint on this connection: folding the write-ahead
    // log into the file is left to checkpoint(), which the program runs when it is idle and
    // which close() runs too, so a sale waits only for its own durable commit.
    qint64 commitCount() const { return m_commits; } // commits since open
    int walFrames() const { return m_walFrames; } // frames in the log after the last commit
    // Called after every commit (from inside the engine: it must not use the connection).
    void setCommitListener(std::function<void()> listener);
    // A passive checkpoint: folds what no reader still needs, waits for nobody. True when the
    // whole log reached the file.
    bool checkpoint();

    sqlite3 *handle() const { return m_db; }
    // How many statements this connection has prepared; a statement run again is reused.
    int statementsPrepared() const { return m_prepared; }

    // Test hook: called before every statement runs; may throw DbError to inject a failure.
    static void setStatementHook(std::function<void(const QString &sql)> hook);

private:
    friend class Transaction;
    struct Prepared
    {
        struct sqlite3_stmt *stmt = nullptr;
        QByteArray sql;
    };
    Prepared prepare(const QString &sql, const QVariantList &params);
    void release(const Prepared &p);
    void attach(sqlite3 *db, const QString &path);
    [[noreturn]] void fail(const QString &where) const;
    static int walHook(void *self, sqlite3 *, const char *, int frames);
    sqlite3 *m_db = nullptr;
    QString m_path;
    std::shared_ptr<StatementCache> m_cache;
    int m_prepared = 0;
    qint64 m_commits = 0;
    int m_walFrames = 0;
    std::function<void()> m_commitListener;
};

// RAII transaction: rolls back unless commit() was called.
class Transaction
{
public:
    explicit Transaction(Connection &c);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    Connection &m_conn;
    bool m_done = false;
};
