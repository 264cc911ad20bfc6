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

    void Form_Load();
    void Form_Resize();
    void SetupSpread();
    void Loaddata8();
    void Command1_Click(); // export Excel
    void Command2_Click(); // export PDF

    ReportViewer *ARViewer21 = nullptr;
    DataGrid *fpSpread1 = nullptr; // the working grid, never shown
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    std::unique_ptr<RankingLayout> RankingReport;

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    RankingRequest m_request;
};
