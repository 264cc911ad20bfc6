// The system's errors that a shop can meet reach the user in Thai; any other keeps the system's
// own words after a Thai lead.
#include "platform/SystemErrors.h"
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

const QString kNoRight = QStringLiteral("ไม่มีสิทธิ์เข้าถึงไฟล์หรือโฟลเดอร์นี้");
const QString kFull = QStringLiteral("พื้นที่เก็บข้อมูลเต็ม");
const QString kTooBig = QStringLiteral("ไฟล์ใหญ่เกินกว่าที่ดิสก์นี้จะเก็บได้");
const QString kReadOnly = QStringLiteral("ดิสก์นี้เป็นแบบอ่านอย่างเดียว เขียนไฟล์ไม่ได้");
const QString kNotThere = QStringLiteral("ไม่พบไฟล์หรือโฟลเดอร์นี้");
const QString kInUse = QStringLiteral("ไฟล์นี้กำลังถูกใช้งานอยู่ กรุณาปิดโปรแกรมที่ใช้ไฟล์นี้แล้วลองใหม่");
const QString kFolder = QStringLiteral("ชื่อนี้เป็นโฟลเดอร์ ไม่ใช่ไฟล์");
const QString kLead = QStringLiteral("ระบบแจ้งข้อผิดพลาด : ");

QString words(int e)
{
    return QString::fromLocal8Bit(std::strerror(e));
}

} // namespace

TEST(SystemErrors, ErrorNumbersAShopMeetsAreToldInThai)
{
    const std::pair<int, QString> cases[] = {
        { EACCES, kNoRight },
        { EPERM, kNoRight },
        { ENOSPC, kFull },
        { EDQUOT, kFull },
        { EFBIG, kTooBig },
        { EROFS, kReadOnly },
        { ENOENT, kNotThere },
        { ENOTDIR, kNotThere },
        { EBUSY, kInUse },
        { ETXTBSY, kInUse },
        { EISDIR, kFolder },
        // Others keep the system's words after the lead.
        { EIO, kLead + words(EIO) },
        { EMFILE, kLead + words(EMFILE) },
        { 0, QStringLiteral("ระบบแจ้งข้อผิดพลาด") },
    };
    for (const auto &[e, told] : cases) {
        SCOPED_TRACE(e);
        EXPECT_EQ(SystemErrors::text(e), told);
        // The same from the system's words, as Qt's file classes hand them on.
        if (e)
            EXPECT_EQ(SystemErrors::fromWords(words(e)), told);
    }
}

TEST(SystemErrors, QtTextsThatCarryTheSystemsWordsAreToldInThai)
{
    const std::pair<const char *, QString> cases[] = {
        { "Operation not permitted", kNoRight },
        { "Permission denied", kNoRight },
        { "  No space left on device ", kFull },
        { "Read-only file system", kReadOnly },
        { "No such file or directory", kNotThere },
        { "Device or resource busy", kInUse },
        // QFile::copy puts its own words first.
        { "Cannot open for output: Permission denied", kNoRight },
        { "Failure to write block: No space left on device", kFull },
        { "Cannot create /media/usb/x.jpg for output: Read-only file system", kReadOnly },
        // QSaveFile's own.
        { "Existing file /home/shop/report.xls is not writable", kNoRight },
        { "Filename refers to a directory", kFolder },
        // Anything else: the words after the lead.
        { "Input/output error", kLead + QStringLiteral("Input/output error") },
        { "Cannot open /home/shop/a.jpg for input",
            kLead + QStringLiteral("Cannot open /home/shop/a.jpg for input") },
        { "Unknown error", kLead + QStringLiteral("Unknown error") },
        { "", QStringLiteral("ระบบแจ้งข้อผิดพลาด") },
    };
    for (const auto &[w, told] : cases) {
        SCOPED_TRACE(w);
        EXPECT_EQ(SystemErrors::fromWords(QString::fromUtf8(w)), told);
    }
}

// Real failures of Qt's file classes, whoever runs the test (root included).
TEST(SystemErrors, FailedFilesAreToldInThai)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        QFile missing(dir.filePath(QStringLiteral("no/such/file.txt")));
        EXPECT_FALSE(missing.open(QIODevice::WriteOnly));
        EXPECT_EQ(SystemErrors::fileText(missing), kNotThere);
    }
    {
        QFile underAFile(QStringLiteral("/dev/null/x.txt")); // a path through a file
        EXPECT_FALSE(underAFile.open(QIODevice::WriteOnly));
        EXPECT_EQ(SystemErrors::fileText(underAFile), kNotThere);
    }
    {
        QSaveFile folder(dir.path()); // a folder's name given as the file
        EXPECT_FALSE(folder.open(QIODevice::WriteOnly));
        EXPECT_EQ(SystemErrors::fileText(folder), kFolder);
    }
    if (QDir(QStringLiteral("/sys/kernel")).exists()) { // sysfs takes no new file from anyone
        QSaveFile refused(QStringLiteral("/sys/kasmo-test.xls"));
        EXPECT_FALSE(refused.open(QIODevice::WriteOnly));
        EXPECT_EQ(SystemErrors::fileText(refused), kNoRight);
        QTemporaryFile reserve(QStringLiteral("/sys/.kasmo-test.XXXXXX"));
        EXPECT_FALSE(reserve.open());
        EXPECT_EQ(SystemErrors::fileText(reserve), kNoRight);
    }
}
