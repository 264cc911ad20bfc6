#include "KeyboardLayout.h"
#include <QGuiApplication>
#include <QStringList>
#include <QtDebug>

#if KASMO_HAVE_XKB
#include <X11/XKBlib.h>
#endif

namespace {

KeyboardLayout *&installed()
{
    static KeyboardLayout *s = nullptr;
    return s;
}

void logOnce(const char *text)
{
    static QStringList said;
    const QString t = QString::fromLatin1(text);
    if (!said.contains(t)) {
        said.append(t);
        qInfo("keyboard layout: %s", text);
    }
}

#if KASMO_HAVE_XKB
Display *x11Display()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// Group index (from 0) of each layout named in the XKB symbols, e.g. "pc+us+th:2+inet(evdev)".
// Non-layout parts ("pc", "inet(evdev)") simply never match a layout name asked for.
int groupOf(Display *dpy, const QString &layout)
{
    XkbDescPtr kb = XkbAllocKeyboard();
    if (!kb)
        return -1;
    int group = -1;
    if (XkbGetNames(dpy, XkbSymbolsNameMask, kb) == Success && kb->names && kb->names->symbols) {
        char *name = XGetAtomName(dpy, kb->names->symbols);
        const QStringList parts = QString::fromLatin1(name).split(QLatin1Char('+'));
        XFree(name);
        for (const QString &part : parts) {
            QString id = part;
            int n = 1;
            if (const int colon = id.indexOf(QLatin1Char(':')); colon >= 0) {
                n = id.mid(colon + 1).toInt();
                id.truncate(colon);
            }
            if (id == layout) { // "us" only, not a variant such as "us(dvorak)"
                group = n - 1;
                break;
            }
        }
    }
    XkbFreeKeyboard(kb, 0, True);
    return group;
}

#endif

} // namespace

KeyboardLayout &KeyboardLayout::instance()
{
    static SystemKeyboardLayout system;
    return installed() ? *installed() : system;
}

void KeyboardLayout::install(KeyboardLayout *layout)
{
    installed() = layout;
}

bool SystemKeyboardLayout::isActive(const QString &layout)
{
#if KASMO_HAVE_XKB
    if (Display *dpy = x11Display()) {
        XkbStateRec state;
        const int group = groupOf(dpy, layout);
        return group >= 0 && XkbGetState(dpy, XkbUseCoreKbd, &state) == Success
            && state.locked_group == group;
    }
#endif
    return false;
}

bool SystemKeyboardLayout::activate(const QString &layout)
{
#if KASMO_HAVE_XKB
    if (Display *dpy = x11Display()) {
        const int group = groupOf(dpy, layout);
        if (group < 0) {
            if (layout == QLatin1String("us"))
                logOnce("no US English layout configured");
            return false;
        }
        XkbLockGroup(dpy, XkbUseCoreKbd, unsigned(group));
        XSync(dpy, False);
        return true;
    }
#endif
    logOnce("not on X11, the layout is left as it is");
    return false;
}
