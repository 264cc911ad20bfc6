#pragma once
#include "stock/StockReportSource.h"
#include <QWidget>
#include <functional>

class DataGrid;
class KasmoButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

// The stock page: the product list with its searches and filters, the low-stock alert of the
// main frame, and the doors to the product editor, the stock update, the movement history and
// the stock report. Its controls are public: the tests read them by name. The stock report
// prints the list through StockReportSource.
class StockPage : public QWidget, public StockReportSource
{
    Q_OBJECT
public:
    StockPage(); // loads the full list

    // Public procedures.
    // Loads the list: the full list, or with blnSearch the search or filter SearchMode names.
    // Counts the low-stock products first (updateLowStockAlert). Throws DbError when the list's
    // query fails; the grid, the count and the search band then stay as they were.
    void loadProducts(bool blnSearch);
    // Shows the low-stock view (the main frame's alert button).
    void showLowStock();
    // Counts the products below their low-stock limit and shows the count on the main frame's
    // alert button; a failing count hides it.
    void updateLowStockAlert();

    // The windows the page opens, each modal; set once at start-up. An empty entry opens the
    // program's own window (ProductEditor, GoodsReceivedWindow, HistoryWindow, StockReportViewer).
    // The editor and the stock update set Module1::DataChanged after a save; the page clears it
    // before and reloads the full list when it finds it set after the dialog closed.
    struct Windows
    {
        std::function<void()> productEditor; // reads NewItemMode and SelectedProductPK
        std::function<void()> stockUpdate;
        std::function<void()> history;
        std::function<void(StockPage &)> stockReport; // the page is the source, staying underneath
    };
    static void setWindows(const Windows &w);
    static const Windows &windows();

    // Controls.
    KasmoButton *pageButton1 = nullptr; // add a product (F12)
    KasmoButton *pageButton2 = nullptr; // delete the product of the active row (Del)
    KasmoButton *pageButton3 = nullptr; // stock update (F9)
    KasmoButton *pageButton4 = nullptr; // reload (F5)
    KasmoButton *pageButton5 = nullptr; // movement history
    QLabel *Label1 = nullptr; // coloured band behind the count
    QLabel *Label2 = nullptr; // the count of listed products
    QFrame *Frame1 = nullptr; // the search band
    QCheckBox *Check1 = nullptr; // below-quantity search
    QLineEdit *txt1 = nullptr; // search text or quantity
    KasmoButton *cmdSearch = nullptr;
    QComboBox *Combo2 = nullptr; // group filter
    QComboBox *Combo1 = nullptr; // storage-place filter
    KasmoButton *kasmoButton1 = nullptr; // print the stock list
    DataGrid *fpSpread1 = nullptr; // the products
    QLabel *imgBarHeader = nullptr;

    // 0 nothing chosen, 1 text or below-quantity search, 3 low stock, 10 group, 20 place.
    int SearchMode = 0;

    // Handlers.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void SetupSpread();
    void cmdSearch_Click();
    void txt1_KeyPress(int &KeyAscii);
    void Check1_Click();
    void Combo1_Click();
    void Combo2_Click();
    void pageButton1_Click();
    void pageButton2_Click();
    void pageButton3_Click();
    void pageButton4_Click();
    void pageButton5_Click();
    void kasmoButton1_Click();
    void fpSpread1_DblClick();
    void fpSpread1_KeyDown(int &KeyCode);

    // "ข้อมูลทั้งหมด :  1,234  รายการ"
    static QString countText(int rows);

    // The stock list as the stock report prints it: the grid's rows and cells as shown.
    int document() const override;
    int rowCount() const override;
    QString cell(int row, int col) const override;
    QString text(Text which) const override;

protected:
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void buildControls();
    void placeDesign();
    void enableSearchBand(bool on);
    void focusGrid();
    // loadProducts for a command: a database failure is shown, never taken for an empty list.
    void load(bool blnSearch);
    // Runs a modal dialog that may save; reloads the full list when it did.
    void runSavingDialog(const std::function<void()> &open);
    static std::function<void()> productEditor(); // the opener's, or ProductEditor
};
