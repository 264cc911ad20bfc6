#pragma once
#include "platform/report/ReportDocument.h"

#include <QString>

class QWidget;
class ReportViewer;

// Writes the pages as a PDF whose pages have the report's paper size.
bool exportPdf(const ReportDocument &document, const QString &fileName, QString *error = nullptr);
// Writes the report's texts into one worksheet of an .xls file, in reading order: a row for
// each line of texts, a column for each column of the report (the boxes of its detail's texts).
// A heading stands over the values whose box it matches; a text that runs over several columns
// goes where it starts. Money and counts (ReportValue) are number cells, the rest text cells.
// Beyond what one sheet holds it writes nothing and says so.
bool exportXls(const ReportDocument &document, const QString &fileName, QString *error = nullptr);

enum class ExportKind { Pdf, Excel };

// Asks for a file name in the save dialog (title by kind, the proposed name the present moment
// as "dd-mm-yy-hh-mm-ss"), appends the kind's extension whatever the name ends with and writes
// the pages. Cancel ends quietly; a failed write is reported in a "รายงานความผิดพลาด" box.
void ExportViewerPages(const ReportDocument &document, ExportKind kind, QWidget *parent = nullptr);
void ExportViewerPages(ReportViewer *viewer, ExportKind kind);
