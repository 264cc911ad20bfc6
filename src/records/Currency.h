#pragma once
#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

// Exact money: a whole number of ten-thousandths of a baht.
class Currency
{
public:
    constexpr Currency() = default;
    static constexpr Currency fromUnits(int64_t tenThousandths)
    {
        Currency c;
        c.m_units = tenThousandths;
        return c;
    }
    static constexpr Currency fromWhole(int64_t baht) { return fromUnits(baht * 10000); }
    // Half-even at the fourth decimal, as a currency conversion does.
    static Currency fromDouble(double v);
    // Shown text back to money: thousands separators and blanks are ignored. nullopt when the
    // text is no number.
    static std::optional<Currency> parse(const QString &text);
    // As parse(), 0 for text that is no number.
    static Currency fromText(const QString &text) { return parse(text).value_or(Currency()); }

    int64_t units() const { return m_units; }
    double toDouble() const { return double(m_units) / 10000.0; }
    bool isZero() const { return m_units == 0; }

    // "#,##0.00": halves away from zero.
    QString format() const;
    // The same text as format(), written into `out` without a heap string (for filling big
    // grids); returns its length.
    int formatInto(char (&out)[32]) const;
    // "#,##": whole baht with separators, nothing at all for zero.
    QString formatWhole() const;
    // Plain number text for storage or a grid cell that is read back ("1250.5").
    QString plain() const;

    Currency operator+(Currency o) const { return fromUnits(m_units + o.m_units); }
    Currency operator-(Currency o) const { return fromUnits(m_units - o.m_units); }
    Currency operator-() const { return fromUnits(-m_units); }
    Currency &operator+=(Currency o)
    {
        m_units += o.m_units;
        return *this;
    }
    Currency &operator-=(Currency o)
    {
        m_units -= o.m_units;
        return *this;
    }
    Currency operator*(int64_t n) const { return fromUnits(m_units * n); }
    // Product of two amounts, half-even at the fourth decimal.
    Currency operator*(Currency o) const;
    // Amount times a plain number (a percentage rate, a quantity read as a number).
    Currency times(double factor) const;
    // Amount divided by a plain number, half-even at the fourth decimal.
    Currency dividedBy(double divisor) const;
    auto operator<=>(const Currency &) const = default;

private:
    int64_t m_units = 0;
};

// Rounds a scaled value half to even.
int64_t roundHalfEven(long double v);

// An amount as whole baht the way the sales charts and the ranking count discounts: first
// shown to the satang ("#,##0.00"), then rounded to the baht with halves to even (12.50 gives
// 12, 13.50 gives 14).
int64_t wholeBahtOfShown(Currency amount);
