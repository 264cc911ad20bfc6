#pragma once
#include <QString>

class QWidget;

// Small services of the program's input boxes.
namespace InputBoxes {

// Selects the whole text of a line edit, an editable combo box or a spin box; any other
// widget is left alone.
void selectAllText(QWidget *box);

// A right press in the box shows "ห้ามคลิกขวาในช่องนี้ !!" (title "รายงานความผิดพลาด",
// warning icon); the box opens no context menu.
void refuseRightClick(QWidget *box);

// Makes the keyboard layout of that eight-digit name ("00000409" US English) the active one;
// true when it is active afterwards. Never reports a failure.
bool setKeyboardLayout(const QString &layoutName);
void setEnglishKeyboard();

} // namespace InputBoxes
