#include "platform/chart/BarChart.h"
#include "support/Screenshots.h"
#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QValueAxis>
#include <cmath>
#include <gtest/gtest.h>

namespace {
const QColor kBack(95, 158, 160), kBars(240, 128, 128);

// The yearly chart's set-up, as the summary's chart window makes it.
void setUpYear(BarChart &c, const QString &data)
{
    c.reset();
    c.setChartSize(950, 500);
    c.setBackColor(kBack);
    c.setRegionMargins(5, 10, 5, 5);
    c.setCaption(
        QStringLiteral("สถิติยอดขายประจำปี 2024 (ไม่หักต้นทุน)"), kBack, QColor(255, 250, 240), 15, true);
    c.setGridColor(QColor(250, 240, 230));
    c.setValueAxis(11, 10, QColor(255, 248, 220), Qt::black, 0, QStringLiteral("฿"),
        QStringLiteral("ยอดขายสินค้า"));
    c.setLabelAxis(12, QColor(255, 248, 220), Qt::black);
    c.setLabelCount(12);
    c.setLabelText(QStringLiteral("ม.ค.*ก.พ*มี.ค.*เม.ย.*พ.ค.*มิ.ย.*ก.ค.*ส.ค.*ก.ย.*ต.ค.*พ.ย.*ธ.ค."));
    c.setBarSeries(kBars, true, true);
    c.setDataText(data);
    c.draw();
}

QAbstractBarSeries *barsOf(const BarChart &c)
{
    const auto series = c.chart()->series();
    return series.isEmpty() ? nullptr : qobject_cast<QAbstractBarSeries *>(series.first());
}

// Pixels close to the bar colour (translucent bars blend with the grid behind them).
int barPixels(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (p.red() > 225 && p.green() > 130 && p.green() < 175 && p.blue() > 130
                && p.blue() < 175)
                ++n;
        }
    return n;
}
} // namespace

TEST(BarChart, StarSeparatedTextsGiveOneItemEach)
{
    const struct
    {
        const char *text;
        int items;
    } cases[] = { { "a*b*", 2 }, { "a*b", 2 }, { "", 0 }, { "*", 1 }, { "0*0*0*", 3 } };
    for (const auto &c : cases)
        EXPECT_EQ(BarChart::splitItems(QString::fromUtf8(c.text)).size(), c.items) << c.text;

    BarChart chart;
    chart.setBarSeries(kBars, false, true);
    chart.setDataText(QStringLiteral("a*b*"));
    chart.draw();
    ASSERT_NE(barsOf(chart), nullptr);
    EXPECT_EQ(barsOf(chart)->barSets().first()->count(), 2);
}

TEST(BarChart, YearSetUpRendersTwelveLabelledBarsWithItsCaptionAndColours)
{
    BarChart chart;
    setUpYear(chart, QStringLiteral("301*0*150*0*0*0*0*0*0*0*0*1200*"));
    EXPECT_EQ(chart.labels().size(), 12);
    EXPECT_EQ(chart.labels().at(1), QStringLiteral("ก.พ"));
    EXPECT_EQ(chart.values(), (QList<double> { 301, 0, 150, 0, 0, 0, 0, 0, 0, 0, 0, 1200 }));
    EXPECT_EQ(chart.chart()->title(), QStringLiteral("สถิติยอดขายประจำปี 2024 (ไม่หักต้นทุน)"));
    EXPECT_TRUE(barsOf(chart)->isLabelsVisible());

    chart.show();
    const QImage img = chart.grab().toImage();
    saveScreenshot(img, QStringLiteral("chart-year.png"));
    EXPECT_EQ(img.size(), QSize(950, 500));
    EXPECT_EQ(img.pixelColor(2, 2), kBack);
    EXPECT_GT(barPixels(img), 500) << "the bars are drawn in their colour";
}

TEST(BarChart, NegativeValuesFallBelowZero)
{
    BarChart chart;
    setUpYear(chart, QStringLiteral("-150*100*0*0*0*0*0*0*0*0*0*0*"));
    auto *axis = qobject_cast<QValueAxis *>(chart.chart()->axes(Qt::Vertical).first());
    ASSERT_NE(axis, nullptr);
    EXPECT_LE(axis->min(), -150);
    EXPECT_GE(axis->max(), 100);
    EXPECT_EQ(barsOf(chart)->barSets().first()->at(0), -150);
}

TEST(BarChart, ResetDropsTheOldSeries)
{
    BarChart chart;
    setUpYear(chart, QStringLiteral("1*2*3*"));
    chart.reset();
    EXPECT_TRUE(chart.chart()->series().isEmpty());
    EXPECT_TRUE(chart.values().isEmpty());
    EXPECT_TRUE(chart.labels().isEmpty());
    chart.setLabelCount(2);
    chart.setLabelText(QStringLiteral("01/05/2024*02/05/2024"));
    chart.setBarSeries(kBars, true, true);
    chart.setDataText(QStringLiteral("10*20"));
    chart.draw();
    EXPECT_EQ(chart.chart()->series().size(), 1);
    EXPECT_EQ(barsOf(chart)->barSets().first()->count(), 2);
}

// Every text the drawn chart shows (axis labels, value labels, caption).
QStringList shownTexts(BarChart &chart)
{
    chart.show();
    chart.grab();
    QStringList texts;
    for (QGraphicsItem *item : chart.chart()->scene()->items())
        if (auto *t = dynamic_cast<QGraphicsTextItem *>(item); t && t->isVisible())
            texts << t->toPlainText();
    return texts;
}

TEST(BarChart, ValueLabelsShowWholeAmountsInPlainDigits)
{
    BarChart chart;
    setUpYear(chart, QStringLiteral("1234567*2500000*987654*-150*1250.5*0*0*0*0*0*0*0*"));
    const QStringList texts = shownTexts(chart);
    saveScreenshot(chart.grab().toImage(), QStringLiteral("chart-millions.png"));
    for (const char *label : { "1234567", "2500000", "987654", "-150", "1250.5" })
        EXPECT_TRUE(texts.contains(QString::fromLatin1(label))) << label;
    for (const QString &t : texts)
        EXPECT_FALSE(t.contains(QLatin1String("e+"))) << qPrintable(t);
}

// Small amounts (a year without sales, a seller's first baht) still get whole, distinct value
// ticks, and the axis title has room to show in full.
TEST(BarChart, SmallValuesGetWholeDistinctTicksAndTheFullAxisTitle)
{
    const char *cases[]
        = { "0*0*0*0*0*0*0*0*0*0*0*0*", "3*1*0*0*0*0*0*0*0*0*0*0*", "-2*1*0*0*0*0*0*0*0*0*0*0*" };
    for (const char *data : cases) {
        SCOPED_TRACE(data);
        BarChart chart;
        setUpYear(chart, QString::fromLatin1(data));
        auto *axis = qobject_cast<QValueAxis *>(chart.chart()->axes(Qt::Vertical).first());
        ASSERT_NE(axis, nullptr);
        const double interval = (axis->max() - axis->min()) / (axis->tickCount() - 1);
        EXPECT_GE(interval, 1.0);
        EXPECT_DOUBLE_EQ(interval, std::round(interval)) << "every tick at a whole baht";
        EXPECT_TRUE(shownTexts(chart).contains(QStringLiteral("ยอดขายสินค้า (฿)")));
    }
}

// The visible text items of the drawn chart whose texts are among `wanted`.
QList<QGraphicsTextItem *> textItems(BarChart &chart, const QStringList &wanted)
{
    chart.show();
    chart.grab();
    QList<QGraphicsTextItem *> found;
    for (QGraphicsItem *item : chart.chart()->scene()->items())
        if (auto *t = dynamic_cast<QGraphicsTextItem *>(item);
            t && t->isVisible() && wanted.contains(t->toPlainText()))
            found << t;
    return found;
}

// A seller's month with sales every day, set up as the user window does: 31 day labels and
// 31 value labels, each shown in full and none drawn over another.
TEST(BarChart, AMonthOfDaysShowsEveryDayAndValueReadably)
{
    BarChart chart;
    chart.reset();
    chart.setChartSize(989, 500);
    chart.setBackColor(kBack);
    chart.setRegionMargins(5, 20, 5, 5);
    chart.setCaption(QString(), kBack, QColor(255, 250, 240), 15, true);
    chart.setGridColor(QColor(250, 240, 230));
    chart.setValueAxis(11, 10, QColor(255, 248, 220), Qt::black, 0, QStringLiteral("฿"),
        QStringLiteral("ยอดขายสินค้า"));
    chart.setLabelAxis(12, QColor(255, 248, 220), Qt::black);
    QStringList days, values;
    for (int d = 1; d <= 31; ++d) {
        days << QStringLiteral("%1/05/2024").arg(d, 2, 10, QLatin1Char('0'));
        values << QString::number(12000 + d * 397);
    }
    chart.setLabelCount(31);
    chart.setLabelText(days.join(QLatin1Char('*')));
    chart.setBarSeries(kBars, true, true);
    chart.setDataText(values.join(QLatin1Char('*')));
    chart.draw();
    saveScreenshot(chart.grab().toImage(), QStringLiteral("chart-month-of-days.png"));

    for (const QStringList &texts : { days, values }) {
        const QList<QGraphicsTextItem *> items = textItems(chart, texts);
        EXPECT_EQ(items.size(), texts.size()) << qPrintable(texts.first());
        for (int i = 0; i < items.size(); ++i)
            for (int j = i + 1; j < items.size(); ++j) {
                // Text boxes carry a little padding: overlapping by it is not overlapping ink.
                const QRectF a = items[i]->sceneBoundingRect().adjusted(3, 3, -3, -3);
                const QRectF b = items[j]->sceneBoundingRect().adjusted(3, 3, -3, -3);
                EXPECT_FALSE(a.intersects(b)) << qPrintable(items[i]->toPlainText()) << " over "
                                              << qPrintable(items[j]->toPlainText());
            }
        for (QGraphicsTextItem *t : items)
            EXPECT_TRUE(QRectF(chart.rect()).contains(t->sceneBoundingRect()))
                << qPrintable(t->toPlainText()) << " inside the chart";
    }
}
