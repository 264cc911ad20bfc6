#include "platform/report/Fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
        { QStringLiteral("Loma"), QStringLiteral("Garuda"), QStringLiteral("Waree") });
    // Garuda is the face fonts-thai-tlwg itself offers for Browallia; the report engine draws
    // it smaller, as Browallia's letters are (reportFontScale).
    QFont::insertSubstitutions(
        QStringLiteral("Browallia New"), { QStringLiteral("Garuda"), QStringLiteral("Loma") });
}

double reportFontScale(const QString &family)
{
    if (family.compare(QLatin1String("Browallia New"), Qt::CaseInsensitive) == 0)
        return 0.68;
    return 1.0;
}
