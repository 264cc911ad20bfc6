// Painting: the back buffer, the five primitives, the styles and the window outline.
#include "button/kasmoButton.h"

#include <QApplication>
#include <QPainter>
#include <cstdlib>

namespace {

QRgb toRgb(int32_t c)
{
    return qRgb(c & 255, (c >> 8) & 255, (c >> 16) & 255);
}

} // namespace

void kasmoButton::PaintButton(ButtonState state, bool force)
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

// Provisional look: a face, a bevel and the caption.
void kasmoButton::paintStyle(int look)
{
    const Palette &c = m_pal;
    if (look == 2) {
        PaintCaption(3);
        PaintBorder(
            c.HighlightColour, c.DarkShadowColour, c.LightColour, c.ShadowColour, false, false);
    } else if (look == 0) {
        PaintCaption(m_isHot ? 1 : 0);
        PaintBorder(
            c.HighlightColour, c.DarkShadowColour, c.LightColour, c.ShadowColour, false, false);
        PaintFocusMark();
    } else {
        PaintCaption(2);
        PaintBorder(
            c.DarkShadowColour, c.HighlightColour, c.ShadowColour, c.LightColour, false, false);
        PaintFocusMark();
    }
}

// ---- primitives ----

void kasmoButton::PaintBox(int x, int y, int w, int h, int32_t colour, bool frameOnly)
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

void kasmoButton::PaintDot(int x, int y, int32_t colour)
{
    if (x < 0 || y < 0 || x >= m_surface.width() || y >= m_surface.height())
        return;
    m_surface.setPixel(x, y, toRgb(colour));
}

// A one-pixel line that leaves out its end point, as the platform's line drawing does.
void kasmoButton::PaintSegment(int x1, int y1, int x2, int y2, int32_t colour)
{
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

void kasmoButton::PaintOval(int x, int y, int w, int h, int32_t penColour, int32_t fillColour)
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

void kasmoButton::PaintBorder(
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

void kasmoButton::BuildWindowShape()
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

void kasmoButton::UserControl_Resize()
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

void kasmoButton::CaptureParentBackground()
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
