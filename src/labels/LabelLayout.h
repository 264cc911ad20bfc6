#pragma once
#include <QString>
#include <optional>

class Connection;

// The label sheet's layout, row 1 of tblSetBarcode: each size or count as the text of its box
// in the label window, and the two bold flags. A column that holds no value reads as a null
// QString.
struct LabelLayout
{
    QString SpaperW, SpaperH; // paper width and length, cm
    QString SKpaperT, SKpaperD, SKpaperL, SKpaperR; // margins top, bottom, left, right, cm
    QString SSpaperW; // barcode length: the height of the bars, cm
    QString SSpaperH; // bar thickness
    QString SBHcount; // labels per row
    QString SBarR, SBarD; // spacing to the right and downwards, cm
    QString SBarcode; // labels to print
    QString SFsize, SFsize1, SFsize2; // font sizes: barcode text, line 1, line 2
    bool SFbold1 = false, SFbold2 = false;
};

// Row 1, or nullopt when the table has none. Throws DbError.
std::optional<LabelLayout> loadLabelLayout(Connection &conn);
// Rewrites the 17 columns of row 1 in one statement. Throws DbError, also when there is no
// row 1 (the row is never made here).
void storeLabelLayout(Connection &conn, const LabelLayout &layout);

// The product a barcode value names: the code matched whole, in any letter case, blanks
// around it ignored. Throws DbError.
struct LabelProduct
{
    QString name, description;
    double price = 0;
};
std::optional<LabelProduct> findLabelProduct(Connection &conn, const QString &code);
// Text line 1: name, one space, description.
QString labelLine1(const LabelProduct &p);
// Text line 2: "ราคา 1,250.00 บาท".
QString labelLine2(const LabelProduct &p);

// One set-up box as the preview checks it: an empty box (blanks only) gets its default; a
// box with a range whose number (the number its text starts with, 0 for none) lies outside
// it gets its default and the range's message.
struct LabelBoxRule
{
    QString defaultText;
    bool ranged = false;
    double least = 0, most = 0;
    QString message;
};
struct LabelBoxVerdict
{
    QString text; // the box's text afterwards
    QString message; // empty when nothing is told
};
LabelBoxVerdict checkLabelBox(const LabelBoxRule &rule, const QString &text);

// The label window's own texts.
namespace LabelText {
inline const QString WindowTitle = QStringLiteral("สร้างบาร์โค๊ด");
inline const QString NoBarcodeValue
    = QStringLiteral("กรุณาระบุ ( รหัสบาร์โค้ด ) ที่ต้องการ  ก่อนเริ่มแสดงตัวอย่าง...");
inline const QString PaperRange
    = QStringLiteral("ขนาดกระดาษ ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 1 และ มากสุด = 100");
inline const QString MarginRange
    = QStringLiteral("ขอบกระดาษ ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 0.1 และ มากสุด = 20");
inline const QString BarLengthRange
    = QStringLiteral("ความยาว บาโค๊ด ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 1 และ มากสุด = 10");
inline const QString SpacingRightRange
    = QStringLiteral("ระยะห่างของบาร์โค๊ด ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 0.1 และ มากสุด = 20");
inline const QString SpacingDownRange
    = QStringLiteral("ระยะห่างของบาร์โค๊ด ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 1 และ มากสุด = 20");
// Labels that would overlap or run off the paper: the most per row that fit.
inline QString labelsPerRowRange(int most)
{
    return QStringLiteral("จำนวนบาร์โค๊ด / บรรทัด ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 1 และ มากสุด = ")
        + QString::number(most);
}
inline const QString StoreFailed = QStringLiteral("บันทึกการตั้งค่าบาร์โค๊ดไม่สำเร็จ : ");
inline const QString NoLayoutRow = QStringLiteral("ไม่พบแถวการตั้งค่าบาร์โค๊ดในฐานข้อมูล");
} // namespace LabelText
