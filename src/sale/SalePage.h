#pragma once
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

// The sale page. It holds the sale being entered as a Sale value, shows it in fpSpread1 and
// the labels, and changes it only through the sale's rules. Its controls are public so that
// tests drive them as a cashier does; nothing reads a figure back from them.
class SalePage : public QWidget, public LineGridTarget
{
    Q_OBJECT
public:
    explicit SalePage(QWidget *parent = nullptr);
    ~SalePage() override;

    // Controls.
    QLabel *Label13 = nullptr; // "&รหัสสินค้า [บาร์โค้ด]"
    QLabel *Label18 = nullptr; // its return-mode caption
    QLineEdit *txtSearchProduct = nullptr;
    KasmoButton *cmdSearch = nullptr;
    QLabel *Label10 = nullptr;
    QComboBox *Combo2 = nullptr; // PriceType of the sale
    QLabel *Label15 = nullptr;
    QLabel *Label8 = nullptr; // the chosen price list
    DataGrid *fpSpread1 = nullptr; // the sale lines
    DataGrid *fpSpread2 = nullptr; // one held sale, hidden
    QLabel *Label14 = nullptr;
    QLineEdit *text2 = nullptr; // discount value
    QComboBox *Combo1 = nullptr; // 0 percent, 1 baht
    QLabel *Label5 = nullptr;
    QLineEdit *Text1 = nullptr; // cash received
    QLabel *Label6 = nullptr; // total, also the status line
    QLabel *Label7 = nullptr;
    QLabel *Label16 = nullptr; // net
    QLabel *Label17 = nullptr;
    QLabel *Label3 = nullptr; // change
    QLabel *Label4 = nullptr;
    QLabel *Label2 = nullptr; // line count
    QLabel *Image2 = nullptr; // product picture
    QLabel *Label11 = nullptr;
    QLabel *Label12 = nullptr; // "&คีย์ลัด"
    QCheckBox *Check1 = nullptr; // ask before saving
    QLineEdit *text3 = nullptr; // shows the last receipt number taken, hidden
    QLineEdit *Text8 = nullptr; // shows the discount in baht, hidden
    KasmoButton *pageButton1 = nullptr, *pageButton2 = nullptr, *pageButton3 = nullptr,
                *pageButton4 = nullptr;
    KasmoButton *kasmoButton1 = nullptr, *kasmoButton2 = nullptr, *kasmoButton3 = nullptr;
    KasmoButton *Command2 = nullptr, *Command6 = nullptr, *Command4 = nullptr;
    QLabel *Label9 = nullptr, *Label1 = nullptr;
    QFrame *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr;
    QFrame *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr, *Shape4 = nullptr,
           *Shape5 = nullptr, *Shape6 = nullptr, *Shape7 = nullptr, *Shape8 = nullptr,
           *Shape9 = nullptr;
    QLabel *Image3 = nullptr, *Image4 = nullptr, *Image7 = nullptr, *imgBarHeader = nullptr;

    // Page state.
    QString PictureFile;
    quint8 DrawerOn = 0;
    QString DrawerPort;
    qint32 NextMovementPK = 0;
    bool HasWholesaleLine = false;
    quint8 HeldPriceType = 0; // the price list of the held sale (fpSpread2)

    // The sale on the page, and the sale put aside by the hold button (shown in fpSpread2).
    const Sale &sale() const { return m_sale; }
    const std::optional<Sale> &heldSale() const { return m_held; }

    // Public procedures of the page.
    void CalTotalAmount();
    void CalTotalAmount2();
    void checksetting();
    // Shows the picture of a product from its stored picture file name (PDpic).
    void LoadPica(const QString &PDpic);
    // The price list of the sale.
    PriceType priceType() const;

    // What the search and quantity dialogs do to the sale (LineGridTarget).
    QString lineName(int row) const override;
    QString lineDescription(int row) const override;
    void addLine(const SaleProduct &product) override;
    void setQuantity(int row, qint64 quantity) override;

    // A confirmed single-line return of `returned` units of line `row` of the loaded bill,
    // `remaining` of them staying: the grid, the refund and the figures follow.
    void lineReturned(int row, qint64 returned, qint64 remaining);

    // Procedures and handlers.
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers Shift);
    void Form_Resize();
    // Empties the sale's lines and formats the grid.
    void SetupSpread();
    void AddProductLine();
    void SaveData1(bool print);
    // Steps of SaveData1, each one step of the sale's store; they do nothing outside a save.
    void takeReceiptNumber();
    void Logdata();
    void SetupNewData();
    // The drawer step; false (with the reason) when the drawer could not be signalled.
    bool OpenOnOFF(QString *error = nullptr);

    void Combo1_Click();
    void Combo2_Click();
    void Check1_Click();
    void text2_Change();
    void Text1_Change();
    void Text1_KeyPress(int &KeyAscii);
    void text2_KeyPress(int &KeyAscii);
    void txtSearchProduct_KeyPress(int &KeyAscii);
    void fpSpread1_Click(int col, int row);
    void fpSpread1_KeyDown(int &KeyCode);
    void cmdSearch_Click();
    void pageButton1_Click();
    void pageButton2_Click();
    void pageButton3_Click();
    void pageButton4_Click();
    void kasmoButton1_Click();
    void kasmoButton2_Click();
    void kasmoButton3_Click();
    void Label12_Click();

    // Return mode (SalePageReturn.cpp).
    void enterReturnMode();
    void Command2_Click();
    void Command6_Click();
    void Command4_Click();
    void fpSpread1_DblClick();
    void returnDrawerStep();

    // Windows of other folders that the page opens; set once at start-up. An empty one does
    // nothing. printReceipt runs after the sale is stored and before the page is emptied.
    struct Windows
    {
        std::function<void(QWidget *, const StoredSale &)>
            printReceipt; // the receipt window on the stored sale
    };
    static void setWindows(const Windows &w);
    static const Windows &windows();

    // The line count text of Label2.
    static QString lineCountText(int rows);
    // The page's colours.
    static QColor colour(unsigned bgr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildControls();
    void placeDesign();
    void emptyTotals();
    void showPicture(const QString &file);
    void setBoxColour(QLineEdit *box, unsigned bgr);
    void focusCodeBox();
    void showSale(); // fpSpread1 and Label2 from the sale
    QStringList lineCells(const SaleLine &line) const; // one grid row's texts
    void showMark(int index); // the line's price mark on its unit-price cell
    void removeLine();
    void applySwitch(bool ask);
    void emptyPage(const QString &status); // after a hold or a clear

    bool m_loading = false;
    QObject *m_lastKeyTarget = nullptr;
    Sale m_sale;
    std::optional<Sale> m_held;
    SaleStore *m_store = nullptr; // while SaveData1 stores the sale
};
