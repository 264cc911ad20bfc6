// Makes a database file from the schema and seed scripts.
// kasmo-makedb [--if-missing] <target.db> <script.sql>...
#include "platform/db/Connection.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    bool ifMissing = false;
    if (!args.isEmpty() && args.first() == QLatin1String("--if-missing")) {
        ifMissing = true;
        args.removeFirst();
    }
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: kasmo-makedb [--if-missing] target.db script.sql...\n");
        return 2;
    }
    const QString target = args.takeFirst();
    if (QFileInfo::exists(target)) {
        if (ifMissing)
            return 0;
        std::fprintf(stderr, "%s exists already\n", qPrintable(target));
        return 1;
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QString partial = target + QStringLiteral(".new");
    QFile::remove(partial);
    try {
        Connection::createFromScripts(partial, args);
    } catch (const DbError &e) {
        QFile::remove(partial);
        std::fprintf(stderr, "kasmo-makedb: %s\n", e.what());
        return 1;
    }
    // Only a complete file takes the real name.
    if (!QFile::rename(partial, target)) {
        std::fprintf(stderr, "kasmo-makedb: cannot rename to %s\n", qPrintable(target));
        return 1;
    }
    return 0;
}
