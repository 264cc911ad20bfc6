#include "stock/StockUpdate.h"
#include "sale/SaleRules.h"

int StockUpdate::add(const SaleProduct &p)
{
    if (const int row = rowOf(p.pk)) {
        ++m_lines[row - 1].quantity;
        return row;
    }
    m_lines.prepend(
        ReceivedLine { p.pk, p.code, p.name, p.description, p.unit, p.cost, qint64(1) });
    return 1;
}

void StockUpdate::setQuantity(int row, qint64 quantity)
{
    if (row >= 1 && row <= lineCount())
        m_lines[row - 1].quantity = quantity;
}

void StockUpdate::remove(int row)
{
    if (row >= 1 && row <= lineCount())
        m_lines.removeAt(row - 1);
}

int StockUpdate::rowOf(qint64 pk) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].pk == pk)
            return i + 1;
    return 0;
}

Currency StockUpdate::total() const
{
    Currency sum;
    for (const ReceivedLine &l : m_lines)
        sum += l.amount();
    return sum;
}
