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

    // Puts the placement, the viewer's tools and the stored layout in.
    void load();

    LabelPaperMode paperMode() const { return m_paperMode; }
    QColor labelColour() const { return m_labelColour; }
    // What the sheet reads from the window now.
    LabelSheetSetup sheetSetup() const;
    // The sheet the viewer shows; null before the first preview.
    LabelSheetLayout *sheet() const { return m_sheet.get(); }

protected:
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void placeControls();
    void loadLayout();
    void preview();
    void reset();
    void lookUpProduct();
    void chooseColour();
    // The sixteen set-up boxes, in the order the preview checks them.
    QList<QLineEdit *> setupBoxes() const;
    void setPaperMode(LabelPaperMode mode);
    void setLabelColour(const QColor &colour);
    void checkBoxes();
    void fitLabelsPerRow();
    void makeSheet();
    void storeLayout();

    QLineEdit *barcodeBox; // Enter looks the product up
    QLineEdit *firstPositionBox; // 1 is the sheet's first label position
    QLineEdit *line1Box, *line2Box;
    QLineEdit *line1SizeBox, *line2SizeBox;
    QCheckBox *line1BoldCheck, *line2BoldCheck;
    QLineEdit *paperWidthBox, *paperLengthBox; // cm
    QPushButton *customPaperButton;
    QPushButton *a4Button;
    QRadioButton *portraitOption, *landscapeOption;
    QLineEdit *topMarginBox, *bottomMarginBox, *leftMarginBox, *rightMarginBox; // cm
    QComboBox *barcodeTypeList;
    QLineEdit *barLengthBox; // cm: the height of the bars
    QLineEdit *barThicknessBox;
    QLineEdit *labelsPerRowBox;
    QLineEdit *spacingRightBox, *spacingDownBox; // cm
    QLineEdit *labelCountBox;
    QLineEdit *barcodeSizeBox; // font size of the barcode's text
    QPushButton *colourButton; // shows the label colour
    QPushButton *exportPdfButton;
    KasmoButton *previewButton;
    KasmoButton *resetButton;
    ReportViewer *sheetViewer;
    QFrame *contentFrame;
    QLabel *banner;

    LabelPaperMode m_paperMode = LabelPaperMode::A4;
    QColor m_labelColour = Qt::black;
    QColor m_dialogColour = Qt::black; // the colour dialog's, kept while the window is open
    std::unique_ptr<LabelSheetLayout> m_sheet;
};
