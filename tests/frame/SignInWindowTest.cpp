#include "FrameFixture.h"
#include "button/KasmoButton.h"
#include "platform/ui/ProgramFolder.h"
#include "shell/MainFrame.h"
#include "shell/Messages.h"
#include "shell/PasswordHash.h"
#include "shell/ProgramEnd.h"
#include "shell/ShopDatabase.h"
#include "shell/StartPage.h"
#include "support/FindControl.h"
#include "support/ThaiText.h"
#include <QAccessible>
#include <QLineEdit>
#include <QProcess>
#include <QStyle>
#include <QTest>

namespace {

// Counts the times a window of a class is shown.
class ShowWatch : public QObject
{
public:
    explicit ShowWatch(const char *className)
        : m_class(className)
    {
        qApp->installEventFilter(this);
    }
    ~ShowWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Show && o->isWidgetType()
            && qstrcmp(o->metaObject()->className(), m_class) == 0)
            ++shows;
        return false;
    }
    int shows = 0;

private:
    const char *m_class;
};

void activate(QWidget *w)
{
    w->activateWindow();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

} // namespace

class SignInWindowTest : public FrameFixture
{
protected:
    // Starts with sign-in on; the window waits, active, focus in the name box.
    SignInWindow *startSignIn()
    {
        setSignIn(1);
        SignInWindow *w = SignInWindow::start();
        EXPECT_NE(w, nullptr);
        if (w)
            activate(w);
        return w;
    }

    static QLineEdit *userNameBox(SignInWindow *w) { return control<QLineEdit>(w, "userNameBox"); }
    static QLineEdit *passwordBox(SignInWindow *w) { return control<QLineEdit>(w, "passwordBox"); }
    static void signIn(SignInWindow *w)
    {
        QTest::mouseClick(control(w, "signInButton"), Qt::LeftButton);
    }

    void type(QLineEdit *box, const char *text)
    {
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(text));
    }
};

TEST_F(SignInWindowTest, SwitchOffOpensTheFrameAtOnceAsAdmin)
{
    ShowWatch loginShows("SignInWindow");
    EXPECT_EQ(SignInWindow::start(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(loginShows.shows, 0);
    EXPECT_EQ(WindowRegistry::find<SignInWindow>(), nullptr);
    MainFrame *frame = MainFrame::existing();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(SignedInUser::signInOn, 0);
    EXPECT_EQ(SignedInUser::name, QStringLiteral("Admin"));
    EXPECT_EQ(SignedInUser::position, QStringLiteral("ผู้ดูแลระบบ"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vantrel POS - 2.5"));
    for (const char *tab : { "saleTab", "stockTab", "summaryTab", "settingsTab" })
        EXPECT_TRUE(control(frame, tab)->isEnabled()) << tab;
    EXPECT_NE(WindowRegistry::find<StartPage>(), nullptr);
    EXPECT_EQ(frame->activePage(), WindowRegistry::find<StartPage>());
    EXPECT_EQ(MainFrame::openPageName(), QString());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_TRUE(ShopDatabase::connection().isOpen());
}

TEST_F(SignInWindowTest, SwitchOnWaitsWithTheFocusInTheName)
{
    SignInWindow *w = startSignIn();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(MainFrame::existing(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), userNameBox(w));
    EXPECT_EQ(passwordBox(w)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(passwordBox(w)->style()->styleHint(
                  QStyle::SH_LineEdit_PasswordCharacter, nullptr, passwordBox(w)),
        '*');
}

TEST_F(SignInWindowTest, RefusedSignInsSayWhyAndMoveTheFocus)
{
    SignInWindow *w = startSignIn();
    ASSERT_NE(w, nullptr);
    struct Case
    {
        const char *user, *password;
        QString message; // empty: no box
        const char *focus;
    };
    const Case cases[] = {
        { "", "", QString(), "userNameBox" },
        { "", "ADMIN", QString(), "userNameBox" },
        { "ADMIN", "", QString(), "passwordBox" },
        { "NOBODY", "ADMIN", QStringLiteral("คุณระบุ (ชื่อผู้ใช้งานไม่ถูกต้อง) กรุณาลองใหม่อีกครั้ง."),
            "userNameBox" },
        { "ADMIN", "ADMIN1", QStringLiteral("คุณระบุ (รหัสผ่านไม่ถูกต้อง) กรุณาลองใหม่อีกครั้ง."),
            "passwordBox" },
        { "ADMIN", "ADMIN2", QStringLiteral("คุณระบุ (รหัสผ่านไม่ถูกต้อง) กรุณาลองใหม่อีกครั้ง."),
            "passwordBox" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.user) + "/" + c.password);
        boxes.clear();
        userNameBox(w)->setText(QString::fromLatin1(c.user));
        passwordBox(w)->setText(QString::fromLatin1(c.password));
        control(w, "closeProgramButton")->setFocus();
        signIn(w);
        if (c.message.isEmpty()) {
            EXPECT_EQ(boxes.count(), 0);
        } else {
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().text, c.message);
            EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
            EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        }
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.focus));
        // The boxes keep what was typed; no lock-out.
        EXPECT_EQ(userNameBox(w)->text(), QString::fromLatin1(c.user));
        EXPECT_EQ(MainFrame::existing(), nullptr);
    }
    // Blanks only count as empty.
    boxes.clear();
    userNameBox(w)->setText(QStringLiteral("ADMIN"));
    passwordBox(w)->setText(QStringLiteral("   "));
    signIn(w);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), passwordBox(w));
}

TEST_F(SignInWindowTest, NameWithAQuoteMatchesNoAccount)
{
    SignInWindow *w = startSignIn();
    ASSERT_NE(w, nullptr);
    userNameBox(w)->setText(QStringLiteral("A' OR '1'='1"));
    passwordBox(w)->setText(QStringLiteral("X"));
    signIn(w);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, Msg::UnknownUser);
}

TEST_F(SignInWindowTest, TypedSignInIgnoresCaseAndWelcomesTheUser)
{
    SignInWindow *w = startSignIn();
    ASSERT_NE(w, nullptr);
    // Lower case is raised while typing; the stored name is "admin" and the hash was made of
    // "admin": both match whatever the case.
    QTest::keyClicks(userNameBox(w), QStringLiteral("admin"));
    EXPECT_EQ(userNameBox(w)->text(), QStringLiteral("ADMIN"));
    QTest::keyClick(userNameBox(w), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), passwordBox(w));
    QTest::keyClicks(passwordBox(w), QStringLiteral("AdMin"));
    EXPECT_EQ(passwordBox(w)->text(), QStringLiteral("ADMIN"));
    EXPECT_EQ(boxes.count(), 0);
    QTest::keyClick(passwordBox(w), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(
        boxes.last().text, QStringLiteral("เข้าสู่ระบบสำเร็จ คุณคือ : admin\nตำแหน่งของคุณคือ : ผู้ดูแลระบบ"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(boxes.last().icon, MsgIcon::Information);
    EXPECT_EQ(SignedInUser::signInOn, 1);
    EXPECT_EQ(SignedInUser::key, 1);
    EXPECT_EQ(SignedInUser::name, QStringLiteral("admin"));
    EXPECT_TRUE(SignedInUser::maySell && SignedInUser::mayViewHistory);
    EXPECT_EQ(WindowRegistry::find<SignInWindow>(), nullptr);
    MainFrame *frame = MainFrame::existing();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vantrel POS - 2.5 [ ผู้ใช้งานคือ : admin ]"));
    EXPECT_EQ(ended, 0);
}

TEST_F(SignInWindowTest, MissingRightsDisableTheirTabs)
{
    const bool rights[5] = { true, false, true, false, false };
    addUser(2, QStringLiteral("CASHIER"), PasswordHash::make(QStringLiteral("pw1"), 1000),
        QStringLiteral("พนักงานขาย"), rights);
    SignInWindow *w = startSignIn();
    ASSERT_NE(w, nullptr);
    userNameBox(w)->setText(QStringLiteral("cashier"));
    passwordBox(w)->setText(QStringLiteral("PW1"));
    signIn(w);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(
        boxes.last().text, Msg::welcome(QStringLiteral("CASHIER"), QStringLiteral("พนักงานขาย")));
    MainFrame *frame = MainFrame::existing();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(control(frame, "saleTab")->isEnabled());
    EXPECT_FALSE(control(frame, "stockTab")->isEnabled());
    EXPECT_TRUE(control(frame, "summaryTab")->isEnabled());
    EXPECT_FALSE(control(frame, "settingsTab")->isEnabled());
    EXPECT_FALSE(SignedInUser::mayViewHistory);

    // Neither the caption nor the picture of a disabled tab opens it.
    QTest::mouseClick(control(frame, "stockTab"), Qt::LeftButton);
    QTest::mouseClick(control(frame, "stockTabPicture"), Qt::LeftButton);
    QTest::mouseClick(control(frame, "settingsTabPicture"), Qt::LeftButton);
    EXPECT_EQ(MainFrame::openPageName(), QString());
    EXPECT_TRUE(dialogs.opened.isEmpty());
    // An allowed one does, through its picture too.
    QTest::mouseClick(control(frame, "summaryTabPicture"), Qt::LeftButton);
    EXPECT_EQ(MainFrame::openPageName(), QStringLiteral("สรุปยอดการขาย"));
}

TEST_F(SignInWindowTest, ArrowKeysAndEnterMoveBetweenTheBoxes)
{
    SignInWindow *w = startSignIn();
    ASSERT_NE(w, nullptr);
    QTest::keyClick(userNameBox(w), Qt::Key_Return); // both empty: only the focus moves
    EXPECT_EQ(QApplication::focusWidget(), passwordBox(w));
    QTest::keyClick(passwordBox(w), Qt::Key_Down); // nothing special
    EXPECT_EQ(QApplication::focusWidget(), passwordBox(w));
    QTest::keyClick(passwordBox(w), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), userNameBox(w));
    QTest::keyClick(userNameBox(w), Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), userNameBox(w));
    QTest::keyClick(userNameBox(w), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), passwordBox(w));
    QTest::keyClick(passwordBox(w), Qt::Key_Return); // empty name: back to it, no box
    EXPECT_EQ(QApplication::focusWidget(), userNameBox(w));
    EXPECT_EQ(boxes.count(), 0);

    // The focus selects the whole text.
    passwordBox(w)->setText(QStringLiteral("ABC"));
    passwordBox(w)->deselect();
    QTest::keyClick(userNameBox(w), Qt::Key_Down);
    EXPECT_EQ(passwordBox(w)->selectedText(), QStringLiteral("ABC"));

    // A refused key and the right button.
    QTest::keyClicks(passwordBox(w), QStringLiteral(" "));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, Msg::CodeCharOnly);
    QTest::mouseClick(userNameBox(w), Qt::RightButton);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().text, QStringLiteral("ห้ามคลิกขวาในช่องนี้ !!"));
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
}

TEST_F(SignInWindowTest, CloseButtonDeletesTempFilesAndClosesTheDatabase)
{
    SignInWindow *w = startSignIn();
    ASSERT_NE(w, nullptr);
    touch(QStringLiteral("a.tmp"));
    touch(QStringLiteral("B.TMP"));
    touch(QStringLiteral("keep.txt"));
    QTest::mouseClick(control(w, "closeProgramButton"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_FALSE(exists(QStringLiteral("a.tmp")));
    EXPECT_FALSE(exists(QStringLiteral("B.TMP")));
    EXPECT_TRUE(exists(QStringLiteral("keep.txt")));
    EXPECT_TRUE(exists(QStringLiteral("data/Ksmdata.db")));
    EXPECT_FALSE(ShopDatabase::connection().isOpen());
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(WindowRegistry::find<SignInWindow>(), nullptr);
    EXPECT_EQ(MainFrame::existing(), nullptr);
}

TEST_F(SignInWindowTest, MissingSwitchRowShowsTheErrorAndAsksForASignIn)
{
    folder.db().execute(QStringLiteral("DELETE FROM tblNumber WHERE nPK = 4"));
    SignInWindow *w = SignInWindow::start();
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_EQ(MainFrame::existing(), nullptr);
    EXPECT_EQ(ended, 0);
}

TEST_F(SignInWindowTest, MissingDatabaseEndsTheProgram)
{
    ShopDatabase::close();
    ASSERT_TRUE(QFile::rename(folder.databasePath(), folder.databasePath() + QStringLiteral(".x")));
    EXPECT_EQ(SignInWindow::start(), nullptr);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("เชื่อมต่อฐานข้อมูลไม่ได้ : ")));
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(MainFrame::existing(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// The second copy.

TEST_F(SignInWindowTest, SecondCopyIsRefusedWithoutOpeningTheDatabase)
{
    InstanceLock firstCopy(InstanceLock::programLockPath());
    ASSERT_TRUE(firstCopy.tryLock());
    InstanceLock::program().unlock();

    EXPECT_EQ(SignInWindow::start(), nullptr);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text,
        QStringLiteral("โปรแกรมถูกเปิดใช้อยู่แล้ว !!  ไม่สามารถเปิด ซ้อนกันเกิน 1 "
                       "โปรแกรมในเครื่องเดียว.."));
    EXPECT_EQ(boxes.last().title, QString()); // the program's own title
    EXPECT_EQ(boxes.last().icon, MsgIcon::Critical);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(ShopDatabase::connection().isOpen());
    EXPECT_EQ(MainFrame::existing(), nullptr);
}

TEST(InstanceLock, TwoGuardsOnOneFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/kasmo.lock");
    InstanceLock a(path), b(path);
    EXPECT_TRUE(a.tryLock());
    EXPECT_TRUE(a.tryLock()); // again: still ours
    EXPECT_FALSE(b.tryLock());
    a.unlock();
    EXPECT_TRUE(b.tryLock());
}

// Run in a child process by the next test: holds the lock until its input closes.
TEST(InstanceLockChild, HoldsTheLock)
{
    const QString path = qEnvironmentVariable("KASMO_TEST_HOLD_LOCK");
    if (path.isEmpty())
        GTEST_SKIP() << "runs only as the child of TwoProcesses";
    InstanceLock lock(path);
    ASSERT_TRUE(lock.tryLock());
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    char buf[8];
    while (std::fread(buf, 1, sizeof buf, stdin) > 0) { }
}

TEST(InstanceLock, TwoProcesses)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/kasmo.lock");
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KASMO_TEST_HOLD_LOCK"), path);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
        { QStringLiteral("--gtest_filter=InstanceLockChild.HoldsTheLock") });
    ASSERT_TRUE(child.waitForStarted());
    QByteArray out;
    while (!out.contains("locked") && child.waitForReadyRead(10000))
        out += child.readAllStandardOutput();
    ASSERT_TRUE(out.contains("locked")) << out.constData();

    InstanceLock second(path);
    EXPECT_FALSE(second.tryLock());

    // A copy that died without letting go does not keep the program from starting.
    child.kill();
    child.waitForFinished();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(second.tryLock());
}

// ---------------------------------------------------------------------------------------------
// How a start ends: a refused start ends with a non-zero status.

TEST_F(SignInWindowTest, RefusedStartsEndWithANonZeroStatus)
{
    // The three ways a start is given up, each on a fresh program start (the missing database
    // last: the folder stays the same).
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE(c);
        TearDown();
        SetUp();
        ended = 0;
        if (c == 0) { // a second copy
            InstanceLock firstCopy(InstanceLock::programLockPath());
            InstanceLock::program().unlock();
            ASSERT_TRUE(firstCopy.tryLock());
            SignInWindow::start();
        } else if (c == 1) { // the sign-in closed without signing in
            SignInWindow *w = startSignIn();
            ASSERT_NE(w, nullptr);
            QTest::mouseClick(control(w, "closeProgramButton"), Qt::LeftButton);
        } else { // a database that cannot be opened
            ShopDatabase::close();
            folder.db().close();
            ASSERT_TRUE(QFile::remove(folder.databasePath()));
            SignInWindow::start();
        }
        EXPECT_EQ(ended, 1);
        EXPECT_EQ(lastEndStatus(), EndRefused);
    }
}

// Run in a child process by the next test: the program's start-up on the program folder
// KASMO_TEST_START_FOLDER. A copy that starts says so and runs until its input closes; a
// refused one ends through the program's own end, with its exit status.
TEST(StartupChild, StartsTheProgram)
{
    const QString folder = qEnvironmentVariable("KASMO_TEST_START_FOLDER");
    if (folder.isEmpty())
        GTEST_SKIP() << "runs only as the child of SecondCopy";
    class PrintedBoxes : public ScriptedMessageBoxes
    {
    public:
        MsgResult show(QWidget *parent, const MessageRequest &r) override
        {
            std::fputs(r.text.toUtf8().constData(), stdout);
            std::fputs("\n", stdout);
            std::fflush(stdout);
            return ScriptedMessageBoxes::show(parent, r);
        }
    } boxes;
    ProgramFolder::setForTests(folder);
    registerAppWindows();
    SignInWindow::start();
    ASSERT_NE(MainFrame::existing(), nullptr);
    std::fputs("started\n", stdout);
    std::fflush(stdout);
    char buf[8];
    while (std::fread(buf, 1, sizeof buf, stdin) > 0) { }
}

// Two people on one computer (each with a runtime folder of their own) and one database: the
// second copy is refused; a copy that died leaves a lock that the next start takes over.
TEST(SecondCopy, IsRefusedOnTheSameDatabaseWhoeverStartsIt)
{
    TempProgramFolder folder;
    QTemporaryDir runtimeA, runtimeB;
    auto start = [&](QProcess &p, const QTemporaryDir &runtime) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KASMO_TEST_START_FOLDER"), folder.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--gtest_filter=StartupChild.StartsTheProgram") });
        EXPECT_TRUE(p.waitForStarted());
    };
    auto waitStarted = [](QProcess &p) {
        QByteArray out;
        while (!out.contains("started") && p.waitForReadyRead(20000))
            out += p.readAllStandardOutput();
        return out.contains("started");
    };

    QProcess first;
    start(first, runtimeA);
    ASSERT_TRUE(waitStarted(first));

    QProcess second;
    start(second, runtimeB);
    ASSERT_TRUE(second.waitForFinished(30000));
    const QString said = QString::fromUtf8(second.readAllStandardOutput());
    EXPECT_TRUE(said.contains(Msg::AlreadyRunning)) << said.toStdString();
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), EndRefused);

    first.kill();
    first.waitForFinished();
    EXPECT_TRUE(QFile::exists(folder.path() + QStringLiteral("/data/Ksmdata.lock")));
    QProcess third;
    start(third, runtimeB);
    EXPECT_TRUE(waitStarted(third));
    third.closeWriteChannel();
    ASSERT_TRUE(third.waitForFinished(30000));
    EXPECT_EQ(third.exitCode(), 0);
}

// Every box the start-up and the sign-in can show speaks Thai: no Latin letters outside codes,
// table names and paths.
TEST_F(SignInWindowTest, EveryMessageOfTheStartAndTheSignInIsThai)
{
    const char *names[] = { "unknown user", "wrong password", "refused key", "right button",
        "no switch row", "no database", "second copy" };
    for (int c = 0; c < 7; ++c) {
        SCOPED_TRACE(names[c]);
        TearDown();
        SetUp();
        boxes.clear();
        if (c <= 3) {
            SignInWindow *w = startSignIn();
            ASSERT_NE(w, nullptr);
            if (c == 0 || c == 1) {
                type(userNameBox(w), c == 0 ? "NOBODY" : "ADMIN");
                type(passwordBox(w), "X");
                QTest::keyClick(passwordBox(w), Qt::Key_Return);
            } else if (c == 2) {
                type(userNameBox(w), "!");
            } else {
                QTest::mouseClick(passwordBox(w), Qt::RightButton);
            }
        } else if (c == 4) {
            folder.db().execute(QStringLiteral("DELETE FROM tblNumber WHERE nPK = 4"));
            SignInWindow::start();
        } else if (c == 5) {
            ShopDatabase::close();
            folder.db().close();
            ASSERT_TRUE(QFile::rename(folder.databasePath(), folder.databasePath() + ".gone"));
            SignInWindow::start();
        } else {
            InstanceLock firstCopy(InstanceLock::programLockPath());
            InstanceLock::program().unlock();
            ASSERT_TRUE(firstCopy.tryLock());
            SignInWindow::start();
        }
        ASSERT_GE(boxes.count(), 1);
        for (const MessageRequest &m : boxes.shown) {
            EXPECT_TRUE(hasThai(m.text)) << m.text.toStdString();
            EXPECT_EQ(latinOutsideCodes(m.text), QString()) << m.text.toStdString();
            EXPECT_EQ(latinOutsideCodes(m.title), QString()) << m.title.toStdString();
        }
    }
}

// Assistive technology reads the sign-in boxes by their captions, the buttons by theirs.
TEST_F(SignInWindowTest, TheSignInControlsAreNamedByTheirCaptions)
{
    SignInWindow *w = startSignIn();
    ASSERT_NE(w, nullptr);
    const std::pair<QWidget *, QString> named[] = {
        { userNameBox(w), QStringLiteral("ชื่อผู้ใช้") },
        { passwordBox(w), QStringLiteral("รหัสผ่าน") },
        { control(w, "signInButton"), QStringLiteral("เข้าสู่ระบบ") },
        { control(w, "closeProgramButton"), QStringLiteral("ปิดโปรแกรม") },
    };
    for (const auto &[control, name] : named) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), name);
    }
    // Typing shows in neither name: a name is the caption, not what the box holds.
    type(userNameBox(w), "ADMIN");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(userNameBox(w))->text(QAccessible::Name),
        QStringLiteral("ชื่อผู้ใช้"));
}
