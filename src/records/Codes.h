#pragma once
#include <QColor>

// Codes stored in the database, and the summary page's views.

enum class MovementType { StockUpdate = 1, Sale = 2, SaleReturn = 3 };

// The sale page's price list and tblLog.Lraka12.
enum class PriceType { Normal = 0, Special1 = 1, Special2 = 2 };

enum class SummaryMode { Detailed = 0, BestSellers = 1, Brief = 2 };

// Rows of tblNumber.
enum class CounterRowId {
    StockUpdateCounter = 1,
    ReceiptCounter = 2,
    ProductCodeCounter = 3,
    LoginSwitch = 4,
    SaveConfirmSwitch = 5,
    CashDrawerSetting = 6,
};

enum class UserRight { Selling = 1, Stock = 2, Summary = 3, Settings = 4, History = 5 };

// Colours are 0x00BBGGRR values (red in the low byte), as the stored layouts hold them.
constexpr unsigned rgbValue(int r, int g, int b)
{
    return unsigned(r) | (unsigned(g) << 8) | (unsigned(b) << 16);
}

// The colour a stored 0x00BBGGRR value names.
inline QColor colourOf(unsigned bgr)
{
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}
