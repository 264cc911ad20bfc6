#pragma once
// The tables the pages of one report share; used by the engine and the document only.
#include "platform/report/ReportDocument.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>

// Fonts and their metrics, made once per face and size.
struct ReportFontEntry
{
    QFont font;
    QFontMetricsF metrics;
};
const ReportFontEntry &reportFontEntry(const ReportFont &font);

// How a step draws, apart from where: many steps share one.
struct StepStyle
{
    DrawOp::Kind kind = DrawOp::Text;
    double width = 0, height = 0; // the box; Line: from its first end to its second
    int font = -1; // index in the fonts; -1: the default font
    int alignment = 0;
    QColor color = Qt::black;
    QColor fill;
    double penWidth = 0;
    bool border = false;
    double moduleWidth = 0;
    bool wrap = false; // Text: lines break at the box's width
    bool cut = false; // Text: only the lines that fit in the box's height show
    bool hasBox = false; // Line: drawn from a section's element, which has a box
    ReportValue value = ReportValue::Text; // Text: what it stands for
    bool detail = false; // Text: placed by the detail section
    bool operator==(const StepStyle &) const = default;
};
size_t qHash(const StepStyle &s, size_t seed = 0);

class ReportStore
{
public:
    ~ReportStore();

    // A text laid out in its box: the lines' baselines from the box's top left corner.
    struct Shaped
    {
        double dx = 0, dy = 0; // a single line that is the whole text
        int first = -1; // otherwise the lines in `lines`, from here
        int count = 0;
        double height = 0; // what the lines need
    };
    struct Bars
    {
        QString value;
        QVector<bool> modules;
        QString caption;
    };

    quint32 text(const QString &s);
    quint32 style(const StepStyle &s);
    int font(const ReportFont &f);
    quint32 image(const QImage &image);
    quint32 bars(const Bars &b);
    // Drops what only the laying out needs.
    void finishBuilding();

    // The text laid out with the style's font, box and alignment, once per text and style.
    const Shaped &shape(quint32 text, quint32 style) const;
    // Calls f(origin, line) for every line of a text step, in page twips.
    template <typename F> void forEachLine(const PageSteps::Step &step, F f) const
    {
        const Shaped &s = shape(step.payload, step.style);
        if (s.first < 0) {
            if (s.count)
                f(QPointF(step.x + s.dx, step.y + s.dy), texts[step.payload]);
            return;
        }
        for (int i = s.first; i < s.first + s.count; ++i) {
            const TextLine &l = m_lines[i];
            f(QPointF(step.x + l.origin.x(), step.y + l.origin.y()), l.text);
        }
    }
    DrawOp writtenOut(const PageSteps::Step &step) const;

    QVector<QString> texts;
    QVector<StepStyle> styles;
    QVector<ReportFont> fonts;
    QVector<const ReportFontEntry *> fontEntries;
    QVector<QImage> images;
    QVector<Bars> barcodes;
    qint64 stepCount = 0; // every page's, as laid out

private:
    QHash<QString, quint32> m_textIndex;
    QHash<StepStyle, quint32> m_styleIndex;
    QHash<qint64, quint32> m_imageIndex;
    mutable QHash<quint64, Shaped> m_shaped;
    mutable QVector<TextLine> m_lines;
};
