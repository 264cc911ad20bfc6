#include "AppWindows.h"
#include "platform/report/Fonts.h"
#include "platform/ui/QtTexts.h"
#include "shell/KasmoApplication.h"
#include "shell/Login.h"
#include <QApplication>
#include <QFont>
#include <QStyleFactory>

int main(int argc, char **argv)
{
    KasmoApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kasmo"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installFontSubstitutions();
    installQtTexts();
    // The windows' own font; their controls set larger sizes where they need them.
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);

    registerAppWindows();
    KasmoApplication::guard([] {
        Login::start();
        return true;
    });
    // The program ends through the shut-downs (Module1::EndProgram), not by its last window.
    QApplication::setQuitOnLastWindowClosed(false);
    return app.exec();
}
