#include "button/ButtonPresets.h"

namespace ButtonPresets {

PropertyBag storedButton(ButtonStyle buttonType, ButtonColourScheme colorScheme,
    const QString &caption, int32_t backColor, int32_t foreColor)
{
    return PropertyBag { { "BTYPE", int32_t(buttonType) }, { "TX", caption }, { "ENAB", true },
        { "COLTYPE", int32_t(colorScheme) }, { "FOCUSR", false }, { "BCOL", backColor },
        { "BCOLO", backColor }, { "FCOL", foreColor }, { "FCOLO", foreColor }, { "MCOL", MaskGrey },
        { "MPTR", 1 }, { "UMCOL", true }, { "SOFT", false },
        { "PICPOS", int32_t(PicturePlace::Left) }, { "NGREY", false },
        { "FX", int32_t(ButtonRelief::None) }, { "HAND", false }, { "CHECK", false },
        { "VALUE", false } };
}

PropertyBag pageButton(const QString &caption, int32_t backColor, int32_t foreColor,
    const QImage &picture, PicturePlace picturePosition)
{
    PropertyBag bag = storedButton(
        ButtonStyle::ThinFrame, ButtonColourScheme::OwnColours, caption, backColor, foreColor);
    if (!picture.isNull())
        bag.write("PICN", picture);
    bag.write("PICPOS", int32_t(picturePosition));
    return bag;
}

PropertyBag signInButton(const QString &caption)
{
    return storedButton(ButtonStyle::FlatThinBorder, ButtonColourScheme::Container, caption,
        kasmoRGB(0, 60, 140), TextWhite);
}

PropertyBag searchButton(const QString &caption, int32_t backColor, int32_t foreColor)
{
    return storedButton(ButtonStyle::RoundedGradient, ButtonColourScheme::OwnColours, caption,
        backColor, foreColor);
}

} // namespace ButtonPresets
