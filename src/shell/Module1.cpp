#include "Module1.h"

void Module1::resetState()
{
    PrintSource = 0;
    SummaryMode = ::SummaryMode::Detailed;
    ReturnBillNo.clear();
    ReturnMode = false;
    EditQty = 0;
    EditRow = 0;
}
