#pragma once
#include "records/Codes.h"
#include <QString>

// Hand-over values: the opener sets one right before it shows the window that reads it.
namespace Module1 {

inline bool NewItemMode = false; // the product editor opens empty for a new product
inline bool DataChanged = false; // a dialog of the stock page saved something
inline ::SummaryMode SummaryMode = ::SummaryMode::Detailed;
inline QString ReturnBillNo; // receipt number of the bill loaded for return
inline bool ReturnMode = false; // the sale page is in return mode
inline int SelectedProductPK = 0; // the product the product editor shows
inline int EditQty = 0; // quantity handed to the quantity and return dialogs
inline int EditRow = 0; // grid row handed to them

// Back to the start values (tests run several "program starts" in one process).
void resetState();

} // namespace Module1
