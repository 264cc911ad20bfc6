#pragma once
#include "records/Currency.h"
#include <QList>
#include <QString>

struct SaleProduct;

// One received product: what it was when its line was made, and how many came in.
struct ReceivedLine
{
    qint64 pk = 0; // tblProduct.PK
    QString code; // PDsn
    QString name; // PDname
    QString description; // PDdes
    QString unit; // nName
    Currency cost; // PDraka when the line was made
    qint64 quantity = 0;

    Currency amount() const { return cost * quantity; }
};

// The goods-received document being collected: one line per product, the newest on top.
// Rows count from 1, the top line. No widget, no database.
class StockUpdate
{
public:
    // One more unit of the product: 1 more on its line (which keeps its place and its cost
    // price), or a new line of 1 on top at the product's cost price. Returns the row changed.
    int add(const SaleProduct &product);
    // Quantity of a line; rows outside the document are ignored.
    void setQuantity(int row, qint64 quantity);
    // Takes a line out; the lines below move up. Rows outside the document are ignored.
    void remove(int row);
    void clear() { m_lines.clear(); }

    int lineCount() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const ReceivedLine &line(int row) const { return m_lines.at(row - 1); }
    const QList<ReceivedLine> &lines() const { return m_lines; }
    // The row holding the product, or 0.
    int rowOf(qint64 pk) const;
    // Sum of the line amounts.
    Currency total() const;

private:
    QList<ReceivedLine> m_lines;
};
