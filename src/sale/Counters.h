#pragma once
#include "records/Codes.h"
#include <QDate>
#include <QString>

class Connection;

// The counter step on a row of tblNumber: a monthly counter restarts when its stored month
// ("mm") differs from the current one (the year is not compared). Returns the new number.
// Runs inside the caller's transaction when there is one, else commits on its own.
int takeCounter(Connection &conn, CounterRowId row, const QDate &today, bool monthly);

// Takes the next receipt counter (row 2) and returns its ReceiptNo.
QString takeReceiptNo(Connection &conn, const QDate &today);

// Switches of the sale page.
bool readSwitch(Connection &conn, CounterRowId row);
void writeSaveConfirmSwitch(Connection &conn, bool on);
struct DrawerSetting
{
    bool on = false;
    QString port; // numMon as stored, "1" to "4"
};
DrawerSetting readDrawerSetting(Connection &conn);
