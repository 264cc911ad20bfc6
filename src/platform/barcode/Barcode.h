#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QVector>

class QPainter;

// The two symbologies the label sheet offers, numbered as the layouts store them.
enum class BarcodeStyle { Code128 = 11, Ean13 = 18 };

// One encoded barcode: the modules of its single row (true = bar) and its readable text.
struct BarcodeSymbol
{
    QVector<bool> modules;
    QString text; // what is printed under the bars
    QString error; // why nothing could be encoded; empty when the symbol is valid
    bool isValid() const { return error.isEmpty() && !modules.isEmpty(); }
};

namespace Barcode {
// Checks the value for the style; returns an empty text when it can be encoded, else why not.
// Code 128 takes printable ASCII; EAN-13 takes 12 digits, or 13 with a correct check digit.
QString check(int style, const QString &value);
// Checks, then encodes with zint. A value that fails the check gives a symbol with its error.
BarcodeSymbol encode(int style, const QString &value);

struct Look
{
    QColor color = Qt::black;
    QFont font; // font of the readable text; its pixel size is in target units
    double moduleWidth = 0; // width of one module in target units; 0: fit the width
    bool showText = true;
};
// Draws the symbol into rect (in the painter's current units): bars centred, the readable
// text below them. A module is never wider than rect allows.
void paint(QPainter &p, const QRectF &rect, const BarcodeSymbol &symbol, const Look &look);
// The symbol drawn into an image of the given size, on white.
QImage toImage(int style, const QString &value, const QSize &size, const QColor &color = Qt::black,
    int fontPixelSize = 14);
} // namespace Barcode
