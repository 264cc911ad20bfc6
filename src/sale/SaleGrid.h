#pragma once

// Columns of the sale grid `saleGrid`, one sale line per row (row 1 on top). In return mode
// column 0 holds the stored line's key and column 8 the bill's wholesale flag.
namespace SaleGrid {
enum Col {
    ColPK = 0, // product key, hidden
    ColCode = 1,
    ColName = 2, // a blank and the name
    ColDes = 3,
    ColQty = 4,
    ColUnit = 5,
    ColPrice = 6,
    ColAmount = 7,
    ColPic = 8, // picture file name, hidden
    ColCost = 9, // cost price, hidden
    LastCol = ColCost,
};
} // namespace SaleGrid
