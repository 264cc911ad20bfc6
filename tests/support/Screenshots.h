#pragma once
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QString>

// Pictures for a person to look at: written only when KASMO_SCREENSHOTS names a folder.
inline void saveScreenshot(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("KASMO_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    image.save(dir + QLatin1Char('/') + name);
}

inline void saveScreenshot(const QPixmap &pixmap, const QString &name)
{
    saveScreenshot(pixmap.toImage(), name);
}
