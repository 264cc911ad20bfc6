#pragma once
#include "stock/StockReportSource.h"

#include <QMap>
#include <QStringList>
#include <vector>

// A stock report source over fixed rows: row r is rows[r - 1], column c its c-th text (column 0
// is the grid's key column and stays empty).
class FixedRows : public StockReportSource
{
public:
    StockDocument doc = StockDocument::StockList;
    SummaryMode mode = SummaryMode::Detailed;
    std::vector<QStringList> rows;
    QMap<Text, QString> texts;
    QString header;
    mutable int cellReads = 0;

    StockDocument document() const override { return doc; }
    SummaryMode summaryMode() const override { return mode; }
    int rowCount() const override { return int(rows.size()); }
    QString cell(int row, int col) const override
    {
        ++cellReads;
        if (row < 1 || row > rowCount())
            return QString();
        return rows[size_t(row - 1)].value(col);
    }
    QString columnOneHeader() const override { return header; }
    QString text(Text which) const override { return texts.value(which); }

    void add(const QStringList &cells) { rows.push_back(QStringList { QString() } + cells); }
};

// A goods-received document of n lines with the stock update window's captions.
inline FixedRows goodsReceived(int n)
{
    FixedRows s;
    s.doc = StockDocument::GoodsReceived;
    for (int i = 1; i <= n; ++i)
        s.add({ QStringLiteral(" 885%1 ").arg(i, 6, 10, QLatin1Char('0')),
            QStringLiteral(" น้ำดื่ม ตราช้าง %1").arg(i), QStringLiteral("ขวด 600 มล. "),
            QStringLiteral(" 12"), QStringLiteral("ขวด"), QStringLiteral("5.50"),
            QStringLiteral("66.00") });
    using T = StockReportSource::Text;
    s.texts[T::DateTime] = QStringLiteral("08/12/2026 23:05:09");
    s.texts[T::DocumentNo] = QStringLiteral("SA-691200007");
    s.texts[T::Remark] = QStringLiteral("รับของจากร้านส่ง");
    s.texts[T::Total] = QStringLiteral("1,237.50");
    return s;
}

// A stock list of n products: code, name, description, stock, unit, price, group, place.
inline FixedRows stockList(int n)
{
    FixedRows s;
    s.doc = StockDocument::StockList;
    for (int i = 1; i <= n; ++i)
        s.add({ QStringLiteral("PD-69%1").arg(i, 7, 10, QLatin1Char('0')),
            QStringLiteral("กาแฟ %1").arg(i), QStringLiteral("ซอง"), QString::number(100 + i),
            QStringLiteral("ซอง"), QStringLiteral("12.00"), QStringLiteral("เครื่องดื่ม"),
            QStringLiteral("ชั้น A") });
    return s;
}

// The summary's money labels and title.
inline void summaryTexts(FixedRows &s)
{
    using T = StockReportSource::Text;
    s.doc = StockDocument::SalesSummary;
    s.texts[T::Title] = QStringLiteral("สรุปยอดขาย เดือน ธันวาคม 2026");
    s.texts[T::Cost] = QStringLiteral("1,000.00");
    s.texts[T::Discount] = QStringLiteral("20.00");
    s.texts[T::Sales] = QStringLiteral("1,480.00");
    s.texts[T::Profit] = QStringLiteral("480.00");
}

// The detailed summary as the page leaves it: a header row per receipt (column 9 empty), then
// its line rows (code, name, description, cost, price, quantity, amount, -, date).
inline FixedRows detailedSummary(int receipts, int linesEach)
{
    FixedRows s;
    summaryTexts(s);
    s.mode = SummaryMode::Detailed;
    for (int r = 1; r <= receipts; ++r) {
        s.add({ QStringLiteral("INV-6912%1").arg(r, 5, 10, QLatin1Char('0')),
            QStringLiteral(" ส่วนลด 10.00 บาท"), QStringLiteral(" ยอดรวม 740.00 บาท"),
            QStringLiteral(" หักส่วนลดเหลือ 730.00 บาท"), QString(), QString(), QString(), QString(),
            QString() });
        for (int l = 1; l <= linesEach; ++l)
            s.add({ QStringLiteral("885000%1").arg(l), QStringLiteral("ขนม %1").arg(l),
                QStringLiteral("ถุงเล็ก"), QStringLiteral("50.00"), QStringLiteral("74.00"),
                QStringLiteral("%1").arg(l), QStringLiteral("%1.00").arg(74 * l), QString(),
                QStringLiteral("2026-12-08") });
    }
    return s;
}
