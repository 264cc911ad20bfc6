#include "reports/YearChartWindow.h"
#include "SalesData.h"
#include "platform/chart/BarChart.h"
#include "support/FindControl.h"
#include "support/Screenshots.h"
#include "support/ShellFixture.h"
#include <QChart>

class YearChart : public ShellFixture
{
protected:
    QList<qint64> bars(const QString &year = QStringLiteral("2024"))
    {
        return YearChartWindow::monthBars(year);
    }
};

TEST_F(YearChart, MonthBarsAreSalesLessDiscountsInWholeBaht)
{
    Connection &d = db();
    // January: 100.50 + 200.25 summed exactly, rounded once: 301.
    addSaleLine(d, "2024-01-05 09:00:00", "INV-670100001", "A1", 100.50, 1);
    addSaleLine(d, "2024-01-20 09:00:00", "INV-670100002", "B2", 200.25, 1);
    // February: sales 100, discounts 250: -150.
    addSaleLine(d, "2024-02-03 10:00:00", "INV-670200001", "A1", 50, 2);
    addDiscount(d, "2024-02-03 10:00:00", "INV-670200001", 200);
    addDiscount(d, "2024-02-04 10:00:00", "INV-670200002", 50);
    // March: discount 12.50 counts as 12; April: 13.50 counts as 14.
    addSaleLine(d, "2024-03-01 10:00:00", "INV-670300001", "A1", 100, 1);
    addDiscount(d, "2024-03-01 10:00:00", "INV-670300001", 12.50);
    addSaleLine(d, "2024-04-01 10:00:00", "INV-670400001", "A1", 100, 1);
    addDiscount(d, "2024-04-01 10:00:00", "INV-670400001", 13.50);
    // May: discounts without sale lines: 0.
    addDiscount(d, "2024-05-01 10:00:00", "INV-670500001", 30);
    // October to December; the same product twice at one time adds its quantities.
    addSaleLine(d, "2024-10-31 23:59:59", "INV-671000001", "A1", 10, 1);
    addSaleLine(d, "2024-11-01 00:00:00", "INV-671100001", "A1", 20, 1);
    addSaleLine(d, "2024-12-31 12:00:00", "INV-671200001", "A1", 7.5, 2);
    addSaleLine(d, "2024-12-31 12:00:00", "INV-671200001", "A1", 7.5, 1);
    // Neighbouring years are not counted.
    addSaleLine(d, "2023-12-31 23:59:59", "INV-661200009", "A1", 999, 1);
    addSaleLine(d, "2025-01-01 00:00:00", "INV-680100001", "A1", 999, 1);

    EXPECT_EQ(bars(), (QList<qint64> { 301, -150, 88, 86, 0, 0, 0, 0, 0, 10, 20, 22 }));
    // 22.5 rounds to the even 22.
}

TEST_F(YearChart, WindowShowsTheYearAsTypedWithTwelveMonthsAndItsDataText)
{
    addSaleLine(db(), "2024-06-10 10:00:00", "INV-670600001", "A1", 1250, 3);
    YearChartWindow w(QStringLiteral(" 2024 "));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("กราฟสรุปยอดรายปี"));
    EXPECT_EQ(control<BarChart>(&w, "yearChart")->caption(),
        QStringLiteral("สถิติยอดขายประจำปี  2024  (ไม่หักต้นทุน)"));
    EXPECT_EQ(control<BarChart>(&w, "yearChart")->labels().size(), 12);
    EXPECT_EQ(control<BarChart>(&w, "yearChart")->labels().join('*'),
        QStringLiteral("ม.ค.*ก.พ*มี.ค.*เม.ย.*พ.ค.*มิ.ย.*ก.ค.*ส.ค.*ก.ย.*ต.ค.*พ.ย.*ธ.ค."));
    EXPECT_EQ(w.dataText(), QStringLiteral("0*0*0*0*0*3750*0*0*0*0*0*0*"));
    EXPECT_EQ(control<BarChart>(&w, "yearChart")->values().at(5), 3750);
    w.show();
    saveScreenshot(w.grab(), QStringLiteral("chart-window.png"));
}

TEST_F(YearChart, AYearWithoutSalesOrThatIsNoNumberShowsTwelveZeros)
{
    addSaleLine(db(), "2024-06-10 10:00:00", "INV-670600001", "A1", 10, 1);
    for (const char *year : { "2019", "", "abc", "20x4" }) {
        YearChartWindow w(QString::fromLatin1(year));
        EXPECT_EQ(w.dataText(), QString(QStringLiteral("0*")).repeated(12)) << year;
    }
}
