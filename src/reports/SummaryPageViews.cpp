// The summary page's views of a chosen period: the data side (SummaryViews) finds the rows, the
// totals and the title; the page shows them in its grid and labels.
#include "SummaryPage.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/GridGrouping.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "shell/MainFrame.h"
#include "shell/Messages.h"
#include "shell/PeriodControls.h"
#include "shell/ShopDatabase.h"
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace SummaryViews;

namespace {
const QString kSummaryFailed = QStringLiteral("สรุปยอดการขายไม่สำเร็จ : ");
const QString kZero = QStringLiteral("0.00");
const QChar kNoBreakSpace(0x00A0);

// A money cell as the views write it ("-1,234.50"), read as Currency::fromText reads it but
// without a string per cell; any other text goes the long way.
Currency cellMoney(QByteArrayView t)
{
    qsizetype i = 0;
    const bool minus = !t.isEmpty() && t[0] == '-';
    if (minus)
        ++i;
    int64_t whole = 0;
    int digits = 0;
    for (; i < t.size() && (t[i] == ',' || (t[i] >= '0' && t[i] <= '9')); ++i)
        if (t[i] != ',') {
            whole = whole * 10 + (t[i] - '0');
            ++digits;
        }
    if (digits == 0 || digits > 14 || t.size() - i != 3 || t[i] != '.' || t[i + 1] < '0'
        || t[i + 1] > '9' || t[i + 2] < '0' || t[i + 2] > '9')
        return Currency::fromText(QString::fromUtf8(t));
    const int64_t units = whole * 10000 + (t[i + 1] - '0') * 1000 + (t[i + 2] - '0') * 100;
    return Currency::fromUnits(minus ? -units : units);
}
} // namespace

void SummaryPage::showTotals(const Totals &totals)
{
    setDiscountTotal(totals.discount);
    setTotals(totals.costText(), totals.salesText(), totals.profitText());
}

void SummaryPage::zeroTotals()
{
    setDiscountTotal(Currency());
    setTotals(kZero, kZero, kZero);
}

void SummaryPage::cleanSearchBox()
{
    // The quote, "%" and "*" leave the box; what stays is searched literally.
    for (const QChar c : { QLatin1Char('\''), QLatin1Char('%'), QLatin1Char('*') }) {
        QString t = searchBox->text();
        t.remove(c);
        searchBox->setText(t);
    }
}

// Runs a view's queries for the period the controls hold. The refusals and nothing found are
// told and shown here (their outcome comes back); a database that refuses a query is told and
// changes nothing on the page (no result at all).
std::optional<Result> SummaryPage::findSummary(View view)
{
    const PeriodFilter filter = m_period->filter();
    Result r;
    if (m_period->refuseMissingMonth()) {
        r.outcome = Outcome::NoMonth;
        return r;
    }
    if (filter.week)
        monthList->setCurrentIndex(-1); // the next run without the week box asks for a month
    if (filter.kind() == PeriodFilter::Kind::DayEveryMonth) {
        skipOnFailure("SummaryPage.resetGrid", [&] { resetGrid(); });
        MsgBox(yearWithDayText(), MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok,
            this);
        r.outcome = Outcome::YearWithDay;
        return r;
    }
    try {
        r = run(ShopDatabase::connection(), view,
            Request { filter, searchBox->text(), Clock::today() });
    } catch (const DbError &e) {
        // A refused query is not "nothing found": the page keeps what it showed.
        MsgBox(kSummaryFailed + e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
            MsgResult::Ok, this);
        return std::nullopt;
    }
    titleLabel->setText(r.title);
    if (r.outcome != Outcome::Shown) {
        skipOnFailure("SummaryPage.resetGrid", [&] { resetGrid(); });
        yearChartLink->setEnabled(false);
        zeroTotals();
        MsgBox(r.message, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
    }
    return r;
}

void SummaryPage::showDetailed()
{
    cleanSearchBox();
    BusyCursor busy; // a year of a busy shop takes a moment
    std::optional<Result> r = findSummary(View::Detailed);
    if (!r || r->outcome != Outcome::Shown)
        return;
    summaryGrid->setMaxRows(0); // the lines shown go once the new ones are read: both may not fit
    // The lines are grouped under their receipts before they go into the grid: a year of lines
    // takes no row inserts and no string per cell.
    const std::vector<int> headerRows = GridGrouping::groupRows(r->lines, ColReceipt,
        [](const GridGrouping::Run &, const GridGrouping::RunRows &lines, GridRows &header) {
            Currency total, discount;
            for (size_t i = 0; i < lines.size(); ++i) {
                total += cellMoney(lines[i].cell(ColLineAmount));
                discount += cellMoney(lines[i].cell(ColLineDiscount));
            }
            // The captions and amounts go in as UTF-8 pieces: a year has a hundred thousand
            // receipts. The key is the run's first row's.
            const QByteArrayView baht(" บาท");
            char d[32], t[32], n[32];
            header.addUtf8({});
            header.addUtf8(lines[0].cell(ColReceipt));
            header.addUtf8({ " ส่วนลด ", QByteArrayView(d, discount.formatInto(d)), baht });
            header.addUtf8({ " ยอดรวม ", QByteArrayView(t, total.formatInto(t)), baht });
            header.addUtf8(
                { " หักส่วนลดเหลือ ", QByteArrayView(n, (total - discount).formatInto(n)), baht });
        });
    DataGrid *g = summaryGrid;
    const bool drawing = g->redraw();
    g->setRedraw(false);
    skipOnFailure("SummaryPage.detailedButton", [&] {
        resetGrid();
        g->setRows(std::move(r->lines));
    });
    showTotals(r->totals);
    yearChartLink->setEnabled(r->chartLink);
    skipOnFailure("SummaryPage.detailedButton",
        [&] { g->setText(ColAmount, DataGrid::HeaderRow, QStringLiteral("รวมเป็นเงิน")); });
    m_view = SummaryMode::Detailed;
    for (const int headerRow : headerRows)
        skipOnFailure("SummaryPage.styleHeaderRow", [&] { styleHeaderRow(headerRow); });
    g->setActiveCell(ColCode, 1);
    g->setRedraw(drawing);
}

void SummaryPage::showBestSellers()
{
    cleanSearchBox();
    std::optional<Result> r = findSummary(View::BestSellers);
    if (!r || r->outcome != Outcome::Shown)
        return;
    skipOnFailure("SummaryPage.bestSellersButton", [&] {
        resetGrid();
        summaryGrid->setRows(std::move(r->lines));
    });
    yearChartLink->setEnabled(false);
    zeroTotals();
    m_view = SummaryMode::BestSellers;
}

void SummaryPage::showBrief()
{
    searchBox->clear();
    std::optional<Result> r = findSummary(View::Brief);
    if (!r)
        return;
    if (r->outcome != Outcome::Shown) {
        // The view starts from an empty grid: a refusal or nothing found leaves no rows.
        skipOnFailure("SummaryPage.resetGrid", [&] { resetGrid(); });
        zeroTotals();
        return;
    }
    showCondensed(*r);
}

void SummaryPage::showPerDay()
{
    searchBox->clear();
    std::optional<Result> r = findSummary(View::PerDay);
    if (!r || r->outcome != Outcome::Shown)
        return;
    showCondensed(*r);
}

// One row per receipt or per day, each as the grouping leaves a header row, under column
// headers that name the amounts.
void SummaryPage::showCondensed(Result &r)
{
    DataGrid *g = summaryGrid;
    const bool drawing = g->redraw();
    g->setRedraw(false);
    skipOnFailure("SummaryPage.showCondensed", [&] {
        resetGrid();
        if (r.lines.empty())
            g->setRows(std::move(r.rows));
        else
            g->setRows(std::move(r.lines));
        // Every row is a header row and holds its key already: it takes the header rows' colours
        // and joined amount cells here, their alignment and kind of cell for whole columns
        // below, which is what a header row's own settings would give (and a year of receipts
        // keeps no style per cell).
        if (g->maxRows() > 0)
            g->setOddEvenRowColors(OddRows, QColor(), OddRows, QColor());
        for (int row = 1; row <= g->maxRows(); ++row) {
            g->setBackColor(DataGrid::All, row, HeaderBack);
            g->setForeColor(DataGrid::All, row, HeaderText);
            g->addSpan(ColCost, row, 4, 1);
        }
        g->setText(ColCode, DataGrid::HeaderRow, r.columnOneHeader);
        g->setText(ColName, DataGrid::HeaderRow, QStringLiteral("ส่วนลด (บาท)") + kNoBreakSpace);
        g->setText(ColDes, DataGrid::HeaderRow, QStringLiteral("ยอดรวม (บาท)") + kNoBreakSpace);
        g->setText(
            ColCost, DataGrid::HeaderRow, QStringLiteral("หักส่วนลดเหลือ (บาท)") + kNoBreakSpace);
        g->setText(ColAmount, DataGrid::HeaderRow, QStringLiteral("รวมเป็นเงิน"));
        for (int c : { ColName, ColDes, ColCost }) {
            g->setHAlign(c, DataGrid::HeaderRow, Qt::AlignRight);
            g->setHAlign(c, DataGrid::All, Qt::AlignRight);
        }
        g->setCellKind(ColCost, DataGrid::All, CellKind::Edit);
        g->addSpan(ColCost, DataGrid::HeaderRow, 4, 1);
        g->setActiveCell(ColCode, 1);
    });
    g->setRedraw(drawing);
    showTotals(r.totals);
    yearChartLink->setEnabled(r.chartLink);
    m_view = SummaryMode::Brief;
}
