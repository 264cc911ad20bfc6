#include "WindowPlacement.h"
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

QPoint WindowPlacement::position(const QSize &window, const QRect &screen, VerticalPlace v)
{
    const int freeW = screen.width() - window.width();
    const int freeH = screen.height() - window.height();
    const int divisor = v == VerticalPlace::Quarter ? 4 : v == VerticalPlace::Third ? 3 : 2;
    return { screen.x() + freeW / 2, screen.y() + freeH / divisor };
}

void WindowPlacement::place(QWidget *window, VerticalPlace v)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->move(position(window->frameGeometry().size(), screen->geometry(), v));
}

namespace {
double dpi(const QScreen *screen, bool x)
{
    const QScreen *s = screen ? screen : QGuiApplication::primaryScreen();
    const double d = s ? (x ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY()) : 96.0;
    return d > 0 ? d : 96.0;
}
} // namespace

double Twips::perPixelX(const QScreen *s)
{
    return 1440.0 / dpi(s, true);
}

double Twips::perPixelY(const QScreen *s)
{
    return 1440.0 / dpi(s, false);
}

int Twips::toPixelsX(double twips, const QScreen *s)
{
    return int(std::lround(twips / perPixelX(s)));
}

int Twips::toPixelsY(double twips, const QScreen *s)
{
    return int(std::lround(twips / perPixelY(s)));
}

int Twips::fromPixelsX(int pixels, const QScreen *s)
{
    return int(std::lround(pixels * perPixelX(s)));
}

int Twips::fromPixelsY(int pixels, const QScreen *s)
{
    return int(std::lround(pixels * perPixelY(s)));
}

void Twips::place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(toPixelsX(left), toPixelsY(top), toPixelsX(width), toPixelsY(height));
}

void Twips::setLeft(QWidget *w, double left)
{
    w->move(toPixelsX(left), w->y());
}

void Twips::setTop(QWidget *w, double top)
{
    w->move(w->x(), toPixelsY(top));
}

void Twips::setWidth(QWidget *w, double width)
{
    if (width >= 0)
        w->resize(toPixelsX(width), w->height());
}

void Twips::setHeight(QWidget *w, double height)
{
    if (height >= 0)
        w->resize(w->width(), toPixelsY(height));
}
