#pragma once
#include "button/KasmoButton.h"
#include "button/PropertyBag.h"

#include <QImage>
#include <QString>

// Stored designs of the program's buttons, for KasmoButton::fromBag:
//
//     auto *b = KasmoButton::fromBag(this, ButtonPresets::pageButton("&Save"));
//     b->setGeometry(8, 8, 120, 40);
//     connect(b, &KasmoButton::Click, this, &SalePage::saveSale);
//
// A bag can be changed before use (bag.write("FONT", QFont("Tahoma", 10, QFont::Bold))).
namespace ButtonPresets {

// Face colours the stored buttons use (BackOver equals BackColor on all of them).
constexpr int32_t FaceGrey = kasmoRGB(224, 224, 224);
constexpr int32_t FaceBlue = kasmoRGB(0, 109, 170);
constexpr int32_t FaceSand = kasmoRGB(215, 197, 168);
constexpr int32_t FaceMaroon = kasmoRGB(128, 64, 64);
constexpr int32_t FaceCream = kasmoRGB(236, 233, 216);
constexpr int32_t FaceTeal = kasmoRGB(95, 158, 160);
constexpr int32_t FaceRose = kasmoRGB(239, 200, 200);
constexpr int32_t FaceLowStock = kasmoRGB(215, 159, 158);
// Caption colours.
constexpr int32_t TextDark = kasmoRGB(48, 48, 48);
constexpr int32_t TextWhite = kasmoRGB(255, 255, 255);
constexpr int32_t TextBlack = 0;
// Transparent colour of the icons (one button uses MaskDark).
constexpr int32_t MaskGrey = kasmoRGB(192, 192, 192);
constexpr int32_t MaskDark = kasmoRGB(64, 64, 64);

// The settings every stored button shares: arrow pointer, no focus rectangle, no relief,
// icons masked in MaskGrey, not a check box, BackOver = BackColor, ForeOver = ForeColor.
PropertyBag storedButton(ButtonStyle buttonType, ButtonColourScheme colorScheme,
    const QString &caption, int32_t backColor, int32_t foreColor);

// ThinFrame style in OwnColours: the page and dialog buttons (54 of the program's buttons).
PropertyBag pageButton(const QString &caption, int32_t backColor = FaceGrey,
    int32_t foreColor = TextDark, const QImage &picture = QImage(),
    PicturePlace picturePosition = PicturePlace::Left);
// FlatThinBorder style in Container colours: the sign-in window's two buttons (colours come from
// the window).
PropertyBag signInButton(const QString &caption);
// RoundedGradient style in OwnColours: the stock page's search button.
PropertyBag searchButton(
    const QString &caption, int32_t backColor = FaceGrey, int32_t foreColor = TextDark);

} // namespace ButtonPresets
