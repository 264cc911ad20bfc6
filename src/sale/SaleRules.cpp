#include "SaleRules.h"
#include "platform/db/Connection.h"
#include "records/Val.h"

Currency SaleProduct::price(PriceType type) const
{
    switch (type) {
    case PriceType::Special1:
        return special1;
    case PriceType::Special2:
        return special2;
    case PriceType::Normal:
        break;
    }
    return sell;
}

QString cleanProductCode(const QString &typed)
{
    QString s = typed;
    s.remove(QLatin1Char('\''));
    s.remove(QLatin1Char('%'));
    s.remove(QLatin1Char('*'));
    return s;
}

std::optional<SaleProduct> findProductByCode(Connection &conn, const QString &code)
{
    // PDsn is NOCASE with a unique index: this is one index probe.
    Recordset rs = conn.query(
        QStringLiteral("SELECT p.PK, p.PDsn, p.PDname, p.PDdes, p.PDvalue, p.PDsell, p.Praka1, "
                       "p.Praka2, p.PDraka, p.PSong, p.PNumSong, p.PRakaSong, p.PDpic, n.nName "
                       "FROM tblProduct p INNER JOIN tblNub n ON p.NubFK = n.nPK "
                       "WHERE p.PDsn = ?1 LIMIT 1"),
        { trimBlanks(code) });
    if (rs.eof())
        return std::nullopt;
    SaleProduct p;
    p.pk = rs.integer(0);
    p.code = rs.text(1);
    p.name = rs.text(2);
    p.description = rs.text(3);
    p.stock = rs.integer(4);
    p.sell = Currency::fromDouble(rs.real(5));
    p.special1 = Currency::fromDouble(rs.real(6));
    p.special2 = Currency::fromDouble(rs.real(7));
    p.cost = Currency::fromDouble(rs.real(8));
    p.wholesale = rs.integer(9) != 0;
    if (!rs.value(10).isNull() && !trimBlanks(rs.text(10)).isEmpty())
        p.wholesaleQty = rs.integer(10);
    p.wholesalePrice = Currency::fromDouble(rs.real(11));
    p.picture = rs.text(12);
    p.unit = rs.text(13);
    return p;
}

std::optional<RuledPrice> wholesaleRule(const SaleProduct &p, qint64 quantity, PriceType type)
{
    if (!p.wholesale)
        return std::nullopt;
    if (p.wholesaleQty && quantity >= *p.wholesaleQty)
        return RuledPrice { p.wholesalePrice, WholesaleColour };
    return RuledPrice { p.price(type), ListPriceColour };
}

namespace {
// The money format rounds to two decimals; the net is that text read back.
Currency roundedAsShown(Currency c)
{
    return Currency::fromText(c.format());
}
} // namespace

SaleTotals computeTotals(const QList<Currency> &amounts, Currency figure, DiscountType type)
{
    SaleTotals t;
    for (const Currency &a : amounts)
        t.total += a;
    if (type == DiscountType::Baht)
        t.discount = figure;
    else
        t.discount = roundedAsShown(t.total.times(figure.toDouble()).dividedBy(100.0));
    t.net = roundedAsShown(t.total - t.discount);
    return t;
}

SaleTotals computeTotals(
    const QList<Currency> &amounts, const QString &discountText, DiscountType type)
{
    const Currency figure
        = discountText.isEmpty() ? Currency() : Currency::fromDouble(Val(discountText));
    return computeTotals(amounts, figure, type);
}

QString changeText(const QString &cashText, const QString &netText)
{
    if (trimBlanks(cashText).isEmpty())
        return QStringLiteral("0.00");
    const auto cash = Currency::parse(cashText);
    if (!cash)
        return QStringLiteral("0.00");
    return (*cash - Currency::fromText(netText)).format();
}
