// The movement history window on the generated shop: a month (about 42 000 movements) and the
// shop's calendar year searched, filled and grouped by document, from the click on the search
// button to the repainted window. Prints the times and the peak memory.
#include "BenchSupport.h"
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "history/DataLog.h"
#include "history/MovementSearch.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "shell/Module1.h"
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
};

// Opens a fresh window, chooses the month item, clicks the search button and waits for the
// repaint; the window is closed afterwards.
Run search(int monthItem)
{
    Run r;
    DataLog *w = new DataLog;
    w->show();
    QCoreApplication::processEvents();
    w->Combo1->setCurrentIndex(monthItem);
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    w->repaint();
    QCoreApplication::processEvents();
    r.seconds = t.nsecsElapsed() / 1e9;
    r.rows = w->fpSpread1->maxRows();
    r.found = w->windowTitle()
                  .remove(QLatin1Char(','))
                  .split(QLatin1Char(' '), Qt::SkipEmptyParts)
                  .value(2)
                  .toInt();
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
    Module1::OpenDatabase();
    ScriptedMessageBoxes boxes;
    // The generated year ends on 2026-11-30; the year box opens on 2026.
    Clock::setFixed(QDateTime(QDate(2026, 11, 30), QTime(18, 0)));

    // The data side alone, for comparison: the query and reading its rows.
    {
        MovementSearch s;
        s.period.monthItem = 4;
        s.period.year = QStringLiteral("2026");
        QElapsedTimer t;
        t.start();
        const qint64 n = s.run(Module1::Conn(), Clock::today(), {});
        std::printf("history_bench: query of May 2026 alone: %lld movements in %.3f s\n",
            static_cast<long long>(n), t.nsecsElapsed() / 1e9);
    }

    std::vector<double> month;
    Run m;
    for (int i = 0; i < 5; ++i) {
        m = search(4); // May 2026
        month.push_back(m.seconds);
    }
    const double monthPeak = bench::peakMegabytes();
    std::printf("history_bench: May 2026: %d movements, %d grid rows; runs %.3f .. %.3f s\n",
        m.found, m.rows, *std::min_element(month.begin(), month.end()),
        *std::max_element(month.begin(), month.end()));

    std::vector<double> year;
    Run y;
    for (int i = 0; i < 2; ++i) {
        y = search(12); // the whole of 2026 (the generated shop's January to November)
        year.push_back(y.seconds);
    }
    std::printf("history_bench: year 2026: %d movements, %d grid rows; runs %.3f .. %.3f s\n",
        y.found, y.rows, *std::min_element(year.begin(), year.end()),
        *std::max_element(year.begin(), year.end()));

    std::printf(
        "RESULT history_s period=month total=%.3f peak_mb=%.1f\n", bench::median(month), monthPeak);
    std::printf("RESULT history_s period=year total=%.3f peak_mb=%.1f\n", bench::median(year),
        bench::peakMegabytes());
    Module1::CloseDatabase();
    Clock::clearFixed();
    return 0;
}
