#pragma once
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QTransform>

// Records what reaches the paint engine, mapped through the painter's transform.
class RecordingEngine : public QPaintEngine
{
public:
    RecordingEngine()
        : QPaintEngine(AllFeatures)
    { }
    QTransform transform;
    QList<QLineF> lines;
    QList<QRectF> rects;
    struct Text
    {
        QPointF origin; // the left end of the baseline
        QString text;
    };
    QList<Text> texts; // one entry per run of text the painter hands over
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &s) override
    {
        if (s.state() & DirtyTransform)
            transform = s.transform();
    }
    void drawLines(const QLineF *l, int n) override
    {
        for (int i = 0; i < n; ++i)
            lines << transform.map(l[i]);
    }
    void drawRects(const QRectF *r, int n) override
    {
        for (int i = 0; i < n; ++i)
            rects << transform.mapRect(r[i]);
    }
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override { }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        texts.append({ transform.map(p), item.text() });
    }
    Type type() const override { return User; }
};

// A paint device of 1440 units per inch: a page rendered onto its paper size draws in twips.
class RecordingDevice : public QPaintDevice
{
public:
    mutable RecordingEngine engine;
    QPaintEngine *paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
        case PdmHeight:
            return 20000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 1440;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return 1 * QPaintDevice::devicePixelRatioFScale();
        default:
            return 1;
        }
    }
};
