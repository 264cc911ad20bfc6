#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QString>

// Dates are stored ISO and shown in the system's general and short date forms.
namespace DateText {
QString storage(const QDateTime &t); // yyyy-MM-dd HH:mm:ss
QString storageDate(const QDate &d); // yyyy-MM-dd
QString display(const QDateTime &t); // dd/MM/yyyy HH:mm:ss
QString displayDate(const QDate &d); // dd/MM/yyyy
QDateTime fromStorage(const QString &s); // a date alone reads as its midnight
QDate dateFromStorage(const QString &s);
QDateTime fromDisplay(const QString &s);
QDate dateFromDisplay(const QString &s);
// Storage text to display text: date-times keep their time, dates stay dates.
QString storageToDisplay(const QString &s);
// The same on UTF-8 text; a well-formed date and time is rearranged without a string between.
QByteArray storageToDisplayUtf8(QByteArrayView s);
} // namespace DateText

// The last two digits of the Buddhist-era year (Gregorian + 543).
QString ShortBuddhistYear(int gregorianYear);
// The default of the year boxes: the current Gregorian year.
int CurrentGregorianYear();
