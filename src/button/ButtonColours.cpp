// The button's palette: shades derived from one colour by the scheme's rule.
#include "button/KasmoButton.h"

#include <QApplication>
#include <QPalette>

namespace {

int red(int32_t c)
{
    return c & 255;
}
int green(int32_t c)
{
    return (c / 256) % 256;
}
int blue(int32_t c)
{
    return (c / 65536) % 256;
}

int32_t fromQColor(const QColor &c)
{
    return kasmoRGB(c.red(), c.green(), c.blue());
}

// The system colour indexes stored designs use, and the palette roles that stand for them.
bool roleFor(int index, QPalette::ColorGroup &group, QPalette::ColorRole &role)
{
    group = QPalette::Active;
    switch (index) {
    case 0: // scroll bar
    case 15: // button face
        role = QPalette::Button;
        return true;
    case 1: // desktop
    case 4: // menu
    case 10: // active border
    case 11: // inactive border
    case 30: // menu bar
        role = QPalette::Window;
        return true;
    case 2: // active caption
    case 13: // selection highlight
    case 27: // gradient active caption
    case 29: // menu highlight
        role = QPalette::Highlight;
        return true;
    case 3: // inactive caption
    case 28:
        group = QPalette::Inactive;
        role = QPalette::Highlight;
        return true;
    case 5: // window
        role = QPalette::Base;
        return true;
    case 6: // window frame
    case 7: // menu text
        role = QPalette::WindowText;
        return true;
    case 8: // window text
        role = QPalette::Text;
        return true;
    case 9: // caption text
    case 14: // highlight text
        role = QPalette::HighlightedText;
        return true;
    case 19: // inactive caption text
        group = QPalette::Inactive;
        role = QPalette::HighlightedText;
        return true;
    case 12: // application workspace
    case 16: // button shadow
        role = QPalette::Dark;
        return true;
    case 17: // grey text
        group = QPalette::Disabled;
        role = QPalette::Text;
        return true;
    case 18: // button text
        role = QPalette::ButtonText;
        return true;
    case 20: // button highlight
        role = QPalette::Light;
        return true;
    case 21: // 3-D dark shadow
        role = QPalette::Shadow;
        return true;
    case 22: // 3-D light
        role = QPalette::Midlight;
        return true;
    case 23: // tool tip text
        role = QPalette::ToolTipText;
        return true;
    case 24: // tool tip back
        role = QPalette::ToolTipBase;
        return true;
    case 26: // hot-tracked item
        role = QPalette::Link;
        return true;
    default:
        return false;
    }
}

int32_t systemRGB(int index)
{
    return resolveSystemColour(int32_t(0x80000000u | uint32_t(index)));
}

} // namespace

int32_t offsetColour(int32_t colour, int32_t amount, bool blueProportional, bool softBevel)
{
    const int32_t n = softBevel ? amount / 2 : amount;
    int r = red(colour) + n;
    int g = green(colour) + n;
    int b = blueProportional ? blue(colour) + (blue(colour) * n) / 192 : blue(colour) + n;
    if (n > 0) {
        r = qMin(r, 255);
        g = qMin(g, 255);
        b = qMin(b, 255);
    } else if (n < 0) {
        r = qMax(r, 0);
        g = qMax(g, 0);
        b = qMax(b, 0);
    }
    return r + g * 256 + b * 65536;
}

int32_t blendTowardWhite(int32_t colour, int base)
{
    auto ch = [base](int c) { return qMin(255, base + ((255 - base) * c) / 255); };
    return ch(red(colour)) + ch(green(colour)) * 256 + ch(blue(colour)) * 65536;
}

int32_t resolveSystemColour(int32_t colour)
{
    const uint32_t u = uint32_t(colour);
    const uint32_t kind = u >> 24;
    if (kind == 0)
        return colour;
    if (kind != 0x80)
        return 0;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    if (!roleFor(int(u & 0xFFFFFF), group, role))
        return 0;
    return fromQColor(QApplication::palette().color(group, role));
}

int32_t KasmoButton::offsetColour(int32_t colour, int32_t amount, bool blueProportional) const
{
    return ::offsetColour(colour, amount, blueProportional, m_softBevel);
}

void KasmoButton::computeSchemeColours()
{
    Palette &p = m_pal;
    switch (m_colorScheme) {
    case ButtonColourScheme::OwnColours:
        p.faceColour = resolveSystemColour(m_backColor);
        p.textColour = resolveSystemColour(m_foreColor);
        p.hotTextColour = resolveSystemColour(m_foreOver);
        p.shadowColour = shade(p.faceColour, -64);
        p.lightColour = shade(p.faceColour, 31);
        p.highlightColour = shade(p.faceColour, 47);
        p.darkShadowColour = shade(p.faceColour, -192);
        p.selectColour = shade(p.faceColour, -128);
        p.selectTint = p.faceColour;
        break;
    case ButtonColourScheme::ClassicGrey:
        p.faceColour = kasmoRGB(192, 192, 192);
        p.textColour = 0;
        p.hotTextColour = 0;
        p.shadowColour = kasmoRGB(128, 128, 128);
        p.lightColour = kasmoRGB(223, 223, 223);
        p.highlightColour = kasmoRGB(255, 255, 255);
        p.darkShadowColour = 0;
        p.selectColour = kasmoRGB(0, 0, 128);
        p.selectTint = kasmoRGB(173, 173, 209);
        break;
    case ButtonColourScheme::Container: {
        // The container's own back and text colours stand for its drawing context's.
        const QWidget *host = parentWidget() ? parentWidget() : this;
        const QPalette hp = host->palette();
        p.faceColour = fromQColor(hp.color(host->backgroundRole()));
        p.textColour = fromQColor(hp.color(host->foregroundRole()));
        p.hotTextColour = p.textColour;
        p.shadowColour = shade(p.faceColour, -64);
        p.lightColour = shade(p.faceColour, 31);
        p.highlightColour = shade(p.faceColour, 47);
        p.darkShadowColour = shade(p.faceColour, -192);
        p.selectColour = systemRGB(13);
        p.selectTint = blendTowardWhite(p.selectColour, 176);
        break;
    }
    case ButtonColourScheme::System:
    default:
        p.faceColour = systemRGB(15);
        p.textColour = systemRGB(18);
        p.hotTextColour = systemRGB(18);
        p.shadowColour = systemRGB(16);
        p.lightColour = systemRGB(22);
        p.highlightColour = systemRGB(20);
        p.darkShadowColour = systemRGB(21);
        p.selectColour = systemRGB(13);
        p.selectTint = blendTowardWhite(p.selectColour, 176);
        break;
    }
    p.maskRgb = resolveSystemColour(m_maskColor);
    p.tintColour = offsetColour(p.faceColour, 48, m_buttonType == ButtonStyle::RoundedGradient);
}
