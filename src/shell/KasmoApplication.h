#pragma once
#include <QApplication>
#include <functional>

// The program's application object, with the event boundary: a failure that leaves an event
// handler (one that traps nothing of its own) is shown in a "รายงานความผิดพลาด" box and the
// program goes on, instead of ending.
class KasmoApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override;

    // Runs one delivery inside the boundary; false when it failed (the error has been shown).
    static bool guard(const std::function<bool()> &deliver);
};
