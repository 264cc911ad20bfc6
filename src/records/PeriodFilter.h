#pragma once
#include <QDate>
#include <QList>
#include <QString>
#include <QVariantList>

// The period the period controls name (a week, a month, a whole year, a day, or one day of every
// month), read from the boxes as they hold them. The boxes pass digits only, so the year may be
// short or in another calendar and the day may carry a leading zero; such values simply name
// days that hold no rows.
struct PeriodFilter
{
    enum class Kind {
        None, // no week and no month chosen: the view refuses
        Week, // today, the seven days before it, and every later day
        Month,
        Year,
        Day,
        DayEveryMonth, // day D of each of the twelve months of the year
    };
    static constexpr int WholeYearItem = 12; // the month list's last item

    bool week = false; // the week box is ticked
    int monthItem = -1; // month list position: -1 none, 0..11 a month, 12 the whole year
    QString year; // the year box's text
    bool oneDay = false; // the one-day box is ticked
    QString day; // the day box's text

    Kind kind() const;
};

// A half-open range of days [from, to) as ISO dates ("yyyy-MM-dd"). The bounds compare as text
// with both ISO date columns and ISO date-time columns. An empty `to` has no upper bound.
struct DateRange
{
    QString from;
    QString to;
    bool operator==(const DateRange &) const = default;
};

namespace Periods {
// The days a period covers, as ranges on the calendar; none when the boxes name no existing
// day (day 31 of a short month, day "0", year "0" or a year that is no number) or no period.
// `today` is the clock's date; only the week reads it.
QList<DateRange> ranges(const PeriodFilter &filter, const QDate &today);

QList<DateRange> week(const QDate &today);
QList<DateRange> today(const QDate &today); // the sales summary's today alone
QList<DateRange> month(int year, int month);
QList<DateRange> year(int year);
QList<DateRange> day(int year, int month, int day);
QList<DateRange> dayEveryMonth(int year, int day); // up to twelve; short months are skipped

// A condition on one ISO date or date-time column: "(col >= ? AND col < ?) OR ..." with the
// bounds appended to params in order, or "0" (false) when there are no ranges. `column` is the
// caller's fixed identifier, never typed text.
QString condition(const QString &column, const QList<DateRange> &ranges, QVariantList &params);
} // namespace Periods
