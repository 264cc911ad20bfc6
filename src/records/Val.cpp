#include "Val.h"
#include "Currency.h"
#include <cmath>

double Val(const QString &text)
{
    QString t;
    t.reserve(text.size());
    for (QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n')
            && c != QLatin1Char('\r'))
            t += c;
    int i = 0;
    QString n;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        n += t[i++];
    bool digits = false;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
        n += t[i++];
        digits = true;
    }
    if (i < t.size() && t[i] == QLatin1Char('.')) {
        n += t[i++];
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128) {
            n += t[i++];
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    if (i < t.size()
        && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E') || t[i] == QLatin1Char('d')
            || t[i] == QLatin1Char('D'))) {
        int j = i + 1;
        QString e = QStringLiteral("e");
        if (j < t.size() && (t[j] == QLatin1Char('-') || t[j] == QLatin1Char('+')))
            e += t[j++];
        bool expDigits = false;
        while (j < t.size() && t[j].isDigit() && t[j].unicode() < 128) {
            e += t[j++];
            expDigits = true;
        }
        if (expDigits)
            n += e;
    }
    return n.toDouble();
}

int64_t toWholeNumber(const QString &text, bool *ok)
{
    const auto c = Currency::parse(text);
    if (ok)
        *ok = c.has_value();
    if (!c)
        return 0;
    return roundHalfEven((long double)c->units() / 10000.0L);
}
