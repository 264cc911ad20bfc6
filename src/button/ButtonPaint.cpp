// Painting: the back buffer, the five primitives, the styles and the window outline.
#include "button/KasmoButton.h"

#include <QApplication>
#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace {

QRgb toRgb(int32_t c)
{
    return qRgb(c & 255, (c >> 8) & 255, (c >> 16) & 255);
}

} // namespace

void KasmoButton::paintButton(ButtonState state, bool force)
{
    if (m_checkBoxBehaviour && m_value)
        state = ButtonState::Down;
    if (!(force || m_caption != m_lastCaption || state != m_lastState) || m_clientHeight == 0
        || !m_paintingOn)
        return;
    m_lastState = state;
    m_lastCaption = m_caption;
    ++m_paintCount;

    const int W = m_clientWidth, H = m_clientHeight;
    if (m_surface.size() != QSize(W, H)) {
        m_surface = QImage(qMax(W, 1), H, QImage::Format_RGB32);
        // Text on the buffer must measure as it does on the widget.
        const int dpm = qRound(logicalDpiX() / 0.0254);
        m_surface.setDotsPerMeterX(dpm);
        m_surface.setDotsPerMeterY(dpm);
    }
    m_surface.fill(palette().color(QPalette::Button));

    const bool hotFace = m_isHot && m_colorScheme == ButtonColourScheme::OwnColours;
    const int32_t keptBackColor = m_backColor;
    if (hotFace) {
        m_backColor = m_backOver;
        computeSchemeColours();
    }
    paintBox(0, 0, W, H, m_pal.faceColour, false);
    const FaceLook look = !m_enabled
        ? FaceLook::Disabled
        : (state == ButtonState::Up ? FaceLook::Normal : FaceLook::Pressed);
    paintStyle(look);
    paintPicture(look);
    if (m_isHot && m_colorScheme == ButtonColourScheme::OwnColours) {
        m_backColor = keptBackColor;
        computeSchemeColours();
    }
    update();
}

namespace {

// The gradient's shift for line i: the step is kept in single precision and the product
// rounded to the nearest whole number, halves to the even one.
int gradientShift(int steps, int height, int i)
{
    const float step = float(steps) / float(height);
    return -int(std::nearbyint(step * float(i)));
}

} // namespace

void KasmoButton::paintStyle(FaceLook look)
{
    const Palette &c = m_pal;
    const int W = m_clientWidth, H = m_clientHeight;
    const CaptionLook h = m_isHot ? CaptionLook::Hot : CaptionLook::Plain;
    const bool normal = look == FaceLook::Normal, pressed = look == FaceLook::Pressed,
               disabled = look == FaceLook::Disabled;
    auto corners = [&](int32_t colour) {
        paintDot(1, 1, colour);
        paintDot(1, H - 2, colour);
        paintDot(W - 2, 1, colour);
        paintDot(W - 2, H - 2, colour);
    };
    auto captionFocusBox = [&] {
        if (m_hasFocus && m_showFocusRect)
            paintBox(m_captionRect.left() - 2, m_captionRect.top() - 1, m_captionWidth + 4,
                m_captionHeight + 2, 13408665, true);
    };
    const bool defaultFrame = m_showFocusRect && m_displayAsDefault;

    switch (m_buttonType) {
    case ButtonStyle::FramedBevel:
        if (pressed) {
            paintCaption(CaptionLook::Pressed);
            paintBorder(
                c.shadowColour, c.highlightColour, c.shadowColour, c.highlightColour, true, false);
        } else {
            paintCaption(disabled ? CaptionLook::EtchedGrey : h);
            paintBorder(
                c.highlightColour, c.shadowColour, c.highlightColour, c.shadowColour, true, false);
        }
        paintBox(0, 0, W, H, c.darkShadowColour, true);
        if (!disabled)
            paintFocusMark();
        break;

    case ButtonStyle::ClassicRaised:
        if (normal) {
            paintCaption(h);
            if (defaultFrame) {
                paintBorder(c.highlightColour, c.darkShadowColour, c.lightColour, c.shadowColour,
                    true, false);
                paintFocusMark();
                paintBox(0, 0, W, H, c.darkShadowColour, true);
            } else {
                paintBorder(c.highlightColour, c.darkShadowColour, c.lightColour, c.shadowColour,
                    false, false);
            }
        } else if (pressed) {
            paintCaption(CaptionLook::Pressed);
            if (defaultFrame) {
                paintBox(0, 0, W, H, c.darkShadowColour, true);
                paintBox(1, 1, W - 2, H - 2, c.shadowColour, true);
                paintFocusMark();
            } else {
                paintBorder(c.darkShadowColour, c.highlightColour, c.shadowColour, c.lightColour,
                    false, false);
            }
        } else {
            paintCaption(CaptionLook::EtchedGrey);
            paintBorder(
                c.highlightColour, c.darkShadowColour, c.lightColour, c.shadowColour, false, false);
        }
        break;

    case ButtonStyle::RoundedGradient:
        if (normal) {
            for (int i = 1; i <= H; ++i)
                paintSegment(0, i, W, i, shadeBlue(c.tintColour, gradientShift(25, H, i)));
            paintCaption(h);
            paintBox(0, 0, W, H, 7552000, true);
            corners(8080656);
            auto ring = [&](int32_t a, int32_t b, int32_t d, int32_t e, int32_t f, int32_t g) {
                paintBox(1, 2, W - 2, H - 4, a, true);
                paintSegment(2, H - 2, W - 2, H - 2, b);
                paintSegment(2, 1, W - 2, 1, d);
                paintSegment(1, 2, W - 1, 2, e);
                paintSegment(2, 3, 2, H - 3, f);
                paintSegment(W - 3, 3, W - 3, H - 3, g);
            };
            if (m_isHot) {
                ring(3257087, 38631, 13562879, 9231359, 7064575, 7064575);
            } else if ((m_hasFocus || m_displayAsDefault) && m_showFocusRect) {
                ring(15183500, 15696491, 16771022, 16242621, 15782325, 15782325);
            } else {
                const int32_t t = c.tintColour;
                paintSegment(2, H - 2, W - 2, H - 2, shadeBlue(t, -48));
                paintSegment(1, H - 3, W - 2, H - 3, shadeBlue(t, -32));
                paintSegment(W - 2, 2, W - 2, H - 2, shadeBlue(t, -36));
                paintSegment(W - 3, 3, W - 3, H - 3, shadeBlue(t, -24));
                paintSegment(2, 1, W - 2, 1, shadeBlue(t, 16));
                paintSegment(1, 2, W - 2, 2, shadeBlue(t, 10));
                paintSegment(1, 2, 1, H - 2, shadeBlue(t, -5));
                paintSegment(2, 3, 2, H - 3, shadeBlue(t, -10));
            }
        } else if (pressed) {
            const int32_t base = shadeBlue(c.tintColour, -32);
            for (int i = 1; i <= H; ++i)
                paintSegment(0, H - i, W, H - i, shadeBlue(base, gradientShift(25, H, i)));
            paintCaption(CaptionLook::Pressed);
            paintBox(0, 0, W, H, 7552000, true);
            corners(8080656);
            paintSegment(2, H - 2, W - 2, H - 2, shadeBlue(base, 16));
            paintSegment(1, H - 3, W - 2, H - 3, shadeBlue(base, 10));
            paintSegment(W - 2, 2, W - 2, H - 2, shadeBlue(base, 5));
            paintSegment(W - 3, 3, W - 3, H - 3, c.tintColour);
            paintSegment(2, 1, W - 2, 1, shadeBlue(base, -32));
            paintSegment(1, 2, W - 2, 2, shadeBlue(base, -24));
            paintSegment(1, 2, 1, H - 2, shadeBlue(base, -32));
            paintSegment(2, 2, 2, H - 2, shadeBlue(base, -22));
        } else {
            paintBox(0, 0, W, H, shadeBlue(c.tintColour, -24), false);
            paintCaption(CaptionLook::Dimmed);
            paintBox(0, 0, W, H, shadeBlue(c.tintColour, -84), true);
            corners(shadeBlue(c.tintColour, -72));
        }
        break;

    case ButtonStyle::RoundedLight:
        if (!pressed) {
            paintBox(1, 1, W - 2, H - 2, c.lightColour, false);
            paintCaption(disabled ? CaptionLook::EtchedGrey : h);
            paintBox(0, 0, W, H, c.darkShadowColour, true);
            corners(c.darkShadowColour);
            paintSegment(1, 2, 2, 0, c.faceColour);
            paintSegment(3, 2, W - 3, 2, c.highlightColour);
            paintSegment(2, 2, 2, H - 3, c.highlightColour);
            paintDot(3, 3, c.highlightColour);
            paintSegment(W - 3, 1, W - 3, H - 3, c.faceColour);
            paintSegment(1, H - 3, W - 3, H - 3, c.faceColour);
            paintDot(W - 4, H - 4, c.faceColour);
            paintSegment(W - 2, 2, W - 2, H - 2, c.shadowColour);
            paintSegment(2, H - 2, W - 2, H - 2, c.shadowColour);
            paintDot(W - 3, H - 3, c.shadowColour);
        } else {
            const int32_t face = shade(c.shadowColour, -16);
            paintBox(1, 1, W - 2, H - 2, face, false);
            // The caption's relief takes the pressed face as its base.
            m_pal.tintColour = face;
            paintCaption(CaptionLook::Pressed);
            m_pal.tintColour = shade(c.faceColour, 48);
            paintBox(0, 0, W, H, c.darkShadowColour, true);
            paintBox(1, 1, W - 2, H - 2, shade(c.shadowColour, -64), true);
            paintBox(2, 2, W - 4, H - 4, shade(c.shadowColour, -32), true);
            paintDot(2, 2, shade(c.shadowColour, -64));
            paintDot(3, 3, shade(c.shadowColour, -32));
            corners(c.darkShadowColour);
            paintSegment(W - 3, 1, W - 3, H - 3, c.shadowColour);
            paintSegment(1, H - 3, W - 2, H - 3, c.shadowColour);
            paintDot(W - 4, H - 4, c.shadowColour);
            paintSegment(W - 2, 3, W - 2, H - 2, shade(c.shadowColour, -16));
            paintSegment(3, H - 2, W - 2, H - 2, shade(c.shadowColour, -16));
            paintSegment(W - 2, H - 3, W - 4, H - 1, shade(c.shadowColour, -32));
            paintDot(2, H - 2, shade(c.shadowColour, -32));
            paintDot(W - 2, 2, shade(c.shadowColour, -32));
        }
        break;

    case ButtonStyle::ThinFrame:
        if (normal) {
            paintBox(1, 1, W - 1, H - 1, shade(c.faceColour, 12), false);
            paintCaption(h);
            paintBox(1, 1, W - 1, H - 1, c.highlightColour, true);
            paintBox(0, 0, W - 1, H - 1, shade(c.shadowColour, -26), true);
            paintDot(1, H - 2, shade(c.shadowColour, 26));
            paintDot(W - 2, 1, shade(c.shadowColour, 26));
            captionFocusBox();
        } else if (pressed) {
            paintBox(1, 1, W - 2, H - 2, shade(c.shadowColour, 16), false);
            paintBox(0, 0, W - 1, H - 1, shade(c.shadowColour, -26), true);
            paintSegment(W - 1, 1, W - 1, H, c.highlightColour);
            paintSegment(1, H - 1, W - 1, H - 1, c.highlightColour);
            // Drawn directly: in place and without relief.
            drawCaptionText(m_captionRect, c.hotTextColour);
            captionFocusBox();
        } else {
            paintCaption(CaptionLook::Greyed);
            paintBox(0, 0, W, H, c.shadowColour, true);
        }
        break;

    case ButtonStyle::LightBevel: {
        const int32_t l = shade(c.lightColour, 8);
        if (pressed) {
            paintCaption(CaptionLook::Pressed);
            paintBorder(c.shadowColour, l, c.shadowColour, l, false, false);
            paintFocusMark();
        } else {
            paintCaption(disabled ? CaptionLook::Greyed : h);
            paintBorder(l, c.shadowColour, l, c.shadowColour, false, false);
            if (!disabled)
                paintFocusMark();
        }
        break;
    }

    case ButtonStyle::FlatThinBorder:
    case ButtonStyle::FlatHotBorder:
    case ButtonStyle::FlatHotRaised:
        if (normal) {
            paintCaption(h);
            if (m_buttonType == ButtonStyle::FlatThinBorder
                || (m_buttonType == ButtonStyle::FlatHotBorder && m_isHot))
                paintBorder(c.highlightColour, c.shadowColour, 0, 0, false, true);
            else if (m_buttonType == ButtonStyle::FlatHotRaised && m_isHot)
                paintBorder(c.highlightColour, c.darkShadowColour, c.lightColour, c.shadowColour,
                    false, false);
            paintFocusMark();
        } else if (pressed) {
            paintCaption(CaptionLook::Pressed);
            if (m_buttonType == ButtonStyle::FlatHotRaised)
                paintBorder(c.darkShadowColour, c.highlightColour, c.shadowColour, c.lightColour,
                    false, false);
            else
                paintBorder(c.shadowColour, c.highlightColour, 0, 0, false, true);
            paintFocusMark();
        } else {
            paintCaption(CaptionLook::EtchedGrey);
            if (m_buttonType == ButtonStyle::FlatThinBorder)
                paintBorder(c.highlightColour, c.shadowColour, 0, 0, false, true);
        }
        break;

    case ButtonStyle::FlatHotFill:
        if (normal) {
            if (m_isHot)
                paintBox(1, 1, W, H, c.selectTint, false);
            paintCaption(h);
            if (m_isHot)
                paintBox(0, 0, W, H, c.selectColour, true);
            paintFocusMark();
        } else if (pressed) {
            if (m_isHot)
                paintBox(0, 0, W, H,
                    m_colorScheme != ButtonColourScheme::OwnColours
                        ? blendTowardWhite(c.selectColour, 128)
                        : shade(c.selectTint, -32),
                    false);
            paintCaption(CaptionLook::Pressed);
            paintBox(0, 0, W, H, c.selectColour, true);
            paintFocusMark();
        } else {
            paintCaption(CaptionLook::Greyed);
        }
        break;

    case ButtonStyle::FaceOnly:
        break;

    case ButtonStyle::SeeThrough:
        if (m_hasBackgroundCopy) {
            QPainter p(&m_surface);
            p.drawImage(QPoint(0, 0), m_backgroundCopy, QRect(0, 0, W, H));
        }
        if (normal) {
            paintCaption(h);
            paintFocusMark();
        } else if (pressed) {
            paintCaption(CaptionLook::Pressed);
            paintFocusMark();
        } else {
            paintCaption(CaptionLook::EtchedGrey);
        }
        break;

    case ButtonStyle::Oval:
        if (normal) {
            paintOval(0, 0, W, H, m_isHot ? c.shadowColour : c.faceColour, c.faceColour);
            paintCaption(h);
        } else if (pressed) {
            paintOval(0, 0, W, H, c.darkShadowColour, shade(c.faceColour, -32));
            paintCaption(CaptionLook::Pressed);
        } else {
            paintCaption(CaptionLook::EtchedGrey);
        }
        break;

    case ButtonStyle::FramedGradient:
        if (pressed) {
            paintBox(1, 1, W, H, shade(c.faceColour, -9), false);
            paintBox(0, 0, W, H, shade(c.shadowColour, -48), true);
            paintSegment(2, H - 2, W - 2, H - 2, c.highlightColour);
            paintSegment(W - 2, 2, W - 2, H - 1, c.highlightColour);
            paintCaption(CaptionLook::LightOverDark);
            paintFocusMark();
            break;
        }
        if (normal && m_isHot) {
            paintBox(0, 0, W, H, c.lightColour, false);
        } else {
            for (int i = 1; i <= H; ++i)
                paintSegment(0, i, W, i, shade(c.highlightColour, gradientShift(58, H, i)));
        }
        if (normal) {
            // A default button shows its caption bold; the font setter's own repaint is held off.
            bool keptBold = false;
            if (m_displayAsDefault) {
                m_paintingOn = false;
                keptBold = FontBold();
                setFontBold(true);
            }
            paintCaption(h);
            if (m_displayAsDefault) {
                setFontBold(keptBold);
                m_paintingOn = true;
            }
        }
        paintBox(0, 0, W, H, shade(m_pal.shadowColour, -50), true);
        paintBox(1, 1, W - 2, H - 2, shade(m_pal.faceColour, -9), true);
        paintBox(2, 2, W - 4, 2, m_pal.highlightColour, false);
        paintBox(2, 4, 2, H - 6, m_pal.highlightColour, false);
        if (normal)
            paintFocusMark();
        else
            paintCaption(CaptionLook::EtchedFace);
        break;

    default:
        break;
    }
}

// ---- primitives ----

void KasmoButton::paintBox(int x, int y, int w, int h, int32_t colour, bool frameOnly)
{
    if (w <= 0 || h <= 0 || m_surface.isNull())
        return;
    QPainter p(&m_surface);
    const QColor c(toRgb(colour));
    if (!frameOnly) {
        p.fillRect(QRect(x, y, w, h), c);
        return;
    }
    p.fillRect(QRect(x, y, w, 1), c);
    p.fillRect(QRect(x, y + h - 1, w, 1), c);
    p.fillRect(QRect(x, y, 1, h), c);
    p.fillRect(QRect(x + w - 1, y, 1, h), c);
}

void KasmoButton::paintDot(int x, int y, int32_t colour)
{
    if (x < 0 || y < 0 || x >= m_surface.width() || y >= m_surface.height())
        return;
    m_surface.setPixel(x, y, toRgb(colour));
}

// A one-pixel line that leaves out its end point, as the platform's line drawing does.
void KasmoButton::paintSegment(int x1, int y1, int x2, int y2, int32_t colour)
{
    if (m_surface.isNull())
        return;
    if (y1 == y2 && x1 != x2) {
        // Rows are most of the gradients: write them straight into the buffer.
        if (y1 < 0 || y1 >= m_surface.height())
            return;
        const int from = qMax(0, x1 < x2 ? x1 : x2 + 1);
        const int to = qMin(m_surface.width() - 1, x1 < x2 ? x2 - 1 : x1);
        QRgb *row = reinterpret_cast<QRgb *>(m_surface.scanLine(y1));
        const QRgb c = toRgb(colour);
        for (int x = from; x <= to; ++x)
            row[x] = c;
        return;
    }
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int err = dx - dy;
    int x = x1, y = y1;
    while (!(x == x2 && y == y2)) {
        paintDot(x, y, colour);
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

void KasmoButton::paintOval(int x, int y, int w, int h, int32_t penColour, int32_t fillColour)
{
    if (w <= 0 || h <= 0 || m_surface.isNull())
        return;
    // The same ellipse as the window outline of the oval style, with a two-pixel rim.
    const QRegion outer(x, y, w, h, QRegion::Ellipse);
    const QRegion inner
        = w > 4 && h > 4 ? QRegion(x + 2, y + 2, w - 4, h - 4, QRegion::Ellipse) : QRegion();
    QPainter p(&m_surface);
    for (const QRect &r : inner)
        p.fillRect(r, QColor(toRgb(fillColour)));
    for (const QRect &r : outer.subtracted(inner))
        p.fillRect(r, QColor(toRgb(penColour)));
}

void KasmoButton::paintBorder(
    int32_t c1, int32_t c2, int32_t c3, int32_t c4, bool inset, bool single)
{
    const int o = inset ? 1 : 0;
    const int r = m_clientWidth - 1 - o;
    const int b = m_clientHeight - 1 - o;
    QPoint cur(o, b);
    auto to = [&](int x, int y, int32_t colour) {
        paintSegment(cur.x(), cur.y(), x, y, colour);
        cur = QPoint(x, y);
    };
    to(o, o, c1);
    to(r, o, c1);
    to(r, b, c2);
    to(o - 1, b, c2);
    cur = QPoint(o + 1, b - 1);
    if (single)
        return;
    to(o + 1, o + 1, c3);
    to(r - 1, o + 1, c3);
    to(r - 1, b - 1, c4);
    to(o, b - 1, c4);
}

// ---- outline, size and the copy behind the see-through style ----

void KasmoButton::buildWindowShape()
{
    const int W = m_clientWidth, H = m_clientHeight;
    QRegion shape(0, 0, W, H);
    auto cut = [&](int x, int y) { shape -= QRegion(x, y, 1, 1); };
    switch (m_buttonType) {
    case ButtonStyle::FramedBevel:
    case ButtonStyle::ThinFrame:
    case ButtonStyle::FramedGradient:
        cut(0, H - 1);
        cut(W - 1, 0);
        if (m_buttonType != ButtonStyle::ThinFrame) {
            cut(0, 0);
            cut(W - 1, H - 1);
        }
        break;
    case ButtonStyle::RoundedGradient:
    case ButtonStyle::RoundedLight:
        cut(0, 0);
        cut(1, 0);
        cut(0, 1);
        cut(0, H - 1);
        cut(1, H - 1);
        cut(0, H - 2);
        cut(W - 2, 0);
        cut(W - 1, 0);
        cut(W - 1, 1);
        cut(W - 2, H - 1);
        cut(W - 1, H - 1);
        cut(W - 1, H - 2);
        break;
    case ButtonStyle::Oval:
        shape = QRegion(0, 0, W, H, QRegion::Ellipse);
        break;
    default:
        break;
    }
    m_windowShape = shape;
}

void KasmoButton::layOutForSize()
{
    if (m_captureBusy)
        return;
    m_clientHeight = height();
    m_clientWidth = width();
    const QRect client(0, 0, m_clientWidth, m_clientHeight);
    switch (m_buttonType) {
    case ButtonStyle::FlatThinBorder:
    case ButtonStyle::FlatHotBorder:
    case ButtonStyle::FlatHotFill:
    case ButtonStyle::FaceOnly:
    case ButtonStyle::SeeThrough:
    case ButtonStyle::FlatHotRaised:
    case ButtonStyle::Oval:
        m_focusRect = client.adjusted(3, 3, -3, -3);
        break;
    case ButtonStyle::FramedGradient:
        m_focusRect = client.adjusted(5, 5, -5, -5).translated(1, 1);
        break;
    default:
        m_focusRect = client.adjusted(4, 4, -4, -4);
        break;
    }
    layOutCaption();
    buildWindowShape();
    if (m_windowShape.isEmpty())
        clearMask();
    else
        setMask(m_windowShape);
    if (m_clientHeight != 0)
        paintButton(ButtonState::Up, true);
}

void KasmoButton::captureParentBackground()
{
    QWidget *parent = parentWidget();
    if (!m_hasBackgroundCopy || !parent)
        return;
    m_captureBusy = true;
    // The parent and the siblings under the button, drawn without it, are what lies behind it.
    const QRect area = geometry();
    QImage behind(area.size(), QImage::Format_RGB32);
    behind.fill(Qt::black);
    {
        QPainter p(&behind);
        parent->render(&p, QPoint(), QRegion(area), QWidget::DrawWindowBackground);
        for (QObject *o : parent->children()) {
            auto *w = qobject_cast<QWidget *>(o);
            if (w == this)
                break; // later siblings lie above the button
            if (!w || w->isWindow() || !w->isVisible() || !w->geometry().intersects(area))
                continue;
            const QRect part = w->geometry().intersected(area);
            w->render(&p, part.topLeft() - area.topLeft(), QRegion(part.translated(-w->pos())));
        }
    }
    QPainter p(&m_backgroundCopy);
    p.drawImage(0, 0, behind);
    m_captureBusy = false;
}
