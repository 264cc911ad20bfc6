#include "stock/StockReportLayout.h"
#include "platform/ui/Clock.h"
#include "records/Blanks.h"
#include "records/DateText.h"
#include "stock/StockReportSource.h"

const QList<float> StockReportLayout::SeparatorsAll
    = { 300, 2140, 4552, 7110, 7950, 8940, 10080, 11630 };
const QList<float> StockReportLayout::SeparatorsBrief = { 300, 2140, 4552, 7110, 11630 };

namespace {

constexpr int Left = Qt::AlignLeft;
constexpr int Centre = Qt::AlignHCenter;
constexpr int Right = Qt::AlignRight;
constexpr float RuleRight = 11339;
const QColor Grey(128, 128, 128);

ReportElement *text(ReportSection *s, const char *name, float left, float top, float width,
    float height, int alignment, const QString &designed = QString())
{
    ReportElement *e = s->addText(QString::fromLatin1(name), left, top, width, height, designed);
    e->font.family = QStringLiteral("Browallia New");
    e->font.size = 14.5;
    e->alignment = alignment;
    return e;
}

// The width a text takes on one line, in twips.
double textWidth(const QString &s, const ReportFont &font)
{
    constexpr double Box = 1e6;
    QVector<TextLine> lines;
    layoutText(s, font, 0, 0, Box, Right, false, &lines);
    return lines.isEmpty() ? 0 : Box - lines.first().origin.x();
}

// Browallia New is drawn through a wider substitute face: a line that the shop's font would
// hold on one line is drawn smaller rather than cut where it wraps.
void fitOnOneLine(ReportElement *e)
{
    while (e->font.size > 8 && textWidth(e->text, e->font) > e->width)
        e->font.size -= 0.5;
}

} // namespace

StockReportLayout::StockReportLayout(const StockReportSource &source)
    : m_source(source)
{
    design();
}

QString StockReportLayout::moneyLine(
    const QString &cost, const QString &discount, const QString &sales, const QString &profit)
{
    return QStringLiteral("[ ต้นทุนสินค้า : ") + cost + QStringLiteral("  |  ส่วนลดรวม : ") + discount
        + QStringLiteral("  |  รวมยอดขาย (ไม่หักต้นทุน) : ") + sales
        + QStringLiteral("  |  กำไรหลังหักต้นทุน : ") + profit + QStringLiteral(" ]");
}

void StockReportLayout::design()
{
    PageSettings.paperSize = ReportPageSettings::A4;
    PageSettings.orientation = ReportPageSettings::Portrait;
    PageSettings.leftMargin = PageSettings.rightMargin = 300;
    PageSettings.topMargin = PageSettings.bottomMargin = 300;

    ReportSection *h = PageHeader();
    h->height = 1080;
    text(h, "Label1", 0, 142, 11197, 425, Left, QStringLiteral("วันที่ทำรายการ"));
    text(h, "Label2", 1701, 142, 9638, 425, Right, QStringLiteral("เลขที่ใบส่งของ :"));
    ReportElement *band
        = h->addShape(QStringLiteral("Shape3"), 0, 567, 11339, 425, QColor(226, 226, 226));
    band->border = true;
    band->lineWeight = 0;
    text(h, "Label3", 0, 650, 1843, 283, Centre, QStringLiteral("รหัส (บาร์โค๊ด)"));
    text(h, "Label4", 1930, 650, 2126, 283, Left, QStringLiteral("ชื่อสินค้า"));
    text(h, "Label9", 4350, 650, 2267, 283, Left, QStringLiteral("รายละเอียด"));
    text(h, "Label5", 6803, 650, 851, 283, Centre, QStringLiteral("จำนวน"));
    text(h, "Label6", 7654, 650, 992, 283, Centre, QStringLiteral("หน่วยนับ"));
    text(h, "Label7", 8646, 650, 1134, 283, Centre, QStringLiteral("ราคาทุน"));
    text(h, "Label8", 9780, 650, 1417, 283, Right, QStringLiteral("รวมจำนวนเงิน"));
    const float columnLines[] = { 1843, 4252, 6803, 7654, 8646, 9780 };
    for (int i = 0; i < 6; ++i)
        h->addLine(QStringLiteral("Line%1").arg(i + 1), columnLines[i], 567, columnLines[i], 992);

    ReportSection *d = Detail();
    d->height = 315;
    text(d, "txtitem", 0, 0, 1800, 283, Centre);
    text(d, "text2", 1900, 0, 2250, 283, Left);
    text(d, "text1", 4300, 0, 2267, 283, Left);
    text(d, "text3", 6803, 0, 851, 283, Centre);
    text(d, "text4", 7660, 0, 980, 283, Centre);
    text(d, "text5", 8646, 0, 1134, 283, Centre);
    text(d, "text6", 9780, 0, 1400, 283, Right);
    ReportElement *field1 = text(d, "Field1", 6850, 0, 4350, 283, Right);
    field1->font.size = 13;
    field1->visible = false;
    d->addLine(QStringLiteral("Line8"), 0, 283, RuleRight, 283)->lineColor = Grey;

    ReportSection *f = PageFooter();
    f->height = 435;
    f->addLine(QStringLiteral("Line9"), 0, 0, RuleRight, 0)->lineColor = Grey;
    text(f, "lblPage", 0, 142, 500, 283, Left, QStringLiteral("หน้า:"));
    text(f, "txtPage", 500, 142, 425, 283, Right)->field = ReportElement::PageNumber;
    text(f, "lblOf", 900, 142, 284, 283, Centre, QStringLiteral("/"));
    text(f, "txtPages", 1134, 142, 567, 283, Left)->field = ReportElement::PageCount;
    text(f, "Label10", 1843, 142, 6236, 283, Left, QStringLiteral("หมายเหตุ"));
    text(f, "Label11", 1843, 142, 9354, 283, Right, QStringLiteral("ยอดต้นทุนทั้งหมด"));
}

ReportElement *StockReportLayout::e(const char *name) const
{
    return element(QString::fromLatin1(name));
}

QString StockReportLayout::cell(int col) const
{
    return m_source.cell(m_rowNo, col);
}

QString StockReportLayout::trimmedCell(int col) const
{
    return trimBlanks(m_source.cell(m_rowNo, col));
}

void StockReportLayout::ActiveReport_Initialize()
{
    PageSettings.paperSize = ReportPageSettings::A4;
    PageSettings.orientation = ReportPageSettings::Portrait;
    PageSettings.leftMargin = PageSettings.rightMargin = 300;
    PageSettings.topMargin = PageSettings.bottomMargin = 300;
    e("txtitem")->text.clear();

    m_document = m_source.document();
    m_mode = m_source.summaryMode();
    m_rowTotal = m_source.rowCount();
    switch (m_document) {
    case PrintSource::StockUpdate:
        goodsReceived();
        break;
    case PrintSource::StockList:
        stockList();
        break;
    case PrintSource::SalesSummary:
        summary();
        break;
    default:
        break;
    }
}

void StockReportLayout::goodsReceived()
{
    using T = StockReportSource::Text;
    e("Label1")->text = QStringLiteral("วันเวลาที่ทำรายการ    [ ") + m_source.text(T::DateTime)
        + QStringLiteral(" ]");
    e("Label2")->text = QStringLiteral("อัพเดทสต๊อก เลขที่    [ ") + m_source.text(T::DocumentNo)
        + QStringLiteral(" ]");
    e("text3")->value = ReportValue::Count; // quantity
    e("text5")->value = ReportValue::Money; // cost
    e("text6")->value = ReportValue::Money; // line total
}

void StockReportLayout::stockList()
{
    e("Label1")->text = QStringLiteral("วันเวลาที่ทำรายการ    [ ") + DateText::display(Clock::now())
        + QStringLiteral(" ]");
    e("Label2")->visible = false;
    e("Label5")->text = QStringLiteral(" คงเหลือ");
    e("Label7")->text = QStringLiteral("ราคาขาย");
    e("Label8")->text = QStringLiteral("สถานที่จัดเก็บ");
    e("Label10")->visible = false;
    e("Label11")->visible = false;
    e("text3")->value = ReportValue::Count; // stock on hand
    e("text5")->value = ReportValue::Money; // price
}

void StockReportLayout::summary()
{
    using T = StockReportSource::Text;
    e("Label2")->visible = false;
    const QString title = m_source.text(T::Title);
    const QString money = moneyLine(m_source.text(T::Cost), m_source.text(T::Discount),
        m_source.text(T::Sales), m_source.text(T::Profit));
    e("Label10")->visible = false;
    switch (m_mode) {
    case SummaryMode::Detailed:
        e("Label1")->text = money;
        e("Label5")->text = QStringLiteral("ขายได้");
        e("Label6")->text = QStringLiteral("ราคาทุน");
        e("Label7")->text = QStringLiteral("ราคาขาย");
        e("Label11")->text = title;
        e("text3")->value = ReportValue::Count; // sold
        for (const char *name : { "text4", "text5", "text6" }) // cost, price, amount
            e(name)->value = ReportValue::Money;
        break;
    case SummaryMode::BestSellers:
        e("Label1")->text = title;
        e("Label5")->text = QStringLiteral("ราคาทุน");
        e("Label6")->text = QStringLiteral("ราคาขาย");
        e("Label7")->text = QStringLiteral("ขายได้");
        e("Label8")->text = QStringLiteral("หน่วยนับ");
        e("text3")->visible = false;
        e("text4")->visible = false;
        e("Label11")->visible = false;
        e("text5")->value = ReportValue::Count; // sold
        break;
    case SummaryMode::Brief: {
        e("Label1")->text = money;
        e("Label3")->text = m_source.columnOneHeader();
        ReportElement *discount = e("Label4");
        discount->text = QStringLiteral("ส่วนลด (บาท)");
        discount->alignment = Right;
        ReportElement *total = e("Label9");
        total->text = QStringLiteral("ยอดรวม (บาท)");
        total->alignment = Right;
        for (const char *name :
            { "Label5", "Label6", "Label7", "Line4", "Line5", "Line6", "text3", "text5", "text6" })
            e(name)->visible = false;
        ReportElement *net = e("Label8");
        net->text = QStringLiteral("หักส่วนลดเหลือ (บาท)");
        net->left = 6850;
        net->width = 4350;
        e("text2")->alignment = Right;
        e("text1")->alignment = Right;
        ReportElement *text4 = e("text4");
        text4->alignment = Right;
        text4->left = 6850;
        text4->width = 4350;
        for (const char *name : { "text2", "text1", "text4" }) // discount, total, net
            e(name)->value = ReportValue::Money;
        e("Label11")->text = title;
        break;
    }
    }
    fitOnOneLine(e("Label1"));
}

void StockReportLayout::ActiveReport_FetchData(bool &eof)
{
    ++m_rowNo;
    eof = m_rowNo > m_rowTotal;
}

void StockReportLayout::Detail_Format()
{
    ReportElement *txtitem = e("txtitem"), *text2 = e("text2"), *text1 = e("text1");
    txtitem->text = trimmedCell(1);
    text2->text = trimmedCell(2);
    text1->text = trimmedCell(3);
    switch (m_document) {
    case PrintSource::StockUpdate:
        e("text3")->text = cell(4);
        e("text4")->text = cell(5);
        e("text5")->text = cell(6);
        e("text6")->text = cell(7);
        return;
    case PrintSource::StockList:
        e("text3")->text = cell(4);
        e("text4")->text = cell(5);
        e("text5")->text = cell(6);
        e("text6")->text = cell(8); // the group, column 7, is not printed
        return;
    case PrintSource::SalesSummary:
        break;
    default:
        return;
    }
    switch (m_mode) {
    case SummaryMode::Detailed: {
        ReportElement *text4 = e("text4"), *field1 = e("Field1");
        e("text3")->text = cell(6);
        text4->text = cell(4);
        e("text5")->text = cell(5);
        e("text6")->text = cell(7);
        const bool receiptHeader = cell(9).isEmpty();
        if (receiptHeader) {
            for (ReportElement *f : { txtitem, text2, text1 }) {
                f->font.size = 13;
                f->font.bold = true;
            }
            text4->font.size = 13;
            text4->visible = false;
            field1->visible = true;
            field1->text = trimmedCell(4);
        } else {
            // text4 keeps the size the last header row gave it.
            for (ReportElement *f : { txtitem, text2, text1 }) {
                f->font.size = 14;
                f->font.bold = false;
            }
            text4->visible = true;
            field1->visible = false;
        }
        break;
    }
    case SummaryMode::BestSellers:
        e("text5")->text = cell(6);
        e("text6")->text = cell(7);
        break;
    case SummaryMode::Brief:
        e("text4")->text = trimmedCell(4);
        break;
    }
}

void StockReportLayout::PageFooter_Format()
{
    using T = StockReportSource::Text;
    Canvas.DrawWidth = 1;
    if (m_document == PrintSource::StockUpdate) {
        e("Label10")->text
            = QStringLiteral("หมายเหตุ [ ") + m_source.text(T::Remark) + QStringLiteral(" ]");
        e("Label11")->text = QStringLiteral("ยอดต้นทุนทั้งหมด [ ") + m_source.text(T::Total)
            + QStringLiteral(" ] บาท");
    }
    const bool brief = m_document == PrintSource::SalesSummary && m_mode == SummaryMode::Brief;
    for (float x : brief ? SeparatorsBrief : SeparatorsAll)
        Canvas.DrawLine(x, SeparatorBottom, x, SeparatorTop);
}
