#pragma once
#include "records/Currency.h"
#include "records/PeriodFilter.h"
#include <QList>
#include <QString>

class Connection;

// One row of the sales summary's detail: one product at one price on one receipt, with the
// discount recorded on the line (the receipt's discount on its first line, 0 on the others).
struct SummaryLine
{
    QString receipt; // Lno
    QString day; // Ldate2, ISO
    QString code; // Lsn
    QString name; // Lname, with its leading blank
    QString description; // Ldes
    QString unit; // Lnub
    Currency cost; // Lraka
    Currency price; // Lsell
    Currency discount; // Lrod
    qint64 quantity = 0; // the quantities of the grouped lines added

    Currency amount() const { return price * quantity; }
};

// The data side of the sales summary page, free of widgets. Periods come as day ranges bound
// on the indexed sale date; both queries throw DbError when the database refuses them.
namespace SummaryQueries {

// The sale lines of the ranges, lines of one receipt with the same product, unit, cost, price
// and recorded discount added into one; by name in Thai dictionary order, then description.
QList<SummaryLine> receiptLines(Connection &db, const QList<DateRange> &ranges);

// The discounts given on receipts (tblRMoney) within the ranges.
Currency discountTotal(Connection &db, const QList<DateRange> &ranges);

} // namespace SummaryQueries
