#pragma once
#include "platform/LargePages.h"
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// The texts of one grid row in one heap block: the cell count, each cell's end offset, then
// the cells' UTF-8 bytes. Offsets take one byte each in a row of at most 255 bytes of text (most
// rows), two in a row of less than 64 KB, four in a longer one. Trailing empty cells are not kept.
// A year of sale lines is half a million rows of thirteen cells: one block per row instead of one
// string per cell keeps that to about the size of the text itself. The blocks of a big list are
// cut from shared slabs (RowSlab) instead of one heap allocation each.
class RowSlab;
class RowSlabs;

class PackedRow
{
public:
    PackedRow() = default;
    ~PackedRow();
    PackedRow(PackedRow &&o) noexcept
        : m_block(o.m_block)
    {
        o.m_block = nullptr;
    }
    PackedRow &operator=(PackedRow &&o) noexcept;
    PackedRow(const PackedRow &) = delete;
    PackedRow &operator=(const PackedRow &) = delete;

    // cells[i] is [ends[i-1], ends[i]) of bytes. Given `slabs`, a block that fits is cut from
    // them.
    PackedRow(const char *bytes, const quint32 *ends, int count, RowSlabs *slabs = nullptr);

    int size() const { return m_block ? int(head()[0] & kCountMask) : 0; }
    QByteArrayView cell(int col) const;
    QString text(int col) const { return QString::fromUtf8(cell(col)); }
    // True when one of the first `cols` cells holds text.
    bool hasText(int cols) const;
    // Copies with cell `col` replaced; a shorter row grows with empty cells.
    void setCell(int col, QByteArrayView utf8);
    // Keeps the first `cols` cells.
    void truncate(int cols);

private:
    // head()[0]: the cell count, with kWide when the offsets take four bytes, kNarrow when
    // they take one.
    static constexpr quint16 kWide = 0x8000, kNarrow = 0x4000, kCountMask = 0x3fff;
    // The pointer's lowest bit marks a block cut from a slab: blocks start on four bytes.
    static constexpr quintptr kInSlab = 1;
    const quint16 *head() const
    {
        return reinterpret_cast<const quint16 *>(quintptr(m_block) & ~kInSlab);
    }
    void release();
    bool wide() const { return head()[0] & kWide; }
    bool narrow() const { return head()[0] & kNarrow; }
    quint32 end(int col) const
    {
        if (narrow())
            return reinterpret_cast<const quint8 *>(head() + 1)[col];
        return wide() ? reinterpret_cast<const quint32 *>(head() + 2)[col] : head()[1 + col];
    }
    const char *bytes() const
    {
        if (narrow())
            return reinterpret_cast<const char *>(head() + 1) + size();
        return wide() ? reinterpret_cast<const char *>(head() + 2) + 4 * size()
                      : reinterpret_cast<const char *>(head() + 1 + size());
    }
    void *m_block = nullptr;
};

// A list's rows: a year's take large pages, as its slabs do.
using PackedRows = std::vector<PackedRow, LargePages::Allocator<PackedRow>>;

// Rows for DataGrid::setRows, packed while they are built, so filling a big grid never holds
// a string per cell. Cells go in left to right from column 0; endRow() closes a row.
class GridRows
{
public:
    GridRows();
    ~GridRows();
    GridRows(GridRows &&o) noexcept;
    GridRows &operator=(GridRows &&o) noexcept;
    void reserve(size_t rows) { m_rows.reserve(rows); }
    void add(QStringView text);
    void addUtf8(QByteArrayView utf8);
    // One cell made of several pieces of UTF-8 text, one after the other.
    void addUtf8(std::initializer_list<QByteArrayView> pieces);
    void endRow();
    void addRow(const QStringList &cells);
    // A row packed already, after the rows there are.
    void addRow(PackedRow &&row)
    {
        m_widest = std::max(m_widest, row.size());
        m_rows.push_back(std::move(row));
    }
    size_t size() const { return m_rows.size(); }
    const PackedRow &row(size_t i) const { return m_rows[i]; }
    // A row that may be changed, and so have more cells than widest() said.
    PackedRow &row(size_t i)
    {
        m_widest = kUnknownWidth;
        return m_rows[i];
    }
    // No row has more cells than this: the grid takes rows that fit without looking at each.
    int widest() const { return m_widest; }
    // Puts the rows in a new order: row i becomes the row that was order[i].
    void reorder(const std::vector<quint32> &order);
    bool empty() const { return m_rows.empty(); }
    PackedRows takeRows();

private:
    static constexpr int kUnknownWidth = 0x7fffffff;
    PackedRows m_rows;
    int m_widest = 0;
    std::string m_bytes; // the open row
    std::vector<quint32> m_ends;
    size_t m_packed = 0; // bytes of rows packed so far: a big list moves on to slabs
    std::unique_ptr<RowSlabs> m_slabs; // none until the list is big
};
