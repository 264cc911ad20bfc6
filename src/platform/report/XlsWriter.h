#pragma once
#include <QByteArray>
#include <QMap>
#include <QString>

// A small Excel 97 (BIFF8) writer: one worksheet of text cells, stored in a compound file.
class XlsWriter
{
public:
    void setCell(int row, int column, const QString &text) { m_cells[{ row, column }] = text; }
    // The whole .xls file. Empty when the sheet is beyond what the file can hold.
    QByteArray toBytes(const QString &sheetName = QStringLiteral("Sheet1")) const;

private:
    QMap<QPair<int, int>, QString> m_cells; // (row, column) in reading order
};
