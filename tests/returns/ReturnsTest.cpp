// The data side of returns on a temporary shop, with bills written straight into tblLog.
#include "sale/Returns.h"
#include "ReturnsFixture.h"
#include <gtest/gtest.h>

namespace {

class ReturnsData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        shop.addProducts();
        // Bill A: two lines, no discount, price type 1, sold by "somchai".
        shop.addLine("INV-67050001", "AB1", 5, 10.0, { .user = "somchai", .priceType = 1 });
        shop.addLine("INV-67050001", "CD2", 2, 35.5, { .user = "somchai", .priceType = 1 });
        // Bill B: discount 15 on its first line and a discount row.
        shop.addLine("INV-67050002", "AB1", 3, 120.0, { .discount = 15 });
        shop.addLine("INV-67050002", "EF3", 1, 20.0);
        shop.addDiscount("INV-67050002", 15);
        // Bill C: wholesale.
        shop.addLine("INV-67050003", "AB1", 4, 90.0, { .wholesale = true });
        // Another receipt whose number only looks like the others.
        shop.addLine("INV-6705000", "EF3", 7, 20.0);
    }

    Connection &db() { return shop.db(); }
    ReturnStamp stamp() const
    {
        return { QStringLiteral("admin"), QDateTime(QDate(2024, 6, 1), QTime(9, 15, 0)) };
    }

    ReturnShop shop;
};

TEST_F(ReturnsData, LoadMatchesTheWholeNumberInAnyCaseAndNeverAsAPattern)
{
    struct Case
    {
        const char *typed;
        const char *found; // nullptr: no bill
    };
    const Case cases[] = {
        { "INV-67050001", "INV-67050001" },
        { "  inv-67050001 ", "INV-67050001" },
        { "INV-6705000", "INV-6705000" },
        { "INV-%", nullptr },
        { "INV-6705000_", nullptr },
        { "INV-67050001' OR '1'='1", nullptr },
        { "", nullptr },
        { "INV-99999999", nullptr },
    };
    for (const Case &c : cases) {
        const auto bill = loadBill(db(), QString::fromUtf8(c.typed));
        if (!c.found) {
            EXPECT_FALSE(bill.has_value()) << c.typed;
            continue;
        }
        ASSERT_TRUE(bill.has_value()) << c.typed;
        EXPECT_EQ(bill->number, QString::fromUtf8(c.found)) << c.typed;
    }
}

TEST_F(ReturnsData, LoadReadsLinesDiscountWholesaleAndPriceType)
{
    const auto a = loadBill(db(), QStringLiteral("INV-67050001"));
    ASSERT_TRUE(a);
    ASSERT_EQ(a->lines.size(), 2);
    EXPECT_EQ(a->lines[0].code, QStringLiteral("AB1"));
    EXPECT_EQ(a->lines[0].name, QStringLiteral(" สบู่ AB1"));
    EXPECT_EQ(a->lines[0].quantity, 5);
    EXPECT_EQ(a->lines[0].price, Currency::fromWhole(10));
    EXPECT_EQ(a->lines[1].price, Currency::fromUnits(355000));
    EXPECT_EQ(a->lines[1].unit, QStringLiteral("แพ็ค"));
    EXPECT_TRUE(a->discount.isZero());
    EXPECT_FALSE(a->wholesale);
    EXPECT_EQ(a->priceType, 1);

    const auto b = loadBill(db(), QStringLiteral("INV-67050002"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->discount, Currency::fromWhole(15));
    EXPECT_TRUE(loadBill(db(), QStringLiteral("INV-67050003"))->wholesale);
}

TEST_F(ReturnsData, WholeBillPutsEveryLineBackAndDeletesTheBillOnly)
{
    shop.setStock("AB1", -4); // a negative stock is raised just the same
    shop.addMovement(7);
    EXPECT_EQ(returnWholeBill(db(), QStringLiteral("INV-67050002"), stamp()), 2);

    EXPECT_EQ(shop.count("tblLog", "Lno", "INV-67050002"), 0);
    EXPECT_EQ(shop.count("tblRMoney", "rNo", "INV-67050002"), 0);
    EXPECT_EQ(shop.count("tblLog", "Lno", "INV-67050001"), 2);
    EXPECT_EQ(shop.stock("AB1"), -1);
    EXPECT_EQ(shop.stock("EF3"), 10);

    const auto moves = shop.movements();
    ASSERT_EQ(moves.size(), 3);
    EXPECT_EQ(moves[1],
        QStringLiteral("8|3|AB1|สบู่ AB1|des AB1|2024-06-01 09:15:00|INV-67050002|-4|3|-1|admin"));
    EXPECT_EQ(moves[2],
        QStringLiteral("9|3|EF3|ยางลบ EF3|des EF3|2024-06-01 09:15:00|INV-67050002|9|1|10|admin"));
}

TEST_F(ReturnsData, WholeBillWithAGoneProductChangesNothing)
{
    db().execute(QStringLiteral("DELETE FROM tblProduct WHERE PDsn = 'EF3'"));
    try {
        returnWholeBill(db(), QStringLiteral("INV-67050002"), stamp());
        FAIL() << "no refusal";
    } catch (const MissingReturnProduct &e) {
        EXPECT_EQ(e.code, QStringLiteral("EF3"));
    }
    EXPECT_EQ(shop.count("tblLog", "Lno", "INV-67050002"), 2);
    EXPECT_EQ(shop.count("tblRMoney", "rNo", "INV-67050002"), 1);
    EXPECT_EQ(shop.stock("AB1"), 50);
    EXPECT_TRUE(shop.movements().isEmpty());
}

TEST_F(ReturnsData, WholeBillFailingMidwayRollsBack)
{
    int inserts = 0;
    Connection::setStatementHook([&](const QString &sql) {
        if (sql.startsWith(QStringLiteral("INSERT INTO tblLog2")) && ++inserts == 2)
            throw DbError(QStringLiteral("disk full"));
    });
    EXPECT_THROW(returnWholeBill(db(), QStringLiteral("INV-67050001"), stamp()), DbError);
    Connection::setStatementHook({});
    EXPECT_EQ(shop.count("tblLog", "Lno", "INV-67050001"), 2);
    EXPECT_EQ(shop.stock("AB1"), 50);
    EXPECT_TRUE(shop.movements().isEmpty());
}

TEST_F(ReturnsData, PartOfALineKeepsTheRestAsSold)
{
    const auto bill = loadBill(db(), QStringLiteral("INV-67050001"));
    const QStringList before = shop.storedLines("INV-67050001");
    const LineReturn r = returnBillLine(db(), bill->number, bill->lines[0].key, 2, stamp());
    EXPECT_EQ(r.remaining, 3);
    EXPECT_EQ(r.stockBefore, 50);
    EXPECT_EQ(shop.stock("AB1"), 52);

    QStringList expected = before;
    expected[0].replace(QStringLiteral("|5|10.00|"), QStringLiteral("|3|10.00|"));
    EXPECT_EQ(shop.storedLines("INV-67050001"), expected);
    ASSERT_EQ(shop.movements().size(), 1);
    EXPECT_EQ(shop.movements()[0],
        QStringLiteral("1|3|AB1|สบู่ AB1|des AB1|2024-06-01 09:15:00|INV-67050001|50|2|52|admin"));
    // What the customer finally paid: 3 x 10.00 + 2 x 35.50.
    EXPECT_EQ(shop.billSum("INV-67050001"), 101.0);
}

TEST_F(ReturnsData, WholeLinesGoUntilTheBillIsEmpty)
{
    db().execute(QStringLiteral("INSERT INTO tblRMoney (rMoney, rTime, rUser, rNo) "
                                "VALUES (0, '2024-05-01 10:00:00', 'admin', 'INV-67050001')"));
    const auto bill = loadBill(db(), QStringLiteral("INV-67050001"));
    EXPECT_EQ(returnBillLine(db(), bill->number, bill->lines[1].key, 2, stamp()).remaining, 0);
    EXPECT_EQ(shop.count("tblRMoney", "rNo", "INV-67050001"), 0);
    EXPECT_EQ(shop.billSum("INV-67050001"), 50.0);
    returnBillLine(db(), bill->number, bill->lines[0].key, 5, stamp());
    EXPECT_EQ(shop.count("tblLog", "Lno", "INV-67050001"), 0);
    EXPECT_EQ(shop.stock("AB1"), 55);
    EXPECT_EQ(shop.stock("CD2"), 3);
    EXPECT_EQ(shop.movements().size(), 2);
    // The line is gone: a second try is refused.
    EXPECT_THROW(returnBillLine(db(), bill->number, bill->lines[0].key, 1, stamp()), ReturnRefused);
}

TEST_F(ReturnsData, SingleLineRefusalsChangeNothing)
{
    const auto a = loadBill(db(), QStringLiteral("INV-67050001"));
    const auto b = loadBill(db(), QStringLiteral("INV-67050002"));
    const auto c = loadBill(db(), QStringLiteral("INV-67050003"));
    struct Case
    {
        QString bill;
        qint64 key;
        qint64 qty;
    };
    const Case cases[] = {
        { b->number, b->lines[1].key, 1 }, // discount
        { c->number, c->lines[0].key, 1 }, // wholesale
        { a->number, a->lines[0].key, 0 }, { a->number, a->lines[0].key, 6 },
        { a->number, b->lines[1].key, 1 }, // a line of another bill
    };
    for (const Case &k : cases)
        EXPECT_THROW(returnBillLine(db(), k.bill, k.key, k.qty, stamp()), ReturnRefused) << k.qty;
    db().execute(QStringLiteral("DELETE FROM tblProduct WHERE PDsn = 'CD2'"));
    EXPECT_THROW(
        returnBillLine(db(), a->number, a->lines[1].key, 1, stamp()), MissingReturnProduct);
    EXPECT_EQ(shop.storedLines("INV-67050001").size(), 2);
    EXPECT_EQ(shop.billSum("INV-67050001"), 121.0);
    EXPECT_EQ(shop.stock("AB1"), 50);
    EXPECT_TRUE(shop.movements().isEmpty());
}

} // namespace

TEST_F(ReturnsData, AReturnReadsTheMovementKeyOnceAndKeysFollowOn)
{
    int maxReads = 0;
    Connection::setStatementHook([&](const QString &sql) {
        if (sql.startsWith(QLatin1String("SELECT Max(PK) FROM tblLog2")))
            ++maxReads;
    });
    db().execute(QStringLiteral("INSERT INTO tblLog2 (PK, dType, dTime) VALUES (41, 1, 'x')"));
    const int lines = returnWholeBill(db(), QStringLiteral("INV-67050001"), stamp());
    Connection::setStatementHook(nullptr);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(maxReads, 1);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT group_concat(PK, ',') FROM (SELECT PK FROM "
                                         "tblLog2 WHERE dType = 3 ORDER BY PK)")),
        QStringLiteral("42,43"));
}
