#include "DateText.h"
#include "platform/ui/Clock.h"

namespace DateText {
QString storage(const QDateTime &t) { return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }
QString storageDate(const QDate &d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
QString display(const QDateTime &t) { return t.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")); }
QString displayDate(const QDate &d) { return d.toString(QStringLiteral("dd/MM/yyyy")); }

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

QString storageToDisplay(const QString &s)
{
    const QString t = s.trimmed();
    if (t.size() <= 10)
        return displayDate(dateFromStorage(t));
    return display(fromStorage(t));
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
