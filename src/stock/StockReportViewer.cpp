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
    reportViewer = new ReportViewer(this);
    reportViewer->setObjectName(QStringLiteral("reportViewer"));
    reportViewer->setAccessibleName(QStringLiteral("เอกสารรายการสินค้า"));
    const ExportButtons exports = exportButtons(this);
    excelButton = exports.excel;
    pdfButton = exports.pdf;
    excelButton->setObjectName(QStringLiteral("excelButton"));
    pdfButton->setObjectName(QStringLiteral("pdfButton"));
    connect(excelButton, &QPushButton::clicked, this, &StockReportViewer::exportExcel);
    connect(pdfButton, &QPushButton::clicked, this, &StockReportViewer::exportPdf);
    resize(Twips::toPixelsX(12945), Twips::toPixelsY(9810));
    fitViewer();
}

StockReportViewer::~StockReportViewer() = default;

void StockReportViewer::showReport(const StockReportSource &source, QWidget *parent)
{
    StockReportViewer window(source, parent);
    window.loadReport();
    DialogRunner::exec(&window);
}

void StockReportViewer::loadReport()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    PrepareViewerToolbar(reportViewer);
    m_report = std::make_unique<StockReportLayout>(m_source);
    reportViewer->setReport(m_report.get());
}

void StockReportViewer::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    fitViewer();
}

void StockReportViewer::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        fitViewer();
}

void StockReportViewer::fitViewer()
{
    if (isMinimized())
        return;
    reportViewer->setGeometry(0, 0, width(), height());
}

void StockReportViewer::exportExcel()
{
    skipOnFailure(
        "StockReportViewer", [this] { ExportViewerPages(reportViewer, ExportKind::Excel); });
}

void StockReportViewer::exportPdf()
{
    skipOnFailure(
        "StockReportViewer", [this] { ExportViewerPages(reportViewer, ExportKind::Pdf); });
}
