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
    ARViewer21 = new ReportViewer(this);
    ARViewer21->setAccessibleName(QStringLiteral("รายงานสรุปยอดขาย"));
    fpSpread1 = new DataGrid(this);
    fpSpread1->hide();
    const ExportButtons exports = exportButtons(this);
    Command1 = exports.excel;
    Command2 = exports.pdf;
    connect(Command1, &QPushButton::clicked, this, &RankingWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &RankingWindow::Command2_Click);
    resize(Twips::toPixelsX(12945), Twips::toPixelsY(9810));
}

RankingWindow::~RankingWindow() = default;

void RankingWindow::showModal(const RankingRequest &request, QWidget *parent)
{
    RankingWindow window(request, parent);
    window.Form_Load();
    DialogRunner::exec(&window);
}

void RankingWindow::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    Loaddata8();
    PrepareViewerToolbar(ARViewer21);
    RankingReport = std::make_unique<RankingLayout>(*fpSpread1, m_request);
    ARViewer21->setReport(RankingReport.get());
    Form_Resize();
}

void RankingWindow::SetupSpread()
{
    fpSpread1->setMaxRows(0);
    fpSpread1->setMaxCols(5);
    fpSpread1->setColWidth(0, 0);
    const char *headers[] = { "ลำดับ", "ชื่อผู้ใช้", "ตำแหน่ง", "ส่วนลด", "ยอดขาย" };
    for (int c = 1; c <= 5; ++c)
        fpSpread1->setText(c, 0, QString::fromUtf8(headers[c - 1]));
}

void RankingWindow::Loaddata8()
{
    SetupSpread();
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
    fpSpread1->setMaxRows(int(rows.size()));
    for (int r = 1; r <= rows.size(); ++r) {
        const RankingRow &row = rows[r - 1];
        fpSpread1->setText(1, r, QString::number(r));
        fpSpread1->setText(2, r, row.user);
        fpSpread1->setText(3, r, row.position);
        fpSpread1->setText(4, r, QString::number(row.discount));
        fpSpread1->setText(5, r, row.net.plain());
    }
}

void RankingWindow::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    Form_Resize();
}

void RankingWindow::Form_Resize()
{
    if (isMinimized())
        return;
    ARViewer21->setGeometry(0, 0, width(), height());
    Command1->raise();
    Command2->raise();
}

void RankingWindow::Command1_Click()
{
    ExportViewerPages(ARViewer21, ExportKind::Excel);
}

void RankingWindow::Command2_Click()
{
    ExportViewerPages(ARViewer21, ExportKind::Pdf);
}
