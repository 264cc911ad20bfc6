#pragma once
#include "AppWindows.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowRegistry.h"
#include "shell/ProgramEnd.h"
#include "shell/ShopDatabase.h"
#include "shell/SignInWindow.h"
#include "shell/SignedInUser.h"
#include "support/TempProgramFolder.h"
#include "support/WindowDriving.h"
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A fresh program start in a temporary program folder: scripted boxes and dialogs, an end
// hook that only counts, and a lock file of the test's own.
class FrameFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SignedInUser::reset();
        setEndProgramHook([this] { ++ended; });
        InstanceLock::setProgramLockPath(lockDir.path() + QStringLiteral("/kasmo.lock"));
        registerAppWindows();
    }

    void TearDown() override
    {
        // Windows go without their close handling (no question, no end).
        deleteLoadedWindows(); // pages go with the frame
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ShopDatabase::close();
        InstanceLock::program().unlock();
    }

    void setSignIn(int on)
    {
        folder.db().execute(QStringLiteral("UPDATE tblNumber SET numA = ?1 WHERE nPK = 4"), { on });
    }

    void addUser(int pk, const QString &uid, const QString &stored, const QString &position,
        const bool rights[5])
    {
        folder.db().execute(QStringLiteral("INSERT INTO tblUser (PK, UID, UPASS, UTumnang, ULv1, "
                                           "ULv2, ULv3, ULv4, ULv5) VALUES (?1,?2,?3,?4,?5,?6,?7,"
                                           "?8,?9)"),
            { pk, uid, stored, position, int(rights[0]), int(rights[1]), int(rights[2]),
                int(rights[3]), int(rights[4]) });
    }

    void addProduct(int pk, int stock, int limit)
    {
        folder.db().execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDvalue, "
                                           "PDerror) VALUES (?1, ?2, ?3, ?4, ?5)"),
            { pk, QStringLiteral("P%1").arg(pk), QStringLiteral("สินค้า %1").arg(pk), stock, limit });
    }

    void touch(const QString &name)
    {
        QFile f(folder.path() + QLatin1Char('/') + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }

    bool exists(const QString &name) const
    {
        return QFile::exists(folder.path() + QLatin1Char('/') + name);
    }

    QTemporaryDir lockDir;
    TempProgramFolder folder;
    ScriptedMessageBoxes boxes;
    ScriptedDialogs dialogs;
    int ended = 0;
};
