// Writes a generated shop database: shopgen [--scale=N] <target.db>
// shopgen [--scale=N] --shared makes the benchmarks' shared shop where missing and prints its path.
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool usable = takeShopOptions(argc, argv) && argc == 2;
    const bool shared = usable && qstrcmp(argv[1], "--shared") == 0;
    // Any other option is a mistake, not a file to overwrite.
    if (!usable || (!shared && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: shopgen [--scale=N] target.db | --shared\n");
        return 2;
    }
    if (shared) {
        std::printf("%s\n", qPrintable(sharedShopDatabase()));
        return 0;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);
    QFile::remove(target);
    const double secs = generateShop(target, ShopSize().scaled(shopScale()));
    Connection c;
    c.open(target);
    std::printf("generated %s in %.1f s: %lld products, %lld sale lines, %lld receipts, %lld "
                "discount rows, "
                "%lld movements\n",
        argv[1], secs, c.scalar("SELECT count(*) FROM tblProduct").toLongLong(),
        c.scalar("SELECT count(*) FROM tblLog").toLongLong(),
        c.scalar("SELECT count(DISTINCT Lno) FROM tblLog").toLongLong(),
        c.scalar("SELECT count(*) FROM tblRMoney").toLongLong(),
        c.scalar("SELECT count(*) FROM tblLog2").toLongLong());
    return 0;
}
