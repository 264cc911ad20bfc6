#pragma once
#include <QString>
#include <cstdint>

// The number at the start of a text, blanks ignored: "12abc" is 12, "" is 0.
double Val(const QString &text);

// A grid quantity as a whole number (rounded half to even); 0 and ok=false when the text holds
// no number at all.
int64_t toWholeNumber(const QString &text, bool *ok = nullptr);
