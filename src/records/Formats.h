#pragma once
#include <QDate>
#include <QString>

// Document numbers. Counters show their last five (seven) digits, so a number never grows
// past its width.
QString ReceiptNo(const QDate &date, int counter); // INV-yymm00001
QString StockUpdateNo(const QDate &date, int counter); // SA-yymm00001
QString AutoProductCode(const QDate &date, int counter); // PD-yy0000001
