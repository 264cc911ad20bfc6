#include "LockKeys.h"
#include <QGuiApplication>

#if KASMO_HAVE_XKB
#include <X11/XKBlib.h>
#endif

namespace {

LockKeys::Source &source()
{
    static LockKeys::Source s;
    return s;
}

std::optional<LockKeyState> fromWindowSystem()
{
#if KASMO_HAVE_XKB
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display *dpy = x11 ? x11->display() : nullptr;
    if (!dpy)
        return std::nullopt;
    auto indicator = [dpy](const char *name, bool *on) {
        Bool state = False;
        const Atom atom = XInternAtom(dpy, name, True);
        if (atom == None || !XkbGetNamedIndicator(dpy, atom, nullptr, &state, nullptr, nullptr))
            return false;
        *on = state;
        return true;
    };
    LockKeyState s;
    if (!indicator("Caps Lock", &s.caps) || !indicator("Num Lock", &s.num))
        return std::nullopt;
    return s;
#else
    return std::nullopt;
#endif
}

} // namespace

std::optional<LockKeyState> LockKeys::current()
{
    return source() ? source()() : fromWindowSystem();
}

void LockKeys::setSource(Source s)
{
    source() = std::move(s);
}
