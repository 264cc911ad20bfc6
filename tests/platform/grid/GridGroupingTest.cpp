#include "platform/grid/GridGrouping.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/GridRows.h"
#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

namespace {

using GroupRun = GridGrouping::Run;

// Rows of a key column 2 and a label column 1; column 0 holds each row's own key.
class GridGroupingTest : public ::testing::Test
{
protected:
    DataGrid grid;
    QAbstractItemModelTester tester { grid.model(),
        QAbstractItemModelTester::FailureReportingMode::Fatal };

    void SetUp() override
    {
        grid.resize(600, 400);
        grid.setMaxCols(3);
    }

    void fill(const std::vector<std::pair<const char *, const char *>> &rows)
    {
        grid.setMaxRows(int(rows.size()));
        int r = 0;
        for (const auto &[key, label] : rows) {
            ++r;
            grid.setText(0, r, QString::number(r));
            grid.setText(1, r, QString::fromUtf8(label));
            grid.setText(2, r, QString::fromUtf8(key));
        }
    }

    QStringList column(int col) const
    {
        QStringList out;
        for (int r = 1; r <= grid.maxRows(); ++r)
            out << grid.getText(col, r);
        return out;
    }

    // Groups by column 2; each header row gets "#" + its key, as a caller's caption would.
    std::vector<GroupRun> group()
    {
        std::vector<GroupRun> runs;
        const int n = GridGrouping::groupByKey(grid, 2, [&](const GroupRun &run) {
            grid.setText(1, run.headerRow, QStringLiteral("#") + run.key);
            runs.push_back(run);
        });
        EXPECT_EQ(n, int(runs.size()));
        return runs;
    }
};

} // namespace

namespace GridGrouping {
void PrintTo(const GroupRun &r, std::ostream *os)
{
    *os << "{" << r.headerRow << "," << r.firstRow << "," << r.lastRow << "," << r.key.toStdString()
        << "}";
}
} // namespace GridGrouping

TEST_F(GridGroupingTest, ThreeRunsOfTwoOneAndThreeRowsGetHeadersAtOneFourAndSix)
{
    // Shuffled: the sort brings each document's rows together and keeps their order.
    fill({ { "SA-2", "s1" }, { "INV-9", "i1" }, { "INV-3", "a1" }, { "SA-2", "s2" },
        { "SA-2", "s3" }, { "INV-3", "a2" } });
    const std::vector<GroupRun> runs = group();
    EXPECT_EQ(runs,
        (std::vector<GroupRun> {
            { 1, 2, 3, "INV-3" }, { 4, 5, 5, "INV-9" }, { 6, 7, 9, "SA-2" } }));
    EXPECT_EQ(grid.maxRows(), 9);
    EXPECT_EQ(column(1),
        (QStringList { "#INV-3", "a1", "a2", "#INV-9", "i1", "#SA-2", "s1", "s2", "s3" }));
    // The hidden column 0 travelled with its rows; header rows hold nothing there.
    EXPECT_EQ(column(0), (QStringList { "", "3", "6", "", "2", "", "1", "4", "5" }));
    EXPECT_EQ(
        column(2), (QStringList { "", "INV-3", "INV-3", "", "INV-9", "", "SA-2", "SA-2", "SA-2" }));
}

TEST_F(GridGroupingTest, RunsAndTheirKeys)
{
    struct Case
    {
        const char *name;
        std::vector<std::pair<const char *, const char *>> rows;
        std::vector<GroupRun> runs;
    } cases[] = {
        { "one row", { { "INV-1", "a" } }, { { 1, 2, 2, "INV-1" } } },
        { "one key", { { "K", "a" }, { "K", "b" }, { "K", "c" } }, { { 1, 2, 4, "K" } } },
        // Keys equal once trimmed and in capitals share a run under the first row's text.
        { "case and blanks", { { "inv-1", "a" }, { "INV-1 ", "b" }, { "INV-2", "c" } },
            { { 1, 2, 3, "inv-1" }, { 4, 5, 5, "INV-2" } } },
        // The first row always opens a run, even with an empty key; empty keys run together.
        { "empty keys", { { "", "a" }, { "", "b" }, { "X", "c" } },
            { { 1, 2, 3, "" }, { 4, 5, 5, "X" } } },
        { "a blank key is an empty one", { { " ", "a" }, { "", "b" } }, { { 1, 2, 3, "" } } },
        { "Thai keys", { { "ข", "a" }, { "ก", "b" } }, { { 1, 2, 2, "ก" }, { 3, 4, 4, "ข" } } },
    };
    for (const Case &c : cases) {
        grid.setMaxRows(0);
        fill(c.rows);
        EXPECT_EQ(group(), c.runs) << c.name;
        EXPECT_EQ(grid.maxRows(), int(c.rows.size() + c.runs.size())) << c.name;
    }
}

TEST_F(GridGroupingTest, RowColoursAndSpansTravelWithTheirRows)
{
    fill({ { "B", "b1" }, { "A", "a1" }, { "B", "b2" } });
    grid.setBackColor(1, 1, Qt::red); // b1
    grid.setBackColor(1, 2, Qt::green); // a1
    group();
    EXPECT_EQ(column(1), (QStringList { "#A", "a1", "#B", "b1", "b2" }));
    EXPECT_EQ(grid.backColor(1, 2), QColor(Qt::green));
    EXPECT_EQ(grid.backColor(1, 4), QColor(Qt::red));
    EXPECT_FALSE(grid.backColor(1, 3).isValid()); // a header row is the caller's to colour
    EXPECT_FALSE(grid.backColor(1, 5).isValid());
}

TEST_F(GridGroupingTest, TrailingBlankRowsStayOutsideAndGo)
{
    fill({ { "B", "b" }, { "A", "a" } });
    grid.setMaxRows(4); // two blank rows after the data
    group();
    EXPECT_EQ(column(1), (QStringList { "#A", "a", "#B", "b" }));
}

TEST_F(GridGroupingTest, AnEmptyGridHasNoRuns)
{
    int calls = 0;
    EXPECT_EQ(GridGrouping::groupByKey(grid, 2, [&](const GroupRun &) { ++calls; }), 0);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(grid.maxRows(), 0);
}

// Grouping rows before they go into a grid gives the grid groupByKey leaves: the same rows in
// the same order, the same runs and header rows. Keys that differ in case (ASCII or not), in
// blanks at the ends, empty keys, Thai keys, keys whose sort and run comparisons disagree, and
// long keys alike at the start.
TEST_F(GridGroupingTest, RowsGroupedBeforeTheGridMatchTheGridsOwnGrouping)
{
    const std::vector<std::vector<std::pair<const char *, const char *>>> cases = {
        { { "INV-2", "a" }, { "inv-1", "b" }, { "INV-1", "c" }, { "INV-2 ", "d" },
            { "inv-1", "e" } },
        { { "", "a" }, { " ", "b" }, { "X", "c" }, { "", "d" }, { "x", "e" } },
        { { "ข", "a" }, { "ก", "b" }, { "ข", "c" }, { "É-1", "d" }, { "é-1", "e" },
            { "E-1", "f" } },
        { { " A", "a" }, { "A", "b" }, { "a ", "c" }, { "B", "d" }, { " a", "e" }, { "[", "f" },
            { "_", "g" }, { "ß", "h" }, { "SS", "i" } },
        { { "K", "only" } },
        // Long keys that agree in their first sixteen characters.
        { { "DOCUMENT-NUMBER-0002", "a" }, { "document-number-0001", "b" },
            { "DOCUMENT-NUMBER-000", "c" }, { "DOCUMENT-NUMBER-0001 ", "d" },
            { "DOCUMENT-NUMBER-0002", "e" }, { "DOCUMENT-NUMBER-", "f" },
            { "document-number-", "g" } },
    };
    for (const auto &rows : cases) {
        grid.setMaxRows(0);
        fill(rows);
        GridRows packed;
        for (int r = 1; r <= grid.maxRows(); ++r)
            packed.addRow({ grid.getText(0, r), grid.getText(1, r), grid.getText(2, r) });
        const std::vector<GroupRun> runs = group();

        std::vector<GroupRun> packedRuns;
        const std::vector<int> headerRows = GridGrouping::groupRows(packed, 2,
            [&](const GroupRun &run, const GridGrouping::RunRows &group, GridRows &header) {
                packedRuns.push_back(run);
                header.add(QString());
                header.add(QStringLiteral("#") + run.key);
                header.add(QString());
                header.add(group.last().text(0)); // the run's last row reaches the header
            });
        EXPECT_EQ(packedRuns, runs) << rows.front().first;
        std::vector<int> runHeaders;
        for (const GroupRun &run : runs)
            runHeaders.push_back(run.headerRow);
        EXPECT_EQ(headerRows, runHeaders) << rows.front().first;
        ASSERT_EQ(packed.size(), size_t(grid.maxRows()));
        for (int r = 1; r <= grid.maxRows(); ++r) {
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(packed.row(size_t(r - 1)).text(c), grid.getText(c, r))
                    << rows.front().first << " row " << r << " col " << c;
        }
        for (const GroupRun &run : runs)
            EXPECT_EQ(packed.row(size_t(run.headerRow - 1)).text(3), grid.getText(0, run.lastRow));
    }
}
