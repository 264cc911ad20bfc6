#pragma once
#include "platform/grid/GridRows.h"
#include "records/Currency.h"
#include "records/PeriodFilter.h"
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class Connection;

// The data side of the summary page's views over a period: the sale lines by receipt, the best
// sellers, one row per receipt and one row per day (per month over a whole year). Free of
// widgets: a period and a search text in; the grid rows, the totals, the title and the outcome
// out. Periods are day ranges bound on the indexed date-time columns; the search matches the
// code, name or description literally as a substring; sums are taken by the database.
namespace SummaryViews {

enum class View {
    Detailed, // every product line of every receipt, grouped by receipt on the page
    BestSellers, // one row per product, most sold first
    Brief, // one row per receipt
    PerDay, // one row per day, or per month over a whole year
};

enum class Outcome {
    Shown, // rows found
    NotFound, // the period (and search) holds no sale line
    NoMonth, // refused: no week and no month chosen; nothing changes
    YearWithDay, // refused: the whole-year item with the one-day box; the grid is emptied
};

struct Request
{
    PeriodFilter period;
    // The search box's text once cleaned; the search applies when it is not empty, and then
    // matches its trimmed form (all blanks: every line). The one-row views ignore it.
    QString search;
    QDate today; // the clock's date: the week counts back from it
};

// The money totals of what a view shows (cost of goods, gross sales, discount given).
struct Totals
{
    Currency cost;
    Currency sales;
    Currency discount;
    QString costText() const { return cost.format(); } // the cost figure
    QString discountText() const { return discount.format(); } // the discount figure
    QString salesText() const { return (sales - discount).format(); } // the sales figure
    QString profitText() const { return (sales - cost - discount).format(); } // the profit figure
};

// Columns of the page's grid as the views fill it.
namespace Col {
constexpr int Code = 1, Name = 2, Description = 3, Cost = 4, Price = 5, Quantity = 6, Amount = 7,
              Day = 9, Receipt = 10, LineDiscount = 11, LineAmount = 12;
constexpr int Count = 12;
} // namespace Col

struct Result
{
    Outcome outcome = Outcome::NotFound;
    QString title; // the page's title once the run reached its query (empty after a refusal)
    QString message; // the refusal or not-found text (empty when rows were found)
    bool chartLink = false; // whether the yearly chart link is enabled after the run
    // Per day: the grid rows, each list indexed by column from 0 (the hidden key column) to 12:
    // column 1 the day ("dd/MM/yyyy", or "เดือน MM-yyyy" over a whole year), columns 2 to 4 the
    // discount, the total and the net as shown, column 10 the day as ISO text (or "yyyy-MM"),
    // the calendar order; column 9 is empty (they are header rows).
    std::vector<QStringList> rows;
    // The other views' rows, packed as the grid holds them (columns 0 to 12 as above).
    // Detailed: the line rows in receipt order and by name within a receipt, to be grouped
    // under receipt header rows by column 10. Best sellers: columns 1, 2, 3, 6 and 7. Brief: the
    // condensed rows as per day, column 1 the receipt number, columns 9 and 10 empty.
    GridRows lines;
    size_t rowCount() const { return rows.size() + lines.size(); }
    QString columnOneHeader; // brief and per day: "(n) เลขที่ใบเสร็จ" or "(n) รายการ"
    Totals totals; // all zero unless rows were found (best sellers: always zero)
};

// The search text with every "'", "%" and "*" removed, as the search box is cleaned.
QString cleanSearch(const QString &text);

// The refusals and not-found texts the views show (title "รายงานสถานะ", warning icon).
QString noMonthText();
QString yearWithDayText();
QString notFoundText(bool week);

// Runs one view. Throws DbError when the database refuses a query; a run that throws has no
// partial result.
Result run(Connection &db, View view, const Request &request);

// The condensed texts of a header row's amounts: "1,234.50 " for the discount and the total,
// " 1,234.50 " for the net.
QString amountCell(const Currency &amount);
QString netCell(const Currency &net);

} // namespace SummaryViews
