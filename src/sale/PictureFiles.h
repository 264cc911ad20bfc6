#pragma once
#include <QPixmap>
#include <QSize>
#include <QString>

// Product and placeholder pictures under the program folder. Names are matched without regard
// to case, as the shop's pictures were named on a system that ignores it.
namespace PictureFiles {
// The existing file for a path relative to the program folder ("data/pic/i12.jpg"), found
// case-insensitively; empty when there is none.
QString find(const QString &relative);
// The picture scaled to fit `box`, keeping its shape; null when missing or unreadable.
QPixmap load(const QString &relative, const QSize &box);
} // namespace PictureFiles
