#include "platform/db/ThaiOrder.h"
#include <QString>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

// Many distinct texts: the ranks put every text where the collator puts it, densely, and give
// equal ranks only to texts it finds equal (leading vowels, tone marks, letters in both cases,
// digits, blanks, empty). Enough of them that the keys are made and sorted in slices at once.
TEST(ThaiRanks, RanksManyTextsAsTheCollatorOrdersThem)
{
    const char *const pieces[] = { "ก", "ข", "ค", "เก", "แข", "โค", "ใจ", "ไก่", "น้ำ", "ก้", "ข่", "ำ",
        "a", "A", "b", "B", "1", "10", "9", " ", "-", "ฯ" };
    std::mt19937 random(36);
    std::uniform_int_distribution<int> piece(0, int(std::size(pieces)) - 1), length(1, 6);
    ThaiRanks ranks;
    std::vector<QString> texts;
    auto add = [&](const QByteArray &utf8) {
        if (ranks.add(utf8) == texts.size())
            texts.push_back(QString::fromUtf8(utf8));
    };
    add(QByteArray());
    while (texts.size() < 120000) {
        QByteArray t;
        for (int n = length(random); n > 0; --n)
            t += pieces[piece(random)];
        add(t);
    }
    ASSERT_EQ(ranks.count(), texts.size());

    const std::vector<quint32> rank = ranks.ranks();
    ASSERT_EQ(rank.size(), texts.size());
    std::vector<quint32> byRank(texts.size());
    for (quint32 i = 0; i < byRank.size(); ++i)
        byRank[i] = i;
    std::stable_sort(
        byRank.begin(), byRank.end(), [&](quint32 a, quint32 b) { return rank[a] < rank[b]; });
    EXPECT_EQ(rank[byRank.front()], 0u);
    EXPECT_TRUE(texts[byRank.front()].isEmpty());
    for (size_t i = 1; i < byRank.size(); ++i) {
        const quint32 a = byRank[i - 1], b = byRank[i];
        const int c = ThaiOrder::compare(texts[a], texts[b]);
        ASSERT_LE(rank[b] - rank[a], 1u) << "ranks are dense";
        if (rank[a] == rank[b]) {
            EXPECT_EQ(c, 0) << texts[a].toStdString() << " | " << texts[b].toStdString();
        } else {
            EXPECT_LT(c, 0) << texts[a].toStdString() << " | " << texts[b].toStdString();
        }
    }
}

// A text keeps its id however many texts come after it, texts that differ in one byte only or
// in their length get their own, and ids go on after the ranks were taken. Texts given many at
// a time (repeated inside one batch, the table growing halfway through one) get the ids they
// get one by one.
TEST(ThaiRanks, EachTextKeepsItsIdThroughGrowthAndRanking)
{
    ThaiRanks ranks;
    std::vector<QByteArray> texts;
    for (int i = 0; i < 5000; ++i) {
        texts.push_back(QStringLiteral("สินค้า %1").arg(i).toUtf8());
        texts.push_back(texts.back() + ' ');
        texts.push_back(QByteArray(size_t(i % 40), 'x') + char('a' + i % 26));
    }
    std::vector<QByteArrayView> views(texts.begin(), texts.end());
    std::vector<quint32> ids(texts.size());
    for (size_t from = 0, batch = 1; from < texts.size(); from += batch, batch = batch % 97 + 1)
        ranks.add(views.data() + from, std::min(batch, texts.size() - from), ids.data() + from);
    auto expectIds = [&](const char *step) {
        for (size_t i = 0; i < texts.size(); ++i)
            ASSERT_EQ(ranks.add(texts[i]), ids[i]) << step << ": " << texts[i].toStdString();
    };
    expectIds("after growing");
    const quint32 distinct = ranks.count();
    EXPECT_EQ(ranks.ranks().size(), distinct);
    expectIds("after the ranks");
    EXPECT_EQ(ranks.count(), distinct);
    EXPECT_EQ(ranks.add("ใหม่"), distinct);
    EXPECT_EQ(ranks.ranks().size(), distinct + 1);
}
