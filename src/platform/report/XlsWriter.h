#pragma once
#include <QByteArray>
#include <QMap>
#include <QString>

// A small Excel 97 (BIFF8) writer: one worksheet of text and number cells, stored in a compound
// file.
class XlsWriter
{
public:
    enum class NumberFormat {
        General, // as the number is: whole numbers without decimals
        Money, // #,##0.00
    };

    void setCell(int row, int column, const QString &text) { m_cells[{ row, column }] = { text }; }
    void setNumber(int row, int column, double value, NumberFormat format = NumberFormat::General)
    {
        m_cells[{ row, column }] = { QString(), value, true, format };
    }
    // The whole .xls file. Empty when the sheet is beyond what the file can hold.
    QByteArray toBytes(const QString &sheetName = QStringLiteral("Sheet1")) const;

    static constexpr int MaxRows = 65536;
    static constexpr int MaxColumns = 256;

private:
    struct Cell
    {
        QString text;
        double number = 0;
        bool isNumber = false;
        NumberFormat format = NumberFormat::General;
    };
    QMap<QPair<int, int>, Cell> m_cells; // (row, column) in reading order
};
