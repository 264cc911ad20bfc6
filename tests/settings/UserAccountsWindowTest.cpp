// The user window, driven by keys and clicks with scripted message boxes: its three modes, the
// tests before a user is stored, which row edit and delete act on, the grid, the sign-in switch
// written on every close, and a created user signing in at the next start.
#include "settings/UserAccountsWindow.h"
#include "AppWindows.h"
#include "SettingFixture.h"
#include "platform/db/Connection.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/MessageBox.h"
#include "shell/MainFrame.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
#include "shell/PasswordHash.h"
#include "shell/ShopDatabase.h"
#include "shell/SignInWindow.h"
#include "shell/SignedInUser.h"
#include "support/FindControl.h"
#include "support/RecordingLayout.h"
#include "support/Screenshots.h"
#include "support/WindowDriving.h"
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>

namespace {

const QString StatusTitle = QStringLiteral("รายงานสถานะ");
const QString NameTooShort = QStringLiteral("ไม่สามารถบันทึกได้ กรุณาระบุ ชื่อผู้ใช้ มากกว่า 4 หลักขึ้นไป");
const QString PasswordTooShort = QStringLiteral("ไม่สามารถบันทึกได้ กรุณาระบุ รหัสผ่าน มากกว่า 4 หลักขึ้นไป");
const QString EditPasswordTooShort
    = QStringLiteral("ไม่สามารถแก้ไขได้ กรุณาระบุ รหัสผ่าน มากกว่า 4 หลักขึ้นไป");
const QString PickBeforeEdit = QStringLiteral("กรุณาเลือก ( ผู้ใช้ ) ที่คุณต้องการ  ก่อนเริ่มการแก้ไข");
const QString PickBeforeDelete = QStringLiteral("กรุณาเลือก ( ผู้ใช้ ) ที่คุณต้องการ  ก่อนเริ่มการลบ");
const QString AdminStays = QStringLiteral("ผู้ใช้ [ admin ] ไม่สามารถลบออกได้ แนะนำให้เปลี่ยนแค่ รหัสผ่าน...");

// The modes as the controls show them: enabled (1/0) or hidden (-).
const std::string ViewMode
    = "name:0 pass:0 pos:0 rights:00000 create:1 confirmCreate:- cancel:- edit:1 confirmEdit:- "
      "delete:1 grid:1 switch:1";
const std::string CreateMode
    = "name:1 pass:1 pos:1 rights:11111 create:1 confirmCreate:1 cancel:1 edit:0 confirmEdit:- "
      "delete:0 grid:0 switch:1";
const std::string EditMode
    = "name:0 pass:1 pos:1 rights:11111 create:0 confirmCreate:- cancel:- edit:1 confirmEdit:1 "
      "delete:0 grid:1 switch:1";

std::string controls(UserAccountsWindow &w)
{
    auto on = [](QWidget *c) { return c->isHidden() ? "-" : c->isEnabled() ? "1" : "0"; };
    std::string rights;
    for (QCheckBox *c : { w.Check2, w.Check3, w.Check4, w.Check5, w.Check6 })
        rights += on(c);
    return std::string("name:") + on(w.txtUserID) + " pass:" + on(w.txtPassword)
        + " pos:" + on(w.Text1) + " rights:" + rights + " create:" + on(w.kasmoButton1)
        + " confirmCreate:" + on(w.kasmoButton5) + " cancel:" + on(w.kasmoButton6)
        + " edit:" + on(w.kasmoButton2) + " confirmEdit:" + on(w.kasmoButton4)
        + " delete:" + on(w.kasmoButton3) + " grid:" + on(w.fpSpread1) + " switch:" + on(w.Check1);
}

QString ticks(UserAccountsWindow &w)
{
    QString out;
    for (QCheckBox *c : { w.Check2, w.Check3, w.Check4, w.Check5, w.Check6 })
        out += c->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

QString confirmation(const QString &lead, const QString &name, const QString &position)
{
    return lead + QStringLiteral("\n\nผู้ใช้ : [ ") + name + QStringLiteral(" ] ตำแหน่ง : [ ")
        + position + QStringLiteral(" ]");
}

class UserWindow : public SettingFixture
{
protected:
    // Opens the window and runs `act` on it while it is shown modally and active.
    void inUsers(const std::function<void(UserAccountsWindow &)> &act)
    {
        bool ran = false;
        dialogs.then([&](QDialog *d) {
            auto *w = qobject_cast<UserAccountsWindow *>(d);
            ASSERT_NE(w, nullptr);
            w->activateWindow();
            QApplication::setActiveWindow(w);
            ran = true;
            act(*w);
        });
        UserAccountsWindow::showModal();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(ran);
        EXPECT_TRUE(boxes.answers.isEmpty()) << "an answer was left unused";
    }

    // A user stored directly, with a cheap hash of its password.
    void addUser(int pk, const QString &uid, const QString &password, const QString &position,
        const char *rights)
    {
        QVariantList v { pk, uid, PasswordHash::make(password, 1000), position };
        for (int i = 0; i < 5; ++i)
            v << (rights[i] == '1' ? 1 : 0);
        sql(QStringLiteral("INSERT INTO tblUser (PK, UID, UPASS, UTumnang, ULv1, ULv2, ULv3, "
                           "ULv4, ULv5) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
            v);
    }
    QString userRow(int pk)
    {
        Recordset rs = db().query(QStringLiteral("SELECT UID, UTumnang, ULv1 || ULv2 || ULv3 || "
                                                 "ULv4 || ULv5 FROM tblUser WHERE PK = ?1"),
            { pk });
        return rs.eof()
            ? QString()
            : rs.text(0) + QLatin1Char('|') + rs.text(1) + QLatin1Char('|') + rs.text(2);
    }
    QString storedPassword(int pk)
    {
        return db()
            .scalar(QStringLiteral("SELECT UPASS FROM tblUser WHERE PK = ?1"), { pk })
            .toString();
    }

    static void clickRow(DataGrid *g, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        const QRect r = g->visualRect(g->model()->index(row - 1, 1));
        ASSERT_TRUE(r.isValid());
        QTest::mouseClick(g->viewport(), button, {}, r.center());
    }
    // Typed key by key; Thai letters come as the text of a key without a Latin key code.
    static void type(QWidget *box, const QString &text)
    {
        box->setFocus();
        for (QChar ch : text) {
            if (ch.unicode() < 0x80)
                QTest::keyClicks(box, QString(ch));
            else
                QTest::sendKeyEvent(
                    QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    static void erase(QLineEdit *box)
    {
        box->setFocus();
        box->end(false);
        for (qsizetype n = box->text().size(); n > 0; --n)
            QTest::keyClick(box, Qt::Key_Backspace);
    }
    static QWidget *focus() { return QApplication::focusWidget(); }
};

// ---------------------------------------------------------------------------------------------

TEST_F(UserWindow, ModeTableHoldsThroughEveryTransition)
{
    addUser(
        2, QStringLiteral("CASHIER"), QStringLiteral("pw12"), QStringLiteral("แคชเชียร์"), "10000");
    inUsers([&](UserAccountsWindow &w) {
        struct Step
        {
            const char *what;
            std::function<void()> act;
            std::string mode;
            QString nameBox;
            QWidget *focused; // nullptr: not checked
        };
        const Step steps[] = {
            { "opened", [] {}, ViewMode, QString(), nullptr },
            { "create", [&] { click(w.kasmoButton1); }, CreateMode, QString(), w.txtUserID },
            { "refused create", [&] { click(w.kasmoButton5); }, CreateMode, QString(),
                w.txtUserID },
            { "cancel create", [&] { click(w.kasmoButton6); }, ViewMode, QString(), nullptr },
            { "edit without a user", [&] { click(w.kasmoButton2); }, ViewMode, QString(), nullptr },
            { "row click", [&] { clickRow(w.fpSpread1, 1); }, ViewMode, QStringLiteral("CASHIER"),
                nullptr },
            { "edit", [&] { click(w.kasmoButton2); }, EditMode, QStringLiteral("CASHIER"),
                w.txtPassword },
            { "refused password",
                [&] {
                    type(w.txtPassword, QStringLiteral("ab"));
                    click(w.kasmoButton4);
                },
                EditMode, QStringLiteral("CASHIER"), w.txtPassword },
            { "cancel at the confirmation",
                [&] {
                    erase(w.txtPassword);
                    boxes.answer(MsgResult::Cancel);
                    click(w.kasmoButton4);
                },
                ViewMode, QString(), nullptr },
            { "edit again",
                [&] {
                    clickRow(w.fpSpread1, 1);
                    click(w.kasmoButton2);
                },
                EditMode, QStringLiteral("CASHIER"), w.txtPassword },
            { "stored edit",
                [&] {
                    boxes.answer(MsgResult::Ok);
                    click(w.kasmoButton4);
                },
                ViewMode, QStringLiteral("CASHIER"), nullptr },
            { "create from a picked user", [&] { click(w.kasmoButton1); }, CreateMode, QString(),
                w.txtUserID },
            { "cancel at the create confirmation",
                [&] {
                    type(w.txtUserID, QStringLiteral("NEW1"));
                    type(w.txtPassword, QStringLiteral("PW34"));
                    boxes.answer(MsgResult::Cancel);
                    click(w.kasmoButton5);
                },
                CreateMode, QStringLiteral("NEW1"), nullptr },
            { "stored create",
                [&] {
                    boxes.answer(MsgResult::Ok);
                    click(w.kasmoButton5);
                },
                ViewMode, QString(), nullptr },
        };
        for (const Step &s : steps) {
            SCOPED_TRACE(s.what);
            s.act();
            EXPECT_EQ(controls(w), s.mode);
            EXPECT_EQ(w.txtUserID->text(), s.nameBox);
            if (s.focused) {
                EXPECT_EQ(focus(), s.focused);
            }
        }
        EXPECT_EQ(count("tblUser"), 3);
    });
}

TEST_F(UserWindow, CreateTestsLengthThenNameAndStoresAHashUnderTheNextKey)
{
    // A hidden row with key 0 still holds its name.
    addUser(0, QStringLiteral("HIDDEN"), QStringLiteral("pw12"), QString(), "00000");
    addUser(7, QStringLiteral("ABCDX1"), QStringLiteral("pw12"), QString(), "00000");
    struct Case
    {
        const char *name, *password;
        QString refusal; // empty: stored
        QLineEdit *UserAccountsWindow::*focus;
    };
    const QString taken = QStringLiteral("ไม่สามารถเพิ่มผู้ใช้ [ %1 ] เนื่องจากมี ชื่อนี้อยู่แล้ว ....");
    const Case cases[] = {
        { "", "WXYZ", NameTooShort, &UserAccountsWindow::txtUserID },
        { "ABC", "WXYZ", NameTooShort, &UserAccountsWindow::txtUserID },
        { "ABCD", "", PasswordTooShort, &UserAccountsWindow::txtPassword },
        { "ABCD", "WXY", PasswordTooShort, &UserAccountsWindow::txtPassword },
        { "admin", "WXYZ", taken.arg(QStringLiteral("ADMIN")), &UserAccountsWindow::txtUserID },
        { "HIDDEN", "WXYZ", taken.arg(QStringLiteral("HIDDEN")), &UserAccountsWindow::txtUserID },
        { "ABCD", "wxyz", QString(), nullptr },
        { "abcd", "WXYZ", taken.arg(QStringLiteral("ABCD")), &UserAccountsWindow::txtUserID },
        // "_" is a character like any other, not a wildcard.
        { "ABCD_1", "PASS-1/2", QString(), nullptr },
    };
    inUsers([&](UserAccountsWindow &w) {
        int expectedKey = 8;
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.name) + "/" + c.password);
            boxes.clear();
            click(w.kasmoButton1);
            type(w.txtUserID, QString::fromLatin1(c.name));
            type(w.txtPassword, QString::fromLatin1(c.password));
            type(w.Text1, QStringLiteral(" พนักงาน "));
            const qint64 before = count("tblUser");
            if (!c.refusal.isEmpty()) {
                click(w.kasmoButton5);
                ASSERT_EQ(boxes.count(), 1);
                EXPECT_EQ(boxes.last().text, c.refusal);
                EXPECT_EQ(boxes.last().title, StatusTitle);
                EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
                EXPECT_EQ(boxes.last().buttons, MsgButtons::Ok);
                EXPECT_EQ(focus(), w.*c.focus);
                EXPECT_EQ(controls(w), CreateMode);
                EXPECT_EQ(count("tblUser"), before);
                click(w.kasmoButton6);
                continue;
            }
            const QString name = QString::fromLatin1(c.name);
            boxes.answer(MsgResult::Ok);
            click(w.kasmoButton5);
            ASSERT_EQ(boxes.count(), 2);
            const MessageRequest &ask = boxes.shown[0];
            EXPECT_EQ(ask.text,
                confirmation(QStringLiteral("คุณแน่ใจว่าต้องการเพิ่มข้อมูลใหม่ของ "), name,
                    QStringLiteral(" พนักงาน ")));
            EXPECT_EQ(ask.title, QStringLiteral("ยืนยันการเพิ่มผู้ใช้ใหม่"));
            EXPECT_EQ(ask.icon, MsgIcon::Warning);
            EXPECT_EQ(ask.buttons, MsgButtons::OkCancel);
            EXPECT_EQ(ask.defaultButton, MsgResult::Cancel);
            EXPECT_EQ(boxes.last().text,
                QStringLiteral("ดำเนินการเพิ่ม ผู้ใช้ [ ") + name + QStringLiteral(" ] เรียบร้อยแล้ว.."));
            EXPECT_EQ(boxes.last().title, StatusTitle);
            EXPECT_EQ(boxes.last().icon, MsgIcon::Information);
            EXPECT_EQ(w.NewUserPK, expectedKey);
            EXPECT_EQ(userRow(expectedKey), name + QStringLiteral("|พนักงาน|00000"));
            // Stored as a salted hash of the password, which matches in any letter case.
            const QString hash = storedPassword(expectedKey);
            EXPECT_TRUE(hash.startsWith(QStringLiteral("pbkdf2$100000$"))) << hash.toStdString();
            EXPECT_FALSE(hash.contains(QString::fromLatin1(c.password), Qt::CaseInsensitive));
            EXPECT_TRUE(PasswordHash::verify(QString::fromLatin1(c.password).toLower(), hash));
            EXPECT_EQ(controls(w), ViewMode);
            EXPECT_EQ(w.fpSpread1->getText(1, 1), QLatin1Char(' ') + name);
            ++expectedKey;
        }
        EXPECT_EQ(w.lblSidebar->text(), QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 4 ) คน"));
    });
}

TEST_F(UserWindow, CreateAfterClickingAUserKeepsTheTicksShown)
{
    addUser(2, QStringLiteral("CASHIER"), QStringLiteral("pw12"), QString(), "10101");
    inUsers([&](UserAccountsWindow &w) {
        clickRow(w.fpSpread1, 1);
        EXPECT_EQ(ticks(w), QStringLiteral("10101"));
        click(w.kasmoButton1);
        EXPECT_EQ(ticks(w), QStringLiteral("10101"));
        tick(w.Check3);
        type(w.txtUserID, QStringLiteral("CLERK"));
        type(w.txtPassword, QStringLiteral("PW34"));
        boxes.answer(MsgResult::Ok);
        click(w.kasmoButton5);
    });
    EXPECT_EQ(userRow(3), QStringLiteral("CLERK||11101"));
}

TEST_F(UserWindow, EditStoresTheRowClickedLastAndAnEmptyPasswordKeepsTheStoredOne)
{
    addUser(2, QStringLiteral("ANNA"), QStringLiteral("pw12"), QStringLiteral("ขาย"), "10000");
    addUser(3, QStringLiteral("BOBBY"), QStringLiteral("pw12"), QStringLiteral("คลัง"), "01000");
    const QString annaHash = storedPassword(2), bobbyHash = storedPassword(3);
    inUsers([&](UserAccountsWindow &w) {
        // Rows: BOBBY (3), ANNA (2), admin (1).
        clickRow(w.fpSpread1, 2);
        click(w.kasmoButton2);
        EXPECT_EQ(w.txtUserID->text(), QStringLiteral("ANNA"));
        clickRow(w.fpSpread1, 1); // the grid stays open: now BOBBY is edited
        EXPECT_EQ(w.txtUserID->text(), QStringLiteral("BOBBY"));
        EXPECT_EQ(w.txtPassword->text(), QString()); // never shown
        EXPECT_EQ(controls(w), EditMode);
        tick(w.Check6);
        type(w.Text1, QStringLiteral(" หัวหน้า"));
        boxes.answer(MsgResult::Ok);
        click(w.kasmoButton4);
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.shown[0].text,
            confirmation(QStringLiteral("คุณแน่ใจว่าต้องการแก้ไขข้อมูลของ "), QStringLiteral("BOBBY"),
                QStringLiteral("คลัง หัวหน้า")));
        EXPECT_EQ(boxes.shown[0].title, QStringLiteral("ยืนยันการแก้ไขข้อมูล"));
        EXPECT_EQ(boxes.shown[0].icon, MsgIcon::Warning);
        EXPECT_EQ(boxes.shown[0].defaultButton, MsgResult::Cancel);
        EXPECT_EQ(boxes.last().text, QStringLiteral("ดำเนินการแก้ไขข้อมูลผู้ใช้ [ BOBBY ] เรียบร้อยแล้ว.."));
        EXPECT_EQ(boxes.last().icon, MsgIcon::Information);
        EXPECT_EQ(userRow(3), QStringLiteral("BOBBY|คลัง หัวหน้า|01001"));
        EXPECT_EQ(storedPassword(3), bobbyHash);
        EXPECT_EQ(userRow(2), QStringLiteral("ANNA|ขาย|10000"));
        EXPECT_EQ(storedPassword(2), annaHash);
        // The boxes keep the user, and the grid shows it selected.
        EXPECT_EQ(w.txtUserID->text(), QStringLiteral("BOBBY"));
        EXPECT_EQ(w.fpSpread1->currentIndex().row(), 0);
        EXPECT_TRUE(w.fpSpread1->selectionModel()->isRowSelected(0, {}));
        EXPECT_EQ(w.fpSpread1->getText(8, 1), UserAccountsWindow::Allowed);

        // A new password of four characters replaces the hash; three are refused.
        boxes.clear();
        click(w.kasmoButton2);
        type(w.txtPassword, QStringLiteral("new"));
        click(w.kasmoButton4);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, EditPasswordTooShort);
        EXPECT_EQ(boxes.last().title, StatusTitle);
        EXPECT_EQ(focus(), w.txtPassword);
        type(w.txtPassword, QStringLiteral("4"));
        boxes.answer(MsgResult::Ok);
        click(w.kasmoButton4);
        EXPECT_NE(storedPassword(3), bobbyHash);
        EXPECT_TRUE(PasswordHash::verify(QStringLiteral("new4"), storedPassword(3)));

        // After a stored edit, delete takes the user still shown.
        boxes.clear();
        boxes.answer(MsgResult::Ok);
        click(w.kasmoButton3);
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.shown[0].text,
            confirmation(QStringLiteral("คุณแน่ใจว่าต้องการลบ "), QStringLiteral("BOBBY"),
                QStringLiteral("คลัง หัวหน้า")));
    });
    EXPECT_EQ(userRow(3), QString());
}

TEST_F(UserWindow, DeleteActsOnTheUserItsConfirmationNames)
{
    addUser(2, QStringLiteral("ANNA"), QStringLiteral("pw12"), QStringLiteral("ขาย"), "10000");
    addUser(3, QStringLiteral("BOBBY"), QStringLiteral("pw12"), QStringLiteral("คลัง"), "01000");
    addUser(4, QStringLiteral("CHAI"), QStringLiteral("pw12"), QString(), "00000");
    // Rows: CHAI (4), BOBBY (3), ANNA (2), admin (1). After a left click on CHAI, another way of
    // moving picks the user that is then deleted.
    struct Case
    {
        const char *how;
        std::function<void(UserAccountsWindow &)> move;
        int deleted;
        QString name, position;
    };
    const Case cases[] = {
        { "right click", [](UserAccountsWindow &w) { clickRow(w.fpSpread1, 2, Qt::RightButton); },
            3, QStringLiteral("BOBBY"), QStringLiteral("คลัง") },
        { "arrow key",
            [](UserAccountsWindow &w) {
                w.fpSpread1->setFocus();
                QTest::keyClick(w.fpSpread1, Qt::Key_Down);
            },
            3, QStringLiteral("BOBBY"), QStringLiteral("คลัง") },
        { "left click only", [](UserAccountsWindow &) {}, 4, QStringLiteral("CHAI"), QString() },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        sql(QStringLiteral("DELETE FROM tblUser WHERE PK > 1"));
        addUser(2, QStringLiteral("ANNA"), QStringLiteral("pw12"), QStringLiteral("ขาย"), "10000");
        addUser(3, QStringLiteral("BOBBY"), QStringLiteral("pw12"), QStringLiteral("คลัง"), "01000");
        addUser(4, QStringLiteral("CHAI"), QStringLiteral("pw12"), QString(), "00000");
        boxes.clear();
        inUsers([&](UserAccountsWindow &w) {
            clickRow(w.fpSpread1, 1);
            c.move(w);
            // Cancel deletes nothing.
            boxes.answer(MsgResult::Cancel);
            click(w.kasmoButton3);
            EXPECT_EQ(count("tblUser"), 4);
            boxes.answer(MsgResult::Ok);
            click(w.kasmoButton3);
            ASSERT_EQ(boxes.count(), 3);
            EXPECT_EQ(boxes.shown[1].text,
                confirmation(QStringLiteral("คุณแน่ใจว่าต้องการลบ "), c.name, c.position));
            EXPECT_EQ(boxes.shown[1].title, QStringLiteral("ยืนยันการลบข้อมูล"));
            EXPECT_EQ(boxes.shown[1].icon, MsgIcon::Warning);
            EXPECT_EQ(boxes.shown[1].defaultButton, MsgResult::Cancel);
            EXPECT_EQ(boxes.last().text, QStringLiteral("ทำการ ลบข้อมูล ออกจากระบบเรียบร้อยแล้ว."));
            EXPECT_EQ(boxes.last().icon, MsgIcon::Information);
            EXPECT_EQ(userRow(c.deleted), QString());
            EXPECT_EQ(count("tblUser"), 3);
            EXPECT_EQ(w.txtUserID->text(), QString());
            EXPECT_FALSE(w.fpSpread1->selectionModel()->hasSelection());
            EXPECT_EQ(w.lblSidebar->text(), QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 3 ) คน"));
            // With the boxes empty, edit and delete ask for a user.
            boxes.clear();
            click(w.kasmoButton2);
            click(w.kasmoButton3);
            ASSERT_EQ(boxes.count(), 2);
            EXPECT_EQ(boxes.shown[0].text, PickBeforeEdit);
            EXPECT_EQ(boxes.shown[1].text, PickBeforeDelete);
            for (const MessageRequest &m : boxes.shown) {
                EXPECT_EQ(m.title, StatusTitle);
                EXPECT_EQ(m.icon, MsgIcon::Warning);
            }
        });
    }
}

TEST_F(UserWindow, UserOneIsNeverDeletedWhateverItsName)
{
    sql(QStringLiteral("UPDATE tblUser SET UID = 'BOSS' WHERE PK = 1"));
    inUsers([&](UserAccountsWindow &w) {
        clickRow(w.fpSpread1, 1);
        EXPECT_EQ(w.txtUserID->text(), QStringLiteral("BOSS"));
        boxes.answer(MsgResult::Ok); // would confirm, but no confirmation is asked
        click(w.kasmoButton3);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, AdminStays);
        EXPECT_EQ(boxes.last().title, StatusTitle);
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        boxes.answers.clear();
    });
    EXPECT_EQ(count("tblUser", "PK = 1"), 1);
}

TEST_F(UserWindow, GridListsEveryUserNewestFirstWithItsRights)
{
    addUser(2, QStringLiteral("ANNA"), QStringLiteral("pw12"), QStringLiteral(" ขาย "), "10100");
    addUser(-3, QStringLiteral("GHOST"), QStringLiteral("pw12"), QString(), "11111");
    addUser(5, QStringLiteral("BOBBY"), QStringLiteral("pw12"), QString(), "01011");
    inUsers([&](UserAccountsWindow &w) {
        DataGrid *g = w.fpSpread1;
        const QStringList headers = { QString(), QStringLiteral(" ชื่อผู้ใช้"),
            QStringLiteral(" รหัสผ่าน"), QStringLiteral("ตำแหน่ง"), QStringLiteral("หน้าขายสินค้า"),
            QStringLiteral("หน้าคลังสินค้า"), QStringLiteral("หน้าสรุปยอดขาย"), QStringLiteral("หน้าตั้งค่า"),
            QStringLiteral("หน้าข้อมูลย้อนหลัง") };
        const double widths[] = { 0, 18, 18, 18, 13, 13, 15, 11, 16 };
        ASSERT_EQ(g->maxCols(), 8);
        for (int c = 0; c <= 8; ++c) {
            EXPECT_EQ(g->getText(c, 0), headers[c]) << c;
            EXPECT_EQ(g->colWidth(c), widths[c]) << c;
        }
        EXPECT_TRUE(g->isColumnHidden(0));
        ASSERT_EQ(g->maxRows(), 3);
        const QStringList rows[] = {
            { "5", " BOBBY", " ********", " ", "เปิดไม่ได้", "เปิดได้", "เปิดไม่ได้", "เปิดได้", "เปิดได้" },
            { "2", " ANNA", " ********", " ขาย", "เปิดได้", "เปิดไม่ได้", "เปิดได้", "เปิดไม่ได้",
                "เปิดไม่ได้" },
            { "1", " admin", " ********", " ผู้ดูแลระบบ", "เปิดได้", "เปิดได้", "เปิดได้", "เปิดได้",
                "เปิดได้" },
        };
        for (int r = 1; r <= 3; ++r) {
            SCOPED_TRACE(r);
            for (int c = 0; c <= 8; ++c) {
                EXPECT_EQ(g->getText(c, r), rows[r - 1][c]) << c;
                EXPECT_EQ(g->foreColor(c, r), QColor(26, 26, 26)) << c;
            }
            for (int c = 4; c <= 8; ++c)
                EXPECT_EQ(g->backColor(c, r),
                    g->getText(c, r) == UserAccountsWindow::Allowed ? QColor(95, 158, 159)
                                                                    : QColor(215, 159, 158))
                    << c;
            EXPECT_NEAR(g->rowHeight(r), 25, 1);
        }
        EXPECT_EQ(g->alignment(1, 1) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        EXPECT_EQ(g->alignment(2, 1) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        for (int c = 3; c <= 8; ++c)
            EXPECT_EQ(g->alignment(c, 1) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << c;
        EXPECT_EQ(w.lblSidebar->text(), QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 3 ) คน"));

        // A click copies the user, trimmed, and its rights; the password box stays empty.
        clickRow(g, 2);
        EXPECT_EQ(w.SelectedUserPK, 2);
        EXPECT_EQ(w.txtUserID->text(), QStringLiteral("ANNA"));
        EXPECT_EQ(w.txtPassword->text(), QString());
        EXPECT_EQ(w.Text1->text(), QStringLiteral("ขาย"));
        EXPECT_EQ(ticks(w), QStringLiteral("10100"));
        EXPECT_EQ(controls(w), ViewMode);
    });
}

TEST_F(UserWindow, EmptyTableStillCreatesTheFirstUserWithKeyOne)
{
    sql(QStringLiteral("DELETE FROM tblUser"));
    inUsers([&](UserAccountsWindow &w) {
        EXPECT_EQ(w.fpSpread1->maxRows(), 0);
        EXPECT_EQ(w.lblSidebar->text(), QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 0 ) คน"));
        QTest::mouseClick(w.fpSpread1->viewport(), Qt::LeftButton);
        click(w.kasmoButton2);
        click(w.kasmoButton3);
        EXPECT_EQ(boxes.count(), 0);
        EXPECT_EQ(controls(w), ViewMode);
        click(w.kasmoButton1);
        type(w.txtUserID, QStringLiteral("OWNER"));
        type(w.txtPassword, QStringLiteral("PW34"));
        tick(w.Check2);
        boxes.answer(MsgResult::Ok);
        click(w.kasmoButton5);
        EXPECT_EQ(w.NewUserPK, 1);
    });
    EXPECT_EQ(userRow(1).left(6), QStringLiteral("OWNER|"));
}

TEST_F(UserWindow, SignInSwitchIsWrittenOnEveryClose)
{
    struct Case
    {
        const char *what;
        const char *storedRow; // numA, numMon
        std::function<void(UserAccountsWindow &)> act;
        std::function<void(UserAccountsWindow &)> close; // none: the window is just closed
        QString written;
    };
    const Case cases[] = {
        { "untouched off", "0/00", [](UserAccountsWindow &) {}, {}, QStringLiteral("0/00") },
        { "untouched on, odd month text", "1/07", [](UserAccountsWindow &) {}, {},
            QStringLiteral("1/00") },
        { "any non-zero reads as on", "5/xx",
            [](UserAccountsWindow &w) { EXPECT_TRUE(w.Check1->isChecked()); }, {},
            QStringLiteral("1/00") },
        { "ticked, closed by Esc", "0/00", [](UserAccountsWindow &w) { tick(w.Check1); },
            [](UserAccountsWindow &w) { QTest::keyClick(&w, Qt::Key_Escape); },
            QStringLiteral("1/00") },
        { "unticked in create mode with typed text", "1/00",
            [](UserAccountsWindow &w) {
                click(w.kasmoButton1);
                type(w.txtUserID, QStringLiteral("DROPPED"));
                tick(w.Check1);
            },
            [](UserAccountsWindow &w) { w.close(); }, QStringLiteral("0/00") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList stored = QString::fromLatin1(c.storedRow).split(QLatin1Char('/'));
        sql(QStringLiteral("UPDATE tblNumber SET numA = ?1, numMon = ?2 WHERE nPK = 4"),
            { stored[0].toInt(), stored[1] });
        inUsers([&](UserAccountsWindow &w) {
            c.act(w);
            EXPECT_EQ(counterRow(4), QString::fromLatin1(c.storedRow))
                << "nothing before the close";
            if (c.close) {
                c.close(w);
                EXPECT_FALSE(w.isVisible());
            }
        });
        EXPECT_EQ(counterRow(4), c.written);
        EXPECT_EQ(count("tblUser"), 1);
        EXPECT_EQ(boxes.count(), 0);
    }
}

TEST_F(UserWindow, BoxesFilterKeysRefuseTheRightButtonAndSwitchTheKeyboard)
{
    RecordingLayout layout;
    inUsers([&](UserAccountsWindow &w) {
        click(w.kasmoButton1);
        EXPECT_EQ(layout.activations, QStringList { QStringLiteral("us") });

        QTest::keyClicks(w.txtUserID, QStringLiteral("ab-_/9"));
        EXPECT_EQ(w.txtUserID->text(), QStringLiteral("AB-_/9"));
        EXPECT_EQ(boxes.count(), 0);
        QTest::keyClicks(w.txtUserID, QStringLiteral(" "));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, Msg::CodeCharOnly);
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
        EXPECT_EQ(w.txtUserID->text(), QStringLiteral("AB-_/9"));

        layout.current = QStringLiteral("th");
        QTest::keyClick(w.txtUserID, Qt::Key_Return);
        EXPECT_EQ(focus(), w.txtPassword);
        EXPECT_EQ(layout.activations.size(), 2);
        QTest::keyClicks(w.txtPassword, QStringLiteral("pw"));
        EXPECT_EQ(w.txtPassword->text(), QStringLiteral("PW"));
        QTest::keyClick(w.txtPassword, Qt::Key_Return);
        EXPECT_EQ(focus(), w.Text1);
        EXPECT_EQ(w.txtPassword->echoMode(), QLineEdit::Normal); // typed in clear
        // The position box takes any key and leaves the layout alone.
        layout.current = QStringLiteral("th");
        type(w.Text1, QStringLiteral("a ข"));
        EXPECT_EQ(w.Text1->text(), QStringLiteral("a ข"));
        QTest::keyClick(w.Text1, Qt::Key_Return);
        EXPECT_EQ(focus(), w.Text1);
        EXPECT_EQ(layout.activations.size(), 2);
        EXPECT_EQ(boxes.count(), 1);

        for (QLineEdit *box : { w.txtUserID, w.txtPassword, w.Text1 }) {
            boxes.clear();
            QTest::mouseClick(box, Qt::RightButton);
            ASSERT_EQ(boxes.count(), 1) << box->objectName().toStdString();
            EXPECT_EQ(boxes.last().text, QStringLiteral("ห้ามคลิกขวาในช่องนี้ !!"));
            EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
            EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        }
        for (QLineEdit *box : { w.txtUserID, w.txtPassword, w.Text1 })
            EXPECT_EQ(box->maxLength(), 38);
    });
}

TEST_F(UserWindow, FailedCreateShowsTheErrorStoresNothingAndStaysInCreateMode)
{
    inUsers([&](UserAccountsWindow &w) {
        click(w.kasmoButton1);
        type(w.txtUserID, QStringLiteral("CLERK"));
        type(w.txtPassword, QStringLiteral("PW34"));
        Connection::setStatementHook([](const QString &s) {
            if (s.startsWith(QStringLiteral("INSERT INTO tblUser")))
                throw DbError(QStringLiteral("disk I/O error"));
        });
        boxes.answer(MsgResult::Ok);
        click(w.kasmoButton5);
        Connection::setStatementHook({});
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
        EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("disk I/O error")));
        EXPECT_EQ(controls(w), CreateMode);
        EXPECT_EQ(w.txtUserID->text(), QStringLiteral("CLERK"));
        EXPECT_EQ(w.fpSpread1->maxRows(), 1);
    });
    EXPECT_EQ(count("tblUser"), 1);
    EXPECT_FALSE(db().inTransaction());
}

// Every control inside the window; apart, but for the confirm buttons over the buttons they
// cover; every caption whole.
TEST_F(UserWindow, LayoutKeepsEveryControlWholeAndApart)
{
    addUser(2, QStringLiteral("CASHIER_01"), QStringLiteral("pw12"),
        QStringLiteral("พนักงานขายหน้าร้าน"), "10100");
    addUser(3, QStringLiteral("STOCK-KEEPER/2"), QStringLiteral("pw12"), QStringLiteral("คลังสินค้า"),
        "01001");
    inUsers([&](UserAccountsWindow &w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("จัดการระบบล็อคอิน"));
        EXPECT_EQ(w.Label4->text(),
            QStringLiteral("[ การเพิ่มผู้ใช้ และ การแก้ไข จะมีผลเมื่อปิดแล้วเปิดโปรแกรมใหม่ ]"));
        EXPECT_EQ(w.Check1->text(), QStringLiteral(" เปิด / ปิด (ระบบล็อคอิน)"));
        const QStringList captions = { QStringLiteral(" เข้าถึงหน้าขายสินค้า"),
            QStringLiteral(" เข้าถึงหน้าคลังสินค้า"), QStringLiteral(" เข้าถึงหน้าสรุปยอดการขาย"),
            QStringLiteral(" เข้าถึงหน้าตั้งค่า"), QStringLiteral(" เข้าถึงหน้าข้อมูลย้อนหลัง") };
        const QList<QCheckBox *> rights = { w.Check2, w.Check3, w.Check4, w.Check5, w.Check6 };
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(rights[i]->text(), captions[i]);
        const QStringList buttonCaptions
            = { QStringLiteral("&สร้างผู้ใช้ใหม่"), QStringLiteral("&ยืนยันการสร้างผู้ใช้"),
                  QStringLiteral("&ยกเลิกการสร้าง"), QStringLiteral("&แก้ไขข้อมูลผู้ใช้นี้"),
                  QStringLiteral("&ยืนยันการแก้ไขข้อมูล"), QStringLiteral("&ลบผู้ใช้งานนี้") };
        const QList<KasmoButton *> buttons = { w.kasmoButton1, w.kasmoButton5, w.kasmoButton6,
            w.kasmoButton2, w.kasmoButton4, w.kasmoButton3 };
        for (int i = 0; i < buttons.size(); ++i)
            EXPECT_EQ(buttons[i]->Caption(), buttonCaptions[i]);

        // Designed covers: confirm-create and cancel over create, confirm-edit over edit.
        auto covers = [&](QWidget *a, QWidget *b) {
            auto pair = [](QWidget *x, QWidget *y, QWidget *p, QWidget *q) {
                return (x == p && y == q) || (x == q && y == p);
            };
            return pair(a, b, w.kasmoButton5, w.kasmoButton1)
                || pair(a, b, w.kasmoButton6, w.kasmoButton1)
                || pair(a, b, w.kasmoButton4, w.kasmoButton2);
        };
        EXPECT_EQ(w.kasmoButton4->geometry(), w.kasmoButton2->geometry());
        EXPECT_EQ(w.kasmoButton5->geometry().united(w.kasmoButton6->geometry()),
            w.kasmoButton1->geometry());
        QList<QWidget *> controls = { w.lblSidebar, w.Label4, w.Check1, w.txtUserID, w.txtPassword,
            w.Text1, w.fpSpread1 };
        for (QWidget *c : rights)
            controls << c;
        for (QWidget *c : buttons)
            controls << c;
        for (QWidget *c : controls) {
            EXPECT_TRUE(w.rect().contains(c->geometry())) << c->objectName().toStdString();
            for (QWidget *other : controls) {
                if (other != c && !covers(c, other)) {
                    EXPECT_FALSE(c->geometry().intersects(other->geometry()))
                        << c->accessibleName().toStdString() << " / "
                        << other->accessibleName().toStdString();
                }
            }
        }
        for (QWidget *c : QList<QWidget *> {
                 w.Check1, w.Label4, w.Check2, w.Check3, w.Check4, w.Check5, w.Check6 })
            EXPECT_LE(c->sizeHint().width(), c->width()) << c->objectName().toStdString();
        w.lblSidebar->setText(QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 999 ) คน"));
        EXPECT_LE(w.lblSidebar->sizeHint().width(), w.lblSidebar->width());
        // The grid's columns fit its width without a scroll bar.
        int columns = 0;
        for (int c = 0; c <= 8; ++c)
            columns += w.fpSpread1->isColumnHidden(c) ? 0 : w.fpSpread1->columnWidth(c);
        EXPECT_LE(columns, w.fpSpread1->viewport()->width());
        for (QWidget *c : QList<QWidget *> {
                 w.txtUserID, w.txtPassword, w.Text1, w.fpSpread1, w.kasmoButton1, w.kasmoButton3 })
            EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
        EXPECT_FALSE(w.lblSidebar->accessibleDescription().isEmpty());

        w.lblSidebar->setText(QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 3 ) คน"));
        clickRow(w.fpSpread1, 2);
        saveScreenshot(w.grab(), QStringLiteral("adduser-view.png"));
        click(w.kasmoButton2);
        saveScreenshot(w.grab(), QStringLiteral("adduser-edit.png"));
        boxes.answer(MsgResult::Cancel);
        click(w.kasmoButton4);
        click(w.kasmoButton1);
        saveScreenshot(w.grab(), QStringLiteral("adduser-create.png"));
    });
}

// ---------------------------------------------------------------------------------------------
// The whole road: the settings window's button opens the user window; a user created there
// signs in at the next start through the sign-in window and gets the tabs its rights allow.

TEST_F(UserWindow, CreatedUserSignsInAtTheNextStartWithItsRights)
{
    QTemporaryDir lockDir;
    InstanceLock::setProgramLockPath(lockDir.path() + QStringLiteral("/kasmo.lock"));
    registerAppWindows();
    sql(QStringLiteral("UPDATE tblNumber SET numA = 0 WHERE nPK = 4"));

    inWindow([&](SettingsWindow &s) {
        dialogs.then([&](QDialog *d) {
            auto *w = qobject_cast<UserAccountsWindow *>(d);
            ASSERT_NE(w, nullptr);
            click(w->kasmoButton1);
            type(w->txtUserID, QStringLiteral("clerk"));
            type(w->txtPassword, QStringLiteral("pass9"));
            type(w->Text1, QStringLiteral("พนักงานขาย"));
            tick(w->Check2); // selling
            tick(w->Check4); // summary
            boxes.answer(MsgResult::Ok);
            click(w->kasmoButton5);
            tick(w->Check1); // sign-in from the next start
        });
        click(s.kasmoButton7);
    });
    EXPECT_EQ(dialogs.opened,
        (QList<QString> {
            QStringLiteral("SettingsWindow"), QStringLiteral("UserAccountsWindow") }));
    EXPECT_EQ(counterRow(4), QStringLiteral("1/00"));
    const QString stored = storedPassword(2);
    EXPECT_TRUE(stored.startsWith(QStringLiteral("pbkdf2$")));
    EXPECT_FALSE(stored.contains(QStringLiteral("pass9"), Qt::CaseInsensitive));

    // The next start, once with the password typed (the filter raises it) and once with it
    // pasted in lower case.
    struct Start
    {
        const char *how;
        std::function<void(SignInWindow *)> enterPassword;
    };
    const Start starts[] = {
        { "typed",
            [](SignInWindow *l) {
                control<QLineEdit>(l, "passwordBox")->setFocus();
                QTest::keyClicks(control<QLineEdit>(l, "passwordBox"), QStringLiteral("pAsS9"));
                EXPECT_EQ(control<QLineEdit>(l, "passwordBox")->text(), QStringLiteral("PASS9"));
            } },
        { "lower case",
            [](SignInWindow *l) {
                control<QLineEdit>(l, "passwordBox")->setText(QStringLiteral("pass9"));
            } },
    };
    for (const Start &st : starts) {
        SCOPED_TRACE(st.how);
        ShopDatabase::close();
        Module1::resetState();
        SignedInUser::reset();
        boxes.clear();
        SignInWindow *login = SignInWindow::start();
        ASSERT_NE(login, nullptr);
        login->activateWindow();
        QApplication::setActiveWindow(login);
        control<QLineEdit>(login, "userNameBox")->setFocus();
        QTest::keyClicks(control<QLineEdit>(login, "userNameBox"), QStringLiteral("Clerk"));
        QTest::keyClick(control<QLineEdit>(login, "userNameBox"), Qt::Key_Return);
        st.enterPassword(login);
        control<QLineEdit>(login, "passwordBox")->setFocus();
        QTest::keyClick(control<QLineEdit>(login, "passwordBox"), Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(
            boxes.last().text, Msg::welcome(QStringLiteral("CLERK"), QStringLiteral("พนักงานขาย")));
        EXPECT_EQ(SignedInUser::signInOn, 1);
        EXPECT_EQ(SignedInUser::key, 2);
        MainFrame *frame = MainFrame::existing();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(control(frame, "saleTab")->isEnabled()); // selling
        EXPECT_FALSE(control(frame, "stockTab")->isEnabled()); // stock
        EXPECT_TRUE(control(frame, "summaryTab")->isEnabled()); // summary
        EXPECT_FALSE(control(frame, "settingsTab")->isEnabled()); // settings
        EXPECT_FALSE(SignedInUser::mayViewHistory); // history

        // The frame takes its pages with it.
        deleteLoadedWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    InstanceLock::program().unlock();
}

} // namespace

// Pasted and dropped text meets the same filter as typed keys: a Thai name is refused once with
// the filter's message and leaves the box as it was; a name the filter takes goes in raised.
// Ctrl+V is a key the name box refuses itself, whatever the clipboard holds.
TEST_F(UserWindow, PastedAndDroppedNamesMeetTheKeyFilter)
{
    const qint64 users = db().scalar(QStringLiteral("SELECT count(*) FROM tblUser")).toLongLong();
    struct Case
    {
        const char *how;
        std::function<void(QLineEdit *)> put;
        const char *afterGoodText;
    };
    const Case cases[] = {
        { "Ctrl+V", [](QLineEdit *b) { QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier); },
            "AB" },
        { "Shift+Insert",
            [](QLineEdit *b) { QTest::keyClick(b, Qt::Key_Insert, Qt::ShiftModifier); }, "ABC-1" },
        { "drop", [&](QLineEdit *b) { dropText(b, QGuiApplication::clipboard()->text()); },
            "ABC-1" },
    };
    inUsers([&](UserAccountsWindow &w) {
        click(w.kasmoButton1);
        for (const Case &c : cases) {
            SCOPED_TRACE(c.how);
            w.txtUserID->setText(QStringLiteral("AB"));
            w.txtUserID->setFocus();
            w.txtUserID->end(false);
            boxes.clear();
            QGuiApplication::clipboard()->setText(QStringLiteral("สมชาย"));
            c.put(w.txtUserID);
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().text, Msg::CodeCharOnly);
            EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
            EXPECT_EQ(w.txtUserID->text(), QStringLiteral("AB"));

            boxes.clear();
            QGuiApplication::clipboard()->setText(QStringLiteral("c-1"));
            c.put(w.txtUserID);
            const QString after = QString::fromLatin1(c.afterGoodText);
            EXPECT_EQ(boxes.count(), after == QLatin1String("AB") ? 1 : 0);
            EXPECT_EQ(w.txtUserID->text(), after);
        }
        // A name pasted into the password box is judged by that box's filter too.
        boxes.clear();
        w.txtPassword->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("รหัส"));
        w.txtPassword->setFocus();
        QTest::keyClick(w.txtPassword, Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(boxes.count(), 1);
        EXPECT_EQ(w.txtPassword->text(), QString());
    });
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM tblUser")).toLongLong(), users);
}
