#include "button/ButtonPresets.h"

namespace ButtonPresets {

PropertyBag storedButton(int32_t buttonType, int32_t colorScheme, const QString &caption,
    int32_t backColor, int32_t foreColor)
{
    return PropertyBag { { "BTYPE", buttonType }, { "TX", caption }, { "ENAB", true },
        { "COLTYPE", colorScheme }, { "FOCUSR", false }, { "BCOL", backColor },
        { "BCOLO", backColor }, { "FCOL", foreColor }, { "FCOLO", foreColor }, { "MCOL", MaskGrey },
        { "MPTR", 1 }, { "UMCOL", true }, { "SOFT", false }, { "PICPOS", 0 }, { "NGREY", false },
        { "FX", 0 }, { "HAND", false }, { "CHECK", false }, { "VALUE", false } };
}

PropertyBag pageButton(const QString &caption, int32_t backColor, int32_t foreColor,
    const QImage &picture, int32_t picturePosition)
{
    PropertyBag bag = storedButton(5, 2, caption, backColor, foreColor);
    if (!picture.isNull())
        bag.write("PICN", picture);
    bag.write("PICPOS", picturePosition);
    return bag;
}

PropertyBag signInButton(const QString &caption)
{
    return storedButton(7, 4, caption, kasmoRGB(0, 60, 140), TextWhite);
}

PropertyBag searchButton(const QString &caption, int32_t backColor, int32_t foreColor)
{
    return storedButton(3, 2, caption, backColor, foreColor);
}

} // namespace ButtonPresets
