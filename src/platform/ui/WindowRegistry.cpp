#include "WindowRegistry.h"
#include <QCloseEvent>
#include <QDialog>
#include <QPointer>

namespace {

QList<QPointer<QWidget>> &windows()
{
    static QList<QPointer<QWidget>> list;
    return list;
}

void forget(const QObject *w)
{
    windows().removeIf([w](const QPointer<QWidget> &p) { return p.isNull() || p.data() == w; });
}

// Sees whether a close was accepted: the close event is handed to the window here, so the
// window is forgotten the moment it unloads, not when its deferred deletion runs.
class CloseWatch : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        QPointer<QObject> alive(watched);
        const bool handled = static_cast<QObject *>(watched)->event(event);
        Q_UNUSED(handled);
        if (!alive || event->isAccepted())
            forget(watched);
        return true;
    }
};

} // namespace

void WindowRegistry::add(QWidget *window)
{
    if (!window || isLoaded(window))
        return;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->installEventFilter(new CloseWatch(window));
    QObject::connect(window, &QObject::destroyed, [](QObject *o) { forget(o); });
    // accept()/reject() end a dialog without a close event: it is unloaded all the same.
    if (auto *dialog = qobject_cast<QDialog *>(window))
        QObject::connect(dialog, &QDialog::finished, dialog, [dialog](int) {
            forget(dialog);
            dialog->deleteLater();
        });
    windows().append(window);
}

bool WindowRegistry::isLoaded(const QWidget *window)
{
    for (const QPointer<QWidget> &p : windows())
        if (p.data() == window && window)
            return true;
    return false;
}

QList<QWidget *> WindowRegistry::loaded()
{
    QList<QWidget *> out;
    for (const QPointer<QWidget> &p : windows())
        if (p)
            out.append(p.data());
    return out;
}

bool WindowRegistry::unload(QWidget *window)
{
    if (!isLoaded(window))
        return false;
    QPointer<QWidget> w(window);
    const bool closed = window->close();
    if (closed || !w)
        forget(window);
    return closed || !w;
}

void WindowRegistry::unloadAll()
{
    const QList<QPointer<QWidget>> snapshot = windows();
    for (const QPointer<QWidget> &p : snapshot)
        if (p && isLoaded(p.data())) // a window's close may already have unloaded others
            unload(p.data());
}
