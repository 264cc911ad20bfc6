#include "AppWindows.h"
#include "platform/ui/ProgramLook.h"
#include "shell/KasmoApplication.h"
#include "shell/ProgramEnd.h"
#include "shell/SignInWindow.h"
#include <QApplication>

int main(int argc, char **argv)
{
    KasmoApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kasmo"));
    applyProgramLook();

    registerAppWindows();
    KasmoApplication::guard([] {
        SignInWindow::start();
        return true;
    });
    // The program ends through the shut-downs (endProgram), not by its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    return app.exec();
}
