// The sales summary's views on the generated shop, over May 2026 and over the whole of 2026 (the
// generated year's January to November), as a person waits for them: from the click on the
// view's button to the repainted page. Each view and period runs in a process of its own, so its
// peak memory is its own: the page's clicks run first and the peak is read right after them.
// Then the data side alone is timed, checked against the database's own answers, and the bare
// limit is measured with the SQLite C API on the same connection:
// - the one-row views: one grouped query by what they total (the receipt, the day, the month)
//   that sums every figure the view shows (discount, amount, cost, sales), over the lines for
//   one row per receipt and over the day totals the database keeps for the days and months,
//   plus the query of the lines whose receipt group may sum differently (a recorded discount,
//   a price with fractions of a satang) that the figures depend on; both parts are printed
//   (bare_sum_s, bare_adjust_s), and for the days and months the same sums taken line by line
//   (lines_s), what the day totals spare;
// - best sellers: the view's own grouped query;
// - the detailed view: the same lines read in receipt order, every field read as stored.
#include "BenchSupport.h"
#include "ShopGenerator.h"
#include "button/KasmoButton.h"
#include "platform/db/Recordset.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/SummaryPage.h"
#include "reports/SummaryViews.h"
#include "shell/ShopDatabase.h"
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
#include <sqlite3.h>
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

QString satang(const char *x)
{
    return QStringLiteral("((CAST(round(%1 * 10000) AS INTEGER) + (CASE WHEN %1 < 0 THEN -50 "
                          "ELSE 50 END)) / 100)")
        .arg(QLatin1String(x));
}

struct Period
{
    QString from, to;
};

// Runs a query with the SQLite C API, reading every field of every row as it is stored.
double bareRun(sqlite3 *db, const QString &sql, const Period &p)
{
    const QByteArray text = sql.toUtf8();
    const QByteArray from = p.from.toUtf8(), to = p.to.toUtf8();
    QElapsedTimer t;
    t.start();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "bare query refused: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
    sqlite3_bind_text(stmt, 1, from.constData(), int(from.size()), SQLITE_STATIC);
    sqlite3_bind_text(stmt, 2, to.constData(), int(to.size()), SQLITE_STATIC);
    size_t bytes = 0;
    double sum = 0;
    const int columns = sqlite3_column_count(stmt);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                sum += double(sqlite3_column_int64(stmt, c));
                break;
            case SQLITE_FLOAT:
                sum += sqlite3_column_double(stmt, c);
                break;
            case SQLITE_NULL:
                break;
            default:
                sqlite3_column_text(stmt, c);
                bytes += size_t(sqlite3_column_bytes(stmt, c));
            }
        }
    sqlite3_finalize(stmt);
    const double s = t.nsecsElapsed() / 1e9;
    return bytes == size_t(-1) || sum == -1.5 ? s + 1 : s; // keeps the reads
}

QString bareQuery(const QString &view, bool year, bool lineByLine = false)
{
    const QString where = QStringLiteral(" FROM tblLog WHERE Ldate >= ?1 AND Ldate < ?2");
    if (view == QLatin1String("perday") && !lineByLine)
        return QStringLiteral("SELECT ")
            + (year ? QStringLiteral("substr(tDate2, 1, 7)") : QStringLiteral("tDate2"))
            + QStringLiteral(" AS k, sum(tRod), sum(tAmount), sum(tCost), sum(tSales) FROM "
                             "tblDayTotal WHERE tDay >= ?1 AND tDay < ?2 GROUP BY k ORDER BY k");
    if (view == QLatin1String("detailed"))
        return QStringLiteral("SELECT Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, Lsell, Lrod, "
                              "Lvalue")
            + where + QStringLiteral(" ORDER BY Lno");
    if (view == QLatin1String("best"))
        return QStringLiteral("SELECT Lsn, Lname, Ldes, Lnub, sum(Lvalue)") + where
            + QStringLiteral(" GROUP BY Lsn, Lname, Ldes, Lnub ORDER BY sum(Lvalue) DESC");
    const QString key = view == QLatin1String("brief") ? QStringLiteral("Lno")
        : year                                         ? QStringLiteral("substr(Ldate2, 1, 7)")
                                                       : QStringLiteral("Ldate2");
    return QStringLiteral("SELECT ") + key + QStringLiteral(" AS k, sum(") + satang("Lrod")
        + QStringLiteral("), sum(CAST(round(Lsell * 10000) AS INTEGER) * Lvalue), sum(")
        + satang("Lraka") + QStringLiteral(" * Lvalue), sum(") + satang("Lsell")
        + QStringLiteral(" * Lvalue)") + where + QStringLiteral(" GROUP BY k ORDER BY k");
}

// The lines whose receipt group may sum differently from the lines, grouped as the detailed
// rows group them, with what that changes.
QString bareAdjustQuery(const QString &view, bool year)
{
    const QString key = view == QLatin1String("brief") ? QStringLiteral("Lno")
        : year                                         ? QStringLiteral("substr(Ldate2, 1, 7)")
                                                       : QStringLiteral("Ldate2");
    const QString price = QStringLiteral("CAST(round(Lsell * 10000) AS INTEGER)");
    const QString amount = price + QStringLiteral(" * sum(Lvalue)");
    return QStringLiteral("SELECT ") + key + QStringLiteral(", (1 - count(*)) * ") + satang("Lrod")
        + QStringLiteral(", 100 * ((") + amount + QStringLiteral(" + (CASE WHEN ") + amount
        + QStringLiteral(" < 0 THEN -50 ELSE 50 END)) / 100) - ") + amount
        + QStringLiteral(" FROM tblLog WHERE (Ldate >= ?1 AND Ldate < ?2) AND (Lrod != 0 OR ")
        + price
        + QStringLiteral(" % 100 != 0) GROUP BY Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, "
                         "Lsell, Lrod HAVING count(*) > 1 OR ")
        + price + QStringLiteral(" % 100 != 0");
}

// The detailed view's lines in the order the database's own THAI collation gives them, and its
// totals as the database sums the lines.
void checkDetailed(const SummaryViews::Result &found, const Period &p)
{
    size_t row = 0, differ = 0;
    for (Recordset rs = ShopDatabase::connection().query(
             QStringLiteral(
                 "SELECT Lsn, Lname, Ldes, Lno, sum(Lvalue) FROM tblLog WHERE Ldate >= ? "
                 "AND Ldate < ? GROUP BY Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, "
                 "Lsell, Lrod ORDER BY Lno, Lname COLLATE THAI, Ldes COLLATE THAI"),
             { p.from, p.to });
         !rs.eof(); rs.moveNext(), ++row) {
        if (row >= found.lines.size()) {
            ++differ;
            continue;
        }
        const PackedRow &r = found.lines.row(row);
        if (rs.utf8(0) != r.cell(1) || rs.utf8(1) != r.cell(2) || rs.utf8(2) != r.cell(3)
            || rs.utf8(3) != r.cell(10) || rs.text(4) != r.text(6))
            ++differ;
    }
    std::printf("summary_views_bench: order against the database's THAI collation: %s (%zu "
                "rows, %zu differ)\n",
        row == found.lines.size() && differ == 0 ? "same" : "DIFFERENT", row, differ);
    Recordset rs = ShopDatabase::connection().query(QStringLiteral("SELECT sum(") + satang("Lraka")
            + QStringLiteral(" * Lvalue), sum(") + satang("Lsell")
            + QStringLiteral(" * Lvalue) FROM tblLog WHERE Ldate >= ? AND Ldate < ?"),
        { p.from, p.to });
    const bool same = Currency::fromUnits(rs.integer(0) * 100) == found.totals.cost
        && Currency::fromUnits(rs.integer(1) * 100) == found.totals.sales;
    std::printf("summary_views_bench: totals against the database's sums: %s\n",
        same ? "same" : "DIFFERENT");
}

// A condensed view's rows against the detailed rows' groups summed by the database.
void checkCondensed(
    const SummaryViews::Result &found, const QString &view, const Period &p, bool year)
{
    const bool brief = view == QLatin1String("brief");
    const QString key = brief ? QStringLiteral("Lno")
        : year                ? QStringLiteral("substr(Ldate2, 1, 7)")
                              : QStringLiteral("Ldate2");
    const QString amount = QStringLiteral("CAST(round(Lsell * 10000) AS INTEGER) * sum(Lvalue)");
    const QString nocase = brief ? QStringLiteral(" COLLATE NOCASE") : QString();
    const QString sql = QStringLiteral("SELECT k, sum(rod), sum(amount) FROM (SELECT ") + key
        + QStringLiteral(" AS k, ") + satang("Lrod") + QStringLiteral(" AS rod, ((") + amount
        + QStringLiteral(" + (CASE WHEN ") + amount
        + QStringLiteral(" < 0 THEN -50 ELSE 50 END)) / 100) AS amount FROM tblLog WHERE Ldate "
                         ">= ? AND Ldate < ? GROUP BY Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, "
                         "Lsell, Lrod) GROUP BY k")
        + nocase + QStringLiteral(" ORDER BY k") + nocase;
    size_t row = 0, differ = 0;
    for (Recordset rs = ShopDatabase::connection().query(sql, { p.from, p.to }); !rs.eof();
         rs.moveNext(), ++row) {
        const Currency discount = Currency::fromUnits(rs.integer(1) * 100);
        const Currency total = Currency::fromUnits(rs.integer(2) * 100);
        QStringList shown;
        if (row < found.lines.size())
            for (int c = 1; c <= 4; ++c)
                shown << found.lines.row(row).text(c);
        else if (row < found.rows.size())
            shown = found.rows[row].mid(1, 4);
        const QStringList expected { brief ? rs.text(0) : shown.value(0),
            SummaryViews::amountCell(discount), SummaryViews::amountCell(total),
            SummaryViews::netCell(total - discount) };
        if (shown != expected)
            ++differ;
    }
    std::printf("summary_views_bench: rows against the detailed groups summed by the database: "
                "%s (%zu rows, %zu differ)\n",
        row == found.rowCount() && differ == 0 ? "same" : "DIFFERENT", row, differ);
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
    if (!ShopDatabase::open())
        return 1;
    Clock::setFixed(QDateTime(ShopSize().lastDay, QTime(18, 0)));

    const bool year = period == QLatin1String("year");
    const int item = year ? PeriodFilter::WholeYearItem : 4;
    const QString yearText = QString::number(ShopSize().lastDay.year());
    const Period range { year ? yearText + QStringLiteral("-01-01")
                              : yearText + QStringLiteral("-05-01"),
        year ? QString::number(yearText.toInt() + 1) + QStringLiteral("-01-01")
             : yearText + QStringLiteral("-06-01") };
    ScriptedMessageBoxes boxes;

    // The page: one opening, then the view's button clicked a few times.
    SummaryPage *page = WindowRegistry::instance<SummaryPage>();
    page->resize(1280, 760);
    page->show();
    QCoreApplication::processEvents();
    page->findChild<QLineEdit *>(QStringLiteral("yearBox"))->setText(yearText);
    page->findChild<QComboBox *>(QStringLiteral("monthList"))->setCurrentIndex(item);
    const SummaryViews::View v = viewNamed(view);
    const char *buttonName = v == SummaryViews::View::Detailed ? "detailedButton"
        : v == SummaryViews::View::Brief                       ? "briefButton"
        : v == SummaryViews::View::BestSellers                 ? "bestSellersButton"
                                                               : "perDayButton";
    KasmoButton *button = page->findChild<KasmoButton *>(QLatin1String(buttonName));
    std::vector<double> times;
    const int runs = 5;
    for (int i = 0; i < runs; ++i) {
        page->findChild<QLineEdit *>(QStringLiteral("searchBox"))->clear();
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        page->repaint();
        QCoreApplication::processEvents();
        times.push_back(t.nsecsElapsed() / 1e9);
    }
    const double peak = bench::peakMegabytes();
    std::sort(times.begin(), times.end());
    std::printf("summary_views_bench: %s over the %s: %d grid rows, %d messages; runs %.3f .. "
                "%.3f s, peak %.1f MB\n",
        qPrintable(view), qPrintable(period),
        page->findChild<DataGrid *>(QStringLiteral("summaryGrid"))->maxRows(), boxes.count(),
        times.front(), times.back(), peak);
    delete page;
    QCoreApplication::processEvents();

    {
        // The data side alone, and its figures against the database's own.
        SummaryViews::Request request;
        request.period.monthItem = item;
        request.period.year = yearText;
        request.today = Clock::today();
        QElapsedTimer data;
        data.start();
        const SummaryViews::Result found
            = SummaryViews::run(ShopDatabase::connection(), v, request);
        std::printf("summary_views_bench: %s over the %s, data side alone: %zu rows in %.3f s\n",
            qPrintable(view), qPrintable(period), found.rowCount(), data.nsecsElapsed() / 1e9);
        if (v == SummaryViews::View::Detailed)
            checkDetailed(found, range);
        else if (v != SummaryViews::View::BestSellers)
            checkCondensed(found, view, range, year);
    }

    sqlite3 *handle = ShopDatabase::connection().handle();
    const bool oneRow = view == QLatin1String("brief") || view == QLatin1String("perday");
    std::vector<double> bare, adjust;
    const QString sql = bareQuery(view, year);
    for (int i = 0; i < 3; ++i) {
        bare.push_back(bareRun(handle, sql, range));
        if (oneRow)
            adjust.push_back(bareRun(handle, bareAdjustQuery(view, year), range));
    }
    const double total = times[times.size() / 2];
    if (!oneRow) {
        std::printf("RESULT summary_view_s view=%s period=%s total=%.3f peak_mb=%.1f bare_s=%.3f\n",
            qPrintable(view), qPrintable(period), total, peak, bench::median(bare));
    } else {
        const double sum = bench::median(bare), adjusting = bench::median(adjust);
        QString lines;
        if (view == QLatin1String("perday"))
            lines = QStringLiteral(" lines_s=%1")
                        .arg(bareRun(handle, bareQuery(view, year, true), range), 0, 'f', 3);
        std::printf("RESULT summary_view_s view=%s period=%s total=%.3f peak_mb=%.1f bare_s=%.3f "
                    "bare_sum_s=%.3f bare_adjust_s=%.3f%s\n",
            qPrintable(view), qPrintable(period), total, peak, sum + adjusting, sum, adjusting,
            qPrintable(lines));
    }
    ShopDatabase::close();
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
