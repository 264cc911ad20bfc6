#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

// Where a window opens on its screen: centred horizontally, and vertically centred or a
// quarter or a third of the free height (screen height - window height) from the top.
enum class VerticalPlace { Centre, Quarter, Third };

namespace WindowPlacement {
// Left and top by integer division, as the windows computed them.
QPoint position(const QSize &window, const QRect &screen, VerticalPlace v = VerticalPlace::Centre);
// Moves the window (its frame) there, on the window's screen or else the primary one.
void place(QWidget *window, VerticalPlace v = VerticalPlace::Centre);
inline void centre(QWidget *window)
{
    place(window, VerticalPlace::Centre);
}
} // namespace WindowPlacement

// Twips on screen: 1440 twips per inch at the screen's logical DPI (15 per pixel at 96 DPI).
// Without a screen the conversion assumes 96 DPI.
namespace Twips {
double perPixelX(const QScreen *screen = nullptr);
double perPixelY(const QScreen *screen = nullptr);
int toPixelsX(double twips, const QScreen *screen = nullptr);
int toPixelsY(double twips, const QScreen *screen = nullptr);
int fromPixelsX(int pixels, const QScreen *screen = nullptr);
int fromPixelsY(int pixels, const QScreen *screen = nullptr);
// Puts a control at its design position and size, given in twips.
void place(QWidget *w, double left, double top, double width, double height);
// Moves or sizes a control along one side, in twips; a negative width or height leaves it be.
void setLeft(QWidget *w, double left);
void setTop(QWidget *w, double top);
void setWidth(QWidget *w, double width);
void setHeight(QWidget *w, double height);
} // namespace Twips
