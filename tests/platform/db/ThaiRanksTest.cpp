#include "platform/db/ThaiOrder.h"
#include <QString>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

const char *const kPieces[] = { "ก", "ข", "ค", "เก", "แข", "โค", "ใจ", "ไก่", "น้ำ", "ก้", "ข่", "ำ",
    "a", "A", "b", "B", "1", "10", "9", " ", "-", "ฯ" };

// Adds random texts of the pieces above until `texts` holds `count` distinct ones.
void addTexts(ThaiRanks &ranks, std::vector<QString> &texts, size_t count, std::mt19937 &random)
{
    std::uniform_int_distribution<int> piece(0, int(std::size(kPieces)) - 1), length(1, 6);
    while (texts.size() < count) {
        QByteArray t;
        for (int n = length(random); n > 0; --n)
            t += kPieces[piece(random)];
        if (ranks.add(t) == texts.size())
            texts.push_back(QString::fromUtf8(t));
    }
}

// The ranks put every text where the collator puts it, densely, and give equal ranks only to
// texts it finds equal.
void expectCollatorOrder(const std::vector<QString> &texts, const std::vector<quint32> &rank)
{
    ASSERT_EQ(rank.size(), texts.size());
    std::vector<quint32> byRank(texts.size());
    for (quint32 i = 0; i < byRank.size(); ++i)
        byRank[i] = i;
    std::stable_sort(
        byRank.begin(), byRank.end(), [&](quint32 a, quint32 b) { return rank[a] < rank[b]; });
    EXPECT_EQ(rank[byRank.front()], 0u);
    for (size_t i = 1; i < byRank.size(); ++i) {
        const quint32 a = byRank[i - 1], b = byRank[i];
        const int c = ThaiOrder::compare(texts[a], texts[b]);
        ASSERT_LE(rank[b] - rank[a], 1u) << "ranks are dense";
        if (rank[a] == rank[b]) {
            ASSERT_EQ(c, 0) << texts[a].toStdString() << " | " << texts[b].toStdString();
        } else {
            ASSERT_LT(c, 0) << texts[a].toStdString() << " | " << texts[b].toStdString();
        }
    }
}

} // namespace

// Many distinct texts (leading vowels, tone marks, letters in both cases, digits, blanks, empty),
// enough of them that their keys are made on helper threads while texts are added, and the
// rest made and sorted in slices at once.
TEST(ThaiRanks, RanksManyTextsAsTheCollatorOrdersThem)
{
    std::mt19937 random(36);
    ThaiRanks ranks;
    std::vector<QString> texts;
    ranks.add(QByteArray());
    texts.emplace_back();
    addTexts(ranks, texts, 120000, random);
    ASSERT_EQ(ranks.count(), texts.size());

    const std::vector<quint32> rank = ranks.ranks();
    expectCollatorOrder(texts, rank);
    EXPECT_EQ(rank[0], 0u) << "the empty text comes first";
}

// A second ranking, after more texts came, ranks the earlier texts too, though their keys were
// made ahead for the first. A list dropped while its keys are being made lets its helpers go.
TEST(ThaiRanks, RanksAgainAfterMoreTextsAndLetsAnUnrankedListGo)
{
    std::mt19937 random(37);
    ThaiRanks ranks;
    std::vector<QString> texts;
    addTexts(ranks, texts, 5000, random);
    expectCollatorOrder(texts, ranks.ranks());
    addTexts(ranks, texts, 9000, random);
    expectCollatorOrder(texts, ranks.ranks());

    ThaiRanks dropped;
    std::vector<QString> unranked;
    addTexts(dropped, unranked, 30000, random);
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
