#pragma once
#include "Ranking.h"
#include <QDialog>
#include <memory>

class RankingLayout;
class DataGrid;
class QPushButton;
class ReportViewer;

// The ranking of all sellers over a week, a month or a year ("รายงานสรุปยอดขาย"): computed into
// a working grid nobody sees, printed by RankingLayout in the viewer, exported to Excel or PDF.
class RankingWindow : public QDialog
{
    Q_OBJECT
public:
    explicit RankingWindow(const RankingRequest &request, QWidget *parent = nullptr);
    ~RankingWindow() override;

    // How the user sales window opens the ranking: modally, computed anew at every opening.
    static void showModal(const RankingRequest &request, QWidget *parent = nullptr);

    // Computes the ranking into the working grid and shows the printed ranking in the viewer.
    void loadRanking();

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void fitViewer();
    void resetGrid();
    void fillRanking();
    void exportExcel();
    void exportPdf();

    ReportViewer *rankingViewer = nullptr;
    DataGrid *workingGrid = nullptr; // never shown
    QPushButton *excelButton = nullptr;
    QPushButton *pdfButton = nullptr;
    std::unique_ptr<RankingLayout> m_layout;
    RankingRequest m_request;
};
