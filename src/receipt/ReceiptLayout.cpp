#include "receipt/ReceiptLayout.h"
#include "platform/ui/Clock.h"
#include "receipt/ReceiptGeometry.h"
#include "records/Blanks.h"
#include "records/Currency.h"
#include "records/DateText.h"
#include "records/Val.h"

#include <algorithm>
#include <vector>

using namespace ReceiptGeometry;

const QString ReceiptLayout::SampleName = QStringLiteral("ตัวอย่าง น้ำดื่ม ตราช้าง");
const QString ReceiptLayout::SampleReceipt = QStringLiteral("ใบเสร็จเลขที่ INV-888888888");

namespace {

constexpr int Left = Qt::AlignLeft;
constexpr int Centre = Qt::AlignHCenter;
constexpr int Right = Qt::AlignRight;

ReportElement *text(ReportSection *s, const char *name, float left, float top, float width,
    float height, float size, int alignment, bool bold = false, const QString &designed = QString())
{
    ReportElement *e = s->addText(QString::fromLatin1(name), left, top, width, height, designed);
    e->font.family = QStringLiteral("Browallia New");
    e->font.size = size;
    e->font.bold = bold;
    e->alignment = alignment;
    // A text wider than its box goes on over further lines rather than being cut off.
    e->canGrow = true;
    return e;
}

// A text that wraps onto further lines pushes what lies below it in its section down by as
// much, so that longer header or total lines on narrow paper never print over each other.
void makeRoomForWrappedTexts(ReportSection *s)
{
    std::vector<ReportElement *> order;
    for (const auto &e : s->elements())
        order.push_back(e.get());
    std::stable_sort(order.begin(), order.end(),
        [](const ReportElement *a, const ReportElement *b) { return a->top < b->top; });
    for (ReportElement *e : order) {
        if (e->kind != ReportElement::Text || e->text.isEmpty())
            continue;
        QVector<TextLine> lines;
        const double need
            = layoutText(e->text, e->font, 0, 0, e->width, e->alignment, true, &lines);
        if (lines.size() < 2)
            continue;
        const double excess = need - qMax(double(e->height), need / lines.size());
        if (excess <= 0)
            continue;
        const float top = e->top;
        for (ReportElement *below : order) {
            if (below->top <= top)
                continue;
            below->top += float(excess);
            below->y1 += float(excess);
            below->y2 += float(excess);
        }
        s->height += float(excess);
    }
}

void setSize(ReportElement *e, const QString &boxText)
{
    if (const auto size = fontSize(boxText))
        e->font.size = *size;
}

} // namespace

ReceiptLayout::ReceiptLayout(
    const ReceiptSetup &setup, const StoredSale *sale, ReceiptSource source)
    : m_setup(setup)
    , m_sale(sale)
    , m_sample(sampleSale())
    , m_source(source)
{
    design();
}

StoredSale ReceiptLayout::sampleSale()
{
    StoredSale s;
    SaleLine line;
    line.name = SampleName;
    line.quantity = 9;
    line.unitPrice = Currency::fromWhole(99);
    for (int i = 0; i < 5; ++i)
        s.sale.lines.append(line);
    s.time = Clock::now();
    return s;
}

void ReceiptLayout::design()
{
    PageSettings.paperWidth = DesignedPaperWidth;
    PageSettings.paperHeight = DesignedPaperHeight;
    PageSettings.leftMargin = PageSettings.rightMargin = DesignedMargin;
    PageSettings.topMargin = PageSettings.bottomMargin = DesignedMargin;
    PageSettings.gutter = 0;

    ReportSection *h = GroupHeader();
    h->height = 1290;
    text(h, "Label1", 0, 0, 567, 283, 13, Centre);
    text(h, "Label2", 0, 300, 567, 283, 13, Centre);
    text(h, "Label8", 0, 600, 567, 283, 13, Left);
    h->addLine(QStringLiteral("Line1"), 0, 950, 425, 950);
    text(h, "Label3", 0, 992, 1276, 284, 13, Left, false, QStringLiteral("รายการสินค้า"));
    text(h, "Label4", 1276, 992, 992, 284, 13, Right, false, QStringLiteral("จำนวนเงิน"));

    ReportSection *d = Detail();
    d->height = 285;
    text(d, "Field1", 0, 0, QuantityWidth, 283, 13, Left);
    text(d, "Field2", 425, 0, 567, 283, 13, Left);
    text(d, "Field3", 1134, 0, AmountWidth, 283, 13, Right, false, QStringLiteral("999,999.00"))
        ->value
        = ReportValue::Money;

    ReportSection *f = GroupFooter();
    f->height = 2655;
    f->addLine(QStringLiteral("Line2"), 0, 0, 425, 0);
    text(f, "Label7", 0, 142, 2268, 425, 15, Right, true, QStringLiteral("ส่วนลด 9,999.00 บาท"));
    text(f, "Label5", 0, 567, 2268, 425, 15, Right, true,
        QStringLiteral("รวมเป็นเงิน 999,999.00 บาท"));
    text(f, "Label10", 0, 992, 2268, 425, 15, Right, true, QStringLiteral("รับเงินมา 9,999.00 บาท"));
    text(f, "Label11", 0, 1417, 2268, 426, 15, Right, true, QStringLiteral("เงินทอน 9,999.00 บาท"));
    text(f, "Label9", 0, 1843, 2268, 425, 13, Right, true);
    text(f, "Field4", 0, 2290, 2268, 283, 13, Centre);
}

bool ReceiptLayout::showUnitPrice() const
{
    return m_setup.showUnitPrice;
}

QString ReceiptLayout::quantityText(
    const QString &unitPrice, const QString &quantity, bool withPrice)
{
    if (!withPrice)
        return quantity.trimmed();
    // "#,##": whole baht with separators, nothing for a zero price.
    const auto price = Currency::parse(unitPrice);
    const QString shown = price ? price->formatWhole() : unitPrice;
    return shown.trimmed() + QLatin1Char('x') + quantity.trimmed();
}

QString ReceiptLayout::nameText(const QString &name, const QString &description)
{
    return (name.trimmed() + QLatin1Char(' ') + description.trimmed()).trimmed();
}

QString ReceiptLayout::cashText(const QString &cash)
{
    if (cash.trimmed().isEmpty())
        return QStringLiteral("รับเงินมา 0.00 บาท");
    const auto amount = Currency::parse(cash);
    const QString shown = amount ? amount->format() : cash;
    return QStringLiteral("รับเงินมา ") + shown.trimmed() + QStringLiteral(" บาท");
}

void ReceiptLayout::ActiveReport_Initialize()
{
    const ReceiptSetup &b = m_setup;
    PageSettings.orientation = ReportPageSettings::Portrait;
    const Page page = pageFromBoxes(
        { b.paperWidth, b.paperLength, b.topMargin, b.bottomMargin, b.leftMargin, b.rightMargin });
    PageSettings.gutter = page.gutter;
    PageSettings.leftMargin = page.leftMargin;
    PageSettings.rightMargin = page.rightMargin;
    PageSettings.bottomMargin = page.bottomMargin;
    PageSettings.topMargin = page.topMargin;
    PageSettings.paperSize = ReportPageSettings::Custom;
    PageSettings.paperHeight = page.paperHeight;
    PageSettings.paperWidth = page.paperWidth;
    const float W = page.printableWidth();

    ReportElement *Label1 = element(QStringLiteral("Label1"));
    ReportElement *Label2 = element(QStringLiteral("Label2"));
    ReportElement *Label8 = element(QStringLiteral("Label8"));
    ReportElement *Field1 = element(QStringLiteral("Field1"));
    ReportElement *Field2 = element(QStringLiteral("Field2"));
    ReportElement *Field3 = element(QStringLiteral("Field3"));
    ReportElement *Field4 = element(QStringLiteral("Field4"));
    ReportElement *Label9 = element(QStringLiteral("Label9"));

    Label1->text = b.headerLine1.trimmed();
    Label1->width = W;
    Label1->font.bold = b.headerLine1Bold;
    setSize(Label1, b.headerLine1Size);

    Label2->text = b.headerLine2.trimmed();
    Label2->width = W;
    Label2->font.bold = Label8->font.bold = b.headerLine2Bold;
    setSize(Label2, b.headerLine2Size);
    setSize(Label8, b.headerLine2Size);

    Label8->width = W;
    for (const char *name : { "Line1", "Line2" }) {
        ReportElement *line = element(QString::fromLatin1(name));
        line->setLine(line->x1, line->y1, W, line->y2);
    }

    element(QStringLiteral("Label3"))->left = Label1->left;
    element(QStringLiteral("Label4"))->left = Label1->width - AmountOffset;
    for (const char *name : { "Label5", "Field4", "Label7", "Label10", "Label11", "Label9" })
        element(QString::fromLatin1(name))->width = Label2->width;
    Field1->left = Label1->left;
    Field3->left = Label1->width - AmountOffset;

    if (printsSale()) {
        const Sale &sale = m_sale->sale;
        const int rows = int(sale.lines.size());
        m_saleRowCount = rows <= 32767 ? rows : 0;
        const std::optional<Currency> change = saleChange(sale);
        Label8->text = QStringLiteral("ใบเสร็จเลขที่ ") + m_sale->receiptNo.trimmed();
        element(QStringLiteral("Label5"))->text
            = QStringLiteral("รวมเป็นเงิน ") + saleNet(sale).format() + QStringLiteral(" บาท");
        element(QStringLiteral("Label7"))->text
            = QStringLiteral("ส่วนลด ") + saleDiscount(sale).format() + QStringLiteral(" บาท");
        element(QStringLiteral("Label11"))->text = QStringLiteral("เงินทอน ")
            + (change ? change->format() : QStringLiteral("0.00")) + QStringLiteral(" บาท");
        element(QStringLiteral("Label10"))->text
            = cashText(sale.cash ? sale.cash->plain() : QString());
        Field1->width = showUnitPrice() ? PriceAndQuantityWidth : QuantityWidth;
    } else {
        // The sample's lines all read alike: its name, and fixed quantity and amount texts.
        Field2->text = m_sample.sale.lines.value(0).name;
        Label8->text = SampleReceipt;
        Field1->text = showUnitPrice() ? QStringLiteral("99x1") : QStringLiteral("9");
    }

    // A bare quantity is a count; with the unit price before it, it is a text.
    Field1->value = showUnitPrice() ? ReportValue::Text : ReportValue::Count;
    const ItemColumns cols = itemColumns(Label1->width, Field1->width);
    Field2->left = cols.nameLeft;
    Field2->width = cols.nameWidth;

    for (const char *name : { "Label3", "Label4", "Field1", "Field2", "Field3" })
        setSize(element(QString::fromLatin1(name)), b.itemSize);
    for (const char *name : { "Label5", "Label7", "Label10", "Label11" })
        setSize(element(QString::fromLatin1(name)), b.totalsSize);
    setSize(Field4, b.footerSize);

    Field4->text = trimBlanks(b.footer);
    Label9->text = DateText::display(printsSale() ? m_sale->time : m_sample.time);
    const double dateSize = Val(b.totalsSize) - 2;
    if (dateSize > 0)
        Label9->font.size = dateSize;

    makeRoomForWrappedTexts(GroupHeader());
    makeRoomForWrappedTexts(GroupFooter());
}

void ReceiptLayout::ActiveReport_FetchData(bool &eof)
{
    if (printsSale()) {
        ++m_saleRow;
        eof = m_saleRow > m_saleRowCount;
    } else {
        ++m_sampleRow;
        eof = m_sampleRow > m_sample.sale.lines.size();
    }
}

void ReceiptLayout::Detail_Format()
{
    if (!printsSale())
        return;
    const SaleLine &line = m_sale->sale.lines[m_saleRow - 1];
    const QString quantity = QString::number(line.quantity);
    element(QStringLiteral("Field1"))->text
        = quantityText(line.unitPrice.plain(), quantity, showUnitPrice());
    element(QStringLiteral("Field3"))->text = line.amount().format();
    element(QStringLiteral("Field2"))->text = nameText(line.name, line.description);
}
