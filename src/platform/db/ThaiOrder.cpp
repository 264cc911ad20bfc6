#include "ThaiOrder.h"
#include <QHashFunctions>
#include <QLocale>
#include <QString>
#include <algorithm>
#include <numeric>

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

ThaiRanks::ThaiRanks()
    : m_slots(1024, 0)
{ }

QByteArrayView ThaiRanks::text(quint32 id) const
{
    const size_t from = id ? m_ends[id - 1] : 0;
    return QByteArrayView(m_bytes.data() + from, qsizetype(m_ends[id] - from));
}

void ThaiRanks::grow()
{
    std::vector<quint32> table(m_slots.size() * 2, 0);
    const size_t mask = table.size() - 1;
    for (quint32 id = 0; id < count(); ++id) {
        size_t s = qHash(text(id)) & mask;
        while (table[s])
            s = (s + 1) & mask;
        table[s] = id + 1;
    }
    m_slots.swap(table);
}

quint32 ThaiRanks::add(QByteArrayView utf8)
{
    const size_t mask = m_slots.size() - 1;
    size_t s = qHash(utf8) & mask;
    while (const quint32 slot = m_slots[s]) {
        if (text(slot - 1) == utf8)
            return slot - 1;
        s = (s + 1) & mask;
    }
    const quint32 id = count();
    m_bytes.append(utf8.data(), size_t(utf8.size()));
    m_ends.push_back(m_bytes.size());
    m_slots[s] = id + 1;
    if (size_t(count()) * 2 > m_slots.size())
        grow();
    return id;
}

std::vector<quint32> ThaiRanks::ranks() const
{
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
