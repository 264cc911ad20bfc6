#pragma once
#include <QDialog>
#include <QList>

class BarChart;

// The yearly sales chart: one bar a month, the month's sales less its discounts in whole baht
// (costs not deducted), for the year typed on the summary page.
class YearChartWindow : public QDialog
{
    Q_OBJECT
public:
    // `yearText` is the summary page's year box as it stands.
    explicit YearChartWindow(const QString &yearText);

    // Opens the chart modally for that year; the window is computed anew at every opening.
    static void showModal(const QString &yearText);

    // The twelve bars as handed to the chart: each value followed by "*".
    QString dataText() const { return m_dataText; }
    // Month i (1 to 12): sales in whole baht less the whole-baht discount; 0 without sale lines.
    static QList<qint64> monthBars(const QString &yearText);

private:
    void drawChart();

    BarChart *yearChart = nullptr;
    QString m_year;
    QString m_dataText;
};
