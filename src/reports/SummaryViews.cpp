#include "SummaryViews.h"
#include "platform/db/Connection.h"
#include "platform/db/TextMatch.h"
#include "platform/db/ThaiOrder.h"
#include "records/Blanks.h"
#include "records/DateText.h"
#include "shell/PeriodControls.h"
#include <QHash>
#include <algorithm>
#include <charconv>
#include <tuple>

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

// One line group's amount (unit price times the summed quantity) as shown, in satang.
const QString kGroupAmount
    = QStringLiteral("((CAST(round(Lsell * 10000) AS INTEGER) * sum(Lvalue) + (CASE WHEN Lsell < 0 "
                     "THEN -50 ELSE 50 END)) / 100)");

// The sale lines of one receipt and product as the views list them: lines that agree in all of
// these are one row with their quantities added. The order of the columns changes nothing but
// the speed: the column a view sums by comes first.
QString lineGroups(bool dayFirst)
{
    return dayFirst
        ? QStringLiteral(" GROUP BY Ldate2, Lno, Lsn, Lname, Ldes, Lnub, Lraka, Lsell, Lrod")
        : QStringLiteral(" GROUP BY Lno, Ldate2, Lsn, Lname, Ldes, Lnub, Lraka, Lsell, Lrod");
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

// Cost and gross sales of the lines, each unit price as shown times the quantity.
void lineTotals(Connection &db, const Filter &f, Totals &t)
{
    QVariantList params;
    const QString sql = QStringLiteral("SELECT sum(") + satang(QStringLiteral("Lraka"))
        + QStringLiteral(" * Lvalue), sum(") + satang(QStringLiteral("Lsell"))
        + QStringLiteral(" * Lvalue) FROM tblLog WHERE ") + f.lines(params);
    Recordset rs = db.query(sql, params);
    if (!rs.eof()) {
        t.cost = fromSatang(rs.integer(0));
        t.sales = fromSatang(rs.integer(1));
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

// A receipt number as the database's NOCASE compares it: ASCII letters in capitals.
QByteArray receiptKey(QByteArrayView no)
{
    QByteArray k = no.toByteArray();
    for (char &c : k)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return k;
}

void detailedRows(Connection &db, const Filter &f, Result &r)
{
    QVariantList params;
    // The page puts the receipts in order; inside a receipt the lines go in Thai order of name
    // and description below, from one sort key per distinct text instead of a collator call per
    // comparison.
    const QString sql = QStringLiteral("SELECT Lrod, Lno, Ldate2, Lsn, Lname, Ldes, Lraka, Lsell, "
                                       "sum(Lvalue), Ldes IS NULL FROM tblLog WHERE ")
        + f.lines(params) + lineGroups(false);
    struct Key
    {
        quint32 receipt, name, description, row;
        bool operator<(const Key &o) const
        {
            return std::tie(receipt, name, description, row)
                < std::tie(o.receipt, o.name, o.description, o.row);
        }
    };
    std::vector<Key> keys;
    ThaiRanks texts;
    GridRows &rows = r.lines;
    QHash<QByteArray, quint32> receipts;
    const QByteArrayView blank(" ", 1);
    QByteArray lastReceipt; // lines of one receipt mostly come together
    quint32 receipt = 0;
    for (Recordset rs = db.query(sql, params); !rs.eof(); rs.moveNext()) {
        const QByteArrayView no = rs.utf8(1);
        if (keys.empty() || no != lastReceipt) {
            lastReceipt = no.toByteArray();
            const QByteArray key = receiptKey(no);
            auto known = receipts.constFind(key);
            if (known == receipts.cend())
                known = receipts.insert(key, quint32(receipts.size()));
            receipt = *known;
        }
        const QByteArrayView name = rs.utf8(4), description = rs.utf8(5);
        keys.push_back({ receipt, texts.add(name),
            rs.int64(9) != 0 ? 0 : texts.add(description) + 1, quint32(keys.size()) });
        const Currency price = Currency::fromDouble(rs.real(7));
        const qint64 quantity = rs.int64(8);
        // Money and counts are written straight as text into the row: no string per cell.
        char cost[32], unit[32], amount[32], discount[32], count[24];
        const QByteArrayView costText(cost, Currency::fromDouble(rs.real(6)).formatInto(cost));
        const QByteArrayView priceText(unit, price.formatInto(unit));
        const QByteArrayView amountText(amount, (price * quantity).formatInto(amount));
        const QByteArrayView discountText(
            discount, Currency::fromDouble(rs.real(0)).formatInto(discount));
        const QByteArrayView countText(
            count, std::to_chars(count, count + sizeof count, quantity).ptr - count);
        rows.addUtf8({});
        rows.addUtf8(rs.utf8(3));
        rows.addUtf8(name);
        rows.addUtf8(description);
        rows.addUtf8({ costText, blank });
        rows.addUtf8({ priceText, blank });
        rows.addUtf8(countText);
        rows.addUtf8(amountText);
        rows.addUtf8({});
        rows.addUtf8(rs.utf8(2));
        rows.addUtf8(no);
        rows.addUtf8(discountText);
        rows.addUtf8(amountText);
        rows.endRow();
    }
    // Description ranks are shifted by one so a missing description sorts first, as NULL does.
    const std::vector<quint32> rank = texts.ranks();
    for (Key &k : keys) {
        k.name = rank[k.name];
        if (k.description != 0)
            k.description = rank[k.description - 1] + 1;
    }
    std::sort(keys.begin(), keys.end());
    std::vector<quint32> order(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].row;
    rows.reorder(order);
}

void bestSellerRows(Connection &db, const Filter &f, Result &r)
{
    QVariantList params;
    const QString sql
        = QStringLiteral("SELECT Lsn, Lname, Ldes, Lnub, sum(Lvalue) FROM tblLog WHERE ")
        + f.lines(params)
        + QStringLiteral(" GROUP BY Lsn, Lname, Ldes, Lnub ORDER BY sum(Lvalue) DESC");
    for (Recordset rs = db.query(sql, params); !rs.eof(); rs.moveNext()) {
        QStringList row = emptyRow();
        row[Col::Code] = rs.text(0);
        row[Col::Name] = rs.text(1);
        row[Col::Description] = rs.text(2);
        row[Col::Quantity] = QString::number(rs.integer(4));
        row[Col::Amount] = rs.text(3);
        r.rows.push_back(std::move(row));
    }
}

// One row per key (a receipt number, a day or a month): the discounts stored on its lines, the
// sum of its line amounts and the difference, as the page's grouping totals them.
void condensedRows(Connection &db, const Filter &f, const QString &key, bool byDay, Result &r)
{
    QVariantList params;
    const QString sql = QStringLiteral("SELECT k, sum(rod), sum(amount) FROM (SELECT ") + key
        + QStringLiteral(" AS k, ") + satang(QStringLiteral("Lrod")) + QStringLiteral(" AS rod, ")
        + kGroupAmount + QStringLiteral(" AS amount FROM tblLog WHERE ") + f.lines(params)
        + lineGroups(byDay)
        // Receipt numbers compare without regard to case, as the page's grouping does; days
        // are ISO text.
        + (byDay ? QStringLiteral(") GROUP BY k ORDER BY k")
                 : QStringLiteral(") GROUP BY k COLLATE NOCASE ORDER BY k COLLATE NOCASE"));
    for (Recordset rs = db.query(sql, params); !rs.eof(); rs.moveNext()) {
        QStringList row = emptyRow();
        const QString k = rs.text(0);
        const Currency discount = fromSatang(rs.integer(1));
        const Currency total = fromSatang(rs.integer(2));
        if (!byDay) {
            row[1] = k;
        } else if (k.size() == 7) { // a month of the year: yyyy-MM
            row[1] = QStringLiteral("เดือน ") + k.mid(5, 2) + QLatin1Char('-') + k.left(4);
            row[Col::Receipt] = k;
        } else {
            row[1] = DateText::displayDate(DateText::dateFromStorage(k));
            row[Col::Receipt] = k;
        }
        row[2] = amountCell(discount);
        row[3] = amountCell(total);
        row[4] = netCell(total - discount);
        r.rows.push_back(std::move(row));
    }
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
    case View::PerDay:
        condensedRows(db, f,
            kind == Kind::Year ? QStringLiteral("substr(Ldate2, 1, 7)") : QStringLiteral("Ldate2"),
            true, r);
        break;
    }
    if (r.rows.empty() && r.lines.empty()) {
        r.outcome = Outcome::NotFound;
        r.message = notFoundText(kind == Kind::Week);
        return r;
    }
    r.outcome = Outcome::Shown;
    r.chartLink = kind == Kind::Year && view != View::BestSellers;
    if (view != View::BestSellers) {
        lineTotals(db, f, r.totals);
        // A search shows the found lines' sales without any discount.
        if (!f.searching)
            r.totals.discount = periodDiscount(db, f);
    }
    if (view == View::Brief)
        r.columnOneHeader
            = QLatin1Char('(') + QString::number(r.rows.size()) + QStringLiteral(") เลขที่ใบเสร็จ");
    else if (view == View::PerDay)
        r.columnOneHeader
            = QLatin1Char('(') + QString::number(r.rows.size()) + QStringLiteral(") รายการ");
    return r;
}

} // namespace SummaryViews
