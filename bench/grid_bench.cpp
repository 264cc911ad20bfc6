// Fills the grid with a year of sale lines (500 000 rows of 13 columns, laid out as the sales
// summary lays them) and prints the times and the peak memory. With --memory the rows are made
// in memory instead of read from the generated shop.
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/grid/DataGrid.h"
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {

double peakMegabytes()
{
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0; // kilobytes on Linux
}

QString money(double v)
{
    return QString::number(v, 'f', 2);
}

std::vector<QStringList> rowsFromShop(int limit)
{
    Connection db;
    db.open(sharedShopDatabase());
    Recordset rs = db.query(QStringLiteral("SELECT Lsn, Lname, Ldes, Lraka, Lsell, Lvalue, Ldate2, "
                                           "Lno, Lrod FROM tblLog ORDER BY LPK LIMIT ?"),
        { limit });
    std::vector<QStringList> rows;
    rows.reserve(size_t(limit));
    for (; !rs.eof(); rs.moveNext()) {
        const double amount = rs.real(4) * double(rs.integer(5));
        rows.push_back({ QString(), rs.text(0), rs.text(1), rs.text(2), money(rs.real(3)),
            money(rs.real(4)), rs.text(5), money(amount), QString(), rs.text(6), rs.text(7),
            money(rs.real(8)), money(amount) });
    }
    return rows;
}

std::vector<QStringList> rowsInMemory(int count)
{
    std::vector<QStringList> rows;
    rows.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int qty = 1 + i % 5;
        const double price = 5 + (i * 7919 % 50000) / 100.0;
        rows.push_back({ QString(), QString::number(8850000000000LL + i % 100000),
            QStringLiteral(" สินค้าทดสอบ %1").arg(i % 100000), QStringLiteral("ขนาด %1").arg(i % 7),
            money(price * 0.8), money(price), QString::number(qty), money(price * qty), QString(),
            QStringLiteral("2026-%1-%2")
                .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                .arg(1 + i % 28, 2, 10, QLatin1Char('0')),
            QStringLiteral("INV-6911%1").arg(i / 4, 5, 10, QLatin1Char('0')), money(0),
            money(price * qty) });
    }
    return rows;
}

void layOut(DataGrid &grid)
{
    grid.setMaxRows(0);
    grid.setMaxCols(12);
    for (int c : { 0, 9, 10, 11, 12 })
        grid.setColWidth(c, 0);
    grid.setOddEvenRowColors(QColor(159, 185, 199), QColor(), QColor(240, 240, 240), QColor());
    grid.setForeColor(-1, -1, QColor(26, 26, 26));
    grid.setVAlign(-1, -1, Qt::AlignVCenter);
    grid.setCellKind(4, -1, CellKind::Money);
    grid.setCellKind(5, -1, CellKind::Money);
    grid.setCellKind(6, -1, CellKind::Number);
    grid.setRowHeight(-1, 25);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool inMemory = app.arguments().contains(QStringLiteral("--memory"));
    const int count = qEnvironmentVariableIntValue("GRID_BENCH_ROWS") > 0
        ? qEnvironmentVariableIntValue("GRID_BENCH_ROWS")
        : 500000;

    QElapsedTimer t;
    t.start();
    std::vector<QStringList> rows = inMemory ? rowsInMemory(count) : rowsFromShop(count);
    const double makeSeconds = t.nsecsElapsed() / 1e9;
    // Memory after each step, so a step that runs away shows itself.
    std::fprintf(stderr, "peak memory after reading the rows: %.1f MB\n", peakMegabytes());
    const size_t made = rows.size();
    std::vector<QStringList> second = rows; // shares the texts; for the cell-by-cell fill

    DataGrid grid;
    grid.resize(1200, 700);
    layOut(grid);
    grid.show();
    QCoreApplication::processEvents();

    t.restart();
    grid.setRows(std::move(rows));
    const double fillSeconds = t.nsecsElapsed() / 1e9;
    std::fprintf(stderr, "peak memory after bulk fill: %.1f MB\n", peakMegabytes());
    t.restart();
    grid.repaint();
    QCoreApplication::processEvents();
    const double paintSeconds = t.nsecsElapsed() / 1e9;
    std::fprintf(stderr, "peak memory after first paint: %.1f MB\n", peakMegabytes());
    t.restart();
    grid.setRedraw(false);
    grid.sortRows(1, grid.dataRowCount(), 10);
    grid.setRedraw(true);
    QCoreApplication::processEvents();
    const double sortSeconds = t.nsecsElapsed() / 1e9;
    std::fprintf(stderr, "peak memory after sort: %.1f MB\n", peakMegabytes());
    const double peakAfterBulk = peakMegabytes();

    // The way a window fills it when it writes cell by cell.
    layOut(grid);
    t.restart();
    grid.setMaxRows(int(second.size()));
    for (size_t r = 0; r < second.size(); ++r)
        for (int c = 0; c < second[r].size(); ++c)
            grid.setText(c, int(r) + 1, second[r][c]);
    QCoreApplication::processEvents();
    const double cellSeconds = t.nsecsElapsed() / 1e9;
    std::fprintf(stderr, "peak memory after cell-by-cell fill: %.1f MB\n", peakMegabytes());

    std::printf("grid_bench: %zu rows x 13 columns from %s\n", made,
        inMemory ? "memory" : "the generated shop's tblLog");
    std::printf("  reading the rows:              %8.3f s\n", makeSeconds);
    std::printf("  bulk fill (setRows):           %8.3f s\n", fillSeconds);
    std::printf("  first paint:                   %8.3f s\n", paintSeconds);
    std::printf("  sort by receipt (redraw off):  %8.3f s\n", sortSeconds);
    std::printf("  cell-by-cell fill (setText):   %8.3f s\n", cellSeconds);
    std::printf("  peak memory after bulk fill:   %8.1f MB\n", peakAfterBulk);
    std::printf("  peak memory (ru_maxrss):       %8.1f MB\n", peakMegabytes());
    return 0;
}
