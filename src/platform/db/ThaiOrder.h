#pragma once
#include <QByteArrayView>
#include <QCollator>
#include <QStringView>
#include <string>
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
// given an id as rows are read, then one sort key is made per distinct text and the ids are
// ranked by those keys. Ranks compare as ThaiOrder::compare compares the texts: equal ranks for
// texts the collator finds equal.
class ThaiRanks
{
public:
    // The id of a text given as UTF-8; the same bytes always get the same id.
    quint32 add(QByteArrayView utf8);
    quint32 count() const { return quint32(m_starts.size()); }
    // The rank of every id, from 0; ids added later need a new call.
    std::vector<quint32> ranks();

private:
    QByteArrayView text(quint32 id) const;
    QByteArrayView entryText(quint64 at) const;
    quint32 entryId(quint64 at) const;
    void rebuild(size_t slotCount);
    // Every distinct text, one after the other, each after its id and its size in bytes.
    std::string m_bytes;
    std::vector<quint64> m_starts; // where each id's text is kept
    // Open addressing: 0 for a free slot; else the high bits of the text's hash over where
    // it is kept, plus one.
    static constexpr quint64 kAtMask = (quint64(1) << 40) - 1;
    std::vector<quint64> m_slots;
};
