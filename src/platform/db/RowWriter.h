#pragma once
#include "Connection.h"
#include <QPair>
#include <QVector>

// Builds one INSERT or UPDATE from column/value pairs; column names are fixed identifiers of
// the code, values are bound.
class RowWriter
{
public:
    RowWriter(Connection &conn, const QString &table)
        : m_conn(conn)
        , m_table(table)
    { }
    RowWriter &set(const QString &column, const QVariant &value);
    void insert();
    // UPDATE ... WHERE keyColumn = key; returns rows changed.
    int update(const QString &keyColumn, const QVariant &key);

private:
    Connection &m_conn;
    QString m_table;
    QVector<QPair<QString, QVariant>> m_values;
};
