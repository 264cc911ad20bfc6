// The sales summary page on the generated shop, its clock on the shop's busiest day: from
// making the page (its load shows today's sales, grouped by receipt) to the repainted page,
// and the F5 reload of the open page. Prints the times and the peak memory, and the bare limit:
// the same day's lines read in receipt order with the SQLite C API, every field as stored.
#include "BenchSupport.h"
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "reports/SummaryPage.h"
#include "shell/ShopDatabase.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

double bareSeconds(sqlite3 *db, const QString &day)
{
    const QByteArray from = day.toUtf8();
    const QByteArray to
        = QDate::fromString(day, Qt::ISODate).addDays(1).toString(Qt::ISODate).toUtf8();
    const char *sql = "SELECT Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, Lsell, Lrod, Lvalue "
                      "FROM tblLog WHERE Ldate >= ?1 AND Ldate < ?2 ORDER BY Lno";
    std::vector<double> times;
    for (int i = 0; i < 11; ++i) {
        QElapsedTimer t;
        t.start();
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        sqlite3_bind_text(stmt, 1, from.constData(), int(from.size()), SQLITE_STATIC);
        sqlite3_bind_text(stmt, 2, to.constData(), int(to.size()), SQLITE_STATIC);
        size_t bytes = 0;
        double sum = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < 10; ++c) {
                if (c < 6) {
                    sqlite3_column_text(stmt, c);
                    bytes += size_t(sqlite3_column_bytes(stmt, c));
                } else {
                    sum += sqlite3_column_double(stmt, c);
                }
            }
        sqlite3_finalize(stmt);
        times.push_back(t.nsecsElapsed() / 1e9 + (bytes == size_t(-1) || sum == -1.5 ? 1 : 0));
    }
    return bench::median(times);
}

} // namespace

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
    ShopDatabase::open();
    ScriptedMessageBoxes boxes;

    Recordset busiest = ShopDatabase::connection().query(
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
        auto *page = new SummaryPage;
        page->resize(1280, 720);
        page->show();
        page->repaint();
        QCoreApplication::processEvents();
        opens.push_back(t.nsecsElapsed() / 1e9);
        rows = page->findChild<DataGrid *>(QStringLiteral("summaryGrid"))->maxRows();

        t.restart();
        QTest::keyClick(page->findChild<DataGrid *>(QStringLiteral("summaryGrid")), Qt::Key_F5);
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
    std::printf(
        "RESULT summary_today_s total=%.3f p99=%.3f reload=%.3f rows=%d peak_mb=%.1f bare_s=%.4f\n",
        bench::percentileOf(opens, 0.5), bench::percentileOf(opens, 0.99),
        bench::percentileOf(reloads, 0.5), rows, bench::peakMegabytes(),
        bareSeconds(ShopDatabase::connection().handle(), day));
    ShopDatabase::close();
    Clock::clearFixed();
    return 0;
}
