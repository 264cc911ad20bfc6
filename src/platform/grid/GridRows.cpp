#include "GridRows.h"
#include "platform/LargePages.h"
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <future>
#include <new>
#include <system_error>
#include <utility>

// Memory aligned on its size that the blocks of a big list's rows are cut from one after the
// other: no heap allocation per row, and one large page where the system gives them. A block
// finds its slab by its address; the slab goes back to the system once its blocks and its
// builder have all let go of it.
class RowSlab
{
public:
    static constexpr size_t kSize = size_t(2) << 20;
    static constexpr size_t kLargestCut = size_t(64) << 10; // longer rows take a block of their own

    static RowSlab *create()
    {
        // A slab of one large page is aligned on its size.
        static_assert(kSize == LargePages::kPage);
        return new (LargePages::allocate(kSize)) RowSlab;
    }
    // A slab whose memory the system has already given: each page is written once, so that the
    // system clears it now rather than when a row is first written there.
    static RowSlab *createTouched()
    {
        char *memory = static_cast<char *>(LargePages::allocate(kSize));
        for (size_t at = 0; at < kSize; at += 4096)
            memory[at] = 0;
        return new (memory) RowSlab;
    }
    // A block of `bytes` on four bytes, or none when the slab is full.
    void *cut(size_t bytes)
    {
        const size_t at = (m_used + 3) & ~size_t(3);
        if (at + bytes > kSize)
            return nullptr;
        m_used = at + bytes;
        m_shares.fetch_add(1, std::memory_order_relaxed);
        return reinterpret_cast<char *>(this) + at;
    }
    static RowSlab *of(const void *block)
    {
        return reinterpret_cast<RowSlab *>(quintptr(block) & ~quintptr(kSize - 1));
    }
    void letGo()
    {
        if (m_shares.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            this->~RowSlab();
            LargePages::release(this, kSize);
        }
    }

private:
    RowSlab() = default;

    std::atomic<quint32> m_shares { 1 }; // the builder's and one per block cut
    size_t m_used = sizeof(RowSlab);
};

// The slabs a big list's rows are cut from: the one in use, and the next, made ready on a
// helper thread while rows fill this one (clearing the memory of a year's rows would otherwise
// take a tenth of the time spent reading them).
class RowSlabs
{
public:
    ~RowSlabs()
    {
        if (m_current)
            m_current->letGo();
        if (m_next.valid()) {
            try {
                m_next.get()->letGo();
            } catch (const std::bad_alloc &) { }
        }
    }

    void *cut(size_t bytes)
    {
        if (m_current)
            if (void *block = m_current->cut(bytes))
                return block;
        RowSlab *fresh = m_next.valid() ? m_next.get() : RowSlab::create();
        if (m_current)
            m_current->letGo();
        m_current = fresh;
        try {
            m_next = std::async(std::launch::async, &RowSlab::createTouched);
        } catch (const std::system_error &) { } // no thread: the next one is made when needed
        return m_current->cut(bytes);
    }

private:
    RowSlab *m_current = nullptr; // with a share of our own
    std::future<RowSlab *> m_next;
};

PackedRow::~PackedRow()
{
    release();
}

void PackedRow::release()
{
    if (quintptr(m_block) & kInSlab)
        RowSlab::of(m_block)->letGo();
    else
        std::free(m_block);
}

PackedRow &PackedRow::operator=(PackedRow &&o) noexcept
{
    if (this != &o) {
        release();
        m_block = o.m_block;
        o.m_block = nullptr;
    }
    return *this;
}

PackedRow::PackedRow(const char *bytes, const quint32 *ends, int count, RowSlabs *slabs)
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
    quint16 *h;
    if (slabs && head + total <= RowSlab::kLargestCut) {
        h = static_cast<quint16 *>(slabs->cut(head + total));
        m_block = reinterpret_cast<void *>(quintptr(h) | kInSlab);
    } else {
        m_block = std::malloc(head + total);
        if (!m_block)
            throw std::bad_alloc();
        h = static_cast<quint16 *>(m_block);
    }
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
        std::memcpy(reinterpret_cast<char *>(h) + head, bytes, total);
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

GridRows::GridRows() = default;
GridRows::~GridRows() = default;

GridRows::GridRows(GridRows &&o) noexcept
    : m_rows(std::move(o.m_rows))
    , m_widest(std::exchange(o.m_widest, 0))
    , m_bytes(std::move(o.m_bytes))
    , m_ends(std::move(o.m_ends))
    , m_packed(std::exchange(o.m_packed, 0))
    , m_slabs(std::move(o.m_slabs))
{ }

GridRows &GridRows::operator=(GridRows &&o) noexcept
{
    if (this != &o) {
        m_rows = std::move(o.m_rows);
        m_widest = std::exchange(o.m_widest, 0);
        m_bytes = std::move(o.m_bytes);
        m_ends = std::move(o.m_ends);
        m_packed = std::exchange(o.m_packed, 0);
        m_slabs = std::move(o.m_slabs);
    }
    return *this;
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
    // A short list keeps a heap block per row, as the grid's other rows; past a slab's half,
    // the rows are cut from slabs.
    m_packed += m_bytes.size() + m_ends.size() + 2;
    if (!m_slabs && m_packed > RowSlab::kSize / 2)
        m_slabs = std::make_unique<RowSlabs>();
    m_rows.emplace_back(m_bytes.data(), m_ends.data(), int(m_ends.size()), m_slabs.get());
    m_widest = std::max(m_widest, int(m_ends.size()));
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
    PackedRows rows(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        rows[i] = std::move(m_rows[order[i]]);
    m_rows.swap(rows);
}

PackedRows GridRows::takeRows()
{
    PackedRows rows;
    rows.swap(m_rows);
    m_widest = 0;
    return rows;
}
