#pragma once
#include "platform/LargePages.h"
#include <QByteArrayView>
#include <QCollator>
#include <QStringView>
#include <future>
#include <memory>
#include <vector>

// Thai dictionary order: ICU through QCollator, locale th_TH. Leading vowels เ แ โ ใ ไ sort by
// the consonant after them. The THAI collation of queries and the views that sort in C++ both
// take it from here, so a list sorts the same whichever side sorts it.
namespace ThaiOrder {

QCollator collator();

// One comparison as the collator makes it (an empty text before every other one).
int compare(QStringView a, QStringView b);

} // namespace ThaiOrder

// Puts many texts in Thai order without a collator call per comparison: each distinct text is
// given an id as rows are read, one sort key is made per distinct text and the ids are ranked
// by those keys. The keys are made on helper threads while the caller reads on, a thousand
// texts at a time; the texts not yet handed over when the ranks are asked for, and the keys of a
// second ranking, are made then (a big list's on up to four threads). Ranks compare as
// ThaiOrder::compare compares the texts: equal ranks for texts the collator finds equal.
class ThaiRanks
{
public:
    ThaiRanks();
    ~ThaiRanks();
    ThaiRanks(const ThaiRanks &) = delete;
    ThaiRanks &operator=(const ThaiRanks &) = delete;

    // The id of a text given as UTF-8; the same bytes always get the same id.
    quint32 add(QByteArrayView utf8);
    // The ids of several texts, as add() would give them one after the other. On a big list
    // the table is fetched for all of them at once rather than waited on for each text.
    void add(const QByteArrayView *utf8, size_t textCount, quint32 *ids);
    quint32 count() const { return quint32(m_starts.size()); }
    // The rank of every id, from 0; ids added later need a new call.
    std::vector<quint32> ranks();

private:
    QByteArrayView text(quint32 id) const;
    QByteArrayView entryText(quint64 at) const;
    quint32 entryId(quint64 at) const;
    quint32 add(QByteArrayView utf8, quint64 hash);
    void makeTable();
    void rebuild(size_t slotCount);
    void handOver();
    // Adds the keys of the ids from keys.size() on, in the order of the ids.
    void makeKeys(std::vector<QCollatorSortKey> &keys) const;
    // Every distinct text, one after the other, each after its id and its size in bytes.
    template <typename T> using Array = std::vector<T, LargePages::Allocator<T>>;
    Array<char> m_bytes;
    Array<quint64> m_starts; // where each id's text is kept
    Array<quint64> m_hashes; // each id's text's hash, for a table that grows
    // Open addressing: 0 for a free slot; else the high bits of the text's hash over where
    // it is kept, plus one.
    static constexpr quint64 kAtMask = (quint64(1) << 40) - 1;
    Array<quint64> m_slots;
    class KeyMaker;
    std::unique_ptr<KeyMaker> m_keyMaker; // none until a first chunk of texts is handed over
    bool m_keysAhead = true; // only the first ranking takes keys made ahead
    quint32 m_handedOver = 0; // ids whose texts went to the key maker
    std::future<void> m_keysGoing; // the last ranking's keys, freed on a helper thread
};
