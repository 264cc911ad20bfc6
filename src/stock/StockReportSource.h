#pragma once
#include "records/Codes.h"

#include <QString>

// What the stock report prints, read live from the window that opens it (the stock page, the
// stock update window or the sales summary page) while that window stays open under the viewer.
// Rows are numbered from 1, columns as the opener's grid numbers them (column 9 of the summary
// is its hidden sale date, empty on receipt header rows).
// The three documents the stock report prints.
enum class StockDocument { GoodsReceived = 0, StockList = 1, SalesSummary = 2 };

class StockReportSource
{
public:
    // The captions and box texts the layouts print.
    enum class Text {
        DateTime, // goods received: the window's date-time caption
        DocumentNo, // goods received: the document number box
        Remark, // goods received: the remark box
        Total, // goods received: the total caption
        Title, // summary: what the grid shows
        Cost, // summary: cost of goods
        Discount, // summary: discount given
        Sales, // summary: sales less discount
        Profit, // summary: profit less discount
    };

    virtual ~StockReportSource() = default;

    virtual StockDocument document() const = 0;
    // The summary page's view; read only for the summary.
    virtual SummaryMode summaryMode() const { return SummaryMode::Detailed; }

    virtual int rowCount() const = 0;
    virtual QString cell(int row, int col) const = 0;
    // The title of the grid's column 1 (read for the one-row summary).
    virtual QString columnOneHeader() const { return QString(); }
    virtual QString text(Text which) const = 0;
};
