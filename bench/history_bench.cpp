// The movement history window on the generated shop: a month (about 42 000 movements) and the
// shop's calendar year searched, filled and grouped by document, from the click on the search
// button to the repainted window, each beside its bare limit measured in the same run (the
// window's own query stepped with every field read). Prints the times and the peak memory.
#include "BenchSupport.h"
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "history/HistoryWindow.h"
#include "history/MovementSearch.h"
#include "platform/db/Connection.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "shell/ShopDatabase.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

struct Run
{
    double seconds = 0;
    int found = 0;
    int rows = 0;
    qint64 shownBytes = 0; // the UTF-8 text of the grid's shown columns
};

// Opens a fresh window, chooses the month item, clicks the search button and waits for the
// repaint; the window is closed afterwards. With `measureText`, the text the grid shows is
// counted before it closes.
Run search(int monthItem, bool measureText = false)
{
    Run r;
    HistoryWindow *w = new HistoryWindow;
    w->show();
    QCoreApplication::processEvents();
    w->findChild<QComboBox *>(QStringLiteral("monthList"))->setCurrentIndex(monthItem);
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("searchButton")), Qt::LeftButton);
    w->repaint();
    QCoreApplication::processEvents();
    r.seconds = t.nsecsElapsed() / 1e9;
    r.rows = w->findChild<DataGrid *>(QStringLiteral("historyGrid"))->maxRows();
    r.found = w->windowTitle()
                  .remove(QLatin1Char(','))
                  .split(QLatin1Char(' '), Qt::SkipEmptyParts)
                  .value(2)
                  .toInt();
    const DataGrid *g = w->findChild<DataGrid *>(QStringLiteral("historyGrid"));
    for (int row = 1; measureText && row <= g->maxRows(); ++row)
        for (int c = 0; c <= g->maxCols(); ++c)
            if (!g->isColumnHidden(c))
                r.shownBytes += g->getText(c, row).toUtf8().size();
    w->close();
    delete w;
    QCoreApplication::processEvents();
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);

    // The history only reads: the program folder's database is the shared generated shop.
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/history-bench-XXXXXX"));
    linkSharedShopInto(dir.path());
    ProgramFolder::setForTests(dir.path());
    ShopDatabase::open();
    ScriptedMessageBoxes boxes;
    // The generated year ends on 2026-11-30; the year box opens on 2026.
    Clock::setFixed(QDateTime(QDate(2026, 11, 30), QTime(18, 0)));

    // The bare limit: the window's own query for the period, stepped to its end with every
    // field's text taken, nothing built.
    auto bare = [&](int monthItem) {
        MovementSearch s;
        s.period.monthItem = monthItem;
        s.period.year = QStringLiteral("2026");
        QVariantList params;
        const QString sql = s.sql(Clock::today(), params);
        QElapsedTimer t;
        t.start();
        qint64 bytes = 0;
        Recordset rs = ShopDatabase::connection().query(sql, params);
        for (; !rs.eof(); rs.moveNext())
            for (int i = 0; i < 12; ++i)
                bytes += rs.utf8(i).size();
        return std::pair { t.nsecsElapsed() / 1e9, bytes };
    };

    std::vector<double> month, monthBare;
    Run m;
    qint64 monthBytes = 0;
    for (int i = 0; i < 5; ++i) {
        const auto [seconds, bytes] = bare(4);
        monthBare.push_back(seconds);
        monthBytes = bytes;
        m = search(4); // May 2026
        month.push_back(m.seconds);
    }
    const double monthPeak = bench::peakMegabytes();
    std::printf("history_bench: May 2026: %d movements, %d grid rows; runs %.3f .. %.3f s; "
                "bare query %.3f s (%.1f MB of text)\n",
        m.found, m.rows, *std::min_element(month.begin(), month.end()),
        *std::max_element(month.begin(), month.end()), bench::median(monthBare), monthBytes / 1e6);

    std::vector<double> year, yearBare;
    Run y;
    qint64 yearBytes = 0;
    double yearBefore = 0, yearPeak = 0; // what the process held before the search, its peak
    for (int i = 0; i < 2; ++i) {
        const auto [seconds, bytes] = bare(12);
        yearBare.push_back(seconds);
        yearBytes = bytes;
        bench::resetPeak();
        yearBefore = bench::currentMegabytes();
        y = search(12, i == 1); // the whole of 2026 (the generated shop's January to November)
        yearPeak = bench::peakSinceResetMegabytes();
        year.push_back(y.seconds);
    }
    std::printf("history_bench: year 2026: %d movements, %d grid rows; runs %.3f .. %.3f s; "
                "bare query %.3f s (%.1f MB of text)\n",
        y.found, y.rows, *std::min_element(year.begin(), year.end()),
        *std::max_element(year.begin(), year.end()), bench::median(yearBare), yearBytes / 1e6);
    std::printf("history_bench: the year takes %.2f x its bare query; peak %.1f MB; the search's "
                "own peak %.1f MB over the %.1f MB held before it (%.2f x the text read, %.2f x "
                "the %.1f MB of text the grid shows)\n",
        bench::median(year) / bench::median(yearBare), bench::peakMegabytes(),
        yearPeak - yearBefore, yearBefore, (yearPeak - yearBefore) / (yearBytes / 1048576.0),
        (yearPeak - yearBefore) / (y.shownBytes / 1048576.0), y.shownBytes / 1048576.0);

    std::printf("RESULT history_s period=month total=%.3f peak_mb=%.1f bare_s=%.3f\n",
        bench::median(month), monthPeak, bench::median(monthBare));
    std::printf(
        "RESULT history_s period=year total=%.3f peak_mb=%.1f bare_s=%.3f search_peak_mb=%.1f "
        "text_mb=%.1f shown_text_mb=%.1f\n",
        bench::median(year), bench::peakMegabytes(), bench::median(yearBare), yearPeak - yearBefore,
        yearBytes / 1048576.0, y.shownBytes / 1048576.0);
    ShopDatabase::close();
    Clock::clearFixed();
    return 0;
}
