#include "Formats.h"
#include "DateText.h"

namespace {
QString padded(int n, int width, int modulo)
{
    return QStringLiteral("%1").arg(((n % modulo) + modulo) % modulo, width, 10, QLatin1Char('0'));
}
QString yymm(const QDate &d)
{
    return ShortBuddhistYear(d.year())
        + QStringLiteral("%1").arg(d.month(), 2, 10, QLatin1Char('0'));
}
} // namespace

QString ReceiptNo(const QDate &date, int counter)
{
    return QStringLiteral("INV-") + yymm(date) + padded(counter, 5, 100000);
}

QString StockUpdateNo(const QDate &date, int counter)
{
    return QStringLiteral("SA-") + yymm(date) + padded(counter, 5, 100000);
}

QString AutoProductCode(const QDate &date, int counter)
{
    return QStringLiteral("PD-") + ShortBuddhistYear(date.year()) + padded(counter, 7, 10000000);
}
