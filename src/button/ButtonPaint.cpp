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

void KasmoButton::PaintButton(ButtonState state, bool force)
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

    const bool hotFace = m_isHot && m_colorScheme == 2;
    const int32_t keptBackColor = m_backColor;
    if (hotFace) {
        m_backColor = m_backOver;
        ComputeSchemeColours();
    }
    PaintBox(0, 0, W, H, m_pal.FaceColour, false);
    const int look = !m_enabled ? 2 : (state == ButtonState::Up ? 0 : 1);
    paintStyle(look);
    PaintPicture(look);
    if (m_isHot && m_colorScheme == 2) {
        m_backColor = keptBackColor;
        ComputeSchemeColours();
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

void KasmoButton::paintStyle(int look)
{
    const Palette &c = m_pal;
    const int W = m_clientWidth, H = m_clientHeight;
    const int h = m_isHot ? 1 : 0;
    const bool normal = look == 0, pressed = look == 1, disabled = look == 2;
    auto corners = [&](int32_t colour) {
        PaintDot(1, 1, colour);
        PaintDot(1, H - 2, colour);
        PaintDot(W - 2, 1, colour);
        PaintDot(W - 2, H - 2, colour);
    };
    auto styleFiveFocusBox = [&] {
        if (m_hasFocus && m_showFocusRect)
            PaintBox(m_captionRect.left() - 2, m_captionRect.top() - 1, m_captionWidth + 4,
                m_captionHeight + 2, 13408665, true);
    };
    const bool defaultFrame = m_showFocusRect && m_displayAsDefault;

    switch (m_buttonType) {
    case 1:
        if (pressed) {
            PaintCaption(2);
            PaintBorder(
                c.ShadowColour, c.HighlightColour, c.ShadowColour, c.HighlightColour, true, false);
        } else {
            PaintCaption(disabled ? 3 : h);
            PaintBorder(
                c.HighlightColour, c.ShadowColour, c.HighlightColour, c.ShadowColour, true, false);
        }
        PaintBox(0, 0, W, H, c.DarkShadowColour, true);
        if (!disabled)
            PaintFocusMark();
        break;

    case 2:
        if (normal) {
            PaintCaption(h);
            if (defaultFrame) {
                PaintBorder(c.HighlightColour, c.DarkShadowColour, c.LightColour, c.ShadowColour,
                    true, false);
                PaintFocusMark();
                PaintBox(0, 0, W, H, c.DarkShadowColour, true);
            } else {
                PaintBorder(c.HighlightColour, c.DarkShadowColour, c.LightColour, c.ShadowColour,
                    false, false);
            }
        } else if (pressed) {
            PaintCaption(2);
            if (defaultFrame) {
                PaintBox(0, 0, W, H, c.DarkShadowColour, true);
                PaintBox(1, 1, W - 2, H - 2, c.ShadowColour, true);
                PaintFocusMark();
            } else {
                PaintBorder(c.DarkShadowColour, c.HighlightColour, c.ShadowColour, c.LightColour,
                    false, false);
            }
        } else {
            PaintCaption(3);
            PaintBorder(
                c.HighlightColour, c.DarkShadowColour, c.LightColour, c.ShadowColour, false, false);
        }
        break;

    case 3:
        if (normal) {
            for (int i = 1; i <= H; ++i)
                PaintSegment(0, i, W, i, OffB(c.TintColour, gradientShift(25, H, i)));
            PaintCaption(h);
            PaintBox(0, 0, W, H, 7552000, true);
            corners(8080656);
            auto ring = [&](int32_t a, int32_t b, int32_t d, int32_t e, int32_t f, int32_t g) {
                PaintBox(1, 2, W - 2, H - 4, a, true);
                PaintSegment(2, H - 2, W - 2, H - 2, b);
                PaintSegment(2, 1, W - 2, 1, d);
                PaintSegment(1, 2, W - 1, 2, e);
                PaintSegment(2, 3, 2, H - 3, f);
                PaintSegment(W - 3, 3, W - 3, H - 3, g);
            };
            if (m_isHot) {
                ring(3257087, 38631, 13562879, 9231359, 7064575, 7064575);
            } else if ((m_hasFocus || m_displayAsDefault) && m_showFocusRect) {
                ring(15183500, 15696491, 16771022, 16242621, 15782325, 15782325);
            } else {
                const int32_t t = c.TintColour;
                PaintSegment(2, H - 2, W - 2, H - 2, OffB(t, -48));
                PaintSegment(1, H - 3, W - 2, H - 3, OffB(t, -32));
                PaintSegment(W - 2, 2, W - 2, H - 2, OffB(t, -36));
                PaintSegment(W - 3, 3, W - 3, H - 3, OffB(t, -24));
                PaintSegment(2, 1, W - 2, 1, OffB(t, 16));
                PaintSegment(1, 2, W - 2, 2, OffB(t, 10));
                PaintSegment(1, 2, 1, H - 2, OffB(t, -5));
                PaintSegment(2, 3, 2, H - 3, OffB(t, -10));
            }
        } else if (pressed) {
            const int32_t base = OffB(c.TintColour, -32);
            for (int i = 1; i <= H; ++i)
                PaintSegment(0, H - i, W, H - i, OffB(base, gradientShift(25, H, i)));
            PaintCaption(2);
            PaintBox(0, 0, W, H, 7552000, true);
            corners(8080656);
            PaintSegment(2, H - 2, W - 2, H - 2, OffB(base, 16));
            PaintSegment(1, H - 3, W - 2, H - 3, OffB(base, 10));
            PaintSegment(W - 2, 2, W - 2, H - 2, OffB(base, 5));
            PaintSegment(W - 3, 3, W - 3, H - 3, c.TintColour);
            PaintSegment(2, 1, W - 2, 1, OffB(base, -32));
            PaintSegment(1, 2, W - 2, 2, OffB(base, -24));
            PaintSegment(1, 2, 1, H - 2, OffB(base, -32));
            PaintSegment(2, 2, 2, H - 2, OffB(base, -22));
        } else {
            PaintBox(0, 0, W, H, OffB(c.TintColour, -24), false);
            PaintCaption(5);
            PaintBox(0, 0, W, H, OffB(c.TintColour, -84), true);
            corners(OffB(c.TintColour, -72));
        }
        break;

    case 4:
        if (!pressed) {
            PaintBox(1, 1, W - 2, H - 2, c.LightColour, false);
            PaintCaption(disabled ? 3 : h);
            PaintBox(0, 0, W, H, c.DarkShadowColour, true);
            corners(c.DarkShadowColour);
            PaintSegment(1, 2, 2, 0, c.FaceColour);
            PaintSegment(3, 2, W - 3, 2, c.HighlightColour);
            PaintSegment(2, 2, 2, H - 3, c.HighlightColour);
            PaintDot(3, 3, c.HighlightColour);
            PaintSegment(W - 3, 1, W - 3, H - 3, c.FaceColour);
            PaintSegment(1, H - 3, W - 3, H - 3, c.FaceColour);
            PaintDot(W - 4, H - 4, c.FaceColour);
            PaintSegment(W - 2, 2, W - 2, H - 2, c.ShadowColour);
            PaintSegment(2, H - 2, W - 2, H - 2, c.ShadowColour);
            PaintDot(W - 3, H - 3, c.ShadowColour);
        } else {
            const int32_t face = Off(c.ShadowColour, -16);
            PaintBox(1, 1, W - 2, H - 2, face, false);
            // The caption's relief takes the pressed face as its base.
            m_pal.TintColour = face;
            PaintCaption(2);
            m_pal.TintColour = Off(c.FaceColour, 48);
            PaintBox(0, 0, W, H, c.DarkShadowColour, true);
            PaintBox(1, 1, W - 2, H - 2, Off(c.ShadowColour, -64), true);
            PaintBox(2, 2, W - 4, H - 4, Off(c.ShadowColour, -32), true);
            PaintDot(2, 2, Off(c.ShadowColour, -64));
            PaintDot(3, 3, Off(c.ShadowColour, -32));
            corners(c.DarkShadowColour);
            PaintSegment(W - 3, 1, W - 3, H - 3, c.ShadowColour);
            PaintSegment(1, H - 3, W - 2, H - 3, c.ShadowColour);
            PaintDot(W - 4, H - 4, c.ShadowColour);
            PaintSegment(W - 2, 3, W - 2, H - 2, Off(c.ShadowColour, -16));
            PaintSegment(3, H - 2, W - 2, H - 2, Off(c.ShadowColour, -16));
            PaintSegment(W - 2, H - 3, W - 4, H - 1, Off(c.ShadowColour, -32));
            PaintDot(2, H - 2, Off(c.ShadowColour, -32));
            PaintDot(W - 2, 2, Off(c.ShadowColour, -32));
        }
        break;

    case 5:
        if (normal) {
            PaintBox(1, 1, W - 1, H - 1, Off(c.FaceColour, 12), false);
            PaintCaption(h);
            PaintBox(1, 1, W - 1, H - 1, c.HighlightColour, true);
            PaintBox(0, 0, W - 1, H - 1, Off(c.ShadowColour, -26), true);
            PaintDot(1, H - 2, Off(c.ShadowColour, 26));
            PaintDot(W - 2, 1, Off(c.ShadowColour, 26));
            styleFiveFocusBox();
        } else if (pressed) {
            PaintBox(1, 1, W - 2, H - 2, Off(c.ShadowColour, 16), false);
            PaintBox(0, 0, W - 1, H - 1, Off(c.ShadowColour, -26), true);
            PaintSegment(W - 1, 1, W - 1, H, c.HighlightColour);
            PaintSegment(1, H - 1, W - 1, H - 1, c.HighlightColour);
            // Drawn directly: in place and without relief.
            drawCaptionText(m_captionRect, c.HotTextColour);
            styleFiveFocusBox();
        } else {
            PaintCaption(4);
            PaintBox(0, 0, W, H, c.ShadowColour, true);
        }
        break;

    case 6: {
        const int32_t l = Off(c.LightColour, 8);
        if (pressed) {
            PaintCaption(2);
            PaintBorder(c.ShadowColour, l, c.ShadowColour, l, false, false);
            PaintFocusMark();
        } else {
            PaintCaption(disabled ? 4 : h);
            PaintBorder(l, c.ShadowColour, l, c.ShadowColour, false, false);
            if (!disabled)
                PaintFocusMark();
        }
        break;
    }

    case 7:
    case 8:
    case 12:
        if (normal) {
            PaintCaption(h);
            if (m_buttonType == 7 || (m_buttonType == 8 && m_isHot))
                PaintBorder(c.HighlightColour, c.ShadowColour, 0, 0, false, true);
            else if (m_buttonType == 12 && m_isHot)
                PaintBorder(c.HighlightColour, c.DarkShadowColour, c.LightColour, c.ShadowColour,
                    false, false);
            PaintFocusMark();
        } else if (pressed) {
            PaintCaption(2);
            if (m_buttonType == 12)
                PaintBorder(c.DarkShadowColour, c.HighlightColour, c.ShadowColour, c.LightColour,
                    false, false);
            else
                PaintBorder(c.ShadowColour, c.HighlightColour, 0, 0, false, true);
            PaintFocusMark();
        } else {
            PaintCaption(3);
            if (m_buttonType == 7)
                PaintBorder(c.HighlightColour, c.ShadowColour, 0, 0, false, true);
        }
        break;

    case 9:
        if (normal) {
            if (m_isHot)
                PaintBox(1, 1, W, H, c.SelectTint, false);
            PaintCaption(h);
            if (m_isHot)
                PaintBox(0, 0, W, H, c.SelectColour, true);
            PaintFocusMark();
        } else if (pressed) {
            if (m_isHot)
                PaintBox(0, 0, W, H,
                    m_colorScheme != 2 ? BlendTowardWhite(c.SelectColour, 128)
                                       : Off(c.SelectTint, -32),
                    false);
            PaintCaption(2);
            PaintBox(0, 0, W, H, c.SelectColour, true);
            PaintFocusMark();
        } else {
            PaintCaption(4);
        }
        break;

    case 10:
        break;

    case 11:
        if (m_hasBackgroundCopy) {
            QPainter p(&m_surface);
            p.drawImage(QPoint(0, 0), m_backgroundCopy, QRect(0, 0, W, H));
        }
        if (normal) {
            PaintCaption(h);
            PaintFocusMark();
        } else if (pressed) {
            PaintCaption(2);
            PaintFocusMark();
        } else {
            PaintCaption(3);
        }
        break;

    case 13:
        if (normal) {
            PaintOval(0, 0, W, H, m_isHot ? c.ShadowColour : c.FaceColour, c.FaceColour);
            PaintCaption(h);
        } else if (pressed) {
            PaintOval(0, 0, W, H, c.DarkShadowColour, Off(c.FaceColour, -32));
            PaintCaption(2);
        } else {
            PaintCaption(3);
        }
        break;

    case 14:
        if (pressed) {
            PaintBox(1, 1, W, H, Off(c.FaceColour, -9), false);
            PaintBox(0, 0, W, H, Off(c.ShadowColour, -48), true);
            PaintSegment(2, H - 2, W - 2, H - 2, c.HighlightColour);
            PaintSegment(W - 2, 2, W - 2, H - 1, c.HighlightColour);
            PaintCaption(7);
            PaintFocusMark();
            break;
        }
        if (normal && m_isHot) {
            PaintBox(0, 0, W, H, c.LightColour, false);
        } else {
            for (int i = 1; i <= H; ++i)
                PaintSegment(0, i, W, i, Off(c.HighlightColour, gradientShift(58, H, i)));
        }
        if (normal) {
            // A default button shows its caption bold; the font setter's own repaint is held off.
            bool keptBold = false;
            if (m_displayAsDefault) {
                m_paintingOn = false;
                keptBold = FontBold();
                setFontBold(true);
            }
            PaintCaption(h);
            if (m_displayAsDefault) {
                setFontBold(keptBold);
                m_paintingOn = true;
            }
        }
        PaintBox(0, 0, W, H, Off(m_pal.ShadowColour, -50), true);
        PaintBox(1, 1, W - 2, H - 2, Off(m_pal.FaceColour, -9), true);
        PaintBox(2, 2, W - 4, 2, m_pal.HighlightColour, false);
        PaintBox(2, 4, 2, H - 6, m_pal.HighlightColour, false);
        if (normal)
            PaintFocusMark();
        else
            PaintCaption(6);
        break;

    default:
        break;
    }
}

// ---- primitives ----

void KasmoButton::PaintBox(int x, int y, int w, int h, int32_t colour, bool frameOnly)
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

void KasmoButton::PaintDot(int x, int y, int32_t colour)
{
    if (x < 0 || y < 0 || x >= m_surface.width() || y >= m_surface.height())
        return;
    m_surface.setPixel(x, y, toRgb(colour));
}

// A one-pixel line that leaves out its end point, as the platform's line drawing does.
void KasmoButton::PaintSegment(int x1, int y1, int x2, int y2, int32_t colour)
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
        PaintDot(x, y, colour);
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

void KasmoButton::PaintOval(int x, int y, int w, int h, int32_t penColour, int32_t fillColour)
{
    if (w <= 0 || h <= 0 || m_surface.isNull())
        return;
    // The same ellipse as the window outline of style 13, with a two-pixel rim.
    const QRegion outer(x, y, w, h, QRegion::Ellipse);
    const QRegion inner
        = w > 4 && h > 4 ? QRegion(x + 2, y + 2, w - 4, h - 4, QRegion::Ellipse) : QRegion();
    QPainter p(&m_surface);
    for (const QRect &r : inner)
        p.fillRect(r, QColor(toRgb(fillColour)));
    for (const QRect &r : outer.subtracted(inner))
        p.fillRect(r, QColor(toRgb(penColour)));
}

void KasmoButton::PaintBorder(
    int32_t c1, int32_t c2, int32_t c3, int32_t c4, bool inset, bool single)
{
    const int o = inset ? 1 : 0;
    const int r = m_clientWidth - 1 - o;
    const int b = m_clientHeight - 1 - o;
    QPoint cur(o, b);
    auto to = [&](int x, int y, int32_t colour) {
        PaintSegment(cur.x(), cur.y(), x, y, colour);
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

// ---- outline, size and the copy behind style 11 ----

void KasmoButton::BuildWindowShape()
{
    const int W = m_clientWidth, H = m_clientHeight;
    QRegion shape(0, 0, W, H);
    auto cut = [&](int x, int y) { shape -= QRegion(x, y, 1, 1); };
    switch (m_buttonType) {
    case 1:
    case 5:
    case 14:
        cut(0, H - 1);
        cut(W - 1, 0);
        if (m_buttonType != 5) {
            cut(0, 0);
            cut(W - 1, H - 1);
        }
        break;
    case 3:
    case 4:
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
    case 13:
        shape = QRegion(0, 0, W, H, QRegion::Ellipse);
        break;
    default:
        break;
    }
    m_windowShape = shape;
}

void KasmoButton::UserControl_Resize()
{
    if (m_captureBusy)
        return;
    m_clientHeight = height();
    m_clientWidth = width();
    const QRect client(0, 0, m_clientWidth, m_clientHeight);
    if (m_buttonType >= 7 && m_buttonType <= 13)
        m_focusRect = client.adjusted(3, 3, -3, -3);
    else if (m_buttonType == 14)
        m_focusRect = client.adjusted(5, 5, -5, -5).translated(1, 1);
    else
        m_focusRect = client.adjusted(4, 4, -4, -4);
    LayoutCaption();
    BuildWindowShape();
    if (m_windowShape.isEmpty())
        clearMask();
    else
        setMask(m_windowShape);
    if (m_clientHeight != 0)
        PaintButton(ButtonState::Up, true);
}

void KasmoButton::CaptureParentBackground()
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
