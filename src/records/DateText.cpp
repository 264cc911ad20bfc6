#include "DateText.h"
#include "platform/ui/Clock.h"
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

static int unitAt(QStringView t, int i)
{
    return t[i].unicode();
}
static int unitAt(QByteArrayView t, int i)
{
    return uchar(t[i]);
}

// Digits of t from `at`, `n` of them, or -1.
template <typename Text> static int digitsAt(Text t, int at, int n)
{
    int v = 0;
    for (int i = at; i < at + n; ++i) {
        const int c = unitAt(t, i);
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

// A well-formed storage text (a valid "yyyy-MM-dd", with or without " HH:mm:ss") is only
// rearranged: no time-zone work, which grids of many dates would otherwise pay for every cell.
template <typename Text> static bool wellFormed(Text t)
{
    if (t.size() != 10 && t.size() != 19)
        return false;
    if (unitAt(t, 4) != '-' || unitAt(t, 7) != '-')
        return false;
    if (!QDate::isValid(digitsAt(t, 0, 4), digitsAt(t, 5, 2), digitsAt(t, 8, 2)))
        return false;
    if (t.size() == 10)
        return true;
    if (unitAt(t, 10) != ' ' || unitAt(t, 13) != ':' || unitAt(t, 16) != ':')
        return false;
    return QTime::isValid(digitsAt(t, 11, 2), digitsAt(t, 14, 2), digitsAt(t, 17, 2));
}

static std::optional<QString> rearranged(const QString &t)
{
    if (!wellFormed(QStringView(t)))
        return std::nullopt;
    return t.mid(8, 2) + QLatin1Char('/') + t.mid(5, 2) + QLatin1Char('/') + t.left(4) + t.mid(10);
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
    if (!wellFormed(s))
        return storageToDisplay(QString::fromUtf8(s)).toUtf8();
    QByteArray out;
    out.reserve(s.size());
    out.append(s.sliced(8, 2)).append('/').append(s.sliced(5, 2)).append('/');
    out.append(s.first(4)).append(s.sliced(10));
    return out;
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
