// Makes the delivered database file, or brings an older one up to the program's layout.
//   kasmo-makedb [--if-missing] [--upgrades <dir>] <target.db> <script.sql>...
//       makes the file from the scripts (then runs the upgrades); with --if-missing an existing
//       file is upgraded in place instead (when --upgrades is given) or left alone.
//   kasmo-makedb --upgrade <target.db> <dir>
//       upgrades an existing file in place, after a backup copy.
#include "platform/db/Connection.h"
#include "platform/db/SchemaUpgrade.h"
#include "platform/db/SchemaVersion.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace {

int upgradeInPlace(const QString &target, const QString &dir)
{
    try {
        QString backup;
        const int from = upgradeDatabase(target, dir, kSchemaVersion, true, &backup);
        if (from != kSchemaVersion)
            std::printf("kasmo-makedb: %s upgraded from version %d to %d (backup %s)\n",
                qPrintable(target), from, kSchemaVersion, qPrintable(backup));
        return 0;
    } catch (const DbError &e) {
        std::fprintf(stderr, "kasmo-makedb: %s: %s\n", qPrintable(target), e.what());
        return 1;
    }
}

int usage()
{
    std::fprintf(stderr,
        "usage: kasmo-makedb [--if-missing] [--upgrades dir] target.db script.sql...\n"
        "       kasmo-makedb --upgrade target.db dir\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (!args.isEmpty() && args.first() == QLatin1String("--upgrade")) {
        if (args.size() != 3)
            return usage();
        if (!QFileInfo(args[1]).isFile()) {
            std::fprintf(stderr, "kasmo-makedb: %s does not exist\n", qPrintable(args[1]));
            return 1;
        }
        return upgradeInPlace(args[1], args[2]);
    }
    bool ifMissing = false;
    QString upgrades;
    for (;;) {
        if (!args.isEmpty() && args.first() == QLatin1String("--if-missing")) {
            ifMissing = true;
            args.removeFirst();
        } else if (args.size() >= 2 && args.first() == QLatin1String("--upgrades")) {
            args.removeFirst();
            upgrades = args.takeFirst();
        } else {
            break;
        }
    }
    if (args.size() < 2)
        return usage();
    const QString target = args.takeFirst();
    if (QFileInfo::exists(target)) {
        if (!ifMissing) {
            std::fprintf(stderr, "%s exists already\n", qPrintable(target));
            return 1;
        }
        return upgrades.isEmpty() ? 0 : upgradeInPlace(target, upgrades);
    }
    QDir().mkpath(QFileInfo(target).absolutePath());
    const QString partial = target + QStringLiteral(".new");
    QFile::remove(partial);
    try {
        Connection::createFromScripts(partial, args);
        if (!upgrades.isEmpty())
            upgradeDatabase(partial, upgrades, kSchemaVersion, false);
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
