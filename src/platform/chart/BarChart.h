#pragma once
#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QChart;
class QChartView;

// A bar chart of one region: a caption, a grid, a value axis, a label axis and one bar series,
// each set up in turn after a reset. Labels and values come as texts with "*" between the
// items ("ม.ค.*ก.พ*มี.ค."; "100*250*-3*"); an empty item at the end is no bar.
class BarChart : public QWidget
{
    Q_OBJECT
public:
    explicit BarChart(QWidget *parent = nullptr);

    // Drops the region, its axes and series: the next set-up starts from nothing.
    void reset();
    // Outer size in pixels and the colour around the region.
    void setChartSize(int width, int height);
    void setBackColor(const QColor &colour);
    // The region's distance from the chart's left and top edges, and how far it stops short of
    // the right and bottom edges.
    void setRegionMargins(int left, int top, int right, int bottom);
    void setCaption(
        const QString &text, const QColor &back, const QColor &fore, int pointSize, bool bold);
    void setGridColor(const QColor &back);
    void setValueAxis(int ticks, int pointSize, const QColor &text, const QColor &line,
        int decimals, const QString &unit, const QString &title);
    void setLabelAxis(int pointSize, const QColor &text, const QColor &line);
    void setLabelCount(int count);
    void setLabelText(const QString &starSeparated);
    void setBarSeries(const QColor &colour, bool translucent, bool valueLabels);
    void setDataText(const QString &starSeparated);
    // Builds the drawing from what was set; returns false when there is nothing to draw.
    bool draw();

    QString caption() const { return m_caption; }
    QStringList labels() const { return m_labels; }
    QList<double> values() const { return m_values; }
    QColor barColor() const { return m_barColour; }
    QColor backColor() const { return m_back; }
    // The drawn chart: valid after draw().
    QChart *chart() const;

    // Splits a "*"-separated text; a trailing "*" adds no item.
    static QStringList splitItems(const QString &starSeparated);

private:
    QChartView *m_view;
    QString m_caption;
    QColor m_back = Qt::white, m_captionBack, m_captionFore = Qt::black, m_grid = Qt::white;
    int m_captionSize = 12;
    bool m_captionBold = false;
    int m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
    int m_ticks = 5, m_valueSize = 9, m_decimals = 0, m_labelSize = 9, m_labelCount = -1;
    QColor m_valueText = Qt::black, m_valueLine = Qt::black, m_labelText = Qt::black,
           m_labelLine = Qt::black;
    QString m_unit, m_valueTitle;
    QStringList m_labels;
    QList<double> m_values;
    QColor m_barColour = Qt::gray;
    bool m_translucent = false, m_valueLabels = false, m_hasSeries = false, m_hasValueAxis = false;
};
