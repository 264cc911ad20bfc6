#pragma once
#include "GridModel.h"
#include <QTableView>

class GridHeader;

// The spreadsheet grid of the windows. Rows are numbered from 1 (row 0 is the column-header
// row); columns from 0, column 0 being the row-header column that the windows use as a hidden
// key column, so the data columns are 1 to maxCols(). Every cell holds text; a number or money
// cell only shows its text formatted. For attributes, -1 as column or row means every column or
// every data row: (c, -1) a whole column, (-1, r) a whole row, (-1, -1) every data cell,
// (c, 0) a column-header cell.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    static constexpr int All = -1;
    static constexpr int HeaderRow = 0;

    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    GridModel *gridModel() const { return m_model; }

    // Size. Lowering the row count drops rows at the end; 0 empties the grid.
    int maxRows() const { return m_model->maxRows(); }
    void setMaxRows(int rows) { m_model->setMaxRows(rows); }
    int maxCols() const { return m_model->maxCols(); }
    void setMaxCols(int cols);
    int dataRowCount() const { return m_model->lastDataRow(); } // last row holding any text

    // Fills the grid in one step: the rows become rows 1..n (list index = column, from 0) and
    // the row count becomes n. Attributes set on rows are dropped; column settings stay.
    void setRows(std::vector<QStringList> &&rows);
    // The same from rows packed as they were read: for big grids, no string per cell.
    void setRows(GridRows &&rows);

    // The current cell that the next text operation without an address acts on.
    void setRow(int row) { m_row = row; }
    int row() const { return m_row; }
    void setCol(int col) { m_col = col; }
    int col() const { return m_col; }
    QString text() const { return m_model->text(m_col, m_row); }
    void setText(const QString &text) { m_model->setText(m_col, m_row, text); }

    // Any cell, without moving the current cell. Row 0 is the column header.
    QString getText(int col, int row) const { return m_model->text(col, row); }
    void setText(int col, int row, const QString &text) { m_model->setText(col, row, text); }
    QString displayText(int col, int row) const { return m_model->displayText(col, row); }

    // Rows. insertRows puts empty rows at `row`, the rows from there move down; the row count
    // stays (raise it first), blank rows pushed off the end go, rows holding data never do.
    // deleteRows moves the rows below up and leaves the row count to the caller (the freed
    // rows at the end are blank).
    void insertRows(int row, int count);
    void deleteRows(int row, int count);
    // Stable sort of whole rows firstRow..lastRow by one column: every column, hidden ones
    // included, and the rows' attributes and spans travel with their row. Text compares
    // without regard to case; numbers compare by value, texts without a number first.
    enum class SortKey { Text, Number };
    void sortRows(int firstRow, int lastRow, int keyCol, Qt::SortOrder order = Qt::AscendingOrder,
        SortKey key = SortKey::Text);

    // Attributes of a cell, row, column, header cell or the whole grid (see above). A cell shows
    // the latest setting that covers it: a whole column set after a cell reaches that cell too.
    void setBackColor(int col, int row, const QColor &color);
    void setForeColor(int col, int row, const QColor &color);
    // Every data cell of column col that holds exactly `text` shows on `color`, as if the colour
    // were set on each such cell now, and so does a cell that comes to hold it later; a colour
    // set later on a cell, row, column or the grid wins, as it would over the cell's own. No
    // attribute is kept per row: for colouring big lists by what a column says. An invalid
    // colour takes the rule away.
    void setBackColorForText(int col, const QString &text, const QColor &color)
    {
        m_model->setBackColorForText(col, text, color);
    }
    QColor backColor(int col, int row) const; // as it shows; invalid if none was set
    QColor foreColor(int col, int row) const;
    void setCellFont(int col, int row, const QFont &font);
    void setHAlign(
        int col, int row, Qt::Alignment align); // Qt::AlignLeft, AlignRight, AlignHCenter
    void setVAlign(int col, int row, Qt::Alignment align); // Qt::AlignTop, AlignVCenter, ...
    Qt::Alignment alignment(int col, int row) const;
    // decimals counts for Number only; Money is always "#,##0.00".
    void setCellKind(int col, int row, CellKind kind, int decimals = 0);
    CellKind cellKind(int col, int row) const;
    void setLocked(int col, int row, bool locked);
    bool isLocked(int col, int row) const;
    void setReadOnly(bool on); // no cell is edited in place
    // Alternating backgrounds of the data rows (odd = rows 1, 3, ...); an invalid colour is the
    // grid's default. A colour set on a cell, row, column or the grid wins over them.
    void setOddEvenRowColors(const QColor &oddBack, const QColor &oddFore, const QColor &evenBack,
        const QColor &evenFore);

    // Sizes. Widths are in the grid's character unit (the width of "0" in the grid's font);
    // width 0 hides the column, its cells keep their texts. Heights are in points.
    void setColWidth(int col, double width);
    double colWidth(int col) const;
    void setRowHeight(int row, double height); // row -1: every row
    double rowHeight(int row) const;
    static constexpr double DefaultColWidth = 8.43;

    // Joined cells: one cell shown over cols x rows, anchored at (col, row); row 0 joins
    // column-header cells. removeSpan takes the anchor.
    void addSpan(int col, int row, int cols, int rows);
    void removeSpan(int col, int row);
    // The joined cells as the view shows them, by the view's row (grid row - 1) and column.
    int rowSpan(int row, int column) const;
    int columnSpan(int row, int column) const;

    // Selection of whole rows, one at a time, instead of single cells.
    void setRowSelect(bool on);

    // The active cell: where the user is (the click moves it); (1, 1) until set. It stays on its
    // row as the view's highlight does when rows are inserted, deleted or sorted, drawing on or
    // off; it goes to the row above when its row goes, and it shows as the highlighted row
    // whenever the grid holds its row.
    void setActiveCell(int col, int row);
    int activeCol() const;
    int activeRow() const;

    // Repainting: while off, changes are gathered and the grid is drawn once when it is on again.
    void setRedraw(bool on);
    bool redraw() const { return !m_model->batching(); }

signals:
    void cellClicked(int col, int row);
    void cellDoubleClicked(int col, int row);
    // Before the grid acts on a key. Setting keyCode to 0 consumes it (connect directly).
    void keyDown(int &keyCode, Qt::KeyboardModifiers modifiers);
    void cellEdited(int col, int row);

public:
    QRect visualRect(const QModelIndex &index) const override;
    QModelIndex indexAt(const QPoint &point) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    int charWidthPixels(double width) const;
    int pointsToPixels(double points) const;
    void applyColumn(int col);
    void syncView();
    void applyActiveCell();
    void keepActiveRow(int row); // row 1..maxRows() is followed through row moves
    // The view holds the joined cells of the rows near those shown or asked about only: a year
    // of header rows would otherwise keep a view span each.
    void showSpans(int from, int to) const;
    void showVisibleSpans() const;
    void forgetSpans() const;

    GridModel *m_model;
    GridHeader *m_header;
    std::vector<double> m_widths;
    double m_rowHeight = 15;
    int m_row = 1;
    int m_col = 1;
    int m_activeRow = 1; // as asked, for a row outside the grid or after a reset
    int m_activeCol = 1;
    QPersistentModelIndex m_activeIndex; // the active row while it is a row of the model
    // The grid rows whose spans the view holds (none while from > to).
    mutable int m_spanFrom = 1;
    mutable int m_spanTo = 0;
    mutable bool m_viewSpans = false; // the view holds a span
};
