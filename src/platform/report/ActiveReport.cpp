#include "platform/report/ActiveReport.h"
#include "platform/barcode/Barcode.h"
#include "platform/report/PrintSink.h"

#include <QFontMetricsF>

namespace {
// A pen or bar "pixel" of the report layouts: 1/96 inch.
constexpr double TwipsPerPixel = 15.0;

void translate(DrawOp &op, double dx, double dy)
{
    op.rect.translate(dx, dy);
    op.line.translate(dx, dy);
    for (TextLine &l : op.lines)
        l.origin += QPointF(dx, dy);
}
} // namespace

void ReportElement::setLine(float ax1, float ay1, float ax2, float ay2)
{
    x1 = ax1, y1 = ay1, x2 = ax2, y2 = ay2;
    left = qMin(ax1, ax2), top = qMin(ay1, ay2);
    width = qAbs(ax2 - ax1), height = qAbs(ay2 - ay1);
}

ReportElement *ReportSection::add(std::unique_ptr<ReportElement> e)
{
    m_elements.push_back(std::move(e));
    return m_elements.back().get();
}

ReportElement *ReportSection::addText(
    const QString &name, float left, float top, float width, float height, const QString &text)
{
    auto e = std::make_unique<ReportElement>(ReportElement::Text, name);
    e->left = left, e->top = top, e->width = width, e->height = height;
    e->text = text;
    return add(std::move(e));
}

ReportElement *ReportSection::addLine(const QString &name, float x1, float y1, float x2, float y2)
{
    auto e = std::make_unique<ReportElement>(ReportElement::Line, name);
    e->setLine(x1, y1, x2, y2);
    return add(std::move(e));
}

ReportElement *ReportSection::addShape(
    const QString &name, float left, float top, float width, float height, const QColor &fill)
{
    auto e = std::make_unique<ReportElement>(ReportElement::Shape, name);
    e->left = left, e->top = top, e->width = width, e->height = height;
    e->backColor = fill;
    e->border = false;
    return add(std::move(e));
}

ReportElement *ReportSection::addPicture(
    const QString &name, float left, float top, float width, float height, const QImage &picture)
{
    auto e = std::make_unique<ReportElement>(ReportElement::Picture, name);
    e->left = left, e->top = top, e->width = width, e->height = height;
    e->picture = picture;
    return add(std::move(e));
}

ReportElement *ReportSection::addBarcode(
    const QString &name, float left, float top, float width, float height, int style)
{
    auto e = std::make_unique<ReportElement>(ReportElement::Barcode, name);
    e->left = left, e->top = top, e->width = width, e->height = height;
    e->style = style;
    return add(std::move(e));
}

ReportElement *ReportSection::element(const QString &name) const
{
    for (const auto &e : m_elements)
        if (e->name == name)
            return e.get();
    return nullptr;
}

QSizeF ReportPageSettings::paper() const
{
    QSizeF s;
    switch (paperSize) {
    case A4:
        s = QSizeF(210.0 / 25.4 * TwipsPerInch, 297.0 / 25.4 * TwipsPerInch);
        break;
    case Custom:
        s = QSizeF(paperWidth, paperHeight);
        break;
    default:
        s = QSizeF(12240, 15840);
        break;
    }
    if (orientation == Landscape)
        s.transpose();
    return s;
}

double ReportPageSettings::columnWidth(int columns, double spacing) const
{
    columns = qMax(1, columns);
    return qMax(0.0, (printableWidth() - (columns - 1) * spacing) / columns);
}

void ActiveReport::PageCanvas::DrawLine(float ax1, float ay1, float ax2, float ay2)
{
    if (!page)
        return;
    DrawOp op;
    op.kind = DrawOp::Line;
    op.line = QLineF(ax1, ay1, ax2, ay2);
    op.color = ForeColor;
    op.penWidth = qMax(0.0, double(DrawWidth)) * TwipsPerPixel;
    page->ops.append(op);
}

ActiveReport::ActiveReport()
{
    m_sections[0] = std::make_unique<ReportSection>(ReportSection::PageHeader, "PageHeader", 0);
    m_sections[1] = std::make_unique<ReportSection>(ReportSection::GroupHeader, "GroupHeader1", 0);
    m_sections[2] = std::make_unique<ReportSection>(ReportSection::Detail, "Detail", 0);
    m_sections[3] = std::make_unique<ReportSection>(ReportSection::GroupFooter, "GroupFooter1", 0);
    m_sections[4] = std::make_unique<ReportSection>(ReportSection::PageFooter, "PageFooter", 0);
}

ActiveReport::~ActiveReport() = default;

ReportElement *ActiveReport::element(const QString &name) const
{
    for (const auto &s : m_sections)
        if (ReportElement *e = s->element(name))
            return e;
    return nullptr;
}

void ActiveReport::initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;
    ActiveReport_Initialize();
}

// Lays the section out with its top left corner at (x, y) and appends its drawing to page.
void ActiveReport::placeSection(
    ReportSection *s, double x, double y, ReportPage &page, double *height)
{
    double h = s->height;
    for (const auto &ep : s->elements()) {
        const ReportElement &e = *ep;
        if (!e.visible)
            continue;
        DrawOp op;
        op.rect = QRectF(x + e.left, y + e.top, e.width, e.height);
        switch (e.kind) {
        case ReportElement::Text: {
            op.kind = DrawOp::Text;
            op.text = e.text;
            if (e.field == ReportElement::PageNumber)
                op.text = QString::number(pageNumber());
            else if (e.field == ReportElement::PageCount)
                op.text = QStringLiteral("\x01pages"); // filled in when the run is over
            op.font = e.font;
            op.alignment = e.alignment;
            op.color = e.foreColor;
            op.fill = e.backColor;
            const bool wrap = e.canGrow || e.wordWrap;
            QVector<TextLine> lines;
            const double need = layoutText(
                op.text, e.font, op.rect.left(), op.rect.top(), e.width, e.alignment, wrap, &lines);
            if (e.canGrow) {
                op.rect.setHeight(qMax(double(e.height), need));
                h = qMax(h, double(e.top) + op.rect.height());
            } else if (lines.size() > 1) {
                // A fixed box shows the lines that fit in it, and always its first line.
                const double lineHeight = need / lines.size();
                const int fit = qMax(1, int((e.height + 1) / lineHeight));
                lines.resize(qMin(int(lines.size()), fit));
            }
            op.lines = lines;
            break;
        }
        case ReportElement::Line:
            op.kind = DrawOp::Line;
            op.line = QLineF(x + e.x1, y + e.y1, x + e.x2, y + e.y2);
            op.color = e.lineColor;
            op.penWidth = qMax(0.0f, e.lineWeight) * TwipsPerPixel;
            break;
        case ReportElement::Shape:
            op.kind = DrawOp::Rect;
            op.fill = e.backColor;
            op.border = e.border;
            op.color = e.lineColor;
            op.penWidth = qMax(0.0f, e.lineWeight) * TwipsPerPixel;
            break;
        case ReportElement::Picture:
            op.kind = DrawOp::Image;
            op.image = e.picture;
            break;
        case ReportElement::Barcode: {
            const BarcodeSymbol sym = Barcode::encode(e.style, e.text);
            if (!sym.isValid())
                continue; // a value the style cannot encode leaves the box empty
            op.kind = DrawOp::Barcode;
            op.text = e.text;
            op.modules = sym.modules;
            op.barcodeText = e.showCaption ? sym.text : QString();
            op.moduleWidth = qMax(1, e.barWidth) * TwipsPerPixel;
            op.font = e.font;
            op.color = e.foreColor;
            break;
        }
        }
        page.ops.append(op);
    }
    if (height)
        *height = h;
}

double ActiveReport::footerTop() const
{
    const double footer = PageFooter()->visible ? PageFooter()->height : 0;
    return PageSettings.paper().height() - PageSettings.bottomMargin - footer;
}

void ActiveReport::newPage()
{
    if (!m_document.pages.isEmpty())
        finishPage();
    m_document.pages.append(ReportPage());
    Canvas.page = &m_document.pages.last();
    m_y = PageSettings.topMargin;
    if (PageHeader()->visible) {
        double h = 0;
        placeSection(PageHeader(), PageSettings.leftMargin + PageSettings.gutter, m_y,
            m_document.pages.last(), &h);
        m_y += h;
    }
}

void ActiveReport::finishPage()
{
    ReportPage &page = m_document.pages.last();
    Canvas.page = &page;
    PageFooter_Format();
    if (PageFooter()->visible)
        placeSection(PageFooter(), PageSettings.leftMargin + PageSettings.gutter, footerTop(), page,
            nullptr);
}

const ReportDocument &ActiveReport::run()
{
    if (m_ran)
        return m_document;
    initialize();
    m_ran = true;
    m_document = ReportDocument();
    m_document.paperSize = PageSettings.paper();
    const double x0 = PageSettings.leftMargin + PageSettings.gutter;
    newPage();
    int bodyOps = int(m_document.pages.last().ops.size());
    auto placeFlowing = [&](ReportSection *s, double x, bool startRow) -> double {
        ReportPage cell;
        double h = 0;
        placeSection(s, 0, 0, cell, &h);
        // A section that no longer fits goes to a new page, unless the page holds nothing
        // else: a section taller than the page would otherwise never be placed.
        if (startRow && m_y + h > footerTop() + 0.01
            && int(m_document.pages.last().ops.size()) > bodyOps) {
            newPage();
            bodyOps = int(m_document.pages.last().ops.size());
        }
        ReportPage &page = m_document.pages.last();
        for (DrawOp &op : cell.ops) {
            translate(op, x, m_y);
            page.ops.append(op);
        }
        return h;
    };
    // Sections of no height and no element take no room and never break a page.
    auto empty = [](const ReportSection *s) { return s->height <= 0 && s->elements().empty(); };

    if (GroupHeader()->visible && !empty(GroupHeader()))
        m_y += placeFlowing(GroupHeader(), x0, true);

    ReportSection *detail = Detail();
    int column = 0;
    double rowHeight = 0;
    for (;;) {
        bool eof = false;
        ActiveReport_FetchData(eof);
        if (eof)
            break;
        Detail_Format();
        if (!detail->visible)
            continue;
        const int columns = qMax(1, detail->columnCount);
        const double spacing = detail->columnSpacing;
        const double columnWidth = PageSettings.columnWidth(columns, spacing);
        const double h = placeFlowing(detail, x0 + column * (columnWidth + spacing), column == 0);
        rowHeight = qMax(rowHeight, h);
        if (++column >= columns) {
            m_y += rowHeight;
            column = 0;
            rowHeight = 0;
        }
    }
    if (column > 0)
        m_y += rowHeight;

    if (GroupFooter()->visible && !empty(GroupFooter()))
        m_y += placeFlowing(GroupFooter(), x0, true);

    finishPage();
    Canvas.page = nullptr;

    // The number of pages is known only now.
    const QString total = QString::number(m_document.pageCount());
    for (ReportPage &page : m_document.pages)
        for (DrawOp &op : page.ops)
            if (op.kind == DrawOp::Text && op.text == QLatin1String("\x01pages")) {
                op.text = total;
                op.lines.clear();
                layoutText(total, op.font, op.rect.left(), op.rect.top(), op.rect.width(),
                    op.alignment, false, &op.lines);
            }
    ActiveReport_ReportEnd();
    return m_document;
}

bool ActiveReport::PrintReport(bool promptUser, QWidget *parent)
{
    return printReport(run(), promptUser, parent);
}
