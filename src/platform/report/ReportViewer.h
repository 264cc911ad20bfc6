#pragma once
#include "platform/report/ReportDocument.h"

#include <QWidget>

class ReportLayout;
class QAction;
class QLabel;
class QListWidget;
class QScrollArea;
class QToolBar;

// Shows the pages of a report with paging and zoom; its print tool prints them through the
// installed PrintSink after the print dialog.
// Tools by position: 0 page list, 1 separator, 2 print, 3 separator, 4 first page,
// 5 previous page, 6 next page, 7 last page, 8 separator, 9 zoom out, 10 zoom in.
class ReportViewer : public QWidget
{
    Q_OBJECT
public:
    explicit ReportViewer(QWidget *parent = nullptr);

    // Runs the report (if it has not run) and shows its pages in place of what was shown.
    void setReport(ReportLayout *report);
    void setDocument(const ReportDocument &document);
    const ReportDocument &document() const { return m_document; }

    QToolBar *toolBar() const { return m_toolBar; }
    QAction *tool(int index) const; // nullptr when there is no such tool
    QAction *printTool() const { return tool(2); }

    int currentPage() const { return m_page; } // 0-based
    void setCurrentPage(int page);
    double zoom() const { return m_zoom; } // 1.0: the paper at its real size on the screen
    void setZoom(double zoom);

    bool printPages(); // what the print tool does

signals:
    void pageChanged(int page);

private:
    void updatePage();
    QToolBar *m_toolBar;
    QListWidget *m_pageList;
    QScrollArea *m_scroll;
    QLabel *m_pageImage;
    QLabel *m_pageNumber;
    ReportDocument m_document;
    int m_page = 0;
    double m_zoom = 1.0;
};

// The preparation every report window makes when it loads: tool 0 switched off, the print
// tool captioned "พิมพ์..".
void PrepareViewerToolbar(ReportViewer *viewer);
