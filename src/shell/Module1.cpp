#include "Module1.h"

void Module1::resetState()
{
    PrintSource = 0;
}
