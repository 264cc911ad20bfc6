#include "shell/Lookups.h"
#include "support/ShellFixture.h"
#include <QComboBox>
#include <gtest/gtest.h>

namespace {

class LookupTest : public ShellFixture
{
protected:
    int lookup(const QString &text)
    {
        QComboBox list;
        list.setEditable(true);
        list.setEditText(text);
        return Lookups::findOrAddEntry(&list, "tblGroup", "gPK", "gName");
    }
    QString nameOf(int key)
    {
        return db().scalar("SELECT gName FROM tblGroup WHERE gPK = ?", { key }).toString();
    }
    int rows() { return db().scalar("SELECT count(*) FROM tblGroup").toInt(); }
};

} // namespace

TEST_F(LookupTest, EmptyAndDashAreNoEntryWithoutTheDatabase)
{
    int statements = 0;
    Connection::setStatementHook([&](const QString &) { ++statements; });
    EXPECT_EQ(lookup(""), 0);
    EXPECT_EQ(lookup("-"), 0);
    Connection::setStatementHook({});
    EXPECT_EQ(statements, 0);
}

TEST_F(LookupTest, FindsByNameWithoutOuterBlanksInAnyCase)
{
    db().execute("INSERT INTO tblGroup (gPK, gName) VALUES (3, 'Box'), (7, ' Bag ')");
    const int before = rows();
    EXPECT_EQ(lookup(" Box "), 3);
    EXPECT_EQ(lookup("box"), 3);
    EXPECT_EQ(lookup("Bag"), 7); // stored with blanks, found without
    EXPECT_EQ(lookup(" - "), 0); // the no-entry row itself
    EXPECT_EQ(rows(), before);
}

TEST_F(LookupTest, NewNameGetsTheLargestKeyPlusOneStoredAsTyped)
{
    db().execute("INSERT INTO tblGroup (gPK, gName) VALUES (3, 'Box'), (9, 'Tray')");
    EXPECT_EQ(lookup("Pack "), 10);
    EXPECT_EQ(nameOf(10), "Pack ");
    EXPECT_EQ(lookup("pack"), 10); // found again, no second row
    EXPECT_EQ(lookup("ขวด"), 11);
    EXPECT_EQ(nameOf(11), "ขวด");
}

TEST_F(LookupTest, FirstEntryInAnEmptyTableIsOne)
{
    db().execute("DELETE FROM tblGroup");
    EXPECT_EQ(lookup("Box"), 1);
}

TEST_F(LookupTest, NamesWithApostrophesAreStoredAndFound)
{
    const int key = lookup("Kid's toys");
    EXPECT_GT(key, 0);
    EXPECT_EQ(nameOf(key), "Kid's toys");
    EXPECT_EQ(lookup("kid's toys"), key);
    EXPECT_EQ(lookup("x' OR '1'='1"), key + 1);
}

TEST_F(LookupTest, OtherLookupTables)
{
    QComboBox list;
    list.setEditable(true);
    list.setEditText("Shelf A");
    const int geb = Lookups::findOrAddEntry(&list, "tblGeb", "gePK", "geName");
    EXPECT_EQ(
        db().scalar("SELECT geName FROM tblGeb WHERE gePK = ?", { geb }).toString(), "Shelf A");
    list.setEditText("Box");
    const int nub = Lookups::findOrAddEntry(&list, "tblNub", "nPK", "nName");
    EXPECT_EQ(db().scalar("SELECT nName FROM tblNub WHERE nPK = ?", { nub }).toString(), "Box");
}

TEST_F(LookupTest, FillComboListsEveryRowInOrder)
{
    db().execute("INSERT INTO tblGroup (gPK, gName) VALUES (2, 'Tray'), (1, 'Box')");
    QComboBox list;
    list.addItem("old");
    Lookups::fillList(&list, "tblGroup", "gPK", "gName");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.itemText(0), "-"); // row 0 is listed
    EXPECT_EQ(list.itemText(1), "Box");
    EXPECT_EQ(list.itemText(2), "Tray");
    Lookups::fillList(&list, "tblGroup", "gName", "gName");
    EXPECT_EQ(list.itemText(0), "-");
    EXPECT_EQ(list.itemText(1), "Box");
}

TEST_F(LookupTest, FillComboShowsNullAsEmpty)
{
    db().execute("INSERT INTO tblUser (PK, UID, UPASS, UTumnang) VALUES (2, 'somchai', 'x', NULL)");
    QComboBox list;
    Lookups::fillList(&list, "tblUser", "PK", "UTumnang");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.itemText(1), "");
}

TEST_F(LookupTest, FailedQueryKeepsTheOldItems)
{
    QComboBox list;
    list.addItems({ "a", "b" });
    EXPECT_THROW(Lookups::fillList(&list, "tblNoSuchTable", "gPK", "gName"), DbError);
    EXPECT_THROW(Lookups::fillList(&list, "tblGroup", "gPK", "noSuchColumn"), DbError);
    EXPECT_THROW(
        Lookups::fillList(&list, "tblGroup; DROP TABLE tblGroup", "gPK", "gName"), DbError);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.itemText(1), "b");
}

TEST_F(LookupTest, FillComboPositiveLeavesOutKeyZeroAndBelow)
{
    db().execute(
        "INSERT INTO tblUser (PK, UID, UPASS) VALUES (3, 'cashier', 'x'), (2, 'boss', 'x')");
    QComboBox list;
    Lookups::fillListWithPositiveKeys(&list, "tblUser", "PK", "UID");
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.itemText(0), "admin");
    EXPECT_EQ(list.itemText(1), "boss");
    EXPECT_EQ(list.itemText(2), "cashier");
    Lookups::fillListWithPositiveKeys(&list, "tblGroup", "gPK", "gName");
    EXPECT_EQ(list.count(), 0); // only the no-entry row there
}
