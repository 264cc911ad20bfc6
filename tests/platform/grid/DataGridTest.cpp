#include "platform/grid/DataGrid.h"
#include "platform/grid/GridGrouping.h"
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <set>

namespace {

// A grid laid out like the windows' grids: hidden key in column 0, data from column 1.
class DataGridTest : public ::testing::Test
{
protected:
    DataGrid grid;
    QAbstractItemModelTester tester { grid.model(),
        QAbstractItemModelTester::FailureReportingMode::Fatal };

    void SetUp() override
    {
        grid.resize(700, 300);
        grid.setMaxCols(4);
        grid.setColWidth(0, 0);
        for (int c = 1; c <= 4; ++c)
            grid.setColWidth(c, 12);
    }

    // Rows "k1".."kn" in column 0 and "r1".."rn" in column 1.
    void fill(int n)
    {
        grid.setMaxRows(n);
        for (int r = 1; r <= n; ++r) {
            grid.setText(0, r, QStringLiteral("k%1").arg(r));
            grid.setText(1, r, QStringLiteral("r%1").arg(r));
        }
    }

    QStringList column(int col) const
    {
        QStringList out;
        for (int r = 1; r <= grid.maxRows(); ++r)
            out << grid.getText(col, r);
        return out;
    }

    QPoint cellCentre(int col, int row) const
    {
        return grid.visualRect(grid.model()->index(row - 1, col)).center();
    }
};

TEST_F(DataGridTest, RowCountAddsAndDropsRowsAtTheEnd)
{
    fill(3);
    grid.setMaxRows(5);
    EXPECT_EQ(column(1), (QStringList { "r1", "r2", "r3", "", "" }));
    EXPECT_EQ(grid.dataRowCount(), 3);
    grid.setMaxRows(2);
    EXPECT_EQ(column(1), (QStringList { "r1", "r2" }));
    grid.setMaxRows(0);
    EXPECT_EQ(grid.maxRows(), 0);
    EXPECT_EQ(grid.dataRowCount(), 0);
    EXPECT_EQ(grid.getText(1, 1), "");
}

TEST_F(DataGridTest, InsertBeforeRowOneMovesRowsDown)
{
    fill(3);
    grid.setBackColor(2, 1, QColor(215, 159, 158));
    grid.setMaxRows(4); // the callers raise the count, then insert
    grid.insertRows(1, 1);
    EXPECT_EQ(grid.maxRows(), 4);
    EXPECT_EQ(column(0), (QStringList { "", "k1", "k2", "k3" }));
    EXPECT_EQ(column(1), (QStringList { "", "r1", "r2", "r3" }));
    EXPECT_EQ(grid.backColor(2, 2), QColor(215, 159, 158)); // attributes move with the row
    EXPECT_FALSE(grid.backColor(2, 1).isValid());

    // Inserting without raising the count first never pushes a line off the end.
    grid.insertRows(3, 1);
    EXPECT_EQ(grid.maxRows(), 5);
    EXPECT_EQ(column(1), (QStringList { "", "r1", "", "r2", "r3" }));
}

TEST_F(DataGridTest, DeleteMovesTheRestUpAndLeavesTheCountToTheCaller)
{
    fill(4);
    grid.deleteRows(2, 1);
    EXPECT_EQ(column(0), (QStringList { "k1", "k3", "k4", "" }));
    EXPECT_EQ(grid.dataRowCount(), 3);
    grid.setMaxRows(grid.maxRows() - 1);
    EXPECT_EQ(column(1), (QStringList { "r1", "r3", "r4" }));
    grid.deleteRows(1, 10); // more than there are: every row from 1 on
    EXPECT_EQ(grid.dataRowCount(), 0);
    EXPECT_EQ(grid.maxRows(), 3);
}

TEST_F(DataGridTest, ManyInsertsAndDeletesKeepTheOrder)
{
    // Grouping inserts at advancing positions, then the collapse deletes; checked against a
    // plain list.
    fill(50);
    QStringList expected = column(1);
    for (int r = 1; r <= grid.maxRows(); r += 3) {
        grid.setMaxRows(grid.maxRows() + 1);
        grid.insertRows(r, 1);
        grid.setText(1, r, QStringLiteral("h%1").arg(r));
        expected.insert(r - 1, QStringLiteral("h%1").arg(r));
    }
    EXPECT_EQ(column(1), expected);
    for (int r = 1; r <= grid.maxRows();) {
        if (grid.getText(1, r).startsWith(u'r')) {
            grid.deleteRows(r, 1);
            grid.setMaxRows(grid.maxRows() - 1);
            expected.removeAt(r - 1);
        } else {
            ++r;
        }
    }
    EXPECT_EQ(column(1), expected);
    grid.insertRows(1, 2);
    expected.insert(0, "");
    expected.insert(0, "");
    EXPECT_EQ(column(1), expected);
}

TEST_F(DataGridTest, WidthZeroHidesTheColumnAndKeepsItsText)
{
    fill(2);
    grid.setColWidth(3, 0);
    grid.setText(3, 2, "hidden");
    EXPECT_TRUE(grid.isColumnHidden(3));
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.getText(3, 2), "hidden");
    EXPECT_EQ(grid.getText(0, 2), "k2");
    grid.setColWidth(3, 10);
    EXPECT_FALSE(grid.isColumnHidden(3));
    // The unit is the width of "0" in the grid's font.
    const double zero = QFontMetricsF(grid.font()).horizontalAdvance(u'0');
    EXPECT_NEAR(grid.columnWidth(3), 10 * zero, 1.0);
    EXPECT_DOUBLE_EQ(grid.colWidth(3), 10);
}

TEST_F(DataGridTest, NumberAndMoneyCellsShowTheirFormatAndKeepTheText)
{
    struct Case
    {
        CellKind kind;
        int decimals;
        QString text;
        QString shown;
    };
    const Case cases[] = {
        { CellKind::Money, 2, "1250", "1,250.00" },
        { CellKind::Money, 2, "1,250.5", "1,250.50" },
        { CellKind::Money, 2, "2.675", "2.68" }, // halves away from zero, on the digits
        { CellKind::Money, 2, "-0.005", "-0.01" },
        { CellKind::Money, 2, "-0.001", "0.00" },
        { CellKind::Money, 2, "1234567.891", "1,234,567.89" },
        { CellKind::Money, 2, "999.995", "1,000.00" },
        { CellKind::Money, 2, "", "" },
        { CellKind::Money, 2, "abc", "abc" },
        { CellKind::Number, 0, "12", "12" },
        { CellKind::Number, 0, "2.5", "3" },
        { CellKind::Number, 0, "-7", "-7" },
        { CellKind::Number, 0, "1500", "1500" },
        { CellKind::Text, 0, "1250", "1250" },
    };
    grid.setMaxRows(1);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        grid.setCellKind(2, -1, c.kind, c.decimals);
        grid.setText(2, 1, c.text);
        EXPECT_EQ(grid.displayText(2, 1), c.shown);
        EXPECT_EQ(grid.model()->index(0, 2).data().toString(), c.shown);
        EXPECT_EQ(grid.getText(2, 1), c.text);
    }
    // A cell kind on one cell wins over its column's.
    grid.setCellKind(2, 1, CellKind::Text);
    grid.setText(2, 1, "1250");
    EXPECT_EQ(grid.displayText(2, 1), "1250");
}

TEST_F(DataGridTest, ColoursReadBackWhereTheyWereSet)
{
    fill(3);
    const QColor wholesale(215, 159, 158);
    grid.setBackColor(2, 2, wholesale);
    EXPECT_EQ(grid.backColor(2, 2), wholesale);
    EXPECT_EQ(grid.model()->index(1, 2).data(Qt::BackgroundRole).value<QColor>(), wholesale);
    for (int r = 1; r <= 3; ++r) {
        for (int c = 0; c <= 4; ++c) {
            if (r != 2 || c != 2) {
                EXPECT_FALSE(grid.backColor(c, r).isValid()) << c << "," << r;
            }
        }
    }

    // Cell over row over column over grid; alternating colours only where nothing is set.
    grid.setOddEvenRowColors(QColor(159, 185, 199), QColor(), QColor(240, 240, 240), QColor());
    grid.setForeColor(-1, -1, QColor(26, 26, 26));
    grid.setBackColor(-1, 3, QColor(219, 226, 224));
    grid.setForeColor(-1, 3, QColor(21, 66, 139));
    auto back = [&](int c, int r) {
        return grid.model()->index(r - 1, c).data(Qt::BackgroundRole).value<QColor>();
    };
    auto fore = [&](int c, int r) {
        return grid.model()->index(r - 1, c).data(Qt::ForegroundRole).value<QColor>();
    };
    EXPECT_EQ(back(1, 1), QColor(159, 185, 199));
    EXPECT_EQ(back(1, 2), QColor(240, 240, 240));
    EXPECT_EQ(back(2, 2), wholesale);
    EXPECT_EQ(back(4, 3), QColor(219, 226, 224));
    EXPECT_EQ(fore(1, 1), QColor(26, 26, 26));
    EXPECT_EQ(fore(1, 3), QColor(21, 66, 139));
}

// A colour given to the cells of a column by their text shows as if set on each such cell:
// it goes with the text when rows are sorted or a cell is written, over the alternating
// colours, under any colour set after it, and an invalid colour takes it away.
TEST_F(DataGridTest, ColourByTextShowsWhereTheColumnHoldsTheText)
{
    const QColor sale(150, 185, 175), header(219, 226, 224), odd(159, 185, 199);
    grid.setRows(std::vector<QStringList> {
        { "k1", "sale" }, { "k2", "stock" }, { "k3", "sale" }, { "k4", "Sale" } });
    grid.setOddEvenRowColors(odd, QColor(), odd, QColor());
    grid.setBackColorForText(1, QStringLiteral("sale"), sale);
    auto shown = [&](int c, int r) {
        return grid.model()->index(r - 1, c).data(Qt::BackgroundRole).value<QColor>();
    };
    auto salesAt = [&] {
        std::vector<int> rows;
        for (int r = 1; r <= grid.maxRows(); ++r)
            if (grid.backColor(1, r) == sale && shown(1, r) == sale)
                rows.push_back(r);
        return rows;
    };
    EXPECT_EQ(salesAt(), (std::vector<int> { 1, 3 })) << "the exact text only";
    EXPECT_FALSE(grid.backColor(2, 1).isValid()) << "its own column only";
    EXPECT_EQ(shown(1, 2), odd);

    grid.sortRows(1, 4, 0, Qt::DescendingOrder);
    EXPECT_EQ(salesAt(), (std::vector<int> { 2, 4 }));
    grid.setText(1, 1, QStringLiteral("sale"));
    grid.setText(1, 2, QStringLiteral("return"));
    EXPECT_EQ(salesAt(), (std::vector<int> { 1, 4 }));

    grid.setBackColor(-1, 4, header); // a row coloured later wins
    EXPECT_EQ(shown(1, 4), header);
    grid.setBackColorForText(1, QStringLiteral("sale"), sale); // set again: wins again
    EXPECT_EQ(shown(1, 4), sale);
    grid.setBackColorForText(1, QStringLiteral("sale"), QColor());
    EXPECT_EQ(salesAt(), std::vector<int> {});
    EXPECT_EQ(shown(1, 1), odd);
}

TEST_F(DataGridTest, AlignmentKindAndLockLayerFromGridToCell)
{
    fill(2);
    grid.setVAlign(-1, -1, Qt::AlignVCenter);
    grid.setHAlign(1, -1, Qt::AlignHCenter);
    grid.setHAlign(1, 2, Qt::AlignLeft);
    grid.setHAlign(2, 0, Qt::AlignLeft);
    EXPECT_EQ(grid.alignment(1, 1), Qt::AlignHCenter | Qt::AlignVCenter);
    EXPECT_EQ(grid.alignment(1, 2), Qt::AlignLeft | Qt::AlignVCenter);
    EXPECT_EQ(grid.alignment(2, 0) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    EXPECT_TRUE(grid.model()->flags(grid.model()->index(0, 1)) & Qt::ItemIsEditable);
    grid.setLocked(1, -1, true);
    EXPECT_TRUE(grid.isLocked(1, 2));
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(grid.model()->flags(grid.model()->index(0, 2)) & Qt::ItemIsEditable);
    grid.setReadOnly(true);
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 2)) & Qt::ItemIsEditable);
}

TEST_F(DataGridTest, ASettingOnAWholeColumnMadeLaterReachesCellsThatHadTheirOwn)
{
    // The per-day summary: header rows get their own alignment and kind, then the view sets
    // whole columns and expects every row to follow.
    fill(3);
    grid.setCellKind(4, -1, CellKind::Money);
    grid.setHAlign(3, 2, Qt::AlignLeft);
    grid.setCellKind(4, 2, CellKind::Text);
    grid.setBackColor(-1, 2, QColor(219, 226, 224));
    grid.setLocked(1, 2, true);
    grid.setHAlign(3, -1, Qt::AlignRight);
    grid.setCellKind(4, -1, CellKind::Edit);
    grid.setBackColor(1, -1, Qt::yellow);
    grid.setLocked(-1, -1, false);
    for (int r = 1; r <= 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(grid.alignment(3, r) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        EXPECT_EQ(grid.cellKind(4, r), CellKind::Edit);
        EXPECT_EQ(grid.backColor(1, r), QColor(Qt::yellow));
        EXPECT_FALSE(grid.isLocked(1, r));
    }
    EXPECT_EQ(grid.backColor(2, 2), QColor(219, 226, 224)); // the rest of the row keeps its own

    // A cell set after its column keeps its own value.
    grid.setHAlign(3, 1, Qt::AlignHCenter);
    EXPECT_EQ(grid.alignment(3, 1) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(grid.alignment(3, 2) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(DataGridTest, HeaderRowHoldsTheTitlesAndCanBeJoined)
{
    grid.setText(1, 0, QStringLiteral("รหัสสินค้า"));
    grid.setText(2, 0, QStringLiteral(" ชื่อสินค้า"));
    EXPECT_EQ(grid.getText(2, 0), QStringLiteral(" ชื่อสินค้า"));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("รหัสสินค้า"));
    grid.addSpan(2, 0, 3, 1);
    ASSERT_TRUE(grid.gridModel()->headerSpanCovering(4).has_value());
    EXPECT_EQ(grid.gridModel()->headerSpanCovering(3)->col, 2);
    EXPECT_FALSE(grid.gridModel()->headerSpanCovering(1).has_value());
    grid.removeSpan(2, 0);
    EXPECT_FALSE(grid.gridModel()->headerSpanCovering(3).has_value());
}

TEST_F(DataGridTest, SpanOnARowShowsItsCaptionAcrossAndTravelsWithTheRow)
{
    fill(3);
    grid.setText(2, 2, QStringLiteral("[ เมื่อ 08/12/2569 ][ โดย admin ]"));
    grid.addSpan(2, 2, 3, 1);
    EXPECT_EQ(grid.columnSpan(1, 2), 3);
    EXPECT_EQ(grid.rowSpan(1, 2), 1);
    const QRect spanned = grid.visualRect(grid.model()->index(1, 2));
    const QRect single = grid.visualRect(grid.model()->index(0, 2));
    EXPECT_GT(spanned.width(), 2 * single.width());

    grid.setMaxRows(4);
    grid.insertRows(1, 1);
    EXPECT_EQ(grid.columnSpan(2, 2), 3);
    EXPECT_EQ(grid.gridModel()->spanAt(2, 3)->cols, 3);
    grid.sortRows(1, 4, 0, Qt::DescendingOrder); // k3, k2 (the spanned one), k1, ""
    EXPECT_EQ(grid.getText(0, 2), "k2");
    EXPECT_EQ(grid.columnSpan(1, 2), 3);
    EXPECT_EQ(grid.columnSpan(2, 2), 1);
    grid.removeSpan(2, 2);
    EXPECT_EQ(grid.columnSpan(1, 2), 1);
}

TEST_F(DataGridTest, RowsStyledAlikeKeepTheirOwnSettingsWhenOneChanges)
{
    fill(6);
    for (int r : { 2, 4, 6 }) {
        grid.setBackColor(DataGrid::All, r, Qt::yellow);
        grid.setHAlign(3, r, Qt::AlignRight);
        grid.addSpan(2, r, 3, 1);
    }
    grid.setBackColor(DataGrid::All, 4, Qt::red);
    grid.removeSpan(2, 6);
    EXPECT_EQ(grid.backColor(1, 2), QColor(Qt::yellow));
    EXPECT_EQ(grid.backColor(1, 4), QColor(Qt::red));
    EXPECT_EQ(grid.backColor(1, 6), QColor(Qt::yellow));
    EXPECT_FALSE(grid.backColor(1, 3).isValid());
    EXPECT_EQ(grid.columnSpan(1, 2), 3);
    EXPECT_EQ(grid.columnSpan(3, 2), 3);
    EXPECT_EQ(grid.columnSpan(5, 2), 1);

    // A column set later reaches the styled rows; a row set after that wins on its row only.
    grid.setHAlign(3, DataGrid::All, Qt::AlignLeft);
    EXPECT_EQ(grid.alignment(3, 2) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    grid.setHAlign(3, 2, Qt::AlignHCenter);
    EXPECT_EQ(grid.alignment(3, 2) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(grid.alignment(3, 4) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(grid.alignment(3, 6) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
}

TEST_F(DataGridTest, JoinedCellsShowOnEveryRowOfABigGrid)
{
    GridRows rows;
    for (int r = 1; r <= 5000; ++r)
        rows.addRow({ QStringLiteral("k%1").arg(r), QStringLiteral("r%1").arg(r) });
    grid.setRedraw(false);
    grid.setRows(std::move(rows));
    for (int r = 10; r <= 5000; r += 10)
        grid.addSpan(2, r, 3, 1);
    grid.setRedraw(true);
    grid.show();
    for (int row : { 10, 2500, 4990 }) {
        const QModelIndex i = grid.model()->index(row - 1, 2);
        grid.scrollTo(i);
        grid.repaint();
        EXPECT_EQ(grid.columnSpan(row - 1, 2), 3) << row;
        EXPECT_EQ(grid.columnSpan(row - 2, 2), 1) << row;
        EXPECT_GT(grid.visualRect(i).width(), 2 * grid.visualRect(i.siblingAtColumn(1)).width())
            << row;
        // A click on a joined cell's right part is a click on the joined cell.
        const QRect r = grid.visualRect(i);
        EXPECT_EQ(grid.indexAt(QPoint(r.right() - 2, r.center().y())), i) << row;
    }
    // A jump to the last row lands on its joined cell.
    grid.setCurrentIndex(grid.model()->index(0, 3));
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.currentIndex(), grid.model()->index(4999, 2));
}

TEST_F(DataGridTest, SortMovesWholeRowsStably)
{
    // Five rows: key, a text column with two equal entries, a number column.
    const std::vector<QStringList> rows = {
        { "11", "pear", "10" },
        { "12", "Apple", "9.5" },
        { "13", "fig", "100" },
        { "14", "apple", "-2" },
        { "15", "kiwi", "9.5" },
    };
    struct Case
    {
        int col;
        Qt::SortOrder order;
        DataGrid::SortKey key;
        QStringList keys;
    };
    const Case cases[] = {
        { 1, Qt::AscendingOrder, DataGrid::SortKey::Text, { "12", "14", "13", "15", "11" } },
        { 1, Qt::DescendingOrder, DataGrid::SortKey::Text, { "11", "15", "13", "12", "14" } },
        { 2, Qt::AscendingOrder, DataGrid::SortKey::Number, { "14", "12", "15", "11", "13" } },
        { 2, Qt::DescendingOrder, DataGrid::SortKey::Number, { "13", "11", "12", "15", "14" } },
        // As text, "100" < "10"? No: "10" is a prefix of "100", and "9.5" sorts last.
        { 2, Qt::AscendingOrder, DataGrid::SortKey::Text, { "14", "11", "13", "12", "15" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.col * 10 + int(c.order));
        std::vector<QStringList> copy = rows;
        grid.setRows(std::move(copy));
        grid.setBackColor(1, 3, Qt::yellow); // the "fig" row
        grid.sortRows(1, grid.maxRows(), c.col, c.order, c.key);
        EXPECT_EQ(column(0), c.keys);
        for (int r = 1; r <= 5; ++r) {
            // Every cell stays with its key, colour included.
            const int i = grid.getText(0, r).toInt() - 11;
            EXPECT_EQ(grid.getText(1, r), rows[size_t(i)][1]);
            EXPECT_EQ(grid.getText(2, r), rows[size_t(i)][2]);
            EXPECT_EQ(grid.backColor(1, r).isValid(), i == 2);
        }
    }
}

TEST_F(DataGridTest, SortOfABlockLeavesOtherRowsInPlace)
{
    grid.setRows({ { "1", "c" }, { "2", "b" }, { "3", "a" }, { "4", "0" } });
    grid.sortRows(2, 3, 1);
    EXPECT_EQ(column(0), (QStringList { "1", "3", "2", "4" }));
}

TEST_F(DataGridTest, BulkLoadReplacesTheRows)
{
    fill(2);
    grid.setBackColor(1, 1, Qt::red);
    grid.setCellKind(3, -1, CellKind::Money);
    std::vector<QStringList> rows;
    for (int i = 0; i < 1000; ++i)
        rows.push_back({ QString::number(i), QStringLiteral("สินค้า %1").arg(i), "", "1250" });
    grid.setRows(std::move(rows));
    EXPECT_EQ(grid.maxRows(), 1000);
    EXPECT_EQ(grid.getText(1, 1000), QStringLiteral("สินค้า 999"));
    EXPECT_EQ(grid.displayText(3, 7), "1,250.00"); // column settings stay
    EXPECT_FALSE(grid.backColor(1, 1).isValid()); // row settings went with the old rows
    EXPECT_EQ(grid.getText(4, 1), ""); // beyond a short row
    EXPECT_TRUE(grid.isColumnHidden(0));
}

TEST_F(DataGridTest, CurrentCellAddressesTextWithoutMovingTheActiveCell)
{
    fill(3);
    grid.setActiveCell(1, 3);
    grid.setRow(2);
    grid.setCol(1);
    EXPECT_EQ(grid.text(), "r2");
    grid.setText("changed");
    EXPECT_EQ(grid.getText(1, 2), "changed");
    EXPECT_EQ(grid.getText(2, 2), "");
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.activeRow(), 3);
    EXPECT_EQ(grid.activeCol(), 1);
}

TEST_F(DataGridTest, RedrawOffFoldsChangesIntoOneReset)
{
    fill(4);
    grid.addSpan(2, 4, 2, 1);
    int resets = 0, inserts = 0;
    QObject::connect(grid.model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(grid.model(), &QAbstractItemModel::rowsInserted, [&] { ++inserts; });
    grid.setRedraw(false);
    grid.sortRows(1, 4, 1, Qt::DescendingOrder);
    for (int r = 1; r <= 7; r += 2) {
        grid.setMaxRows(grid.maxRows() + 1);
        grid.insertRows(r, 1);
        grid.setText(1, r, "head");
        grid.addSpan(2, r, 3, 1);
    }
    grid.setActiveCell(1, 1);
    grid.setRedraw(true);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(inserts, 0);
    EXPECT_EQ(column(1), (QStringList { "head", "r4", "head", "r3", "head", "r2", "head", "r1" }));
    EXPECT_EQ(grid.columnSpan(0, 2), 3);
    EXPECT_EQ(grid.columnSpan(1, 2), 2); // the r4 row brought its span along
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.currentIndex(), grid.model()->index(0, 1));
}

TEST_F(DataGridTest, ClickSetsTheActiveCellAndReachesTheHandler)
{
    fill(3);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    std::vector<std::pair<int, int>> clicks;
    QObject::connect(&grid, &DataGrid::cellClicked, [&](int c, int r) {
        clicks.push_back({ c, r });
    });
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(2, 3));
    EXPECT_EQ(grid.activeRow(), 3);
    EXPECT_EQ(grid.activeCol(), 2);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(2, 3));
}

TEST_F(DataGridTest, ClickAfterTheActiveRowWasDeletedMakesTheClickedCellActive)
{
    fill(3);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(2, 2));
    ASSERT_EQ(grid.activeRow(), 2);
    grid.deleteRows(2, 1);
    grid.setMaxRows(2);
    for (int row : { 2, 1, 2 }) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(2, row));
        EXPECT_EQ(grid.activeRow(), row);
        EXPECT_EQ(grid.getText(1, grid.activeRow()), QStringLiteral("r%1").arg(row == 2 ? 3 : 1));
    }
}

// The clicked row stays the active one, as the highlight does, whatever moves it: a row put in
// above, a row taken out above, a sort. Deleting the active row then takes the clicked row.
TEST_F(DataGridTest, TheActiveRowFollowsItsRowThroughInsertsDeletesAndSorts)
{
    struct Case
    {
        const char *name;
        std::function<void(DataGrid &)> change;
        QStringList left; // column 1 after the active row is deleted
    };
    const Case cases[] = {
        { "insert above",
            [](DataGrid &g) {
                g.setMaxRows(g.maxRows() + 1);
                g.insertRows(1, 1);
                g.setText(1, 1, QStringLiteral("new"));
            },
            { QStringLiteral("new"), QStringLiteral("r1"), QStringLiteral("r3"),
                QStringLiteral("r4") } },
        { "insert two below",
            [](DataGrid &g) {
                g.setMaxRows(g.maxRows() + 2);
                g.insertRows(3, 2);
            },
            { QStringLiteral("r1"), QString(), QString(), QStringLiteral("r3"),
                QStringLiteral("r4") } },
        { "delete above",
            [](DataGrid &g) {
                g.deleteRows(1, 1);
                g.setMaxRows(g.maxRows() - 1);
            },
            { QStringLiteral("r3"), QStringLiteral("r4") } },
        { "sort descending",
            [](DataGrid &g) { g.sortRows(1, g.maxRows(), 1, Qt::DescendingOrder); },
            { QStringLiteral("r4"), QStringLiteral("r3"), QStringLiteral("r1") } },
    };
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fill(4);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(2, 2));
        ASSERT_EQ(grid.activeRow(), 2);
        c.change(grid);
        EXPECT_EQ(grid.getText(1, grid.activeRow()), QStringLiteral("r2"));
        EXPECT_EQ(grid.currentIndex().row() + 1, grid.activeRow()) << "the highlight's row";
        EXPECT_EQ(grid.activeCol(), 2);
        grid.deleteRows(grid.activeRow(), 1);
        grid.setMaxRows(grid.maxRows() - 1);
        EXPECT_EQ(column(1), c.left);
        grid.setMaxRows(0);
    }
}

TEST_F(DataGridTest, DoubleClickAndEnterReachTheHandlerWithTheCell)
{
    fill(3);
    grid.setRowSelect(true);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    std::vector<std::pair<int, int>> doubles;
    QObject::connect(&grid, &DataGrid::cellDoubleClicked, [&](int c, int r) {
        doubles.push_back({ c, r });
    });
    std::vector<std::tuple<int, int, int>> keys; // key, active col, active row
    QObject::connect(&grid, &DataGrid::keyDown, [&](int &key, Qt::KeyboardModifiers) {
        keys.push_back({ key, grid.activeCol(), grid.activeRow() });
        if (key == Qt::Key_Return)
            key = 0; // consumed
    });
    bool editorOpened = false;
    QObject::connect(
        grid.itemDelegate(), &QAbstractItemDelegate::closeEditor, [&] { editorOpened = true; });

    const QPoint p = cellCentre(4, 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, p);
    ASSERT_EQ(doubles.size(), 1u);
    EXPECT_EQ(doubles[0], std::make_pair(4, 2));
    EXPECT_EQ(grid.activeRow(), 2);
    EXPECT_EQ(grid.viewport()->findChild<QLineEdit *>(), nullptr); // no editor from a double click

    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_Down);
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0], std::make_tuple(int(Qt::Key_Return), 4, 2));
    EXPECT_EQ(keys[1], std::make_tuple(int(Qt::Key_Down), 4, 2));
    EXPECT_EQ(grid.activeRow(), 3); // the down key was left to the grid
    EXPECT_FALSE(editorOpened);
}

// Rows of 64 KB of text or more keep their offsets in a wider form: cells of rows on either side
// of that size read back whole, also after a change moves the row across it and after the grid
// loses a column.
TEST_F(DataGridTest, RowsOnBothSidesOf64KBKeepEveryCell)
{
    const int limit = 65536;
    std::vector<QStringList> mirror;
    for (const int total : { limit - 1, limit, limit + 1, 3 * limit }) {
        // "a" + filler + "b" + "c": the filler makes the row's text `total` bytes long.
        mirror.push_back({ QStringLiteral("a"), QString(total - 3, u'x'), QStringLiteral("b"),
            QStringLiteral("c") });
    }
    grid.setMaxCols(4);
    std::vector<QStringList> rows = mirror;
    grid.setRows(std::move(rows));
    auto expectMirror = [&](const char *step) {
        ASSERT_EQ(size_t(grid.maxRows()), mirror.size()) << step;
        for (int r = 1; r <= grid.maxRows(); ++r)
            for (int c = 0; c <= grid.maxCols(); ++c)
                EXPECT_EQ(grid.getText(c, r), mirror[size_t(r - 1)].value(c))
                    << step << " cell " << c << "," << r;
    };
    expectMirror("fill");
    // Across the size both ways: row 1 grows over it, row 3 shrinks under it.
    grid.setText(2, 1, QStringLiteral("bb"));
    mirror[0][2] = QStringLiteral("bb");
    grid.setText(1, 3, QStringLiteral("y"));
    mirror[2][1] = QStringLiteral("y");
    grid.setText(4, 4, QStringLiteral("d"));
    mirror[3].append(QStringLiteral("d"));
    expectMirror("changes");
    grid.setMaxCols(2);
    for (QStringList &m : mirror)
        m = m.mid(0, 3);
    expectMirror("fewer columns");
}

// Rows packed as they are read keep every cell apart: empty cells between and after others,
// Thai, a long text; cells changed afterwards leave their neighbours alone; a row whose last
// text goes is blank for the row count. Both ways of filling give the same grid.
TEST_F(DataGridTest, PackedRowsKeepEveryCellThroughFillAndChanges)
{
    const QString longText(3000, QChar(u'ก'));
    std::vector<QStringList> mirror {
        { "1", "", QStringLiteral("กาแฟ ใหญ่"), "", "" },
        { "", "", "", "" },
        { "3", QStringLiteral(" น้ำ"), "", "12.50", "" },
        {},
        { "5", longText },
    };
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way == 0 ? "packed" : "lists");
        std::vector<QStringList> rows = mirror;
        if (way == 0) {
            GridRows packed;
            for (const QStringList &r : rows) {
                for (const QString &c : r)
                    packed.addUtf8(c.toUtf8());
                packed.endRow();
            }
            grid.setRows(std::move(packed));
        } else {
            grid.setRows(std::move(rows));
        }
        auto expectMirror = [&](const char *step) {
            ASSERT_EQ(size_t(grid.maxRows()), mirror.size()) << step;
            for (int r = 1; r <= grid.maxRows(); ++r)
                for (int c = 0; c <= grid.maxCols(); ++c)
                    EXPECT_EQ(grid.getText(c, r), mirror[size_t(r - 1)].value(c))
                        << step << " cell " << c << "," << r;
        };
        expectMirror("fill");
        EXPECT_EQ(grid.dataRowCount(), 5);

        struct Change
        {
            int col, row;
            QString text;
        } changes[] = {
            { 2, 1, QStringLiteral("x") }, // middle cell, shorter
            { 0, 1, QStringLiteral("ยาวกว่าเดิม") }, // first cell, longer
            { 4, 4, QStringLiteral("end") }, // an empty row grows
            { 3, 3, QString() }, // the last text of a row goes
            { 1, 5, QString() },
            { 4, 2, QStringLiteral("z") },
        };
        for (const Change &ch : changes) {
            grid.setText(ch.col, ch.row, ch.text);
            QStringList &m = mirror[size_t(ch.row - 1)];
            while (m.size() <= ch.col)
                m.append(QString());
            m[ch.col] = ch.text;
        }
        expectMirror("changes");
        grid.setText(4, 4, QString());
        grid.setText(0, 5, QString());
        mirror[3][4].clear();
        mirror[4][0].clear();
        EXPECT_EQ(grid.dataRowCount(), 3); // rows 4 and 5 are blank again
        mirror = {
            { "1", "", QStringLiteral("กาแฟ ใหญ่"), "", "" },
            { "", "", "", "" },
            { "3", QStringLiteral(" น้ำ"), "", "12.50", "" },
            {},
            { "5", longText },
        };
    }
}

// A row's cell offsets take one, two or four bytes by the length of its text: cells read back
// whole on both sides of each limit, and a cell that grows or shrinks a row across one.
TEST(PackedRowTest, CellsReadBackAcrossEveryOffsetSize)
{
    for (const int total : { 1, 255, 256, 65535, 65536 }) {
        SCOPED_TRACE(total);
        const QByteArray first(total / 2, 'a'), last(total - total / 2 - 1, 'b');
        GridRows rows;
        rows.addUtf8(first);
        rows.addUtf8({});
        rows.addUtf8("c");
        rows.addUtf8(last);
        rows.endRow();
        PackedRow row = std::move(rows.takeRows()[0]);
        ASSERT_EQ(row.size(), last.isEmpty() ? 3 : 4);
        EXPECT_EQ(row.cell(0), first);
        EXPECT_EQ(row.cell(1), QByteArrayView());
        EXPECT_EQ(row.cell(2), "c");
        EXPECT_EQ(row.cell(3), last);
        row.setCell(1, QByteArray(300, 'x'));
        EXPECT_EQ(row.cell(0), first);
        EXPECT_EQ(row.cell(1), QByteArray(300, 'x'));
        EXPECT_EQ(row.cell(2), "c");
        EXPECT_EQ(row.cell(3), last);
        row.setCell(1, {});
        row.setCell(0, "z");
        EXPECT_EQ(row.cell(0), "z");
        EXPECT_EQ(row.cell(2), "c");
        EXPECT_EQ(row.cell(3), last);
    }
}

// The rows of a big list share blocks of memory: each row keeps its texts for as long as it
// lives, whatever holds it after the list that read it has gone (the grid, a grouping, a row
// taken out), through changes, deletes and a sort, and until the grid is filled again.
// No model tester here: it walks every index of thirty thousand rows on each reset.
TEST(BigGridRowsTest, RowsOfABigListOutliveTheListThatReadThem)
{
    DataGrid grid;
    grid.setMaxCols(4);
    const int n = 30000; // megabytes of text
    auto text = [](int line, int col) {
        return col == 0 ? QString::number(line % 7)
                        : QStringLiteral("แถวที่ %1 ช่อง %2").arg(line).arg(col);
    };
    std::optional<PackedRow> takenOut;
    {
        GridRows rows;
        for (int line = 0; line < n; ++line) {
            for (int c = 0; c <= 4; ++c)
                rows.add(text(line, c));
            rows.endRow();
        }
        // Grouped under a header row per key: the rows move to a list of their own.
        GridGrouping::groupRows(rows, 0,
            [](const GridGrouping::Run &, const GridGrouping::RunRows &, GridRows &header) {
                header.add(u"h");
            });
        grid.setRows(std::move(rows));
        GridRows more;
        for (int line = 0; line < n; ++line) {
            more.add(text(line, 1));
            more.endRow();
        }
        takenOut = std::move(more.takeRows()[size_t(n - 1)]);
    }
    EXPECT_EQ(takenOut->text(0), text(n - 1, 1));
    takenOut.reset();

    // Every line once, each cell its own or the change made to it.
    auto expectLines = [&](int count, const char *step) {
        std::set<int> seen;
        for (int r = 1; r <= grid.maxRows(); ++r) {
            if (grid.getText(1, r).isEmpty())
                continue; // a header row or an inserted one
            const int line = grid.getText(1, r).section(' ', 1, 1).toInt();
            ASSERT_TRUE(seen.insert(line).second) << step << " line " << line;
            for (int c = 0; c <= 4; ++c)
                ASSERT_EQ(grid.getText(c, r), c == 2 && line % 97 == 0 ? "changed" : text(line, c))
                    << step << " row " << r << " col " << c;
        }
        EXPECT_EQ(int(seen.size()), count) << step;
    };
    ASSERT_EQ(grid.maxRows(), n + 7);
    grid.setRedraw(false); // the changes fold into one reset, as a window makes them
    for (int r = 1; r <= grid.maxRows(); ++r)
        if (grid.getText(1, r).section(' ', 1, 1).toInt() % 97 == 0
            && !grid.getText(1, r).isEmpty())
            grid.setText(2, r, QStringLiteral("changed"));
    expectLines(n, "grouped and changed");
    int deleted = 0;
    for (int r = 1; r <= 1000; ++r)
        deleted += grid.getText(1, r).isEmpty() ? 0 : 1;
    grid.deleteRows(1, 1000);
    grid.insertRows(5, 3);
    grid.sortRows(1, grid.maxRows(), 1);
    grid.setRedraw(true);
    expectLines(n - deleted, "after deletes, inserts and a sort");

    GridRows next;
    next.add(u"again");
    next.endRow();
    grid.setRows(std::move(next));
    EXPECT_EQ(grid.getText(0, 1), "again");
}

TEST_F(DataGridTest, ColumnCountChangesKeepWidthsAndDropTexts)
{
    fill(2);
    grid.setText(4, 1, "last");
    grid.setMaxCols(3);
    EXPECT_EQ(grid.getText(4, 1), "");
    grid.setMaxCols(6);
    EXPECT_EQ(grid.getText(4, 1), ""); // a dropped column comes back empty
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_DOUBLE_EQ(grid.colWidth(5), DataGrid::DefaultColWidth);
    grid.setRowHeight(-1, 25);
    EXPECT_NEAR(grid.rowHeight(1), 25, 1);
}

// With drawing off the changes fold into one reset, which moves no persistent index: the
// active row is carried through them all the same, and the highlight shows on it afterwards.
TEST_F(DataGridTest, TheActiveRowFollowsItsRowWhileDrawingIsOff)
{
    struct Case
    {
        const char *name;
        std::function<void(DataGrid &)> change;
        QString active; // column 1 of the active row afterwards
    };
    const Case cases[] = {
        { "insert above",
            [](DataGrid &g) {
                g.setMaxRows(g.maxRows() + 1);
                g.insertRows(1, 2);
            },
            QStringLiteral("r2") },
        { "insert below", [](DataGrid &g) { g.insertRows(3, 1); }, QStringLiteral("r2") },
        { "delete above", [](DataGrid &g) { g.deleteRows(1, 1); }, QStringLiteral("r2") },
        { "sort descending",
            [](DataGrid &g) { g.sortRows(1, g.maxRows(), 1, Qt::DescendingOrder); },
            QStringLiteral("r2") },
        { "grouping's inserts and a sort",
            [](DataGrid &g) {
                g.sortRows(1, 4, 1, Qt::DescendingOrder);
                for (int r = 1; r <= g.maxRows(); r += 2) {
                    g.setMaxRows(g.maxRows() + 1);
                    g.insertRows(r, 1);
                }
            },
            QStringLiteral("r2") },
        { "the active row deleted: the row above", [](DataGrid &g) { g.deleteRows(2, 1); },
            QStringLiteral("r1") },
        { "the count lowered below it: the last row", [](DataGrid &g) { g.setMaxRows(1); },
            QStringLiteral("r1") },
    };
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        fill(4);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cellCentre(2, 2));
        ASSERT_EQ(grid.activeRow(), 2);
        grid.setRedraw(false);
        c.change(grid);
        EXPECT_EQ(grid.getText(1, grid.activeRow()), c.active) << "while drawing is off";
        grid.setRedraw(true);
        EXPECT_EQ(grid.getText(1, grid.activeRow()), c.active);
        EXPECT_EQ(grid.currentIndex().row() + 1, grid.activeRow()) << "the highlight's row";
        EXPECT_EQ(grid.activeCol(), 2);
        grid.setMaxRows(0);
    }
}

// The active row is always the highlighted one: new rows fewer than the active row's number
// leave it on the last row, and an emptied grid that grows shows it again.
TEST_F(DataGridTest, TheActiveRowIsTheHighlightedRowAfterTheRowsAreReplaced)
{
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    fill(4);
    grid.setActiveCell(1, 4);
    grid.setRows({ { "k1", "a" }, { "k2", "b" } });
    EXPECT_EQ(grid.activeRow(), 2);
    EXPECT_EQ(grid.currentIndex().row() + 1, 2);

    grid.setActiveCell(1, 2);
    grid.setMaxRows(0);
    grid.setMaxRows(3);
    grid.setText(1, 2, QStringLiteral("shown"));
    EXPECT_EQ(grid.currentIndex().row() + 1, grid.activeRow());
    EXPECT_EQ(grid.getText(1, grid.activeRow()), grid.currentIndex().data().toString());
}

// Cells given beyond the last column are not kept: a column added later starts empty, as one
// added after a shrink does.
TEST_F(DataGridTest, CellsBeyondTheLastColumnAreNotKept)
{
    grid.setMaxCols(2);
    grid.setRows({ { "0", "1", "2", "3", "4" }, { "", "", "", "x" } });
    EXPECT_EQ(grid.dataRowCount(), 1);
    grid.setMaxCols(4);
    EXPECT_EQ(grid.getText(3, 1), "");
    EXPECT_EQ(grid.getText(4, 1), "");
    EXPECT_EQ(grid.getText(3, 2), "");
    EXPECT_EQ(grid.dataRowCount(), 1);

    // Packed rows too, where one row is made wider than the rest after it was packed, or is
    // packed elsewhere and added whole.
    const std::vector<std::pair<const char *, std::function<void(GridRows &)>>> widenings {
        { "a cell set past the end", [](GridRows &rows) { rows.row(0).setCell(4, "wide"); } },
        { "a wide row added whole",
            [](GridRows &rows) {
                GridRows other;
                other.addRow({ "p", "q", "r", "s", "wide" });
                rows.addRow(std::move(other.takeRows()[0]));
            } },
    };
    for (const auto &[what, widen] : widenings) {
        GridRows rows;
        rows.addRow({ "0", "1", "2" });
        rows.addRow({ "x" });
        widen(rows);
        grid.setMaxCols(2);
        grid.setRows(std::move(rows));
        grid.setMaxCols(4);
        for (int row = 1; row <= grid.dataRowCount(); ++row)
            EXPECT_EQ(grid.getText(4, row), "") << what;
        EXPECT_EQ(grid.getText(2, 1), "2") << what;
    }
}

// "nan" and "inf" are texts, not numbers: they sort with the other texts, and the numbers keep
// their order around them.
TEST_F(DataGridTest, NumberSortTakesNanAndInfAsTexts)
{
    std::vector<QStringList> rows;
    const char *keys[] = { "3", "nan", "1", "inf", "2", "NaN", "-inf", "0" };
    for (int i = 0; i < 40; ++i)
        rows.push_back({ QString::number(i), QString::fromLatin1(keys[i % 8]) });
    grid.setRows(std::move(rows));
    grid.sortRows(1, 40, 1, Qt::AscendingOrder, DataGrid::SortKey::Number);
    const QStringList sorted = column(1);
    for (int r = 0; r < 20; ++r)
        EXPECT_FALSE(numberFromText(sorted[r]).has_value()) << r << sorted[r].toStdString();
    QStringList numbers = sorted.mid(20);
    QStringList expected;
    for (const char *n : { "0", "1", "2", "3" })
        for (int i = 0; i < 5; ++i)
            expected << QString::fromLatin1(n);
    EXPECT_EQ(numbers, expected);
    // Stable: equal keys keep the order they had.
    for (int r = 2; r <= 40; ++r) {
        if (grid.getText(1, r) == grid.getText(1, r - 1)) {
            EXPECT_LT(grid.getText(0, r - 1).toInt(), grid.getText(0, r).toInt()) << r;
        }
    }
}

} // namespace
