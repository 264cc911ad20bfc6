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
    text(h, "headingLine", 0, 142, 11197, 425, Left, QStringLiteral("วันที่ทำรายการ"));
    text(h, "documentNumberLine", 1701, 142, 9638, 425, Right, QStringLiteral("เลขที่ใบส่งของ :"));
    ReportElement *band = h->addShape(
        QStringLiteral("columnHeaderBand"), 0, 567, 11339, 425, QColor(226, 226, 226));
    band->border = true;
    band->lineWeight = 0;
    text(h, "codeHeader", 0, 650, 1843, 283, Centre, QStringLiteral("รหัส (บาร์โค๊ด)"));
    text(h, "nameHeader", 1930, 650, 2126, 283, Left, QStringLiteral("ชื่อสินค้า"));
    text(h, "descriptionHeader", 4350, 650, 2267, 283, Left, QStringLiteral("รายละเอียด"));
    text(h, "quantityHeader", 6803, 650, 851, 283, Centre, QStringLiteral("จำนวน"));
    text(h, "unitHeader", 7654, 650, 992, 283, Centre, QStringLiteral("หน่วยนับ"));
    text(h, "priceHeader", 8646, 650, 1134, 283, Centre, QStringLiteral("ราคาทุน"));
    text(h, "amountHeader", 9780, 650, 1417, 283, Right, QStringLiteral("รวมจำนวนเงิน"));
    // The rules after each column's header.
    const std::pair<const char *, float> columnRules[] = { { "afterCodeRule", 1843 },
        { "afterNameRule", 4252 }, { "afterDescriptionRule", 6803 }, { "afterQuantityRule", 7654 },
        { "afterUnitRule", 8646 }, { "afterPriceRule", 9780 } };
    for (const auto &[name, x] : columnRules)
        h->addLine(QString::fromLatin1(name), x, 567, x, 992);

    ReportSection *d = Detail();
    d->height = 315;
    text(d, "codeField", 0, 0, 1800, 283, Centre);
    text(d, "nameField", 1900, 0, 2250, 283, Left);
    text(d, "descriptionField", 4300, 0, 2267, 283, Left);
    text(d, "quantityField", 6803, 0, 851, 283, Centre);
    text(d, "unitField", 7660, 0, 980, 283, Centre);
    text(d, "priceField", 8646, 0, 1134, 283, Centre);
    text(d, "amountField", 9780, 0, 1400, 283, Right);
    ReportElement *net = text(d, "receiptNetField", 6850, 0, 4350, 283, Right);
    net->font.size = 13;
    net->visible = false;
    d->addLine(QStringLiteral("rowRule"), 0, 283, RuleRight, 283)->lineColor = Grey;

    ReportSection *f = PageFooter();
    f->height = 435;
    f->addLine(QStringLiteral("footerRule"), 0, 0, RuleRight, 0)->lineColor = Grey;
    text(f, "pageCaption", 0, 142, 500, 283, Left, QStringLiteral("หน้า:"));
    text(f, "pageNumber", 500, 142, 425, 283, Right)->field = ReportElement::PageNumber;
    text(f, "pageOfCaption", 900, 142, 284, 283, Centre, QStringLiteral("/"));
    text(f, "pageCount", 1134, 142, 567, 283, Left)->field = ReportElement::PageCount;
    text(f, "remarkLine", 1843, 142, 6236, 283, Left, QStringLiteral("หมายเหตุ"));
    text(f, "totalLine", 1843, 142, 9354, 283, Right, QStringLiteral("ยอดต้นทุนทั้งหมด"));
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

void StockReportLayout::prepareReport()
{
    PageSettings.paperSize = ReportPageSettings::A4;
    PageSettings.orientation = ReportPageSettings::Portrait;
    PageSettings.leftMargin = PageSettings.rightMargin = 300;
    PageSettings.topMargin = PageSettings.bottomMargin = 300;
    e("codeField")->text.clear();

    m_printed = m_source.document();
    m_mode = m_source.summaryMode();
    m_rowTotal = m_source.rowCount();
    switch (m_printed) {
    case StockDocument::GoodsReceived:
        goodsReceived();
        break;
    case StockDocument::StockList:
        stockList();
        break;
    case StockDocument::SalesSummary:
        summary();
        break;
    default:
        break;
    }
}

void StockReportLayout::goodsReceived()
{
    using T = StockReportSource::Text;
    e("headingLine")->text = QStringLiteral("วันเวลาที่ทำรายการ    [ ") + m_source.text(T::DateTime)
        + QStringLiteral(" ]");
    e("documentNumberLine")->text = QStringLiteral("อัพเดทสต๊อก เลขที่    [ ")
        + m_source.text(T::DocumentNo) + QStringLiteral(" ]");
    e("quantityField")->value = ReportValue::Count; // quantity
    e("priceField")->value = ReportValue::Money; // cost
    e("amountField")->value = ReportValue::Money; // line total
}

void StockReportLayout::stockList()
{
    e("headingLine")->text = QStringLiteral("วันเวลาที่ทำรายการ    [ ")
        + DateText::display(Clock::now()) + QStringLiteral(" ]");
    e("documentNumberLine")->visible = false;
    e("quantityHeader")->text = QStringLiteral(" คงเหลือ");
    e("priceHeader")->text = QStringLiteral("ราคาขาย");
    e("amountHeader")->text = QStringLiteral("สถานที่จัดเก็บ");
    e("remarkLine")->visible = false;
    e("totalLine")->visible = false;
    e("quantityField")->value = ReportValue::Count; // stock on hand
    e("priceField")->value = ReportValue::Money; // price
}

void StockReportLayout::summary()
{
    using T = StockReportSource::Text;
    e("documentNumberLine")->visible = false;
    const QString title = m_source.text(T::Title);
    const QString money = moneyLine(m_source.text(T::Cost), m_source.text(T::Discount),
        m_source.text(T::Sales), m_source.text(T::Profit));
    e("remarkLine")->visible = false;
    switch (m_mode) {
    case SummaryMode::Detailed:
        e("headingLine")->text = money;
        e("quantityHeader")->text = QStringLiteral("ขายได้");
        e("unitHeader")->text = QStringLiteral("ราคาทุน");
        e("priceHeader")->text = QStringLiteral("ราคาขาย");
        e("totalLine")->text = title;
        e("quantityField")->value = ReportValue::Count; // sold
        for (const char *name : { "unitField", "priceField", "amountField" }) // cost, price, amount
            e(name)->value = ReportValue::Money;
        break;
    case SummaryMode::BestSellers:
        e("headingLine")->text = title;
        e("quantityHeader")->text = QStringLiteral("ราคาทุน");
        e("unitHeader")->text = QStringLiteral("ราคาขาย");
        e("priceHeader")->text = QStringLiteral("ขายได้");
        e("amountHeader")->text = QStringLiteral("หน่วยนับ");
        e("quantityField")->visible = false;
        e("unitField")->visible = false;
        e("totalLine")->visible = false;
        e("priceField")->value = ReportValue::Count; // sold
        break;
    case SummaryMode::Brief: {
        e("headingLine")->text = money;
        e("codeHeader")->text = m_source.columnOneHeader();
        ReportElement *discount = e("nameHeader");
        discount->text = QStringLiteral("ส่วนลด (บาท)");
        discount->alignment = Right;
        ReportElement *total = e("descriptionHeader");
        total->text = QStringLiteral("ยอดรวม (บาท)");
        total->alignment = Right;
        for (const char *name :
            { "quantityHeader", "unitHeader", "priceHeader", "afterQuantityRule", "afterUnitRule",
                "afterPriceRule", "quantityField", "priceField", "amountField" })
            e(name)->visible = false;
        ReportElement *net = e("amountHeader");
        net->text = QStringLiteral("หักส่วนลดเหลือ (บาท)");
        net->left = 6850;
        net->width = 4350;
        e("nameField")->alignment = Right;
        e("descriptionField")->alignment = Right;
        ReportElement *unit = e("unitField");
        unit->alignment = Right;
        unit->left = 6850;
        unit->width = 4350;
        for (const char *name :
            { "nameField", "descriptionField", "unitField" }) // discount, total, net
            e(name)->value = ReportValue::Money;
        e("totalLine")->text = title;
        break;
    }
    }
    fitOnOneLine(e("headingLine"));
}

void StockReportLayout::fetchRow(bool &eof)
{
    ++m_rowNo;
    eof = m_rowNo > m_rowTotal;
}

void StockReportLayout::formatDetail()
{
    ReportElement *code = e("codeField"), *name = e("nameField"),
                  *description = e("descriptionField");
    code->text = trimmedCell(1);
    name->text = trimmedCell(2);
    description->text = trimmedCell(3);
    switch (m_printed) {
    case StockDocument::GoodsReceived:
        e("quantityField")->text = cell(4);
        e("unitField")->text = cell(5);
        e("priceField")->text = cell(6);
        e("amountField")->text = cell(7);
        return;
    case StockDocument::StockList:
        e("quantityField")->text = cell(4);
        e("unitField")->text = cell(5);
        e("priceField")->text = cell(6);
        e("amountField")->text = cell(8); // the group, column 7, is not printed
        return;
    case StockDocument::SalesSummary:
        break;
    default:
        return;
    }
    switch (m_mode) {
    case SummaryMode::Detailed: {
        ReportElement *unit = e("unitField"), *net = e("receiptNetField");
        e("quantityField")->text = cell(6);
        unit->text = cell(4);
        e("priceField")->text = cell(5);
        e("amountField")->text = cell(7);
        const bool receiptHeader = cell(9).isEmpty();
        if (receiptHeader) {
            for (ReportElement *f : { code, name, description }) {
                f->font.size = 13;
                f->font.bold = true;
            }
            unit->font.size = 13;
            unit->visible = false;
            net->visible = true;
            net->text = trimmedCell(4);
        } else {
            // The unit field keeps the size the last header row gave it.
            for (ReportElement *f : { code, name, description }) {
                f->font.size = 14;
                f->font.bold = false;
            }
            unit->visible = true;
            net->visible = false;
        }
        break;
    }
    case SummaryMode::BestSellers:
        e("priceField")->text = cell(6);
        e("amountField")->text = cell(7);
        break;
    case SummaryMode::Brief:
        e("unitField")->text = trimmedCell(4);
        break;
    }
}

void StockReportLayout::formatPageFooter()
{
    using T = StockReportSource::Text;
    Canvas.DrawWidth = 1;
    if (m_printed == StockDocument::GoodsReceived) {
        e("remarkLine")->text
            = QStringLiteral("หมายเหตุ [ ") + m_source.text(T::Remark) + QStringLiteral(" ]");
        e("totalLine")->text = QStringLiteral("ยอดต้นทุนทั้งหมด [ ") + m_source.text(T::Total)
            + QStringLiteral(" ] บาท");
    }
    const bool brief = m_printed == StockDocument::SalesSummary && m_mode == SummaryMode::Brief;
    for (float x : brief ? SeparatorsBrief : SeparatorsAll)
        Canvas.DrawLine(x, SeparatorBottom, x, SeparatorTop);
}
