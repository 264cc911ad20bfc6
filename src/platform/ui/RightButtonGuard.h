#pragma once
#include <functional>

class QWidget;

// A box that refuses the right mouse button: a right press runs onRightPress (the window's
// message) and goes no further, and no context menu opens, from the mouse or the menu key.
// On an editable QComboBox its line edit is covered too.
class RightButtonGuard
{
public:
    static void install(QWidget *box, std::function<void()> onRightPress);
};
