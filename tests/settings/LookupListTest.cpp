// The three lookup lists of the settings window: fill, click, rename and delete, driven by
// clicks and typing with scripted message boxes.
#include "SettingsFixture.h"
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

namespace {

struct ListCase
{
    const char *table, *key, *name, *productColumn;
    const char *view;
    const char *box;
    const char *rename;
    const char *remove;
    QString header;
    int maxLength;
    QString emptyBox;
    QString confirmRename;
};

const QList<ListCase> &lists()
{
    static const QList<ListCase> l = {
        { "tblNub", "nPK", "nName", "NubFK", "unitList", "unitBox", "renameUnitButton",
            "deleteUnitButton", QStringLiteral("หน่วยนับ"), 19,
            QStringLiteral("กรุณาเลือก ( หน่วยนับ ) ที่คุณต้องการแก้ไข ..."),
            QStringLiteral("โปรดทำการ ยืนยัน คุณต้องการแก้ไข หน่วยนับ นี้หรือไม่ แน่ใจ?") },
        { "tblGroup", "gPK", "gName", "GroupFK", "groupList", "groupBox", "renameGroupButton",
            "deleteGroupButton", QStringLiteral("หมวดหมู่"), 48,
            QStringLiteral("กรุณาเลือก ( หมวดหมู่ ) ที่คุณต้องการแก้ไข ..."),
            QStringLiteral("โปรดทำการ ยืนยัน คุณต้องการแก้ไข หมวดหมู่ นี้หรือไม่ แน่ใจ?") },
        { "tblGeb", "gePK", "geName", "GebFK", "placeList", "placeBox", "renamePlaceButton",
            "deletePlaceButton", QStringLiteral("สถานที่จัดเก็บ"), 49,
            QStringLiteral("กรุณาเลือก ( สถานที่จัดเก็บ ) ที่คุณต้องการแก้ไข ..."),
            QStringLiteral("โปรดทำการ ยืนยัน คุณต้องการแก้ไข สถานที่จัดเก็บ นี้หรือไม่ แน่ใจ?") },
    };
    return l;
}

class LookupListTest : public SettingsFixture
{
protected:
    // Entries 3 "Box", 1 "Piece", 2 "Pack" (stored out of key order), used by product 1: key 1.
    void seed(const ListCase &c)
    {
        sql(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (3, 'Box'), (1, 'Piece'), (2, 'Pack')")
                .arg(QLatin1String(c.table), QLatin1String(c.key), QLatin1String(c.name)));
        sql(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, %1) VALUES (1, 'P1', 'x', 1)")
                .arg(QLatin1String(c.productColumn)));
    }
    QString nameOf(const ListCase &c, int key)
    {
        return db()
            .scalar(QStringLiteral("SELECT %3 FROM %1 WHERE %2 = ?1")
                        .arg(QLatin1String(c.table), QLatin1String(c.key), QLatin1String(c.name)),
                { key })
            .toString();
    }
    static void type(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        // Typed character by character; Thai has no key code of its own.
        for (QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    void expectBox(int i, const QString &text, const QString &title, MsgIcon icon,
        MsgButtons buttons = MsgButtons::Ok)
    {
        ASSERT_GT(boxes.count(), i);
        const MessageRequest &m = boxes.shown[i];
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.title, title);
        EXPECT_EQ(m.icon, icon);
        EXPECT_EQ(m.buttons, buttons);
        if (buttons == MsgButtons::OkCancel) {
            EXPECT_EQ(m.defaultButton, MsgResult::Cancel);
        }
    }
};

const QString Status = QStringLiteral("รายงานสถานะ");
const QString Duplicate = QStringLiteral("ไม่สามารถแก้ไขได้ เนื่องจากมี ชื่อนี้อยู่แล้ว ....");
const QString Renamed = QStringLiteral("บันทึก การเปลี่ยนแปลงเข้าสู่ระบบงานฐานข้อมูลเรียบร้อย.");

TEST_F(LookupListTest, FillShowsKeysAboveZeroInKeyOrderUnderTheirHeaders)
{
    for (const ListCase &c : lists()) {
        SCOPED_TRACE(c.table);
        seed(c);
        sql(QStringLiteral("DELETE FROM tblProduct"));
        inWindow([&](SettingsWindow &w) {
            QTreeWidget *v = in<QTreeWidget>(w, c.view);
            EXPECT_EQ(rowsOf(v), (QStringList { "1|Piece", "2|Pack", "3|Box" }));
            EXPECT_TRUE(v->isColumnHidden(0));
            EXPECT_EQ(v->headerItem()->text(0), QStringLiteral("PK"));
            EXPECT_EQ(v->headerItem()->text(1), c.header);
            EXPECT_EQ(in<QLineEdit>(w, c.box)->maxLength(), c.maxLength);
            EXPECT_EQ(in<QPushButton>(w, c.rename)->text(), QStringLiteral("แก้ไข"));
            EXPECT_EQ(in<QPushButton>(w, c.remove)->text(),
                QStringLiteral("ลบ (") + c.header + QStringLiteral(") ที่เลือก"));
        });
    }
}

TEST_F(LookupListTest, RenameConfirmsCleansRefusesDuplicatesAndStoresTrimmed)
{
    for (const ListCase &c : lists()) {
        SCOPED_TRACE(c.table);
        seed(c);
        boxes.clear();
        inWindow([&](SettingsWindow &w) {
            QTreeWidget *v = in<QTreeWidget>(w, c.view);
            QLineEdit *box = in<QLineEdit>(w, c.box);
            QPushButton *rename = in<QPushButton>(w, c.rename);

            // No row selected: nothing at all happens.
            type(box, QStringLiteral("Crate"));
            click(rename);
            EXPECT_EQ(boxes.count(), 0);

            clickRow(v, 1); // key 2, "Pack"
            EXPECT_EQ(box->text(), QStringLiteral("Pack"));

            // Its own present name, in another case: a duplicate (the check includes itself).
            type(box, QStringLiteral("pack"));
            boxes.answer(MsgResult::Ok);
            click(rename);
            expectBox(0, c.confirmRename, Status, MsgIcon::Warning, MsgButtons::OkCancel);
            expectBox(1, Duplicate, Status, MsgIcon::Warning);
            // The key-0 row counts too.
            type(box, QStringLiteral("-"));
            boxes.answer(MsgResult::Ok);
            click(rename);
            expectBox(3, Duplicate, Status, MsgIcon::Warning);

            // The cleaning shows in the box even when the name is then refused.
            type(box, QStringLiteral("B'o,x%*"));
            boxes.answer(MsgResult::Ok);
            click(rename);
            EXPECT_EQ(box->text(), QStringLiteral("Box"));
            expectBox(5, Duplicate, Status, MsgIcon::Warning);

            // Cancel at the confirmation: nothing changes, the box is not cleaned.
            type(box, QStringLiteral("  ลัง, ใหญ่ "));
            boxes.answer(MsgResult::Cancel);
            click(rename);
            EXPECT_EQ(box->text(), QStringLiteral("  ลัง, ใหญ่ "));
            EXPECT_EQ(nameOf(c, 2), QStringLiteral("Pack"));
            ASSERT_EQ(boxes.count(), 7);

            // OK: the cleaned, trimmed name is stored; inner blanks stay.
            boxes.answer(MsgResult::Ok);
            click(rename);
            expectBox(8, Renamed, Status, MsgIcon::Information);
            EXPECT_EQ(nameOf(c, 2), QStringLiteral("ลัง ใหญ่"));
            EXPECT_EQ(box->text(), QString());
            EXPECT_EQ(rowsOf(v), (QStringList { "1|Piece", "2|ลัง ใหญ่", "3|Box" }));
        });
        ASSERT_EQ(boxes.count(), 9);
        sql(QStringLiteral("DELETE FROM tblProduct"));
        sql(QStringLiteral("DELETE FROM %1 WHERE %2 > 0")
                .arg(QLatin1String(c.table), QLatin1String(c.key)));
    }
}

TEST_F(LookupListTest, EmptyNamesAreRefusedBeforeAndAfterCleaning)
{
    for (const ListCase &c : lists()) {
        SCOPED_TRACE(c.table);
        seed(c);
        boxes.clear();
        inWindow([&](SettingsWindow &w) {
            clickRow(in<QTreeWidget>(w, c.view), 0);
            type(in<QLineEdit>(w, c.box), QStringLiteral("   "));
            click(in<QPushButton>(w, c.rename));
            expectBox(0, c.emptyBox, Status, MsgIcon::Warning);
            ASSERT_EQ(boxes.count(), 1) << "refused before the confirmation";

            type(in<QLineEdit>(w, c.box), QStringLiteral(" ,'%* "));
            boxes.answer(MsgResult::Ok);
            click(in<QPushButton>(w, c.rename));
            expectBox(1, c.confirmRename, Status, MsgIcon::Warning, MsgButtons::OkCancel);
            expectBox(2, c.emptyBox, Status, MsgIcon::Warning);
            EXPECT_EQ(in<QLineEdit>(w, c.box)->text(), QStringLiteral("  "));
        });
        EXPECT_EQ(nameOf(c, 1), QStringLiteral("Piece"));
        sql(QStringLiteral("DELETE FROM tblProduct"));
        sql(QStringLiteral("DELETE FROM %1 WHERE %2 > 0")
                .arg(QLatin1String(c.table), QLatin1String(c.key)));
    }
}

TEST_F(LookupListTest, RenameAndDeleteActOnTheSelectedRowNotTheBox)
{
    for (const ListCase &c : lists()) {
        SCOPED_TRACE(c.table);
        seed(c);
        boxes.clear();
        inWindow([&](SettingsWindow &w) {
            QTreeWidget *v = in<QTreeWidget>(w, c.view);
            clickRow(v, 2); // "Box" into the box
            // Another row selected from the keyboard: the box still holds "Box".
            v->setFocus();
            QTest::keyClick(v, Qt::Key_Up);
            ASSERT_EQ(v->selectedItems().value(0)->text(0), QStringLiteral("2"));
            type(in<QLineEdit>(w, c.box), QStringLiteral("Carton"));
            boxes.answer(MsgResult::Ok);
            click(in<QPushButton>(w, c.rename));
            EXPECT_EQ(nameOf(c, 2), QStringLiteral("Carton"));
            EXPECT_EQ(nameOf(c, 3), QStringLiteral("Box"));
        });
        sql(QStringLiteral("DELETE FROM tblProduct"));
        sql(QStringLiteral("DELETE FROM %1 WHERE %2 > 0")
                .arg(QLatin1String(c.table), QLatin1String(c.key)));
    }
}

TEST_F(LookupListTest, DeleteRefusesEntriesInUseAndAsksWithTheName)
{
    for (const ListCase &c : lists()) {
        SCOPED_TRACE(c.table);
        seed(c);
        boxes.clear();
        inWindow([&](SettingsWindow &w) {
            QTreeWidget *v = in<QTreeWidget>(w, c.view);
            QPushButton *remove = in<QPushButton>(w, c.remove);
            click(remove); // nothing selected
            EXPECT_EQ(boxes.count(), 0);

            clickRow(v, 0); // key 1, used by product 1: refused without a question
            click(remove);
            expectBox(0, QStringLiteral("ไม่สามารถทำการลบข้อมูลรายการนี้ได้ เนื่องจากยังมีข้อมูลการใช้งานอยู่."),
                QStringLiteral("รายงานความผิดพลาด"), MsgIcon::Warning);
            ASSERT_EQ(boxes.count(), 1);

            // The delete ignores the box; Cancel keeps the entry.
            clickRow(v, 2); // key 3, "Box"
            type(in<QLineEdit>(w, c.box), QStringLiteral("Piece"));
            boxes.answer(MsgResult::Cancel);
            click(remove);
            expectBox(1, QStringLiteral("คุณแน่ใจว่าต้องการลบข้อมูล ( Box ) นี้?"),
                QStringLiteral("ยืนยันการลบข้อมูล"), MsgIcon::Question, MsgButtons::OkCancel);
            EXPECT_EQ(nameOf(c, 3), QStringLiteral("Box"));

            boxes.answer(MsgResult::Ok);
            click(remove);
            expectBox(3, QStringLiteral("ลบข้อมูลออกจากระบบเรียบร้อยแล้ว."), Status, MsgIcon::Warning);
            EXPECT_FALSE(db().scalar(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = 3")
                                         .arg(QLatin1String(c.table), QLatin1String(c.key)))
                             .isValid());
            EXPECT_EQ(rowsOf(v), (QStringList { "1|Piece", "2|Pack" }));
            EXPECT_EQ(in<QLineEdit>(w, c.box)->text(), QString());

            // The last free entry goes; the used one stays.
            clickRow(v, 1);
            boxes.answer(MsgResult::Ok);
            click(remove);
            EXPECT_EQ(rowsOf(v), (QStringList { "1|Piece" }));
        });
        EXPECT_EQ(count(c.table), 2) << "the key-0 row and the used entry";
        sql(QStringLiteral("DELETE FROM tblProduct"));
        sql(QStringLiteral("DELETE FROM %1 WHERE %2 > 0")
                .arg(QLatin1String(c.table), QLatin1String(c.key)));
    }
}

} // namespace
