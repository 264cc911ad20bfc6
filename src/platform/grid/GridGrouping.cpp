#include "GridGrouping.h"
#include "DataGrid.h"
#include "platform/db/TextMatch.h"
#include <algorithm>
#include <optional>
#include <unordered_map>

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

QByteArrayView trimmedOfBlanks(QByteArrayView t)
{
    qsizetype b = 0, e = t.size();
    while (b < e && t[b] == ' ')
        ++b;
    while (e > b && t[e - 1] == ' ')
        --e;
    return t.sliced(b, e - b);
}

// Rows that stand together with the same key cell: the keys of one document or receipt mostly
// come together, so there are about as many of these as distinct keys, and sorting them sorts
// the rows without a key per row.
struct KeyStretch
{
    KeyStretch(const QByteArrayView key, quint32 firstRow, quint32 rowCount)
        : first(firstRow)
        , count(rowCount)
        , ascii(isAscii(key))
        , whole(key.size() <= 16)
    {
        // The first 16 lower-case bytes, big-endian: most keys are decided by two integer
        // comparisons, without reaching the rows.
        for (qsizetype i = 0; ascii && i < 16; ++i) {
            const quint64 byte = i < key.size() ? uchar(foldCase(key[i])) : 0;
            (i < 8 ? high : low) |= byte << (8 * (7 - i % 8));
        }
    }
    quint64 high = 0, low = 0;
    quint32 first; // its first row
    quint32 count;
    bool ascii; // its key is ASCII only: compared as bytes, no string made
    bool whole; // the two integers hold the whole key
};

// The keys as sortByKey and insertHeaders compare them, on the UTF-8 cells. ASCII keys, by far
// the most, compare as their lower-case bytes (what QString's comparison without regard to case
// gives for them) and form runs by their bytes without blanks at the ends, without regard to
// case; the others go through QString, made once per key.
class KeyComparison
{
public:
    explicit KeyComparison(const PackedRows &rows, int keyCol)
        : m_rows(rows)
        , m_keyCol(keyCol)
    { }
    QByteArrayView key(const KeyStretch &s) const { return m_rows[s.first].cell(m_keyCol); }

    // The sort's order: below zero when a comes first.
    int compare(const KeyStretch &a, const KeyStretch &b)
    {
        if (a.ascii && b.ascii) {
            if (a.high != b.high)
                return a.high < b.high ? -1 : 1;
            if (a.low != b.low)
                return a.low < b.low ? -1 : 1;
        }
        const QByteArrayView x = key(a), y = key(b);
        if (a.ascii && b.ascii) {
            if (a.whole && b.whole)
                return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
            return compareNoCase(x, y);
        }
        return QString::compare(sortText(a), sortText(b), Qt::CaseInsensitive);
    }

    // Whether two keys make one run.
    bool sameRun(const KeyStretch &a, const KeyStretch &b)
    {
        const QByteArrayView x = key(a), y = key(b);
        if (x == y)
            return true;
        if (a.ascii && b.ascii)
            return compareNoCase(trimmedOfBlanks(x), trimmedOfBlanks(y)) == 0;
        return runKey(QString::fromUtf8(x)) == runKey(QString::fromUtf8(y));
    }

private:
    const QString &sortText(const KeyStretch &s)
    {
        const char *at = key(s).data();
        auto it = m_texts.find(at);
        if (it == m_texts.end()) {
            const QByteArrayView k = key(s);
            QString text;
            if (s.ascii) {
                QByteArray lower = k.toByteArray();
                for (char &c : lower)
                    c = foldCase(c);
                text = QString::fromLatin1(lower);
            } else {
                text = QString::fromUtf8(k);
            }
            it = m_texts.emplace(at, std::move(text)).first;
        }
        return it->second;
    }
    const PackedRows &m_rows;
    int m_keyCol;
    std::unordered_map<const char *, QString> m_texts; // by where the key's bytes are
};

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

std::vector<int> groupRows(GridRows &rows, int keyCol,
    const std::function<void(const Run &, const RunRows &, GridRows &)> &writeHeader)
{
    std::vector<int> headers;
    const size_t n = rows.size();
    if (n == 0)
        return headers;
    PackedRows source = rows.takeRows();
    std::vector<KeyStretch> stretches;
    for (size_t i = 0; i < n;) {
        const QByteArrayView cell = source[i].cell(keyCol);
        size_t end = i + 1;
        while (end < n && source[end].cell(keyCol) == cell)
            ++end;
        stretches.emplace_back(cell, quint32(i), quint32(end - i));
        i = end;
    }
    // A stable sort: rows of keys that compare equal keep the order they had. Rows read in the
    // order of their keys (a year's lines by receipt) are left as they come.
    KeyComparison keys(source, keyCol);
    const auto less
        = [&](const KeyStretch &a, const KeyStretch &b) { return keys.compare(a, b) < 0; };
    if (!std::is_sorted(stretches.begin(), stretches.end(), less))
        std::stable_sort(stretches.begin(), stretches.end(), less);

    GridRows out;
    out.reserve(n + stretches.size()); // at most a header row per stretch
    std::vector<quint32> runRows; // the rows of the open run, as they will stand
    int gridRow = 0;
    for (size_t i = 0; i < stretches.size();) {
        const KeyStretch &first = stretches[i];
        size_t end = i + 1;
        while (end < stretches.size() && keys.sameRun(first, stretches[end]))
            ++end;
        runRows.clear();
        for (size_t s = i; s < end; ++s)
            for (quint32 r = 0; r < stretches[s].count; ++r)
                runRows.push_back(stretches[s].first + r);
        const int header = ++gridRow;
        const Run run { header, header + 1, header + int(runRows.size()),
            QString::fromUtf8(keys.key(first)) };
        if (writeHeader)
            writeHeader(run, RunRows(source, runRows.data(), runRows.size()), out);
        out.endRow();
        for (const quint32 r : runRows)
            out.addRow(std::move(source[r]));
        gridRow = run.lastRow;
        headers.push_back(run.headerRow);
        i = end;
    }
    rows = std::move(out);
    return headers;
}

} // namespace GridGrouping
