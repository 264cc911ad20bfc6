#include "YearChartWindow.h"
#include "platform/chart/BarChart.h"
#include "platform/db/Connection.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Currency.h"
#include "shell/ShopDatabase.h"
#include <QDate>
#include <QLoggingCategory>

namespace {
const QColor kBack(95, 158, 160);

// Sums by month ("01" to "12") of one year, from ISO date-times in [from, to).
struct MonthSums
{
    qint64 rows[13] = {};
    Currency amount[13];
};

MonthSums sumByMonth(const QString &sql, int year)
{
    MonthSums out;
    const QString from = QDate(year, 1, 1).toString(Qt::ISODate);
    const QString to = QDate(year + 1, 1, 1).toString(Qt::ISODate);
    for (Recordset rs = ShopDatabase::connection().query(sql, { from, to }); !rs.eof();
         rs.moveNext()) {
        const int month = rs.text(0).toInt();
        if (month < 1 || month > 12)
            continue;
        out.rows[month] = rs.integer(1);
        out.amount[month] = Currency::fromUnits(rs.integer(2));
    }
    return out;
}
} // namespace

YearChartWindow::YearChartWindow(const QString &yearText)
    : m_year(yearText)
{
    setObjectName(QStringLiteral("YearChartWindow"));
    setWindowTitle(QStringLiteral("กราฟสรุปยอดรายปี"));
    fillBackground(this, kBack);
    yearChart = new BarChart(this);
    yearChart->setObjectName(QStringLiteral("yearChart"));
    yearChart->move(0, 0);
    yearChart->setChartSize(950, 500);
    setFixedSize(950, 500);
    drawChart();
}

void YearChartWindow::showModal(const QString &yearText)
{
    auto *w = new YearChartWindow(yearText);
    WindowRegistry::add(w);
    WindowPlacement::centre(w);
    DialogRunner::exec(w);
}

QList<qint64> YearChartWindow::monthBars(const QString &yearText)
{
    QList<qint64> bars(12, 0);
    bool ok = false;
    const int year = yearText.trimmed().toInt(&ok);
    if (!ok || year < 1 || year > 9998)
        return bars; // a year that is no number matches no sale
    try {
        // Money summed exactly in ten-thousandths of a baht (prices are stored as plain numbers).
        const MonthSums sales = sumByMonth(
            QStringLiteral("SELECT substr(Ldate, 6, 2), count(*), "
                           "sum(CAST(round(Lsell * 10000) AS INTEGER) * Lvalue) FROM tblLog "
                           "WHERE Ldate >= ?1 AND Ldate < ?2 GROUP BY substr(Ldate, 6, 2)"),
            year);
        const MonthSums discounts = sumByMonth(
            QStringLiteral("SELECT substr(rTime, 6, 2), count(*), "
                           "sum(CAST(round(rMoney * 10000) AS INTEGER)) FROM tblRMoney "
                           "WHERE rTime >= ?1 AND rTime < ?2 GROUP BY substr(rTime, 6, 2)"),
            year);
        for (int m = 1; m <= 12; ++m) {
            if (sales.rows[m] == 0)
                continue; // a month without sale lines shows 0, whatever its discounts
            // Rounded once per bar: rounding after every line would drift by a baht a line.
            const qint64 total = roundHalfEven((long double)sales.amount[m].units() / 10000.0L);
            bars[m - 1] = total - wholeBahtOfShown(discounts.amount[m]);
        }
    } catch (const DbError &e) {
        // The chart shows what it could read; a failed query leaves its months at 0.
        qWarning("yearly chart: %s", qPrintable(e.text()));
    }
    return bars;
}

void YearChartWindow::drawChart()
{
    yearChart->reset();
    yearChart->move(0, 0);
    yearChart->setBackColor(kBack);
    yearChart->setChartSize(950, 500);
    yearChart->setRegionMargins(5, 10, 5, 5);
    yearChart->setCaption(
        QStringLiteral("สถิติยอดขายประจำปี ") + m_year + QStringLiteral(" (ไม่หักต้นทุน)"), kBack,
        QColor(255, 250, 240), 15, true);
    yearChart->setGridColor(QColor(250, 240, 230));
    yearChart->setValueAxis(11, 10, QColor(255, 248, 220), Qt::black, 0, QStringLiteral("฿"),
        QStringLiteral("ยอดขายสินค้า"));
    yearChart->setLabelAxis(12, QColor(255, 248, 220), Qt::black);
    yearChart->setLabelCount(12);
    yearChart->setLabelText(
        QStringLiteral("ม.ค.*ก.พ*มี.ค.*เม.ย.*พ.ค.*มิ.ย.*ก.ค.*ส.ค.*ก.ย.*ต.ค.*พ.ย.*ธ.ค."));
    yearChart->setBarSeries(QColor(240, 128, 128), true, true);
    m_dataText.clear();
    for (qint64 bar : monthBars(m_year))
        m_dataText += QString::number(bar) + QLatin1Char('*');
    yearChart->setDataText(m_dataText);
    yearChart->draw();
}
