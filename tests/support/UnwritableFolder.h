#pragma once
#include <QDir>
#include <QFile>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// A folder nothing can be written into by whoever runs the test. An ordinary user loses the
// write permission on it ("Permission denied"); root ignores permissions, so for root the folder
// is made immutable ("Operation not permitted"), where the file system and root's capabilities
// allow it. error() says what a write in it meets (0: this machine cannot make such a folder).
// The folder can be written again once this goes.
class UnwritableFolder
{
public:
    explicit UnwritableFolder(const QString &path)
        : m_path(path)
    {
        QDir().mkpath(path);
        const QByteArray p = QFile::encodeName(path);
        if (geteuid() != 0) {
            m_chmod = ::chmod(p.constData(), 0555) == 0;
        } else {
            const int fd = ::open(p.constData(), O_RDONLY | O_DIRECTORY);
            int flags = 0;
            if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags |= FS_IMMUTABLE_FL;
                m_immutable = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
            }
            if (fd >= 0)
                ::close(fd);
        }
        // What a new file in it meets.
        const QByteArray probe = QFile::encodeName(path + QStringLiteral("/probe"));
        const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.constData());
        } else {
            m_error = errno;
        }
    }
    ~UnwritableFolder()
    {
        const QByteArray p = QFile::encodeName(m_path);
        if (m_chmod)
            ::chmod(p.constData(), 0755);
        if (m_immutable) {
            const int fd = ::open(p.constData(), O_RDONLY | O_DIRECTORY);
            int flags = 0;
            if (fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
                flags &= ~FS_IMMUTABLE_FL;
                ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
            }
            if (fd >= 0)
                ::close(fd);
        }
    }
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

    QString path() const { return m_path; }
    int error() const { return m_error; }

private:
    QString m_path;
    bool m_chmod = false;
    bool m_immutable = false;
    int m_error = 0;
};
