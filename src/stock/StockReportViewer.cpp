#include "stock/StockReportViewer.h"
#include "platform/report/ReportExport.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "stock/StockReportLayout.h"
#include "stock/StockReportSource.h"

#include <QEvent>
#include <QPushButton>

StockReportViewer::StockReportViewer(const StockReportSource &source, QWidget *parent)
    : QDialog(parent)
    , m_source(source)
{
    setWindowTitle(QStringLiteral("เอกสารรายการสินค้า"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    ARViewer21 = new ReportViewer(this);
    ARViewer21->setAccessibleName(QStringLiteral("เอกสารรายการสินค้า"));
    const ExportButtons exports = exportButtons(this);
    Command1 = exports.excel;
    Command2 = exports.pdf;
    connect(Command1, &QPushButton::clicked, this, &StockReportViewer::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &StockReportViewer::Command2_Click);
    resize(Twips::toPixelsX(12945), Twips::toPixelsY(9810));
    Form_Resize();
}

StockReportViewer::~StockReportViewer() = default;

void StockReportViewer::showReport(const StockReportSource &source, QWidget *parent)
{
    StockReportViewer window(source, parent);
    window.Form_Load();
    DialogRunner::exec(&window);
}

void StockReportViewer::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    PrepareViewerToolbar(ARViewer21);
    m_report = std::make_unique<StockReportLayout>(m_source);
    ARViewer21->setReport(m_report.get());
}

void StockReportViewer::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    Form_Resize();
}

void StockReportViewer::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void StockReportViewer::Form_Resize()
{
    if (isMinimized())
        return;
    ARViewer21->setGeometry(0, 0, width(), height());
}

void StockReportViewer::Command1_Click()
{
    skipOnFailure(
        "StockReportViewer", [this] { ExportViewerPages(ARViewer21, ExportKind::Excel); });
}

void StockReportViewer::Command2_Click()
{
    skipOnFailure("StockReportViewer", [this] { ExportViewerPages(ARViewer21, ExportKind::Pdf); });
}
