#include "ColorDialogs.h"
#include "DialogRunner.h"
#include <QColorDialog>

namespace {
ColorDialogService *&installed()
{
    static ColorDialogService *s = nullptr;
    return s;
}
} // namespace

ColorDialogService &ColorDialogService::instance()
{
    static QtColorDialogService qtService;
    return installed() ? *installed() : qtService;
}

void ColorDialogService::install(ColorDialogService *service)
{
    installed() = service;
}

QColor QtColorDialogService::ask(QWidget *parent, const QColor &initial)
{
    // Cancel gives an invalid colour.
    return QColorDialog::getColor(initial, parent);
}

ScriptedColorDialogs::ScriptedColorDialogs()
    : m_previous(&ColorDialogService::instance())
{
    ColorDialogService::install(this);
}

ScriptedColorDialogs::~ScriptedColorDialogs()
{
    if (!answers.isEmpty())
        ScriptedLeftovers::report(
            QStringLiteral("%1 colour dialog answer(s) queued but never asked for")
                .arg(answers.size()));
    ColorDialogService::install(
        dynamic_cast<QtColorDialogService *>(m_previous) ? nullptr : m_previous);
}

QColor ScriptedColorDialogs::ask(QWidget *, const QColor &initial)
{
    opened.append(initial);
    return answers.isEmpty() ? QColor() : answers.dequeue();
}
