#include "platform/report/ReportExport.h"
#include "platform/report/ReportViewer.h"
#include "platform/report/XlsWriter.h"
#include "platform/ui/Clock.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBox.h"

#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>

bool exportPdf(const ReportDocument &document, const QString &fileName, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Kasmo"));
        writer.setResolution(1200);
        const QSizeF paper
            = document.paperSize.isEmpty() ? QSizeF(12240, 15840) : document.paperSize;
        writer.setPageLayout(
            QPageLayout(QPageSize(paper / 20.0, QPageSize::Point, QString(), QPageSize::ExactMatch),
                QPageLayout::Portrait, QMarginsF()));
        QPainter p;
        if (!p.begin(&writer)) {
            if (error)
                *error = QStringLiteral("cannot write PDF");
            file.cancelWriting();
            return false;
        }
        const QRectF target(0, 0, writer.width(), writer.height());
        for (int i = 0; i < document.pageCount(); ++i) {
            if (i > 0)
                writer.newPage();
            document.renderPage(p, i, target);
        }
        p.end();
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool exportXls(const ReportDocument &document, const QString &fileName, QString *error)
{
    // Columns: the distinct left edges of the texts, 40 twips apart at least.
    struct Cell
    {
        double top, left;
        QString text;
    };
    QList<QList<Cell>> rows; // in reading order, page after page
    QList<double> edges;
    for (const ReportPage &page : document.pages) {
        QList<const DrawOp *> texts;
        for (const DrawOp &op : page.ops)
            if (op.kind == DrawOp::Text && !op.text.isEmpty())
                texts << &op;
        std::stable_sort(texts.begin(), texts.end(),
            [](const DrawOp *a, const DrawOp *b) { return a->rect.top() < b->rect.top(); });
        for (const DrawOp *op : texts) {
            const double top = op->rect.top();
            if (rows.isEmpty() || qAbs(rows.last().first().top - top) > 30)
                rows.append(QList<Cell>());
            rows.last().append(Cell { top, op->rect.left(), op->text });
            edges << op->rect.left();
        }
        // A page starts new rows even when its first texts sit as high as the last ones.
        if (!rows.isEmpty())
            rows.last().first().top = -1e9;
    }
    std::sort(edges.begin(), edges.end());
    QList<double> columns;
    for (double e : edges)
        if (columns.isEmpty() || e - columns.last() > 40)
            columns << e;

    XlsWriter xls;
    for (int r = 0; r < rows.size(); ++r) {
        QList<Cell> row = rows[r];
        std::stable_sort(
            row.begin(), row.end(), [](const Cell &a, const Cell &b) { return a.left < b.left; });
        int next = 0;
        for (const Cell &c : row) {
            int col = 0;
            while (col + 1 < columns.size() && columns[col + 1] <= c.left + 40)
                ++col;
            col = qMax(col, next); // two texts at one edge take neighbouring cells
            xls.setCell(r, col, c.text);
            next = col + 1;
        }
    }
    const QByteArray bytes = xls.toBytes();
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("the report is too large for an .xls sheet");
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void ExportViewerPages(const ReportDocument &document, ExportKind kind, QWidget *parent)
{
    const bool pdf = kind == ExportKind::Pdf;
    const QString title
        = pdf ? QStringLiteral("เลือกตำแหน่งบันทึก PDF") : QStringLiteral("เลือกตำแหน่งบันทึก Excel");
    const QString filter = pdf ? QStringLiteral(".PDF (*.pdf)") : QStringLiteral(".xls (*.xls)");
    const QString proposed = Clock::now().toString(QStringLiteral("dd-MM-yy-HH-mm-ss"));
    const QString chosen = FileDialogService::getSaveFileName(parent, title, proposed, filter);
    if (chosen.isEmpty())
        return; // cancelled
    const QString fileName = chosen + (pdf ? QStringLiteral(".pdf") : QStringLiteral(".xls"));
    QString error;
    const bool ok
        = pdf ? exportPdf(document, fileName, &error) : exportXls(document, fileName, &error);
    if (!ok)
        MsgBox(QStringLiteral("บันทึกไฟล์ไม่สำเร็จ\n%1\n%2").arg(fileName, error), MsgButtons::Ok,
            MsgIcon::Warning, QStringLiteral("รายงานความผิดพลาด"), MsgResult::Ok, parent);
}

void ExportViewerPages(ReportViewer *viewer, ExportKind kind)
{
    if (!viewer)
        return;
    ExportViewerPages(viewer->document(), kind, viewer->window());
}
