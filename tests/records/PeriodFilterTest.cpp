#include "records/PeriodFilter.h"
#include "platform/db/Connection.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDate kToday(2024, 5, 15);

PeriodFilter boxes(bool week, int item, const char *year, const char *day = nullptr)
{
    PeriodFilter f;
    f.week = week;
    f.monthItem = item;
    f.year = QString::fromLatin1(year);
    f.oneDay = day != nullptr;
    f.day = day ? QString::fromLatin1(day) : QStringLiteral("0");
    return f;
}

QList<DateRange> days(std::initializer_list<const char *> isoDays)
{
    QList<DateRange> out;
    for (const char *d : isoDays) {
        const QDate first = QDate::fromString(QString::fromLatin1(d), Qt::ISODate);
        out << DateRange { first.toString(Qt::ISODate), first.addDays(1).toString(Qt::ISODate) };
    }
    return out;
}

} // namespace

TEST(Periods, KindFollowsTheBoxes)
{
    using K = PeriodFilter::Kind;
    struct Case
    {
        PeriodFilter f;
        K kind;
    } cases[] = {
        { boxes(true, -1, "2024"), K::Week },
        { boxes(true, 4, "2024", "3"), K::Week }, // the week reads no other box
        { boxes(false, -1, "2024"), K::None },
        { boxes(false, -1, "2024", "3"), K::None },
        { boxes(false, 0, "2024"), K::Month },
        { boxes(false, 11, "2024", "3"), K::Day },
        { boxes(false, 12, "2024"), K::Year },
        { boxes(false, 12, "2024", "3"), K::DayEveryMonth },
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.f.kind(), c.kind) << c.f.monthItem << " " << c.f.oneDay;
}

TEST(Periods, RangesOfEachPeriod)
{
    struct Case
    {
        const char *name;
        PeriodFilter f;
        QList<DateRange> ranges;
    } cases[] = {
        // Today and the seven days before it, whatever the time; later days too.
        { "week", boxes(true, -1, "1999"), { { "2024-05-08", "" } } },
        { "May", boxes(false, 4, "2024"), { { "2024-05-01", "2024-06-01" } } },
        { "December runs into the next year", boxes(false, 11, "2024"),
            { { "2024-12-01", "2025-01-01" } } },
        { "February of a leap year", boxes(false, 1, "2024"), { { "2024-02-01", "2024-03-01" } } },
        { "whole year", boxes(false, 12, "2024"), { { "2024-01-01", "2025-01-01" } } },
        { "year with blanks around it", boxes(false, 12, " 2023 "),
            { { "2023-01-01", "2024-01-01" } } },
        { "one day", boxes(false, 4, "2024", "15"), days({ "2024-05-15" }) },
        { "day with a leading zero", boxes(false, 4, "2024", "05"), days({ "2024-05-05" }) },
        { "last day of the year", boxes(false, 11, "2024", "31"), days({ "2024-12-31" }) },
        { "29 February", boxes(false, 1, "2024", "29"), days({ "2024-02-29" }) },
        { "day of every month", boxes(false, 12, "2024", "15"),
            days({ "2024-01-15", "2024-02-15", "2024-03-15", "2024-04-15", "2024-05-15",
                "2024-06-15", "2024-07-15", "2024-08-15", "2024-09-15", "2024-10-15", "2024-11-15",
                "2024-12-15" }) },
        { "day 31 skips the short months", boxes(false, 12, "2024", "31"),
            days({ "2024-01-31", "2024-03-31", "2024-05-31", "2024-07-31", "2024-08-31",
                "2024-10-31", "2024-12-31" }) },
        { "day 29 of every month in a common year", boxes(false, 12, "2023", "29"),
            days({ "2023-01-29", "2023-03-29", "2023-04-29", "2023-05-29", "2023-06-29",
                "2023-07-29", "2023-08-29", "2023-09-29", "2023-10-29", "2023-11-29",
                "2023-12-29" }) },
        // A short year names days of its own, far from any shop's rows.
        { "two-digit year", boxes(false, 12, "25"), { { "0025-01-01", "0026-01-01" } } },
        { "last possible year has no upper end", boxes(false, 12, "9999"),
            { { "9999-01-01", "" } } },
        // Nothing at all.
        { "31 April", boxes(false, 3, "2024", "31"), {} },
        { "29 February of a common year", boxes(false, 1, "2023", "29"), {} },
        { "day never edited", boxes(false, 4, "2024", "0"), {} },
        { "year 0", boxes(false, 12, "0"), {} },
        { "year that is no number", boxes(false, 4, "20x4"), {} },
        { "empty year", boxes(false, 4, ""), {} },
        { "day that is no number", boxes(false, 4, "2024", "1-"), {} },
        { "no month chosen", boxes(false, -1, "2024"), {} },
    };
    for (const Case &c : cases)
        EXPECT_EQ(Periods::ranges(c.f, kToday), c.ranges) << c.name;
}

TEST(Periods, WeekAndTodayFollowTheClockAcrossMonthAndYearEnds)
{
    EXPECT_EQ(Periods::week(QDate(2024, 1, 3)), (QList<DateRange> { { "2023-12-27", "" } }));
    EXPECT_EQ(Periods::week(QDate(2024, 3, 1)), (QList<DateRange> { { "2024-02-23", "" } }));
    EXPECT_EQ(
        Periods::today(QDate(2024, 12, 31)), (QList<DateRange> { { "2024-12-31", "2025-01-01" } }));
}

// The ranges select exactly the rows of their days from ISO date-time and date columns alike.
TEST(Periods, ConditionSelectsTheRowsOfItsDays)
{
    QTemporaryDir dir;
    Connection::createFromScripts(dir.filePath(QStringLiteral("t.db")), {});
    Connection db;
    db.open(dir.filePath(QStringLiteral("t.db")));
    db.executeScript(QStringLiteral("CREATE TABLE t (id INTEGER, at TEXT, day TEXT);"
                                    "CREATE INDEX ixAt ON t (at);"));
    const char *times[] = { "2023-12-31 23:59:59", "2024-01-01 00:00:00", "2024-04-30 23:59:59",
        "2024-05-01 00:00:00", "2024-05-07 23:59:59", "2024-05-08 00:00:00", "2024-05-31 23:59:59",
        "2024-06-01 00:00:00", "2024-12-31 23:59:59", "2025-01-01 00:00:00" };
    int id = 0;
    for (const char *t : times) {
        const QString at = QString::fromLatin1(t);
        db.execute(QStringLiteral("INSERT INTO t VALUES (?, ?, ?)"), { ++id, at, at.left(10) });
    }
    struct Case
    {
        const char *name;
        QList<DateRange> ranges;
        QList<int> ids;
    } cases[] = {
        { "week", Periods::week(kToday), { 6, 7, 8, 9, 10 } },
        { "May", Periods::month(2024, 5), { 4, 5, 6, 7 } },
        { "2024", Periods::year(2024), { 2, 3, 4, 5, 6, 7, 8, 9 } },
        { "31 December", Periods::day(2024, 12, 31), { 9 } },
        { "day 31 of every month", Periods::dayEveryMonth(2024, 31), { 7, 9 } },
        { "none", {}, {} },
    };
    for (const char *column : { "at", "day" }) {
        for (const Case &c : cases) {
            QVariantList params;
            const QString where = Periods::condition(QLatin1String(column), c.ranges, params);
            Recordset rs = db.query(
                QStringLiteral("SELECT id FROM t WHERE ") + where + QStringLiteral(" ORDER BY id"),
                params);
            QList<int> ids;
            for (; !rs.eof(); rs.moveNext())
                ids << int(rs.integer(0));
            EXPECT_EQ(ids, c.ids) << c.name << " on " << column;
        }
    }
    QVariantList params;
    EXPECT_EQ(Periods::condition(QStringLiteral("at"), {}, params), QStringLiteral("0"));
    EXPECT_TRUE(params.isEmpty());
}
