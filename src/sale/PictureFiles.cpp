#include "PictureFiles.h"
#include "platform/ui/ProgramFolder.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace {
// Lower-case name to real name, per folder, refreshed when the folder changes.
struct FolderIndex
{
    QDateTime modified;
    QHash<QString, QString> names;
};

QString findInFolder(const QString &folder, const QString &name)
{
    static QHash<QString, FolderIndex> cache;
    const QFileInfo info(folder);
    if (!info.isDir())
        return QString();
    FolderIndex &idx = cache[folder];
    const QDateTime m = info.lastModified();
    if (idx.modified != m || idx.names.isEmpty()) {
        idx.modified = m;
        idx.names.clear();
        const QStringList files = QDir(folder).entryList(QDir::Files);
        for (const QString &f : files)
            idx.names.insert(f.toLower(), f);
    }
    return idx.names.value(name.toLower());
}
} // namespace

QString PictureFiles::find(const QString &relative)
{
    const QString exact = ProgramFolder::file(relative);
    if (QFileInfo(exact).isFile())
        return exact;
    const int slash = int(relative.lastIndexOf(QLatin1Char('/')));
    const QString folder = ProgramFolder::file(relative.left(slash));
    const QString name = findInFolder(folder, relative.mid(slash + 1));
    return name.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

QPixmap PictureFiles::load(const QString &relative, const QSize &box)
{
    // The placeholders are shown after nearly every scan: keep them decoded.
    static QHash<QString, QPixmap> placeholders;
    const bool placeholder = !relative.startsWith(QLatin1String("data/pic/"));
    const QString key = relative.toLower() + QLatin1Char('@') + QString::number(box.width())
        + QLatin1Char('x') + QString::number(box.height()) + ProgramFolder::path();
    if (placeholder) {
        const auto it = placeholders.constFind(key);
        if (it != placeholders.constEnd())
            return *it;
    }
    const QString path = find(relative);
    if (path.isEmpty())
        return QPixmap();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && box.width() > 0 && box.height() > 0)
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
    const QImage img = reader.read();
    if (img.isNull())
        return QPixmap();
    QPixmap pm = QPixmap::fromImage(img);
    if (placeholder)
        placeholders.insert(key, pm);
    return pm;
}
