#pragma once
#include "platform/ui/KeyboardLayout.h"
#include <QStringList>

// A keyboard that takes every layout asked for and records which ones the program asked for.
// It stands in for the desktop's keyboard while it lives.
class RecordingLayout : public KeyboardLayout
{
public:
    RecordingLayout() { install(this); }
    ~RecordingLayout() override { install(nullptr); }
    bool isActive(const QString &l) override { return l == current; }
    bool activate(const QString &l) override
    {
        activations << l;
        current = l;
        return true;
    }
    QString current = QStringLiteral("th");
    QStringList activations;
};
