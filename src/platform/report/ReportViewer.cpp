#include "platform/report/ReportViewer.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportLayout.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QVBoxLayout>

ReportViewer::ReportViewer(QWidget *parent)
    : QWidget(parent)
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction *contents = m_toolBar->addAction(QStringLiteral("Pages"));
    contents->setCheckable(true);
    m_toolBar->addSeparator();
    QAction *print = m_toolBar->addAction(QStringLiteral("Print..."));
    m_toolBar->addSeparator();
    QAction *first = m_toolBar->addAction(QStringLiteral("|<"));
    QAction *previous = m_toolBar->addAction(QStringLiteral("<"));
    QAction *next = m_toolBar->addAction(QStringLiteral(">"));
    QAction *last = m_toolBar->addAction(QStringLiteral(">|"));
    m_toolBar->addSeparator();
    QAction *zoomOut = m_toolBar->addAction(QStringLiteral("-"));
    QAction *zoomIn = m_toolBar->addAction(QStringLiteral("+"));
    m_pageNumber = new QLabel(this);
    m_toolBar->addWidget(m_pageNumber);

    m_pageList = new QListWidget(this);
    m_pageList->setVisible(false);
    m_pageList->setMaximumWidth(120);
    m_pageImage = new QLabel;
    m_pageImage->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_pageImage);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(m_pageList);
    body->addWidget(m_scroll, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addLayout(body, 1);

    connect(contents, &QAction::toggled, m_pageList, &QWidget::setVisible);
    connect(m_pageList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            setCurrentPage(row);
    });
    connect(print, &QAction::triggered, this, [this] { printPages(); });
    connect(first, &QAction::triggered, this, [this] { setCurrentPage(0); });
    connect(previous, &QAction::triggered, this, [this] { setCurrentPage(m_page - 1); });
    connect(next, &QAction::triggered, this, [this] { setCurrentPage(m_page + 1); });
    connect(
        last, &QAction::triggered, this, [this] { setCurrentPage(m_document.pageCount() - 1); });
    connect(zoomOut, &QAction::triggered, this, [this] { setZoom(m_zoom / 1.25); });
    connect(zoomIn, &QAction::triggered, this, [this] { setZoom(m_zoom * 1.25); });
    updatePage();
}

QAction *ReportViewer::tool(int index) const
{
    const QList<QAction *> actions = m_toolBar->actions();
    return index >= 0 && index < actions.size() ? actions[index] : nullptr;
}

void ReportViewer::setReport(ReportLayout *report)
{
    if (report)
        setDocument(report->run());
}

void ReportViewer::setDocument(const ReportDocument &document)
{
    m_document = document;
    m_page = 0;
    m_pageList->clear();
    for (int i = 0; i < m_document.pageCount(); ++i)
        m_pageList->addItem(QString::number(i + 1));
    updatePage();
    m_scroll->verticalScrollBar()->setValue(0);
    m_scroll->horizontalScrollBar()->setValue(0);
}

void ReportViewer::setCurrentPage(int page)
{
    page = qBound(0, page, qMax(0, m_document.pageCount() - 1));
    if (page == m_page)
        return;
    m_page = page;
    updatePage();
    m_scroll->verticalScrollBar()->setValue(0);
    emit pageChanged(m_page);
}

void ReportViewer::setZoom(double zoom)
{
    m_zoom = qBound(0.1, zoom, 8.0);
    updatePage();
}

bool ReportViewer::printPages()
{
    if (m_document.isEmpty())
        return false;
    return printReport(m_document, true, this);
}

void ReportViewer::updatePage()
{
    const int count = m_document.pageCount();
    m_pageNumber->setText(
        count ? QStringLiteral(" %1 / %2 ").arg(m_page + 1).arg(count) : QString());
    if (!count) {
        m_pageImage->setPixmap(QPixmap());
        m_pageImage->adjustSize();
        return;
    }
    const QScreen *screen = this->screen();
    const double dpi = (screen ? screen->logicalDotsPerInch() : 96.0) * m_zoom;
    const qreal ratio = devicePixelRatioF();
    QImage img = m_document.pageImage(m_page, dpi * ratio);
    img.setDevicePixelRatio(ratio);
    m_pageImage->setPixmap(QPixmap::fromImage(img));
    m_pageImage->adjustSize();
    QSignalBlocker block(m_pageList);
    m_pageList->setCurrentRow(m_page);
}

void PrepareViewerToolbar(ReportViewer *viewer)
{
    if (!viewer)
        return;
    if (QAction *first = viewer->tool(0)) {
        first->setChecked(false);
        first->setEnabled(false);
        first->setVisible(false);
    }
    if (QAction *print = viewer->printTool())
        print->setText(QStringLiteral("พิมพ์.."));
}
