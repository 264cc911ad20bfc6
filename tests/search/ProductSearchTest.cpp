#include "sale/ProductSearch.h"
#include "platform/db/Connection.h"
#include "platform/db/SchemaUpgrade.h"
#include "platform/db/SchemaVersion.h"
#include "support/TempProgramFolder.h"
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct Product
{
    int pk;
    const char *code, *name;
    const char *des; // nullptr: NULL
    int unit = 1;
};

// Thai and Latin texts with what a substring search must tell apart: case in A to Z and
// outside it, the pattern characters % _ \, quotes, tone marks, a NULL description, and texts
// that only meet across two columns.
const Product kShop[] = {
    { 1, "885001", "น้ำดื่ม", "ขวดใหญ่ 600 มล." }, { 2, "885002", "กาแฟ ใหญ่", "รุ่น 12" },
    { 3, "885003", "กาแฟ เล็ก", nullptr }, { 4, "A_100", "Cola", "can 50%_off" },
    { 5, "a%100", "COLA zero", "ÉCLAIR" }, { 6, "B\\200", "\"quoted\" soap", "éclair" },
    { 7, "885010", "น้ำตาล", "ใหญ่" }, { 8, "x1", "ชาเขียว", "กาแฟ" },
    { 9, "ABC", "AB", "C" }, // "ABC" only in the code; "BC" never across columns
    { 10, "885099", "น้ำแข็ง", "", 9 }, // a unit without its row: never listed
};

class ProductSearchTest : public ::testing::Test
{
protected:
    TempProgramFolder folder;
    Connection &db = folder.db();

    void SetUp() override
    {
        db.execute(QStringLiteral("INSERT INTO tblNub (nPK, nName) VALUES (1, 'ชิ้น')"));
        for (const Product &p : kShop)
            insert(db, p);
    }

    static void insert(Connection &c, const Product &p)
    {
        c.execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, NubFK) "
                                 "VALUES (?1, ?2, ?3, ?4, ?5)"),
            { p.pk, QString::fromUtf8(p.code), QString::fromUtf8(p.name),
                p.des ? QVariant(QString::fromUtf8(p.des)) : QVariant(), p.unit });
    }

    // The keys the search finds, in the search dialog's order.
    static QList<int> found(Connection &c, const QString &text, ProductSearch::Path path)
    {
        const ProductSearch::Condition s = ProductSearch::condition(text, "p", path);
        Recordset rs = c.query(QStringLiteral("SELECT p.PK FROM ") + s.from
                + QStringLiteral(" INNER JOIN tblNub n ON p.NubFK = n.nPK WHERE ") + s.where
                + QStringLiteral(" ORDER BY p.PDsn, p.PDname"),
            s.params);
        QList<int> keys;
        for (; !rs.eof(); rs.moveNext())
            keys << int(rs.integer(0));
        return keys;
    }

    // The keys of the search dialog's list.
    static QList<int> listed(Connection &c, const QString &text, ProductSearch::Path path)
    {
        const GridRows rows = ProductSearch::dialogRows(c, text, path);
        QList<int> keys;
        for (size_t i = 0; i < rows.size(); ++i)
            keys << rows.row(i).text(0).toInt();
        return keys;
    }

    // What the index alone holds for a text, without the substring check after it.
    static QList<int> indexed(Connection &c, const QString &text)
    {
        Recordset rs = c.query(
            QStringLiteral("SELECT rowid FROM ftsProduct WHERE ftsProduct MATCH ? ORDER BY rowid"),
            { QLatin1Char('"') + text + QLatin1Char('"') });
        QList<int> keys;
        for (; !rs.eof(); rs.moveNext())
            keys << int(rs.integer(0));
        return keys;
    }
};

struct Case
{
    const char *text;
    QList<int> keys; // in the order of code, then name
};

const Case kCases[] = {
    { "น้ำ", { 1, 7 } },
    { "กาแฟ ใหญ่", { 2 } },
    { "กาแฟ", { 2, 3, 8 } },
    { "ใหญ่", { 1, 2, 7 } },
    { "ดื่ม", { 1 } }, // a tone mark inside
    { "cola", { 5, 4 } }, // A to Z without regard to case; "a%100" sorts before "A_100"
    { "CoLa z", { 5 } },
    { "%_o", { 4 } }, // % and _ are plain characters
    { "a_1", { 4 } },
    { "a%1", { 5 } },
    { "_10", { 4 } },
    { "B\\2", { 6 } },
    { "\"quoted\"", { 6 } },
    { "d\" s", { 6 } },
    { "éclair", { 6 } }, // outside A to Z case counts, as in the table scan
    { "ÉCLAIR", { 5 } },
    { "ABC", { 9 } },
    { "BC", { 9 } }, // the code only: name and description never join
    { "885", { 1, 2, 3, 7 } },
    { "600 มล.", { 1 } },
    { "zzz", {} },
    { "a_b", {} },
    // Shorter than the index's three characters: the scan.
    { "1", { 1, 2, 7, 5, 4, 8 } },
    { "%", { 5, 4 } },
    { "_", { 4 } },
    { "น้", { 1, 7 } },
};

// Both ways give the rows of the literal substring match, in the same order.
TEST_F(ProductSearchTest, IndexAndScanFindTheSameProductsInTheSameOrder)
{
    for (const Case &c : kCases) {
        const QString text = QString::fromUtf8(c.text);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ProductSearch::usesIndex(text), text.size() >= 3);
        const QList<int> viaAuto = found(db, text, ProductSearch::Path::Auto);
        EXPECT_EQ(viaAuto, c.keys);
        EXPECT_EQ(found(db, text, ProductSearch::Path::Scan), viaAuto);
        // The dialog's list joins and orders on its own: the same rows in the same order.
        EXPECT_EQ(listed(db, text, ProductSearch::Path::Auto), viaAuto);
        EXPECT_EQ(listed(db, text, ProductSearch::Path::Scan), viaAuto);
    }
    // An empty text finds every product with a unit.
    EXPECT_EQ(found(db, QString(), ProductSearch::Path::Auto).size(), int(std::size(kShop)) - 1);

    // What a row of the dialog's list holds.
    const GridRows rows = ProductSearch::dialogRows(db, QStringLiteral("กาแฟ ใหญ่"));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows.row(0).text(0), "2");
    EXPECT_EQ(rows.row(0).text(1), "885002");
    EXPECT_EQ(rows.row(0).text(2), QStringLiteral(" กาแฟ ใหญ่ รุ่น 12"));
    EXPECT_EQ(rows.row(0).text(3), QStringLiteral("ชิ้น"));
}

// The triggers keep the index in step with every kind of change to the products.
TEST_F(ProductSearchTest, IndexFollowsInsertsUpdatesAndDeletes)
{
    const QString coffee = QStringLiteral("กาแฟ");
    EXPECT_EQ(indexed(db, coffee), (QList<int> { 2, 3, 8 }));
    struct Step
    {
        const char *sql;
        QList<int> coffee; // what the index then finds for "กาแฟ"
    } steps[] = {
        { "UPDATE tblProduct SET PDname = 'ชาไทย' WHERE PK = 2", { 3, 8 } },
        { "UPDATE tblProduct SET PDdes = 'ชาเย็น' WHERE PK = 8", { 3 } },
        { "UPDATE tblProduct SET PDsn = 'กาแฟ01' WHERE PK = 1", { 1, 3 } },
        { "UPDATE tblProduct SET PK = 20 WHERE PK = 3", { 1, 20 } },
        { "UPDATE tblProduct SET PDvalue = 5, PDsell = 9", { 1, 20 } },
        { "DELETE FROM tblProduct WHERE PK = 1", { 20 } },
        { "INSERT INTO tblProduct (PK, PDsn, PDname, NubFK) VALUES (30, '30', 'กาแฟเย็น', 1)",
            { 20, 30 } },
        { "INSERT OR REPLACE INTO tblProduct (PK, PDsn, PDname, NubFK) "
          "VALUES (20, '885003', 'ชาร้อน', 1)",
            { 30 } },
    };
    for (const Step &s : steps) {
        db.execute(QString::fromUtf8(s.sql));
        EXPECT_EQ(indexed(db, coffee), s.coffee) << s.sql;
        for (const Case &c : kCases) {
            const QString text = QString::fromUtf8(c.text);
            EXPECT_EQ(found(db, text, ProductSearch::Path::Auto),
                found(db, text, ProductSearch::Path::Scan))
                << s.sql << " / " << c.text;
        }
    }
    EXPECT_NO_THROW(db.execute(
        QStringLiteral("INSERT INTO ftsProduct (ftsProduct) VALUES ('integrity-check')")));
}

// A file of the previous version gets the index, filled from the products it already holds.
TEST_F(ProductSearchTest, UpgradeFromTheVersionBeforeBuildsTheIndex)
{
    db.executeScript(QStringLiteral(
        "DROP TRIGGER trProductSearchInsert; DROP TRIGGER trProductSearchDelete;"
        "DROP TRIGGER trProductSearchUpdate; DROP TABLE ftsProduct; PRAGMA user_version = 1;"));
    db.execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, NubFK) "
                              "VALUES (40, '40', 'กาแฟดำ', 1)"));
    db.close();
    // The database tool's upgrade, with the delivered scripts.
    QString backup;
    EXPECT_EQ(upgradeDatabase(folder.databasePath(), sourceDataFile(QStringLiteral("upgrade")), 2,
                  true, &backup),
        1);
    db.open(folder.databasePath());
    EXPECT_EQ(schemaVersion(db), 2);
    EXPECT_GE(kSchemaVersion, 2);
    {
        Connection old;
        old.open(backup);
        EXPECT_EQ(schemaVersion(old), 1);
        EXPECT_FALSE(
            old.scalar(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'ftsProduct'"))
                .isValid());
    }
    EXPECT_EQ(indexed(db, QStringLiteral("กาแฟ")), (QList<int> { 2, 3, 8, 40 }));
    for (const Case &c : kCases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(
            found(db, text, ProductSearch::Path::Auto), found(db, text, ProductSearch::Path::Scan))
            << c.text;
    }
    // The triggers came too.
    db.execute(QStringLiteral("DELETE FROM tblProduct WHERE PK = 40"));
    EXPECT_EQ(indexed(db, QStringLiteral("กาแฟ")), (QList<int> { 2, 3, 8 }));
}

} // namespace
