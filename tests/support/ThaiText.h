#pragma once
#include <QRegularExpression>
#include <QString>

// What is left of a message's Latin letters once its codes are taken out: words holding a
// digit (AB1, COM7, INV-670500001), table names (tblNumber) and file paths. Empty when the
// message speaks Thai throughout.
inline QString latinOutsideCodes(QString text)
{
    static const QRegularExpression path(QStringLiteral("/[^\\s'()]*"));
    static const QRegularExpression table(QStringLiteral("\\btbl[A-Za-z0-9]+"));
    static const QRegularExpression code(QStringLiteral("[A-Za-z0-9_\\-]*[0-9][A-Za-z0-9_\\-]*"));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]+"));
    text.remove(path).remove(table).remove(code);
    QString rest;
    auto it = latin.globalMatch(text);
    while (it.hasNext())
        rest += it.next().captured() + QLatin1Char(' ');
    return rest.trimmed();
}

inline bool hasThai(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x0E00 && c.unicode() <= 0x0E7F)
            return true;
    return false;
}
