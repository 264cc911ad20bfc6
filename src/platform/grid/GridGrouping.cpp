#include "GridGrouping.h"
#include "DataGrid.h"
#include <optional>

namespace {

// The key as runs compare it: blanks off both ends, in capitals.
QString runKey(const QString &cell)
{
    qsizetype b = 0, e = cell.size();
    while (b < e && cell[b] == QLatin1Char(' '))
        ++b;
    while (e > b && cell[e - 1] == QLatin1Char(' '))
        --e;
    return cell.mid(b, e - b).toUpper();
}

} // namespace

namespace GridGrouping {

void sortByKey(DataGrid &grid, int keyCol)
{
    grid.sortRows(1, grid.dataRowCount(), keyCol, Qt::AscendingOrder, DataGrid::SortKey::Text);
}

int insertHeaders(DataGrid &grid, int keyCol, const std::function<void(const Run &)> &onRun)
{
    int last = grid.dataRowCount();
    int runs = 0;
    std::optional<QString> previous;
    QString previousCell; // the last cell read: an equal text needs no trimming to compare
    std::optional<Run> open;
    for (int i = 1; i <= last;) {
        const QString cell = grid.getText(keyCol, i);
        if (previous && cell == previousCell) {
            ++i;
            continue;
        }
        previousCell = cell;
        const QString key = runKey(cell);
        if (previous && key == *previous) {
            ++i;
            continue;
        }
        if (open) {
            open->lastRow = i - 1;
            if (onRun)
                onRun(*open);
        }
        previous = key;
        grid.setMaxRows(grid.maxRows() + 1);
        grid.insertRows(i, 1);
        ++last;
        open = Run { i, i + 1, i + 1, grid.getText(keyCol, i + 1) };
        ++runs;
        i += 2;
    }
    if (open) {
        open->lastRow = last;
        if (onRun)
            onRun(*open);
    }
    grid.setMaxRows(grid.dataRowCount());
    return runs;
}

int groupByKey(DataGrid &grid, int keyCol, const std::function<void(const Run &)> &onRun)
{
    sortByKey(grid, keyCol);
    return insertHeaders(grid, keyCol, onRun);
}

} // namespace GridGrouping
