#include "Module1.h"

void Module1::resetState()
{
    NewItemMode = false;
    DataChanged = false;
    SummaryMode = ::SummaryMode::Detailed;
    ReturnBillNo.clear();
    ReturnMode = false;
    SelectedProductPK = 0;
    EditQty = 0;
    EditRow = 0;
}
