// The user window, driven by keys and clicks with scripted message boxes: its three modes, the
// tests before a user is stored, which row edit and delete act on, the grid, the sign-in switch
// written on every close, and a created user signing in at the next start.
#include "settings/UserAccountsWindow.h"
#include "AppWindows.h"
#include "SettingsFixture.h"
#include "platform/db/Connection.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/MessageBox.h"
#include "shell/MainFrame.h"
#include "shell/Messages.h"
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
    for (QCheckBox *c : { in<QCheckBox>(w, "sellingCheck"), in<QCheckBox>(w, "stockCheck"),
             in<QCheckBox>(w, "summaryCheck"), in<QCheckBox>(w, "settingsCheck"),
             in<QCheckBox>(w, "historyCheck") })
        rights += on(c);
    return std::string("name:") + on(in<QLineEdit>(w, "userNameBox")) + " pass:"
        + on(in<QLineEdit>(w, "passwordBox")) + " pos:" + on(in<QLineEdit>(w, "positionBox"))
        + " rights:" + rights + " create:" + on(in<KasmoButton>(w, "createButton"))
        + " confirmCreate:" + on(in<KasmoButton>(w, "confirmCreateButton"))
        + " cancel:" + on(in<KasmoButton>(w, "cancelCreateButton"))
        + " edit:" + on(in<KasmoButton>(w, "editButton"))
        + " confirmEdit:" + on(in<KasmoButton>(w, "confirmEditButton")) + " delete:"
        + on(in<KasmoButton>(w, "deleteButton")) + " grid:" + on(in<DataGrid>(w, "userGrid"))
        + " switch:" + on(in<QCheckBox>(w, "signInCheck"));
}

QString ticks(UserAccountsWindow &w)
{
    QString out;
    for (QCheckBox *c : { in<QCheckBox>(w, "sellingCheck"), in<QCheckBox>(w, "stockCheck"),
             in<QCheckBox>(w, "summaryCheck"), in<QCheckBox>(w, "settingsCheck"),
             in<QCheckBox>(w, "historyCheck") })
        out += c->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

QString confirmation(const QString &lead, const QString &name, const QString &position)
{
    return lead + QStringLiteral("\n\nผู้ใช้ : [ ") + name + QStringLiteral(" ] ตำแหน่ง : [ ")
        + position + QStringLiteral(" ]");
}

class UserWindow : public SettingsFixture
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
    int userKey(const QString &uid)
    {
        return db()
            .scalar(QStringLiteral("SELECT PK FROM tblUser WHERE UID = ?1"), { uid })
            .toInt();
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
            { "create", [&] { click(in<KasmoButton>(w, "createButton")); }, CreateMode, QString(),
                in<QLineEdit>(w, "userNameBox") },
            { "refused create", [&] { click(in<KasmoButton>(w, "confirmCreateButton")); },
                CreateMode, QString(), in<QLineEdit>(w, "userNameBox") },
            { "cancel create", [&] { click(in<KasmoButton>(w, "cancelCreateButton")); }, ViewMode,
                QString(), nullptr },
            { "edit without a user", [&] { click(in<KasmoButton>(w, "editButton")); }, ViewMode,
                QString(), nullptr },
            { "row click", [&] { clickRow(in<DataGrid>(w, "userGrid"), 1); }, ViewMode,
                QStringLiteral("CASHIER"), nullptr },
            { "edit", [&] { click(in<KasmoButton>(w, "editButton")); }, EditMode,
                QStringLiteral("CASHIER"), in<QLineEdit>(w, "passwordBox") },
            { "refused password",
                [&] {
                    type(in<QLineEdit>(w, "passwordBox"), QStringLiteral("ab"));
                    click(in<KasmoButton>(w, "confirmEditButton"));
                },
                EditMode, QStringLiteral("CASHIER"), in<QLineEdit>(w, "passwordBox") },
            { "cancel at the confirmation",
                [&] {
                    erase(in<QLineEdit>(w, "passwordBox"));
                    boxes.answer(MsgResult::Cancel);
                    click(in<KasmoButton>(w, "confirmEditButton"));
                },
                ViewMode, QString(), nullptr },
            { "edit again",
                [&] {
                    clickRow(in<DataGrid>(w, "userGrid"), 1);
                    click(in<KasmoButton>(w, "editButton"));
                },
                EditMode, QStringLiteral("CASHIER"), in<QLineEdit>(w, "passwordBox") },
            { "stored edit",
                [&] {
                    boxes.answer(MsgResult::Ok);
                    click(in<KasmoButton>(w, "confirmEditButton"));
                },
                ViewMode, QStringLiteral("CASHIER"), nullptr },
            { "create from a picked user", [&] { click(in<KasmoButton>(w, "createButton")); },
                CreateMode, QString(), in<QLineEdit>(w, "userNameBox") },
            { "cancel at the create confirmation",
                [&] {
                    type(in<QLineEdit>(w, "userNameBox"), QStringLiteral("NEW1"));
                    type(in<QLineEdit>(w, "passwordBox"), QStringLiteral("PW34"));
                    boxes.answer(MsgResult::Cancel);
                    click(in<KasmoButton>(w, "confirmCreateButton"));
                },
                CreateMode, QStringLiteral("NEW1"), nullptr },
            { "stored create",
                [&] {
                    boxes.answer(MsgResult::Ok);
                    click(in<KasmoButton>(w, "confirmCreateButton"));
                },
                ViewMode, QString(), nullptr },
        };
        for (const Step &s : steps) {
            SCOPED_TRACE(s.what);
            s.act();
            EXPECT_EQ(controls(w), s.mode);
            EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), s.nameBox);
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
        const char *focus;
    };
    const QString taken = QStringLiteral("ไม่สามารถเพิ่มผู้ใช้ [ %1 ] เนื่องจากมี ชื่อนี้อยู่แล้ว ....");
    const Case cases[] = {
        { "", "WXYZ", NameTooShort, "userNameBox" },
        { "ABC", "WXYZ", NameTooShort, "userNameBox" },
        { "ABCD", "", PasswordTooShort, "passwordBox" },
        { "ABCD", "WXY", PasswordTooShort, "passwordBox" },
        { "admin", "WXYZ", taken.arg(QStringLiteral("ADMIN")), "userNameBox" },
        { "HIDDEN", "WXYZ", taken.arg(QStringLiteral("HIDDEN")), "userNameBox" },
        { "ABCD", "wxyz", QString(), nullptr },
        { "abcd", "WXYZ", taken.arg(QStringLiteral("ABCD")), "userNameBox" },
        // "_" is a character like any other, not a wildcard.
        { "ABCD_1", "PASS-1/2", QString(), nullptr },
    };
    inUsers([&](UserAccountsWindow &w) {
        int expectedKey = 8;
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(c.name) + "/" + c.password);
            boxes.clear();
            click(in<KasmoButton>(w, "createButton"));
            type(in<QLineEdit>(w, "userNameBox"), QString::fromLatin1(c.name));
            type(in<QLineEdit>(w, "passwordBox"), QString::fromLatin1(c.password));
            type(in<QLineEdit>(w, "positionBox"), QStringLiteral(" พนักงาน "));
            const qint64 before = count("tblUser");
            if (!c.refusal.isEmpty()) {
                click(in<KasmoButton>(w, "confirmCreateButton"));
                ASSERT_EQ(boxes.count(), 1);
                EXPECT_EQ(boxes.last().text, c.refusal);
                EXPECT_EQ(boxes.last().title, StatusTitle);
                EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
                EXPECT_EQ(boxes.last().buttons, MsgButtons::Ok);
                EXPECT_EQ(focus(), in<QLineEdit>(w, c.focus));
                EXPECT_EQ(controls(w), CreateMode);
                EXPECT_EQ(count("tblUser"), before);
                click(in<KasmoButton>(w, "cancelCreateButton"));
                continue;
            }
            const QString name = QString::fromLatin1(c.name);
            boxes.answer(MsgResult::Ok);
            click(in<KasmoButton>(w, "confirmCreateButton"));
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
            EXPECT_EQ(userKey(name), expectedKey);
            EXPECT_EQ(userRow(expectedKey), name + QStringLiteral("|พนักงาน|00000"));
            // Stored as a salted hash of the password, which matches in any letter case.
            const QString hash = storedPassword(expectedKey);
            EXPECT_TRUE(hash.startsWith(QStringLiteral("pbkdf2$100000$"))) << hash.toStdString();
            EXPECT_FALSE(hash.contains(QString::fromLatin1(c.password), Qt::CaseInsensitive));
            EXPECT_TRUE(PasswordHash::verify(QString::fromLatin1(c.password).toLower(), hash));
            EXPECT_EQ(controls(w), ViewMode);
            EXPECT_EQ(in<DataGrid>(w, "userGrid")->getText(1, 1), QLatin1Char(' ') + name);
            ++expectedKey;
        }
        EXPECT_EQ(
            in<QLabel>(w, "userCountLabel")->text(), QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 4 ) คน"));
    });
}

TEST_F(UserWindow, CreateAfterClickingAUserKeepsTheTicksShown)
{
    addUser(2, QStringLiteral("CASHIER"), QStringLiteral("pw12"), QString(), "10101");
    inUsers([&](UserAccountsWindow &w) {
        clickRow(in<DataGrid>(w, "userGrid"), 1);
        EXPECT_EQ(ticks(w), QStringLiteral("10101"));
        click(in<KasmoButton>(w, "createButton"));
        EXPECT_EQ(ticks(w), QStringLiteral("10101"));
        tick(in<QCheckBox>(w, "stockCheck"));
        type(in<QLineEdit>(w, "userNameBox"), QStringLiteral("CLERK"));
        type(in<QLineEdit>(w, "passwordBox"), QStringLiteral("PW34"));
        boxes.answer(MsgResult::Ok);
        click(in<KasmoButton>(w, "confirmCreateButton"));
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
        clickRow(in<DataGrid>(w, "userGrid"), 2);
        click(in<KasmoButton>(w, "editButton"));
        EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QStringLiteral("ANNA"));
        clickRow(in<DataGrid>(w, "userGrid"), 1); // the grid stays open: now BOBBY is edited
        EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QStringLiteral("BOBBY"));
        EXPECT_EQ(in<QLineEdit>(w, "passwordBox")->text(), QString()); // never shown
        EXPECT_EQ(controls(w), EditMode);
        tick(in<QCheckBox>(w, "historyCheck"));
        type(in<QLineEdit>(w, "positionBox"), QStringLiteral(" หัวหน้า"));
        boxes.answer(MsgResult::Ok);
        click(in<KasmoButton>(w, "confirmEditButton"));
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
        EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QStringLiteral("BOBBY"));
        EXPECT_EQ(in<DataGrid>(w, "userGrid")->currentIndex().row(), 0);
        EXPECT_TRUE(in<DataGrid>(w, "userGrid")->selectionModel()->isRowSelected(0, {}));
        EXPECT_EQ(in<DataGrid>(w, "userGrid")->getText(8, 1), UserAccountsWindow::Allowed);

        // A new password of four characters replaces the hash; three are refused.
        boxes.clear();
        click(in<KasmoButton>(w, "editButton"));
        type(in<QLineEdit>(w, "passwordBox"), QStringLiteral("new"));
        click(in<KasmoButton>(w, "confirmEditButton"));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, EditPasswordTooShort);
        EXPECT_EQ(boxes.last().title, StatusTitle);
        EXPECT_EQ(focus(), in<QLineEdit>(w, "passwordBox"));
        type(in<QLineEdit>(w, "passwordBox"), QStringLiteral("4"));
        boxes.answer(MsgResult::Ok);
        click(in<KasmoButton>(w, "confirmEditButton"));
        EXPECT_NE(storedPassword(3), bobbyHash);
        EXPECT_TRUE(PasswordHash::verify(QStringLiteral("new4"), storedPassword(3)));

        // After a stored edit, delete takes the user still shown.
        boxes.clear();
        boxes.answer(MsgResult::Ok);
        click(in<KasmoButton>(w, "deleteButton"));
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
        { "right click",
            [](UserAccountsWindow &w) {
                clickRow(in<DataGrid>(w, "userGrid"), 2, Qt::RightButton);
            },
            3, QStringLiteral("BOBBY"), QStringLiteral("คลัง") },
        { "arrow key",
            [](UserAccountsWindow &w) {
                in<DataGrid>(w, "userGrid")->setFocus();
                QTest::keyClick(in<DataGrid>(w, "userGrid"), Qt::Key_Down);
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
            clickRow(in<DataGrid>(w, "userGrid"), 1);
            c.move(w);
            // Cancel deletes nothing.
            boxes.answer(MsgResult::Cancel);
            click(in<KasmoButton>(w, "deleteButton"));
            EXPECT_EQ(count("tblUser"), 4);
            boxes.answer(MsgResult::Ok);
            click(in<KasmoButton>(w, "deleteButton"));
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
            EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QString());
            EXPECT_FALSE(in<DataGrid>(w, "userGrid")->selectionModel()->hasSelection());
            EXPECT_EQ(
                in<QLabel>(w, "userCountLabel")->text(), QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 3 ) คน"));
            // With the boxes empty, edit and delete ask for a user.
            boxes.clear();
            click(in<KasmoButton>(w, "editButton"));
            click(in<KasmoButton>(w, "deleteButton"));
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
        clickRow(in<DataGrid>(w, "userGrid"), 1);
        EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QStringLiteral("BOSS"));
        boxes.answer(MsgResult::Ok); // would confirm, but no confirmation is asked
        click(in<KasmoButton>(w, "deleteButton"));
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
        DataGrid *g = in<DataGrid>(w, "userGrid");
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
        EXPECT_EQ(
            in<QLabel>(w, "userCountLabel")->text(), QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 3 ) คน"));

        // A click copies the user, trimmed, and its rights; the password box stays empty.
        clickRow(g, 2);
        EXPECT_EQ(g->getText(0, g->activeRow()), QStringLiteral("2"));
        EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QStringLiteral("ANNA"));
        EXPECT_EQ(in<QLineEdit>(w, "passwordBox")->text(), QString());
        EXPECT_EQ(in<QLineEdit>(w, "positionBox")->text(), QStringLiteral("ขาย"));
        EXPECT_EQ(ticks(w), QStringLiteral("10100"));
        EXPECT_EQ(controls(w), ViewMode);
    });
}

TEST_F(UserWindow, EmptyTableStillCreatesTheFirstUserWithKeyOne)
{
    sql(QStringLiteral("DELETE FROM tblUser"));
    inUsers([&](UserAccountsWindow &w) {
        EXPECT_EQ(in<DataGrid>(w, "userGrid")->maxRows(), 0);
        EXPECT_EQ(
            in<QLabel>(w, "userCountLabel")->text(), QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 0 ) คน"));
        QTest::mouseClick(in<DataGrid>(w, "userGrid")->viewport(), Qt::LeftButton);
        click(in<KasmoButton>(w, "editButton"));
        click(in<KasmoButton>(w, "deleteButton"));
        EXPECT_EQ(boxes.count(), 0);
        EXPECT_EQ(controls(w), ViewMode);
        click(in<KasmoButton>(w, "createButton"));
        type(in<QLineEdit>(w, "userNameBox"), QStringLiteral("OWNER"));
        type(in<QLineEdit>(w, "passwordBox"), QStringLiteral("PW34"));
        tick(in<QCheckBox>(w, "sellingCheck"));
        boxes.answer(MsgResult::Ok);
        click(in<KasmoButton>(w, "confirmCreateButton"));
        EXPECT_EQ(userKey(QStringLiteral("OWNER")), 1);
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
            [](UserAccountsWindow &w) {
                EXPECT_TRUE(in<QCheckBox>(w, "signInCheck")->isChecked());
            },
            {}, QStringLiteral("1/00") },
        { "ticked, closed by Esc", "0/00",
            [](UserAccountsWindow &w) { tick(in<QCheckBox>(w, "signInCheck")); },
            [](UserAccountsWindow &w) { QTest::keyClick(&w, Qt::Key_Escape); },
            QStringLiteral("1/00") },
        { "unticked in create mode with typed text", "1/00",
            [](UserAccountsWindow &w) {
                click(in<KasmoButton>(w, "createButton"));
                type(in<QLineEdit>(w, "userNameBox"), QStringLiteral("DROPPED"));
                tick(in<QCheckBox>(w, "signInCheck"));
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
        click(in<KasmoButton>(w, "createButton"));
        EXPECT_EQ(layout.activations, QStringList { QStringLiteral("us") });

        QTest::keyClicks(in<QLineEdit>(w, "userNameBox"), QStringLiteral("ab-_/9"));
        EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QStringLiteral("AB-_/9"));
        EXPECT_EQ(boxes.count(), 0);
        QTest::keyClicks(in<QLineEdit>(w, "userNameBox"), QStringLiteral(" "));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, Msg::CodeCharOnly);
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
        EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QStringLiteral("AB-_/9"));

        layout.current = QStringLiteral("th");
        QTest::keyClick(in<QLineEdit>(w, "userNameBox"), Qt::Key_Return);
        EXPECT_EQ(focus(), in<QLineEdit>(w, "passwordBox"));
        EXPECT_EQ(layout.activations.size(), 2);
        QTest::keyClicks(in<QLineEdit>(w, "passwordBox"), QStringLiteral("pw"));
        EXPECT_EQ(in<QLineEdit>(w, "passwordBox")->text(), QStringLiteral("PW"));
        QTest::keyClick(in<QLineEdit>(w, "passwordBox"), Qt::Key_Return);
        EXPECT_EQ(focus(), in<QLineEdit>(w, "positionBox"));
        EXPECT_EQ(in<QLineEdit>(w, "passwordBox")->echoMode(), QLineEdit::Normal); // typed in clear
        // The position box takes any key and leaves the layout alone.
        layout.current = QStringLiteral("th");
        type(in<QLineEdit>(w, "positionBox"), QStringLiteral("a ข"));
        EXPECT_EQ(in<QLineEdit>(w, "positionBox")->text(), QStringLiteral("a ข"));
        QTest::keyClick(in<QLineEdit>(w, "positionBox"), Qt::Key_Return);
        EXPECT_EQ(focus(), in<QLineEdit>(w, "positionBox"));
        EXPECT_EQ(layout.activations.size(), 2);
        EXPECT_EQ(boxes.count(), 1);

        for (QLineEdit *box : { in<QLineEdit>(w, "userNameBox"), in<QLineEdit>(w, "passwordBox"),
                 in<QLineEdit>(w, "positionBox") }) {
            boxes.clear();
            QTest::mouseClick(box, Qt::RightButton);
            ASSERT_EQ(boxes.count(), 1) << box->objectName().toStdString();
            EXPECT_EQ(boxes.last().text, QStringLiteral("ห้ามคลิกขวาในช่องนี้ !!"));
            EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
            EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        }
        for (QLineEdit *box : { in<QLineEdit>(w, "userNameBox"), in<QLineEdit>(w, "passwordBox"),
                 in<QLineEdit>(w, "positionBox") })
            EXPECT_EQ(box->maxLength(), 38);
    });
}

TEST_F(UserWindow, FailedCreateShowsTheErrorStoresNothingAndStaysInCreateMode)
{
    inUsers([&](UserAccountsWindow &w) {
        click(in<KasmoButton>(w, "createButton"));
        type(in<QLineEdit>(w, "userNameBox"), QStringLiteral("CLERK"));
        type(in<QLineEdit>(w, "passwordBox"), QStringLiteral("PW34"));
        Connection::setStatementHook([](const QString &s) {
            if (s.startsWith(QStringLiteral("INSERT INTO tblUser")))
                throw DbError(QStringLiteral("disk I/O error"));
        });
        boxes.answer(MsgResult::Ok);
        click(in<KasmoButton>(w, "confirmCreateButton"));
        Connection::setStatementHook({});
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
        EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("disk I/O error")));
        EXPECT_EQ(controls(w), CreateMode);
        EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QStringLiteral("CLERK"));
        EXPECT_EQ(in<DataGrid>(w, "userGrid")->maxRows(), 1);
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
        EXPECT_EQ(in<QLabel>(w, "noteLabel")->text(),
            QStringLiteral("[ การเพิ่มผู้ใช้ และ การแก้ไข จะมีผลเมื่อปิดแล้วเปิดโปรแกรมใหม่ ]"));
        EXPECT_EQ(in<QCheckBox>(w, "signInCheck")->text(), QStringLiteral(" เปิด / ปิด (ระบบล็อคอิน)"));
        const QStringList captions = { QStringLiteral(" เข้าถึงหน้าขายสินค้า"),
            QStringLiteral(" เข้าถึงหน้าคลังสินค้า"), QStringLiteral(" เข้าถึงหน้าสรุปยอดการขาย"),
            QStringLiteral(" เข้าถึงหน้าตั้งค่า"), QStringLiteral(" เข้าถึงหน้าข้อมูลย้อนหลัง") };
        const QList<QCheckBox *> rights = { in<QCheckBox>(w, "sellingCheck"),
            in<QCheckBox>(w, "stockCheck"), in<QCheckBox>(w, "summaryCheck"),
            in<QCheckBox>(w, "settingsCheck"), in<QCheckBox>(w, "historyCheck") };
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(rights[i]->text(), captions[i]);
        const QStringList buttonCaptions
            = { QStringLiteral("&สร้างผู้ใช้ใหม่"), QStringLiteral("&ยืนยันการสร้างผู้ใช้"),
                  QStringLiteral("&ยกเลิกการสร้าง"), QStringLiteral("&แก้ไขข้อมูลผู้ใช้นี้"),
                  QStringLiteral("&ยืนยันการแก้ไขข้อมูล"), QStringLiteral("&ลบผู้ใช้งานนี้") };
        const QList<KasmoButton *> buttons
            = { in<KasmoButton>(w, "createButton"), in<KasmoButton>(w, "confirmCreateButton"),
                  in<KasmoButton>(w, "cancelCreateButton"), in<KasmoButton>(w, "editButton"),
                  in<KasmoButton>(w, "confirmEditButton"), in<KasmoButton>(w, "deleteButton") };
        for (int i = 0; i < buttons.size(); ++i)
            EXPECT_EQ(buttons[i]->Caption(), buttonCaptions[i]);

        // Designed covers: confirm-create and cancel over create, confirm-edit over edit.
        auto covers = [&](QWidget *a, QWidget *b) {
            auto pair = [](QWidget *x, QWidget *y, QWidget *p, QWidget *q) {
                return (x == p && y == q) || (x == q && y == p);
            };
            return pair(a, b, in<KasmoButton>(w, "confirmCreateButton"),
                       in<KasmoButton>(w, "createButton"))
                || pair(a, b, in<KasmoButton>(w, "cancelCreateButton"),
                    in<KasmoButton>(w, "createButton"))
                || pair(a, b, in<KasmoButton>(w, "confirmEditButton"),
                    in<KasmoButton>(w, "editButton"));
        };
        EXPECT_EQ(in<KasmoButton>(w, "confirmEditButton")->geometry(),
            in<KasmoButton>(w, "editButton")->geometry());
        EXPECT_EQ(in<KasmoButton>(w, "confirmCreateButton")
                      ->geometry()
                      .united(in<KasmoButton>(w, "cancelCreateButton")->geometry()),
            in<KasmoButton>(w, "createButton")->geometry());
        QList<QWidget *> controls = { in<QLabel>(w, "userCountLabel"), in<QLabel>(w, "noteLabel"),
            in<QCheckBox>(w, "signInCheck"), in<QLineEdit>(w, "userNameBox"),
            in<QLineEdit>(w, "passwordBox"), in<QLineEdit>(w, "positionBox"),
            in<DataGrid>(w, "userGrid") };
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
        for (QWidget *c : QList<QWidget *> { in<QCheckBox>(w, "signInCheck"),
                 in<QLabel>(w, "noteLabel"), in<QCheckBox>(w, "sellingCheck"),
                 in<QCheckBox>(w, "stockCheck"), in<QCheckBox>(w, "summaryCheck"),
                 in<QCheckBox>(w, "settingsCheck"), in<QCheckBox>(w, "historyCheck") })
            EXPECT_LE(c->sizeHint().width(), c->width()) << c->objectName().toStdString();
        in<QLabel>(w, "userCountLabel")->setText(QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 999 ) คน"));
        EXPECT_LE(in<QLabel>(w, "userCountLabel")->sizeHint().width(),
            in<QLabel>(w, "userCountLabel")->width());
        // The grid's columns fit its width without a scroll bar.
        int columns = 0;
        for (int c = 0; c <= 8; ++c)
            columns += in<DataGrid>(w, "userGrid")->isColumnHidden(c)
                ? 0
                : in<DataGrid>(w, "userGrid")->columnWidth(c);
        EXPECT_LE(columns, in<DataGrid>(w, "userGrid")->viewport()->width());
        for (QWidget *c :
            QList<QWidget *> { in<QLineEdit>(w, "userNameBox"), in<QLineEdit>(w, "passwordBox"),
                in<QLineEdit>(w, "positionBox"), in<DataGrid>(w, "userGrid"),
                in<KasmoButton>(w, "createButton"), in<KasmoButton>(w, "deleteButton") })
            EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString();
        EXPECT_FALSE(in<QLabel>(w, "userCountLabel")->accessibleDescription().isEmpty());

        in<QLabel>(w, "userCountLabel")->setText(QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( 3 ) คน"));
        clickRow(in<DataGrid>(w, "userGrid"), 2);
        saveScreenshot(w.grab(), QStringLiteral("adduser-view.png"));
        click(in<KasmoButton>(w, "editButton"));
        saveScreenshot(w.grab(), QStringLiteral("adduser-edit.png"));
        boxes.answer(MsgResult::Cancel);
        click(in<KasmoButton>(w, "confirmEditButton"));
        click(in<KasmoButton>(w, "createButton"));
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
            click(in<KasmoButton>(*w, "createButton"));
            type(in<QLineEdit>(*w, "userNameBox"), QStringLiteral("clerk"));
            type(in<QLineEdit>(*w, "passwordBox"), QStringLiteral("pass9"));
            type(in<QLineEdit>(*w, "positionBox"), QStringLiteral("พนักงานขาย"));
            tick(in<QCheckBox>(*w, "sellingCheck")); // selling
            tick(in<QCheckBox>(*w, "summaryCheck")); // summary
            boxes.answer(MsgResult::Ok);
            click(in<KasmoButton>(*w, "confirmCreateButton"));
            tick(in<QCheckBox>(*w, "signInCheck")); // sign-in from the next start
        });
        click(in<KasmoButton>(s, "userAccountsButton"));
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
        click(in<KasmoButton>(w, "createButton"));
        for (const Case &c : cases) {
            SCOPED_TRACE(c.how);
            in<QLineEdit>(w, "userNameBox")->setText(QStringLiteral("AB"));
            in<QLineEdit>(w, "userNameBox")->setFocus();
            in<QLineEdit>(w, "userNameBox")->end(false);
            boxes.clear();
            QGuiApplication::clipboard()->setText(QStringLiteral("สมชาย"));
            c.put(in<QLineEdit>(w, "userNameBox"));
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().text, Msg::CodeCharOnly);
            EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
            EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), QStringLiteral("AB"));

            boxes.clear();
            QGuiApplication::clipboard()->setText(QStringLiteral("c-1"));
            c.put(in<QLineEdit>(w, "userNameBox"));
            const QString after = QString::fromLatin1(c.afterGoodText);
            EXPECT_EQ(boxes.count(), after == QLatin1String("AB") ? 1 : 0);
            EXPECT_EQ(in<QLineEdit>(w, "userNameBox")->text(), after);
        }
        // A name pasted into the password box is judged by that box's filter too.
        boxes.clear();
        in<QLineEdit>(w, "passwordBox")->clear();
        QGuiApplication::clipboard()->setText(QStringLiteral("รหัส"));
        in<QLineEdit>(w, "passwordBox")->setFocus();
        QTest::keyClick(in<QLineEdit>(w, "passwordBox"), Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(boxes.count(), 1);
        EXPECT_EQ(in<QLineEdit>(w, "passwordBox")->text(), QString());
    });
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT count(*) FROM tblUser")).toLongLong(), users);
}
