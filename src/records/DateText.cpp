#include "DateText.h"
#include "platform/ui/Clock.h"
#include <algorithm>
#include <optional>

namespace DateText {
QString storage(const QDateTime &t)
{
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
QString storageDate(const QDate &d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}
QString display(const QDateTime &t)
{
    return t.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}
QString displayDate(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

QDateTime fromStorage(const QString &s)
{
    const QString t = s.trimmed();
    if (t.size() <= 10)
        return QDateTime(dateFromStorage(t), QTime(0, 0));
    return QDateTime::fromString(t.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDate dateFromStorage(const QString &s)
{
    return QDate::fromString(s.trimmed().left(10), QStringLiteral("yyyy-MM-dd"));
}

QDateTime fromDisplay(const QString &s)
{
    const QString t = s.trimmed();
    if (t.size() <= 10)
        return QDateTime(dateFromDisplay(t), QTime(0, 0));
    return QDateTime::fromString(t, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

QDate dateFromDisplay(const QString &s)
{
    return QDate::fromString(s.trimmed(), QStringLiteral("dd/MM/yyyy"));
}

// Digits of t from `at`, `n` of them, or -1.
static int digitsAt(const QString &t, int at, int n)
{
    int v = 0;
    for (int i = at; i < at + n; ++i) {
        const QChar c = t[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

// A well-formed storage text is only rearranged: no time-zone work, which grids of many
// dates would otherwise pay for every cell.
static std::optional<QString> rearranged(const QString &t)
{
    if (t.size() != 10 && t.size() != 19)
        return std::nullopt;
    if (t[4] != QLatin1Char('-') || t[7] != QLatin1Char('-'))
        return std::nullopt;
    if (!QDate::isValid(digitsAt(t, 0, 4), digitsAt(t, 5, 2), digitsAt(t, 8, 2)))
        return std::nullopt;
    QString out = t.mid(8, 2) + QLatin1Char('/') + t.mid(5, 2) + QLatin1Char('/') + t.left(4);
    if (t.size() == 10)
        return out;
    if (t[10] != QLatin1Char(' ') || t[13] != QLatin1Char(':') || t[16] != QLatin1Char(':'))
        return std::nullopt;
    if (!QTime::isValid(digitsAt(t, 11, 2), digitsAt(t, 14, 2), digitsAt(t, 17, 2)))
        return std::nullopt;
    return out + t.mid(10);
}

QString storageToDisplay(const QString &s)
{
    const QString t = s.trimmed();
    if (const std::optional<QString> r = rearranged(t))
        return *r;
    if (t.size() <= 10)
        return displayDate(dateFromStorage(t));
    return display(fromStorage(t));
}

QByteArray storageToDisplayUtf8(QByteArrayView s)
{
    auto digits = [&](int at, int n) {
        int v = 0;
        for (int i = at; i < at + n; ++i) {
            if (s[i] < '0' || s[i] > '9')
                return -1;
            v = v * 10 + (s[i] - '0');
        }
        return v;
    };
    if (s.size() == 19 && s[4] == '-' && s[7] == '-' && s[10] == ' ' && s[13] == ':' && s[16] == ':'
        && QDate::isValid(digits(0, 4), digits(5, 2), digits(8, 2))
        && QTime::isValid(digits(11, 2), digits(14, 2), digits(17, 2))) {
        QByteArray out(19, Qt::Uninitialized);
        char *o = out.data();
        const char *d = s.data();
        const char order[] = { 8, 9, '/', 5, 6, '/', 0, 1, 2, 3 };
        for (int i = 0; i < 10; ++i)
            o[i] = order[i] == '/' ? '/' : d[int(order[i])];
        std::copy(d + 10, d + 19, o + 10);
        return out;
    }
    return storageToDisplay(QString::fromUtf8(s)).toUtf8();
}
} // namespace DateText

QString ShortBuddhistYear(int gregorianYear)
{
    return QStringLiteral("%1").arg((gregorianYear + 543) % 100, 2, 10, QLatin1Char('0'));
}

int CurrentGregorianYear()
{
    return Clock::today().year();
}
