#pragma once
#include "records/Blanks.h"
#include "records/Codes.h"
#include "records/Currency.h"
#include <QList>
#include <QString>
#include <optional>

class Connection;

// The background of a sale line's unit-price cell tells how the wholesale rule priced it.
constexpr unsigned WholesaleColour = rgbValue(215, 159, 158); // 10395607
constexpr unsigned ListPriceColour = rgbValue(205, 208, 155); // 10211533

// One product as the sale counter sees it, with the name of its counting unit.
struct SaleProduct
{
    qint64 pk = 0;
    QString code;
    QString name;
    QString description;
    QString unit;
    Currency sell, special1, special2, cost;
    bool wholesale = false;
    std::optional<qint64> wholesaleQty; // empty: never reached
    Currency wholesalePrice;
    QString picture;
    qint64 stock = 0;

    Currency price(PriceType type) const;
};

// The code box's cleaning: ' % and * are taken out.
QString cleanProductCode(const QString &typed);

// Exact, case-insensitive match on the code (blanks trimmed); only products whose unit row
// exists are found. Throws DbError.
std::optional<SaleProduct> findProductByCode(Connection &conn, const QString &code);

// How the wholesale rule prices a line of `quantity`; nullopt when the product has no
// wholesale switch (the line keeps its price and colour).
struct RuledPrice
{
    Currency unitPrice;
    unsigned colour = 0;
};
std::optional<RuledPrice> wholesaleRule(const SaleProduct &p, qint64 quantity, PriceType type);

// The sale's figures as the totals panel shows them.
enum class DiscountType { Percent = 0, Baht = 1 };
struct SaleTotals
{
    Currency total;
    Currency discount; // in baht, as the hidden discount box shows it
    Currency net;
};
// `figure` is the discount as typed (percent or baht); zero means none. A percent discount is
// rounded to the satang once, and the net is the total less that amount, rounded as shown.
SaleTotals computeTotals(const QList<Currency> &amounts, Currency figure, DiscountType type);
// As above with the discount box's text; empty means no discount.
SaleTotals computeTotals(
    const QList<Currency> &amounts, const QString &discountText, DiscountType type);
// Change text for the cash box and the net label; "0.00" while the cash is empty or no number.
QString changeText(const QString &cashText, const QString &netText);
