#include "platform/report/PrintSink.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {
PrintSink *g_installed = nullptr;

const QString ErrorTitle = QStringLiteral("รายงานความผิดพลาด");
} // namespace

PrintSink &PrintSink::instance()
{
    static QtPrintSink qtSink;
    return g_installed ? *g_installed : qtSink;
}

void PrintSink::install(PrintSink *sink)
{
    g_installed = sink;
}

bool printReport(const ReportDocument &document, bool showDialog, QWidget *parent)
{
    return PrintSink::instance().print(document, showDialog, parent);
}

bool QtPrintSink::print(const ReportDocument &document, bool showDialog, QWidget *parent)
{
    if (document.isEmpty())
        return false;
    const QPrinterInfo info = defaultPrinter ? defaultPrinter() : QPrinterInfo();
    if (info.isNull()) {
        MsgBox(QStringLiteral("ไม่พบเครื่องพิมพ์ กรุณาติดตั้งเครื่องพิมพ์ก่อนพิมพ์"), MsgButtons::Ok,
            MsgIcon::Warning, ErrorTitle, MsgResult::Ok, parent);
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    const QSizeF paper = document.paperSize / 20.0; // points
    printer.setPageLayout(
        QPageLayout(QPageSize(paper, QPageSize::Point, QString(), QPageSize::ExactMatch),
            QPageLayout::Portrait, QMarginsF()));
    printer.setFullPage(true);
    if (showDialog) {
        QPrintDialog dialog(&printer, parent);
        dialog.setMinMax(1, document.pageCount());
        if (DialogRunner::exec(&dialog) != QDialog::Accepted)
            return false;
    }
    int from = 0, to = document.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage() - 1;
        to = qMin(to, printer.toPage() - 1);
    }
    QPainter painter;
    bool ok = painter.begin(&printer);
    for (int i = from; ok && i <= to; ++i) {
        if (i > from)
            ok = printer.newPage();
        if (ok)
            document.renderPage(
                painter, i, QRectF(QPointF(0, 0), printer.paperRect(QPrinter::DevicePixel).size()));
    }
    if (painter.isActive())
        ok = painter.end() && ok;
    if (!ok || printer.printerState() == QPrinter::Error) {
        MsgBox(QStringLiteral("พิมพ์ไม่สำเร็จ กรุณาตรวจสอบเครื่องพิมพ์ %1").arg(info.printerName()),
            MsgButtons::Ok, MsgIcon::Warning, ErrorTitle, MsgResult::Ok, parent);
        return false;
    }
    return true;
}

RecordingPrintSink::RecordingPrintSink()
    : m_previous(g_installed)
{
    PrintSink::install(this);
}

RecordingPrintSink::~RecordingPrintSink()
{
    PrintSink::install(m_previous);
}

bool RecordingPrintSink::print(const ReportDocument &document, bool showDialog, QWidget *)
{
    if (showDialog && !dialogAccepts)
        return false;
    jobs.append({ document, showDialog });
    return true;
}
