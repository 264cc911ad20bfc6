#pragma once
#include <QString>

class Connection;

// What the settings window does to stored data, without widgets. Every action that changes
// more than one row runs in one transaction: on failure it throws DbError and nothing changed.
namespace DataMaintenance {

// Empties the sale lines and the bill discounts and resets the receipt counter (row 2).
void clearSales(Connection &conn);
// Empties the stock movements and resets the stock-update document counter (row 1).
void clearHistory(Connection &conn);
// Removes the business data: products, sale lines, discounts, movements and every lookup entry
// but the key-0 rows; resets rows 1 to 4 (so sign-in is off at the next start). Users, the
// receipt and label layouts and rows 5 and 6 stay.
void deleteAll(Connection &conn);
// Sets every negative stock on hand to 0 (no movement row); returns the products changed.
int zeroNegativeStock(Connection &conn);

// Row 6, the cash drawer: the stored switch, and the save (numMon "1".."4", "0" for none or off).
bool drawerSwitchOn(Connection &conn);
void writeDrawerSetting(Connection &conn, bool on, int port);

} // namespace DataMaintenance
