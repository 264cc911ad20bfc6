// The sales summary's views on the generated shop, over May 2026 and over the whole of 2026 (the
// generated year's January to November), as a person waits for them: from the click on the
// view's button to the repainted page. The data side alone is timed too, for comparison. Each
// view and period runs in a process of its own, so its peak memory is its own.
#include "BenchSupport.h"
#include "ShopGenerator.h"
#include "button/kasmoButton.h"
#include "platform/db/Recordset.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/Form4.h"
#include "reports/SummaryViews.h"
#include "shell/Module1.h"
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char *const kViews[] = { "detailed", "best", "brief", "perday" };

SummaryViews::View viewNamed(const QString &name)
{
    using V = SummaryViews::View;
    return name == QLatin1String("best")  ? V::BestSellers
        : name == QLatin1String("brief")  ? V::Brief
        : name == QLatin1String("perday") ? V::PerDay
                                          : V::Detailed;
}

// What the program cannot beat, on the same lines of the same period: for the views that show
// totals the one grouped query by what they total, for the detailed view the lines read in
// receipt order with every field stepped over.
double bareSeconds(const QString &view, bool year, const QString &yearText)
{
    const QString from
        = year ? yearText + QStringLiteral("-01-01") : yearText + QStringLiteral("-05-01");
    const QString to = year ? QString::number(yearText.toInt() + 1) + QStringLiteral("-01-01")
                            : yearText + QStringLiteral("-06-01");
    const QString where = QStringLiteral(" FROM tblLog WHERE Ldate >= ? AND Ldate < ?");
    QString sql;
    if (view == QLatin1String("detailed"))
        sql = QStringLiteral("SELECT Lrod, Lno, Ldate2, Lsn, Lname, Ldes, Lraka, Lsell, Lvalue")
            + where + QStringLiteral(" ORDER BY Lno");
    else if (view == QLatin1String("best"))
        sql = QStringLiteral("SELECT Lsn, Lname, Ldes, Lnub, sum(Lvalue)") + where
            + QStringLiteral(" GROUP BY Lsn, Lname, Ldes, Lnub ORDER BY sum(Lvalue) DESC");
    else if (view == QLatin1String("brief"))
        sql = QStringLiteral("SELECT Lno, sum(Lrod), sum(Lsell * Lvalue)") + where
            + QStringLiteral(" GROUP BY Lno");
    else
        sql = (year ? QStringLiteral("SELECT substr(Ldate2, 1, 7) AS k")
                    : QStringLiteral("SELECT Ldate2 AS k"))
            + QStringLiteral(", sum(Lrod), sum(Lsell * Lvalue)") + where
            + QStringLiteral(" GROUP BY k");
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        size_t bytes = 0;
        for (Recordset rs = Module1::Conn().query(sql, { from, to }); !rs.eof(); rs.moveNext())
            for (int c = 0; c < rs.fieldCount(); ++c)
                bytes += size_t(rs.utf8(c).size());
        times.push_back(t.nsecsElapsed() / 1e9 + (bytes == size_t(-1) ? 1 : 0));
    }
    return bench::median(times);
}

int runOne(const QString &view, const QString &period)
{
    const QString shop = sharedShopDatabase();
    QFileInfo info(shop);
    const QString folder
        = info.absolutePath() + QStringLiteral("/summary-bench-folder-") + info.completeBaseName();
    QDir().mkpath(folder + QStringLiteral("/data"));
    const QString link = folder + QStringLiteral("/data/Ksmdata.db");
    if (!QFileInfo::exists(link))
        QFile::link(shop, link);
    ProgramFolder::setForTests(folder);
    if (!Module1::OpenDatabase())
        return 1;
    Clock::setFixed(QDateTime(ShopSize().lastDay, QTime(18, 0)));

    const bool year = period == QLatin1String("year");
    const int item = year ? PeriodFilter::WholeYearItem : 4;
    const QString yearText = QString::number(ShopSize().lastDay.year());
    ScriptedMessageBoxes boxes;

    // The data side alone.
    SummaryViews::Request request;
    request.period.monthItem = item;
    request.period.year = yearText;
    request.today = Clock::today();
    QElapsedTimer data;
    data.start();
    const SummaryViews::Result found = SummaryViews::run(Module1::Conn(), viewNamed(view), request);
    std::printf("summary_views_bench: %s over the %s, data side alone: %zu rows in %.3f s\n",
        qPrintable(view), qPrintable(period), found.rowCount(), data.nsecsElapsed() / 1e9);
    if (!found.lines.empty()) {
        // The lines come in the order the database's own Thai collation gives them.
        const QString from
            = year ? yearText + QStringLiteral("-01-01") : yearText + QStringLiteral("-05-01");
        const QString to = year ? QString::number(yearText.toInt() + 1) + QStringLiteral("-01-01")
                                : yearText + QStringLiteral("-06-01");
        size_t row = 0, differ = 0;
        for (Recordset rs = Module1::Conn().query(
                 QStringLiteral(
                     "SELECT Lsn, Lname, Ldes, Lno, sum(Lvalue) FROM tblLog WHERE Ldate >= ? "
                     "AND Ldate < ? GROUP BY Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, "
                     "Lsell, Lrod ORDER BY Lno, Lname COLLATE THAI, Ldes COLLATE THAI"),
                 { from, to });
             !rs.eof(); rs.moveNext(), ++row) {
            const PackedRow &r = found.lines.row(row);
            if (rs.utf8(0) != r.cell(1) || rs.utf8(1) != r.cell(2) || rs.utf8(2) != r.cell(3)
                || rs.utf8(3) != r.cell(10) || rs.text(4) != r.text(6))
                ++differ;
        }
        std::printf("summary_views_bench: order against the database's THAI collation: %s (%zu "
                    "rows, %zu differ)\n",
            row == found.lines.size() && differ == 0 ? "same" : "DIFFERENT", row, differ);
    }

    // The page: one opening, then the view's button clicked a few times.
    Form4 *page = WindowRegistry::instance<Form4>();
    page->resize(1280, 760);
    page->show();
    QCoreApplication::processEvents();
    page->Text1->setText(yearText);
    page->Combo1->setCurrentIndex(item);
    const SummaryViews::View v = viewNamed(view);
    kasmoButton *button = v == SummaryViews::View::Detailed ? page->kasmoButton1
        : v == SummaryViews::View::Brief                    ? page->kasmoButton2
        : v == SummaryViews::View::BestSellers              ? page->kasmoButton3
                                                            : page->cmdSearch;
    std::vector<double> times;
    const int runs = year ? 3 : 5;
    for (int i = 0; i < runs; ++i) {
        page->txt1->clear();
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        page->repaint();
        QCoreApplication::processEvents();
        times.push_back(t.nsecsElapsed() / 1e9);
    }
    std::sort(times.begin(), times.end());
    std::printf("summary_views_bench: %s over the %s: %d grid rows, %d messages; runs %.3f .. "
                "%.3f s\n",
        qPrintable(view), qPrintable(period), page->fpSpread1->maxRows(), boxes.count(),
        times.front(), times.back());
    const double bare = bareSeconds(view, year, yearText);
    std::printf("RESULT summary_view_s view=%s period=%s total=%.3f peak_mb=%.1f bare_s=%.3f\n",
        qPrintable(view), qPrintable(period), times[times.size() / 2], bench::peakMegabytes(),
        bare);
    delete page;
    Module1::CloseDatabase();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);
    if (argc == 3)
        return runOne(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    sharedShopDatabase(); // made once, before the timed processes
    for (const char *period : { "month", "year" })
        for (const char *view : kViews) {
            QProcess p;
            p.setProcessChannelMode(QProcess::ForwardedChannels);
            p.start(QCoreApplication::applicationFilePath(),
                QStringList { QString::fromLatin1(view), QString::fromLatin1(period) }
                    + shopOptionArguments());
            p.waitForFinished(-1);
            if (p.exitCode() != 0)
                return p.exitCode();
        }
    return 0;
}
