#include "Recordset.h"
#include "DbError.h"
#include "StatementCache.h"
#include <sqlite3.h>

Recordset::Recordset(
    sqlite3 *db, sqlite3_stmt *stmt, std::shared_ptr<StatementCache> cache, QByteArray sql)
    : m_db(db)
    , m_stmt(stmt)
    , m_cache(std::move(cache))
    , m_sql(std::move(sql))
{
    const int n = sqlite3_column_count(stmt);
    for (int i = 0; i < n; ++i)
        m_names << QString::fromUtf8(sqlite3_column_name(stmt, i));
    m_eof = false;
    moveNext();
}

Recordset::Recordset(Recordset &&o) noexcept
    : m_db(o.m_db)
    , m_stmt(o.m_stmt)
    , m_eof(o.m_eof)
    , m_names(std::move(o.m_names))
    , m_cache(std::move(o.m_cache))
    , m_sql(std::move(o.m_sql))
{
    o.m_stmt = nullptr;
    o.m_eof = true;
}

Recordset &Recordset::operator=(Recordset &&o) noexcept
{
    if (this != &o) {
        close();
        m_db = o.m_db;
        m_stmt = o.m_stmt;
        m_eof = o.m_eof;
        m_names = std::move(o.m_names);
        m_cache = std::move(o.m_cache);
        m_sql = std::move(o.m_sql);
        o.m_stmt = nullptr;
        o.m_eof = true;
    }
    return *this;
}

Recordset::~Recordset()
{
    close();
}

void Recordset::close()
{
    if (m_stmt) {
        if (m_cache)
            m_cache->give(m_sql, m_stmt);
        else
            sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
    m_eof = true;
}

void Recordset::moveNext()
{
    if (!m_stmt || m_eof)
        return;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return;
    if (rc == SQLITE_DONE) {
        m_eof = true;
        return;
    }
    const QString text = DbError::engineText(rc, QString::fromUtf8(sqlite3_errmsg(m_db)));
    close();
    throw DbError(text, rc);
}

int Recordset::fieldCount() const
{
    return int(m_names.size());
}

QString Recordset::fieldName(int i) const
{
    return m_names.value(i);
}

int Recordset::fieldIndex(const QString &name) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Recordset::requireIndex(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("no field named '%1'").arg(name));
    return i;
}

QVariant Recordset::value(int i) const
{
    if (!m_stmt || m_eof)
        throw DbError(QStringLiteral("no current record"));
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_NULL:
        return QVariant(QMetaType(QMetaType::QString));
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, i));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(m_stmt, i)),
            sqlite3_column_bytes(m_stmt, i)));
    default:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i)),
                sqlite3_column_bytes(m_stmt, i)));
    }
}

QVariant Recordset::value(const QString &name) const
{
    return value(requireIndex(name));
}

bool Recordset::isNull(const QString &name) const
{
    const int i = requireIndex(name);
    if (!m_stmt || m_eof)
        throw DbError(QStringLiteral("no current record"));
    return sqlite3_column_type(m_stmt, i) == SQLITE_NULL;
}

QString Recordset::text(int i) const
{
    const QVariant v = value(i);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::Double) {
        // Plain number text, as a bound field shows it: no exponent, no trailing zeros.
        return QString::number(v.toDouble(), 'g', 15);
    }
    return v.toString();
}

QString Recordset::text(const QString &name) const
{
    return text(requireIndex(name));
}

qint64 Recordset::integer(int i) const
{
    if (m_stmt && !m_eof) {
        switch (sqlite3_column_type(m_stmt, i)) {
        case SQLITE_INTEGER:
            return sqlite3_column_int64(m_stmt, i);
        case SQLITE_FLOAT:
            return qint64(qRound64(sqlite3_column_double(m_stmt, i)));
        case SQLITE_NULL:
            return 0;
        }
    }
    const QVariant v = value(i);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return qint64(qRound64(v.toDouble()));
    return v.toLongLong();
}

qint64 Recordset::integer(const QString &name) const
{
    return integer(requireIndex(name));
}

double Recordset::real(int i) const
{
    if (m_stmt && !m_eof) { // numbers without a QVariant: big views read several per line
        switch (sqlite3_column_type(m_stmt, i)) {
        case SQLITE_FLOAT:
            return sqlite3_column_double(m_stmt, i);
        case SQLITE_INTEGER:
            return double(sqlite3_column_int64(m_stmt, i));
        case SQLITE_NULL:
            return 0.0;
        }
    }
    const QVariant v = value(i);
    return v.isNull() ? 0.0 : v.toDouble();
}

double Recordset::real(const QString &name) const
{
    return real(requireIndex(name));
}

bool Recordset::boolean(const QString &name) const
{
    return integer(name) != 0;
}

QByteArrayView Recordset::utf8(int i) const
{
    if (!m_stmt || m_eof)
        throw DbError(QStringLiteral("no current record"));
    const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
    return t ? QByteArrayView(t, sqlite3_column_bytes(m_stmt, i)) : QByteArrayView();
}

qint64 Recordset::int64(int i) const
{
    if (!m_stmt || m_eof)
        throw DbError(QStringLiteral("no current record"));
    return sqlite3_column_int64(m_stmt, i);
}
