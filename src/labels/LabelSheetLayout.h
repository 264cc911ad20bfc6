#pragma once
#include "platform/barcode/Barcode.h"
#include "platform/report/ReportLayout.h"

#include <QColor>
#include <QString>
#include <optional>

enum class LabelPaperMode { A4, Custom };

// What the label sheet takes from the label window, as the window shows it: box texts as
// typed, the barcode type's list position, the orientation, the paper mode and the colour.
struct LabelSheetSetup
{
    bool portrait = true; // otherwise landscape
    LabelPaperMode paperMode = LabelPaperMode::A4;
    QString paperWidth, paperLength; // cm (custom paper only)
    QString topMargin, bottomMargin, leftMargin, rightMargin; // cm
    // None while the type list has no entry chosen: the layout keeps its own.
    std::optional<BarcodeStyle> barcodeStyle = BarcodeStyle::Code128;
    QString barLength; // cm: the height of the bars
    QString barThickness;
    QString labelsPerRow;
    QString spacingRight, spacingDown; // cm
    QString labelCount;
    QString barcodeFontSize, line1FontSize, line2FontSize; // points
    bool line1Bold = false, line2Bold = false;
    QColor colour = Qt::black; // the colour button's face
    QString firstPosition; // 1 is the sheet's first label position
    QString value; // the barcode value
    QString line1, line2;
};

// The label sheet: one barcode value printed on as many identical labels as asked, filled
// across and then down, with blank cells before the first position. Unbound: it numbers its
// own records. A setting whose text the sheet cannot use keeps the layout's own value.
class LabelSheetLayout : public ReportLayout
{
public:
    explicit LabelSheetLayout(const LabelSheetSetup &setup);

    // Counts of the run, 16-bit as they always were.
    qint16 labelNo() const { return m_labelNo; } // the record being laid out
    qint16 labelTotal() const { return m_labelTotal; } // labels plus leading blanks
    qint16 blankCells() const { return m_blankCells; } // leading blank cells

    ReportElement *line1() const { return m_line1; } // text line 1, above the bars
    ReportElement *barcode() const { return m_barcode; }
    ReportElement *line2() const { return m_line2; } // text line 2, below the bars

    // Labels per row that the paper holds without two labels overlapping or one running off
    // the paper: the detail's column count or fewer, at least 1. Set-up applied first.
    int labelsPerRowThatFit();

    // A box's text as a whole number (halves to even) that fits 16 bits; nullopt otherwise.
    static std::optional<qint16> wholeNumber(const QString &text);
    static std::optional<qint16> wholeNumber(double value);
    // A box's text as a number as a whole; nullopt otherwise.
    static std::optional<double> number(const QString &text);

protected:
    void prepareReport() override;
    void fetchRow(bool &eof) override;
    void formatDetail() override;

private:
    LabelSheetSetup m_setup;
    qint16 m_labelNo = 0;
    qint16 m_labelTotal = 0;
    qint16 m_blankCells = 0;
    ReportElement *m_line1;
    ReportElement *m_barcode;
    ReportElement *m_line2;
};
