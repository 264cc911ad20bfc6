#pragma once
#include "platform/report/ReportDocument.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

class QWidget;

// One element of a section. Positions and sizes are twips from the section's top left corner
// (which lies on the left margin). Layout events change the public fields at run time; a change
// holds for the rest of the run.
class ReportElement
{
public:
    enum Kind { Text, Line, Shape, Picture, Barcode };
    // What the engine fills into a text element on its own.
    enum Field { NoField, PageNumber, PageCount };

    ReportElement(Kind kind, const QString &name)
        : kind(kind)
        , name(name)
    { }

    const Kind kind;
    const QString name;
    float left = 0, top = 0, width = 0, height = 0;
    bool visible = true;

    // Text (text fields and labels alike)
    QString text;
    ReportFont font;
    int alignment = 0x0001; // Qt::AlignLeft; Qt::AlignHCenter or Qt::AlignRight
    QColor foreColor = Qt::black;
    QColor backColor; // invalid: transparent
    bool canGrow = false; // lays out as many lines as the text needs, growing its section
    bool wordWrap = true;
    Field field = NoField;
    // What the text stands for: an export stores money and counts as numbers (the page number
    // and count are counts whatever this says).
    ReportValue value = ReportValue::Text;

    // Line: end points within the section; Shape: outline of the box
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QColor lineColor = Qt::black;
    float lineWeight = 1; // in screen pixels of 15 twips; 0: the thinnest line
    bool border = true; // Shape: draw the outline

    // Picture
    QImage picture;

    // Barcode: the value is `text`; style 11 Code 128 or 18 EAN-13
    int style = 11;
    int barWidth = 1; // width of the narrowest bar, in screen pixels of 15 twips
    bool showCaption = true;

    // Line helpers: a horizontal or vertical line keeps its geometry in left/top/width/height too.
    void setLine(float ax1, float ay1, float ax2, float ay2);
};

class ReportSection
{
public:
    enum Kind { PageHeader, GroupHeader, Detail, GroupFooter, PageFooter };
    ReportSection(Kind kind, const QString &name, float height)
        : kind(kind)
        , name(name)
        , height(height)
    { }

    const Kind kind;
    const QString name;
    float height;
    bool visible = true;
    // Detail only: labels and cards print in columns, filled across and then down.
    int columnCount = 1;
    float columnSpacing = 0;

    ReportElement *addText(const QString &name, float left, float top, float width, float height,
        const QString &text = QString());
    ReportElement *addLabel(
        const QString &name, float left, float top, float width, float height, const QString &text)
    {
        return addText(name, left, top, width, height, text);
    }
    ReportElement *addLine(const QString &name, float x1, float y1, float x2, float y2);
    ReportElement *addShape(
        const QString &name, float left, float top, float width, float height, const QColor &fill);
    ReportElement *addPicture(const QString &name, float left, float top, float width, float height,
        const QImage &picture = QImage());
    ReportElement *addBarcode(
        const QString &name, float left, float top, float width, float height, int style = 11);

    ReportElement *element(const QString &name) const; // nullptr when there is none
    const std::vector<std::unique_ptr<ReportElement>> &elements() const { return m_elements; }

private:
    ReportElement *add(std::unique_ptr<ReportElement> e);
    std::vector<std::unique_ptr<ReportElement>> m_elements;
};

// Page settings; every length in twips.
struct ReportPageSettings
{
    enum Orientation { Portrait = 1, Landscape = 2 };
    enum PaperSizeCode { Letter = 1, A4 = 9, Custom = 256 };
    int orientation = Portrait;
    int paperSize = Letter;
    float paperWidth = 12240; // used with paper size Custom
    float paperHeight = 15840; // used with paper size Custom
    float leftMargin = 1440, rightMargin = 1440, topMargin = 1440, bottomMargin = 1440;
    float gutter = 0; // added to the left margin

    QSizeF paper() const; // the paper as printed: code, custom size and orientation applied
    double printableWidth() const { return paper().width() - leftMargin - rightMargin - gutter; }
    // Width of each column of a detail printed in `columns` columns `spacing` apart: the
    // printable width shared out (never below 0). Column i starts i x (width + spacing) to the
    // right of the left margin.
    double columnWidth(int columns, double spacing) const;
};

// A report layout. A layout subclass adds its sections and elements in its constructor (the
// design), overrides the events, and is run once: run() raises prepareReport, then
// for every record fetchRow and, while data remains, formatDetail; the page
// footer's formatPageFooter on every page; finishReport at the end.
class ReportLayout
{
public:
    ReportLayout();
    virtual ~ReportLayout();
    ReportLayout(const ReportLayout &) = delete;
    ReportLayout &operator=(const ReportLayout &) = delete;

    ReportPageSettings PageSettings;
    ReportSection *PageHeader() const { return m_sections[0].get(); }
    ReportSection *GroupHeader() const { return m_sections[1].get(); }
    ReportSection *Detail() const { return m_sections[2].get(); }
    ReportSection *GroupFooter() const { return m_sections[3].get(); }
    ReportSection *PageFooter() const { return m_sections[4].get(); }
    ReportSection *section(ReportSection::Kind kind) const { return m_sections[kind].get(); }
    ReportElement *element(const QString &name) const; // searched in every section

    // Raises prepareReport once, unless run() or an earlier call already did.
    void initialize();
    // Runs the report once and returns its pages; a second call returns the same pages.
    const ReportDocument &run();
    const ReportDocument &document() const { return m_document; }
    bool hasRun() const { return m_ran; }

    // The page being laid out, for drawing in page twips (from the paper's top left corner)
    // from formatPageFooter: a pen setting, then lines.
    struct PageCanvas
    {
        float DrawWidth = 1; // pen width in screen pixels of 15 twips
        QColor ForeColor = Qt::black;
        void DrawLine(float x1, float y1, float x2, float y2);
        ReportPage *page = nullptr;
    };
    PageCanvas Canvas;
    int pageNumber() const { return int(m_document.pages.size()); } // the page being laid out

    // Prints the pages (running the report first) through the installed print sink: to the
    // default printer at once, or after the print dialog when promptUser is true.
    bool PrintReport(bool promptUser, QWidget *parent = nullptr);

protected:
    virtual void prepareReport() { }
    virtual void fetchRow(bool &eof) { eof = true; }
    virtual void formatDetail() { }
    virtual void formatPageFooter() { }
    virtual void finishReport() { }

private:
    struct PlacedStep
    {
        PageSteps::Step step;
        bool pageCount = false; // shows the page count, known when the run is over
    };
    void newPage();
    void finishPage();
    double layoutSection(ReportSection *s, QVector<PlacedStep> &steps);
    void placeSteps(const QVector<PlacedStep> &steps, double x, double y);
    double footerTop() const;

    std::unique_ptr<ReportSection> m_sections[5];
    ReportDocument m_document;
    bool m_initialized = false;
    bool m_ran = false;
    double m_y = 0;
    // While the report runs: the tables its pages share, the flowing section being placed and
    // the page header or footer (placed in between when the section breaks the page), and where
    // the page count goes.
    std::shared_ptr<ReportStore> m_store;
    QVector<PlacedStep> m_section;
    QVector<PlacedStep> m_pageSection;
    QVector<QPair<int, int>> m_pageCountSteps;
};
