#pragma once
#include "GridRows.h"
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QStringList>
#include <algorithm>
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
    std::array<quint64, AttrCount> setAt {}; // when each attribute was set (GridModel's stamps)
};

// One attribute as a setter gives it: which, and its value.
struct StyleEdit
{
    CellStyle::Attr attr = CellStyle::Back;
    QColor color; // Back, Fore
    std::optional<QFont> font;
    int value = 0; // HAlign, VAlign: the alignment; Kind: the CellKind; Locked: 0 or 1
    int decimals = 0;
    void applyTo(CellStyle &style) const;
    bool operator==(const StyleEdit &) const = default;
};

// A joined block of cells, anchored at its top-left cell.
struct CellSpan
{
    int col = 0;
    int cols = 1;
    int rows = 1;
    bool operator==(const CellSpan &) const = default;
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

    // Attributes; -1 for col or row means every column or row (see DataGrid). setStyle sets one
    // on the level addressed and tells the views.
    void setStyle(int col, int row, const StyleEdit &edit);
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
    // f(row, span) for each span anchored in rows first..last.
    template <typename F> void forEachRowSpan(int first, int last, F f) const;
    int tallestRowSpan() const { return m_tallestSpan; } // rows of the tallest span ever set

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
    // What a row holds beside its texts. Rows styled alike share one (header rows are styled
    // alike by the hundred thousand): it is never changed once made; an edit moves the row to
    // another, found again through `next` when other rows took the same edit from the same one.
    struct RowEdit
    {
        enum Kind { Style, AddSpan, RemoveSpan, DropCols } kind = Style;
        int col = -1; // Style: -1 the row's own style; DropCols: the first column dropped
        StyleEdit style;
        quint64 stamp = 0;
        CellSpan span;
        bool operator==(const RowEdit &) const = default;
    };
    struct RowExtra
    {
        CellStyle row;
        std::vector<std::pair<int, CellStyle>> cells; // sorted by column
        std::vector<CellSpan> spans;
        quint64 last = 0; // the latest stamp in it
        int refs = 0;
        std::vector<std::pair<RowEdit, RowExtra *>> next;
    };
    class ExtraRef
    {
    public:
        ExtraRef() = default;
        explicit ExtraRef(RowExtra *p)
            : m_p(p)
        {
            if (m_p)
                ++m_p->refs;
        }
        ExtraRef(const ExtraRef &o)
            : ExtraRef(o.m_p)
        { }
        ExtraRef(ExtraRef &&o) noexcept
            : m_p(o.m_p)
        {
            o.m_p = nullptr;
        }
        ExtraRef &operator=(ExtraRef o) noexcept
        {
            std::swap(m_p, o.m_p);
            return *this;
        }
        ~ExtraRef()
        {
            if (m_p)
                --m_p->refs;
        }
        RowExtra *get() const { return m_p; }
        RowExtra *operator->() const { return m_p; }
        explicit operator bool() const { return m_p != nullptr; }

    private:
        RowExtra *m_p = nullptr;
    };
    struct Row
    {
        PackedRow cells;
        ExtraRef extra;
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
    // fit: no row has more cells than the grid has columns.
    void replaceRows(PackedRows &&rows, bool fit);
    bool structural(); // opens the batch reset if needed; false when signals are folded
    void cellChanged(int col, int row);
    quint64 globalStamp();
    quint64 rowStamp(const RowExtra *extra);
    void editRow(size_t i, const RowEdit &edit);
    void sweepExtras();

    // Every row extra made; those no row holds go at the next sweep. Declared before the rows,
    // which let go of theirs first.
    std::vector<std::unique_ptr<RowExtra>> m_extras;
    std::vector<std::pair<RowEdit, RowExtra *>> m_rootNext; // edits of rows without an extra
    size_t m_sweepAt = 256;
    using Rows = std::vector<Row, LargePages::Allocator<Row>>; // a year's take large pages
    Rows m_buf;
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
    // Stamps order the settings: a setting of a whole column, the grid or a header cell starts
    // a new epoch; the settings of a row are numbered within the epoch from the row's own last
    // one, so rows styled alike in one epoch carry equal stamps and can share their extra.
    quint64 m_epoch = 0;
    int m_tallestSpan = 1;
    bool m_readOnly = false;
    bool m_batch = false;
    bool m_resetOpen = false;
    int m_follow = 0;
};

template <typename F> void GridModel::forEachRowSpan(int first, int last, F f) const
{
    const size_t to = size_t(std::clamp<qint64>(last, 0, qint64(m_count)));
    for (size_t i = size_t(std::max(1, first)) - 1; i < to; ++i) {
        const Row &r = rowRef(i);
        if (r.extra)
            for (const CellSpan &s : r.extra->spans)
                f(int(i) + 1, s);
    }
}
