#include "ProgramLook.h"
#include "platform/report/Fonts.h"
#include "platform/ui/QtTexts.h"
#include <QApplication>
#include <QFont>
#include <QStyleFactory>

void applyProgramLook()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installFontSubstitutions();
    installQtTexts();
    // The windows' own font; their controls set larger sizes where they need them.
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
}
