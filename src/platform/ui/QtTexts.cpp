#include "QtTexts.h"
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTranslator>

namespace {

// Qt's source texts, whatever class asks for them: our own windows never go through tr(),
// so a text found here is always one of Qt's.
const QHash<QString, QString> &thaiTexts()
{
    static const QHash<QString, QString> texts {
        // File dialog
        { QStringLiteral("Look in:"), QStringLiteral("ค้นหาใน :") },
        { QStringLiteral("File &name:"), QStringLiteral("&ชื่อไฟล์ :") },
        { QStringLiteral("Files of type:"), QStringLiteral("ชนิดไฟล์ :") },
        { QStringLiteral("&Open"), QStringLiteral("&เปิด") },
        { QStringLiteral("Open"), QStringLiteral("เปิด") },
        { QStringLiteral("&Save"), QStringLiteral("&บันทึก") },
        { QStringLiteral("Save"), QStringLiteral("บันทึก") },
        { QStringLiteral("Save As"), QStringLiteral("บันทึกเป็น") },
        { QStringLiteral("&Choose"), QStringLiteral("&เลือก") },
        { QStringLiteral("Cancel"), QStringLiteral("ยกเลิก") },
        { QStringLiteral("OK"), QStringLiteral("ตกลง") },
        { QStringLiteral("Close"), QStringLiteral("ปิด") },
        { QStringLiteral("Back"), QStringLiteral("ย้อนกลับ") },
        { QStringLiteral("Forward"), QStringLiteral("ไปข้างหน้า") },
        { QStringLiteral("Parent Directory"), QStringLiteral("โฟลเดอร์ระดับบน") },
        { QStringLiteral("Create New Folder"), QStringLiteral("สร้างโฟลเดอร์ใหม่") },
        { QStringLiteral("List View"), QStringLiteral("แสดงแบบรายการ") },
        { QStringLiteral("Detail View"), QStringLiteral("แสดงแบบรายละเอียด") },
        { QStringLiteral("Show &hidden files"), QStringLiteral("แสดงไฟล์ที่&ซ่อน") },
        { QStringLiteral("&New Folder"), QStringLiteral("&โฟลเดอร์ใหม่") },
        { QStringLiteral("New Folder"), QStringLiteral("โฟลเดอร์ใหม่") },
        { QStringLiteral("&Rename"), QStringLiteral("เปลี่ยน&ชื่อ") },
        { QStringLiteral("&Delete"), QStringLiteral("&ลบ") },
        { QStringLiteral("Delete"), QStringLiteral("ลบ") },
        { QStringLiteral("Recent Places"), QStringLiteral("ที่เปิดล่าสุด") },
        { QStringLiteral("All Files (*)"), QStringLiteral("ทุกไฟล์ (*)") },
        { QStringLiteral("Directories"), QStringLiteral("โฟลเดอร์") },
        { QStringLiteral("Directory:"), QStringLiteral("โฟลเดอร์ :") },
        { QStringLiteral("Are you sure you want to delete '%1'?"),
            QStringLiteral("คุณแน่ใจหรือไม่ว่าต้องการลบ '%1' ?") },
        { QStringLiteral("%1 already exists.\nDo you want to replace it?"),
            QStringLiteral("%1 มีอยู่แล้ว\nต้องการบันทึกทับหรือไม่ ?") },
        { QStringLiteral("%1\nFile not found.\nPlease verify the correct file name was given."),
            QStringLiteral("%1\nไม่พบไฟล์นี้\nโปรดตรวจสอบชื่อไฟล์อีกครั้ง") },
        { QStringLiteral(
              "%1\nDirectory not found.\nPlease verify the correct directory name was given."),
            QStringLiteral("%1\nไม่พบโฟลเดอร์นี้\nโปรดตรวจสอบชื่อโฟลเดอร์อีกครั้ง") },
        // The file list's columns and kinds
        { QStringLiteral("Name"), QStringLiteral("ชื่อ") },
        { QStringLiteral("Size"), QStringLiteral("ขนาด") },
        { QStringLiteral("Type"), QStringLiteral("ชนิด") },
        { QStringLiteral("Kind"), QStringLiteral("ชนิด") },
        { QStringLiteral("Date Modified"), QStringLiteral("วันที่แก้ไข") },
        { QStringLiteral("Computer"), QStringLiteral("คอมพิวเตอร์") },
        { QStringLiteral("My Computer"), QStringLiteral("คอมพิวเตอร์") },
        { QStringLiteral("Folder"), QStringLiteral("โฟลเดอร์") },
        { QStringLiteral("File Folder"), QStringLiteral("โฟลเดอร์") },
        { QStringLiteral("Drive"), QStringLiteral("ไดรฟ์") },
        { QStringLiteral("File"), QStringLiteral("ไฟล์") },
        { QStringLiteral("%1 File"), QStringLiteral("ไฟล์ %1") },
        // A text box's right-button menu
        { QStringLiteral("&Undo"), QStringLiteral("&เลิกทำ") },
        { QStringLiteral("&Redo"), QStringLiteral("&ทำซ้ำ") },
        { QStringLiteral("Cu&t"), QStringLiteral("&ตัด") },
        { QStringLiteral("&Copy"), QStringLiteral("&คัดลอก") },
        { QStringLiteral("&Paste"), QStringLiteral("&วาง") },
        { QStringLiteral("Select All"), QStringLiteral("เลือกทั้งหมด") },
        // Colour dialog
        { QStringLiteral("Select Color"), QStringLiteral("เลือกสี") },
        { QStringLiteral("&Basic colors"), QStringLiteral("สี&พื้นฐาน") },
        { QStringLiteral("&Custom colors"), QStringLiteral("สีที่&กำหนดเอง") },
        { QStringLiteral("&Add to Custom Colors"), QStringLiteral("&เพิ่มเป็นสีที่กำหนดเอง") },
        { QStringLiteral("&Pick Screen Color"), QStringLiteral("เลือกสีจาก&หน้าจอ") },
        { QStringLiteral("Hu&e:"), QStringLiteral("&เฉดสี :") },
        { QStringLiteral("&Sat:"), QStringLiteral("ความ&สด :") },
        { QStringLiteral("&Val:"), QStringLiteral("ความส&ว่าง :") },
        { QStringLiteral("&Red:"), QStringLiteral("&แดง :") },
        { QStringLiteral("&Green:"), QStringLiteral("เ&ขียว :") },
        { QStringLiteral("Bl&ue:"), QStringLiteral("&น้ำเงิน :") },
        { QStringLiteral("A&lpha channel:"), QStringLiteral("ความ&ทึบ :") },
        { QStringLiteral("&HTML:"), QStringLiteral("&รหัสสี :") },
        { QStringLiteral("Cursor at %1, %2\nPress ESC to cancel"),
            QStringLiteral("ตำแหน่ง %1, %2\nกด ESC เพื่อยกเลิก") },
    };
    return texts;
}

class ThaiQtTranslator : public QTranslator
{
public:
    using QTranslator::QTranslator;
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return thaiTexts().value(QString::fromUtf8(sourceText));
    }
    bool isEmpty() const override { return false; }
};

} // namespace

void installQtTexts()
{
    static QPointer<ThaiQtTranslator> translator;
    if (translator)
        return;
    translator = new ThaiQtTranslator(QCoreApplication::instance());
    QCoreApplication::installTranslator(translator);
}
