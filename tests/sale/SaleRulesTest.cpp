#include "sale/SaleRules.h"
#include "SaleFixture.h"
#include "platform/ui/Clock.h"
#include "sale/Counters.h"
#include <gtest/gtest.h>

namespace {
Currency money(const char *t)
{
    return Currency::fromText(QString::fromLatin1(t));
}

class ProductLookup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        addTestUnits(folder.db());
        addTestProduct(folder.db(),
            { .pk = 1,
                .code = "AB1",
                .name = "Alpha",
                .sell = 10,
                .special1 = 11,
                .special2 = 12,
                .cost = 7,
                .wholesale = true,
                .wholesaleQty = 3,
                .wholesalePrice = 9,
                .stock = 5 });
        addTestProduct(folder.db(), { .pk = 2, .code = "A_1", .name = "Under", .sell = 20 });
        addTestProduct(
            folder.db(), { .pk = 3, .code = "X9", .name = "NoUnit", .sell = 30, .unit = 77 });
    }
    TempProgramFolder folder;
};
} // namespace

TEST(SaleRules, CleaningTakesOutQuotePercentAndStar)
{
    EXPECT_EQ(cleanProductCode(QStringLiteral("a'b%c*")), QStringLiteral("abc"));
    EXPECT_EQ(cleanProductCode(QStringLiteral(" 12_[3] ")), QStringLiteral(" 12_[3] "));
    EXPECT_EQ(trimBlanks(QStringLiteral("  ab c  ")), QStringLiteral("ab c"));
}

TEST_F(ProductLookup, MatchesExactlyIgnoringCaseAndBlanks)
{
    const auto p = findProductByCode(folder.db(), QStringLiteral("  ab1 "));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->pk, 1);
    EXPECT_EQ(p->code, QStringLiteral("AB1"));
    EXPECT_EQ(p->unit, QStringLiteral("ชิ้น"));
    EXPECT_EQ(p->wholesaleQty, 3);
    EXPECT_EQ(p->price(PriceType::Special2), money("12"));
}

TEST_F(ProductLookup, WildcardsAndBracketsAreOrdinaryCharacters)
{
    // "A_1" names its own product and never the pattern that would also match "AB1".
    auto p = findProductByCode(folder.db(), QStringLiteral("A_1"));
    ASSERT_TRUE(p);
    EXPECT_EQ(p->pk, 2);
    for (const char *code : { "A_", "_B1", "[", "A%", "AB", "x9" })
        EXPECT_FALSE(findProductByCode(folder.db(), QString::fromLatin1(code))) << code;
}

TEST(SaleRules, WholesaleRule)
{
    SaleProduct p;
    p.sell = money("10");
    p.special1 = money("9.5");
    p.wholesalePrice = money("8");
    EXPECT_FALSE(wholesaleRule(p, 5, PriceType::Normal)) << "switch off: the rule does nothing";
    p.wholesale = true;
    EXPECT_EQ(wholesaleRule(p, 99, PriceType::Normal)->colour, ListPriceColour)
        << "an empty wholesale quantity is never reached";
    p.wholesaleQty = 3;
    struct Case
    {
        qint64 qty;
        PriceType type;
        const char *price;
        unsigned colour;
    } cases[] = {
        { 2, PriceType::Normal, "10", ListPriceColour },
        { 2, PriceType::Special1, "9.5", ListPriceColour },
        { 3, PriceType::Normal, "8", WholesaleColour },
        { 4, PriceType::Special1, "8", WholesaleColour },
    };
    for (const Case &c : cases) {
        const auto r = wholesaleRule(p, c.qty, c.type);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->unitPrice, money(c.price)) << c.qty;
        EXPECT_EQ(r->colour, c.colour) << c.qty;
    }
    EXPECT_EQ(WholesaleColour, 10395607u);
    EXPECT_EQ(ListPriceColour, 10211533u);
}

TEST(SaleRules, TotalsDiscountAndChange)
{
    const QList<Currency> lines { money("120"), money("35.50") };
    struct Case
    {
        const char *discount;
        DiscountType type;
        const char *total, *text8, *net;
    } cases[] = {
        { "", DiscountType::Baht, "155.50", "0.00", "155.50" },
        { "10", DiscountType::Percent, "155.50", "15.55", "139.95" },
        { "20", DiscountType::Baht, "155.50", "20.00", "135.50" },
        { "200", DiscountType::Baht, "155.50", "200.00", "-44.50" },
        { "0", DiscountType::Baht, "155.50", "0.00", "155.50" },
        // The discount is rounded to the satang once; the net is the total less that.
        { "33", DiscountType::Percent, "155.50", "51.32", "104.18" },
    };
    for (const Case &c : cases) {
        const SaleTotals t = computeTotals(lines, QString::fromLatin1(c.discount), c.type);
        EXPECT_EQ(t.total.format(), QString::fromLatin1(c.total)) << c.discount;
        EXPECT_EQ(t.discount.format(), QString::fromLatin1(c.text8)) << c.discount;
        EXPECT_EQ(t.net.format(), QString::fromLatin1(c.net)) << c.discount;
    }
    EXPECT_EQ(changeText(QStringLiteral("200"), QStringLiteral("139.95")), QStringLiteral("60.05"));
    EXPECT_EQ(changeText(QStringLiteral("100"), QStringLiteral("105.00")), QStringLiteral("-5.00"));
    EXPECT_EQ(
        changeText(QStringLiteral("2000"), QStringLiteral("1,105.00")), QStringLiteral("895.00"));
    EXPECT_EQ(changeText(QStringLiteral("  "), QStringLiteral("10.00")), QStringLiteral("0.00"));
    EXPECT_EQ(changeText(QStringLiteral("1.2.3"), QStringLiteral("10.00")), QStringLiteral("0.00"));
}

TEST(SaleRules, NetIsRoundedAsTheMoneyFormatShowsIt)
{
    // 0.125 shows as 0.13 (halves away from zero): the net is that shown figure.
    const SaleTotals t
        = computeTotals({ Currency::fromUnits(1250) }, QString(), DiscountType::Baht);
    EXPECT_EQ(t.net, money("0.13"));
}

namespace {
class ReceiptCounter : public ::testing::Test
{
protected:
    void setRow(qint64 numA, const char *numMon)
    {
        folder.db().execute(
            QStringLiteral("UPDATE tblNumber SET numA = ?1, numMon = ?2 WHERE nPK = 2"),
            { numA, QString::fromLatin1(numMon) });
    }
    std::pair<qint64, QString> row()
    {
        Recordset rs
            = folder.db().query(QStringLiteral("SELECT numA, numMon FROM tblNumber WHERE nPK = 2"));
        return { rs.integer(0), rs.text(1) };
    }
    TempProgramFolder folder;
};
} // namespace

TEST_F(ReceiptCounter, Steps)
{
    struct Case
    {
        qint64 numA;
        const char *numMon;
        QDate today;
        const char *receipt;
        qint64 storedA;
        const char *storedMon;
    } cases[] = {
        { 57, "04", { 2020, 5, 14 }, "INV-630500001", 1, "05" },
        { 57, "05", { 2021, 5, 3 }, "INV-640500058", 58, "05" }, // May of last year continues
        { 0, "00", { 2020, 12, 1 }, "INV-631200001", 1, "12" }, // after a reset
        { 99998, "05", { 2020, 5, 1 }, "INV-630599999", 99999, "05" },
        { 99999, "05", { 2020, 5, 1 }, "INV-630500000", 100000, "05" },
        { 3, "01", { 2057, 1, 9 }, "INV-000100004", 4, "01" },
    };
    for (const Case &c : cases) {
        setRow(c.numA, c.numMon);
        const QString no = takeReceiptNo(folder.db(), c.today);
        EXPECT_EQ(no, QString::fromLatin1(c.receipt));
        EXPECT_EQ(no.size(), 13);
        EXPECT_EQ(row().first, c.storedA) << c.receipt;
        EXPECT_EQ(row().second, QString::fromLatin1(c.storedMon)) << c.receipt;
    }
}

TEST_F(ReceiptCounter, OtherCountersKeepCountingAcrossMonths)
{
    folder.db().execute(
        QStringLiteral("UPDATE tblNumber SET numA = 41, numMon = '00' WHERE nPK = 3"));
    EXPECT_EQ(
        takeCounter(folder.db(), CounterRowId::ProductCodeCounter, { 2020, 5, 1 }, false), 42);
    EXPECT_EQ(folder.db().scalar(QStringLiteral("SELECT numMon FROM tblNumber WHERE nPK = 3")),
        QStringLiteral("00"));
}

TEST_F(ReceiptCounter, SwitchRows)
{
    writeSaveConfirmSwitch(folder.db(), false);
    EXPECT_FALSE(readSwitch(folder.db(), CounterRowId::SaveConfirmSwitch));
    writeSaveConfirmSwitch(folder.db(), true);
    EXPECT_TRUE(readSwitch(folder.db(), CounterRowId::SaveConfirmSwitch));
    folder.db().execute(
        QStringLiteral("UPDATE tblNumber SET numA = 7, numMon = '3' WHERE nPK = 6"));
    const DrawerSetting d = readDrawerSetting(folder.db());
    EXPECT_TRUE(d.on);
    EXPECT_EQ(d.port, QStringLiteral("3"));
}
