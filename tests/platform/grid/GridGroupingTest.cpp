#include "platform/grid/GridGrouping.h"
#include "platform/grid/DataGrid.h"
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
