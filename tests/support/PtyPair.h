#pragma once
#include <QByteArray>
#include <QString>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

// A pseudo-terminal pair: the program opens the slave as its "serial port", the test reads
// what arrives on the master.
class PtyPair
{
public:
    PtyPair()
    {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            m_slave = QString::fromLocal8Bit(ptsname(m_master));
        if (m_master >= 0)
            fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    }
    ~PtyPair()
    {
        if (m_master >= 0)
            ::close(m_master);
    }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool valid() const { return m_master >= 0 && !m_slave.isEmpty(); }
    QString slavePath() const { return m_slave; }

    // Everything that arrived, waiting up to `ms` for the first bytes.
    QByteArray readAll(int ms = 500)
    {
        QByteArray out;
        pollfd p { m_master, POLLIN, 0 };
        int wait = ms;
        while (::poll(&p, 1, wait) > 0) {
            char buf[256];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, int(n));
            wait = 50;
        }
        return out;
    }

private:
    int m_master = -1;
    QString m_slave;
};
