#pragma once
#include <QDateTime>

// The program's idea of "now". Tests fix it so receipt numbers and file names are predictable.
class Clock
{
public:
    static QDateTime now();
    static QDate today() { return now().date(); }
    static void setFixed(const QDateTime &t); // an invalid value returns to the real clock
    static void clearFixed() { setFixed(QDateTime()); }
};
