#pragma once
#include <QString>

// The active keyboard layout, named as XKB names layouts ("us", "th"). On X11 the program's
// one switch locks the XKB group of a configured layout; elsewhere (offscreen, Wayland) it
// cannot, and says so once in the log. Tests install a fake.
class KeyboardLayout
{
public:
    virtual ~KeyboardLayout() = default;
    // True when that layout's group is the locked one.
    virtual bool isActive(const QString &layout) = 0;
    // Locks the group of that layout when one is configured; true when it was found.
    virtual bool activate(const QString &layout) = 0;

    static KeyboardLayout &instance();
    static void install(KeyboardLayout *layout); // not owned; nullptr: the system's
};

class SystemKeyboardLayout : public KeyboardLayout
{
public:
    bool isActive(const QString &layout) override;
    bool activate(const QString &layout) override;
};
