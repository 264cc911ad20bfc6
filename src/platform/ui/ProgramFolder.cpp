#include "ProgramFolder.h"
#include <QCoreApplication>
#include <QDir>

namespace {
QString &overridden()
{
    static QString p;
    return p;
}
} // namespace

QString ProgramFolder::path()
{
    if (!overridden().isEmpty())
        return overridden();
    QString p = QCoreApplication::applicationDirPath();
    while (p.endsWith(QLatin1Char('/')) && p.size() > 1)
        p.chop(1);
    return p;
}

QString ProgramFolder::file(const QString &relative)
{
    QString r = relative;
    r.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (r.startsWith(QLatin1Char('/')))
        r.remove(0, 1);
    // At the root the folder already ends with its separator: no doubled "/".
    QString folder = path();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + r;
}

void ProgramFolder::setForTests(const QString &folder)
{
    overridden() = QDir::cleanPath(folder);
}
