#include "Connection.h"
#include "SchemaUpgrade.h"
#include "StatementCache.h"
#include "ThaiOrder.h"
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace {
std::function<void(const QString &)> &statementHook()
{
    static std::function<void(const QString &)> hook;
    return hook;
}

void bindValue(sqlite3_stmt *stmt, int i, const QVariant &v)
{
    int rc = SQLITE_OK;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(stmt, i);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(stmt, i, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::ULongLong:
        case QMetaType::ULong:
            rc = sqlite3_bind_int64(stmt, i, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt, i, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob(stmt, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDateTime:
            rc = sqlite3_bind_text(stmt, i,
                v.toDateTime().toString("yyyy-MM-dd HH:mm:ss").toUtf8().constData(), -1,
                SQLITE_TRANSIENT);
            break;
        case QMetaType::QDate:
            rc = sqlite3_bind_text(stmt, i, v.toDate().toString("yyyy-MM-dd").toUtf8().constData(),
                -1, SQLITE_TRANSIENT);
            break;
        default: {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text(stmt, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw DbError(DbError::engineText(rc, QString::fromUtf8(sqlite3_errstr(rc))), rc);
}
// Thai dictionary order (leading vowels เ แ โ ใ ไ sort by the consonant after them), for
// ORDER BY ... COLLATE THAI in queries only: the schema never names it, so any tool opens the file.
int thaiCollation(void *, int lenA, const void *a, int lenB, const void *b)
{
    return ThaiOrder::compare(QString::fromUtf8(static_cast<const char *>(a), lenA),
        QString::fromUtf8(static_cast<const char *>(b), lenB));
}
} // namespace

QString DbError::engineText(int code, const QString &engineWords)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("ฐานข้อมูลกำลังถูกใช้งานอยู่ กรุณาลองใหม่อีกครั้ง");
    case SQLITE_READONLY:
        return QStringLiteral("ฐานข้อมูลเป็นแบบอ่านอย่างเดียว บันทึกข้อมูลไม่ได้");
    case SQLITE_FULL:
        return QStringLiteral("พื้นที่เก็บข้อมูลเต็ม บันทึกข้อมูลไม่ได้");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("แฟ้มฐานข้อมูลเสียหาย หรือไม่ใช่แฟ้มฐานข้อมูลของโปรแกรม");
    case SQLITE_CANTOPEN:
        return QStringLiteral("เปิดแฟ้มฐานข้อมูลไม่ได้");
    case SQLITE_IOERR:
        return QStringLiteral("อ่านหรือเขียนแฟ้มฐานข้อมูลไม่ได้");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("ไม่มีสิทธิ์ใช้แฟ้มฐานข้อมูล");
    case SQLITE_CONSTRAINT:
        return QStringLiteral("ข้อมูลซ้ำหรือขัดกับเงื่อนไขของฐานข้อมูล");
    default:
        return QStringLiteral("ฐานข้อมูลทำงานผิดพลาด : ") + engineWords;
    }
}

Connection::~Connection()
{
    close();
}

void Connection::setStatementHook(std::function<void(const QString &)> hook)
{
    statementHook() = std::move(hook);
}

void Connection::fail(const QString &where) const
{
    const int code = m_db ? sqlite3_extended_errcode(m_db) : SQLITE_ERROR;
    QString text = m_db ? DbError::engineText(code, QString::fromUtf8(sqlite3_errmsg(m_db)))
                        : QStringLiteral("ยังไม่ได้เปิดฐานข้อมูล");
    if (!where.isEmpty())
        text += QStringLiteral(" (") + where + QLatin1Char(')');
    throw DbError(text, code);
}

void Connection::open(const QString &path)
{
    open(path, -1);
}

void Connection::open(const QString &path, int requiredVersion)
{
    close();
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("ไม่พบแฟ้มฐานข้อมูล '%1'").arg(path), SQLITE_CANTOPEN);
    sqlite3 *db = nullptr;
    // One connection serves one thread (the program's user-interface thread): no locking on
    // every call into the engine.
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = DbError::engineText(
            rc, db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc)));
        sqlite3_close(db);
        throw DbError(text + QStringLiteral(" '%1'").arg(path), rc);
    }
    attach(db, path);
    try {
        if (requiredVersion >= 0) {
            const int found = schemaVersion(*this);
            if (found != requiredVersion)
                throw SchemaVersionError(found, requiredVersion);
        }
        // A file the program cannot write would lose the first sale: refuse it at the start.
        if (sqlite3_db_readonly(m_db, "main") == 1)
            throw DbError(QStringLiteral("แฟ้มฐานข้อมูลเป็นแบบอ่านอย่างเดียว บันทึกข้อมูลไม่ได้ '%1'").arg(path),
                SQLITE_READONLY);
        sqlite3_busy_timeout(m_db, 5000);
        sqlite3_create_collation_v2(m_db, "THAI", SQLITE_UTF8, nullptr, thaiCollation, nullptr);
        // A committed sale must survive a power cut.
        executeScript(QStringLiteral("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; "
                                     "PRAGMA wal_autocheckpoint=0;"));
        // The product list and its search index stay in memory between searches. A row that
        // INSERT OR REPLACE pushes out fires its delete triggers too, so indexes the triggers
        // keep never hold a replaced row.
        executeScript(QStringLiteral("PRAGMA cache_size=-65536; PRAGMA recursive_triggers=ON;"));
        m_commits = 0;
        m_walFrames = 0;
        sqlite3_wal_hook(m_db, &Connection::walHook, this);
        // Reading the schema proves the file is a database at all.
        scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    } catch (...) {
        close();
        throw;
    }
}

void Connection::createFromScripts(const QString &path, const QStringList &scriptFiles)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        const QString text = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        throw DbError(text);
    }
    Connection c;
    c.attach(db, path);
    for (const QString &file : scriptFiles) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("cannot read '%1'").arg(file));
        c.executeScript(QString::fromUtf8(f.readAll()));
    }
}

void Connection::attach(sqlite3 *db, const QString &path)
{
    m_db = db;
    m_path = path;
    m_cache = std::make_shared<StatementCache>(db);
}

int Connection::walHook(void *self, sqlite3 *, const char *, int frames)
{
    auto *c = static_cast<Connection *>(self);
    ++c->m_commits;
    c->m_walFrames = frames;
    if (c->m_commitListener)
        c->m_commitListener();
    return SQLITE_OK;
}

void Connection::setCommitListener(std::function<void()> listener)
{
    m_commitListener = std::move(listener);
}

bool Connection::checkpoint()
{
    if (!m_db)
        return false;
    int logFrames = 0, folded = 0;
    const int rc
        = sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, &logFrames, &folded);
    return rc == SQLITE_OK && folded == logFrames;
}

void Connection::close()
{
    if (m_cache) {
        m_cache->clear();
        m_cache.reset();
    }
    if (m_db) {
        checkpoint();
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

Connection::Prepared Connection::prepare(const QString &sql, const QVariantList &params)
{
    if (!m_db)
        throw DbError(QStringLiteral("ยังไม่ได้เปิดฐานข้อมูล"));
    if (statementHook())
        statementHook()(sql);
    Prepared p { nullptr, sql.toUtf8() };
    p.stmt = m_cache->take(p.sql);
    if (!p.stmt) {
        if (sqlite3_prepare_v2(m_db, p.sql.constData(), int(p.sql.size()), &p.stmt, nullptr)
            != SQLITE_OK)
            fail(QString());
        ++m_prepared;
    }
    const int expected = sqlite3_bind_parameter_count(p.stmt);
    if (expected != params.size()) {
        release(p);
        throw DbError(
            QStringLiteral("%1 parameters given, %2 expected").arg(params.size()).arg(expected));
    }
    try {
        for (int i = 0; i < params.size(); ++i)
            bindValue(p.stmt, i + 1, params[i]);
    } catch (...) {
        release(p);
        throw;
    }
    return p;
}

void Connection::release(const Prepared &p)
{
    if (m_cache)
        m_cache->give(p.sql, p.stmt);
    else
        sqlite3_finalize(p.stmt);
}

int Connection::execute(const QString &sql, const QVariantList &params)
{
    const Prepared p = prepare(sql, params);
    int rc;
    while ((rc = sqlite3_step(p.stmt)) == SQLITE_ROW) { }
    if (rc != SQLITE_DONE) {
        const int code = sqlite3_extended_errcode(m_db);
        const QString text = QString::fromUtf8(sqlite3_errmsg(m_db));
        release(p);
        throw DbError(text, code);
    }
    release(p);
    return sqlite3_changes(m_db);
}

Recordset Connection::query(const QString &sql, const QVariantList &params)
{
    const Prepared p = prepare(sql, params);
    return Recordset(m_db, p.stmt, m_cache, p.sql);
}

QVariant Connection::scalar(const QString &sql, const QVariantList &params)
{
    Recordset rs = query(sql, params);
    if (rs.eof())
        return QVariant();
    return rs.value(0);
}

void Connection::executeScript(const QString &sql)
{
    if (!m_db)
        throw DbError(QStringLiteral("ยังไม่ได้เปิดฐานข้อมูล"));
    char *err = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const int code = sqlite3_extended_errcode(m_db);
        const QString text = DbError::engineText(code, QString::fromUtf8(err ? err : ""));
        sqlite3_free(err);
        throw DbError(text, code);
    }
}

qint64 Connection::lastInsertId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

bool Connection::inTransaction() const
{
    return m_db && !sqlite3_get_autocommit(m_db);
}

Transaction::Transaction(Connection &c)
    : m_conn(c)
{
    m_conn.execute(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (!m_done && m_conn.inTransaction())
        sqlite3_exec(m_conn.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    m_conn.execute(QStringLiteral("COMMIT"));
    m_done = true;
}
