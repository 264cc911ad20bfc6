#pragma once
#include "GridRows.h"
#include <QString>
#include <functional>
#include <vector>

class DataGrid;

// Groups a grid's rows under header rows: the rows are sorted by a key column, then an empty
// row is inserted above every run of rows with the same key. It knows rows and the key column
// only; the caller colours the header rows and writes their captions from the run it is given.
namespace GridGrouping {

struct Run
{
    int headerRow = 0; // the row inserted above the run
    int firstRow = 0; // the run's data rows, below the header row
    int lastRow = 0;
    QString key; // the key cell of the run's first row, as it holds it
    int rowCount() const { return lastRow - firstRow + 1; }
    bool operator==(const Run &) const = default;
};

// Stable sort of rows 1 to the last row holding data, ascending by the key column's text
// without regard to case. Whole rows move, every column and the rows' colours and spans with
// them, so rows of equal keys keep the order they had.
void sortByKey(DataGrid &grid, int keyCol);

// Walks rows 1 to the last row holding data, as they stand, and inserts one empty row above
// every run of rows whose keys are equal once trimmed of blanks at both ends and raised to
// capitals (the first row always starts a run, an empty key included). Calls onRun once per
// run, in order, once the run's last row is known; it may write into the run's rows and the
// rows above, never below. Leaves the row count at the last row holding data. Returns the
// number of runs. The caller suspends the grid's drawing around it.
int insertHeaders(DataGrid &grid, int keyCol, const std::function<void(const Run &)> &onRun);

// sortByKey, then insertHeaders.
int groupByKey(DataGrid &grid, int keyCol, const std::function<void(const Run &)> &onRun);

// The data rows of one run, in the order they will stand under its header row.
class RunRows
{
public:
    RunRows(const PackedRows &rows, const quint32 *order, size_t count)
        : m_rows(rows)
        , m_order(order)
        , m_count(count)
    { }
    size_t size() const { return m_count; }
    const PackedRow &operator[](size_t i) const { return m_rows[m_order[i]]; }
    const PackedRow &last() const { return (*this)[m_count - 1]; }

private:
    const PackedRows &m_rows;
    const quint32 *m_order;
    size_t m_count;
};

// The same grouping as groupByKey, done on rows before they go into a grid, so a big list is
// grouped without a row insert or a string per cell: `rows` become the rows groupByKey would
// leave in the grid, header rows included. writeHeader fills each header row, from column 0,
// into `header` (the row is closed after it); it gets the run, numbered as grid rows, and the
// run's data rows. Returns the header rows in order (a year has a million runs: their keys are
// in the header rows the caller wrote, not kept twice).
std::vector<int> groupRows(GridRows &rows, int keyCol,
    const std::function<void(const Run &run, const RunRows &runRows, GridRows &header)>
        &writeHeader);

} // namespace GridGrouping
