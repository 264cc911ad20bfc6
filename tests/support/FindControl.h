#pragma once
#include <QObject>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

// Reaches a window's controls the way a Qt test does: by object name, or by the accessible
// name a screen reader gives it. A missing or ambiguous control fails the test at once (the
// exception ends the test body with the control's name in the failure).
template <typename T = QWidget> T *control(const QObject *window, const QString &objectName)
{
    const QList<T *> found = window->findChildren<T *>(objectName);
    if (found.size() == 1)
        return found.first();
    const std::string what = (found.isEmpty() ? "no control named " : "several controls named ")
        + objectName.toStdString() + " in " + window->objectName().toStdString();
    ADD_FAILURE() << what;
    throw std::runtime_error(what);
}

template <typename T = QWidget>
T *controlByAccessibleName(const QObject *window, const QString &accessibleName)
{
    T *match = nullptr;
    for (T *w : window->findChildren<T *>()) {
        if (w->accessibleName() != accessibleName)
            continue;
        if (match) {
            ADD_FAILURE() << "several controls read as " << accessibleName.toStdString();
            throw std::runtime_error("ambiguous accessible name");
        }
        match = w;
    }
    if (!match) {
        ADD_FAILURE() << "no control reads as " << accessibleName.toStdString();
        throw std::runtime_error("missing accessible name");
    }
    return match;
}
