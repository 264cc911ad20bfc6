// Fills the grid with a year of sale lines from the generated shop (500 000 rows of 13 columns
// per shop scale, laid out as the sales summary lays them) the way the windows that show a year
// fill it: the query read straight into packed rows, the rows grouped under one header row per
// receipt before they go into the grid, setRows, the header rows coloured and joined, a column
// coloured by its text, and the first paint. Beside it, in the same run, the bare limit: the same
// query stepped with every column's text taken; the peak memory at that point. Then, for the
// record, a sort and a cell-by-cell fill, each with the memory after it. With --memory the rows
// are made in memory instead.
#include "BenchSupport.h"
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/GridGrouping.h"
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

// The grid's columns: 0 key (empty), 1 code, 2 name, 3 description, 4 cost, 5 price,
// 6 quantity, 7 amount, 8 (empty), 9 date, 10 receipt, 11 discount, 12 amount.
const char *kQuery = "SELECT Lsn, Lname, Ldes, Lraka, Lsell, Lvalue, Lsell * Lvalue, Ldate2, Lno, "
                     "Lrod FROM tblLog ORDER BY LPK LIMIT ?";

qint64 bareRead(Connection &db, int limit)
{
    qint64 bytes = 0;
    Recordset rs = db.query(QString::fromLatin1(kQuery), { limit });
    for (; !rs.eof(); rs.moveNext())
        for (int i = 0; i < 10; ++i)
            bytes += rs.utf8(i).size();
    return bytes;
}

GridRows rowsFromShop(Connection &db, int limit)
{
    GridRows rows;
    rows.reserve(size_t(limit));
    Recordset rs = db.query(QString::fromLatin1(kQuery), { limit });
    for (; !rs.eof(); rs.moveNext()) {
        rows.addUtf8({});
        for (int i = 0; i < 7; ++i)
            rows.addUtf8(rs.utf8(i));
        rows.addUtf8({});
        for (int i = 7; i < 10; ++i)
            rows.addUtf8(rs.utf8(i));
        rows.addUtf8(rs.utf8(6));
        rows.endRow();
    }
    return rows;
}

GridRows rowsInMemory(int count)
{
    GridRows rows;
    rows.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int qty = 1 + i % 5;
        const double price = 5 + (i * 7919 % 50000) / 100.0;
        rows.addRow({ QString(), QString::number(8850000000000LL + i % 100000),
            QStringLiteral(" สินค้าทดสอบ %1").arg(i % 100000), QStringLiteral("ขนาด %1").arg(i % 7),
            QString::number(price * 0.8), QString::number(price), QString::number(qty),
            QString::number(price * qty), QString(),
            QStringLiteral("2026-%1-%2")
                .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                .arg(1 + i % 28, 2, 10, QLatin1Char('0')),
            QStringLiteral("INV-6911%1").arg(i / 4, 5, 10, QLatin1Char('0')), QStringLiteral("0"),
            QString::number(price * qty) });
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
    grid.setCellKind(7, -1, CellKind::Money);
    grid.setRowHeight(-1, 25);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);
    const bool inMemory = app.arguments().contains(QStringLiteral("--memory"));
    const int count = qEnvironmentVariableIntValue("GRID_BENCH_ROWS") > 0
        ? qEnvironmentVariableIntValue("GRID_BENCH_ROWS")
        : 500000 * shopScale();

    std::printf("grid_bench: %d rows x 13 columns from %s\n", count,
        inMemory ? "memory" : "the generated shop's tblLog");
    Connection db;
    double bareSeconds = 0;
    if (!inMemory) {
        db.open(sharedShopDatabase());
        bareRead(db, count); // the file into the page cache, so neither side reads the disk
        QElapsedTimer t;
        t.start();
        const qint64 bytes = bareRead(db, count);
        bareSeconds = double(t.nsecsElapsed()) / 1e9;
        std::printf("  bare read of the rows:         %8.3f s (%.1f MB of text)\n", bareSeconds,
            double(bytes) / 1e6);
    }

    DataGrid grid;
    grid.resize(1200, 700);
    layOut(grid);
    grid.show();
    QCoreApplication::processEvents();
    bench::PaintWatch paint(grid.viewport());
    const double baseMb = bench::peakMegabytes();

    // The measured fill: query, rows, setRows, first paint.
    QElapsedTimer t;
    t.start();
    GridRows rows = inMemory ? rowsInMemory(count) : rowsFromShop(db, count);
    const double readSeconds = double(t.nsecsElapsed()) / 1e9;
    const size_t made = rows.size();
    paint.arm();
    const std::vector<int> headerRows = GridGrouping::groupRows(rows, 10,
        [](const GridGrouping::Run &run, const GridGrouping::RunRows &group, GridRows &header) {
            header.addUtf8({});
            header.add(run.key);
            header.add(QStringLiteral("[ วันที่ ") + group.last().text(9) + QStringLiteral(" ]"));
        });
    grid.setRedraw(false);
    grid.setRows(std::move(rows));
    grid.setBackColorForText(11, QStringLiteral("0"), QColor(150, 185, 175));
    for (const int headerRow : headerRows) {
        grid.setBackColor(-1, headerRow, QColor(219, 226, 224));
        grid.setForeColor(-1, headerRow, QColor(21, 66, 139));
        grid.addSpan(2, headerRow, 7, 1);
    }
    grid.setActiveCell(1, 1);
    grid.setRedraw(true);
    const double setRowsSeconds = double(t.nsecsElapsed()) / 1e9 - readSeconds;
    paint.wait();
    const double totalSeconds = double(t.nsecsElapsed()) / 1e9;
    const double fillPeakMb = bench::peakMegabytes();

    std::printf("  rows read and packed:          %8.3f s (%zu rows)\n", readSeconds, made);
    std::printf("  grouped, setRows, styled:      %8.3f s (%zu receipts)\n", setRowsSeconds,
        headerRows.size());
    std::printf(
        "  first paint:                   %8.3f s\n", totalSeconds - readSeconds - setRowsSeconds);
    std::printf("  fill in all:                   %8.3f s", totalSeconds);
    if (bareSeconds > 0)
        std::printf(" = %.2f x the bare read (aim: at most 1.5)", totalSeconds / bareSeconds);
    std::printf("\n  peak memory after the fill:    %8.1f MB (%.1f MB before it; aim: under 400)\n",
        fillPeakMb, baseMb);

    t.restart();
    grid.setRedraw(false);
    grid.sortRows(1, grid.dataRowCount(), 1);
    grid.setRedraw(true);
    QCoreApplication::processEvents();
    std::printf("  sort by code (redraw off):      %8.3f s, peak memory after it %.1f MB\n",
        double(t.nsecsElapsed()) / 1e9, bench::peakMegabytes());

    // The way a window fills it when it writes cell by cell, from the grid's own texts.
    if (!app.arguments().contains(QStringLiteral("--no-cells"))) {
        DataGrid second;
        layOut(second);
        t.restart();
        const int n = grid.maxRows();
        second.setMaxRows(n);
        for (int r = 1; r <= n; ++r)
            for (int c = 0; c <= 12; ++c)
                second.setText(c, r, grid.getText(c, r));
        QCoreApplication::processEvents();
        std::printf("  cell-by-cell fill (setText):   %8.3f s, peak memory after it %.1f MB\n",
            double(t.nsecsElapsed()) / 1e9, bench::peakMegabytes());
    }

    std::printf("RESULT grid_fill_s total=%.3f peak_mb=%.1f bare_s=%.3f rows=%zu\n", totalSeconds,
        fillPeakMb, bareSeconds, made);
    return 0;
}
