#include "records/Currency.h"
#include "records/Val.h"
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

TEST(Currency, SaleArithmeticAsTheCounterShowsIt)
{
    const Currency total = Currency::fromText("120.00") + Currency::fromText("35.50");
    EXPECT_EQ(total.format(), "155.50");
    const Currency discount = total.times(10.0).dividedBy(100.0);
    EXPECT_EQ(discount.format(), "15.55");
    const Currency net = total - discount;
    EXPECT_EQ(net.format(), "139.95");
    EXPECT_EQ((Currency::fromWhole(200) - net).format(), "60.05");
}

struct FormatCase
{
    double value;
    const char *twoDecimals;
    const char *whole;
};

class CurrencyFormat : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(CurrencyFormat, Shows)
{
    const auto c = Currency::fromDouble(GetParam().value);
    EXPECT_EQ(c.format(), QString::fromUtf8(GetParam().twoDecimals));
    EXPECT_EQ(c.formatWhole(), QString::fromUtf8(GetParam().whole));
}

INSTANTIATE_TEST_SUITE_P(Table, CurrencyFormat,
    ::testing::Values(FormatCase { -5, "-5.00", "-5" }, FormatCase { 2.345, "2.35", "2" },
        FormatCase { 2.355, "2.36", "2" }, FormatCase { -2.345, "-2.35", "-2" },
        FormatCase { 0, "0.00", "" }, FormatCase { 1250, "1,250.00", "1,250" },
        FormatCase { 1234567.891, "1,234,567.89", "1,234,568" }, FormatCase { 0.5, "0.50", "1" },
        FormatCase { -0.004, "0.00", "" }));

TEST(Currency, FromDoubleRoundsHalfEvenAtTheFourthDecimal)
{
    EXPECT_EQ(Currency::fromDouble(1.00005).units(), 10000);
    EXPECT_EQ(Currency::fromDouble(1.00015).units(), 10002);
    EXPECT_EQ(Currency::fromDouble(-1.00015).units(), -10002);
}

// Every stored amount rounds as the long product rounds it: around halves and whole numbers
// of ten-thousandths, on both sides of zero, near the largest amounts and beyond them.
TEST(Currency, FromDoubleAgreesWithTheLongProductEverywhere)
{
    std::vector<double> values { 0.0, -0.0, 2147483647.0 / 10000, 2147483648.0 / 10000,
        -2147483648.0 / 10000, 1e12, -1e12 };
    for (long long n = -3000000; n <= 3000000; n += 7919)
        for (const double part :
            { 0.0, 0.5, 0.4999999, 0.5000001, 0.499999, 0.500001, 0.9999999 }) {
            const double units = double(n) + part;
            values.push_back(units / 10000);
            values.push_back(std::nextafter(units / 10000, 1e300));
            values.push_back(std::nextafter(units / 10000, -1e300));
        }
    std::mt19937_64 random(36);
    std::uniform_real_distribution<double> money(-250000.0, 250000.0);
    for (int i = 0; i < 200000; ++i)
        values.push_back(std::round(money(random) * 100000) / 100000);
    for (const double v : values)
        ASSERT_EQ(Currency::fromDouble(v).units(), roundHalfEven((long double)v * 10000.0L)) << v;
}

TEST(Currency, ParsesShownText)
{
    struct
    {
        const char *text;
        bool ok;
        int64_t units;
    } cases[] = {
        { "1,250.00 ", true, 12500000 },
        { " 35.5", true, 355000 },
        { "-5.00", true, -50000 },
        { "0", true, 0 },
        { "", false, 0 },
        { "abc", false, 0 },
        { "12abc", false, 0 },
        { "1.23455", true, 12346 },
        { "1.23445", true, 12344 },
        { "1.234451", true, 12345 },
        { ".5", true, 5000 },
        { "-", false, 0 },
    };
    for (const auto &c : cases) {
        const auto p = Currency::parse(QString::fromUtf8(c.text));
        EXPECT_EQ(p.has_value(), c.ok) << c.text;
        if (p) {
            EXPECT_EQ(p->units(), c.units) << c.text;
        }
    }
    EXPECT_EQ(Currency::fromText("1,250.00 ").plain(), "1250");
    EXPECT_EQ(Currency::fromText("x").units(), 0);
}

TEST(Currency, ProductOfAmountsIsExact)
{
    EXPECT_EQ((Currency::fromText("19.99") * Currency::fromWhole(3)).format(), "59.97");
    EXPECT_EQ((Currency::fromText("0.1") * int64_t(3)).plain(), "0.3");
}

TEST(Val, ReadsTheLeadingNumber)
{
    struct
    {
        const char *text;
        double value;
    } cases[] = { { "12abc", 12 }, { "", 0 }, { "abc", 0 }, { " 1 2 ", 12 }, { "-3.5x", -3.5 },
        { "1,250", 1 }, { "2e3", 2000 }, { ".25", 0.25 }, { "+7", 7 }, { "4e", 4 } };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(Val, WholeNumbersOfGridQuantities)
{
    bool ok = false;
    EXPECT_EQ(toWholeNumber("3", &ok), 3);
    EXPECT_TRUE(ok);
    EXPECT_EQ(toWholeNumber("2.5"), 2);
    EXPECT_EQ(toWholeNumber("3.5"), 4);
    EXPECT_EQ(toWholeNumber("1,000"), 1000);
    EXPECT_EQ(toWholeNumber("", &ok), 0);
    EXPECT_FALSE(ok);
}
