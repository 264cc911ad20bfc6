#pragma once
#include "sale/Counters.h"
#include "sale/LineGridTarget.h"
#include "sale/Sale.h"
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>

class DataGrid;
class KasmoButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class SaleStore;
struct StoredSale;

// The sale page. It holds the sale being entered as a Sale value, shows it in the sale grid and
// the figures, and changes it only through the sale's rules; nothing reads a figure back from
// the screen. In return mode the page shows a stored bill instead and returns it whole or line
// by line.
class SalePage : public QWidget, public LineGridTarget
{
    Q_OBJECT
public:
    explicit SalePage(QWidget *parent = nullptr);
    ~SalePage() override;

    // The sale on the page.
    const Sale &sale() const { return m_sale; }

    // Reads the save question and the cash drawer switches again (the settings window changed
    // them).
    void readSwitches();
    // The cash drawer as the page last read it.
    const DrawerSetting &drawer() const { return m_drawer; }
    // What the search and quantity dialogs do to the sale (LineGridTarget).
    QString lineName(int row) const override;
    QString lineDescription(int row) const override;
    void addLine(const SaleProduct &product) override;
    void setQuantity(int row, qint64 quantity) override;

    // Windows of other folders that the page opens; set once at start-up. An empty one does
    // nothing. printReceipt runs after the sale is stored and before the page is emptied.
    struct Windows
    {
        std::function<void(QWidget *, const StoredSale &)>
            printReceipt; // the receipt window on the stored sale
    };
    static void setWindows(const Windows &w);
    static const Windows &windows();

    // The line count text under the price list.
    static QString lineCountText(int rows);
    // The page's colours.
    static QColor colour(unsigned bgr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void buildControls();
    // The price list of the sale.
    PriceType priceType() const;
    void placeDesign();
    void startSelling();
    void arrangeControls();
    void runPageKey(int &key);
    void emptyTotals();
    void showPicture(const QString &file);
    // Shows the picture of a product from its stored picture file name (PDpic).
    void showProductPicture(const QString &storedName);
    void setBoxColour(QLineEdit *box, unsigned bgr);
    void focusCodeBox();
    void resetGrid(); // no lines, the grid formatted
    void showSale(); // the grid and the line count from the sale
    QStringList lineCells(const SaleLine &line) const; // one grid row's texts
    void showMark(int index); // the line's price mark on its unit-price cell
    void showTotals();
    void repriceLine(int row);
    void removeLine();
    void emptyPage(const QString &status); // after a hold or a clear

    void codeBoxKey(int &key);
    void discountBoxKey(int &key);
    void cashBoxKey(int &key);
    void addScannedProduct();
    void changeDiscountKind();
    void changePriceList();
    void saveAskSwitch();
    void applyDiscount();
    void applyCash();
    void showLineProduct(int row);
    void gridKey(int &key);
    void openProductSearch();
    void showShortcuts();

    void saveSale(bool print);
    void saveAndPrint();
    // Steps of saveSale, each one step of the sale's store; they do nothing outside a save.
    void takeReceiptNumber();
    void takeMovementKeys();
    void storeLines();
    // The drawer step; false (with the reason) when the drawer could not be signalled.
    bool openDrawer(QString *error = nullptr);

    // Clear, hold and recall (SalePageHold.cpp).
    void clearSale();
    void holdSale();
    void recallSale();

    // Return mode (SalePageReturn.cpp).
    void enterReturnMode();
    void loadBill();
    void returnWholeBill();
    void leaveReturnMode();
    void changeOrReturnLine();
    // A stored return of `returned` units of line `row` of the loaded bill, `remaining` of
    // them staying: the grid, the refund and the figures follow.
    void showLineReturned(int row, qint64 returned, qint64 remaining);
    void openDrawerAfterReturn();

    QLabel *codeCaption = nullptr;
    QLabel *billNumberCaption = nullptr;
    QLineEdit *codeBox = nullptr;
    KasmoButton *searchButton = nullptr;
    QLabel *priceListCaption = nullptr;
    QComboBox *priceList = nullptr;
    QLabel *chosenPriceCaption = nullptr;
    QLabel *chosenPriceLabel = nullptr;
    DataGrid *saleGrid = nullptr;
    DataGrid *heldGrid = nullptr; // hidden
    QLabel *discountCaption = nullptr;
    QLineEdit *discountBox = nullptr;
    QComboBox *discountKind = nullptr;
    QLabel *cashCaption = nullptr;
    QLineEdit *cashBox = nullptr;
    QLabel *totalLabel = nullptr; // also the status line
    QLabel *totalCaption = nullptr;
    QLabel *netLabel = nullptr;
    QLabel *netCaption = nullptr;
    QLabel *changeLabel = nullptr;
    QLabel *changeCaption = nullptr;
    QLabel *lineCountLabel = nullptr;
    QLabel *productPicture = nullptr;
    QLabel *pictureCaption = nullptr;
    QLabel *shortcutsLink = nullptr;
    QCheckBox *askBeforeSaving = nullptr;
    QLineEdit *receiptNumberBox = nullptr; // hidden
    QLineEdit *discountBahtBox = nullptr; // hidden
    KasmoButton *saveButton = nullptr, *saveAndPrintButton = nullptr, *removeLineButton = nullptr,
                *returnModeButton = nullptr;
    KasmoButton *clearButton = nullptr, *holdButton = nullptr, *recallButton = nullptr;
    KasmoButton *loadBillButton = nullptr, *returnWholeBillButton = nullptr,
                *leaveReturnModeButton = nullptr;
    QLabel *titleLabel = nullptr, *separatorLabel = nullptr;
    QFrame *figuresPanel = nullptr, *gridRule = nullptr, *bottomPanel = nullptr;
    QFrame *figuresBack = nullptr, *cashBack = nullptr, *discountBack = nullptr,
           *headerBack = nullptr, *totalBack = nullptr, *netBack = nullptr, *changeBack = nullptr,
           *discountUnderline = nullptr, *cashUnderline = nullptr;
    QLabel *priceListBar = nullptr, *bahtSign = nullptr, *keyboardIcon = nullptr,
           *headerBar = nullptr;

    QString m_pictureFile;
    DrawerSetting m_drawer;
    qint32 m_nextMovementKey = 0;
    bool m_billHasWholesaleLine = false;
    PriceType m_heldPriceType = PriceType::Normal; // the price list of the held sale
    bool m_returning = false; // return mode
    QString m_returnBillNo; // the receipt number of the bill loaded for return

    bool m_loading = false;
    Sale m_sale;
    std::optional<Sale> m_held;
    SaleStore *m_store = nullptr; // while saveSale stores the sale
};
