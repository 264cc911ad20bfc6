#include "GridGrouping.h"
#include "DataGrid.h"
#include <QHash>
#include <algorithm>
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

bool isAscii(QByteArrayView t)
{
    return std::all_of(t.begin(), t.end(), [](char c) { return uchar(c) < 0x80; });
}

// The distinct keys of a column, each with its place in the order sortByKey gives (QString's
// comparison without regard to case; keys it finds equal share a place) and the run key
// insertHeaders compares, as UTF-8.
struct DistinctKeys
{
    std::vector<quint32> ofRow; // row -> key
    std::vector<QByteArrayView> text; // key -> its cell, as the rows hold it
    std::vector<quint32> place; // key -> place in the sort
    std::vector<std::string> run; // key -> run key
};

DistinctKeys distinctKeys(const GridRows &rows, int keyCol)
{
    DistinctKeys k;
    k.ofRow.reserve(rows.size());
    QHash<QByteArrayView, quint32> ids;
    QByteArrayView previous;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QByteArrayView cell = rows.row(i).cell(keyCol);
        if (i > 0 && cell == previous) { // rows of one key mostly come together
            k.ofRow.push_back(k.ofRow.back());
            continue;
        }
        previous = cell;
        auto it = ids.constFind(cell);
        if (it == ids.constEnd()) {
            it = ids.insert(cell, quint32(k.text.size()));
            k.text.push_back(cell);
        }
        k.ofRow.push_back(*it);
    }
    const size_t n = k.text.size();
    // ASCII keys, by far the most, compare as their lower-case bytes: what the comparison
    // without regard to case gives for them; their run keys are their bytes in capitals
    // without blanks at the ends. Others go through QString.
    std::vector<QString> texts(n);
    std::vector<std::string> lower(n);
    std::vector<bool> ascii(n);
    k.run.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const QByteArrayView t = k.text[i];
        ascii[i] = isAscii(t);
        if (!ascii[i]) {
            texts[i] = QString::fromUtf8(t);
            k.run[i] = runKey(texts[i]).toStdString();
            continue;
        }
        lower[i].assign(t.data(), size_t(t.size()));
        for (char &c : lower[i])
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        qsizetype b = 0, e = t.size();
        while (b < e && t[b] == ' ')
            ++b;
        while (e > b && t[e - 1] == ' ')
            --e;
        std::string &run = k.run[i];
        run.assign(t.data() + b, size_t(e - b));
        for (char &c : run)
            if (c >= 'a' && c <= 'z')
                c = char(c - 'a' + 'A');
    }
    auto compare = [&](quint32 a, quint32 b) {
        if (ascii[a] && ascii[b])
            return lower[a].compare(lower[b]);
        const QString ta = ascii[a] ? QString::fromLatin1(lower[a]) : QString();
        const QString tb = ascii[b] ? QString::fromLatin1(lower[b]) : QString();
        return QString::compare(
            ascii[a] ? ta : texts[a], ascii[b] ? tb : texts[b], Qt::CaseInsensitive);
    };
    std::vector<quint32> order(n);
    for (quint32 i = 0; i < n; ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return compare(a, b) < 0; });
    k.place.assign(n, 0);
    for (size_t i = 1; i < n; ++i)
        k.place[order[i]] = k.place[order[i - 1]] + (compare(order[i - 1], order[i]) != 0);
    return k;
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

std::vector<Run> groupRows(GridRows &rows, int keyCol,
    const std::function<void(const Run &, const RunRows &, GridRows &)> &writeHeader)
{
    std::vector<Run> runs;
    const size_t n = rows.size();
    if (n == 0)
        return runs;
    const DistinctKeys keys = distinctKeys(rows, keyCol);

    // Rows of equal place keep their order: a counting sort by place.
    std::vector<quint32> start(keys.text.size() + 1, 0);
    for (quint32 key : keys.ofRow)
        ++start[keys.place[key] + 1];
    for (size_t p = 1; p < start.size(); ++p)
        start[p] += start[p - 1];
    std::vector<quint32> order(n);
    for (quint32 i = 0; i < n; ++i)
        order[start[keys.place[keys.ofRow[i]]]++] = i;

    std::vector<PackedRow> source = rows.takeRows();
    GridRows out;
    out.reserve(n + keys.text.size()); // at most a header row per distinct key
    int gridRow = 0;
    for (size_t i = 0; i < n;) {
        const quint32 first = keys.ofRow[order[i]];
        size_t end = i + 1;
        for (; end < n; ++end) {
            const quint32 key = keys.ofRow[order[end]];
            if (key != first && keys.run[key] != keys.run[first])
                break;
        }
        const int header = ++gridRow;
        const Run run { header, header + 1, header + int(end - i),
            QString::fromUtf8(keys.text[first]) };
        if (writeHeader)
            writeHeader(run, RunRows(source, order.data() + i, end - i), out);
        out.endRow();
        for (; i < end; ++i)
            out.addRow(std::move(source[order[i]]));
        gridRow = run.lastRow;
        runs.push_back(run);
    }
    rows = std::move(out);
    return runs;
}

} // namespace GridGrouping
