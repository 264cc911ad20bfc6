#pragma once
#include <QList>
#include <QWidget>
#include <typeinfo>

// The loaded windows, one instance per window class, in load order. A window is loaded from
// add() (windows call it in their constructor, or instance() does) until it closes or is
// destroyed; closing unloads it, so it gets WA_DeleteOnClose and the next instance() makes a
// fresh window. Windows must be made with new.
class WindowRegistry
{
public:
    static void add(QWidget *window); // a second add of the same window does nothing
    static bool isLoaded(const QWidget *window);
    static QList<QWidget *> loaded();

    // The loaded window of exactly this class, or nullptr.
    template <class W> static W *find()
    {
        for (QWidget *w : loaded())
            if (typeid(*w) == typeid(W))
                return static_cast<W *>(w);
        return nullptr;
    }

    // The loaded window of this class, made (and added) on first use.
    template <class W> static W *instance()
    {
        if (W *w = find<W>())
            return w;
        W *w = new W;
        add(w);
        return w;
    }

    // Closes the window, running its own close handling; true when it closed.
    static bool unload(QWidget *window);
    // Closes every loaded window in load order; each runs its own close handling once.
    static void unloadAll();
};
