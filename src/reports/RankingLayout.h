#pragma once
#include "Ranking.h"
#include "platform/report/ReportLayout.h"
#include <QList>

class DataGrid;

// The printed ranking of all sellers: one detail row per row of the ranking window's working
// grid (rank, name, position, discount, sales after discount), the title of the period, column
// rules down every page and the page number. Made for one run.
class RankingLayout : public ReportLayout
{
public:
    // The grid and the request must outlive the run.
    RankingLayout(const DataGrid &grid, const RankingRequest &request);

    // Where the column rules stand on every page, in twips from the paper's left edge, and
    // how far down they run.
    static const QList<float> RuleXs;
    static constexpr float RuleTop = 1000;
    static constexpr float RuleBottom = 16110;

    static QString title(const RankingRequest &request);

protected:
    void prepareReport() override;
    void fetchRow(bool &eof) override;
    void formatDetail() override;
    void formatPageFooter() override;

private:
    const DataGrid &m_grid;
    const RankingRequest &m_request;
    int m_row = 0; // rows fetched so far
    int m_rowTotal = 0; // rows to print
};
