#include "sale/Sale.h"
#include <gtest/gtest.h>

// The sale and its rules alone: no window, no database.
namespace {

Currency money(const char *t)
{
    return Currency::fromText(QString::fromLatin1(t));
}

// 1 "AB1" 120 (specials 110, 100), wholesale from 3 at 90; 2 "CD2" 35.50 without wholesale;
// 3 "E5" 15, wholesale from 1 at 12.
SaleProduct product(int pk)
{
    SaleProduct p;
    p.pk = pk;
    switch (pk) {
    case 1:
        p.code = QStringLiteral("AB1");
        p.name = QStringLiteral("สบู่เหลว");
        p.sell = money("120");
        p.special1 = money("110");
        p.special2 = money("100");
        p.wholesale = true;
        p.wholesaleQty = 3;
        p.wholesalePrice = money("90");
        break;
    case 2:
        p.code = QStringLiteral("CD2");
        p.sell = p.special1 = p.special2 = money("35.50");
        break;
    default:
        p.code = QStringLiteral("E5");
        p.sell = p.special1 = p.special2 = money("15");
        p.wholesale = true;
        p.wholesaleQty = 1;
        p.wholesalePrice = money("12");
    }
    p.cost = money("5");
    return p;
}

} // namespace

TEST(SaleValue, AddingProductsFollowsTheWholesaleRuleAndThePriceList)
{
    struct Step
    {
        bool fresh; // a new sale on this price list
        int pk;
        PriceType type;
        qint64 quantity; // of the product's line after the add
        const char *price;
        PriceMark mark;
        int lines;
    } steps[] = {
        // A new line starts at the price list's price, even when its wholesale quantity is 1.
        { true, 1, PriceType::Normal, 1, "120", PriceMark::None, 1 },
        { false, 1, PriceType::Normal, 2, "120", PriceMark::ListPrice, 1 },
        { false, 1, PriceType::Normal, 3, "90", PriceMark::Wholesale, 1 },
        { false, 1, PriceType::Normal, 4, "90", PriceMark::Wholesale, 1 },
        { false, 3, PriceType::Normal, 1, "15", PriceMark::None, 2 },
        { false, 3, PriceType::Normal, 2, "12", PriceMark::Wholesale, 2 },
        { true, 1, PriceType::Special1, 1, "110", PriceMark::None, 1 },
        { false, 1, PriceType::Special1, 2, "110", PriceMark::ListPrice, 1 },
        { true, 1, PriceType::Special2, 1, "100", PriceMark::None, 1 },
        { false, 1, PriceType::Special2, 2, "100", PriceMark::ListPrice, 1 },
        // Without the wholesale switch a line keeps the price it entered with.
        { true, 2, PriceType::Special2, 1, "35.50", PriceMark::None, 1 },
        { false, 2, PriceType::Special2, 2, "35.50", PriceMark::None, 1 },
    };
    Sale sale;
    for (const Step &s : steps) {
        if (s.fresh) {
            sale = Sale();
            sale.priceType = s.type;
        }
        const int i = addProduct(sale, product(s.pk));
        SCOPED_TRACE(testing::Message() << "product " << s.pk << " quantity " << s.quantity);
        EXPECT_EQ(sale.lines.size(), s.lines);
        EXPECT_EQ(sale.lines[i].productKey, s.pk);
        EXPECT_EQ(sale.lines[i].quantity, s.quantity);
        EXPECT_EQ(sale.lines[i].unitPrice, money(s.price));
        EXPECT_EQ(sale.lines[i].mark, s.mark);
        EXPECT_EQ(sale.lines[i].amount(), money(s.price) * s.quantity);
    }
    // A new product goes on top; an existing line keeps its place.
    Sale two;
    addProduct(two, product(1));
    addProduct(two, product(2));
    EXPECT_EQ(addProduct(two, product(1)), 1);
    EXPECT_EQ(two.lines[0].code, QStringLiteral("CD2"));
    EXPECT_FALSE(hasWholesaleLine(two));
}

TEST(SaleValue, TotalsDiscountsAndChange)
{
    struct Case
    {
        DiscountType type;
        const char *figure;
        const char *cash; // nullptr: nothing typed
        const char *total, *discount, *net;
        const char *change; // nullptr: none shown
    } cases[] = {
        { DiscountType::Baht, "0", nullptr, "155.50", "0.00", "155.50", nullptr },
        { DiscountType::Percent, "10", "200", "155.50", "15.55", "139.95", "60.05" },
        { DiscountType::Baht, "20", "135.50", "155.50", "20.00", "135.50", "0.00" },
        // Rounded to the satang once: the net is the total less the discount shown.
        { DiscountType::Percent, "33", "200", "155.50", "51.32", "104.18", "95.82" },
        { DiscountType::Baht, "200", "10", "155.50", "200.00", "-44.50", "54.50" },
        { DiscountType::Baht, "0", "100", "155.50", "0.00", "155.50", "-55.50" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(
            testing::Message() << c.figure << (c.type == DiscountType::Percent ? "%" : ""));
        Sale sale;
        sale.discountType = c.type;
        sale.discountFigure = money(c.figure);
        addProduct(sale, product(1)); // 120.00
        addProduct(sale, product(2)); // 35.50
        if (c.cash)
            sale.cash = money(c.cash);
        EXPECT_EQ(saleTotal(sale).format(), QString::fromLatin1(c.total));
        EXPECT_EQ(saleDiscount(sale).format(), QString::fromLatin1(c.discount));
        EXPECT_EQ(saleNet(sale).format(), QString::fromLatin1(c.net));
        EXPECT_EQ(saleNet(sale), saleTotal(sale) - saleDiscount(sale));
        const auto change = saleChange(sale);
        EXPECT_EQ(change.has_value(), c.change != nullptr);
        if (change && c.change) {
            EXPECT_EQ(change->format(), QString::fromLatin1(c.change));
        }
    }
}

TEST(SaleValue, BoxesReadAsTheCashierTypedThem)
{
    EXPECT_EQ(discountFigureFromText(QString()), Currency());
    EXPECT_EQ(discountFigureFromText(QStringLiteral("15")), money("15"));
    EXPECT_EQ(discountFigureFromText(QStringLiteral("1.5")), money("1.5"));
    EXPECT_FALSE(cashFromText(QStringLiteral("  ")));
    EXPECT_FALSE(cashFromText(QStringLiteral("1.2.3")));
    EXPECT_EQ(cashFromText(QStringLiteral("1,000")), money("1000"));
}

TEST(SaleValue, ChangingAQuantityAndRemovingLines)
{
    Sale sale;
    for (int i = 0; i < 3; ++i)
        addProduct(sale, product(1)); // 3 x 90.00, wholesale
    addProduct(sale, product(2)); // on top
    ASSERT_EQ(sale.lines.size(), 2);
    ASSERT_TRUE(hasWholesaleLine(sale));

    // Below the wholesale quantity the line goes back to the price list.
    changeQuantity(sale, 1, 2, product(1));
    EXPECT_EQ(sale.lines[1].quantity, 2);
    EXPECT_EQ(sale.lines[1].unitPrice, money("120"));
    EXPECT_EQ(sale.lines[1].mark, PriceMark::ListPrice);
    EXPECT_FALSE(hasWholesaleLine(sale));
    // A product without the switch keeps its line's price.
    SaleProduct dearer = product(2);
    dearer.sell = money("40");
    changeQuantity(sale, 0, 4, dearer);
    EXPECT_EQ(sale.lines[0].amount(), money("142"));
    EXPECT_EQ(saleTotal(sale), money("382"));

    // A product that is gone: the cashier is told in Thai and the line stays as it was.
    try {
        changeQuantity(sale, 1, 5, std::nullopt);
        FAIL() << "no error";
    } catch (const SaleRuleError &e) {
        EXPECT_TRUE(e.text().startsWith(QStringLiteral("ไม่พบสินค้า ( รหัสสินค้า = AB1 )")));
    }
    EXPECT_EQ(sale.lines[1].quantity, 2);

    removeLine(sale, 0);
    ASSERT_EQ(sale.lines.size(), 1);
    EXPECT_EQ(sale.lines[0].code, QStringLiteral("AB1"));
    removeLine(sale, 5); // no such line: nothing happens
    removeLine(sale, 0);
    EXPECT_TRUE(sale.isEmpty());
    EXPECT_EQ(saleTotal(sale), Currency());
    EXPECT_EQ(saleNet(sale), Currency());
}
