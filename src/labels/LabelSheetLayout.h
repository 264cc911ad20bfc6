#pragma once
#include "platform/report/ReportLayout.h"

#include <QColor>
#include <QString>
#include <optional>

enum class LabelPaperMode { A4, Custom };

// What the label sheet takes from the label window, as the window shows it: box texts as
// typed, the barcode type's list position, the orientation, the paper mode and the colour.
struct LabelSheetSetup
{
    bool portrait = true; // Option1 selected; otherwise Option2 (landscape)
    LabelPaperMode paperMode = LabelPaperMode::A4;
    QString paperWidth, paperLength; // text3, text4, cm (custom paper only)
    QString topMargin, bottomMargin, leftMargin, rightMargin; // Text1, text2, Text5, Text6, cm
    int barcodeType = 0; // Combo1: 0 Code 128, 1 EAN-13
    QString barLength; // Text7, cm: the height of the bars
    QString barThickness; // Text12
    QString labelsPerRow; // Text9
    QString spacingRight, spacingDown; // Text10, Text11, cm
    QString labelCount; // Text13
    QString barcodeFontSize, line1FontSize, line2FontSize; // Text8, Text18, Text19, points
    bool line1Bold = false, line2Bold = false; // Check1, Check2
    QColor colour = Qt::black; // Command3's face
    QString firstPosition; // Text14: 1 is the sheet's first label position
    QString value; // Text15: the barcode value
    QString line1, line2; // Text16, Text17
};

// The label sheet: one barcode value printed on as many identical labels as asked, filled
// across and then down, with blank cells before the first position. Unbound: it numbers its
// own records. A setting whose text the sheet cannot use keeps the layout's own value.
class LabelSheetLayout : public ReportLayout
{
public:
    explicit LabelSheetLayout(const LabelSheetSetup &setup);

    // Counts of the run, 16-bit as they always were.
    qint16 LabelNo = 0; // the record being laid out
    qint16 LabelTotal = 0; // labels plus leading blanks
    qint16 LabelSkip = 0; // leading blank cells

    ReportElement *Label1; // text line 1, above the bars
    ReportElement *Barcode1;
    ReportElement *Label2; // text line 2, below the bars

    // Labels per row that the paper holds without two labels overlapping or one running off
    // the paper: the detail's column count or fewer, at least 1. Set-up applied first.
    int labelsPerRowThatFit();

    // A box's text as a whole number (halves to even) that fits 16 bits; nullopt otherwise.
    static std::optional<qint16> wholeNumber(const QString &text);
    static std::optional<qint16> wholeNumber(double value);
    // A box's text as a number as a whole; nullopt otherwise.
    static std::optional<double> number(const QString &text);

protected:
    void ActiveReport_Initialize() override;
    void ActiveReport_FetchData(bool &eof) override;
    void Detail_Format() override;

private:
    LabelSheetSetup m_setup;
};
