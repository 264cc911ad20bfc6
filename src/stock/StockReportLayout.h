#pragma once
#include "platform/report/ReportLayout.h"
#include "records/Codes.h"
#include "stock/StockReportSource.h"

#include <QList>

// The stock report's layout: the goods-received document, the stock list and the sales summary
// in its three views. It fetches nothing itself: record k is row k of the opener's grid, the
// titles and totals its captions, all read through the source. Made for one run.
class StockReportLayout : public ReportLayout
{
public:
    explicit StockReportLayout(const StockReportSource &source); // the source must outlive the run

    // Where the column separators stand on the page, in twips from the paper's left edge, and
    // how far they reach down it.
    static const QList<float> SeparatorsAll;
    static const QList<float> SeparatorsBrief;
    static constexpr float SeparatorTop = 1000;
    static constexpr float SeparatorBottom = 16090;

    // The summary's money line from its four amounts.
    static QString moneyLine(
        const QString &cost, const QString &discount, const QString &sales, const QString &profit);

    int rowNo() const { return m_rowNo; }
    int rowTotal() const { return m_rowTotal; }
    StockDocument printedDocument() const
    {
        return m_printed;
    } // the source's, taken when the run starts

protected:
    void prepareReport() override;
    void fetchRow(bool &eof) override;
    void formatDetail() override;
    void formatPageFooter() override;
    void finishReport() override { }

private:
    void design();
    void goodsReceived();
    void stockList();
    void summary();
    ReportElement *e(const char *name) const;
    QString cell(int col) const;
    QString trimmedCell(int col) const;

    const StockReportSource &m_source;
    StockDocument m_printed = StockDocument::GoodsReceived;
    SummaryMode m_mode = SummaryMode::Detailed;
    // 32-bit: a year of detailed sales has more rows than a 16-bit counter reaches.
    int m_rowNo = 0;
    int m_rowTotal = 0;
};
