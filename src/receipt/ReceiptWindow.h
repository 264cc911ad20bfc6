#pragma once
#include "receipt/ReceiptLayout.h"
#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class ReportViewer;
class KasmoButton;

// The receipt window ("ตั้งค่าการพิมพ์"): edits the receipt layout, row 1 of tblSetPrint, and
// shows the receipt in its viewer. Its opener says which receipt it shows: the set-up's sample
// lines, or the sale being saved (printed at once when the layout says so).
class ReceiptWindow : public QDialog
{
    Q_OBJECT
public:
    // sale: the stored sale the receipt prints (null for the set-up).
    explicit ReceiptWindow(ReceiptSource source = ReceiptSource::SetUp,
        const StoredSale *sale = nullptr, QWidget *parent = nullptr);
    ~ReceiptWindow() override;

    // Opens the window as its openers do: loads it, and shows it modally unless it closed
    // itself while loading (print at once in the sale use).
    static void open(
        ReceiptSource source, QWidget *parent = nullptr, const StoredSale *sale = nullptr);

    // Fills the boxes from the stored layout, previews, and prints at once where asked.
    void load();

    // The layout as the boxes hold it now.
    ReceiptSetup receiptSetup() const;
    // The receipt the viewer holds now.
    ReceiptLayout *report() const { return m_report.get(); }
    // True once the window closed itself while loading.
    bool closedWhileLoading() const { return m_closedWhileLoading; }

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void buildWindow();
    void placeControls();
    void loadLayout();
    void saveOrPreview();
    void showPreview();
    void storeLayout();
    void choosePaper(const QString &width, const QString &length, bool editable);
    bool checkBoxes();
    QString footerText() const;

    QLineEdit *headerLine1Box;
    QLineEdit *headerLine1SizeBox;
    QLineEdit *headerLine2Box;
    QLineEdit *headerLine2SizeBox; // also the receipt number's line
    QLineEdit *paperWidthBox;
    QLineEdit *paperLengthBox;
    QLineEdit *topMarginBox;
    QLineEdit *bottomMarginBox;
    QLineEdit *leftMarginBox;
    QLineEdit *rightMarginBox;
    QLineEdit *itemSizeBox;
    QLineEdit *totalsSizeBox;
    QLineEdit *footerSizeBox;
    QPlainTextEdit *footerBox;
    QCheckBox *headerLine1BoldCheck;
    QCheckBox *headerLine2BoldCheck;
    QCheckBox *unitPriceCheck;
    QCheckBox *printAtOnceCheck;
    KasmoButton *saveButton;
    QPushButton *a4Button, *a5Button, *paper80mmButton, *paper58mmButton, *customPaperButton;
    QPushButton *exportPdfButton, *exportExcelButton;
    QLabel *banner;
    ReportViewer *receiptViewer;

    const ReceiptSource m_source;
    const StoredSale *m_sale;
    std::unique_ptr<ReceiptLayout> m_report;
    QWidget *m_leftColumn = nullptr;
    QLabel *m_footerLabel = nullptr;
    bool m_closedWhileLoading = false;
};
