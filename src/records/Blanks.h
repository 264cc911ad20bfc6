#pragma once
#include <QString>

// The text without the blanks (spaces only) at its ends: tabs and line breaks stay, so a code
// or name typed with them is compared as typed.
QString trimBlanks(const QString &s);
