#include "Currency.h"
#include <QLocale>
#include <cmath>
#include <cstring>

int64_t roundHalfEven(long double v)
{
    long double fl = std::floor(v);
    const long double diff = v - fl;
    int64_t r = int64_t(fl);
    // Values within a hair of the half are halves: doubles cannot hold most decimal halves exactly.
    constexpr long double eps = 1e-9L;
    if (diff > 0.5L + eps)
        return r + 1;
    if (diff < 0.5L - eps)
        return r;
    return (r % 2 == 0) ? r : r + 1;
}

Currency Currency::fromDouble(double v)
{
    // Most stored amounts are read here, a year of sale lines several times each: in doubles
    // first. Below 2^31 units the double product is within 2^-23 of the long one, so where it
    // lies more than 1e-6 from a half it rounds to the same whole number; nearer a half, and
    // for anything larger or not a number, the long product decides.
    const double units = v * 10000.0;
    if (units > -2147483648.0 && units < 2147483648.0) {
        const int64_t t = int64_t(units);
        const int64_t whole = t - (units < double(t) ? 1 : 0);
        const double fraction = units - double(whole);
        if (fraction < 0.5 - 1e-6)
            return fromUnits(whole);
        if (fraction > 0.5 + 1e-6)
            return fromUnits(whole + 1);
    }
    return fromUnits(roundHalfEven((long double)v * 10000.0L));
}

std::optional<Currency> Currency::parse(const QString &text)
{
    QString t;
    t.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char(',') || c.isSpace())
            continue;
        t += c;
    }
    if (t.isEmpty())
        return std::nullopt;
    bool neg = false;
    int i = 0;
    if (t[0] == QLatin1Char('-') || t[0] == QLatin1Char('+')) {
        neg = t[0] == QLatin1Char('-');
        i = 1;
    }
    // Trailing minus, as in "5-", is not money.
    int64_t whole = 0;
    int digits = 0;
    for (; i < t.size() && t[i].isDigit(); ++i, ++digits) {
        whole = whole * 10 + t[i].digitValue();
        if (whole > 900000000000000LL)
            return std::nullopt;
    }
    int64_t frac = 0;
    int fracDigits = 0;
    int roundDigit = -1;
    bool stickyNonZero = false;
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        ++i;
        for (; i < t.size() && t[i].isDigit(); ++i, ++digits) {
            if (fracDigits < 4) {
                frac = frac * 10 + t[i].digitValue();
                ++fracDigits;
            } else if (roundDigit < 0) {
                roundDigit = t[i].digitValue();
            } else if (t[i].digitValue() != 0) {
                stickyNonZero = true;
            }
        }
    }
    if (i != t.size() || digits == 0)
        return std::nullopt;
    while (fracDigits < 4) {
        frac *= 10;
        ++fracDigits;
    }
    int64_t units = whole * 10000 + frac;
    if (roundDigit > 5 || (roundDigit == 5 && (stickyNonZero || (units % 2) != 0)))
        ++units;
    return fromUnits(neg ? -units : units);
}

namespace {
QString groupThousands(uint64_t v)
{
    QString s = QString::number(v);
    for (int pos = int(s.size()) - 3; pos > 0; pos -= 3)
        s.insert(pos, QLatin1Char(','));
    return s;
}
} // namespace

int Currency::formatInto(char (&out)[32]) const
{
    const bool neg = m_units < 0;
    const uint64_t a = neg ? uint64_t(-m_units) : uint64_t(m_units);
    uint64_t cents = (a + 50) / 100; // halves away from zero
    const bool minus = neg && cents != 0;
    // Written from the end: two decimals, the point, then digits in groups of three.
    char *end = out + sizeof out;
    char *p = end;
    *--p = char('0' + cents % 10);
    cents /= 10;
    *--p = char('0' + cents % 10);
    cents /= 10;
    *--p = '.';
    int digits = 0;
    do {
        if (digits != 0 && digits % 3 == 0)
            *--p = ',';
        *--p = char('0' + cents % 10);
        cents /= 10;
        ++digits;
    } while (cents != 0);
    if (minus)
        *--p = '-';
    const int n = int(end - p);
    std::memmove(out, p, size_t(n));
    return n;
}

QString Currency::format() const
{
    char text[32];
    const int n = formatInto(text);
    return QString::fromLatin1(text, n);
}

QString Currency::formatWhole() const
{
    const bool neg = m_units < 0;
    const uint64_t a = neg ? uint64_t(-m_units) : uint64_t(m_units);
    const uint64_t whole = (a + 5000) / 10000;
    if (whole == 0)
        return QString();
    const QString s = groupThousands(whole);
    return neg ? QLatin1Char('-') + s : s;
}

QString Currency::plain() const
{
    const bool neg = m_units < 0;
    const uint64_t a = neg ? uint64_t(-m_units) : uint64_t(m_units);
    QString s = QString::number(a / 10000);
    uint64_t frac = a % 10000;
    if (frac) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += QLatin1Char('.') + f;
    }
    return neg ? QLatin1Char('-') + s : s;
}

Currency Currency::operator*(Currency o) const
{
    return fromUnits(roundHalfEven((long double)m_units * (long double)o.m_units / 10000.0L));
}

Currency Currency::times(double factor) const
{
    return fromUnits(roundHalfEven((long double)m_units * (long double)factor));
}

Currency Currency::dividedBy(double divisor) const
{
    return fromUnits(roundHalfEven((long double)m_units / (long double)divisor));
}

int64_t wholeBahtOfShown(Currency amount)
{
    const Currency shown = Currency::fromText(amount.format());
    return roundHalfEven((long double)shown.units() / 10000.0L);
}
