#include "BarChart.h"
#include "platform/ui/WidgetParts.h"
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {
// Room the value axis with its labels and title takes beside the plot, and the gap kept
// between labels, in pixels.
constexpr int AxisRoom = 90;
constexpr int LabelGap = 6;

// A value as the bar labels show it: up to 15 significant digits, never in exponent form.
QString valueText(double v)
{
    return QString::number(v, 'g', 15);
}
} // namespace

BarChart::BarChart(QWidget *parent)
    : QWidget(parent)
    , m_view(new QChartView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("กราฟ"));
    reset();
}

QStringList BarChart::splitItems(const QString &starSeparated)
{
    QStringList items = starSeparated.split(QLatin1Char('*'));
    if (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    return items;
}

void BarChart::reset()
{
    m_caption.clear();
    m_labels.clear();
    m_values.clear();
    m_labelCount = -1;
    m_hasSeries = false;
    m_hasValueAxis = false;
    m_view->setChart(new QChart); // the view deletes the old chart with its series and axes
}

void BarChart::setChartSize(int width, int height)
{
    setFixedSize(width, height);
}

void BarChart::setBackColor(const QColor &colour)
{
    m_back = colour;
    fillBackground(this, colour);
    m_view->setBackgroundBrush(colour);
}

void BarChart::setRegionMargins(int left, int top, int right, int bottom)
{
    m_left = left;
    m_top = top;
    m_right = right;
    m_bottom = bottom;
}

void BarChart::setCaption(
    const QString &text, const QColor &back, const QColor &fore, int pointSize, bool bold)
{
    m_caption = text;
    m_captionBack = back;
    m_captionFore = fore;
    m_captionSize = pointSize;
    m_captionBold = bold;
}

void BarChart::setGridColor(const QColor &back)
{
    m_grid = back;
}

void BarChart::setValueAxis(int ticks, int pointSize, const QColor &text, const QColor &line,
    int decimals, const QString &unit, const QString &title)
{
    m_ticks = std::max(2, ticks);
    m_valueSize = pointSize;
    m_valueText = text;
    m_valueLine = line;
    m_decimals = std::max(0, decimals);
    m_unit = unit;
    m_valueTitle = title;
    m_hasValueAxis = true;
}

void BarChart::setLabelAxis(int pointSize, const QColor &text, const QColor &line)
{
    m_labelSize = pointSize;
    m_labelText = text;
    m_labelLine = line;
}

void BarChart::setLabelCount(int count)
{
    m_labelCount = count;
}

void BarChart::setLabelText(const QString &starSeparated)
{
    m_labels = splitItems(starSeparated);
}

void BarChart::setBarSeries(const QColor &colour, bool translucent, bool valueLabels)
{
    m_barColour = colour;
    m_translucent = translucent;
    m_valueLabels = valueLabels;
    m_hasSeries = true;
}

void BarChart::setDataText(const QString &starSeparated)
{
    m_values.clear();
    for (const QString &item : splitItems(starSeparated))
        m_values << item.trimmed().toDouble(); // a text that is no number is a bar of 0
}

QChart *BarChart::chart() const
{
    return m_view->chart();
}

bool BarChart::draw()
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundBrush(m_back);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(m_left, m_top, m_right, m_bottom));
    chart->setPlotAreaBackgroundBrush(m_grid);
    chart->setPlotAreaBackgroundVisible(true);
    if (!m_caption.isEmpty()) {
        QFont f = font();
        f.setPointSize(m_captionSize);
        f.setBold(m_captionBold);
        chart->setTitleFont(f);
        chart->setTitleBrush(m_captionFore);
        chart->setTitle(m_caption);
    }

    // As many categories as labels were announced; missing labels stay blank.
    const int count
        = m_labelCount >= 0 ? m_labelCount : int(std::max(m_labels.size(), m_values.size()));
    QStringList categories;
    for (int i = 0; i < count; ++i)
        categories << (i < m_labels.size() ? m_labels[i] : QString(i + 1, QLatin1Char(' ')));
    auto *labelAxis = new QBarCategoryAxis;
    labelAxis->append(categories);
    QFont lf = font();
    lf.setPointSize(m_labelSize);
    labelAxis->setLabelsFont(lf);
    labelAxis->setLabelsBrush(m_labelText);
    labelAxis->setLinePenColor(m_labelLine);
    labelAxis->setGridLineVisible(false);
    chart->addAxis(labelAxis, Qt::AlignBottom);

    // A month of days is too many labels side by side: each one is turned upright rather than
    // cut to "...". Value labels likewise when they are wider than their bar's slot.
    const int slot = count > 0 ? std::max(1, (width() - m_left - m_right - AxisRoom) / count) : 1;
    const QFontMetrics labelMetrics(lf);
    int widestLabel = 0;
    for (const QString &c : categories)
        widestLabel = std::max(widestLabel, labelMetrics.horizontalAdvance(c));
    const bool uprightLabels = widestLabel + LabelGap > slot;
    if (uprightLabels) {
        labelAxis->setLabelsAngle(-90);
        // An upright label is as thick as its font's line plus the text item's margins (4 px
        // each side): Thai faces have tall lines (room for marks above and below), so a
        // smaller size keeps a month of days from turning to "...".
        while (lf.pointSize() > 6 && QFontMetrics(lf).height() + 2 * 4 + 2 > slot)
            lf.setPointSize(lf.pointSize() - 1);
        labelAxis->setLabelsFont(lf);
        widestLabel = 0;
        for (const QString &c : categories)
            widestLabel = std::max(widestLabel, QFontMetrics(lf).horizontalAdvance(c));
    }
    const QFontMetrics valueMetrics { QFont() };
    int widestValue = 0;
    for (double v : m_values)
        widestValue = std::max(widestValue, valueMetrics.horizontalAdvance(valueText(v)));
    const bool uprightValues = m_valueLabels && widestValue + LabelGap > slot;

    auto *valueAxis = new QValueAxis;
    double low = 0, high = 0;
    for (double v : m_values) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
    // At least one smallest step (1 with no decimals) between ticks, so that no two tick
    // labels read alike and each stands at its own value.
    const double step = std::pow(10.0, -m_decimals);
    if (high - low < step * (m_ticks - 1))
        high = low + step * (m_ticks - 1);
    // Room above the highest bar (and below the lowest) for its value label: the share of the
    // plot's height that the label takes, and no less than 8 %.
    const int plotHeight = std::max(100,
        height() - m_top - m_bottom - AxisRoom
            - (uprightLabels ? widestLabel : labelMetrics.height())
            - (m_caption.isEmpty() ? 0 : 2 * m_captionSize));
    const double share = std::min(0.5,
        std::max(0.08,
            double(uprightValues ? widestValue + LabelGap : valueMetrics.height() + LabelGap)
                / plotHeight));
    const double room = (high - low) * share / (1 - share);
    high += high > 0 ? room : 0;
    low -= low < 0 ? room : 0;
    valueAxis->setRange(low, high);
    valueAxis->setTickCount(m_ticks);
    valueAxis->applyNiceNumbers();
    // The axis formats its labels as Latin-1: the unit (฿) goes with the title instead.
    valueAxis->setLabelFormat(
        QStringLiteral("%.") + QString::number(m_decimals) + QLatin1Char('f'));
    QFont vf = font();
    vf.setPointSize(m_valueSize);
    valueAxis->setLabelsFont(vf);
    valueAxis->setLabelsBrush(m_valueText);
    valueAxis->setLinePenColor(m_valueLine);
    valueAxis->setTitleText(m_unit.isEmpty()
            ? m_valueTitle
            : m_valueTitle + QStringLiteral(" (") + m_unit + QLatin1Char(')'));
    valueAxis->setTitleBrush(m_valueText);
    valueAxis->setVisible(m_hasValueAxis);
    chart->addAxis(valueAxis, Qt::AlignLeft);

    if (m_hasSeries) {
        auto *set = new QBarSet(QString());
        for (int i = 0; i < count; ++i)
            *set << (i < m_values.size() ? m_values[i] : 0.0);
        QColor c = m_barColour;
        if (m_translucent)
            c.setAlpha(190);
        set->setColor(c);
        set->setBorderColor(m_barColour.darker(130));
        set->setLabelColor(Qt::black);
        auto *series = new QBarSeries;
        series->append(set);
        series->setLabelsVisible(m_valueLabels);
        series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
        series->setLabelsFormat(QStringLiteral("@value"));
        // Enough digits that a sum in the millions reads in full, not as "2.5e+06".
        series->setLabelsPrecision(15);
        if (uprightValues)
            series->setLabelsAngle(-90);
        chart->addSeries(series);
        series->attachAxis(labelAxis);
        series->attachAxis(valueAxis);
    }
    m_view->setChart(chart);
    return count > 0;
}
