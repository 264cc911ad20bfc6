#include "Module1.h"

void Module1::resetState()
{
    NewItemMode = false;
    DataChanged = false;
    PrintSource = 0;
    SelectedProductPK = 0;
}
