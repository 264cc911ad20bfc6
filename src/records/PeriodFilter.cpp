#include "PeriodFilter.h"
#include "records/Blanks.h"
#include <optional>

namespace {

// A whole number from digits only (blanks at the ends allowed); nothing for any other text.
std::optional<int> digits(const QString &text)
{
    const QString t = trimBlanks(text);
    if (t.isEmpty() || t.size() > 9)
        return std::nullopt;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return t.toInt();
}

// ISO date text, the year always four digits so that the texts sort as the calendar does.
// Years beyond 9999 have no such text: nothing.
QString iso(const QDate &d)
{
    if (!d.isValid() || d.year() < 1 || d.year() > 9999)
        return QString();
    return QStringLiteral("%1-%2-%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

// [first, end) where end may lie beyond year 9999 and then has no upper bound.
QList<DateRange> span(const QDate &first, const QDate &end)
{
    if (!first.isValid() || first.year() < 1 || first.year() > 9999)
        return {};
    return { DateRange { iso(first), iso(end) } };
}

} // namespace

PeriodFilter::Kind PeriodFilter::kind() const
{
    if (week)
        return Kind::Week;
    if (monthItem >= 0 && monthItem < WholeYearItem)
        return oneDay ? Kind::Day : Kind::Month;
    if (monthItem == WholeYearItem)
        return oneDay ? Kind::DayEveryMonth : Kind::Year;
    return Kind::None;
}

namespace Periods {

QList<DateRange> ranges(const PeriodFilter &f, const QDate &today)
{
    const PeriodFilter::Kind k = f.kind();
    if (k == PeriodFilter::Kind::Week)
        return week(today);
    if (k == PeriodFilter::Kind::None)
        return {};
    const std::optional<int> y = digits(f.year);
    if (!y)
        return {};
    const int m = f.monthItem + 1;
    std::optional<int> d;
    if (k == PeriodFilter::Kind::Day || k == PeriodFilter::Kind::DayEveryMonth) {
        d = digits(f.day);
        if (!d)
            return {};
    }
    switch (k) {
    case PeriodFilter::Kind::Month:
        return month(*y, m);
    case PeriodFilter::Kind::Year:
        return year(*y);
    case PeriodFilter::Kind::Day:
        return day(*y, m, *d);
    case PeriodFilter::Kind::DayEveryMonth:
        return dayEveryMonth(*y, *d);
    default:
        return {};
    }
}

QList<DateRange> week(const QDate &today)
{
    // Counted in calendar days whatever the time of day; rows dated later are in too.
    return { DateRange { iso(today.addDays(-7)), QString() } };
}

QList<DateRange> today(const QDate &today)
{
    return span(today, today.addDays(1));
}

QList<DateRange> month(int year, int month)
{
    const QDate first(year, month, 1);
    return span(first, first.addMonths(1));
}

QList<DateRange> year(int year)
{
    const QDate first(year, 1, 1);
    return span(first, first.addYears(1));
}

QList<DateRange> day(int year, int month, int day)
{
    const QDate d(year, month, day);
    return span(d, d.addDays(1));
}

QList<DateRange> dayEveryMonth(int year, int day)
{
    QList<DateRange> out;
    for (int m = 1; m <= 12; ++m)
        out += Periods::day(year, m, day);
    return out;
}

QString condition(const QString &column, const QList<DateRange> &ranges, QVariantList &params)
{
    if (ranges.isEmpty())
        return QStringLiteral("0");
    QStringList parts;
    for (const DateRange &r : ranges) {
        params << r.from;
        if (r.to.isEmpty()) {
            parts << QStringLiteral("%1 >= ?").arg(column);
        } else {
            params << r.to;
            parts << QStringLiteral("(%1 >= ? AND %1 < ?)").arg(column);
        }
    }
    return parts.size() == 1
        ? parts.first()
        : QLatin1Char('(') + parts.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

} // namespace Periods
