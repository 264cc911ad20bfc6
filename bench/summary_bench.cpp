// The sales summary page on the generated shop, its clock on the shop's busiest day: from
// making the page (its load shows today's sales, grouped by receipt) to the repainted page,
// and the F5 reload of the open page. Prints the times and the peak memory.
#include "BenchSupport.h"
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "reports/Form4.h"
#include "shell/Module1.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);

    // The page only reads: the program folder's database is the shared generated shop.
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/summary-bench-XXXXXX"));
    linkSharedShopInto(dir.path());
    ProgramFolder::setForTests(dir.path());
    Module1::OpenDatabase();
    ScriptedMessageBoxes boxes;

    Recordset busiest = Module1::Conn().query(
        QStringLiteral("SELECT Ldate2, COUNT(*), COUNT(DISTINCT Lno) FROM tblLog GROUP BY Ldate2 "
                       "ORDER BY COUNT(*) DESC, Ldate2 LIMIT 1"));
    const QString day = busiest.text(0);
    const qint64 lines = busiest.integer(1), receipts = busiest.integer(2);
    busiest.close();
    Clock::setFixed(QDateTime(QDate::fromString(day, Qt::ISODate), QTime(18, 0)));

    std::vector<double> opens, reloads;
    int rows = 0;
    for (int i = 0; i < 11; ++i) {
        QElapsedTimer t;
        t.start();
        auto *page = new Form4;
        page->resize(1280, 720);
        page->show();
        page->repaint();
        QCoreApplication::processEvents();
        opens.push_back(t.nsecsElapsed() / 1e9);
        rows = page->fpSpread1->maxRows();

        t.restart();
        QTest::keyClick(page->fpSpread1, Qt::Key_F5);
        page->repaint();
        QCoreApplication::processEvents();
        reloads.push_back(t.nsecsElapsed() / 1e9);
        delete page;
        QCoreApplication::processEvents();
    }
    opens.erase(opens.begin()); // the first run warms the file cache
    reloads.erase(reloads.begin());

    std::printf("summary_bench: busiest day %s: %lld sale lines on %lld receipts, %d grid rows%s\n",
        qPrintable(day), static_cast<long long>(lines), static_cast<long long>(receipts), rows,
        boxes.count() ? " (a message was shown)" : "");
    std::printf("summary_bench: open p50 %.3f s p99 %.3f s; F5 reload p50 %.3f s p99 %.3f s\n",
        bench::percentileOf(opens, 0.5), bench::percentileOf(opens, 0.99),
        bench::percentileOf(reloads, 0.5), bench::percentileOf(reloads, 0.99));
    std::printf("RESULT summary_today_s total=%.3f p99=%.3f reload=%.3f rows=%d peak_mb=%.1f\n",
        bench::percentileOf(opens, 0.5), bench::percentileOf(opens, 0.99),
        bench::percentileOf(reloads, 0.5), rows, bench::peakMegabytes());
    Module1::CloseDatabase();
    Clock::clearFixed();
    return 0;
}
