#pragma once
#include "records/Codes.h"
#include "records/Currency.h"
#include "sale/SaleRules.h"
#include <QList>
#include <QString>
#include <optional>
#include <stdexcept>

// How the wholesale rule last priced a line: the mark the grid shows on its unit price.
enum class PriceMark { None, Wholesale, ListPrice };

// One line of a sale.
struct SaleLine
{
    qint64 productKey = 0; // tblProduct.PK
    qint64 storedKey = 0; // tblLog.LPK of a stored bill's line loaded for a return; 0 otherwise
    QString code;
    QString name; // the product name, without the blank the grid and the stored line put before it
    QString description;
    QString unit;
    qint64 quantity = 0;
    Currency unitPrice;
    Currency cost;
    QString picture; // picture file name in data/pic
    PriceMark mark = PriceMark::None;

    bool soldWholesale() const { return mark == PriceMark::Wholesale; }
    Currency amount() const { return unitPrice * quantity; }
};

// One customer's sale: lines (index 0 is the top line, the one entered last), the price list,
// the discount and the cash received. Plain data; its rules are the functions below.
struct Sale
{
    QList<SaleLine> lines;
    PriceType priceType = PriceType::Normal;
    DiscountType discountType = DiscountType::Baht;
    Currency discountFigure; // percent or baht as typed; zero: no discount
    std::optional<Currency> cash; // nullopt: nothing (or no number) typed

    bool isEmpty() const { return lines.isEmpty(); }
};

// A rule that cannot be applied; its text is for the cashier.
class SaleRuleError : public std::runtime_error
{
public:
    explicit SaleRuleError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    { }
    QString text() const { return m_text; }

private:
    QString m_text;
};

// The line index (0 on top) holding the product, or -1.
int lineOfProduct(const Sale &sale, qint64 productKey);

// One more unit of a product: a line already on the sale gets one more and the wholesale rule
// prices it; a new line goes on top at the price list's price (the rule waits for the second
// unit). Returns the index of the line.
int addProduct(Sale &sale, const SaleProduct &product);

// A new quantity for line `index`, priced again by the wholesale rule from the product as
// stored now. A line whose product has no wholesale switch keeps its price. Throws
// SaleRuleError when the product is gone (nothing changes then).
void changeQuantity(
    Sale &sale, int index, qint64 quantity, const std::optional<SaleProduct> &product);

// Line `index` goes; the lines below move up.
void removeLine(Sale &sale, int index);

// The figures of the totals panel.
Currency saleTotal(const Sale &sale);
// The discount in baht: a percent discount is rounded to the satang once.
Currency saleDiscount(const Sale &sale);
// Total less the discount, as the money format shows it.
Currency saleNet(const Sale &sale);
// Cash less the net; nullopt while no cash is typed.
std::optional<Currency> saleChange(const Sale &sale);
// True when a line is priced at the wholesale price (tblLog.Lsong).
bool hasWholesaleLine(const Sale &sale);

// Reads the discount box: the number it starts with; empty or no number is no discount.
Currency discountFigureFromText(const QString &typed);
// Reads the cash box.
std::optional<Currency> cashFromText(const QString &typed);
