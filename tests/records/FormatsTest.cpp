#include "records/Formats.h"
#include "platform/ui/Clock.h"
#include "records/DateText.h"
#include "records/Units.h"
#include <gtest/gtest.h>

TEST(Formats, ShortBuddhistYear)
{
    EXPECT_EQ(ShortBuddhistYear(2020), "63");
    EXPECT_EQ(ShortBuddhistYear(2056), "99");
    EXPECT_EQ(ShortBuddhistYear(2057), "00");
    EXPECT_EQ(ShortBuddhistYear(2026), "69");
}

TEST(Formats, DocumentNumbers)
{
    const QDate may2020(2020, 5, 14);
    EXPECT_EQ(ReceiptNo(may2020, 1), "INV-630500001");
    EXPECT_EQ(ReceiptNo(may2020, 1).size(), 13);
    EXPECT_EQ(ReceiptNo(may2020, 99999), "INV-630599999");
    EXPECT_EQ(ReceiptNo(may2020, 100000), "INV-630500000");
    EXPECT_EQ(StockUpdateNo(QDate(2026, 12, 1), 42), "SA-691200042");
    EXPECT_EQ(AutoProductCode(QDate(2026, 12, 1), 7), "PD-690000007");
}

TEST(Formats, CurrentGregorianYearFollowsTheClock)
{
    Clock::setFixed(QDateTime(QDate(2020, 5, 1), QTime(9, 0)));
    EXPECT_EQ(CurrentGregorianYear(), 2020);
    Clock::clearFixed();
}

TEST(DateText, RoundTripsBetweenStorageAndDisplay)
{
    const QDateTime t(QDate(2026, 12, 8), QTime(23, 5, 9));
    EXPECT_EQ(DateText::storage(t), "2026-12-08 23:05:09");
    EXPECT_EQ(DateText::display(t), "08/12/2026 23:05:09");
    EXPECT_EQ(DateText::fromStorage(DateText::storage(t)), t);
    EXPECT_EQ(DateText::fromDisplay(DateText::display(t)), t);
    EXPECT_EQ(DateText::storageDate(t.date()), "2026-12-08");
    EXPECT_EQ(DateText::dateFromDisplay(DateText::displayDate(t.date())), t.date());
    EXPECT_EQ(DateText::storageToDisplay("2026-01-02"), "02/01/2026");
    EXPECT_EQ(DateText::storageToDisplay("2026-01-02 03:04:05"), "02/01/2026 03:04:05");
}

TEST(Units, TwipsAndCentimetres)
{
    EXPECT_NEAR(cmToTwips(7.0), 3968.504, 0.001);
    EXPECT_NEAR(cmToTwips(0.3), 170.079, 0.001);
    EXPECT_NEAR(twipsToCm(cmToTwips(12.5)), 12.5, 1e-5);
    EXPECT_DOUBLE_EQ(twipsToPixels(1440, 96), 96);
}

TEST(DateText, StorageToDisplayShowsTheStoredDayAndTime)
{
    struct Case
    {
        const char *stored, *shown;
    } cases[] = {
        { "2024-02-29 23:59:59", "29/02/2024 23:59:59" },
        { "2024-12-31", "31/12/2024" },
        { " 2024-05-01 00:00:00 ", "01/05/2024 00:00:00" },
        { "2023-02-29 10:00:00", "" }, // no such day
        { "2024-05-01 24:00:00", "" }, // no such time
        { "2024/05/01", "" },
        { "2024-05-01T08:30:00", "" },
        { "2024-05-01 8:30:00 ", "" },
        { "", "" },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(
            DateText::storageToDisplay(QString::fromLatin1(c.stored)), QString::fromLatin1(c.shown))
            << c.stored;
        EXPECT_EQ(DateText::storageToDisplayUtf8(c.stored), QByteArray(c.shown)) << c.stored;
    }
}
