#include "RowWriter.h"
#include <QStringList>

RowWriter &RowWriter::set(const QString &column, const QVariant &value)
{
    m_values.append({ column, value });
    return *this;
}

void RowWriter::insert()
{
    QStringList cols, marks;
    QVariantList params;
    for (const auto &[c, v] : m_values) {
        cols << c;
        marks << QStringLiteral("?");
        params << v;
    }
    m_conn.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                       .arg(m_table, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
        params);
}

int RowWriter::update(const QString &keyColumn, const QVariant &key)
{
    QStringList sets;
    QVariantList params;
    for (const auto &[c, v] : m_values) {
        sets << c + QStringLiteral("=?");
        params << v;
    }
    params << key;
    return m_conn.execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3=?")
                              .arg(m_table, sets.join(QLatin1Char(',')), keyColumn),
        params);
}
