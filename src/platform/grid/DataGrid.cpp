#include "DataGrid.h"
#include "GridHeader.h"
#include <QEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>

DataGrid::DataGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new GridModel(this))
    , m_header(new GridHeader(m_model, this))
{
    setHorizontalHeader(m_header);
    setModel(m_model);
    m_header->setHighlightSections(false);
    m_header->setMinimumSectionSize(1);
    verticalHeader()->hide(); // column 0 plays the row header's part
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(pointsToPixels(m_rowHeight));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // A double click is an event for the window, never the start of an edit.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    m_widths.assign(1, DefaultColWidth);
    applyColumn(0);

    // A click makes its cell the active one even when the view's current index did not move
    // (after the current row was deleted, say).
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) {
        m_activeCol = i.column();
        keepActiveRow(i.row() + 1);
        emit cellClicked(i.column(), i.row() + 1);
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &i) {
        m_activeCol = i.column();
        keepActiveRow(i.row() + 1);
        emit cellDoubleClicked(i.column(), i.row() + 1);
    });
    // The active row rides on a persistent index, which the model moves with inserted, deleted
    // and sorted rows just as it moves the view's current index. Before rows go, or the model
    // resets, its number is kept for a row that is no longer there.
    auto remember = [this] { m_activeRow = activeRow(); };
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, remember);
    // Changes folded into a reset (drawing off) move no persistent index: the model carries
    // the row through them instead.
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        m_activeRow = activeRow();
        m_model->followRow(m_activeRow);
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_activeRow = m_model->followedRow();
        if (m_activeRow > maxRows() && maxRows() > 0)
            m_activeRow = maxRows(); // fewer rows than before: the last one, as a removal does
    });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, remember);
    // The view moved its spans with the rows; they are taken from the model again instead.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &DataGrid::forgetSpans);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &DataGrid::forgetSpans);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        // An active row that had no row of the grid (an emptied grid growing again) is shown
        // once the grid reaches it, so what acts on it is what is highlighted.
        if (!m_activeIndex.isValid() && m_activeRow >= 1 && m_activeRow <= maxRows())
            applyActiveCell();
        m_activeRow = activeRow();
    });
    connect(m_model, &QAbstractItemModel::layoutChanged, this, remember);
    connect(m_model, &GridModel::cellEdited, this, &DataGrid::cellEdited);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::syncView);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &DataGrid::syncView);
}

DataGrid::~DataGrid() = default;

int DataGrid::charWidthPixels(double width) const
{
    return std::max(1, qRound(width * QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0'))));
}

int DataGrid::pointsToPixels(double points) const
{
    return std::max(1, qRound(points * logicalDpiY() / 72.0));
}

void DataGrid::setMaxCols(int cols)
{
    const int old = maxCols();
    m_model->setMaxCols(cols);
    m_widths.resize(size_t(maxCols()) + 1, DefaultColWidth);
    for (int c = old + 1; c <= maxCols(); ++c)
        applyColumn(c);
}

void DataGrid::setRows(std::vector<QStringList> &&rows)
{
    m_model->setRows(std::move(rows));
}

void DataGrid::setRows(GridRows &&rows)
{
    m_model->setRows(std::move(rows));
}

void DataGrid::insertRows(int row, int count)
{
    m_model->insertGridRows(row, count);
}

void DataGrid::deleteRows(int row, int count)
{
    m_model->deleteGridRows(row, count);
}

void DataGrid::sortRows(int firstRow, int lastRow, int keyCol, Qt::SortOrder order, SortKey key)
{
    m_model->sortGridRows(firstRow, lastRow, keyCol, order, key == SortKey::Number);
}

void DataGrid::setBackColor(int col, int row, const QColor &color)
{
    StyleEdit e;
    e.color = color;
    m_model->setStyle(col, row, e);
}

void DataGrid::setForeColor(int col, int row, const QColor &color)
{
    StyleEdit e;
    e.attr = CellStyle::Fore;
    e.color = color;
    m_model->setStyle(col, row, e);
}

QColor DataGrid::backColor(int col, int row) const
{
    if (row == 0) {
        const CellStyle *s = m_model->styleAt(col, 0);
        return s ? s->back : QColor();
    }
    return m_model->resolved(col, row).back;
}

QColor DataGrid::foreColor(int col, int row) const
{
    if (row == 0) {
        const CellStyle *s = m_model->styleAt(col, 0);
        return s ? s->fore : QColor();
    }
    return m_model->resolved(col, row).fore;
}

void DataGrid::setCellFont(int col, int row, const QFont &font)
{
    StyleEdit e;
    e.attr = CellStyle::Font;
    e.font = font;
    m_model->setStyle(col, row, e);
}

void DataGrid::setHAlign(int col, int row, Qt::Alignment align)
{
    StyleEdit e;
    e.attr = CellStyle::HAlign;
    e.value = int(align & Qt::AlignHorizontal_Mask);
    m_model->setStyle(col, row, e);
}

void DataGrid::setVAlign(int col, int row, Qt::Alignment align)
{
    StyleEdit e;
    e.attr = CellStyle::VAlign;
    e.value = int(align & Qt::AlignVertical_Mask);
    m_model->setStyle(col, row, e);
}

Qt::Alignment DataGrid::alignment(int col, int row) const
{
    const QVariant v = row == 0
        ? m_model->headerData(col, Qt::Horizontal, Qt::TextAlignmentRole)
        : m_model->data(m_model->index(row - 1, col), Qt::TextAlignmentRole);
    return v.value<Qt::Alignment>();
}

void DataGrid::setCellKind(int col, int row, CellKind kind, int decimals)
{
    StyleEdit e;
    e.attr = CellStyle::Kind;
    e.value = int(kind);
    e.decimals = kind == CellKind::Money ? 2 : decimals;
    m_model->setStyle(col, row, e);
}

CellKind DataGrid::cellKind(int col, int row) const
{
    return m_model->resolved(col, row).kind.value_or(CellKind::Text);
}

void DataGrid::setLocked(int col, int row, bool locked)
{
    StyleEdit e;
    e.attr = CellStyle::Locked;
    e.value = locked ? 1 : 0;
    m_model->setStyle(col, row, e);
}

bool DataGrid::isLocked(int col, int row) const
{
    return m_model->resolved(col, row).locked.value_or(false);
}

void DataGrid::setReadOnly(bool on)
{
    m_model->setReadOnly(on);
    setEditTriggers(on ? QAbstractItemView::NoEditTriggers
                       : QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
}

void DataGrid::setOddEvenRowColors(
    const QColor &oddBack, const QColor &oddFore, const QColor &evenBack, const QColor &evenFore)
{
    m_model->setOddEvenColors(oddBack, oddFore, evenBack, evenFore);
}

void DataGrid::setColWidth(int col, double width)
{
    if (col == All) {
        for (int c = 0; c <= maxCols(); ++c)
            setColWidth(c, width);
        return;
    }
    if (col < 0 || col > maxCols())
        return;
    m_widths[size_t(col)] = std::max(0.0, width);
    applyColumn(col);
}

double DataGrid::colWidth(int col) const
{
    return col >= 0 && col <= maxCols() ? m_widths[size_t(col)] : 0.0;
}

void DataGrid::applyColumn(int col)
{
    const double w = m_widths[size_t(col)];
    setColumnHidden(col, w <= 0);
    if (w > 0)
        setColumnWidth(col, charWidthPixels(w));
}

void DataGrid::setRowHeight(int row, double height)
{
    if (row == All) {
        m_rowHeight = height;
        verticalHeader()->setDefaultSectionSize(pointsToPixels(height));
        return;
    }
    if (row >= 1 && row <= maxRows())
        QTableView::setRowHeight(row - 1, pointsToPixels(height));
}

double DataGrid::rowHeight(int row) const
{
    if (row >= 1 && row <= maxRows())
        return QTableView::rowHeight(row - 1) * 72.0 / logicalDpiY();
    return m_rowHeight;
}

void DataGrid::addSpan(int col, int row, int cols, int rows)
{
    if (col < 0 || col > maxCols() || row < 0 || row > maxRows())
        return;
    cols = std::clamp(cols, 1, maxCols() + 1 - col);
    rows = row == 0 ? 1 : std::clamp(rows, 1, maxRows() + 1 - row);
    m_model->addSpan(col, row, cols, rows);
    if (row == 0)
        m_header->viewport()->update();
    else if (!m_model->resetting() && row >= m_spanFrom && row <= m_spanTo) {
        setSpan(row - 1, col, rows, cols);
        m_viewSpans = true;
    }
}

void DataGrid::removeSpan(int col, int row)
{
    const bool had = m_model->spanAt(col, row).has_value();
    m_model->removeSpan(col, row);
    if (row == 0)
        m_header->viewport()->update();
    else if (had && !m_model->resetting() && row >= m_spanFrom && row <= m_spanTo)
        setSpan(row - 1, col, 1, 1);
}

void DataGrid::setRowSelect(bool on)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void DataGrid::setActiveCell(int col, int row)
{
    m_activeCol = col;
    keepActiveRow(row);
    if (!m_model->resetting())
        applyActiveCell();
}

void DataGrid::keepActiveRow(int row)
{
    m_activeRow = row;
    if (m_model->resetting())
        m_model->followRow(row);
    m_activeIndex = (row >= 1 && row <= maxRows() && !m_model->resetting())
        ? QPersistentModelIndex(m_model->index(row - 1, 0))
        : QPersistentModelIndex();
}

int DataGrid::activeCol() const
{
    return m_activeCol;
}

int DataGrid::activeRow() const
{
    if (m_model->resetting())
        return m_model->followedRow();
    return m_activeIndex.isValid() ? m_activeIndex.row() + 1 : m_activeRow;
}

void DataGrid::applyActiveCell()
{
    const int col = m_activeCol, row = activeRow();
    if (row < 1 || row > maxRows() || col < 0 || col > maxCols())
        return;
    setCurrentIndex(m_model->index(row - 1, col));
    m_activeCol = col; // a hidden column may not take the current index; keep what was asked
    keepActiveRow(row);
}

void DataGrid::setRedraw(bool on)
{
    if (!on) {
        m_model->beginBatch();
        setUpdatesEnabled(false);
        return;
    }
    m_model->endBatch();
    setUpdatesEnabled(true);
}

void DataGrid::syncView()
{
    // A model reset or a sort leaves the view's spans, widths and current cell behind.
    forgetSpans();
    for (int c = 0; c <= maxCols() && size_t(c) < m_widths.size(); ++c)
        applyColumn(c);
    applyActiveCell();
    m_header->viewport()->update();
}

void DataGrid::forgetSpans() const
{
    if (m_viewSpans)
        const_cast<DataGrid *>(this)->clearSpans();
    m_viewSpans = false;
    m_spanFrom = 1;
    m_spanTo = 0;
}

void DataGrid::showSpans(int from, int to) const
{
    from = std::max(1, from);
    to = std::min(maxRows(), to);
    if (from > to || m_model->resetting() || (from >= m_spanFrom && to <= m_spanTo))
        return;
    forgetSpans();
    const int page
        = std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
    const int margin = std::max(64, 2 * page);
    m_spanFrom = std::max(1, from - margin);
    m_spanTo = std::min(maxRows(), to + margin);
    auto *self = const_cast<DataGrid *>(this);
    m_model->forEachRowSpan(
        m_spanFrom - m_model->tallestRowSpan() + 1, m_spanTo, [&](int row, const CellSpan &s) {
            if (row + s.rows - 1 < m_spanFrom)
                return;
            self->QTableView::setSpan(row - 1, s.col, s.rows, s.cols);
            m_viewSpans = true;
        });
}

void DataGrid::showVisibleSpans() const
{
    const int first = rowAt(0);
    const int last = rowAt(viewport()->height() - 1);
    showSpans(first < 0 ? 1 : first + 1, last < 0 ? maxRows() : last + 1);
}

int DataGrid::rowSpan(int row, int column) const
{
    showSpans(row + 1, row + 1);
    return QTableView::rowSpan(row, column);
}

int DataGrid::columnSpan(int row, int column) const
{
    showSpans(row + 1, row + 1);
    return QTableView::columnSpan(row, column);
}

QRect DataGrid::visualRect(const QModelIndex &index) const
{
    if (index.isValid())
        showSpans(index.row() + 1, index.row() + 1);
    return QTableView::visualRect(index);
}

QModelIndex DataGrid::indexAt(const QPoint &point) const
{
    const int row = rowAt(point.y());
    if (row >= 0)
        showSpans(row + 1, row + 1);
    return QTableView::indexAt(point);
}

void DataGrid::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (index.isValid())
        showSpans(index.row() + 1, index.row() + 1);
    QTableView::scrollTo(index, hint);
}

void DataGrid::paintEvent(QPaintEvent *event)
{
    showVisibleSpans();
    QTableView::paintEvent(event);
}

void DataGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    showVisibleSpans();
}

QModelIndex DataGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex from = currentIndex();
    if (from.isValid())
        showSpans(from.row() + 1, from.row() + 1);
    const QModelIndex to = QTableView::moveCursor(action, modifiers);
    if (!to.isValid() || (to.row() + 1 >= m_spanFrom && to.row() + 1 <= m_spanTo))
        return to;
    // A jump beyond the rows whose spans the view holds: land on the span that covers the
    // cell, as the view does for the rows it holds.
    showSpans(to.row() + 1, to.row() + 1);
    for (int r = to.row(); r >= std::max(0, to.row() - m_model->tallestRowSpan() + 1); --r)
        for (int c = 0; c <= to.column(); ++c) {
            const std::optional<CellSpan> s = m_model->spanAt(c, r + 1);
            if (s && c + s->cols > to.column() && r + s->rows > to.row())
                return m_model->index(r, c);
        }
    return to;
}

void DataGrid::keyPressEvent(QKeyEvent *event)
{
    int code = event->key();
    emit keyDown(code, event->modifiers());
    if (code == 0) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        for (int c = 0; c <= maxCols(); ++c)
            applyColumn(c);
}

void DataGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid() && !m_model->resetting()) {
        keepActiveRow(current.row() + 1);
        m_activeCol = current.column();
    }
}
