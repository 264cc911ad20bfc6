#include "platform/report/ReportLayout.h"
#include "platform/barcode/Barcode.h"
#include "platform/report/PrintSink.h"

#include "platform/report/ReportStore.h"

namespace {
// A pen or bar "pixel" of the report layouts: 1/96 inch.
constexpr double TwipsPerPixel = 15.0;
// Stands for the page count until the run is over.
const QString PageCountMark = QStringLiteral("\x01pages");
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

void ReportLayout::PageCanvas::DrawLine(float ax1, float ay1, float ax2, float ay2)
{
    if (!page)
        return;
    page->ops.addLine(
        QLineF(ax1, ay1, ax2, ay2), ForeColor, qMax(0.0, double(DrawWidth)) * TwipsPerPixel);
}

ReportLayout::ReportLayout()
{
    m_sections[0] = std::make_unique<ReportSection>(ReportSection::PageHeader, "PageHeader", 0);
    m_sections[1] = std::make_unique<ReportSection>(ReportSection::GroupHeader, "GroupHeader1", 0);
    m_sections[2] = std::make_unique<ReportSection>(ReportSection::Detail, "Detail", 0);
    m_sections[3] = std::make_unique<ReportSection>(ReportSection::GroupFooter, "GroupFooter1", 0);
    m_sections[4] = std::make_unique<ReportSection>(ReportSection::PageFooter, "PageFooter", 0);
}

ReportLayout::~ReportLayout() = default;

ReportElement *ReportLayout::element(const QString &name) const
{
    for (const auto &s : m_sections)
        if (ReportElement *e = s->element(name))
            return e;
    return nullptr;
}

void ReportLayout::initialize()
{
    if (m_initialized)
        return;
    m_initialized = true;
    prepareReport();
}

// Lays the section out with its top left corner at (0, 0): its steps, and its height.
double ReportLayout::layoutSection(ReportSection *s, QVector<PlacedStep> &steps)
{
    ReportStore &store = *m_store;
    steps.clear();
    double h = s->height;
    for (const auto &ep : s->elements()) {
        const ReportElement &e = *ep;
        if (!e.visible)
            continue;
        PlacedStep placed;
        PageSteps::Step &step = placed.step;
        step.x = double(e.left);
        step.y = double(e.top);
        StepStyle st;
        st.width = e.width;
        st.height = e.height;
        switch (e.kind) {
        case ReportElement::Text: {
            st.kind = DrawOp::Text;
            QString text = e.text;
            if (e.field == ReportElement::PageNumber)
                text = QString::number(pageNumber());
            else if (e.field == ReportElement::PageCount) {
                text = PageCountMark; // filled in when the run is over
                placed.pageCount = true;
            }
            st.font = store.font(e.font);
            st.alignment = e.alignment;
            st.color = e.foreColor;
            st.fill = e.backColor;
            st.wrap = e.canGrow || e.wordWrap;
            st.cut = !e.canGrow;
            st.value = e.field == ReportElement::NoField ? e.value : ReportValue::Count;
            st.detail = s->kind == ReportSection::Detail;
            step.payload = store.text(text);
            if (e.canGrow) {
                // The box grows to the lines the text needs, and its section with it.
                StepStyle measure = st;
                const ReportStore::Shaped &shaped = store.shape(step.payload, store.style(measure));
                st.height = qMax(double(e.height), shaped.height);
                h = qMax(h, double(e.top) + st.height);
            }
            break;
        }
        case ReportElement::Line:
            st.kind = DrawOp::Line;
            step.x = double(e.x1);
            step.y = double(e.y1);
            st.width = double(e.x2) - double(e.x1);
            st.height = double(e.y2) - double(e.y1);
            st.color = e.lineColor;
            st.penWidth = qMax(0.0f, e.lineWeight) * TwipsPerPixel;
            st.hasBox = true;
            break;
        case ReportElement::Shape:
            st.kind = DrawOp::Rect;
            st.fill = e.backColor;
            st.border = e.border;
            st.color = e.lineColor;
            st.penWidth = qMax(0.0f, e.lineWeight) * TwipsPerPixel;
            break;
        case ReportElement::Picture:
            st.kind = DrawOp::Image;
            step.payload = store.image(e.picture);
            break;
        case ReportElement::Barcode: {
            const BarcodeSymbol sym = Barcode::encode(e.style, e.text);
            if (!sym.isValid())
                continue; // a value the style cannot encode leaves the box empty
            st.kind = DrawOp::Barcode;
            step.payload
                = store.bars({ e.text, sym.modules, e.showCaption ? sym.text : QString() });
            st.moduleWidth = qMax(1, e.barWidth) * TwipsPerPixel;
            st.font = store.font(e.font);
            st.color = e.foreColor;
            break;
        }
        }
        step.style = store.style(st);
        steps.append(placed);
    }
    return h;
}

// Puts steps laid out at (0, 0) onto the page with their origin at (x, y).
void ReportLayout::placeSteps(const QVector<PlacedStep> &steps, double x, double y)
{
    const int pageIndex = int(m_document.pages.size()) - 1;
    QVector<PageSteps::Step> &page = m_document.pages.last().ops.m_steps;
    for (const PlacedStep &p : steps) {
        if (p.pageCount)
            m_pageCountSteps.append({ pageIndex, int(page.size()) });
        PageSteps::Step step = p.step;
        step.x += x;
        step.y += y;
        page.append(step);
    }
    m_store->stepCount += steps.size();
}

double ReportLayout::footerTop() const
{
    const double footer = PageFooter()->visible ? PageFooter()->height : 0;
    return PageSettings.paper().height() - PageSettings.bottomMargin - footer;
}

void ReportLayout::newPage()
{
    if (!m_document.pages.isEmpty())
        finishPage();
    m_document.pages.append(ReportPage());
    m_document.pages.last().ops.m_store = m_store;
    Canvas.page = &m_document.pages.last();
    m_y = PageSettings.topMargin;
    if (PageHeader()->visible) {
        const double h = layoutSection(PageHeader(), m_pageSection);
        placeSteps(m_pageSection, PageSettings.leftMargin + PageSettings.gutter, m_y);
        m_y += h;
    }
}

void ReportLayout::finishPage()
{
    ReportPage &page = m_document.pages.last();
    Canvas.page = &page;
    formatPageFooter();
    if (PageFooter()->visible) {
        layoutSection(PageFooter(), m_pageSection);
        placeSteps(m_pageSection, PageSettings.leftMargin + PageSettings.gutter, footerTop());
    }
    m_document.pages.last().ops.m_steps.squeeze();
}

const ReportDocument &ReportLayout::run()
{
    if (m_ran)
        return m_document;
    initialize();
    m_ran = true;
    m_document = ReportDocument();
    m_store = std::make_shared<ReportStore>();
    m_pageCountSteps.clear();
    m_document.paperSize = PageSettings.paper();
    const double x0 = PageSettings.leftMargin + PageSettings.gutter;
    newPage();
    int bodyOps = int(m_document.pages.last().ops.size());
    auto placeFlowing = [&](ReportSection *s, double x, bool startRow) -> double {
        const double h = layoutSection(s, m_section);
        // A section that no longer fits goes to a new page, unless the page holds nothing
        // else: a section taller than the page would otherwise never be placed.
        if (startRow && m_y + h > footerTop() + 0.01
            && int(m_document.pages.last().ops.size()) > bodyOps) {
            newPage();
            bodyOps = int(m_document.pages.last().ops.size());
        }
        placeSteps(m_section, x, m_y);
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
        fetchRow(eof);
        if (eof)
            break;
        formatDetail();
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

    // The number of pages is known only now; it stands on one line whatever its box.
    const quint32 total = m_store->text(QString::number(m_document.pageCount()));
    for (const auto &[pageIndex, stepIndex] : m_pageCountSteps) {
        PageSteps::Step &step = m_document.pages[pageIndex].ops.m_steps[stepIndex];
        StepStyle st = m_store->styles[step.style];
        st.wrap = false;
        st.cut = false;
        step.payload = total;
        step.style = m_store->style(st);
    }
    m_pageCountSteps.clear();
    m_section.clear();
    m_pageSection.clear();
    m_store->finishBuilding();
    m_store.reset();
    finishReport();
    return m_document;
}

bool ReportLayout::PrintReport(bool promptUser, QWidget *parent)
{
    return printReport(run(), promptUser, parent);
}
