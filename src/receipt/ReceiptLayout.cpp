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
    text(h, "headerLine1", 0, 0, 567, 283, 13, Centre);
    text(h, "headerLine2", 0, 300, 567, 283, 13, Centre);
    text(h, "receiptNumber", 0, 600, 567, 283, 13, Left);
    h->addLine(QStringLiteral("headerRule"), 0, 950, 425, 950);
    text(h, "itemsHeading", 0, 992, 1276, 284, 13, Left, false, QStringLiteral("รายการสินค้า"));
    text(h, "amountHeading", 1276, 992, 992, 284, 13, Right, false, QStringLiteral("จำนวนเงิน"));

    ReportSection *d = Detail();
    d->height = 285;
    text(d, "quantity", 0, 0, QuantityWidth, 283, 13, Left);
    text(d, "itemName", 425, 0, 567, 283, 13, Left);
    text(d, "amount", 1134, 0, AmountWidth, 283, 13, Right, false, QStringLiteral("999,999.00"))
        ->value
        = ReportValue::Money;

    ReportSection *f = GroupFooter();
    f->height = 2655;
    f->addLine(QStringLiteral("totalsRule"), 0, 0, 425, 0);
    text(f, "discount", 0, 142, 2268, 425, 15, Right, true, QStringLiteral("ส่วนลด 9,999.00 บาท"));
    text(
        f, "total", 0, 567, 2268, 425, 15, Right, true, QStringLiteral("รวมเป็นเงิน 999,999.00 บาท"));
    text(f, "cash", 0, 992, 2268, 425, 15, Right, true, QStringLiteral("รับเงินมา 9,999.00 บาท"));
    text(f, "change", 0, 1417, 2268, 426, 15, Right, true, QStringLiteral("เงินทอน 9,999.00 บาท"));
    text(f, "saleTime", 0, 1843, 2268, 425, 13, Right, true);
    text(f, "footer", 0, 2290, 2268, 283, 13, Centre);
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

void ReceiptLayout::prepareReport()
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

    ReportElement *headerLine1 = element(QStringLiteral("headerLine1"));
    ReportElement *headerLine2 = element(QStringLiteral("headerLine2"));
    ReportElement *receiptNumber = element(QStringLiteral("receiptNumber"));
    ReportElement *quantity = element(QStringLiteral("quantity"));
    ReportElement *itemName = element(QStringLiteral("itemName"));
    ReportElement *amount = element(QStringLiteral("amount"));
    ReportElement *footer = element(QStringLiteral("footer"));
    ReportElement *saleTime = element(QStringLiteral("saleTime"));

    headerLine1->text = b.headerLine1.trimmed();
    headerLine1->width = W;
    headerLine1->font.bold = b.headerLine1Bold;
    setSize(headerLine1, b.headerLine1Size);

    headerLine2->text = b.headerLine2.trimmed();
    headerLine2->width = W;
    headerLine2->font.bold = receiptNumber->font.bold = b.headerLine2Bold;
    setSize(headerLine2, b.headerLine2Size);
    setSize(receiptNumber, b.headerLine2Size);

    receiptNumber->width = W;
    for (const char *name : { "headerRule", "totalsRule" }) {
        ReportElement *line = element(QString::fromLatin1(name));
        line->setLine(line->x1, line->y1, W, line->y2);
    }

    element(QStringLiteral("itemsHeading"))->left = headerLine1->left;
    element(QStringLiteral("amountHeading"))->left = headerLine1->width - AmountOffset;
    for (const char *name : { "total", "footer", "discount", "cash", "change", "saleTime" })
        element(QString::fromLatin1(name))->width = headerLine2->width;
    quantity->left = headerLine1->left;
    amount->left = headerLine1->width - AmountOffset;

    if (printsSale()) {
        const Sale &sale = m_sale->sale;
        const int rows = int(sale.lines.size());
        m_saleRowCount = rows <= 32767 ? rows : 0;
        const std::optional<Currency> change = saleChange(sale);
        receiptNumber->text = QStringLiteral("ใบเสร็จเลขที่ ") + m_sale->receiptNo.trimmed();
        element(QStringLiteral("total"))->text
            = QStringLiteral("รวมเป็นเงิน ") + saleNet(sale).format() + QStringLiteral(" บาท");
        element(QStringLiteral("discount"))->text
            = QStringLiteral("ส่วนลด ") + saleDiscount(sale).format() + QStringLiteral(" บาท");
        element(QStringLiteral("change"))->text = QStringLiteral("เงินทอน ")
            + (change ? change->format() : QStringLiteral("0.00")) + QStringLiteral(" บาท");
        element(QStringLiteral("cash"))->text
            = cashText(sale.cash ? sale.cash->plain() : QString());
        quantity->width = showUnitPrice() ? PriceAndQuantityWidth : QuantityWidth;
    } else {
        // The sample's lines all read alike: its name, and fixed quantity and amount texts.
        itemName->text = m_sample.sale.lines.value(0).name;
        receiptNumber->text = SampleReceipt;
        quantity->text = showUnitPrice() ? QStringLiteral("99x1") : QStringLiteral("9");
    }

    // A bare quantity is a count; with the unit price before it, it is a text.
    quantity->value = showUnitPrice() ? ReportValue::Text : ReportValue::Count;
    const ItemColumns cols = itemColumns(headerLine1->width, quantity->width);
    itemName->left = cols.nameLeft;
    itemName->width = cols.nameWidth;

    for (const char *name : { "itemsHeading", "amountHeading", "quantity", "itemName", "amount" })
        setSize(element(QString::fromLatin1(name)), b.itemSize);
    for (const char *name : { "total", "discount", "cash", "change" })
        setSize(element(QString::fromLatin1(name)), b.totalsSize);
    setSize(footer, b.footerSize);

    footer->text = trimBlanks(b.footer);
    saleTime->text = DateText::display(printsSale() ? m_sale->time : m_sample.time);
    const double dateSize = Val(b.totalsSize) - 2;
    if (dateSize > 0)
        saleTime->font.size = dateSize;

    makeRoomForWrappedTexts(GroupHeader());
    makeRoomForWrappedTexts(GroupFooter());
}

void ReceiptLayout::fetchRow(bool &eof)
{
    if (printsSale()) {
        ++m_saleRow;
        eof = m_saleRow > m_saleRowCount;
    } else {
        ++m_sampleRow;
        eof = m_sampleRow > m_sample.sale.lines.size();
    }
}

void ReceiptLayout::formatDetail()
{
    if (!printsSale())
        return;
    const SaleLine &line = m_sale->sale.lines[m_saleRow - 1];
    const QString quantity = QString::number(line.quantity);
    element(QStringLiteral("quantity"))->text
        = quantityText(line.unitPrice.plain(), quantity, showUnitPrice());
    element(QStringLiteral("amount"))->text = line.amount().format();
    element(QStringLiteral("itemName"))->text = nameText(line.name, line.description);
}
