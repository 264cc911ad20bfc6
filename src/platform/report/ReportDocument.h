#pragma once
#include <QColor>
#include <QImage>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

#include "Twips.h"

class QFont;
class QPainter;

// A report font; the size is in points.
struct ReportFont
{
    QString family = QStringLiteral("Browallia New");
    double size = 14.5;
    bool bold = false;
    bool italic = false;
    // The font laid out in twips: pixel size = points x 20, no hinting so that text measured once
    // draws the same on the screen, a printer and a PDF.
    QFont toQFont() const;
    bool operator==(const ReportFont &) const = default;
};

// One line of a laid-out text, in page twips: the left end of its baseline.
struct TextLine
{
    QPointF origin;
    QString text;
};

// One drawing step on a page. Coordinates are twips from the paper's top left corner.
struct DrawOp
{
    enum Kind { Text, Line, Rect, Image, Barcode };
    Kind kind = Text;
    QRectF rect; // the element's box (Text, Rect, Image, Barcode)
    QLineF line; // Line
    QString text; // Text: the whole text; Barcode: the value
    QVector<TextLine> lines; // Text: as laid out
    ReportFont font;
    int alignment = 0; // Qt::AlignLeft / AlignHCenter / AlignRight
    QColor color = Qt::black; // text, line or bar colour
    QColor fill; // Rect fill, Text background; invalid: none
    double penWidth = 0; // Line and Rect border in twips; 0: the thinnest the device draws
    bool border = false; // Rect: draw its outline
    QImage image; // Image
    QVector<bool> modules; // Barcode: the encoded bars
    QString barcodeText; // Barcode: the readable text
    double moduleWidth = 0; // Barcode: width of one module in twips
};

class ReportStore;

// What a report text stands for, so that an export stores it as a spreadsheet would: money and
// counts as numbers, anything else (codes, names, receipt numbers, sentences) as text.
enum class ReportValue { Text, Money, Count };

// One text of a page and the box it stands in, in page twips.
struct PlacedText
{
    QRectF rect;
    QString text;
    ReportValue value = ReportValue::Text;
    bool detail = false; // placed by the detail section: a value of one of the report's columns
    double start = 0; // where its first line begins on the page, as drawn
};

// The drawing steps of one page. A long report holds hundreds of thousands of them, so they are
// kept small: a position and two indexes into tables the document's pages share (texts, styles,
// fonts, pictures, bars); texts are measured when a page is drawn, each text once per font and
// box. Iterating gives every step written out as a DrawOp (made on first use and kept while the
// page lives); drawing, printing and the page's texts never need that.
class PageSteps
{
public:
    struct Step
    {
        double x = 0, y = 0; // the box's top left corner; Line: its first end
        quint32 payload = 0; // Text: its text; Image: its picture; Barcode: its bars
        quint32 style = 0;
    };

    int size() const { return int(m_steps.size()); }
    bool isEmpty() const { return m_steps.isEmpty(); }
    const DrawOp *begin() const { return writtenOut().constData(); }
    const DrawOp *end() const { return begin() + size(); }
    const DrawOp &operator[](int i) const { return writtenOut().at(i); }
    const DrawOp &at(int i) const { return writtenOut().at(i); }
    const DrawOp &first() const { return writtenOut().first(); }
    const DrawOp &last() const { return writtenOut().last(); }

    // A line drawn on the page (twips), as the page footer's canvas draws it.
    void addLine(const QLineF &line, const QColor &color, double penWidth);

private:
    friend class ReportLayout;
    friend class ReportDocument;
    friend struct ReportPage;
    const QVector<DrawOp> &writtenOut() const;
    ReportStore &store();

    // Declared first so that the steps are gone when the last page lets go of the tables.
    std::shared_ptr<ReportStore> m_store;
    QVector<Step> m_steps;
    mutable std::shared_ptr<const QVector<DrawOp>> m_written;
};

struct ReportPage
{
    PageSteps ops;
    // The page's texts in reading order: top to bottom, then left to right.
    QStringList texts() const;
    // The page's non-empty texts with their boxes, what they stand for and where they start, in
    // drawing order.
    QList<PlacedText> placedTexts() const;
};

// The finished pages of one run: what the viewer shows, prints and exports.
class ReportDocument
{
public:
    QSizeF paperSize; // twips, orientation applied
    QList<ReportPage> pages;

    int pageCount() const { return int(pages.size()); }
    bool isEmpty() const { return pages.isEmpty(); }
    QStringList texts() const; // every page's texts in reading order

    // Draws page `index` so that the paper fills `target` (in the painter's units).
    void renderPage(QPainter &p, int index, const QRectF &target) const;
    QImage pageImage(int index, double dpi, const QColor &background = Qt::white) const;
};

// Lays a text out in a box `width` twips wide, top-aligned at `top`, left edge `left`.
// With wrap off every line of the text stays whole. Returns the height the lines need.
double layoutText(const QString &text, const ReportFont &font, double left, double top,
    double width, int alignment, bool wrap, QVector<TextLine> *lines);
