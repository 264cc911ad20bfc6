#pragma once
#include "platform/report/ReportLayout.h"

#include <QStringList>

// A small unbound layout: a group header, `count` fetched details and a group footer, with a
// page header and a page footer carrying the page number and the page count.
class CountingReport : public ReportLayout
{
public:
    explicit CountingReport(int count, bool pageSections = true)
        : m_count(count)
    {
        if (pageSections) {
            PageHeader()->height = 300;
            PageHeader()->addLabel("Title", 0, 0, 2000, 283, "หัวกระดาษ");
            PageFooter()->height = 300;
            ReportElement *page = PageFooter()->addText("txtPage", 0, 0, 400, 283);
            page->field = ReportElement::PageNumber;
            ReportElement *pages = PageFooter()->addText("txtPages", 600, 0, 400, 283);
            pages->field = ReportElement::PageCount;
        }
        GroupHeader()->height = 400;
        GroupHeader()->addLabel("Head", 0, 0, 3000, 283, "Group header");
        Detail()->height = 285;
        Detail()->addText("Field1", 0, 0, 3000, 283);
        GroupFooter()->height = 500;
        GroupFooter()->addLabel("Foot", 0, 0, 3000, 283, "Group footer");
    }
    void prepareReport() override
    {
        ++initialized;
        PageSettings.paperSize = ReportPageSettings::Custom;
        PageSettings.paperWidth = cmToTwips(7.0);
        PageSettings.paperHeight = cmToTwips(20.0);
        PageSettings.leftMargin = PageSettings.rightMargin = cmToTwips(0.3);
        PageSettings.topMargin = cmToTwips(0.3);
        PageSettings.bottomMargin = cmToTwips(0.1);
    }
    void fetchRow(bool &eof) override
    {
        ++fetched;
        ++row;
        eof = row > m_count;
    }
    void formatDetail() override
    {
        ++formatted;
        Detail()->element("Field1")->text = QStringLiteral("Line %1").arg(row);
    }
    void formatPageFooter() override { ++footers; }
    void finishReport() override { ++ended; }

    int initialized = 0, fetched = 0, formatted = 0, footers = 0, ended = 0;
    int row = 0;

private:
    int m_count;
};
