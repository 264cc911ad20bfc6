#include "TermiosRecorder.h"
#include <dlfcn.h>

namespace {
bool recording = false;
QList<termios> &settings()
{
    static QList<termios> s;
    return s;
}
} // namespace

void TermiosRecorder::start()
{
    settings().clear();
    recording = true;
}

void TermiosRecorder::stop()
{
    recording = false;
}

const QList<termios> &TermiosRecorder::recorded()
{
    return settings();
}

// Defined in the test program, this one stands before the C library's for the serial port
// library too; it records and hands on.
extern "C" int tcsetattr(int fd, int actions, const struct termios *t) noexcept
{
    using Real = int (*)(int, int, const struct termios *);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "tcsetattr"));
    if (recording && t)
        settings().append(*t);
    return real(fd, actions, t);
}
