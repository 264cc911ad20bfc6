#include "GridModel.h"
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr int kLocalBits = 20;
constexpr quint64 kLocalMask = (quint64(1) << kLocalBits) - 1;
constexpr size_t kMemo = 4; // edits remembered per extra

// Lays `from` over `to` where `from` set an attribute later than `to` did.
void overlay(CellStyle &to, const CellStyle &from)
{
    auto later = [&](CellStyle::Attr a, bool set) {
        if (!set || from.setAt[a] < to.setAt[a])
            return false;
        to.setAt[a] = from.setAt[a];
        return true;
    };
    if (later(CellStyle::Back, from.back.isValid()))
        to.back = from.back;
    if (later(CellStyle::Fore, from.fore.isValid()))
        to.fore = from.fore;
    if (later(CellStyle::Font, from.font.has_value()))
        to.font = from.font;
    if (later(CellStyle::HAlign, from.hAlign.has_value()))
        to.hAlign = from.hAlign;
    if (later(CellStyle::VAlign, from.vAlign.has_value()))
        to.vAlign = from.vAlign;
    if (later(CellStyle::Kind, from.kind.has_value())) {
        to.kind = from.kind;
        to.decimals = from.decimals;
    }
    if (later(CellStyle::Locked, from.locked.has_value()))
        to.locked = from.locked;
}

// Adds one to a string of ASCII digits, carrying to the left.
QString incremented(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] == u'9') {
            digits[i] = u'0';
        } else {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
    }
    return u'1' + digits;
}

} // namespace

void StyleEdit::applyTo(CellStyle &s) const
{
    switch (attr) {
    case CellStyle::Back:
        s.back = color;
        break;
    case CellStyle::Fore:
        s.fore = color;
        break;
    case CellStyle::Font:
        s.font = font;
        break;
    case CellStyle::HAlign:
        s.hAlign = Qt::Alignment(value);
        break;
    case CellStyle::VAlign:
        s.vAlign = Qt::Alignment(value);
        break;
    case CellStyle::Kind:
        s.kind = CellKind(value);
        s.decimals = decimals;
        break;
    case CellStyle::Locked:
        s.locked = value != 0;
        break;
    case CellStyle::AttrCount:
        break;
    }
}

std::optional<QString> formatNumberText(const QString &text, int decimals, bool thousands)
{
    QString t = text.trimmed();
    t.remove(u',');
    if (t.isEmpty())
        return std::nullopt;
    bool negative = false;
    qsizetype i = 0;
    if (t[0] == u'-' || t[0] == u'+') {
        negative = t[0] == u'-';
        i = 1;
    }
    QString whole, frac;
    bool dot = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9') {
            (dot ? frac : whole).append(c);
        } else if (c == u'.' && !dot) {
            dot = true;
        } else {
            // Forms such as "1e5": let the number reader decide, then format its plain digits.
            bool ok = false;
            const double v = QLocale::c().toDouble(t, &ok);
            if (!ok || !std::isfinite(v))
                return std::nullopt;
            return formatNumberText(QString::number(v, 'f', 12), decimals, thousands);
        }
    }
    if (whole.isEmpty() && frac.isEmpty())
        return std::nullopt;
    decimals = std::max(0, decimals);
    if (frac.size() < decimals + 1)
        frac = frac.leftJustified(decimals + 1, u'0');
    const bool roundUp = frac[decimals] >= u'5';
    QString digits = (whole.isEmpty() ? QStringLiteral("0") : whole) + frac.left(decimals);
    if (roundUp)
        digits = incremented(digits);
    QString intPart = digits.left(digits.size() - decimals);
    const QString fracPart = digits.right(decimals);
    while (intPart.size() > 1 && intPart[0] == u'0')
        intPart.remove(0, 1);
    if (intPart.isEmpty())
        intPart = QStringLiteral("0");
    if (thousands)
        for (qsizetype p = intPart.size() - 3; p > 0; p -= 3)
            intPart.insert(p, u',');
    const bool zero = std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0'; });
    QString out = (negative && !zero) ? QStringLiteral("-") + intPart : intPart;
    if (decimals > 0)
        out += u'.' + fracPart;
    return out;
}

std::optional<double> numberFromText(const QString &text)
{
    QString t = text.trimmed();
    t.remove(u',');
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt; // "nan" and "inf" are texts: a sort needs numbers that compare
    return v;
}

GridModel::GridModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_headers(1)
    , m_headerStyles(1)
    , m_colStyles(1)
{ }

GridModel::~GridModel() = default;

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_count);
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int col = index.column();
    const int row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return displayText(col, row);
    case Qt::EditRole:
        return text(col, row);
    case Qt::BackgroundRole: {
        const CellStyle s = resolved(col, row);
        if (s.back.isValid())
            return s.back;
        const QColor &alt = (row % 2) ? m_oddBack : m_evenBack;
        return alt.isValid() ? QVariant(alt) : QVariant();
    }
    case Qt::ForegroundRole: {
        const CellStyle s = resolved(col, row);
        if (s.fore.isValid())
            return s.fore;
        const QColor &alt = (row % 2) ? m_oddFore : m_evenFore;
        return alt.isValid() ? QVariant(alt) : QVariant();
    }
    case Qt::FontRole: {
        const CellStyle s = resolved(col, row);
        return s.font ? QVariant(*s.font) : QVariant();
    }
    case Qt::TextAlignmentRole: {
        const CellStyle s = resolved(col, row);
        const bool number = s.kind == CellKind::Number || s.kind == CellKind::Money;
        const Qt::Alignment h = s.hAlign.value_or(number ? Qt::AlignRight : Qt::AlignLeft);
        return QVariant::fromValue(h | s.vAlign.value_or(Qt::AlignVCenter));
    }
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid()
        || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    setText(index.column(), index.row() + 1, value.toString());
    emit cellEdited(index.column(), index.row() + 1);
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= m_cols)
        return {};
    CellStyle s = m_headerAll;
    overlay(s, m_headerStyles[size_t(section)]);
    switch (role) {
    case Qt::DisplayRole:
        return m_headers[size_t(section)];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            s.hAlign.value_or(Qt::AlignHCenter) | s.vAlign.value_or(Qt::AlignVCenter));
    case Qt::BackgroundRole:
        return s.back.isValid() ? QVariant(s.back) : QVariant();
    case Qt::ForegroundRole:
        return s.fore.isValid() ? QVariant(s.fore) : QVariant();
    case Qt::FontRole:
        return s.font ? QVariant(*s.font) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (!m_readOnly && !resolved(index.column(), index.row() + 1).locked.value_or(false))
        f |= Qt::ItemIsEditable;
    return f;
}

// ---- row storage: [front | gap | back | spare] in m_buf ----

void GridModel::moveGap(size_t to)
{
    if (to < m_gapStart) {
        const size_t n = m_gapStart - to;
        std::move_backward(
            m_buf.begin() + to, m_buf.begin() + m_gapStart, m_buf.begin() + m_gapEnd);
        m_gapStart -= n;
        m_gapEnd -= n;
    } else if (to > m_gapStart) {
        const size_t n = to - m_gapStart;
        std::move(
            m_buf.begin() + m_gapEnd, m_buf.begin() + m_gapEnd + n, m_buf.begin() + m_gapStart);
        m_gapStart += n;
        m_gapEnd += n;
    }
}

void GridModel::reserveGap(size_t n)
{
    if (m_gapEnd - m_gapStart >= n)
        return;
    const size_t back = m_backEnd - m_gapEnd;
    const size_t size = std::max(m_count * 2, m_count + n) + 64;
    Rows nb(size);
    std::move(m_buf.begin(), m_buf.begin() + m_gapStart, nb.begin());
    std::move(m_buf.begin() + m_gapEnd, m_buf.begin() + m_backEnd, nb.end() - back);
    m_buf.swap(nb);
    m_gapEnd = size - back;
    m_backEnd = size;
}

void GridModel::appendBlank(size_t n)
{
    if (m_backEnd != m_gapEnd && m_backEnd + n <= m_buf.size()) {
        m_backEnd += n; // the spare slots after the back are blank
    } else {
        moveGap(m_count);
        m_gapEnd = m_backEnd = m_buf.size(); // empty back: the gap takes the spare slots
        reserveGap(n);
        m_gapStart += n;
    }
    m_count += n;
}

void GridModel::dropTail(size_t n)
{
    const size_t back = std::min(n, m_backEnd - m_gapEnd);
    for (size_t i = m_backEnd - back; i < m_backEnd; ++i)
        m_buf[i] = Row();
    m_backEnd -= back;
    const size_t front = n - back;
    for (size_t i = m_gapStart - front; i < m_gapStart; ++i)
        m_buf[i] = Row();
    m_gapStart -= front;
    m_count -= n;
}

bool GridModel::rowHasText(const Row &r) const
{
    return r.cells.hasText(m_cols);
}

bool GridModel::rowIsBlank(const Row &r) const
{
    return !r.extra && !rowHasText(r);
}

bool GridModel::structural()
{
    if (!m_batch)
        return true;
    if (!m_resetOpen) {
        beginResetModel();
        m_resetOpen = true;
    }
    return false;
}

void GridModel::beginBatch()
{
    m_batch = true;
}

bool GridModel::endBatch()
{
    m_batch = false;
    if (!m_resetOpen)
        return false;
    m_resetOpen = false;
    endResetModel();
    return true;
}

void GridModel::setMaxRows(int rows)
{
    const size_t n = size_t(std::max(0, rows));
    if (n == m_count)
        return;
    const bool sig = structural();
    if (n > m_count) {
        if (sig)
            beginInsertRows(QModelIndex(), int(m_count), int(n) - 1);
        appendBlank(n - m_count);
        if (sig)
            endInsertRows();
    } else {
        if (sig)
            beginRemoveRows(QModelIndex(), int(n), int(m_count) - 1);
        dropTail(m_count - n);
        if (sig)
            endRemoveRows();
        else if (m_follow > int(n) && n > 0)
            m_follow = int(n); // to the row above the ones that went, as a view's current row
    }
}

void GridModel::setMaxCols(int cols)
{
    const int n = std::max(0, cols) + 1;
    if (n == m_cols)
        return;
    const bool sig = structural();
    const bool grow = n > m_cols;
    if (sig && grow)
        beginInsertColumns(QModelIndex(), m_cols, n - 1);
    if (sig && !grow)
        beginRemoveColumns(QModelIndex(), n, m_cols - 1);
    if (!grow) {
        // The dropped columns lose their texts and attributes.
        for (size_t i = 0; i < m_count; ++i) {
            Row &r = rowRef(i);
            r.cells.truncate(n);
            if (r.extra && !r.extra->cells.empty() && r.extra->cells.back().first >= n) {
                RowEdit drop;
                drop.kind = RowEdit::DropCols;
                drop.col = n;
                editRow(i, drop);
            }
        }
        std::erase_if(m_headerSpans, [n](const CellSpan &s) { return s.col >= n; });
    }
    m_cols = n;
    m_headers.resize(size_t(n));
    m_headerStyles.resize(size_t(n));
    m_colStyles.resize(size_t(n));
    if (sig && grow)
        endInsertColumns();
    if (sig && !grow)
        endRemoveColumns();
}

int GridModel::lastDataRow() const
{
    for (size_t i = m_count; i > 0; --i)
        if (rowHasText(rowRef(i - 1)))
            return int(i);
    return 0;
}

QString GridModel::text(int col, int row) const
{
    if (col < 0 || col >= m_cols)
        return {};
    if (row == 0)
        return m_headers[size_t(col)];
    if (row < 1 || size_t(row) > m_count)
        return {};
    return rowRef(size_t(row - 1)).cells.text(col);
}

QString GridModel::displayText(int col, int row) const
{
    const QString t = text(col, row);
    if (row < 1 || t.isEmpty())
        return t;
    const CellStyle s = resolved(col, row);
    if (s.kind == CellKind::Money)
        return formatNumberText(t, 2, true).value_or(t);
    if (s.kind == CellKind::Number)
        return formatNumberText(t, s.decimals, false).value_or(t);
    return t;
}

void GridModel::setText(int col, int row, const QString &text)
{
    if (col < 0 || col >= m_cols)
        return;
    if (row == 0) {
        m_headers[size_t(col)] = text;
        if (!m_resetOpen)
            emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    if (row < 1 || size_t(row) > m_count)
        return;
    PackedRow &cells = rowRef(size_t(row - 1)).cells;
    const QByteArray utf8 = text.toUtf8();
    // The same text (an empty one beyond the row's last cell included): the row stays as it is.
    if (cells.cell(col) == QByteArrayView(utf8))
        return;
    cells.setCell(col, utf8);
    cellChanged(col, row);
}

void GridModel::cellChanged(int col, int row)
{
    if (m_resetOpen)
        return;
    const QModelIndex i = index(row - 1, col);
    emit dataChanged(i, i);
}

void GridModel::setRows(std::vector<QStringList> &&rows)
{
    GridRows packed;
    packed.reserve(rows.size());
    for (QStringList &r : rows) {
        packed.addRow(r);
        r = QStringList();
    }
    rows.clear();
    setRows(std::move(packed));
}

void GridModel::setRows(GridRows &&rows)
{
    const bool fit = rows.widest() <= m_cols;
    replaceRows(rows.takeRows(), fit);
}

void GridModel::replaceRows(PackedRows &&rows, bool fit)
{
    const bool sig = structural();
    if (sig)
        beginResetModel();
    Rows buf(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        buf[i].cells = std::move(rows[i]);
        if (!fit) // a year of rows is not read again only to find none is too wide
            buf[i].cells.truncate(m_cols); // cells beyond the last column are not kept
    }
    rows = PackedRows();
    m_buf.swap(buf);
    m_count = m_buf.size();
    m_gapStart = m_gapEnd = m_backEnd = m_count;
    if (sig)
        endResetModel();
    buf.clear(); // the old rows go after the views have let go of them
}

void GridModel::insertGridRows(int row, int count)
{
    if (count <= 0)
        return;
    const size_t at = size_t(std::clamp<qint64>(row - 1, 0, qint64(m_count)));
    const size_t k = size_t(count);
    bool sig = structural();
    if (sig)
        beginInsertRows(QModelIndex(), int(at), int(at + k) - 1);
    moveGap(at);
    reserveGap(k);
    m_gapStart += k;
    m_count += k;
    if (sig)
        endInsertRows();
    else if (m_follow > int(at))
        m_follow += count;
    // The row count stays as it was: blank rows pushed off the end go, rows holding data stay.
    size_t drop = 0;
    while (drop < k && rowIsBlank(rowRef(m_count - 1 - drop)))
        ++drop;
    if (drop == 0)
        return;
    sig = structural();
    if (sig)
        beginRemoveRows(QModelIndex(), int(m_count - drop), int(m_count) - 1);
    dropTail(drop);
    if (sig)
        endRemoveRows();
    else if (m_follow > int(m_count) && m_count > 0)
        m_follow = int(m_count);
}

void GridModel::deleteGridRows(int row, int count)
{
    if (count <= 0 || row < 1 || size_t(row) > m_count)
        return;
    const size_t at = size_t(row - 1);
    const size_t k = std::min(size_t(count), m_count - at);
    bool sig = structural();
    if (sig)
        beginRemoveRows(QModelIndex(), int(at), int(at + k) - 1);
    moveGap(at);
    for (size_t i = m_gapEnd; i < m_gapEnd + k; ++i)
        m_buf[i] = Row();
    m_gapEnd += k;
    m_count -= k;
    if (sig)
        endRemoveRows();
    else if (m_follow > int(at + k))
        m_follow -= int(k);
    else if (m_follow > int(at))
        m_follow = at > 0 ? int(at) : 1; // the row above, as a view's current row goes

    // The row count stays: blank rows come in at the end; the caller lowers the count.
    sig = structural();
    if (sig)
        beginInsertRows(QModelIndex(), int(m_count), int(m_count + k) - 1);
    appendBlank(k);
    if (sig)
        endInsertRows();
}

void GridModel::sortGridRows(
    int firstRow, int lastRow, int keyCol, Qt::SortOrder order, bool numeric)
{
    const int first = std::max(1, firstRow);
    const int last = std::min(int(m_count), lastRow);
    if (last - first < 1 || keyCol < 0 || keyCol >= m_cols)
        return;
    const bool sig = structural();
    if (sig)
        emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    moveGap(m_count);
    auto begin = m_buf.begin() + (first - 1);
    const size_t n = size_t(last - first + 1);
    auto keyText = [&](size_t i) { return begin[qsizetype(i)].cells.text(keyCol); };
    std::vector<size_t> perm(n);
    std::iota(perm.begin(), perm.end(), 0);
    const bool desc = order == Qt::DescendingOrder;
    if (numeric) {
        // Cells without a number sort before every number.
        std::vector<std::pair<bool, double>> keys(n);
        for (size_t i = 0; i < n; ++i) {
            const auto v = numberFromText(keyText(i));
            keys[i] = { v.has_value(), v.value_or(0.0) };
        }
        std::stable_sort(perm.begin(), perm.end(),
            [&](size_t a, size_t b) { return desc ? keys[b] < keys[a] : keys[a] < keys[b]; });
    } else {
        std::vector<QString> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = keyText(i);
        std::stable_sort(perm.begin(), perm.end(), [&](size_t a, size_t b) {
            const int c = QString::compare(keys[a], keys[b], Qt::CaseInsensitive);
            return desc ? c > 0 : c < 0;
        });
    }
    Rows sorted(n);
    for (size_t i = 0; i < n; ++i)
        sorted[i] = std::move(begin[qsizetype(perm[i])]);
    std::move(sorted.begin(), sorted.end(), begin);
    std::vector<int> newPos(n);
    for (size_t i = 0; i < n; ++i)
        newPos[perm[i]] = int(i);
    if (!sig && m_follow >= first && m_follow <= last)
        m_follow = first + newPos[size_t(m_follow - first)];
    if (sig) {
        // Keep the views' persistent indexes on the rows they pointed at.
        QModelIndexList from = persistentIndexList();
        QModelIndexList to;
        to.reserve(from.size());
        for (const QModelIndex &i : from) {
            const int r = i.row() + 1;
            const int nr = (r >= first && r <= last) ? first + newPos[size_t(r - first)] : r;
            to.append(index(nr - 1, i.column()));
        }
        changePersistentIndexList(from, to);
        emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    }
}

// ---- attributes ----

quint64 GridModel::globalStamp()
{
    return ++m_epoch << kLocalBits;
}

quint64 GridModel::rowStamp(const RowExtra *extra)
{
    const quint64 base = m_epoch << kLocalBits;
    const quint64 last = extra ? extra->last : 0;
    if (last < base)
        return base | 1;
    if ((last & kLocalMask) == kLocalMask)
        return globalStamp() | 1;
    return last + 1;
}

void GridModel::sweepExtras()
{
    m_rootNext.clear();
    for (const auto &e : m_extras)
        e->next.clear();
    std::erase_if(m_extras, [](const auto &e) { return e->refs == 0; });
    m_sweepAt = 2 * m_extras.size() + 256;
}

void GridModel::editRow(size_t i, const RowEdit &edit)
{
    Row &r = rowRef(i);
    auto &memo = r.extra ? r.extra->next : m_rootNext;
    for (const auto &[done, to] : memo)
        if (done == edit) {
            r.extra = ExtraRef(to);
            return;
        }
    if (m_extras.size() >= m_sweepAt) {
        sweepExtras(); // the row's own extra stays: the row holds it
        return editRow(i, edit);
    }
    auto made = std::make_unique<RowExtra>();
    if (r.extra) {
        made->row = r.extra->row;
        made->cells = r.extra->cells;
        made->spans = r.extra->spans;
        made->last = r.extra->last;
    }
    switch (edit.kind) {
    case RowEdit::Style: {
        CellStyle *target = &made->row;
        if (edit.col >= 0) {
            auto &cells = made->cells;
            auto it = std::lower_bound(cells.begin(), cells.end(), edit.col,
                [](const auto &e, int c) { return e.first < c; });
            if (it == cells.end() || it->first != edit.col)
                it = cells.insert(it, { edit.col, CellStyle() });
            target = &it->second;
        }
        edit.style.applyTo(*target);
        target->setAt[edit.style.attr] = edit.stamp;
        made->last = edit.stamp;
        break;
    }
    case RowEdit::AddSpan:
        std::erase_if(made->spans, [&](const CellSpan &s) { return s.col == edit.span.col; });
        made->spans.push_back(edit.span);
        break;
    case RowEdit::RemoveSpan:
        std::erase_if(made->spans, [&](const CellSpan &s) { return s.col == edit.col; });
        break;
    case RowEdit::DropCols:
        std::erase_if(made->cells, [&](const auto &e) { return e.first >= edit.col; });
        break;
    }
    if (memo.size() >= kMemo)
        memo.erase(memo.begin());
    memo.emplace_back(edit, made.get());
    r.extra = ExtraRef(made.get());
    m_extras.push_back(std::move(made));
}

void GridModel::setStyle(int col, int row, const StyleEdit &edit)
{
    if (col < -1 || col >= m_cols || row < -1 || (row > 0 && size_t(row) > m_count))
        return;
    if (row > 0) {
        RowEdit e;
        e.col = col;
        e.style = edit;
        e.stamp = rowStamp(rowRef(size_t(row - 1)).extra.get());
        editRow(size_t(row - 1), e);
    } else {
        CellStyle &s = row == 0 ? (col < 0 ? m_headerAll : m_headerStyles[size_t(col)])
                                : (col < 0 ? m_all : m_colStyles[size_t(col)]);
        edit.applyTo(s);
        s.setAt[edit.attr] = globalStamp();
    }
    styleChanged(col, row);
}

const CellStyle *GridModel::styleAt(int col, int row) const
{
    if (col < -1 || col >= m_cols || row < -1 || (row > 0 && size_t(row) > m_count))
        return nullptr;
    if (row == 0)
        return col < 0 ? &m_headerAll : &m_headerStyles[size_t(col)];
    if (row < 0)
        return col < 0 ? &m_all : &m_colStyles[size_t(col)];
    const Row &r = rowRef(size_t(row - 1));
    if (!r.extra)
        return nullptr;
    if (col < 0)
        return &r.extra->row;
    for (const auto &e : r.extra->cells)
        if (e.first == col)
            return &e.second;
    return nullptr;
}

CellStyle GridModel::resolved(int col, int row) const
{
    CellStyle s = m_all;
    if (col >= 0 && col < m_cols)
        overlay(s, m_colStyles[size_t(col)]);
    if (row >= 1 && size_t(row) <= m_count) {
        const Row &r = rowRef(size_t(row - 1));
        for (const TextBack &t : m_textBacks)
            if (t.col == col && r.cells.cell(col) == t.utf8)
                overlay(s, t.style);
        if (r.extra) {
            overlay(s, r.extra->row);
            for (const auto &e : r.extra->cells)
                if (e.first == col)
                    overlay(s, e.second);
        }
    }
    return s;
}

void GridModel::styleChanged(int col, int row)
{
    if (m_resetOpen)
        return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, col < 0 ? 0 : col, col < 0 ? m_cols - 1 : col);
        return;
    }
    if (m_count == 0)
        return;
    const int r0 = row < 0 ? 0 : row - 1;
    const int r1 = row < 0 ? int(m_count) - 1 : row - 1;
    const int c0 = col < 0 ? 0 : col;
    const int c1 = col < 0 ? m_cols - 1 : col;
    emit dataChanged(index(r0, c0), index(r1, c1));
}

void GridModel::setBackColorForText(int col, const QString &text, const QColor &color)
{
    if (col < 0 || col >= m_cols)
        return;
    const QByteArray utf8 = text.toUtf8();
    std::erase_if(m_textBacks, [&](const TextBack &t) { return t.col == col && t.utf8 == utf8; });
    if (color.isValid()) {
        TextBack t { col, utf8, CellStyle() };
        t.style.back = color;
        t.style.setAt[CellStyle::Back] = globalStamp();
        m_textBacks.push_back(std::move(t));
    }
    styleChanged(col, -1);
}

void GridModel::setOddEvenColors(
    const QColor &oddBack, const QColor &oddFore, const QColor &evenBack, const QColor &evenFore)
{
    m_oddBack = oddBack;
    m_oddFore = oddFore;
    m_evenBack = evenBack;
    m_evenFore = evenFore;
    styleChanged(-1, -1);
}

void GridModel::addSpan(int col, int row, int cols, int rows)
{
    if (col < 0 || col >= m_cols || row < 0 || size_t(row) > m_count)
        return;
    const CellSpan span { col, std::max(1, cols), std::max(1, rows) };
    if (row == 0) {
        std::erase_if(m_headerSpans, [col](const CellSpan &s) { return s.col == col; });
        m_headerSpans.push_back(span);
        return;
    }
    RowEdit e;
    e.kind = RowEdit::AddSpan;
    e.span = span;
    editRow(size_t(row - 1), e);
    m_tallestSpan = std::max(m_tallestSpan, span.rows);
}

void GridModel::removeSpan(int col, int row)
{
    if (row == 0) {
        std::erase_if(m_headerSpans, [col](const CellSpan &s) { return s.col == col; });
        return;
    }
    if (row < 1 || size_t(row) > m_count || !rowRef(size_t(row - 1)).extra)
        return;
    RowEdit e;
    e.kind = RowEdit::RemoveSpan;
    e.col = col;
    editRow(size_t(row - 1), e);
}

std::optional<CellSpan> GridModel::spanAt(int col, int row) const
{
    const std::vector<CellSpan> *spans = nullptr;
    if (row == 0)
        spans = &m_headerSpans;
    else if (row >= 1 && size_t(row) <= m_count && rowRef(size_t(row - 1)).extra)
        spans = &rowRef(size_t(row - 1)).extra->spans;
    if (spans)
        for (const CellSpan &s : *spans)
            if (s.col == col)
                return s;
    return std::nullopt;
}

std::optional<CellSpan> GridModel::headerSpanCovering(int col) const
{
    for (const CellSpan &s : m_headerSpans)
        if (col >= s.col && col < s.col + s.cols && s.cols > 1)
            return s;
    return std::nullopt;
}
