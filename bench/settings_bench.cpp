// Backup and compact of the generated shop: what the settings window's two buttons make the
// user wait for, on a copy of the shop so the shared file stays as generated.
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/db/Maintenance.h"
#include "settings/DataMaintenance.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

double mib(qint64 bytes)
{
    return double(bytes) / (1024.0 * 1024.0);
}

qint64 fileSize(const QString &path)
{
    return QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
}

long peakRssKib()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

template <class F> double seconds(F &&f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    if (!takeShopOptions(argc, argv))
        return 2;
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString shop = dir.path() + QStringLiteral("/Ksmdata.db");
    {
        // A consistent copy of the shared shop through the same backup.
        Connection source;
        source.open(sharedShopDatabase());
        DbMaintenance::backup(source, shop);
    }
    Connection conn;
    conn.open(shop);
    const qint64 products
        = conn.scalar(QStringLiteral("SELECT count(*) FROM tblProduct")).toLongLong();
    const qint64 lines = conn.scalar(QStringLiteral("SELECT count(*) FROM tblLog")).toLongLong();
    std::printf(
        "shop: %lld products, %lld sale lines, %.1f MiB\n", products, lines, mib(fileSize(shop)));

    // Backup, three times (the page cache is warm after the first).
    QList<double> runs;
    const QString target = dir.path() + QStringLiteral("/backup.db");
    for (int i = 0; i < 3; ++i)
        runs << seconds([&] { DbMaintenance::backup(conn, target); });
    std::sort(runs.begin(), runs.end());
    std::printf("RESULT settings_backup seconds_p50=%.3f seconds_max=%.3f source_mib=%.1f "
                "copy_mib=%.1f\n",
        runs[1], runs[2], mib(fileSize(shop)), mib(QFileInfo(target).size()));

    // Compact the shop as it is, then after the sales were cleared.
    qint64 before = fileSize(shop);
    QString check;
    double s = seconds([&] { check = DbMaintenance::compact(conn); });
    std::printf("RESULT settings_compact seconds=%.3f before_mib=%.1f after_mib=%.1f check=%s\n", s,
        mib(before), mib(fileSize(shop)), qPrintable(check));

    s = seconds([&] { DataMaintenance::clearSales(conn); });
    std::printf("RESULT settings_clear_sales seconds=%.3f\n", s);
    before = fileSize(shop);
    s = seconds([&] { check = DbMaintenance::compact(conn); });
    std::printf("RESULT settings_compact_after_clear seconds=%.3f before_mib=%.1f after_mib=%.1f "
                "check=%s\n",
        s, mib(before), mib(fileSize(shop)), qPrintable(check));
    std::printf("RESULT settings_bench peak_rss_mib=%.1f\n", double(peakRssKib()) / 1024.0);
    return 0;
}
