#pragma once
#include <QString>

// The program's own texts, in one place so windows and tests use the very same strings.
namespace Msg {

// Titles. An empty title shows the program's own, "Kasmo".
inline const QString ErrorTitle = QStringLiteral("รายงานความผิดพลาด");
inline const QString StatusTitle = QStringLiteral("รายงานสถานะ");
inline const QString ConfirmQuitTitle = QStringLiteral("ยืนยันการจบรายการ");
inline const QString ProgramTitle = QStringLiteral("Kasmo");

// The database connection; followed by the engine's error text.
inline const QString DatabaseOpenFailed = QStringLiteral("เชื่อมต่อฐานข้อมูลไม่ได้ : ");
// A database file of another layout version than the program's.
inline QString schemaVersionMismatch(int found, int expected)
{
    return QStringLiteral("แฟ้มฐานข้อมูลเป็นรุ่นที่ %1 แต่โปรแกรมนี้ใช้ได้กับฐานข้อมูลรุ่นที่ %2 เท่านั้น "
                          "โปรดปรับรุ่นแฟ้มฐานข้อมูลด้วยเครื่องมือของโปรแกรม (kasmo-makedb) ก่อน")
        .arg(found)
        .arg(expected);
}

// Key filters and the right-button refusal (title ErrorTitle, warning icon).
inline const QString NumberOnly = QStringLiteral("ช่องนี้ กรอกได้แค่ ( ตัวเลข ) เท่านั้น !!");
inline const QString DecimalOnly = QStringLiteral("ช่องนี้ กรอกได้แค่ (ตัวเลข) เท่านั้น !!");
inline const QString CodeCharOnly = QStringLiteral("ช่องนี้ กรอกได้แค่ (ภาษาอังกฤษ และ ตัวเลข) เท่านั้น !!");
inline const QString NoRightClick = QStringLiteral("ห้ามคลิกขวาในช่องนี้ !!");

// Start-up and sign-in.
inline const QString AlreadyRunning
    = QStringLiteral("โปรแกรมถูกเปิดใช้อยู่แล้ว !!  ไม่สามารถเปิด ซ้อนกันเกิน 1 โปรแกรมในเครื่องเดียว..");
inline const QString UnknownUser = QStringLiteral("คุณระบุ (ชื่อผู้ใช้งานไม่ถูกต้อง) กรุณาลองใหม่อีกครั้ง.");
inline const QString WrongPassword = QStringLiteral("คุณระบุ (รหัสผ่านไม่ถูกต้อง) กรุณาลองใหม่อีกครั้ง.");
// The sign-in switch (tblNumber row 4) is missing from the database.
inline const QString SignInSwitchMissing
    = QStringLiteral("ไม่พบข้อมูลการตั้งค่าการเข้าสู่ระบบ (tblNumber แถวที่ 4)");
inline const QString WelcomeUser = QStringLiteral("เข้าสู่ระบบสำเร็จ คุณคือ : ");
inline const QString WelcomePosition = QStringLiteral("ตำแหน่งของคุณคือ : ");
// The welcome after a sign-in: the name, then the position on a line of its own.
inline QString welcome(const QString &uid, const QString &position)
{
    return WelcomeUser + uid + QLatin1Char('\n') + WelcomePosition + position;
}

// Who works when sign-in is off.
inline const QString AdminUser = QStringLiteral("Admin");
inline const QString AdminPosition = QStringLiteral("ผู้ดูแลระบบ");

// Main frame.
inline const QString FrameTitle = QStringLiteral("Vantrel POS - 2.5");
inline QString frameTitleWithUser(const QString &uid)
{
    return FrameTitle + QStringLiteral(" [ ผู้ใช้งานคือ : ") + uid + QStringLiteral(" ]");
}
inline const QString ConfirmQuit = QStringLiteral("คุณแน่ใจว่าต้องการจบการทำงานของโปรแกรม ?");
inline QString lowStockAlert(int count)
{
    return QLatin1Char('(') + QString::number(count) + QStringLiteral(") การแจ้งเตือน");
}

// The status bar's first panel: which page is open.
inline const QString PageSale = QStringLiteral("หน้าร้าน");
inline const QString PageStock = QStringLiteral("คลังสินค้า");
inline const QString PageSummary = QStringLiteral("สรุปยอดการขาย");

// Start page.
inline const QString StartPageTitle = QStringLiteral("ยินดีต้อนรับ");

} // namespace Msg

// The period controls of the history, the sales summary and the user sales window.
namespace Msg {
inline const QString WeekLocksDayMonthYear
    = QStringLiteral("เมื่อเปิดการค้นหาแบบ สัปดาห์ จะไม่สามารถเลือก วัน เดือน ปี ได้");
inline const QString WeekLocksMonthYear
    = QStringLiteral("เมื่อเปิดการค้นหาแบบ สัปดาห์ จะไม่สามารถเลือก เดือน ปี ได้");
inline const QString OneDayChosen
    = QStringLiteral("เปิดการค้นหา แบบเจาะจง วันที่ โปรดระบุ วันที่คุณต้องการ..");
inline const QString ChooseMonth = QStringLiteral("กรุณาเลือก ( เดือน ) ที่คุณต้องการก่อนการประมวลผล...");
} // namespace Msg
