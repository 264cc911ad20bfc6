#include "platform/db/SchemaUpgrade.h"
#include "platform/db/SchemaVersion.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "platform/ui/WindowRegistry.h"
#include "shell/Messages.h"
#include "shell/ProgramEnd.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include "support/ShellFixture.h"
#include "support/TempProgramFolder.h"
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Records the end of the program instead of ending it.
struct EndRecorder
{
    EndRecorder()
    {
        previous = setEndProgramHook([this] { ++ends; });
    }
    ~EndRecorder() { setEndProgramHook(previous); }
    int ends = 0;
    EndProgramHook previous;
};

} // namespace

TEST(DatabaseTest, MissingFileShowsTheErrorAndEndsTheProgram)
{
    TempProgramFolder folder;
    QFile::remove(folder.databasePath());
    ScriptedMessageBoxes boxes;
    EndRecorder end;

    EXPECT_FALSE(ShopDatabase::open());
    ASSERT_EQ(boxes.count(), 1);
    const MessageRequest &box = boxes.last();
    EXPECT_TRUE(box.text.startsWith(Msg::DatabaseOpenFailed));
    EXPECT_GT(box.text.size(), Msg::DatabaseOpenFailed.size()); // the engine's text follows
    EXPECT_TRUE(box.text.contains("Ksmdata.db"));
    EXPECT_TRUE(box.title.isEmpty()); // the program's own title
    EXPECT_EQ(box.icon, MsgIcon::None);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
    EXPECT_EQ(end.ends, 1);
    EXPECT_FALSE(ShopDatabase::connection().isOpen());
}

TEST(DatabaseTest, ProgramFolderAtTheRootGivesNoDoubledSeparator)
{
    ProgramFolder::setForTests(QStringLiteral("/"));
    EXPECT_EQ(
        ProgramFolder::file(QStringLiteral("data/Ksmdata.db")), QStringLiteral("/data/Ksmdata.db"));
    ScriptedMessageBoxes boxes;
    EndRecorder end;
    const bool opened = ShopDatabase::open();
    ProgramFolder::setForTests(QString());
    if (opened)
        GTEST_SKIP() << "this machine has a /data/Ksmdata.db";
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("'/data/Ksmdata.db'")))
        << boxes.last().text.toStdString();
    EXPECT_EQ(end.ends, 1);
}

TEST(DatabaseTest, FileThatIsNoDatabaseFails)
{
    TempProgramFolder folder;
    {
        QFile f(folder.databasePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
    }
    ScriptedMessageBoxes boxes;
    EndRecorder end;
    EXPECT_FALSE(ShopDatabase::open());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.startsWith(Msg::DatabaseOpenFailed));
    EXPECT_EQ(end.ends, 1);
}

TEST(DatabaseTest, OpensTheProgramFoldersFileAndClosesOnce)
{
    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    EndRecorder end;
    ASSERT_TRUE(ShopDatabase::open());
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(end.ends, 0);
    EXPECT_EQ(ShopDatabase::connection().path(), folder.databasePath());
    EXPECT_EQ(
        ShopDatabase::connection().scalar("SELECT numA FROM tblNumber WHERE nPK = 4").toInt(), 0);
    ShopDatabase::close();
    EXPECT_FALSE(ShopDatabase::connection().isOpen());
    ShopDatabase::close(); // harmless
    EXPECT_FALSE(ShopDatabase::connection().isOpen());
}

// The database's housekeeping stays off the commits: a commit writes the log only, even past
// the engine's usual threshold of 1000 log pages; the idle timer and the close fold the log
// into the file.
TEST(DatabaseTest, CommitsLeaveTheFileAloneUntilTheProgramIsIdleOrCloses)
{
    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    EndRecorder end;
    ASSERT_TRUE(ShopDatabase::open());
    Connection &c = ShopDatabase::connection();
    QTimer *idle = ShopDatabase::checkpointTimer();
    auto fileSize = [&] { return QFileInfo(folder.databasePath()).size(); };
    auto write = [&](int commits) {
        const QString big(40000, QChar(u'ก')); // about 30 log pages a row
        for (int i = 0; i < commits; ++i)
            c.execute(QStringLiteral("INSERT INTO tblRMoney (rMoney, rTime, rUser, rNo) "
                                     "VALUES (1, '2024-05-15 10:30:00', ?1, ?2)"),
                { big, QString::number(i) });
    };
    const qint64 start = fileSize();
    const qint64 commitsBefore = c.commitCount();
    write(40);
    EXPECT_EQ(c.commitCount() - commitsBefore, 40);
    EXPECT_GT(c.walFrames(), 1000);
    EXPECT_EQ(fileSize(), start);
    EXPECT_TRUE(idle->isActive());
    EXPECT_EQ(idle->interval(), ShopDatabase::IdleCheckpointMs);

    // The program sits idle: the timer's checkpoint brings the rows into the file.
    idle->setInterval(0);
    for (int i = 0; i < 200 && idle->isActive(); ++i)
        QTest::qWait(5);
    idle->setInterval(ShopDatabase::IdleCheckpointMs);
    EXPECT_FALSE(idle->isActive());
    const qint64 afterIdle = fileSize();
    EXPECT_GT(afterIdle, start + 40 * 40000);

    // With another connection still open the engine would leave the log alone at close; the
    // program folds it itself.
    Connection &other = folder.db();
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT count(*) FROM tblRMoney")).toInt(), 40);
    write(20);
    EXPECT_EQ(fileSize(), afterIdle);
    ShopDatabase::close();
    EXPECT_FALSE(idle->isActive());
    EXPECT_GT(fileSize(), afterIdle + 20 * 40000);
    EXPECT_EQ(other.scalar(QStringLiteral("SELECT count(*) FROM tblRMoney")).toInt(), 60);
}

TEST(DatabaseTest, SharedStateStartsEmpty)
{
    SignedInUser::name = "x";
    SignedInUser::mayViewSummary = true;
    SignedInUser::reset();
    EXPECT_TRUE(SignedInUser::name.isEmpty());
    EXPECT_FALSE(SignedInUser::mayViewSummary);
}

namespace {
class Page : public QWidget
{
public:
    explicit Page(int *closes)
        : closes(closes)
    {
        WindowRegistry::add(this);
    }
    void closeEvent(QCloseEvent *e) override
    {
        ++*closes;
        e->accept();
    }
    int *closes;
};
class Page2 : public Page
{
    using Page::Page;
};
class Page3 : public Page
{
    using Page::Page;
};
} // namespace

using ShellTest = ShellFixture;

TEST_F(ShellTest, UnloadAllFormsClosesEveryWindowOnce)
{
    int closes[3] = {};
    QList<QPointer<QWidget>> windows { new Page(&closes[0]), new Page2(&closes[1]),
        new Page3(&closes[2]) };
    windows[0]->show();
    windows[2]->show(); // a hidden window is loaded too
    WindowRegistry::unloadAll();
    EXPECT_EQ(closes[0], 1);
    EXPECT_EQ(closes[1], 1);
    EXPECT_EQ(closes[2], 1);
    EXPECT_TRUE(WindowRegistry::loaded().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (const auto &w : windows)
        EXPECT_TRUE(w.isNull());
}

TEST_F(ShellTest, FixtureEndHookStopsTheCaller)
{
    EXPECT_THROW(endProgram(), ProgramEnded);
    EXPECT_EQ(programEnds, 1);
}

TEST(DatabaseTest, FileOfAnotherVersionIsRefusedAndLeftUntouched)
{
    for (int version : { 0, kSchemaVersion + 1 }) {
        SCOPED_TRACE(version);
        TempProgramFolder folder;
        {
            Connection c;
            c.open(folder.databasePath());
            // A file left in rollback-journal mode: opening it writes nothing but its -wal.
            c.executeScript(
                QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA user_version=%1;").arg(version));
        }
        QFile f(folder.databasePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        ScriptedMessageBoxes boxes;
        EndRecorder end;

        EXPECT_FALSE(ShopDatabase::open());
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text,
            Msg::DatabaseOpenFailed + Msg::schemaVersionMismatch(version, kSchemaVersion));
        EXPECT_TRUE(boxes.last().text.contains(QString::number(version)));
        EXPECT_TRUE(boxes.last().text.contains(QString::number(kSchemaVersion)));
        EXPECT_EQ(end.ends, 1);
        EXPECT_FALSE(ShopDatabase::connection().isOpen());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before) << "nothing written";
        EXPECT_FALSE(QFile::exists(folder.databasePath() + QStringLiteral("-wal")));
    }
}

TEST(DatabaseTest, FileOfTheProgramsVersionOpens)
{
    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    EndRecorder end;
    ASSERT_TRUE(ShopDatabase::open());
    EXPECT_EQ(schemaVersion(ShopDatabase::connection()), kSchemaVersion);
    ShopDatabase::close();
    EXPECT_EQ(end.ends, 0);
}
