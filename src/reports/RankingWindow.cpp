#include "RankingWindow.h"
#include "RankingLayout.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/report/ReportExport.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "shell/ShopDatabase.h"
#include <QPushButton>
#include <QResizeEvent>

RankingWindow::RankingWindow(const RankingRequest &request, QWidget *parent)
    : QDialog(parent)
    , m_request(request)
{
    setObjectName(QStringLiteral("RankingWindow"));
    setWindowTitle(QStringLiteral("รายงานสรุปยอดขาย"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    rankingViewer = new ReportViewer(this);
    rankingViewer->setAccessibleName(QStringLiteral("รายงานสรุปยอดขาย"));
    workingGrid = new DataGrid(this);
    workingGrid->hide();
    const ExportButtons exports = exportButtons(this);
    excelButton = exports.excel;
    pdfButton = exports.pdf;
    connect(excelButton, &QPushButton::clicked, this, &RankingWindow::exportExcel);
    connect(pdfButton, &QPushButton::clicked, this, &RankingWindow::exportPdf);
    const std::pair<QObject *, const char *> names[]
        = { { rankingViewer, "rankingViewer" }, { workingGrid, "workingGrid" },
              { excelButton, "excelButton" }, { pdfButton, "pdfButton" } };
    for (const auto &[o, name] : names)
        o->setObjectName(QLatin1String(name));
    resize(Twips::toPixelsX(12945), Twips::toPixelsY(9810));
}

RankingWindow::~RankingWindow() = default;

void RankingWindow::showModal(const RankingRequest &request, QWidget *parent)
{
    RankingWindow window(request, parent);
    window.loadRanking();
    DialogRunner::exec(&window);
}

void RankingWindow::loadRanking()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    fillRanking();
    PrepareViewerToolbar(rankingViewer);
    m_layout = std::make_unique<RankingLayout>(*workingGrid, m_request);
    rankingViewer->setReport(m_layout.get());
    fitViewer();
}

void RankingWindow::resetGrid()
{
    workingGrid->setMaxRows(0);
    workingGrid->setMaxCols(5);
    workingGrid->setColWidth(0, 0);
    const char *headers[] = { "ลำดับ", "ชื่อผู้ใช้", "ตำแหน่ง", "ส่วนลด", "ยอดขาย" };
    for (int c = 1; c <= 5; ++c)
        workingGrid->setText(c, 0, QString::fromUtf8(headers[c - 1]));
}

void RankingWindow::fillRanking()
{
    resetGrid();
    QList<RankingRow> rows;
    try {
        rows = rankSellers(ShopDatabase::connection(), m_request);
    } catch (const DbError &e) {
        // The window still opens, with what could be computed.
        qWarning("user ranking: %s", qPrintable(e.text()));
        return;
    }
    if (rows.isEmpty()) {
        MsgBox(QStringLiteral("ไม่มีข้อมูลยอดขายที่คุณต้องการ"), MsgButtons::Ok, MsgIcon::Warning,
            QStringLiteral("รายงานสถานะ"), MsgResult::Ok, this);
        return;
    }
    workingGrid->setMaxRows(int(rows.size()));
    for (int r = 1; r <= rows.size(); ++r) {
        const RankingRow &row = rows[r - 1];
        workingGrid->setText(1, r, QString::number(r));
        workingGrid->setText(2, r, row.user);
        workingGrid->setText(3, r, row.position);
        workingGrid->setText(4, r, QString::number(row.discount));
        workingGrid->setText(5, r, row.net.plain());
    }
}

void RankingWindow::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    fitViewer();
}

void RankingWindow::fitViewer()
{
    if (isMinimized())
        return;
    rankingViewer->setGeometry(0, 0, width(), height());
    excelButton->raise();
    pdfButton->raise();
}

void RankingWindow::exportExcel()
{
    ExportViewerPages(rankingViewer, ExportKind::Excel);
}

void RankingWindow::exportPdf()
{
    ExportViewerPages(rankingViewer, ExportKind::Pdf);
}
