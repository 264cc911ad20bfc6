#pragma once
#include "GridRows.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

// What a cell shows its text as. The text stays the value; the kind only changes the display.
enum class CellKind {
    Text, // shown as it is
    Number, // a number with a fixed count of decimals, no thousands separators
    Money, // "#,##0.00": two decimals, thousands separators, no currency sign
    Edit // plain edit cell: shown as it is
};

// Attributes set on a cell, a row, a column or the whole grid. Of the levels that cover a cell,
// the one that set an attribute last gives it: setting a whole column or the whole grid also
// reaches cells that had a value of their own, as the windows expect of the grid.
struct CellStyle
{
    enum Attr { Back, Fore, Font, HAlign, VAlign, Kind, Locked, AttrCount };
    QColor back; // invalid: unset
    QColor fore;
    std::optional<QFont> font;
    std::optional<Qt::Alignment> hAlign;
    std::optional<Qt::Alignment> vAlign;
    std::optional<CellKind> kind;
    int decimals = 0;
    std::optional<bool> locked;
    std::array<quint64, AttrCount> setAt {}; // GridModel::stamp() of each attribute's setting
};

// A joined block of cells, anchored at its top-left cell.
struct CellSpan
{
    int col = 0;
    int cols = 1;
    int rows = 1;
};

// "#,##0.00"-style display of a number held as text: halves away from zero, counted on the
// decimal digits themselves so "2.675" shows "2.68". Thousands separators in the text are
// accepted. Returns nothing when the text is not a number.
std::optional<QString> formatNumberText(const QString &text, int decimals, bool thousands);

// The number a cell's text holds, thousands separators allowed; nothing when it holds none.
std::optional<double> numberFromText(const QString &text);

// Table model behind DataGrid. Each row keeps its texts packed in one block (PackedRow);
// attributes are kept only where they were set. Model row r is grid row r + 1; model column c is
// grid column c (column 0 is the row-header column, usually the hidden key). Rows live in a gap
// buffer so the runs of inserts and deletes at advancing positions that grouping does stay cheap on
// big grids.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);
    ~GridModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Grid addressing: rows from 1 (0 is the column-header row), columns from 0.
    int maxRows() const { return int(m_count); }
    void setMaxRows(int rows);
    int maxCols() const { return m_cols - 1; }
    void setMaxCols(int cols);
    int lastDataRow() const;

    QString text(int col, int row) const;
    void setText(int col, int row, const QString &text);
    QString displayText(int col, int row) const;

    void setRows(std::vector<QStringList> &&rows);
    void setRows(GridRows &&rows);
    void insertGridRows(int row, int count);
    void deleteGridRows(int row, int count);
    void sortGridRows(int firstRow, int lastRow, int keyCol, Qt::SortOrder order, bool numeric);

    // Attributes; -1 for col or row means every column or row (see DataGrid).
    CellStyle &styleFor(int col, int row); // creates the level addressed
    void stamp(CellStyle &style, CellStyle::Attr attr) { style.setAt[attr] = ++m_stamp; }
    const CellStyle *styleAt(int col, int row) const; // the level addressed, if set
    CellStyle resolved(int col, int row) const; // latest of cell, row, column, grid
    void styleChanged(int col, int row);
    // The background of the data cells of column col that hold exactly `text` (see DataGrid).
    void setBackColorForText(int col, const QString &text, const QColor &color);
    void setOddEvenColors(const QColor &oddBack, const QColor &oddFore, const QColor &evenBack,
        const QColor &evenFore);
    void setReadOnly(bool on) { m_readOnly = on; }
    bool readOnly() const { return m_readOnly; }

    void addSpan(int col, int row, int cols, int rows);
    void removeSpan(int col, int row);
    std::optional<CellSpan> spanAt(int col, int row) const; // the span anchored at that cell
    std::optional<CellSpan> headerSpanCovering(int col) const;
    template <typename F> void forEachRowSpan(F f) const; // f(row, span)

    // While batching, structural changes are folded into one model reset.
    void beginBatch();
    bool endBatch(); // true when a reset happened
    bool batching() const { return m_batch; }
    bool resetting() const { return m_resetOpen; } // inside a folded reset: no view calls
    // A row (from 1; 0 none) carried through the inserts, deletes, sorts and row-count changes
    // folded into a reset, as the views' persistent indexes are carried outside one: the grid's
    // active row.
    void followRow(int row) { m_follow = row; }
    int followedRow() const { return m_follow; }

signals:
    void cellEdited(int col, int row);

private:
    struct RowExtra
    {
        CellStyle row;
        std::vector<std::pair<int, CellStyle>> cells; // sorted by column
        std::vector<CellSpan> spans;
    };
    struct Row
    {
        PackedRow cells;
        std::unique_ptr<RowExtra> extra;
    };

    Row &rowRef(size_t i) { return m_buf[i < m_gapStart ? i : i - m_gapStart + m_gapEnd]; }
    const Row &rowRef(size_t i) const
    {
        return m_buf[i < m_gapStart ? i : i - m_gapStart + m_gapEnd];
    }
    void moveGap(size_t to);
    void reserveGap(size_t n);
    void appendBlank(size_t n);
    void dropTail(size_t n);
    bool rowHasText(const Row &r) const;
    bool rowIsBlank(const Row &r) const;
    void replaceRows(std::vector<PackedRow> &&rows);
    bool structural(); // opens the batch reset if needed; false when signals are folded
    void cellChanged(int col, int row);

    std::vector<Row> m_buf;
    size_t m_gapStart = 0; // rows [0, m_gapStart) and [m_gapEnd, m_backEnd) of m_buf, in order
    size_t m_gapEnd = 0;
    size_t m_backEnd = 0;
    size_t m_count = 0;
    int m_cols = 1;
    std::vector<QString> m_headers;
    std::vector<CellStyle> m_headerStyles;
    CellStyle m_headerAll;
    std::vector<CellStyle> m_colStyles;
    CellStyle m_all;
    std::vector<CellSpan> m_headerSpans;
    struct TextBack
    {
        int col;
        QByteArray utf8;
        CellStyle style;
    };
    std::vector<TextBack> m_textBacks;
    QColor m_oddBack, m_oddFore, m_evenBack, m_evenFore;
    quint64 m_stamp = 0;
    bool m_readOnly = false;
    bool m_batch = false;
    bool m_resetOpen = false;
    int m_follow = 0;
};

template <typename F> void GridModel::forEachRowSpan(F f) const
{
    for (size_t i = 0; i < m_count; ++i) {
        const Row &r = rowRef(i);
        if (r.extra)
            for (const CellSpan &s : r.extra->spans)
                f(int(i) + 1, s);
    }
}
