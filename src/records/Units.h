#pragma once
#include "platform/report/Twips.h"

// Lengths: layouts are kept in centimetres and placed in twips (1440 to the inch).
constexpr double twipsToCm(double twips)
{
    return twips * 2.54 / 1440.0;
}
constexpr double twipsToPixels(double twips, double dpi)
{
    return twips * dpi / 1440.0;
}
constexpr double pixelsToTwips(double px, double dpi)
{
    return px * 1440.0 / dpi;
}
