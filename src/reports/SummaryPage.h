#pragma once
#include "SummaryLines.h"
#include "SummaryViews.h"
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

    DataGrid *fpSpread1 = nullptr;
    QLabel *Label11 = nullptr; // the title of the view shown
    QLabel *Label1 = nullptr, *Label2 = nullptr; // cost: caption, value
    QLabel *Label9 = nullptr, *Label10 = nullptr; // discount: caption, value
    QLabel *Label4 = nullptr, *Label3 = nullptr; // sales less discount: caption, value
    QLabel *Label6 = nullptr, *Label5 = nullptr; // profit less discount: caption, value
    QFrame *Shape2 = nullptr, *Shape4 = nullptr, *Shape1 = nullptr, *Shape3 = nullptr;
    QFrame *Frame2 = nullptr; // the band of the period controls and buttons
    QCheckBox *Check1 = nullptr; // this week
    QGroupBox *Frame1 = nullptr; // "     วันที่"
    QCheckBox *Check2 = nullptr; // one day
    QLineEdit *text2 = nullptr; // the day
    QGroupBox *Frame3 = nullptr; // "เดือน"
    QComboBox *Combo1 = nullptr; // the month, or the whole year
    QGroupBox *Frame4 = nullptr; // "ปี (ค.ศ.)"
    QLineEdit *Text1 = nullptr; // the year
    QLineEdit *txt1 = nullptr; // the search text the views apply
    KasmoButton *cmdSearch = nullptr; // all receipts per day
    KasmoButton *kasmoButton1 = nullptr; // detailed by receipt
    KasmoButton *kasmoButton2 = nullptr; // one row per receipt
    KasmoButton *kasmoButton3 = nullptr; // best sellers
    KasmoButton *pageButton4 = nullptr; // reload (F5)
    TabLabel *Label13 = nullptr; // the user sales window
    TabLabel *Label7 = nullptr; // prints the summary
    TabLabel *Label8 = nullptr; // the yearly chart
    QLabel *Image4 = nullptr, *Image5 = nullptr, *Image6 = nullptr; // the links' icons
    QLabel *Image1 = nullptr; // the top banner, holding the links
    QLabel *Image10 = nullptr; // the banner under the period band, holding the title
    PeriodControls *period = nullptr;

    void Form_Load();
    void Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers Shift);
    void Form_Resize();
    void pageButton4_Click();
    void Check1_Click();
    void Check2_Click();
    void Label7_Click();
    void Label8_Click();
    void Label13_Click();

    // The views of the chosen period (their data side is SummaryViews).
    void kasmoButton1_Click(); // every sale line, grouped by receipt
    void kasmoButton2_Click(); // one row per receipt
    void kasmoButton3_Click(); // best sellers
    void cmdSearch_Click(); // one row per day, or per month over a whole year

    // Empties the grid and lays it out for the next view.
    void SetupSpread();
    // Today's sales, one header row per receipt. A query the database refuses shows an error,
    // leaves the grid and the totals as they were and returns false.
    bool Loaddata8();
    // The rows of a view that lists sale lines, written into the grid as rows 1..n.
    void fillLines(const QList<SummaryLine> &lines);
    // Sets the discount total (Label10) that CalTotalAmount5 takes off.
    void setDiscountTotal(Currency discount);
    Currency discountTotal() const { return m_discount; }
    // Cost, sales less discount and profit less discount from the grid's detail rows.
    void CalTotalAmount5();
    void SortData(int keyCol);
    // Sorts by the key column and puts a header row with the group's discount, total and net
    // above each run of equal keys. The grid holds detail rows only when it is called.
    void GroupBySpread(int keyCol);
    // Colours the header row the grouping inserted at `row` and writes its key into column 1.
    void InsertHeaderRow(int row, const QString &keyText);

    // What the stock report's summary layout prints: this page's grid and totals.
    const StockReportSource &printSource() const { return *m_print; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setTotals(const QString &cost, const QString &sales, const QString &profit);
    void showTotals(const SummaryViews::Totals &totals);
    void zeroTotals();
    void cleanSearchBox();
    std::optional<SummaryViews::Result> findSummary(SummaryViews::View view);
    void showCondensed(SummaryViews::Result &result);

    QWidget *m_totals = nullptr; // the band of the four totals, kept at the page's bottom
    Currency m_discount;
    std::unique_ptr<StockReportSource> m_print;
};
