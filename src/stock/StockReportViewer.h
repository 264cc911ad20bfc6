#pragma once
#include <QDialog>
#include <memory>

class StockReportLayout;
class QPushButton;
class ReportViewer;
class StockReportSource;

// The stock report's viewer ("เอกสารรายการสินค้า"): runs a fresh stock report over what its
// opener hands it and shows the pages, with the print tool and the Excel and PDF exports.
class StockReportViewer : public QDialog
{
    Q_OBJECT
public:
    // source: the opener's grid and captions, read while the report runs; it must outlive
    // the window.
    explicit StockReportViewer(const StockReportSource &source, QWidget *parent = nullptr);
    ~StockReportViewer() override;

    // How every opener shows the stock report: loads a fresh window on the source's document
    // and shows it modally, the opener staying open underneath.
    static void showReport(const StockReportSource &source, QWidget *parent = nullptr);

    // Places the window and runs a fresh report over the source into the viewer.
    void loadReport();

    // The report the viewer shows now.
    StockReportLayout *report() const { return m_report.get(); }

protected:
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void fitViewer();
    void exportExcel();
    void exportPdf();

    ReportViewer *reportViewer;
    QPushButton *excelButton;
    QPushButton *pdfButton;
    const StockReportSource &m_source;
    std::unique_ptr<StockReportLayout> m_report;
};
