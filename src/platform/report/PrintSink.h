#pragma once
#include "platform/report/ReportDocument.h"

#include <QList>
#include <QPrinterInfo>
#include <QStringList>
#include <functional>

class QWidget;

// Where printed reports go. The program's sink drives the system's printers; tests install a
// recording sink.
class PrintSink
{
public:
    virtual ~PrintSink() = default;
    // Prints every page; with showDialog the user chooses the printer first. Returns true when
    // the pages were printed, false when the user cancelled or printing failed (the user has
    // been told of a failure).
    virtual bool print(const ReportDocument &document, bool showDialog, QWidget *parent) = 0;

    static PrintSink &instance();
    static void install(PrintSink *sink); // not owned; nullptr: the system's printers
};

// Prints a finished report through the installed sink: at once on the default printer, or
// after the print dialog.
bool printReport(
    const ReportDocument &document, bool showDialog = false, QWidget *parent = nullptr);

class QtPrintSink : public PrintSink
{
public:
    // The default printer; tests replace it to act as a machine without printers.
    std::function<QPrinterInfo()> defaultPrinter = [] { return QPrinterInfo::defaultPrinter(); };
    bool print(const ReportDocument &document, bool showDialog, QWidget *parent) override;
};

// Keeps every job instead of printing it. Installs itself while it lives.
class RecordingPrintSink : public PrintSink
{
public:
    struct Job
    {
        ReportDocument document;
        bool showDialog = false;
        int pageCount() const { return document.pageCount(); }
        QStringList pageTexts(int page) const { return document.pages.value(page).texts(); }
    };

    RecordingPrintSink();
    ~RecordingPrintSink() override;
    bool print(const ReportDocument &document, bool showDialog, QWidget *parent) override;

    QList<Job> jobs;
    bool dialogAccepts = true; // the answer of the print dialog when a job asks for it

private:
    PrintSink *m_previous;
};
