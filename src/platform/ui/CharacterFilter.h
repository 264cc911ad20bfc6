#pragma once
#include <functional>

class QKeyEvent;
class QWidget;

// A text box's handler of typed characters, by character code. Only keys that type a character
// reach the handler: printable characters (their Unicode value; ASCII keeps its codes),
// Backspace 8, Enter 13, Esc 27 and Ctrl+letter 1-26. Arrows, Delete, Tab and function keys
// never do. The handler changes the code in place: 0 drops the key, another code replaces the
// typed character. Pasted (Ctrl+V, Shift+Insert, the box's menu) and dropped text goes through
// the same handler character by character: one dropped character refuses the whole text.
//
//     CharacterFilter::install(searchBox, [this](int &key) { filterSearchKey(key); });
class CharacterFilter
{
public:
    using Handler = std::function<void(int &key)>;

    // For a QLineEdit, an editable QComboBox (its line edit included) or any widget that takes
    // typed text. A second install on the same box replaces the first handler.
    static void install(QWidget *box, Handler handler);
    static void remove(QWidget *box);

    // The code a key press gives the handler; 0 when the key types nothing.
    static int codeOf(const QKeyEvent *event);
};
