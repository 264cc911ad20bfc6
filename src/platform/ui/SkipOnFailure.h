#pragma once
#include <QLoggingCategory>
#include <QString>
#include <exception>

// Failures the program swallows and goes on from are logged through Qt's logging (stderr, which
// the desktop session's journal keeps); the program keeps no log file of its own.
Q_DECLARE_LOGGING_CATEGORY(lcSkipped) // "kasmo.skipped": a step skipped after a failure
Q_DECLARE_LOGGING_CATEGORY(lcEvents) // "kasmo.events": a failure that left an event handler

// Logs a failure swallowed at `where` (a short name of the step).
void logSkipped(const char *where, const std::exception &e);

// Runs one step of a handler that skips failing steps: a failure is logged and the handler
// goes on with its next step. True when the step succeeded.
template <typename F> bool skipOnFailure(const char *where, F &&step)
{
    try {
        step();
        return true;
    } catch (const std::exception &e) {
        logSkipped(where, e);
    }
    return false;
}
