#include "ThaiOrder.h"
#include <QLocale>
#include <QString>
#include <algorithm>
#include <cstring>

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
    std::memcpy(&w, p, size_t(n));
    h = (h ^ w) * 0xc4ceb9fe1a85ec53ull;
    return h ^ (h >> 29);
}

} // namespace

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
    // The texts are read in the order they are kept, which the cache likes better than the
    // order of the old table.
    std::vector<quint64> table(slotCount, 0);
    const size_t mask = slotCount - 1;
    for (const quint64 at : m_starts) {
        const quint64 hash = hashOf(entryText(at));
        size_t s = hash & mask;
        while (table[s])
            s = (s + 1) & mask;
        table[s] = (hash & ~kAtMask) | (at + 1);
    }
    m_slots.swap(table);
}

quint32 ThaiRanks::add(QByteArrayView utf8)
{
    if (m_slots.empty()) { // the first text, or the first since ranks()
        size_t slotCount = 1024;
        while (slotCount < 2 * size_t(count()) + 2)
            slotCount *= 2;
        rebuild(slotCount);
    }
    const size_t mask = m_slots.size() - 1;
    const quint64 hash = hashOf(utf8);
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
    m_bytes.append(reinterpret_cast<const char *>(&id), 4);
    m_bytes.append(reinterpret_cast<const char *>(&size), 4);
    m_bytes.append(utf8.data(), size_t(utf8.size()));
    m_starts.push_back(at);
    m_slots[s] = tag | (at + 1);
    if (size_t(count()) * 2 > m_slots.size())
        rebuild(m_slots.size() * 2);
    return id;
}

std::vector<quint32> ThaiRanks::ranks()
{
    // The sort keys of a big list take room: the table that finds a text goes first.
    m_slots = std::vector<quint64>();
    // The collator puts an empty text before every other one, even before a text its keys
    // find equal to it (one of ignorable characters only): empty texts rank first on their own.
    const QCollator thai = ThaiOrder::collator();
    const quint32 n = count();
    std::vector<QCollatorSortKey> keys;
    keys.reserve(n);
    std::vector<quint32> ids;
    ids.reserve(n);
    quint32 empty = n;
    for (quint32 id = 0; id < n; ++id) {
        const QByteArrayView t = text(id);
        if (t.isEmpty()) {
            empty = id;
            keys.push_back(thai.sortKey(QString()));
            continue;
        }
        keys.push_back(thai.sortKey(QString::fromUtf8(t)));
        ids.push_back(id);
    }
    std::sort(
        ids.begin(), ids.end(), [&](quint32 a, quint32 b) { return keys[a].compare(keys[b]) < 0; });
    std::vector<quint32> rank(n, 0);
    quint32 next = empty < n ? 1 : 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i > 0 && keys[ids[i - 1]].compare(keys[ids[i]]) != 0)
            ++next;
        rank[ids[i]] = next;
    }
    return rank;
}
