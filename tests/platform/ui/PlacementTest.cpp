#include "platform/ui/WindowPlacement.h"
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

TEST(PlacementTest, PositionsOnTheScreen)
{
    const QRect screen(0, 0, 1024, 768);
    const QSize window(401, 300); // free width 623, free height 468
    EXPECT_EQ(WindowPlacement::position(window, screen), QPoint(311, 234));
    EXPECT_EQ(WindowPlacement::position(window, screen, VerticalPlace::Quarter), QPoint(311, 117));
    EXPECT_EQ(WindowPlacement::position(window, screen, VerticalPlace::Third), QPoint(311, 156));
    // A second screen to the right: offsets follow it.
    EXPECT_EQ(WindowPlacement::position(window, QRect(1024, 0, 1024, 768)), QPoint(1335, 234));
}

TEST(PlacementTest, PlacesAWidget)
{
    QWidget w;
    w.resize(200, 100);
    WindowPlacement::centre(&w);
    const QRect s = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w.frameGeometry().topLeft(),
        QPoint(s.x() + (s.width() - 200) / 2, s.y() + (s.height() - 100) / 2));
}

TEST(PlacementTest, TwipsFollowTheLogicalDpi)
{
    const QScreen *s = QGuiApplication::primaryScreen();
    EXPECT_DOUBLE_EQ(Twips::perPixelX() * s->logicalDotsPerInchX(), 1440.0);
    EXPECT_DOUBLE_EQ(Twips::perPixelY() * s->logicalDotsPerInchY(), 1440.0);
    const int inch = int(s->logicalDotsPerInchX() + 0.5);
    EXPECT_EQ(Twips::toPixelsX(1440), inch);
    EXPECT_EQ(Twips::fromPixelsX(inch), int(inch * Twips::perPixelX() + 0.5));
    EXPECT_EQ(Twips::toPixelsY(Twips::fromPixelsY(250)), 250);
}
