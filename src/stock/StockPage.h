#pragma once
#include "stock/StockReportSource.h"
#include <QWidget>
#include <functional>
#include <optional>

class DataGrid;
class KasmoButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

// The stock page: the product list with its searches and filters, the low-stock alert of the
// main frame, and the doors to the product editor, the stock update, the movement history and
// the stock report. The stock report prints the list through StockReportSource.
class StockPage : public QWidget, public StockReportSource
{
    Q_OBJECT
public:
    // Which products the list shows when it loads with its filter.
    enum class ProductFilter { None, TextOrQuantity, LowStock, Group, Place };

    StockPage(); // loads the full list

    // Loads the list: the full list, or with applyFilter the products filter() names.
    // Counts the low-stock products first (updateLowStockAlert). Throws DbError when the list's
    // query fails; the grid, the count and the search band then stay as they were.
    void loadProducts(bool applyFilter);
    // Shows the low-stock view (the main frame's alert button).
    void showLowStock();
    // Counts the products below their low-stock limit and shows the count on the main frame's
    // alert button; a failing count hides it.
    void updateLowStockAlert();

    // The filter of the last search or choice; kept across full loads.
    ProductFilter filter() const { return m_filter; }

    // The windows the page opens, each modal; set once at start-up. An empty entry opens the
    // program's own window (ProductEditor, GoodsReceivedWindow, HistoryWindow, StockReportViewer).
    // The editor and the stock update return whether they saved; the page then reloads the
    // full list.
    struct Windows
    {
        // productKey: the product to change, none for a new one.
        std::function<bool(std::optional<int> productKey)> productEditor;
        std::function<bool()> stockUpdate;
        std::function<void()> history;
        std::function<void(StockPage &)> stockReport; // the page is the source, staying underneath
    };
    static void setWindows(const Windows &w);
    static const Windows &windows();

    // "ข้อมูลทั้งหมด :  1,234  รายการ"
    static QString countText(int rows);

    // The stock list as the stock report prints it: the grid's rows and cells as shown.
    StockDocument document() const override;
    int rowCount() const override;
    QString cell(int row, int col) const override;
    QString text(Text which) const override;

protected:
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void buildControls();
    void placeDesign();
    void stretchToWidth();
    void setUpGrid();
    void enableSearchBand(bool on);
    void focusGrid();
    // loadProducts for a command: a database failure is shown, never taken for an empty list.
    void loadShowingFailure(bool applyFilter);
    // Runs a modal dialog that may save; reloads the full list when it did.
    void runSavingDialog(const std::function<bool()> &open);

    void searchProducts();
    void filterSearchKey(int &key);
    void toggleBelowQuantity();
    void filterByGroup();
    void filterByPlace();
    void addProduct();
    void editActiveProduct();
    void deleteProduct();
    void openStockUpdate();
    void reloadProducts();
    void openHistory();
    void printList();
    void runGridCommand(int &key);

    KasmoButton *addProductButton = nullptr;
    KasmoButton *deleteProductButton = nullptr;
    KasmoButton *stockUpdateButton = nullptr;
    KasmoButton *reloadButton = nullptr;
    KasmoButton *historyButton = nullptr;
    QLabel *countBand = nullptr;
    QLabel *countLabel = nullptr;
    QFrame *searchBand = nullptr;
    QCheckBox *belowQuantitySwitch = nullptr;
    QLineEdit *searchBox = nullptr;
    KasmoButton *searchButton = nullptr;
    QComboBox *groupFilter = nullptr;
    QComboBox *placeFilter = nullptr;
    KasmoButton *printButton = nullptr;
    DataGrid *productGrid = nullptr;
    QLabel *headerBar = nullptr;

    ProductFilter m_filter = ProductFilter::None;
};
