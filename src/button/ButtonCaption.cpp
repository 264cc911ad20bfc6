// The caption with its access key, the picture and the focus mark.
#include "button/KasmoButton.h"

#include <QFontMetrics>
#include <QKeySequence>
#include <QPainter>
#include <cfenv>
#include <cmath>

namespace {

QRgb toRgb(int32_t c)
{
    return qRgb(c & 255, (c >> 8) & 255, (c >> 16) & 255);
}

int32_t fromRgb(QRgb p)
{
    return kasmoRGB(qRed(p), qGreen(p), qBlue(p));
}

// Rounds to the nearest whole number, halves to the even one.
double roundEven(double v)
{
    const int old = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(v);
    std::fesetround(old);
    return r;
}

constexpr int TextFlags = Qt::TextWordWrap | Qt::TextShowMnemonic;

} // namespace

void KasmoButton::updateAccessKey()
{
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    m_accessKey = QChar();
    const QString &c = m_caption;
    const int len = int(c.size());
    if (len <= 1)
        return;
    const int a = int(c.indexOf(QLatin1Char('&')));
    if (a < 0 || a == len - 1)
        return;
    if (c.at(a + 1) != QLatin1Char('&')) {
        m_accessKey = c.at(a + 1).toLower();
    } else {
        // Only the doubled pair and the next ampersand are looked at.
        const int n = int(c.indexOf(QLatin1Char('&'), a + 2));
        if (n < 0 || n == len - 1 || c.at(n + 1) == QLatin1Char('&'))
            return;
        m_accessKey = c.at(n + 1).toLower();
    }
    const int key = m_accessKey.toUpper().unicode();
    m_shortcutId = grabShortcut(QKeySequence(int(Qt::ALT) | key));
}

void KasmoButton::layOutCaption()
{
    const int W = m_clientWidth;
    const int H = m_clientHeight;
    // Bounds as left, top and excluded right and bottom.
    int left = m_pressedCaptionRect.left(), top = m_pressedCaptionRect.top();
    int boundsRight = left + m_pressedCaptionRect.width();
    switch (m_picturePosition) {
    case PicturePlace::Left:
        left = m_pictureWidth + 1;
        top = 1;
        boundsRight = W - 2;
        break;
    case PicturePlace::Right:
        left = 1;
        top = 1;
        boundsRight = W - m_pictureWidth - 2;
        break;
    case PicturePlace::Above:
        left = 1;
        top = m_pictureHeight + 1;
        boundsRight = W - 2;
        break;
    case PicturePlace::Below:
    case PicturePlace::Behind:
        left = 1;
        top = 1;
        boundsRight = W - 2;
        break;
    default:
        break; // the rectangle as it was
    }
    const int boundsWidth = boundsRight - left;
    int right = left, bottom = top;
    if (!m_caption.isEmpty()) {
        const QFontMetrics fm(font(), this);
        const QRect m = fm.boundingRect(QRect(0, 0, qMax(boundsWidth, 1), 100000),
            Qt::AlignLeft | Qt::AlignTop | TextFlags, m_caption);
        right = left + m.width();
        bottom = top + m.height();
    }
    m_captionWidth = right - left;
    m_captionHeight = bottom - top;
    m_captionRect = QRect(left, top, m_captionWidth, m_captionHeight);
    if (int32_t(m_picturePosition) >= int32_t(PicturePlace::Left)
        && int32_t(m_picturePosition) <= int32_t(PicturePlace::Behind)) {
        int dx = (W - right) / 2;
        int dy = (H - bottom) / 2;
        if (m_picturePosition == PicturePlace::Right)
            dx = (W - right - m_pictureWidth - 4) / 2;
        if (m_picturePosition == PicturePlace::Below)
            dy = (H - bottom - m_pictureHeight - 4) / 2;
        m_captionRect.translate(dx, dy);
    }
    m_pressedCaptionRect = m_captionRect.translated(1, 1);
    placePicture();
}

void KasmoButton::measurePicture()
{
    // Pictures come in pixels already; HiMetric rounding has nothing left to do.
    m_pictureWidth = m_pictureNormal.isNull() ? 0 : m_pictureNormal.width();
    m_pictureHeight = m_pictureNormal.isNull() ? 0 : m_pictureNormal.height();
}

void KasmoButton::placePicture()
{
    if (m_pictureNormal.isNull() && m_pictureOver.isNull())
        return;
    const int W = m_clientWidth, H = m_clientHeight;
    // Only blanks count as empty; tabs and line breaks are part of the caption.
    const bool blank = m_caption.count(QLatin1Char(' ')) == m_caption.size();
    if (!blank && m_picturePosition != PicturePlace::Behind) {
        switch (m_picturePosition) {
        case PicturePlace::Left:
            m_pictureLeft = m_captionRect.left() - m_pictureWidth - 4;
            m_pictureTop = (H - m_pictureHeight) / 2;
            break;
        case PicturePlace::Right:
            m_pictureLeft = m_captionRect.left() + m_captionRect.width() + 4;
            m_pictureTop = (H - m_pictureHeight) / 2;
            break;
        case PicturePlace::Above:
            m_pictureLeft = (W - m_pictureWidth) / 2;
            m_pictureTop = m_captionRect.top() - m_pictureHeight - 2;
            break;
        case PicturePlace::Below:
            m_pictureLeft = (W - m_pictureWidth) / 2;
            m_pictureTop = m_captionRect.top() + m_captionRect.height() + 2;
            break;
        default:
            break;
        }
    } else {
        m_pictureLeft = (W - m_pictureWidth) / 2;
        m_pictureTop = (H - m_pictureHeight) / 2;
    }
}

void KasmoButton::drawCaptionText(const QRect &rect, int32_t colour)
{
    if (m_surface.isNull() || m_caption.isEmpty())
        return;
    QPainter p(&m_surface);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setFont(font());
    p.setPen(QColor(toRgb(colour)));
    p.drawText(rect, Qt::AlignCenter | TextFlags, m_caption);
}

void KasmoButton::paintCaption(CaptionLook style)
{
    m_lastCaptionStyle = style;
    const Palette &c = m_pal;
    switch (style) {
    case CaptionLook::Plain:
        paintCaptionShadow(m_captionRect);
        drawCaptionText(m_captionRect, c.textColour);
        break;
    case CaptionLook::Hot:
        paintCaptionShadow(m_captionRect);
        drawCaptionText(m_captionRect, c.hotTextColour);
        break;
    case CaptionLook::Pressed:
        paintCaptionShadow(m_pressedCaptionRect);
        drawCaptionText(m_pressedCaptionRect,
            m_buttonType == ButtonStyle::RoundedLight ? c.lightColour : c.hotTextColour);
        break;
    case CaptionLook::EtchedGrey:
        drawCaptionText(m_pressedCaptionRect, c.highlightColour);
        drawCaptionText(m_captionRect, c.shadowColour);
        break;
    case CaptionLook::Greyed:
        drawCaptionText(m_captionRect, c.shadowColour);
        break;
    case CaptionLook::Dimmed:
        drawCaptionText(m_captionRect, offsetColour(c.tintColour, -104, true));
        break;
    case CaptionLook::EtchedFace:
        drawCaptionText(m_pressedCaptionRect, c.highlightColour);
        drawCaptionText(m_captionRect, c.faceColour);
        break;
    case CaptionLook::LightOverDark:
        drawCaptionText(m_pressedCaptionRect, shade(c.shadowColour, -50));
        drawCaptionText(m_captionRect, c.highlightColour);
        break;
    }
}

ButtonRelief KasmoButton::reliefDrawn() const
{
    const int32_t n = int32_t(m_specialEffect);
    if (n < int32_t(ButtonRelief::None))
        return ButtonRelief::None;
    if (n > int32_t(ButtonRelief::Shadow))
        return ButtonRelief::Shadow;
    return m_specialEffect;
}

void KasmoButton::paintCaptionShadow(const QRect &rect)
{
    const ButtonRelief relief = reliefDrawn();
    if (relief == ButtonRelief::None)
        return;
    int32_t base = m_pal.faceColour;
    if (m_buttonType == ButtonStyle::RoundedGradient || m_buttonType == ButtonStyle::RoundedLight
        || m_buttonType == ButtonStyle::FramedGradient)
        base = m_pal.tintColour;
    else if (m_lastState == ButtonState::Up && m_isHot
        && m_colorScheme != ButtonColourScheme::OwnColours
        && m_buttonType == ButtonStyle::FlatHotFill)
        base = m_pal.selectTint;
    const bool sunken = relief == ButtonRelief::Sunken;
    drawCaptionText(rect.translated(1, 1), shade(base, sunken ? 40 : -40));
    if (relief != ButtonRelief::Shadow)
        drawCaptionText(rect.translated(-1, -1), shade(base, sunken ? -40 : 40));
}

void KasmoButton::paintPicture(FaceLook look)
{
    if (m_pictureNormal.isNull())
        return;
    const int x = m_pictureLeft, y = m_pictureTop, w = m_pictureWidth, h = m_pictureHeight;
    const int32_t mask = m_pal.maskRgb;
    const QImage &pn = m_pictureNormal;
    const QImage &po = m_pictureOver;
    auto natural = [&](const QImage &pic, int px, int py) {
        drawMasked(px, py, w, h, pic, mask, -1, false, false, false);
    };
    if (look == FaceLook::Normal) {
        if (!m_isHot) {
            paintPictureShadow(0, pn);
            drawMasked(x, y, w, h, pn, mask, -1, false, m_useGreyscale,
                m_buttonType == ButtonStyle::FlatHotFill);
        } else if (m_buttonType == ButtonStyle::FlatHotFill) {
            paintPictureShadow(-1, pn);
            drawMasked(x + 1, y + 1, w, h, pn, mask, m_pal.shadowColour, false, false, false);
            natural(pn, x - 1, y - 1);
        } else if (!po.isNull()) {
            paintPictureShadow(0, po);
            natural(po, x, y);
        } else {
            paintPictureShadow(0, pn);
            natural(pn, x, y);
        }
    } else if (look == FaceLook::Pressed) {
        if (!po.isNull() && m_buttonType != ButtonStyle::FlatHotFill) {
            const int d = m_buttonType == ButtonStyle::ThinFrame ? 0 : 1;
            natural(po, x + d, y + d);
        } else if (m_buttonType == ButtonStyle::ThinFrame
            || m_buttonType == ButtonStyle::FlatHotFill) {
            paintPictureShadow(0, pn);
            natural(pn, x, y);
        } else {
            paintPictureShadow(1, pn);
            natural(pn, x + 1, y + 1);
        }
    } else {
        if (m_buttonType == ButtonStyle::RoundedGradient) {
            drawMasked(x + 1, y + 1, w, h, pn, mask, -1, false, true, false);
        } else if (m_buttonType == ButtonStyle::ThinFrame || m_buttonType == ButtonStyle::LightBevel
            || m_buttonType == ButtonStyle::FlatHotFill) {
            const int32_t tint = m_buttonType == ButtonStyle::FlatHotFill
                ? shade(m_pal.shadowColour, 13)
                : m_pal.shadowColour;
            drawMasked(x, y, w, h, pn, mask, tint, true, false, false);
        } else {
            drawMasked(x + 1, y + 1, w, h, pn, mask, m_pal.highlightColour, true, false, false);
            drawMasked(x, y, w, h, pn, mask, m_pal.shadowColour, true, false, false);
        }
    }
    if (m_picturePosition == PicturePlace::Behind)
        paintCaption(m_lastCaptionStyle);
}

void KasmoButton::paintPictureShadow(int shift, const QImage &picture)
{
    const ButtonRelief relief = reliefDrawn();
    if (relief == ButtonRelief::None)
        return;
    int32_t base = m_pal.faceColour;
    if (m_buttonType == ButtonStyle::RoundedGradient)
        base = m_pal.tintColour;
    else if (shift == -1 && m_colorScheme != ButtonColourScheme::OwnColours)
        base = m_pal.selectTint;
    const bool sunken = relief == ButtonRelief::Sunken;
    const int x = m_pictureLeft, y = m_pictureTop, w = m_pictureWidth, h = m_pictureHeight;
    drawMasked(x + shift + 1, y + shift + 1, w, h, picture, m_pal.maskRgb,
        shade(base, sunken ? 40 : -40), false, false, false);
    if (relief != ButtonRelief::Shadow)
        drawMasked(x + shift - 1, y + shift - 1, w, h, picture, m_pal.maskRgb,
            shade(base, sunken ? -40 : 40), false, false, false);
}

void KasmoButton::drawMasked(int x, int y, int w, int h, const QImage &picture, int32_t maskRGB,
    int32_t tint, bool darkOnly, bool greyscale, bool blend)
{
    if (w <= 0 || h <= 0 || m_surface.isNull() || picture.isNull())
        return;
    // An icon (a picture with transparency) is laid over the mask colour first, so its
    // transparent parts take the mask colour; a bitmap is used as it is.
    QImage src(w, h, QImage::Format_RGB32);
    const QRgb maskPixel = toRgb(resolveSystemColour(m_maskColor));
    src.fill(maskPixel);
    {
        QPainter p(&src);
        if (picture.hasAlphaChannel())
            p.drawImage(0, 0, picture);
        else
            p.drawImage(0, 0, picture, 0, 0, qMin(w, picture.width()), qMin(h, picture.height()));
    }
    for (int row = 0; row < h; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= m_surface.height())
            continue;
        const QRgb *s = reinterpret_cast<const QRgb *>(src.constScanLine(row));
        QRgb *t = reinterpret_cast<QRgb *>(m_surface.scanLine(ty));
        for (int col = 0; col < w; ++col) {
            const int tx = x + col;
            if (tx < 0 || tx >= m_surface.width())
                continue;
            const QRgb p = s[col];
            if (m_useMaskColor && fromRgb(p) == maskRGB)
                continue;
            QRgb &d = t[tx];
            if (tint == -1) {
                if (greyscale) {
                    const double g
                        = roundEven(roundEven(0.3 * qRed(p)) + 0.59 * qGreen(p) + 0.11 * qBlue(p));
                    const int gi = qBound(0, int(g), 255);
                    d = qRgb(gi, gi, gi);
                } else if (blend) {
                    d = qRgb((2 * qRed(p) + qRed(d)) / 3, (2 * qGreen(p) + qGreen(d)) / 3,
                        (2 * qBlue(p) + qBlue(d)) / 3);
                } else {
                    d = qRgb(qRed(p), qGreen(p), qBlue(p));
                }
            } else if (darkOnly) {
                if (qRed(p) + qGreen(p) + qBlue(p) <= 384)
                    d = toRgb(tint);
            } else {
                d = toRgb(tint);
            }
        }
    }
}

void KasmoButton::paintFocusMark()
{
    if (!m_showFocusRect || !m_hasFocus || m_surface.isNull())
        return;
    // The dotted mark inverts every other pixel along the inside of the rectangle, in the
    // text colour on the even pixels and in the white background colour on the odd ones.
    const QRect r = m_focusRect;
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QRgb text = toRgb(m_pal.textColour) & 0xFFFFFF;
    auto flip = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= m_surface.width() || py >= m_surface.height())
            return;
        const QRgb xorWith = ((px + py) % 2 == 0) ? text : 0xFFFFFF;
        QRgb &d = reinterpret_cast<QRgb *>(m_surface.scanLine(py))[px];
        d = 0xFF000000 | ((d & 0xFFFFFF) ^ xorWith);
    };
    const int l = r.left(), t = r.top(), rr = r.left() + r.width() - 1,
              b = r.top() + r.height() - 1;
    for (int px = l; px <= rr; ++px) {
        flip(px, t);
        if (b != t)
            flip(px, b);
    }
    for (int py = t + 1; py < b; ++py) {
        flip(l, py);
        if (rr != l)
            flip(rr, py);
    }
}
