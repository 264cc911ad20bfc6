#pragma once

class QComboBox;
class QWidget;

// The key filters of the program's boxes, on the code a typed character gives (see
// CharacterFilter). A refused key shows one message (title "รายงานความผิดพลาด", warning icon)
// and the code becomes 0. Enter (13) and Backspace (8) always pass.
namespace KeyFilters {

int digitsOnly(int &key); // digits
int decimalOnly(int &key); // digits and "."
int codeCharactersOnly(int &key); // A-Z, digits, "_", "-", "/"; a-z come back upper case

// The same filters installed on a box whose typed keys need nothing else.
void acceptDigits(QWidget *box);
void acceptDecimal(QWidget *box);
void acceptCodeCharacters(QWidget *box);

// Drops every key but Backspace once the list's text is limit characters long. No message.
void limitListLength(QComboBox *list, int limit, int &key);

} // namespace KeyFilters
