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

    // The received lines as the grid shows them.
    const StockUpdate &lines() const { return m_doc; }

    // What the product search and quantity dialogs do to the lines.
    QString lineName(int row) const override;
    QString lineDescription(int row) const override;
    // One more unit of the product, valued at its cost price: a new line on top or 1 more on
    // its line. The code box and the search dialog both add through here.
    void addLine(const SaleProduct &product) override;
    void setQuantity(int row, qint64 quantity) override;

    // What the goods-received document prints (StockReportSource).
    StockDocument document() const override;
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
    void startDocument();
    void setUpGrid();
    void stretchToSize();
    void runCommandKey(int &key);
    void takeCodeKey(int &key);
    void takeNumberKey(int &key);
    void takeRemarkKey(int &key);
    void addScannedProduct();
    void showLine(int row);
    // The total of all lines ("0.00" with none).
    void showTotal();
    void focusCodeBox();
    void setCodeBoxColour(unsigned bgr);

    void searchProducts();
    void editLineQuantity();
    void deleteLine();
    void leave();
    void save();
    void saveAndPrint();
    void saveDocument(bool print);
    void printDocument();

    QFrame *headerBand = nullptr;
    QLabel *headerBanner = nullptr;
    QLabel *headingLabel = nullptr;
    QFrame *headingRule = nullptr;
    QLabel *dateCaption = nullptr;
    QLabel *dateLabel = nullptr;
    QLabel *numberCaption = nullptr;
    QLineEdit *documentNumberBox = nullptr; // read-only
    QLabel *remarkCaption = nullptr;
    QLineEdit *remarkBox = nullptr;
    QLabel *totalPanel = nullptr;
    QLabel *totalCaption = nullptr;
    QLabel *totalLabel = nullptr;
    QFrame *codeBand = nullptr;
    QFrame *codeBandRule = nullptr;
    QLabel *codeCaption = nullptr;
    QLineEdit *codeBox = nullptr;
    KasmoButton *searchButton = nullptr;
    // Received lines: 0 PK (hidden), 1 code, 2 " " & name, 3 description, 4 quantity, 5 unit,
    // 6 cost price, 7 amount, 8 never filled. Row 1 is the top line.
    DataGrid *lineGrid = nullptr;
    QFrame *buttonBar = nullptr;
    QFrame *buttonBarEdge = nullptr;
    QFrame *buttonBarRule = nullptr;
    KasmoButton *saveButton = nullptr; // F9
    KasmoButton *saveAndPrintButton = nullptr; // F12
    KasmoButton *deleteLineButton = nullptr; // Del
    KasmoButton *leaveButton = nullptr;

    StockUpdate m_doc;
};
