#pragma once
#include "labels/LabelSheetLayout.h"

#include <QColor>
#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ReportViewer;
class KasmoButton;

// The label window ("สร้างบาร์โค๊ด"): one barcode value laid out on a sheet of labels. The
// preview checks the set-up boxes, shows the sheet in the viewer and stores the layout, row 1
// of tblSetBarcode, which the window reads back when it opens.
class LabelWindow : public QDialog
{
    Q_OBJECT
public:
    LabelWindow();
    ~LabelWindow() override;

    // Shows the window modally; the caller waits until it closes.
    static void showModal();

    // Boxes, named as the layout row's table names them.
    QLineEdit *Text15; // barcode value; Enter looks the product up
    QLineEdit *Text14; // first label position on the sheet
    QLineEdit *Text16, *Text17; // text lines 1 and 2
    QLineEdit *Text18, *Text19; // their font sizes
    QCheckBox *Check1, *Check2; // their bold flags
    QLineEdit *text3, *text4; // paper width and length, cm
    QPushButton *Command1; // "กำหนดขนาดเอง": custom paper
    QPushButton *Command2; // "กำหนดเป็น A4"
    QRadioButton *Option1, *Option2; // portrait, landscape
    QLineEdit *Text1, *text2, *Text5, *Text6; // margins top, bottom, left, right, cm
    QComboBox *Combo1; // "Code_128", "EAN_13"
    QLineEdit *Text7; // barcode length (bar height), cm
    QLineEdit *Text12; // bar thickness
    QLineEdit *Text9; // labels per row
    QLineEdit *Text10, *Text11; // spacing to the right and downwards, cm
    QLineEdit *Text13; // labels to print
    QLineEdit *Text8; // font size of the barcode's text
    QPushButton *Command3; // "กดเพื่อเลือกสี": shows the label colour
    QPushButton *Command4; // "ส่งออก PDF"
    KasmoButton *kasmoButton1; // preview
    KasmoButton *kasmoButton5; // reset
    ReportViewer *ARViewer21;
    QFrame *Frame1;
    QLabel *Image1;

    // The sixteen set-up boxes, in the order the preview checks them.
    QList<QLineEdit *> setupBoxes() const;

    LabelPaperMode paperMode() const { return m_paperMode; }
    QColor labelColour() const { return m_labelColour; }
    // What the sheet reads from the window now.
    LabelSheetSetup sheetSetup() const;
    // The sheet the viewer shows; null before the first preview.
    LabelSheetLayout *LabelReport() const { return m_report.get(); }

    // The window's operations.
    void Form_Load();
    void Showdata();
    void kasmoButton1_Click(); // the preview
    void kasmoButton5_Click(); // the reset
    void Text15_KeyPress(int &KeyAscii);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Option1_Click();
    void Option2_Click();

protected:
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void Form_Resize();
    void setPaperMode(LabelPaperMode mode);
    void setLabelColour(const QColor &colour);
    void checkBoxes();
    void fitLabelsPerRow();
    void makeSheet();
    void storeLayout();

    LabelPaperMode m_paperMode = LabelPaperMode::A4;
    QColor m_labelColour = Qt::black;
    QColor m_dialogColour = Qt::black; // the colour dialog's, kept while the window is open
    std::unique_ptr<LabelSheetLayout> m_report;
};
