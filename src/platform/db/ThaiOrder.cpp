#include "ThaiOrder.h"
#include <QLocale>
#include <QString>
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <future>
#include <iterator>
#include <mutex>
#include <new>
#include <system_error>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <thread>
#include <utility>

namespace ThaiOrder {

QCollator collator()
{
    return QCollator(QLocale(QLocale::Thai, QLocale::Thailand));
}

int compare(QStringView a, QStringView b)
{
    thread_local const QCollator thai = collator();
    return thai.compare(a, b);
}

} // namespace ThaiOrder

namespace {

// A quick hash of a short text, eight bytes at a time: the texts are the shop's own, nobody's
// crafted keys.
quint64 hashOf(QByteArrayView t)
{
    const char *p = t.data();
    qsizetype n = t.size();
    quint64 h = 0x9e3779b97f4a7c15ull ^ quint64(n);
    for (; n >= 8; p += 8, n -= 8) {
        quint64 w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xff51afd7ed558ccdull;
        h ^= h >> 32;
    }
    quint64 w = 0;
    if (n > 0) // an empty text may have no bytes at all to copy from
        std::memcpy(&w, p, size_t(n));
    h = (h ^ w) * 0xc4ceb9fe1a85ec53ull;
    return h ^ (h >> 29);
}

constexpr size_t kLeastPerSlice = 8192; // texts: fewer are not worth a thread
constexpr quint32 kChunk = 1024; // texts handed to the key maker at a time

// The texts of kept entries (id, size in bytes, text), one after the other.
template <typename Each> void forEachEntry(const char *p, const char *end, const Each &each)
{
    while (p < end) {
        quint32 size;
        std::memcpy(&size, p + 4, 4);
        each(QByteArrayView(p + 8, qsizetype(size)));
        p += 8 + size;
    }
}

// How many slices of at least `least` items a long job is cut into, one per processor, up to
// four.
size_t slicesFor(size_t items, size_t least)
{
    const size_t processors = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
    return std::clamp<size_t>(items / least, 1, processors);
}

// Runs work(slice, from, to) for each of `slices` slices of [0, items) at once, the first on
// this thread. Each slice's work touches its own items only. Where the system gives no more
// threads, this thread does the slices left.
template <typename Work> void inSlices(size_t items, size_t slices, const Work &work)
{
    const auto run = [&work, items, slices](
                         size_t i) { work(i, items * i / slices, items * (i + 1) / slices); };
    struct Helpers
    {
        std::vector<std::thread> threads;
        ~Helpers()
        {
            for (std::thread &t : threads)
                t.join();
        }
    } helpers;
    size_t started = 1;
    try {
        for (; started < slices; ++started)
            helpers.threads.emplace_back(run, started);
    } catch (const std::system_error &) { }
    run(0);
    for (size_t i = started; i < slices; ++i)
        run(i);
}

// Puts ids in the order of their keys, and marks each place whose key differs from the one
// before it. A big list is first parted by bounds taken from a sorted sample of its keys (the
// bounds stay in the cache while each key finds its part), then each part is sorted and marked
// on its own with its keys in the cache, where a sort of the whole list would fetch them from
// memory again for most comparisons. Both steps run in slices at once.
void sortByKeys(std::vector<quint32> &ids, const std::vector<QCollatorSortKey> &keys,
    std::vector<quint8> &differs)
{
    const auto less = [&keys](quint32 a, quint32 b) { return keys[a].compare(keys[b]) < 0; };
    differs.assign(ids.size(), 1);
    // Marks [from, to) of the sorted ids, against the one before each.
    const auto mark = [&](size_t from, size_t to) {
        for (size_t i = std::max<size_t>(from, 1); i < to; ++i)
            differs[i] = keys[ids[i - 1]].compare(keys[ids[i]]) != 0;
    };
    constexpr size_t kPartSize = 1024, kSamplesPerPart = 16;
    const size_t parts = ids.size() / kPartSize;
    if (parts < 16) {
        std::sort(ids.begin(), ids.end(), less);
        mark(0, ids.size());
        return;
    }
    std::vector<quint32> sample(parts * kSamplesPerPart);
    for (size_t i = 0; i < sample.size(); ++i)
        sample[i] = ids[i * ids.size() / sample.size()];
    std::sort(sample.begin(), sample.end(), less);
    std::vector<quint32> bounds(parts - 1); // part p: bounds[p - 1] <= key < bounds[p]
    for (size_t p = 1; p < parts; ++p)
        bounds[p - 1] = sample[p * kSamplesPerPart];
    std::vector<quint32> partOf(ids.size());
    inSlices(
        ids.size(), slicesFor(ids.size(), kLeastPerSlice), [&](size_t, size_t from, size_t to) {
            for (size_t i = from; i < to; ++i)
                partOf[i] = quint32(
                    std::upper_bound(bounds.begin(), bounds.end(), ids[i], less) - bounds.begin());
        });
    std::vector<size_t> start(parts + 1, 0);
    for (const quint32 p : partOf)
        ++start[p + 1];
    for (size_t p = 1; p <= parts; ++p)
        start[p] += start[p - 1];
    std::vector<quint32> parted(ids.size());
    {
        std::vector<size_t> next(start.begin(), start.end() - 1);
        for (size_t i = 0; i < ids.size(); ++i)
            parted[next[partOf[i]]++] = ids[i];
    }
    ids.swap(parted);
    // Every key of a part comes before every key of the next (a bound lies between them): a
    // part's first place always differs from the one before it.
    inSlices(
        parts, slicesFor(parts, kLeastPerSlice / kPartSize), [&](size_t, size_t from, size_t to) {
            for (size_t p = from; p < to; ++p) {
                std::sort(
                    ids.begin() + qsizetype(start[p]), ids.begin() + qsizetype(start[p + 1]), less);
                mark(start[p] + 1, start[p + 1]);
            }
        });
}

} // namespace

// Makes the sort keys of the texts handed over, a chunk at a time, on helper threads (up to
// three: the caller goes on reading on its own). A chunk is a copy of the kept entries, so the
// caller's table may grow and move meanwhile.
class ThaiRanks::KeyMaker
{
public:
    KeyMaker()
    {
        const unsigned helpers = std::clamp(std::thread::hardware_concurrency(), 2u, 4u) - 1;
        try {
            for (unsigned i = 0; i < helpers; ++i)
                m_threads.emplace_back([this] { work(); });
        } catch (const std::system_error &) { } // keys() makes what no thread took
    }

    // Chunks not yet started are dropped.
    ~KeyMaker()
    {
        {
            std::lock_guard lock(m_lock);
            m_waiting.clear();
            m_finishing = true;
        }
        m_wake.notify_all();
        for (std::thread &t : m_threads)
            t.join();
    }

    void give(QByteArray entries)
    {
        {
            std::lock_guard lock(m_lock);
            m_chunks.push_back(Chunk { std::move(entries), {} });
            m_waiting.push_back(m_chunks.size() - 1);
        }
        m_wake.notify_one();
    }

    // The keys of every chunk handed over, in the order they were: waits for the helpers.
    std::vector<QCollatorSortKey> keys()
    {
        {
            std::lock_guard lock(m_lock);
            m_finishing = true;
        }
        m_wake.notify_all();
        for (std::thread &t : m_threads)
            t.join();
        m_threads.clear();
        const QCollator thai = ThaiOrder::collator();
        size_t count = 0;
        for (Chunk &c : m_chunks) {
            if (!c.entries.isEmpty()) // no thread took it
                c.keys = keysOf(thai, c.entries);
            count += c.keys.size();
        }
        std::vector<QCollatorSortKey> keys;
        keys.reserve(count);
        for (Chunk &c : m_chunks) {
            std::move(c.keys.begin(), c.keys.end(), std::back_inserter(keys));
            c.keys = std::vector<QCollatorSortKey>();
        }
        return keys;
    }

private:
    struct Chunk
    {
        QByteArray entries; // emptied once its keys are made
        std::vector<QCollatorSortKey> keys;
    };

    static std::vector<QCollatorSortKey> keysOf(const QCollator &thai, const QByteArray &entries)
    {
        std::vector<QCollatorSortKey> keys;
        keys.reserve(kChunk);
        forEachEntry(entries.constData(), entries.constData() + entries.size(),
            [&](QByteArrayView text) { keys.push_back(thai.sortKey(QString::fromUtf8(text))); });
        return keys;
    }

    void work()
    {
        const QCollator thai = ThaiOrder::collator();
        std::unique_lock lock(m_lock);
        for (;;) {
            m_wake.wait(lock, [this] { return m_finishing || !m_waiting.empty(); });
            if (m_waiting.empty())
                return;
            const size_t chunk = m_waiting.front();
            m_waiting.pop_front();
            const QByteArray entries = std::exchange(m_chunks[chunk].entries, QByteArray());
            lock.unlock();
            std::vector<QCollatorSortKey> keys;
            bool made = true;
            try {
                keys = keysOf(thai, entries);
            } catch (const std::bad_alloc &) {
                made = false; // the caller makes them in keys(), and meets the failure itself
            }
            lock.lock();
            if (made)
                m_chunks[chunk].keys = std::move(keys);
            else
                m_chunks[chunk].entries = entries;
        }
    }

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<Chunk> m_chunks; // in the order handed over; a deque keeps them in place
    std::deque<size_t> m_waiting;
    bool m_finishing = false;
    std::vector<std::thread> m_threads;
};

ThaiRanks::ThaiRanks() = default;
ThaiRanks::~ThaiRanks() = default;

QByteArrayView ThaiRanks::entryText(quint64 at) const
{
    quint32 size;
    std::memcpy(&size, m_bytes.data() + at + 4, 4);
    return QByteArrayView(m_bytes.data() + at + 8, qsizetype(size));
}

quint32 ThaiRanks::entryId(quint64 at) const
{
    quint32 id;
    std::memcpy(&id, m_bytes.data() + at, 4);
    return id;
}

QByteArrayView ThaiRanks::text(quint32 id) const
{
    return entryText(m_starts[id]);
}

void ThaiRanks::rebuild(size_t slotCount)
{
    // From the kept hashes, in the order of the ids: no text is read or hashed again.
    Array<quint64> table(slotCount, 0);
    const size_t mask = slotCount - 1;
    for (quint32 id = 0; id < count(); ++id) {
        const quint64 at = m_starts[id], hash = m_hashes[id];
        size_t s = hash & mask;
        while (table[s])
            s = (s + 1) & mask;
        table[s] = (hash & ~kAtMask) | (at + 1);
    }
    m_slots.swap(table);
}

void ThaiRanks::makeTable()
{
    size_t slotCount = 1024;
    while (slotCount < 2 * size_t(count()) + 2)
        slotCount *= 2;
    rebuild(slotCount);
}

quint32 ThaiRanks::add(QByteArrayView utf8)
{
    return add(utf8, hashOf(utf8));
}

void ThaiRanks::add(const QByteArrayView *utf8, size_t textCount, quint32 *ids)
{
    constexpr size_t kBatch = 32;
    quint64 hashes[kBatch];
    for (size_t from = 0; from < textCount; from += kBatch) {
        const size_t n = std::min(kBatch, textCount - from);
        if (m_slots.empty())
            makeTable();
        // Each text's first slot, then the kept text that slot points to, are asked of memory
        // for the whole batch before any of them is looked at.
        const size_t mask = m_slots.size() - 1;
        for (size_t i = 0; i < n; ++i) {
            hashes[i] = hashOf(utf8[from + i]);
            __builtin_prefetch(&m_slots[hashes[i] & mask]);
        }
        for (size_t i = 0; i < n; ++i) {
            const quint64 slot = m_slots[hashes[i] & mask];
            if (slot && (slot & ~kAtMask) == (hashes[i] & ~kAtMask))
                __builtin_prefetch(m_bytes.data() + (slot & kAtMask) - 1);
        }
        for (size_t i = 0; i < n; ++i)
            ids[from + i] = add(utf8[from + i], hashes[i]);
    }
}

quint32 ThaiRanks::add(QByteArrayView utf8, quint64 hash)
{
    if (m_slots.empty()) // the first text, or the first since ranks()
        makeTable();
    const size_t mask = m_slots.size() - 1;
    const quint64 tag = hash & ~kAtMask;
    size_t s = hash & mask;
    // A slot holds where the text is kept and part of its hash: the text is read only when
    // that part agrees, and holds its id beside it.
    for (; m_slots[s]; s = (s + 1) & mask) {
        if ((m_slots[s] & ~kAtMask) != tag)
            continue;
        const quint64 at = (m_slots[s] & kAtMask) - 1;
        if (entryText(at) == utf8)
            return entryId(at);
    }
    const quint32 id = count();
    const quint64 at = m_bytes.size();
    const quint32 size = quint32(utf8.size());
    const auto append = [this](const void *p, size_t n) {
        const char *c = static_cast<const char *>(p);
        m_bytes.insert(m_bytes.end(), c, c + n);
    };
    append(&id, 4);
    append(&size, 4);
    append(utf8.data(), size_t(utf8.size()));
    m_starts.push_back(at);
    m_hashes.push_back(hash);
    m_slots[s] = tag | (at + 1);
    if (size_t(count()) * 2 > m_slots.size())
        rebuild(m_slots.size() * 2);
    if (m_keysAhead && count() - m_handedOver >= kChunk)
        handOver();
    return id;
}

void ThaiRanks::handOver()
{
    const quint64 from = m_starts[m_handedOver];
    if (!m_keyMaker)
        m_keyMaker = std::make_unique<KeyMaker>();
    m_keyMaker->give(QByteArray(m_bytes.data() + from, qsizetype(m_bytes.size() - from)));
    m_handedOver = count();
}

void ThaiRanks::makeKeys(std::vector<QCollatorSortKey> &keys) const
{
    const size_t first = keys.size(), n = count();
    if (first >= n)
        return;
    // Each key stands alone: a big list's keys are made in slices at once, each with a
    // collator of its own.
    const size_t slices = slicesFor(n - first, kLeastPerSlice);
    std::vector<std::vector<QCollatorSortKey>> sliceKeys(slices);
    inSlices(n - first, slices, [&](size_t slice, size_t from, size_t to) {
        const QCollator thai = ThaiOrder::collator();
        std::vector<QCollatorSortKey> &made = sliceKeys[slice];
        made.reserve(to - from);
        for (size_t i = from; i < to; ++i)
            made.push_back(thai.sortKey(QString::fromUtf8(text(quint32(first + i)))));
    });
    keys.reserve(n);
    for (std::vector<QCollatorSortKey> &made : sliceKeys)
        std::move(made.begin(), made.end(), std::back_inserter(keys));
}

std::vector<quint32> ThaiRanks::ranks()
{
    // The sort keys of a big list take room: the table that finds a text goes first.
    m_slots = Array<quint64>();
    // The collator puts an empty text before every other one, even before a text its keys
    // find equal to it (one of ignorable characters only): empty texts rank first on their own.
    const quint32 n = count();
    std::vector<QCollatorSortKey> keys;
    if (m_keyMaker) {
        keys = m_keyMaker->keys();
        m_keyMaker.reset();
    }
    m_keysAhead = false;
    makeKeys(keys);
    std::vector<quint32> ids;
    ids.reserve(n);
    quint32 empty = n;
    for (quint32 id = 0; id < n; ++id) {
        if (text(id).isEmpty())
            empty = id;
        else
            ids.push_back(id);
    }
    std::vector<quint8> differs;
    sortByKeys(ids, keys, differs);
    std::vector<quint32> rank(n, 0);
    quint32 next = empty < n ? 1 : 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i > 0 && differs[i])
            ++next;
        rank[ids[i]] = next;
    }
    // Freeing the keys, made on other threads, takes a while: a helper does it while the caller
    // goes on with the ranks. The list waits for it when it goes.
    const auto letKeysGo = [](std::vector<QCollatorSortKey> &made) {
        const bool big = made.size() > 100000;
        made = std::vector<QCollatorSortKey>();
#ifdef __GLIBC__
        // Keys made on other threads were taken from heaps of their own, which keep the memory
        // once the keys go unless asked to give it back: worth asking after a big list.
        if (big)
            malloc_trim(0);
#else
        Q_UNUSED(big);
#endif
    };
    try {
        m_keysGoing = std::async(
            std::launch::async, [letKeysGo, made = std::move(keys)]() mutable { letKeysGo(made); });
    } catch (const std::system_error &) {
        letKeysGo(keys);
    }
    return rank;
}
