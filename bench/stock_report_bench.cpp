// The stock report on the generated shop, as a person waits for it: from the click on the
// print button to the viewer on the screen with its first page painted, and what the program
// holds before, at its peak and after the viewer closes. Two printouts: the stock list of every
// product, opened from the stock page over its grid as the page fills it, and a month of
// detailed sales (a header row per receipt above its lines). The bare limit beside each: the
// report's distinct texts shaped once, in the same run.
#include "BenchSupport.h"
#include "SharedShop.h"
#include "ShopGenerator.h"
#include "button/KasmoButton.h"
#include "platform/db/Connection.h"
#include "platform/report/ReportLayout.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "records/Blanks.h"
#include "records/Codes.h"
#include "records/Currency.h"
#include "shell/ShopDatabase.h"
#include "stock/StockPage.h"
#include "stock/StockReportSource.h"
#include "stock/StockReportViewer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetricsF>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// What the process holds now, and the most it held since the last reset, in megabytes.
double statusMegabytes(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}
double residentMegabytes()
{
    return statusMegabytes("VmRSS:");
}
double peakSinceReset()
{
    return statusMegabytes("VmHWM:");
}
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

class Rows : public StockReportSource
{
public:
    SummaryMode mode = SummaryMode::Detailed;
    std::vector<QStringList> rows; // column 0 first
    QString title, cost, discount, sales, profit;

    StockDocument document() const override { return StockDocument::SalesSummary; }
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

// The sold lines of one month grouped under a header row per receipt, as the summary page
// leaves its grid for the detailed view.
Rows monthOfSales(Connection &db, const QDate &month)
{
    Rows s;
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

// The bare limit: every distinct text the report prints from its rows, shaped once in the
// report's detail font.
double shapeDistinctOnce(const StockReportSource &source, const QList<int> &columns, int *distinct)
{
    QSet<QString> texts;
    for (int r = 1; r <= source.rowCount(); ++r)
        for (int c : columns)
            texts.insert(trimBlanks(source.cell(r, c)));
    *distinct = int(texts.size());
    const QFontMetricsF fm(ReportFont().toQFont());
    QElapsedTimer t;
    t.start();
    double sum = 0;
    for (const QString &s : texts)
        sum += fm.horizontalAdvance(s);
    const double seconds = t.nsecsElapsed() / 1e9;
    if (sum < 0)
        std::printf("%f\n", sum); // keeps the loop
    return seconds;
}

struct Shown
{
    int pages = 0;
    double seconds = 0;
    double peakMb = 0;
    double beforeMb = 0;
    double afterCloseMb = 0;
};

// From `open` (the opener's click) to the viewer on the screen with its first page repainted;
// the viewer is closed as soon as it shows.
Shown throughTheViewer(const std::function<void()> &open)
{
    ScriptedDialogs dialogs;
    Shown s;
    QElapsedTimer t;
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<StockReportViewer *>(d);
        if (!w)
            return;
        w->repaint();
        QCoreApplication::processEvents();
        s.seconds = t.nsecsElapsed() / 1e9;
        s.pages
            = w->findChild<ReportViewer *>(QStringLiteral("reportViewer"))->document().pageCount();
        s.peakMb = peakSinceReset();
    });
    QCoreApplication::processEvents();
    s.beforeMb = residentMegabytes();
    resetPeak();
    t.start();
    open();
    QCoreApplication::processEvents();
    s.afterCloseMb = residentMegabytes();
    return s;
}

void print(const char *name, int rows, int distinct, const Shown &shown, double bare)
{
    std::printf("stock_report_bench %s: %d rows (%d distinct texts), viewer with %d pages in "
                "%.3f s (the distinct texts shaped once: %.3f s); %.1f MB before, %.1f MB at "
                "the peak, %.1f MB after the viewer closed\n",
        name, rows, distinct, shown.pages, shown.seconds, bare, shown.beforeMb, shown.peakMb,
        shown.afterCloseMb);
    std::printf("RESULT stock_report_s case=%s rows=%d pages=%d total=%.3f bare_s=%.3f "
                "peak_mb=%.1f before_mb=%.1f after_close_mb=%.1f\n",
        name, rows, shown.pages, shown.seconds, bare, shown.peakMb, shown.beforeMb,
        shown.afterCloseMb);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!takeShopOptions(argc, argv))
        return 2;
    QApplication app(argc, argv);
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/stock-report-bench-XXXXXX"));
    linkSharedShopInto(dir.path());
    ProgramFolder::setForTests(dir.path());
    ShopDatabase::open();
    ScriptedMessageBoxes msgs;

    {
        // The stock page fills its grid with every product; its print button opens the report.
        auto *page = new StockPage;
        page->resize(1280, 760);
        page->show();
        QCoreApplication::processEvents();
        const Shown shown = throughTheViewer([&] {
            QTest::mouseClick(
                page->findChild<KasmoButton *>(QStringLiteral("printButton")), Qt::LeftButton);
        });
        int distinct = 0;
        const double bare = shapeDistinctOnce(*page, { 1, 2, 3, 4, 5, 6, 8 }, &distinct);
        print("stock_list", page->rowCount(), distinct, shown, bare);
        delete page;
    }
    {
        const Rows rows = monthOfSales(ShopDatabase::connection(), QDate(2026, 11, 1));
        const Shown shown = throughTheViewer([&] { StockReportViewer::showReport(rows); });
        int distinct = 0;
        const double bare = shapeDistinctOnce(rows, { 1, 2, 3, 4, 5, 6, 7 }, &distinct);
        print("month_of_detailed_sales", rows.rowCount(), distinct, shown, bare);
    }
    ShopDatabase::close();
    return 0;
}
