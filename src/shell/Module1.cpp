#include "Module1.h"

void Module1::resetState()
{
    NewItemMode = false;
    DataChanged = false;
    PrintSource = 0;
    SummaryMode = ::SummaryMode::Detailed;
    SelectedProductPK = 0;
}
