#pragma once

class DataGrid;

// The stock update window as the search and quantity dialogs see it: its grid of received
// lines and its two recomputations. The stock folder's window implements it, so the dialogs
// reach that window without this folder depending on the stock folder.
class StockUpdateGrid
{
public:
    virtual ~StockUpdateGrid() = default;
    // Columns: 0 PK (hidden), 1 code, 2 " " & name, 3 description, 4 quantity, 5 unit,
    // 6 cost price, 7 amount. Row 1 is the top line.
    virtual DataGrid *linesGrid() = 0;
    // The window's total of column 7.
    virtual void CalTotalAmount() = 0;
    // Column 7 of row EditRow = column 6 x column 4.
    virtual void CalTotalAmount2() = 0;

    // The loaded stock update window, or nullptr.
    static StockUpdateGrid *loaded();
};
