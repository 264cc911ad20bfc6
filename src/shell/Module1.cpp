#include "Module1.h"

void Module1::resetState()
{
    NewItemMode = false;
    DataChanged = false;
    PrintSource = 0;
    ReturnBillNo.clear();
    ReturnMode = false;
    SelectedProductPK = 0;
    EditQty = 0;
    EditRow = 0;
}
