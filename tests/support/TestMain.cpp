// Every test executable runs inside a QApplication on the offscreen platform.
#include "platform/ui/DialogRunner.h"
#include "platform/ui/ProgramLook.h"
#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    applyProgramLook(); // what the tests measure and picture is what the program shows
    ::testing::InitGoogleTest(&argc, argv);
    // A scripted answer or dialog script left unused fails the test that queued it.
    ScriptedLeftovers::setReporter(
        [](const QString &what) { ADD_FAILURE() << what.toStdString(); });
    return RUN_ALL_TESTS();
}
