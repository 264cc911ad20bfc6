#pragma once
#include <QString>

// The text without the blanks (spaces only) at its ends, as the original's trimming: tabs and
// line breaks stay.
QString trimBlanks(const QString &s);
