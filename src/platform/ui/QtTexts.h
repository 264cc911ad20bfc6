#pragma once

// Qt's own dialogs and menus (the file and colour dialogs, a text box's right-button menu)
// carry English texts, and Qt ships no Thai translation of them. This gives them Thai texts.
// Installed once, on the application object, before the first window opens.
void installQtTexts();
