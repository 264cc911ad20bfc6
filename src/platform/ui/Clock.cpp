#include "Clock.h"

namespace {
QDateTime &fixedNow()
{
    static QDateTime t;
    return t;
}
} // namespace

QDateTime Clock::now()
{
    const QDateTime &f = fixedNow();
    if (f.isValid())
        return f;
    const QDateTime n = QDateTime::currentDateTime();
    // Whole seconds: stored date-times carry no fraction.
    return n.addMSecs(-n.time().msec());
}

void Clock::setFixed(const QDateTime &t)
{
    fixedNow() = t;
}
