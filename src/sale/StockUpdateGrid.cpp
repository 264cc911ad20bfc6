#include "sale/StockUpdateGrid.h"
#include "platform/ui/WindowRegistry.h"

StockUpdateGrid *StockUpdateGrid::loaded()
{
    for (QWidget *w : WindowRegistry::loaded())
        if (auto *s = dynamic_cast<StockUpdateGrid *>(w))
            return s;
    return nullptr;
}
