#pragma once

// Twips: 1440 to the inch, 20 to the point. Every length of a report is in twips.
constexpr double TwipsPerInch = 1440.0;

// Centimetres to twips as the layouts convert them, handed on as single precision.
constexpr float cmToTwips(double cm)
{
    return float(cm * 1440.0 / 2.54);
}
