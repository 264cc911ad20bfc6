#pragma once
#include "records/Codes.h"
#include <QString>

// Hand-over values: the opener sets one right before it shows the window that reads it.
namespace Module1 {

inline bool NewItemMode = false; // the product editor opens empty for a new product
inline bool DataChanged = false; // a dialog of the stock page saved something
inline quint8 PrintSource = 0; // codes in ::PrintSource (records/Codes.h)
inline int SelectedProductPK = 0; // the product the product editor shows

// Back to the start values (tests run several "program starts" in one process).
void resetState();

} // namespace Module1
