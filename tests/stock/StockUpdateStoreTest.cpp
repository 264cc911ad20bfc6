#include "stock/StockUpdateStore.h"
#include "platform/db/Connection.h"
#include "sale/SaleRules.h"
#include "stock/StockUpdate.h"
#include "support/TempProgramFolder.h"
#include <gtest/gtest.h>

namespace {

SaleProduct product(qint64 pk, const char *code, double cost)
{
    SaleProduct p;
    p.pk = pk;
    p.code = QString::fromUtf8(code);
    p.name = QStringLiteral("สินค้า ") + p.code;
    p.cost = Currency::fromDouble(cost);
    return p;
}

class StockUpdateStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db().execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDvalue) VALUES "
                                    "(1, 'B200', 'สบู่', 5), (2, 'A100', 'น้ำ', 0)"));
    }
    Connection &db() { return folder.db(); }
    void setCounter(int numA, const char *numMon)
    {
        db().execute(QStringLiteral("UPDATE tblNumber SET numA = ?1, numMon = ?2 WHERE nPK = 1"),
            { numA, QString::fromUtf8(numMon) });
    }
    QString counter()
    {
        Recordset rs
            = db().query(QStringLiteral("SELECT numA, numMon FROM tblNumber WHERE nPK = 1"));
        return rs.text(0) + QLatin1Char('/') + rs.text(1);
    }

    TempProgramFolder folder;
};

} // namespace

TEST(StockUpdateValue, AddIncreasesItsLineOrPutsANewOneOnTopAndTheTotalIsExact)
{
    StockUpdate doc;
    EXPECT_EQ(doc.add(product(1, "B200", 12.5)), 1);
    EXPECT_EQ(doc.add(product(2, "A100", 1200)), 1);
    EXPECT_EQ(doc.add(product(1, "B200", 99)), 2); // its line, at the cost it was made with
    EXPECT_EQ(doc.add(product(1, "B200", 99)), 2);
    ASSERT_EQ(doc.lineCount(), 2);
    EXPECT_EQ(doc.line(1).code, QStringLiteral("A100"));
    EXPECT_EQ(doc.line(2).quantity, 3);
    EXPECT_EQ(doc.line(2).amount().format(), QStringLiteral("37.50"));
    EXPECT_EQ(doc.total().format(), QStringLiteral("1,237.50"));
    doc.setQuantity(2, 10);
    doc.setQuantity(3, 7); // no such line
    EXPECT_EQ(doc.total().format(), QStringLiteral("1,325.00"));
    doc.remove(1);
    doc.remove(5);
    EXPECT_EQ(doc.lineCount(), 1);
    EXPECT_EQ(doc.total().format(), QStringLiteral("125.00"));
}

TEST_F(StockUpdateStoreTest, DocumentNumbersFollowTheMonthlyCounter)
{
    struct Case
    {
        int numA;
        const char *numMon;
        QDate day;
        const char *number;
        const char *after;
    };
    const Case cases[] = {
        { 0, "00", QDate(2024, 5, 15), "SA-670500001", "1/05" }, // after a reset
        { 1, "05", QDate(2024, 5, 31), "SA-670500002", "2/05" },
        { 7, "04", QDate(2024, 5, 1), "SA-670500001", "1/05" }, // a new month restarts
        { 12, "05", QDate(2025, 5, 2), "SA-680500013", "13/05" }, // only the month counts
        { 99999, "12", QDate(2020, 12, 9), "SA-631200000", "100000/12" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number);
        setCounter(c.numA, c.numMon);
        StockUpdate doc;
        doc.add(product(1, "B200", 1));
        const QString number = StockUpdateStore(db()).save(
            doc, { QStringLiteral("Admin"), QDateTime(c.day, QTime(9, 0)), QString() });
        EXPECT_EQ(number, QString::fromUtf8(c.number));
        EXPECT_EQ(counter(), QString::fromUtf8(c.after));
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT dNo FROM tblLog2 ORDER BY PK DESC LIMIT 1"))
                      .toString(),
            number);
    }
}

TEST_F(StockUpdateStoreTest, MovementKeysFollowTheLargestStoredKey)
{
    db().execute(QStringLiteral("INSERT INTO tblLog2 (PK, dType, dTime) VALUES (41, 2, '2024-01-01 "
                                "00:00:00')"));
    StockUpdate doc;
    doc.add(product(1, "B200", 1));
    doc.add(product(2, "A100", 1));
    StockUpdateStore(db()).save(
        doc, { QStringLiteral("u"), QDateTime(QDate(2024, 5, 15), QTime()), QString() });
    QStringList rows;
    for (Recordset rs
         = db().query(QStringLiteral("SELECT PK, dSN, dType FROM tblLog2 ORDER BY PK"));
         !rs.eof(); rs.moveNext())
        rows << rs.text(0) + QLatin1Char(' ') + rs.text(1) + QLatin1Char(' ') + rs.text(2);
    EXPECT_EQ(rows, QStringList({ "41  2", "42 A100 1", "43 B200 1" }));
}
