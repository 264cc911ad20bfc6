#include "TextMatch.h"

QString likeContains(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('%');
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    out += QLatin1Char('%');
    return out;
}
