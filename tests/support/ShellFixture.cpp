#include "ShellFixture.h"
#include "platform/ui/Clock.h"
#include "platform/ui/WindowRegistry.h"
#include "shell/ProgramEnd.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"

QDateTime ShellFixture::fixedNow()
{
    return QDateTime(QDate(2024, 5, 15), QTime(10, 30, 0));
}

void ShellFixture::SetUp()
{
    SignedInUser::reset();
    Clock::setFixed(fixedNow());
    setEndProgramHook([this] {
        ++programEnds;
        throw ProgramEnded {};
    });
    ASSERT_TRUE(ShopDatabase::open());
}

void ShellFixture::TearDown()
{
    // Windows a test left open go without their close handling (it may ask questions).
    for (QWidget *w : WindowRegistry::loaded())
        delete w;
    ShopDatabase::close();
    setEndProgramHook({});
    Clock::clearFixed();
}
