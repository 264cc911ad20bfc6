#pragma once
#include "sale/LineGridTarget.h"
#include "stock/StockReportSource.h"
#include "stock/StockUpdate.h"
#include <QDialog>

class DataGrid;
class KasmoButton;
class QFrame;
class QLabel;
class QLineEdit;
struct SaleProduct;

// The stock update window ("อัพเดทสต๊อก"): goods received. Products come in by their code
// (scanner or keyboard) or from the product search dialog, one line per product with its
// quantity, cost price and line total; the save raises the stock under a new document number
// and can print the goods-received document. The lines are a StockUpdate value that the grid
// shows; the save goes through StockUpdateStore.
class GoodsReceivedWindow : public QDialog, public LineGridTarget, public StockReportSource
{
    Q_OBJECT
public:
    GoodsReceivedWindow();
    ~GoodsReceivedWindow() override;

    // How the stock page opens the window: a fresh instance, modal, unloaded when it closes.
    // True when a save completed.
    static bool showModal();

    // Controls.
    QFrame *Frame1 = nullptr; // top band
    QLabel *imgBarHeader = nullptr;
    QLabel *lblSidebar = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label3 = nullptr; // the document's date-time
    QLabel *Label2 = nullptr;
    QLineEdit *text0 = nullptr; // document number, read-only
    QLabel *Label5 = nullptr;
    QLineEdit *Text1 = nullptr; // remark
    QLabel *Label4 = nullptr; // panel behind the total
    QLabel *Label7 = nullptr;
    QLabel *Label6 = nullptr; // total cost of all lines
    QFrame *Frame2 = nullptr; // code band
    QFrame *Shape4 = nullptr;
    QLabel *Label8 = nullptr;
    QLineEdit *txtSearchProduct = nullptr; // the code box
    KasmoButton *cmdSearch = nullptr;
    // Received lines: 0 PK (hidden), 1 code, 2 " " & name, 3 description, 4 quantity, 5 unit,
    // 6 cost price, 7 amount, 8 never filled. Row 1 is the top line.
    DataGrid *fpSpread1 = nullptr;
    QFrame *Frame3 = nullptr; // button bar
    QFrame *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr;
    KasmoButton *Command1 = nullptr; // save (F9)
    KasmoButton *pageButton1 = nullptr; // save and print (F12)
    KasmoButton *pageButton2 = nullptr; // delete the active line (Del)
    KasmoButton *pageButton3 = nullptr; // leave

    // The received lines as the grid shows them.
    const StockUpdate &lines() const { return m_doc; }

    // Procedures.
    void Form_Load();
    void Form_Resize();
    void Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers Shift);
    void SetupSpread();
    void ScanProduct();
    // Label6 = the total of all lines ("0.00" with none).
    void CalTotalAmount();
    // Line EditRow shows its quantity and line total again.
    void CalTotalAmount2();
    void SaveDatas(bool ExcelOK);
    void PrintNA();

    // Handlers.
    void txtSearchProduct_KeyPress(int &KeyAscii);
    void text0_KeyPress(int &KeyAscii);
    void Text1_KeyPress(int &KeyAscii);
    void cmdSearch_Click();
    void fpSpread1_DblClick();
    void Command1_Click();
    void pageButton1_Click();
    void pageButton2_Click();
    void pageButton3_Click();

    // What the product search and quantity dialogs do to the lines.
    QString lineName(int row) const override;
    QString lineDescription(int row) const override;
    // One more unit of the product, valued at its cost price: a new line on top or 1 more on
    // its line. The code box and the search dialog both add through here.
    void addLine(const SaleProduct &product) override;
    void setQuantity(int row, qint64 quantity) override;

    // What the goods-received document prints (StockReportSource).
    int document() const override;
    int rowCount() const override;
    QString cell(int row, int col) const override;
    QString text(Text which) const override;

    // The document-number box until a save has given the number.
    static const QString AutoNumberText;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void buildControls();
    void showLine(int row);
    void focusCodeBox();
    void setCodeBoxColour(unsigned bgr);

    StockUpdate m_doc;
};
