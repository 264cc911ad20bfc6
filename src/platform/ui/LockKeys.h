#pragma once
#include <functional>
#include <optional>

// Caps Lock and Num Lock as the keyboard shows them.
struct LockKeyState
{
    bool caps = false;
    bool num = false;
};

class LockKeys
{
public:
    // The state the window system tells (X11 keyboard indicators); none where it tells nothing
    // (offscreen, Wayland).
    static std::optional<LockKeyState> current();

    // Tests put in a keyboard of their own; an empty source returns to the window system's.
    using Source = std::function<std::optional<LockKeyState>()>;
    static void setSource(Source source);
};
