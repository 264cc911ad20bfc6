#include "SystemErrors.h"

#include <QFileDevice>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>

namespace {

// The lead before the system's own words, and all that is said when it gave none.
const QString kSystemFault = QStringLiteral("ระบบแจ้งข้อผิดพลาด");
const QString kSystemLead = kSystemFault + QStringLiteral(" : ");

// The errors with a sentence of their own; the first of each group names it.
const int kKnown[]
    = { EACCES, EPERM, ENOSPC, EDQUOT, EFBIG, EROFS, ENOENT, ENOTDIR, EBUSY, ETXTBSY, EISDIR };

QString sentence(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
    case EPERM:
        return QStringLiteral("ไม่มีสิทธิ์เข้าถึงไฟล์หรือโฟลเดอร์นี้");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("พื้นที่เก็บข้อมูลเต็ม");
    case EFBIG:
        return QStringLiteral("ไฟล์ใหญ่เกินกว่าที่ดิสก์นี้จะเก็บได้");
    case EROFS:
        return QStringLiteral("ดิสก์นี้เป็นแบบอ่านอย่างเดียว เขียนไฟล์ไม่ได้");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("ไม่พบไฟล์หรือโฟลเดอร์นี้");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("ไฟล์นี้กำลังถูกใช้งานอยู่ กรุณาปิดโปรแกรมที่ใช้ไฟล์นี้แล้วลองใหม่");
    case EISDIR:
        return QStringLiteral("ชื่อนี้เป็นโฟลเดอร์ ไม่ใช่ไฟล์");
    default:
        return QString();
    }
}

// Qt's own words for a few errno values (qt_error_string), the same as the C library's in
// English; the C library's in whatever language it speaks.
QString qtWords(int errorNumber)
{
    switch (errorNumber) {
    case EACCES:
        return QStringLiteral("Permission denied");
    case ENOENT:
        return QStringLiteral("No such file or directory");
    case ENOSPC:
        return QStringLiteral("No space left on device");
    default:
        return QString();
    }
}

int errorNumberOf(const QString &words)
{
    for (int e : kKnown) {
        if (words.compare(qtWords(e), Qt::CaseInsensitive) == 0
            || words.compare(QString::fromLocal8Bit(std::strerror(e)), Qt::CaseInsensitive) == 0)
            return e;
    }
    return 0;
}

} // namespace

QString SystemErrors::text(int errorNumber)
{
    const QString s = sentence(errorNumber);
    if (!s.isEmpty())
        return s;
    if (errorNumber == 0)
        return kSystemFault;
    return kSystemLead + QString::fromLocal8Bit(std::strerror(errorNumber));
}

QString SystemErrors::fromWords(const QString &words)
{
    const QString w = words.trimmed();
    if (w.isEmpty())
        return kSystemFault;
    // Whole, or after Qt's own lead ("Cannot open for output: Permission denied").
    int e = errorNumberOf(w);
    if (!e) {
        const int colon = int(w.lastIndexOf(QStringLiteral(": ")));
        if (colon >= 0)
            e = errorNumberOf(w.mid(colon + 2).trimmed());
    }
    // QSaveFile's own texts.
    static const QRegularExpression notWritable(
        QStringLiteral("^Existing file .* is not writable$"));
    if (!e && notWritable.match(w).hasMatch())
        e = EACCES;
    if (!e && w == QLatin1String("Filename refers to a directory"))
        e = EISDIR;
    return e ? sentence(e) : kSystemLead + w;
}

QString SystemErrors::fileText(const QFileDevice &file)
{
    return fromWords(file.errorString());
}
