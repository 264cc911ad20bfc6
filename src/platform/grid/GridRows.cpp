#include "GridRows.h"
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

PackedRow::~PackedRow()
{
    std::free(m_block);
}

PackedRow &PackedRow::operator=(PackedRow &&o) noexcept
{
    if (this != &o) {
        std::free(m_block);
        m_block = o.m_block;
        o.m_block = nullptr;
    }
    return *this;
}

PackedRow::PackedRow(const char *bytes, const quint32 *ends, int count)
{
    auto endOf = [&](int i) { return i < 0 ? 0u : ends[i]; };
    while (count > 0 && endOf(count - 1) == endOf(count - 2))
        --count;
    if (count == 0)
        return;
    count = std::min(count, int(kCountMask));
    const size_t total = ends[count - 1];
    const bool wide = total > 0xffff;
    const bool narrow = total <= 0xff;
    const size_t head = wide ? 4 + 4 * size_t(count)
        : narrow             ? 2 + size_t(count)
                             : 2 + 2 * size_t(count);
    m_block = std::malloc(head + total);
    if (!m_block)
        throw std::bad_alloc();
    auto *h = static_cast<quint16 *>(m_block);
    h[0] = quint16(count | (wide ? kWide : 0) | (narrow ? kNarrow : 0));
    if (wide) {
        h[1] = 0;
        std::memcpy(h + 2, ends, sizeof(quint32) * size_t(count));
    } else if (narrow) {
        auto *e = reinterpret_cast<quint8 *>(h + 1);
        for (int i = 0; i < count; ++i)
            e[i] = quint8(ends[i]);
    } else {
        for (int i = 0; i < count; ++i)
            h[1 + i] = quint16(ends[i]);
    }
    if (total)
        std::memcpy(static_cast<char *>(m_block) + head, bytes, total);
}

QByteArrayView PackedRow::cell(int col) const
{
    if (col < 0 || col >= size())
        return {};
    const quint32 from = col ? end(col - 1) : 0;
    return QByteArrayView(bytes() + from, qsizetype(end(col) - from));
}

bool PackedRow::hasText(int cols) const
{
    const int n = std::min(cols, size());
    return n > 0 && end(n - 1) > 0;
}

void PackedRow::setCell(int col, QByteArrayView utf8)
{
    if (col < 0)
        return;
    const int n = std::max(size(), col + 1);
    std::vector<quint32> ends(size_t(n), 0);
    QByteArray out;
    out.reserve((m_block ? qsizetype(end(size() - 1)) : 0) + utf8.size());
    for (int c = 0; c < n; ++c) {
        out.append(c == col ? utf8 : cell(c));
        ends[size_t(c)] = quint32(out.size());
    }
    *this = PackedRow(out.constData(), ends.data(), n);
}

void PackedRow::truncate(int cols)
{
    if (cols >= size())
        return;
    std::vector<quint32> ends(size_t(std::max(0, cols)));
    for (int c = 0; c < cols; ++c)
        ends[size_t(c)] = end(c);
    PackedRow shorter(bytes(), ends.data(), std::max(0, cols));
    *this = std::move(shorter);
}

void GridRows::add(QStringView text)
{
    const QByteArray utf8 = text.toUtf8();
    m_bytes.append(utf8.constData(), size_t(utf8.size()));
    m_ends.push_back(quint32(m_bytes.size()));
}

void GridRows::addUtf8(QByteArrayView utf8)
{
    m_bytes.append(utf8.data(), size_t(utf8.size()));
    m_ends.push_back(quint32(m_bytes.size()));
}

void GridRows::addUtf8(std::initializer_list<QByteArrayView> pieces)
{
    for (const QByteArrayView piece : pieces)
        m_bytes.append(piece.data(), size_t(piece.size()));
    m_ends.push_back(quint32(m_bytes.size()));
}

void GridRows::endRow()
{
    m_rows.emplace_back(m_bytes.data(), m_ends.data(), int(m_ends.size()));
    m_bytes.clear();
    m_ends.clear();
}

void GridRows::addRow(const QStringList &cells)
{
    for (const QString &c : cells)
        add(c);
    endRow();
}

void GridRows::reorder(const std::vector<quint32> &order)
{
    std::vector<PackedRow> rows(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        rows[i] = std::move(m_rows[order[i]]);
    m_rows.swap(rows);
}

std::vector<PackedRow> GridRows::takeRows()
{
    std::vector<PackedRow> rows;
    rows.swap(m_rows);
    return rows;
}
