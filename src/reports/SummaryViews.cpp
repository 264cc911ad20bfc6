#include "SummaryViews.h"
#include "platform/LargePages.h"
#include "platform/db/Connection.h"
#include "platform/db/TextMatch.h"
#include "platform/db/ThaiOrder.h"
#include "records/Blanks.h"
#include "records/DateText.h"
#include "shell/PeriodControls.h"
#include <QHash>
#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace SummaryViews {

namespace {

using Kind = PeriodFilter::Kind;

// A stored amount as shown ("#,##0.00": halves away from zero), in satang.
QString satang(const QString &x)
{
    return QStringLiteral("((CAST(round(%1 * 10000) AS INTEGER) + (CASE WHEN %1 < 0 THEN -50 "
                          "ELSE 50 END)) / 100)")
        .arg(x);
}

// A unit price in ten-thousandths of a baht, rounded as the database rounds (halves away from
// zero).
const QString kPrice = QStringLiteral("CAST(round(Lsell * 10000) AS INTEGER)");

// satang() for the lines read into the program: the same double product, the same rounding of
// it to a whole number and the same whole-number division.
qint64 satangOf(double x)
{
    const double r = x * 10000.0;
    const qint64 units = r < 0 ? -qint64(-r + 0.5) : qint64(r + 0.5);
    return (units + (x < 0 ? -50 : 50)) / 100;
}

Currency fromSatang(qint64 s)
{
    return Currency::fromUnits(s * 100);
}

QStringList emptyRow()
{
    QStringList row;
    row.reserve(Col::Count + 1);
    for (int c = 0; c <= Col::Count; ++c)
        row << QString();
    return row;
}

// The period's condition on a date-time column, and the search on the line's texts.
struct Filter
{
    QList<DateRange> ranges;
    bool searching = false;
    QString pattern;

    QString lines(QVariantList &params) const
    {
        QString q = QLatin1Char('(') + Periods::condition(QStringLiteral("Ldate"), ranges, params)
            + QLatin1Char(')');
        if (searching) {
            const QString like = QStringLiteral(" LIKE ?") + QLatin1String(kLikeEscape);
            q += QStringLiteral(" AND (Lsn") + like + QStringLiteral(" OR Lname") + like
                + QStringLiteral(" OR Ldes") + like + QLatin1Char(')');
            params << pattern << pattern << pattern;
        }
        return q;
    }
};

QString title(View view, const PeriodFilter &p)
{
    const QString y = trimBlanks(p.year);
    const QString d = trimBlanks(p.day);
    const QString item = PeriodControls::monthItems().value(p.monthItem);
    if (view == View::BestSellers) {
        switch (p.kind()) {
        case Kind::Week:
            return QStringLiteral("สินค้าที่ขายดี ทั้งหมด ของ สัปดาห์ นี้");
        case Kind::Month:
            return QStringLiteral("สินค้าที่ขายดี  เดือน") + item + QStringLiteral(" ปี ") + y;
        case Kind::Year:
            return QStringLiteral("สินค้าที่ขายดี ปี ") + y;
        case Kind::Day:
            return QStringLiteral("สินค้าที่ขายดี วันที่ ") + d + QStringLiteral(" เดือน") + item
                + QStringLiteral(" ปี ") + y;
        default:
            return QString();
        }
    }
    switch (p.kind()) {
    case Kind::Week:
        return QStringLiteral("สินค้าที่ขายได้ ทั้งหมด ของ สัปดาห์ นี้");
    case Kind::Month:
        return QStringLiteral("สินค้าที่ขายได้  เดือน") + item + QStringLiteral(" ปี ") + y;
    case Kind::Year:
        return QStringLiteral("สินค้าที่ขายได้  ปี ") + y;
    case Kind::Day:
        return QStringLiteral("สินค้าที่ขายได้  วันที่ ") + d + QStringLiteral(" เดือน") + item
            + QStringLiteral(" ปี ") + y;
    default:
        return QString();
    }
}

// The discounts given in the period (by the discount rows' own date-time).
Currency periodDiscount(Connection &db, const Filter &f)
{
    QVariantList params;
    const QString sql
        = QStringLiteral("SELECT sum(CAST(round(rMoney * 10000) AS INTEGER)) FROM tblRMoney WHERE ")
        + Periods::condition(QStringLiteral("rTime"), f.ranges, params);
    return Currency::fromUnits(db.scalar(sql, params).toLongLong());
}

// Distinct texts numbered in the order they first come, each kept once.
class TextIds
{
public:
    quint32 add(QByteArrayView text)
    {
        if (2 * (m_ends.size() + 1) > m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        for (size_t i = qHash(text) & mask;; i = (i + 1) & mask) {
            if (m_slots[i] == 0) {
                m_bytes.append(text.data(), size_t(text.size()));
                m_ends.push_back(m_bytes.size());
                m_slots[i] = quint32(m_ends.size());
                return m_slots[i] - 1;
            }
            if (this->text(m_slots[i] - 1) == text)
                return m_slots[i] - 1;
        }
    }
    QByteArrayView text(quint32 id) const
    {
        const size_t from = id ? m_ends[id - 1] : 0;
        return QByteArrayView(m_bytes.data() + from, qsizetype(m_ends[id] - from));
    }
    quint32 count() const { return quint32(m_ends.size()); }

private:
    void grow()
    {
        m_slots.assign(std::max<size_t>(64, m_slots.size() * 2), 0);
        const size_t mask = m_slots.size() - 1;
        for (quint32 id = 0; id < count(); ++id) {
            size_t i = qHash(text(id)) & mask;
            while (m_slots[i] != 0)
                i = (i + 1) & mask;
            m_slots[i] = id + 1;
        }
    }
    std::string m_bytes;
    std::vector<size_t> m_ends;
    std::vector<quint32> m_slots; // open addressing: id + 1, 0 for a free slot
};

bool equalNoCase(QByteArrayView a, QByteArrayView b)
{
    return a.size() == b.size() && compareNoCase(a, b) == 0;
}

int compareBytes(QByteArrayView a, QByteArrayView b)
{
    const int c = a.compare(b, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

template <typename T> int compareValues(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Cells of a detailed row (see Result::lines).
enum Cell {
    CodeCell = 1,
    NameCell = 2,
    DesCell = 3,
    CostCell = 4,
    PriceCell = 5,
    QtyCell = 6,
    AmountCell = 7,
    DayCell = 9,
    ReceiptCell = 10,
    DiscountCell = 11,
    LineAmountCell = 12
};

// The detailed view's rows: one per group of lines of a receipt that agree in the day, code,
// name, description, unit, cost, price and recorded discount (texts without regard to the case
// of ASCII letters, as the columns compare), their quantities added. A group shows the texts of
// its first line as the period's lines are read. Rows come by receipt, in Thai order of name and
// description inside a receipt, and rows that tie there in the order of the grouped columns.
class DetailedReader
{
public:
    DetailedReader(Connection &db, Result &r)
        : m_db(db)
        , m_rows(r.lines)
    { }

    void read(const Filter &f)
    {
        QVariantList params;
        const QString sql = QStringLiteral("SELECT LPK, Lno, Ldate2, Lsn, Lname, Ldes, Lraka, "
                                           "Lsell, Lrod, Lvalue, Ldes IS NULL, Lnub, Lnub IS NULL "
                                           "FROM tblLog WHERE ")
            + f.lines(params);
        QByteArray lastNo;
        quint32 receipt = 0;
        for (Recordset rs = m_db.query(sql, params); !rs.eof(); rs.moveNext()) {
            const QByteArrayView no = rs.utf8(1);
            if (m_groups.empty() || no != lastNo) { // lines of one receipt mostly come together
                lastNo = no.toByteArray();
                QByteArray folded = lastNo;
                for (char &c : folded)
                    c = foldCase(c);
                receipt = m_receipts.add(folded);
                if (receipt == m_receiptHead.size())
                    m_receiptHead.push_back(kNone);
            }
            Line line { rs, receipt };
            m_cost += satangOf(line.exact.cost) * line.quantity;
            m_sales += satangOf(line.exact.price) * line.quantity;
            if (!joinEarlierGroup(line))
                addGroup(line);
        }
        findTexts();
    }

    // Puts the rows in the view's order.
    void order()
    {
        const quint32 n = quint32(m_groups.size());
        for (const auto &[g, quantity] : m_merged)
            setQuantity(m_rows.row(g), g, quantity);
        // Receipts in the order of their numbers without regard to case, each receipt's rows
        // together (a counting sort), then each receipt's few rows by their texts.
        const std::vector<quint32> receipts = receiptOrder();
        std::vector<quint32> start(receipts.size() + 1, 0);
        for (quint32 i = 0; i < receipts.size(); ++i)
            m_receiptHead[receipts[i]] = i; // now the receipt's place
        for (const Group &g : m_groups)
            ++start[m_receiptHead[g.receipt] + 1];
        for (size_t i = 1; i < start.size(); ++i)
            start[i] += start[i - 1];
        std::vector<quint32> order(n);
        {
            std::vector<quint32> next(start.begin(), start.end() - 1);
            for (quint32 g = 0; g < n; ++g)
                order[next[m_receiptHead[m_groups[g].receipt]]++] = g;
        }
        // Description ranks are shifted by one so a missing description sorts first, as NULL
        // does.
        const std::vector<quint32> rank = m_texts.ranks();
        const auto textRank = [&](quint32 g) {
            const Group &x = m_groups[g];
            return std::pair(rank[x.name], x.description ? rank[x.description - 1] + 1 : 0);
        };
        for (size_t i = 0; i + 1 < start.size(); ++i) {
            if (start[i + 1] - start[i] < 2)
                continue;
            std::sort(
                order.begin() + start[i], order.begin() + start[i + 1], [&](quint32 a, quint32 b) {
                    const auto ra = textRank(a), rb = textRank(b);
                    if (ra != rb)
                        return ra < rb;
                    return compareGrouped(a, b) < 0;
                });
        }
        m_rows.reorder(order);
    }

    Totals totals() const
    {
        Totals t;
        t.cost = fromSatang(m_cost);
        t.sales = fromSatang(m_sales);
        return t;
    }

private:
    static constexpr quint32 kNone = ~quint32(0);

    // The grouped columns that the row does not show as they are stored.
    struct Exact
    {
        double cost = 0, price = 0, discount = 0;
        QByteArray unit;
        bool unitNull = false;
    };

    struct Line
    {
        Line(const Recordset &rs, quint32 receiptId)
            : key(rs.int64(0))
            , receipt(receiptId)
            , no(rs.utf8(1))
            , day(rs.utf8(2))
            , code(rs.utf8(3))
            , name(rs.utf8(4))
            , description(rs.utf8(5))
            , descriptionNull(rs.int64(10) != 0)
            , quantity(rs.int64(9))
            , unit(rs.utf8(11))
        {
            exact.cost = rs.real(6);
            exact.price = rs.real(7);
            exact.discount = rs.real(8);
            exact.unitNull = rs.int64(12) != 0;
        }
        qint64 key;
        quint32 receipt;
        QByteArrayView no, day, code, name, description;
        bool descriptionNull;
        qint64 quantity;
        QByteArrayView unit;
        Exact exact;
    };

    struct Group
    {
        qint64 key; // LPK of its first line
        quint32 receipt;
        // Ids in m_texts, set by findTexts: the name's, and the description's + 1 (0: none, NULL;
        // 1 until found).
        quint32 name;
        quint32 description;
        quint32 previous; // the receipt's group made before this one, or kNone
    };

    static QByteArrayView shownMoney(const Currency &c, char (&buf)[32])
    {
        return QByteArrayView(buf, c.formatInto(buf));
    }

    // A price cell: the amount as shown and a blank.
    static bool shownWithBlank(QByteArrayView cell, QByteArrayView money)
    {
        return cell.size() == money.size() + 1 && cell.startsWith(money) && cell.endsWith(' ');
    }

    // The earlier group of the line's receipt it belongs to, if any: the texts the row shows
    // decide almost always; the stored values only where they all agree.
    bool joinEarlierGroup(const Line &line)
    {
        char cost[32], price[32], discount[32];
        QByteArrayView costText, priceText, discountText;
        for (quint32 g = m_receiptHead[line.receipt]; g != kNone; g = m_groups[g].previous) {
            const PackedRow &row = m_rows.row(g);
            if (!equalNoCase(row.cell(CodeCell), line.code) || row.cell(DayCell) != line.day
                || !equalNoCase(row.cell(NameCell), line.name)
                || !equalNoCase(row.cell(DesCell), line.description)
                || (m_groups[g].description == 0) != line.descriptionNull)
                continue;
            if (costText.isNull()) {
                costText = shownMoney(Currency::fromDouble(line.exact.cost), cost);
                priceText = shownMoney(Currency::fromDouble(line.exact.price), price);
                discountText = shownMoney(Currency::fromDouble(line.exact.discount), discount);
            }
            if (!shownWithBlank(row.cell(CostCell), costText)
                || !shownWithBlank(row.cell(PriceCell), priceText)
                || row.cell(DiscountCell) != discountText)
                continue;
            const Exact &e = exactOf(g);
            if (e.cost != line.exact.cost || e.price != line.exact.price
                || e.discount != line.exact.discount || e.unitNull != line.exact.unitNull
                || e.unit != line.unit)
                continue;
            auto it = m_merged.find(g);
            if (it == m_merged.end())
                it = m_merged.emplace(g, row.cell(QtyCell).toLongLong()).first;
            it->second += line.quantity;
            return true;
        }
        return false;
    }

    void addGroup(const Line &line)
    {
        const quint32 g = quint32(m_groups.size());
        m_groups.push_back({ line.key, line.receipt, 0, line.descriptionNull ? 0u : 1u,
            m_receiptHead[line.receipt] });
        m_receiptHead[line.receipt] = g;
        const Currency price = Currency::fromDouble(line.exact.price);
        // Money and counts are written straight as text into the row: no string per cell.
        char cost[32], unit[32], amount[32], discount[32], count[24];
        const QByteArrayView costText = shownMoney(Currency::fromDouble(line.exact.cost), cost);
        const QByteArrayView priceText = shownMoney(price, unit);
        const QByteArrayView amountText = shownMoney(price * line.quantity, amount);
        const QByteArrayView discountText
            = shownMoney(Currency::fromDouble(line.exact.discount), discount);
        const QByteArrayView countText(
            count, std::to_chars(count, count + sizeof count, line.quantity).ptr - count);
        const QByteArrayView blank(" ", 1);
        m_rows.addUtf8({});
        m_rows.addUtf8(line.code);
        m_rows.addUtf8(line.name);
        m_rows.addUtf8(line.description);
        m_rows.addUtf8({ costText, blank });
        m_rows.addUtf8({ priceText, blank });
        m_rows.addUtf8(countText);
        m_rows.addUtf8(amountText);
        m_rows.addUtf8({});
        m_rows.addUtf8(line.day);
        m_rows.addUtf8(line.no);
        m_rows.addUtf8(discountText);
        m_rows.addUtf8(amountText);
        m_rows.endRow();
        m_textsToFind.push_back(g);
        if (m_textsToFind.size() == kTextBatch)
            findTexts();
    }

    // The text ids of the groups made since the last call, found many at a time, as the ids
    // of a big period's names are far apart in memory.
    void findTexts()
    {
        QByteArrayView texts[2 * kTextBatch];
        quint32 ids[2 * kTextBatch];
        size_t n = 0;
        for (const quint32 g : m_textsToFind) {
            const PackedRow &row = m_rows.row(g);
            texts[n++] = row.cell(NameCell);
            if (m_groups[g].description)
                texts[n++] = row.cell(DesCell);
        }
        m_texts.add(texts, n, ids);
        n = 0;
        for (const quint32 g : m_textsToFind) {
            m_groups[g].name = ids[n++];
            if (m_groups[g].description)
                m_groups[g].description = ids[n++] + 1;
        }
        m_textsToFind.clear();
    }

    // The receipts by their folded numbers' bytes. A number's first sixteen bytes, big-endian
    // and padded with zeros, order the receipts as the bytes do wherever they differ: a year's
    // numbers sort as pairs of integers, without reaching the texts.
    std::vector<quint32> receiptOrder() const
    {
        struct Receipt
        {
            quint64 high = 0, low = 0;
            quint32 id;
        };
        std::vector<Receipt> receipts(m_receipts.count());
        for (quint32 id = 0; id < receipts.size(); ++id) {
            Receipt &r = receipts[id];
            r.id = id;
            const QByteArrayView no = m_receipts.text(id);
            for (qsizetype i = 0; i < std::min<qsizetype>(no.size(), 16); ++i)
                (i < 8 ? r.high : r.low) |= quint64(uchar(no[i])) << (8 * (7 - i % 8));
        }
        std::sort(receipts.begin(), receipts.end(), [&](const Receipt &a, const Receipt &b) {
            if (a.high != b.high)
                return a.high < b.high;
            if (a.low != b.low)
                return a.low < b.low;
            return compareBytes(m_receipts.text(a.id), m_receipts.text(b.id)) < 0;
        });
        std::vector<quint32> order(receipts.size());
        for (size_t i = 0; i < receipts.size(); ++i)
            order[i] = receipts[i].id;
        return order;
    }

    // A merged group's row with the added quantity and its amount.
    void setQuantity(PackedRow &row, quint32 g, qint64 quantity)
    {
        char count[24], amount[32];
        const QByteArrayView countText(
            count, std::to_chars(count, count + sizeof count, quantity).ptr - count);
        const QByteArrayView amountText
            = shownMoney(Currency::fromDouble(exactOf(g).price) * quantity, amount);
        row.setCell(QtyCell, countText);
        row.setCell(AmountCell, amountText);
        row.setCell(LineAmountCell, amountText);
    }

    // The stored values of a group's first line, read again when they are needed.
    const Exact &exactOf(quint32 g)
    {
        auto it = m_exact.find(g);
        if (it != m_exact.end())
            return it->second;
        Exact e;
        Recordset rs = m_db.query(QStringLiteral("SELECT Lraka, Lsell, Lrod, Lnub, Lnub IS NULL "
                                                 "FROM tblLog WHERE LPK = ?"),
            { m_groups[g].key });
        if (!rs.eof()) {
            e.cost = rs.real(0);
            e.price = rs.real(1);
            e.discount = rs.real(2);
            e.unit = rs.utf8(3).toByteArray();
            e.unitNull = rs.int64(4) != 0;
        }
        return m_exact.emplace(g, std::move(e)).first->second;
    }

    // Two groups of one receipt in the order of the grouped columns, each as its column
    // compares: the day and the unit by their bytes, code, name and description without regard
    // to case, a missing description or unit first, the money by value.
    int compareGrouped(quint32 a, quint32 b)
    {
        const PackedRow &x = m_rows.row(a), &y = m_rows.row(b);
        if (int c = compareBytes(x.cell(DayCell), y.cell(DayCell)))
            return c;
        if (int c = compareNoCase(x.cell(CodeCell), y.cell(CodeCell)))
            return c;
        if (int c = compareNoCase(x.cell(NameCell), y.cell(NameCell)))
            return c;
        const bool xNull = m_groups[a].description == 0, yNull = m_groups[b].description == 0;
        if (xNull != yNull)
            return xNull ? -1 : 1;
        if (int c = compareNoCase(x.cell(DesCell), y.cell(DesCell)))
            return c;
        const Exact ex = exactOf(a), ey = exactOf(b);
        if (ex.unitNull != ey.unitNull)
            return ex.unitNull ? -1 : 1;
        if (int c = compareBytes(ex.unit, ey.unit))
            return c;
        if (int c = compareValues(ex.cost, ey.cost))
            return c;
        if (int c = compareValues(ex.price, ey.price))
            return c;
        return compareValues(ex.discount, ey.discount);
    }

    Connection &m_db;
    GridRows &m_rows;
    // One per row, in the rows' order while reading; a year's take large pages.
    std::vector<Group, LargePages::Allocator<Group>> m_groups;
    TextIds m_receipts; // receipt numbers, folded as NOCASE compares them
    std::vector<quint32> m_receiptHead; // each receipt's latest group, or kNone
    ThaiRanks m_texts; // names and descriptions
    static constexpr size_t kTextBatch = 64;
    std::vector<quint32> m_textsToFind; // groups whose text ids are still to be found
    std::unordered_map<quint32, qint64> m_merged; // groups of several lines: their quantity
    std::unordered_map<quint32, Exact> m_exact;
    qint64 m_cost = 0, m_sales = 0; // satang
};

void detailedRows(Connection &db, const Filter &f, Result &r)
{
    DetailedReader reader(db, r);
    reader.read(f);
    reader.order();
    r.totals = reader.totals();
}

void bestSellerRows(Connection &db, const Filter &f, Result &r)
{
    QVariantList params;
    const QString sql
        = QStringLiteral("SELECT Lsn, Lname, Ldes, Lnub, sum(Lvalue) FROM tblLog WHERE ")
        + f.lines(params)
        + QStringLiteral(" GROUP BY Lsn, Lname, Ldes, Lnub ORDER BY sum(Lvalue) DESC");
    GridRows &rows = r.lines;
    for (Recordset rs = db.query(sql, params); !rs.eof(); rs.moveNext()) {
        char count[24];
        const QByteArrayView countText(
            count, std::to_chars(count, count + sizeof count, rs.integer(4)).ptr - count);
        rows.addUtf8({});
        rows.addUtf8(rs.utf8(0));
        rows.addUtf8(rs.utf8(1));
        rows.addUtf8(rs.utf8(2));
        rows.addUtf8({});
        rows.addUtf8({});
        rows.addUtf8(countText);
        rows.addUtf8(rs.utf8(3));
        rows.endRow();
    }
}

// One row per key (a receipt number, a day or a month) with the discount, the total and the
// net that the page's grouping of the detailed rows would give it; the period's cost and sales
// come with them. A detailed row stands for the lines of a receipt that agree in every grouped
// column: its discount counts once, its amount is the price times the added quantity, rounded
// once. The grouped query sums every line by itself, in ten-thousandths; a first, small query
// finds the few groups where that differs (a discount recorded on several lines of a group, a
// price with fractions of a satang, whose rounding depends on the grouping) and what they
// change. Keys compare as the grouping compares them: receipt numbers without regard to the
// case of ASCII letters, days as ISO text. The days' sums come from the day totals the database
// keeps (`dayKey` over tblDayTotal) instead of from every line.
void condensedRows(Connection &db, const Filter &f, const QString &key, bool byDay, Result &r,
    const QString &dayKey = QString())
{
    const auto keyOf = [byDay](QByteArrayView k) {
        QByteArray folded = k.toByteArray();
        if (!byDay)
            for (char &c : folded)
                c = foldCase(c);
        return folded;
    };
    struct Correction
    {
        qint64 discount = 0, amount = 0;
    };
    QHash<QByteArray, Correction> corrections;
    {
        QVariantList params;
        const QString amount = kPrice + QStringLiteral(" * sum(Lvalue)");
        const QString sql = QStringLiteral("SELECT ") + key + QStringLiteral(", (1 - count(*)) * ")
            + satang(QStringLiteral("Lrod")) + QStringLiteral(", 100 * ((") + amount
            + QStringLiteral(" + (CASE WHEN ") + amount
            + QStringLiteral(" < 0 THEN -50 ELSE 50 END)) / 100) - ") + amount
            + QStringLiteral(" FROM tblLog WHERE ") + f.lines(params)
            + QStringLiteral(" AND (Lrod != 0 OR ") + kPrice
            + QStringLiteral(" % 100 != 0) GROUP BY Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, "
                             "Lsell, Lrod HAVING count(*) > 1 OR ")
            + kPrice + QStringLiteral(" % 100 != 0");
        for (Recordset rs = db.query(sql, params); !rs.eof(); rs.moveNext()) {
            Correction &c = corrections[keyOf(rs.utf8(0))];
            c.discount += rs.int64(1);
            c.amount += rs.int64(2);
        }
    }
    QVariantList params;
    const QString keyOrder = byDay ? QString() : QStringLiteral(" COLLATE NOCASE");
    const QString sql = !dayKey.isEmpty()
        ? QStringLiteral("SELECT ") + dayKey
            + QStringLiteral(" AS k, sum(tRod), sum(tAmount), sum(tCost), sum(tSales) FROM "
                             "tblDayTotal WHERE ")
            + Periods::condition(QStringLiteral("tDay"), f.ranges, params)
            + QStringLiteral(" GROUP BY k ORDER BY k")
        : QStringLiteral("SELECT ") + key + QStringLiteral(" AS k, sum(")
            + satang(QStringLiteral("Lrod")) + QStringLiteral("), sum(") + kPrice
            + QStringLiteral(" * Lvalue), sum(") + satang(QStringLiteral("Lraka"))
            + QStringLiteral(" * Lvalue), sum(") + satang(QStringLiteral("Lsell"))
            + QStringLiteral(" * Lvalue) FROM tblLog WHERE ") + f.lines(params)
            + QStringLiteral(" GROUP BY k") + keyOrder + QStringLiteral(" ORDER BY k") + keyOrder;
    GridRows &packed = r.lines;
    qint64 cost = 0, sales = 0;
    for (Recordset rs = db.query(sql, params); !rs.eof(); rs.moveNext()) {
        const QByteArrayView k = rs.utf8(0);
        qint64 discountSatang = rs.int64(1), amount = rs.int64(2);
        if (!corrections.isEmpty()) {
            const auto c = corrections.constFind(keyOf(k));
            if (c != corrections.cend()) {
                discountSatang += c->discount;
                amount += c->amount;
            }
        }
        const Currency discount = fromSatang(discountSatang);
        const Currency total = fromSatang(amount / 100);
        cost += rs.int64(3);
        sales += rs.int64(4);
        if (!byDay) {
            // One row per receipt: many rows, packed.
            char d[32], t[32], n[32];
            const QByteArrayView blank(" ", 1);
            packed.addUtf8({});
            packed.addUtf8(k);
            packed.addUtf8({ QByteArrayView(d, discount.formatInto(d)), blank });
            packed.addUtf8({ QByteArrayView(t, total.formatInto(t)), blank });
            packed.addUtf8({ blank, QByteArrayView(n, (total - discount).formatInto(n)), blank });
            packed.endRow();
            continue;
        }
        QStringList row = emptyRow();
        const QString day = QString::fromUtf8(k);
        if (day.size() == 7) { // a month of the year: yyyy-MM
            row[1] = QStringLiteral("เดือน ") + day.mid(5, 2) + QLatin1Char('-') + day.left(4);
        } else {
            row[1] = DateText::displayDate(DateText::dateFromStorage(day));
        }
        row[Col::Receipt] = day;
        row[2] = amountCell(discount);
        row[3] = amountCell(total);
        row[4] = netCell(total - discount);
        r.rows.push_back(std::move(row));
    }
    r.totals.cost = fromSatang(cost);
    r.totals.sales = fromSatang(sales);
}

} // namespace

QString cleanSearch(const QString &text)
{
    QString t = text;
    t.remove(QLatin1Char('\''));
    t.remove(QLatin1Char('%'));
    t.remove(QLatin1Char('*'));
    return t;
}

QString noMonthText()
{
    return QStringLiteral("กรุณาเลือก ( เดือน ) ที่คุณต้องการก่อนการประมวลผล...");
}

QString yearWithDayText()
{
    return QStringLiteral("ไม่สามารถหาข้อมูลได้ (โปรดระบุเดือน) ให้ถูกต้อง..");
}

QString notFoundText(bool week)
{
    return week
        ? QStringLiteral("ไม่พบ ข้อมูลสินค้าที่ขายได้ใน สัปดาห์นี้ ( กด F5 เพื่อ รีโหลดข้อมูล )..")
        : QStringLiteral("ไม่พบ ข้อมูล ที่คุณต้องการค้นหาใน ระบบ โปรดลองอีกครั้ง ( กด F5 เพื่อ รีโหลดข้อมูล )..");
}

QString amountCell(const Currency &amount)
{
    return amount.format() + QLatin1Char(' ');
}

QString netCell(const Currency &net)
{
    return QLatin1Char(' ') + net.format() + QLatin1Char(' ');
}

Result run(Connection &db, View view, const Request &request)
{
    Result r;
    const Kind kind = request.period.kind();
    if (kind == Kind::None) {
        r.outcome = Outcome::NoMonth;
        r.message = noMonthText();
        return r;
    }
    if (kind == Kind::DayEveryMonth) {
        r.outcome = Outcome::YearWithDay;
        r.message = yearWithDayText();
        return r;
    }
    r.title = title(view, request.period);

    Filter f;
    f.ranges = Periods::ranges(request.period, request.today);
    // The one-row views always cover every receipt of the period.
    f.searching
        = !request.search.isEmpty() && (view == View::Detailed || view == View::BestSellers);
    f.pattern = likeContains(trimBlanks(request.search));

    switch (view) {
    case View::Detailed:
        detailedRows(db, f, r);
        break;
    case View::BestSellers:
        bestSellerRows(db, f, r);
        break;
    case View::Brief:
        condensedRows(db, f, QStringLiteral("Lno"), false, r);
        break;
    case View::PerDay: {
        // A day's totals count the lines whose date-time falls on that day: the period's bounds
        // are whole days (ten characters), so comparing the date-time's first ten characters
        // with them picks the same lines as comparing the whole text.
        const bool wholeDays
            = std::all_of(f.ranges.cbegin(), f.ranges.cend(), [](const DateRange &d) {
                  return d.from.size() == 10 && (d.to.isEmpty() || d.to.size() == 10);
              });
        const bool year = kind == Kind::Year;
        condensedRows(db, f,
            year ? QStringLiteral("substr(Ldate2, 1, 7)") : QStringLiteral("Ldate2"), true, r,
            !wholeDays ? QString()
                : year ? QStringLiteral("substr(tDate2, 1, 7)")
                       : QStringLiteral("tDate2"));
        break;
    }
    }
    if (r.rowCount() == 0) {
        r.outcome = Outcome::NotFound;
        r.message = notFoundText(kind == Kind::Week);
        r.totals = Totals();
        return r;
    }
    r.outcome = Outcome::Shown;
    r.chartLink = kind == Kind::Year && view != View::BestSellers;
    // A search shows the found lines' sales without any discount.
    if (view != View::BestSellers && !f.searching)
        r.totals.discount = periodDiscount(db, f);
    if (view == View::Brief)
        r.columnOneHeader
            = QLatin1Char('(') + QString::number(r.rowCount()) + QStringLiteral(") เลขที่ใบเสร็จ");
    else if (view == View::PerDay)
        r.columnOneHeader
            = QLatin1Char('(') + QString::number(r.rowCount()) + QStringLiteral(") รายการ");
    return r;
}

} // namespace SummaryViews
