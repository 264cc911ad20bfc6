// The yearly chart, one seller's year and the user ranking on the generated shop, as a person
// waits for them (the window computed, laid out and painted once), each beside its bare grouped
// query measured in the same run. peak_mb is the process's peak so far.
#include "BenchSupport.h"
#include "ShopGenerator.h"
#include "button/KasmoButton.h"
#include "platform/db/Connection.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/ProgramFolder.h"
#include "reports/RankingWindow.h"
#include "reports/UserSalesWindow.h"
#include "reports/YearChartWindow.h"
#include "shell/ShopDatabase.h"
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// Seconds of each run of the window and of its bare grouped query, taken in turn so both see
// the same load; medians of each.
struct Timing
{
    double window = 0;
    double bare = 0;
};

template <class W, class B> Timing timeBoth(int runs, W window, B bare)
{
    std::vector<double> w, b;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        window();
        w.push_back(t.nsecsElapsed() / 1e9);
        t.restart();
        bare();
        b.push_back(t.nsecsElapsed() / 1e9);
    }
    return { bench::median(w), bench::median(b) };
}

// The grouped query alone: run and read to its last row, nothing shown.
int readAll(const QString &sql, const QVariantList &params)
{
    int rows = 0;
    for (Recordset rs = ShopDatabase::connection().query(sql, params); !rs.eof(); rs.moveNext())
        ++rows;
    return rows;
}

const QString kAmount = QStringLiteral("sum(CAST(round(Lsell * 10000) AS INTEGER) * Lvalue)");
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);
    const QString shop = sharedShopDatabase();
    // The program opens data/Ksmdata.db under its folder: point it at the generated shop.
    QFileInfo info(shop);
    QDir().mkpath(info.absolutePath() + QStringLiteral("/bench-folder/data"));
    const QString link = info.absolutePath() + QStringLiteral("/bench-folder/data/Ksmdata.db");
    QFile::remove(link);
    QFile::link(shop, link);
    ProgramFolder::setForTests(info.absolutePath() + QStringLiteral("/bench-folder"));
    if (!ShopDatabase::open())
        return 1;
    const QString year = QString::number(ShopSize().lastDay.year());

    const QString from = QString::number(year.toInt()) + QStringLiteral("-01-01");
    const QString to = QString::number(year.toInt() + 1) + QStringLiteral("-01-01");
    const int runs = 5;

    const Timing chart = timeBoth(
        runs,
        [&] {
            YearChartWindow w(year);
            w.show();
            w.grab();
        },
        [&] {
            readAll(QStringLiteral("SELECT substr(Ldate, 6, 2), ") + kAmount
                    + QStringLiteral(" FROM tblLog WHERE Ldate >= ? AND Ldate < ? "
                                     "GROUP BY substr(Ldate, 6, 2)"),
                { from, to });
        });
    const double chartPeak = bench::peakMegabytes();
    std::printf("yearly chart %s: median %.3f s, bare grouped query %.3f s (%d runs)\n",
        qPrintable(year), chart.window, chart.bare, runs);
    std::printf("RESULT chart_s kind=year total=%.3f bare_s=%.3f peak_mb=%.1f\n", chart.window,
        chart.bare, chartPeak);

    const QString seller = QStringLiteral("somchai");
    const Timing user = timeBoth(
        runs,
        [&] {
            UserSalesWindow w;
            w.show();
            auto *users = w.findChild<QComboBox *>(QStringLiteral("userList"));
            users->setCurrentIndex(users->findText(seller));
            w.findChild<QComboBox *>(QStringLiteral("monthList"))
                ->setCurrentIndex(12); // whole year
            w.findChild<QLineEdit *>(QStringLiteral("yearBox"))->setText(year);
            emit w.findChild<KasmoButton *>(QStringLiteral("showSalesButton"))->Click();
            w.grab();
        },
        [&] {
            readAll(QStringLiteral("SELECT substr(Ldate, 6, 2), ") + kAmount
                    + QStringLiteral(" FROM tblLog WHERE LUser = ? AND Ldate >= ? AND Ldate < ? "
                                     "GROUP BY substr(Ldate, 6, 2)"),
                { seller, from, to });
        });
    const double userPeak = bench::peakMegabytes();
    std::printf("one seller's year %s: median %.3f s, bare grouped query %.3f s (%d runs)\n",
        qPrintable(year), user.window, user.bare, runs);
    std::printf("RESULT chart_s kind=user total=%.3f bare_s=%.3f peak_mb=%.1f\n", user.window,
        user.bare, userPeak);

    int pages = 0;
    const Timing ranking = timeBoth(
        runs,
        [&] {
            RankingWindow w({ RankingRequest::Kind::Year, 1, QString(), year });
            w.loadRanking();
            w.show();
            w.grab();
            pages = w.findChild<ReportViewer *>(QStringLiteral("rankingViewer"))
                        ->document()
                        .pageCount();
        },
        [&] {
            readAll(QStringLiteral("SELECT LUser, LTumnang, ") + kAmount
                    + QStringLiteral(" AS total FROM tblLog WHERE Ldate >= ? AND Ldate < ? "
                                     "GROUP BY LUser, LTumnang ORDER BY total DESC"),
                { from, to });
        });
    const double rankingPeak = bench::peakMegabytes();
    std::printf("user ranking %s: median %.3f s, bare grouped query %.3f s (%d runs), %d page(s)\n",
        qPrintable(year), ranking.window, ranking.bare, runs, pages);
    std::printf("RESULT ranking_s total=%.3f bare_s=%.3f peak_mb=%.1f\n", ranking.window,
        ranking.bare, rankingPeak);
    ShopDatabase::close();
    return 0;
}
