#pragma once
#include "SummaryLines.h"
#include "SummaryViews.h"
#include "records/Codes.h"
#include "records/Currency.h"
#include <QWidget>
#include <memory>
#include <optional>

class DataGrid;
class PeriodControls;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QKeyEvent;
class QLineEdit;
class StockReportSource;
class TabLabel;
class KasmoButton;

// The sales summary page ("สรุปยอดการขาย"), the main frame's third page: the sale lines of a
// period in one grid with the cost, discount, sales and profit totals under it, the period
// controls, the views' buttons, the reload (F5) and the links to the user sales, the printed
// summary and the yearly chart. It opens on today's sales, grouped by receipt.
class SummaryPage : public QWidget
{
    Q_OBJECT
public:
    SummaryPage(); // loads
    ~SummaryPage() override;

    // Grid columns (column 0 is the hidden row-header column). 9 to 12 are hidden: the day,
    // the receipt number, the discount recorded on the line and the line's amount.
    enum Col {
        ColCode = 1,
        ColName = 2,
        ColDes = 3,
        ColCost = 4,
        ColPrice = 5,
        ColQty = 6,
        ColAmount = 7, // "หน่วยนับ" until a view shows amounts there
        ColSpare = 8, // shown, no header, always empty
        ColDay = 9, // empty only in group header rows
        ColReceipt = 10,
        ColLineDiscount = 11,
        ColLineAmount = 12,
        ColCount = 12,
    };

    // Colours that carry meaning on the page.
    static const QColor OddRows; // RGB(159,185,199); every row once grouped
    static const QColor EvenRows; // RGB(240,240,240)
    static const QColor HeaderBack; // RGB(219,226,224): a group header row, and the page
    static const QColor HeaderText; // RGB(21,66,139): header rows' text and the links

    // "สินค้าที่ขายได้ วันนี้  ( dd/MM/yyyy )" for the clock's today.
    static QString todayTitle();

    // What the stock report's summary layout prints: this page's grid, totals and view.
    const StockReportSource &printSource() const { return *m_print; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    class Printout;

    void openOnToday();
    bool reloadOnF5(const QKeyEvent *event);
    void fitToSize();
    void reload();
    void printSummary();
    void openYearChart();
    void openUserSales();

    // The views of the chosen period (their data side is SummaryViews).
    void showDetailed(); // every sale line, grouped by receipt
    void showBrief(); // one row per receipt
    void showBestSellers();
    void showPerDay(); // one row per day, or per month over a whole year

    // Empties the grid and lays it out for the next view.
    void resetGrid();
    // Today's sales, one header row per receipt. A query the database refuses shows an error,
    // leaves the grid and the totals as they were and returns false.
    bool loadTodaysSales();
    // The rows of a view that lists sale lines, written into the grid as rows 1..n.
    void fillLines(const QList<SummaryLine> &lines);
    // Sets the discount total that sumTotals takes off.
    void setDiscountTotal(Currency discount);
    // Cost, sales less discount and profit less discount from the grid's detail rows.
    void sumTotals();
    void sortByKey(int keyCol);
    // Sorts by the key column and puts a header row with the group's discount, total and net
    // above each run of equal keys. The grid holds detail rows only when it is called.
    void groupUnderHeaders(int keyCol);
    // Colours the header row the grouping inserted at `row`; its key stands in column 1.
    void styleHeaderRow(int row);
    void setTotals(const QString &cost, const QString &sales, const QString &profit);
    void showTotals(const SummaryViews::Totals &totals);
    void zeroTotals();
    void cleanSearchBox();
    std::optional<SummaryViews::Result> findSummary(SummaryViews::View view);
    void showCondensed(SummaryViews::Result &result);

    QLabel *banner = nullptr; // holds the links
    TabLabel *userSalesLink = nullptr;
    TabLabel *printLink = nullptr;
    TabLabel *yearChartLink = nullptr;
    QLabel *userSalesIcon = nullptr, *printIcon = nullptr, *yearChartIcon = nullptr;
    QFrame *periodBand = nullptr;
    QCheckBox *weekCheck = nullptr;
    QLineEdit *searchBox = nullptr; // the search text the views apply
    QGroupBox *monthFrame = nullptr;
    QComboBox *monthList = nullptr; // the month, or the whole year
    QGroupBox *dayFrame = nullptr;
    QCheckBox *dayCheck = nullptr;
    QLineEdit *dayBox = nullptr;
    QGroupBox *yearFrame = nullptr;
    QLineEdit *yearBox = nullptr;
    KasmoButton *detailedButton = nullptr;
    KasmoButton *briefButton = nullptr;
    KasmoButton *bestSellersButton = nullptr;
    KasmoButton *perDayButton = nullptr;
    KasmoButton *reloadButton = nullptr;
    QLabel *titleBand = nullptr; // holds the title
    QLabel *titleLabel = nullptr; // names the view shown
    DataGrid *summaryGrid = nullptr;
    QWidget *m_totals = nullptr; // the band of the four totals, kept at the page's bottom
    QFrame *costFrame = nullptr, *discountFrame = nullptr, *salesFrame = nullptr,
           *profitFrame = nullptr;
    QLabel *costCaption = nullptr, *costFigure = nullptr;
    QLabel *discountCaption = nullptr, *discountFigure = nullptr;
    QLabel *salesCaption = nullptr, *salesFigure = nullptr; // sales less discount
    QLabel *profitCaption = nullptr, *profitFigure = nullptr; // profit less discount
    PeriodControls *m_period = nullptr;

    SummaryMode m_view = SummaryMode::Detailed; // what the grid shows, for the printout
    Currency m_discount;
    std::unique_ptr<StockReportSource> m_print;
};
