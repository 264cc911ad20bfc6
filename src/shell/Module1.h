#pragma once
#include "records/Codes.h"
#include <QString>

// Hand-over values: the opener sets one right before it shows the window that reads it.
namespace Module1 {

inline quint8 PrintSource = 0; // codes in ::PrintSource (records/Codes.h)

// Back to the start values (tests run several "program starts" in one process).
void resetState();

} // namespace Module1
