#pragma once
#include <QDialog>
#include <memory>

class ReceiptLayout;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
struct StoredSale;
class ReportViewer;
class KasmoButton;

// The receipt window ("ตั้งค่าการพิมพ์"): edits the receipt layout, row 1 of tblSetPrint, and
// shows the receipt in its viewer. Module1::PrintSource tells its two uses apart: the set-up
// (sample lines) and the sale being saved (the sale page's lines, printed at once when the
// layout says so).
class ReceiptWindow : public QDialog
{
    Q_OBJECT
public:
    // sale: the stored sale the receipt prints (null for the set-up).
    explicit ReceiptWindow(QWidget *parent = nullptr, const StoredSale *sale = nullptr);
    ~ReceiptWindow() override;

    // Opens the window as its openers do, with PrintSource already set: loads it, and shows it
    // modally unless it closed itself while loading (print at once in the sale use).
    static void openWindow(QWidget *parent = nullptr, const StoredSale *sale = nullptr);

    // Boxes, named as in the layout record's table (column and box names differ on purpose).
    QLineEdit *Text7; // header line 1
    QLineEdit *Text10; // its font size
    QLineEdit *Text9; // header line 2
    QLineEdit *Text11; // its font size (and the receipt-number line's)
    QLineEdit *text3; // paper width, cm
    QLineEdit *text4; // paper length, cm
    QLineEdit *Text1; // top margin
    QLineEdit *text2; // bottom margin
    QLineEdit *Text5; // left margin
    QLineEdit *Text6; // right margin
    QLineEdit *Text8; // item lines font size
    QLineEdit *Text12; // totals font size
    QLineEdit *Text13; // footer font size
    QPlainTextEdit *Text14; // footer text
    QCheckBox *Check1; // header line 1 bold
    QCheckBox *Check2; // header line 2 bold
    QCheckBox *Check3; // show the unit price
    QCheckBox *Check4; // print at once when a sale is saved
    KasmoButton *kasmoButton1; // save or preview
    QPushButton *Command1, *Command7, *Command5, *Command4, *Command2; // paper presets
    QPushButton *Command3, *Command6; // export PDF, Excel
    QLabel *Image1;
    ReportViewer *ARViewer21;

    QString footerText() const; // Text14's text

    // The window's operations.
    void Form_Load();
    void Showdata();
    void kasmoButton1_Click();
    void Check4_Click();
    void Command1_Click();
    void Command7_Click();
    void Command5_Click();
    void Command4_Click();
    void Command2_Click();
    void Command3_Click();
    void Command6_Click();

    // The receipt the viewer holds now.
    ReceiptLayout *report() const { return m_report.get(); }
    // True once the window closed itself while loading.
    bool unloadedWhileLoading() const { return m_unloaded; }

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void buildWindow();
    void Form_Resize();
    void makePreview();
    void storeLayout();
    void setPaper(const QString &width, const QString &length, bool editable);
    bool checkBoxes();

    const StoredSale *m_sale;
    std::unique_ptr<ReceiptLayout> m_report;
    QWidget *m_leftColumn = nullptr;
    QLabel *m_footerLabel = nullptr;
    bool m_unloaded = false;
};
