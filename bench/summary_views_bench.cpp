// The sales summary's views on the generated shop, over May 2026 and over the whole of 2026 (the
// generated year's January to November): from the request to the rows, totals and title. Each
// view and period runs in a process of its own, so its peak memory is its own.
#include "ShopGenerator.h"
#include "platform/ui/Clock.h"
#include "platform/ui/ProgramFolder.h"
#include "reports/SummaryViews.h"
#include "shell/Module1.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

const char *const kViews[] = { "detailed", "best", "brief", "perday" };

double peakMegabytes()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0; // kilobytes on Linux
}

SummaryViews::View viewNamed(const QString &name)
{
    using V = SummaryViews::View;
    return name == QLatin1String("best")  ? V::BestSellers
        : name == QLatin1String("brief")  ? V::Brief
        : name == QLatin1String("perday") ? V::PerDay
                                          : V::Detailed;
}

int runOne(const QString &view, const QString &period)
{
    const QString shop = sharedShopDatabase();
    QFileInfo info(shop);
    const QString folder = info.absolutePath() + QStringLiteral("/summary-bench-folder");
    QDir().mkpath(folder + QStringLiteral("/data"));
    const QString link = folder + QStringLiteral("/data/Ksmdata.db");
    if (!QFileInfo::exists(link))
        QFile::link(shop, link);
    ProgramFolder::setForTests(folder);
    if (!Module1::OpenDatabase())
        return 1;
    Clock::setFixed(QDateTime(ShopSize().lastDay, QTime(18, 0)));

    SummaryViews::Request request;
    request.period.monthItem = period == QLatin1String("year") ? PeriodFilter::WholeYearItem : 4;
    request.period.year = QString::number(ShopSize().lastDay.year());
    request.today = Clock::today();
    std::vector<double> times;
    size_t rows = 0;
    const int runs = period == QLatin1String("year") ? 3 : 5;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        const SummaryViews::Result r = SummaryViews::run(Module1::Conn(), viewNamed(view), request);
        times.push_back(t.nsecsElapsed() / 1e9);
        rows = r.rows.size();
    }
    std::sort(times.begin(), times.end());
    std::printf("summary_views_bench: %s over the %s: %zu rows, runs %.3f .. %.3f s\n",
        qPrintable(view), qPrintable(period), rows, times.front(), times.back());
    std::printf("RESULT summary_view_s view=%s period=%s total=%.3f peak_mb=%.1f\n",
        qPrintable(view), qPrintable(period), times[times.size() / 2], peakMegabytes());
    Module1::CloseDatabase();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3)
        return runOne(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    sharedShopDatabase(); // made once, before the timed processes
    for (const char *period : { "month", "year" })
        for (const char *view : kViews) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedChannels);
            p.start(QCoreApplication::applicationFilePath(),
                { QString::fromLatin1(view), QString::fromLatin1(period) });
            p.waitForFinished(-1);
            if (p.exitCode() != 0)
                return p.exitCode();
        }
    return 0;
}
