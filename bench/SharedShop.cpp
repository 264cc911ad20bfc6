#include "SharedShop.h"
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include <QDir>
#include <QFile>

void copySharedShopInto(const QString &folder)
{
    const QString src = sharedShopDatabase();
    {
        Connection c; // folds any WAL into the file before it is copied
        c.open(src);
        c.executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE);"));
    }
    QDir(folder).mkpath(QStringLiteral("data/pic"));
    QFile::copy(src, folder + QStringLiteral("/data/Ksmdata.db"));
}

void linkSharedShopInto(const QString &folder)
{
    const QString shop = sharedShopDatabase();
    QDir(folder).mkpath(QStringLiteral("data"));
    if (!QFile::link(shop, folder + QStringLiteral("/data/Ksmdata.db")))
        QFile::copy(shop, folder + QStringLiteral("/data/Ksmdata.db"));
}
