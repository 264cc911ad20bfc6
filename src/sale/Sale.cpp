#include "sale/Sale.h"
#include "records/Blanks.h"
#include "records/Val.h"

namespace {

// The wholesale rule on one line; a product without the switch leaves the line as it is.
void applyWholesaleRule(SaleLine &line, const SaleProduct &p, PriceType type)
{
    if (const auto ruled = wholesaleRule(p, line.quantity, type)) {
        line.unitPrice = ruled->unitPrice;
        line.mark = ruled->colour == WholesaleColour ? PriceMark::Wholesale : PriceMark::ListPrice;
    }
}

} // namespace

int lineOfProduct(const Sale &sale, qint64 productKey)
{
    for (int i = 0; i < sale.lines.size(); ++i)
        if (sale.lines[i].productKey == productKey)
            return i;
    return -1;
}

int addProduct(Sale &sale, const SaleProduct &p)
{
    if (const int i = lineOfProduct(sale, p.pk); i >= 0) {
        SaleLine &line = sale.lines[i];
        ++line.quantity;
        applyWholesaleRule(line, p, sale.priceType);
        return i;
    }
    SaleLine line;
    line.productKey = p.pk;
    line.code = p.code;
    line.name = p.name;
    line.description = p.description;
    line.unit = p.unit;
    line.quantity = 1;
    line.unitPrice = p.price(sale.priceType);
    line.cost = p.cost;
    line.picture = p.picture;
    sale.lines.prepend(line);
    return 0;
}

void changeQuantity(
    Sale &sale, int index, qint64 quantity, const std::optional<SaleProduct> &product)
{
    SaleLine &line = sale.lines[index];
    if (!product)
        throw SaleRuleError(QStringLiteral("ไม่พบสินค้า ( รหัสสินค้า = ") + trimBlanks(line.code)
            + QStringLiteral(" ) ในคลังสินค้า ระบบจึงไม่สามารถ คำนวณราคาสินค้ารายการนี้ใหม่ได้"));
    line.quantity = quantity;
    applyWholesaleRule(line, *product, sale.priceType);
}

void removeLine(Sale &sale, int index)
{
    if (index >= 0 && index < sale.lines.size())
        sale.lines.removeAt(index);
}

namespace {
SaleTotals totalsOf(const Sale &sale)
{
    QList<Currency> amounts;
    amounts.reserve(sale.lines.size());
    for (const SaleLine &l : sale.lines)
        amounts.append(l.amount());
    return computeTotals(amounts, sale.discountFigure, sale.discountType);
}
} // namespace

Currency saleTotal(const Sale &sale)
{
    return totalsOf(sale).total;
}

Currency saleDiscount(const Sale &sale)
{
    return totalsOf(sale).discount;
}

Currency saleNet(const Sale &sale)
{
    return totalsOf(sale).net;
}

std::optional<Currency> saleChange(const Sale &sale)
{
    if (!sale.cash)
        return std::nullopt;
    return *sale.cash - saleNet(sale);
}

bool hasWholesaleLine(const Sale &sale)
{
    for (const SaleLine &l : sale.lines)
        if (l.soldWholesale())
            return true;
    return false;
}

Currency discountFigureFromText(const QString &typed)
{
    return trimBlanks(typed).isEmpty() ? Currency() : Currency::fromDouble(Val(typed));
}

std::optional<Currency> cashFromText(const QString &typed)
{
    if (trimBlanks(typed).isEmpty())
        return std::nullopt;
    return Currency::parse(typed);
}
