// The stock report on the generated shop, as a person waits for it: the viewer opening with
// every page laid out and the first one painted. Two printouts: the stock list of every
// product, and a month of detailed sales (a header row per receipt above its lines). The rows
// are read from the database first, as the opener's grid would hold them.
#include "BenchSupport.h"
#include "ShopGenerator.h"
#include "platform/db/Connection.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/WindowPlacement.h"
#include "records/Currency.h"
#include "stock/Fprint1.h"
#include "stock/StockReportSource.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <vector>

namespace {

class Rows : public StockReportSource
{
public:
    int doc = PrintSource::StockList;
    SummaryMode mode = SummaryMode::Detailed;
    std::vector<QStringList> rows; // column 0 first
    QString title, cost, discount, sales, profit;

    int document() const override { return doc; }
    SummaryMode summaryMode() const override { return mode; }
    int rowCount() const override { return int(rows.size()); }
    QString cell(int row, int col) const override { return rows[size_t(row - 1)].value(col); }
    QString text(Text which) const override
    {
        switch (which) {
        case Text::Title:
            return title;
        case Text::Cost:
            return cost;
        case Text::Discount:
            return discount;
        case Text::Sales:
            return sales;
        case Text::Profit:
            return profit;
        default:
            return QString();
        }
    }
};

QString money(double v)
{
    return Currency::fromDouble(v).format();
}

Rows stockList(Connection &db)
{
    Rows s;
    s.doc = PrintSource::StockList;
    Recordset rs = db.query(QStringLiteral(
        "SELECT p.PK, p.PDsn, p.PDname, p.PDdes, p.PDvalue, n.nName, p.PDsell, g.gName, e.geName "
        "FROM tblProduct p LEFT JOIN tblNub n ON n.nPK = p.NubFK "
        "LEFT JOIN tblGroup g ON g.gPK = p.GroupFK LEFT JOIN tblGeb e ON e.gePK = p.GebFK "
        "ORDER BY p.PDname, p.PDdes"));
    for (; !rs.eof(); rs.moveNext())
        s.rows.push_back({ rs.text(0), rs.text(1), rs.text(2), rs.text(3), rs.text(4), rs.text(5),
            money(rs.real(6)), rs.text(7), rs.text(8), QString() });
    return s;
}

// The sold lines of one month grouped under a header row per receipt, as the summary page
// leaves its grid for the detailed view.
Rows monthOfSales(Connection &db, const QDate &month)
{
    Rows s;
    s.doc = PrintSource::SalesSummary;
    s.mode = SummaryMode::Detailed;
    const QDate first(month.year(), month.month(), 1);
    Recordset rs = db.query(
        QStringLiteral("SELECT Lno, Lsn, Lname, Ldes, Lraka, Lsell, Lvalue, Ldate2, Lrod "
                       "FROM tblLog WHERE Ldate >= ? AND Ldate < ? ORDER BY Lno, Lname, Ldes"),
        { first.toString(Qt::ISODate), first.addMonths(1).toString(Qt::ISODate) });
    Currency cost, sales, discount;
    QString receipt;
    size_t header = 0;
    Currency total, off;
    auto closeReceipt = [&] {
        if (receipt.isEmpty())
            return;
        QStringList &h = s.rows[header];
        h[2] = QStringLiteral(" ส่วนลด ") + off.format() + QStringLiteral(" บาท");
        h[3] = QStringLiteral(" ยอดรวม ") + total.format() + QStringLiteral(" บาท");
        h[4] = QStringLiteral(" หักส่วนลดเหลือ ") + (total - off).format() + QStringLiteral(" บาท");
    };
    for (; !rs.eof(); rs.moveNext()) {
        const QString no = rs.text(0);
        if (no != receipt) {
            closeReceipt();
            receipt = no;
            total = off = Currency();
            header = s.rows.size();
            s.rows.push_back({ QString(), no, QString(), QString(), QString(), QString(), QString(),
                QString(), QString(), QString() });
        }
        const qint64 qty = rs.integer(6);
        const Currency raka = Currency::fromDouble(rs.real(4));
        const Currency sell = Currency::fromDouble(rs.real(5));
        const Currency amount = sell * qty;
        const Currency rod = Currency::fromDouble(rs.real(8));
        total += amount;
        off += rod;
        cost += raka * qty;
        sales += amount;
        discount += rod;
        s.rows.push_back({ QString(), rs.text(1), rs.text(2), rs.text(3), raka.format(),
            sell.format(), QString::number(qty), amount.format(), QString(), rs.text(7) });
    }
    closeReceipt();
    s.title = QStringLiteral("สรุปยอดขาย เดือน %1").arg(month.toString(QStringLiteral("MM/yyyy")));
    s.cost = cost.format();
    s.discount = discount.format();
    s.sales = (sales - discount).format();
    s.profit = (sales - cost - discount).format();
    return s;
}

struct Shown
{
    int pages = 0;
    double seconds = 0;
};

// From the opener's click to the viewer on the screen with its first page painted.
Shown throughTheViewer(const Rows &source)
{
    QElapsedTimer t;
    t.start();
    Fprint1 w(source);
    w.Form_Load();
    w.show();
    w.repaint();
    QCoreApplication::processEvents();
    Shown s { w.ARViewer21->document().pageCount(), t.nsecsElapsed() / 1e9 };
    w.close();
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);
    Connection db;
    db.open(sharedShopDatabase());
    const QDate lastMonth(2026, 11, 1); // the generated year of sales ends in November 2026

    struct Case
    {
        const char *name;
        std::function<Rows()> read;
    };
    const Case cases[] = {
        { "stock_list", [&] { return stockList(db); } },
        { "month_of_detailed_sales", [&] { return monthOfSales(db, lastMonth); } },
    };
    for (const Case &c : cases) {
        QElapsedTimer t;
        t.start();
        const Rows rows = c.read();
        const double readSeconds = t.nsecsElapsed() / 1e9;
        const Shown shown = throughTheViewer(rows);
        std::printf("stock_report_bench %s: %d rows read in %.3f s, viewer with %d pages in "
                    "%.3f s\n",
            c.name, rows.rowCount(), readSeconds, shown.pages, shown.seconds);
        std::printf("RESULT stock_report_s case=%s rows=%d pages=%d read=%.3f total=%.3f "
                    "peak_mb=%.1f\n",
            c.name, rows.rowCount(), shown.pages, readSeconds, shown.seconds,
            bench::peakMegabytes());
        std::fflush(stdout);
    }
    return 0;
}
