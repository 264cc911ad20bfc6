#include "RankingLayout.h"
#include "platform/grid/DataGrid.h"
#include "records/Blanks.h"
#include "records/Currency.h"

const QList<float> RankingLayout::RuleXs = { 300, 1150, 3710, 9510, 7380, 11630 };

namespace {
const QString kNbsp = QString(QChar(0x00A0));

ReportElement *heading(
    ReportSection *s, const char *name, float left, float width, const QString &text, int alignment)
{
    ReportElement *e = s->addLabel(QString::fromLatin1(name), left, 800, width, 350, text);
    e->alignment = alignment;
    e->foreColor = Qt::white;
    return e;
}

ReportElement *field(ReportSection *s, const char *name, float left, float width, int alignment)
{
    ReportElement *e = s->addText(QString::fromLatin1(name), left, 0, width, 283);
    e->alignment = alignment;
    return e;
}
} // namespace

RankingLayout::RankingLayout(const DataGrid &grid, const RankingRequest &request)
    : m_grid(grid)
    , m_request(request)
{
    ReportSection *h = PageHeader();
    h->height = 1320;
    ReportElement *titleText = h->addLabel(
        QStringLiteral("title"), 0, 0, 11339, 567, QString()); // set when the run starts
    titleText->font.size = 22;
    titleText->alignment = Qt::AlignHCenter;
    ReportElement *band
        = h->addShape(QStringLiteral("headingBand"), 0, 709, 11339, 510, QColor(64, 64, 64));
    band->border = false;
    heading(h, "rankHeading", 0, 850, QStringLiteral("ลำดับ"), Qt::AlignHCenter);
    heading(h, "userHeading", 850, 2552, QStringLiteral("ชื่อผู้ใช้"), Qt::AlignHCenter);
    heading(h, "positionHeading", 3402, 3685, QStringLiteral("ตำแหน่ง(ชื่อ)"), Qt::AlignHCenter);
    heading(
        h, "discountHeading", 7087, 2126, QStringLiteral("ส่วนลดที่ให้ลูกค้า") + kNbsp, Qt::AlignRight);
    heading(
        h, "salesHeading", 9213, 2126, QStringLiteral("ยอดขายหลังหักส่วนลด") + kNbsp, Qt::AlignRight);
    int n = 1;
    for (float x : { 850.f, 3402.f, 7087.f, 9213.f })
        h->addLine(QStringLiteral("headingRule%1").arg(n++), x, 709, x, 1200);

    ReportSection *d = Detail();
    d->height = 330;
    field(d, "rank", 0, 850, Qt::AlignHCenter)->value = ReportValue::Count;
    field(d, "user", 850, 2552, Qt::AlignHCenter);
    field(d, "position", 3402, 3685, Qt::AlignHCenter);
    field(d, "discount", 7087, 2126, Qt::AlignRight)->value = ReportValue::Money;
    field(d, "sales", 9213, 2126, Qt::AlignRight)->value = ReportValue::Money;
    d->addLine(QStringLiteral("rowRule"), 0, 283, 11339, 283)->lineColor = QColor(128, 128, 128);

    ReportSection *f = PageFooter();
    f->height = 420;
    f->addLine(QStringLiteral("footerRule"), 0, 0, 11340, 0);
    f->addLabel(QStringLiteral("pageCaption"), 0, 100, 500, 283, QStringLiteral("หน้า:"));
    ReportElement *page = f->addText(QStringLiteral("pageNumber"), 500, 100, 425, 283);
    page->field = ReportElement::PageNumber;
    page->alignment = Qt::AlignRight;
    f->addLabel(QStringLiteral("pageOf"), 900, 100, 284, 283, QStringLiteral("/"))->alignment
        = Qt::AlignHCenter;
    f->addText(QStringLiteral("pageCount"), 1134, 100, 567, 283)->field = ReportElement::PageCount;
}

QString RankingLayout::title(const RankingRequest &r)
{
    switch (r.kind) {
    case RankingRequest::Kind::Year:
        return QStringLiteral("ยอดขายของผู้ใช้ทุกคน ในปี ") + r.yearText;
    case RankingRequest::Kind::Month:
        return QStringLiteral("ยอดขายของผู้ใช้ทุกคน เดือน") + r.monthItem + QStringLiteral(" ปี ")
            + r.yearText;
    case RankingRequest::Kind::Week:
        return QStringLiteral("ยอดขายของผู้ใช้ทุกคน ของสัปดาห์นี้ (ย้อนหลัง 7 วัน)");
    }
    return QString(); // every kind is named above
}

void RankingLayout::prepareReport()
{
    PageSettings.paperSize = ReportPageSettings::A4;
    PageSettings.orientation = ReportPageSettings::Portrait;
    PageSettings.topMargin = PageSettings.bottomMargin = 300;
    PageSettings.leftMargin = PageSettings.rightMargin = 300;
    m_rowTotal = m_grid.maxRows();
    element(QStringLiteral("title"))->text = title(m_request);
}

void RankingLayout::fetchRow(bool &eof)
{
    ++m_row;
    eof = m_row > m_rowTotal;
}

void RankingLayout::formatDetail()
{
    element(QStringLiteral("rank"))->text = QString::number(m_row);
    element(QStringLiteral("user"))->text = trimBlanks(m_grid.getText(2, m_row));
    element(QStringLiteral("position"))->text = trimBlanks(m_grid.getText(3, m_row));
    element(QStringLiteral("discount"))->text
        = Currency::fromText(m_grid.getText(4, m_row)).format() + QLatin1Char(' ');
    element(QStringLiteral("sales"))->text
        = Currency::fromText(m_grid.getText(5, m_row)).format() + QLatin1Char(' ');
}

void RankingLayout::formatPageFooter()
{
    Canvas.DrawWidth = 1;
    for (float x : RuleXs)
        Canvas.DrawLine(x, RuleBottom, x, RuleTop);
}
