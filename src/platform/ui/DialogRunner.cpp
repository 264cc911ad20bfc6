#include "DialogRunner.h"
#include <QCoreApplication>
#include <QDialog>
#include <QPointer>

namespace {
DialogRunner *&installed()
{
    static DialogRunner *s = nullptr;
    return s;
}
} // namespace

DialogRunner &DialogRunner::instance()
{
    static QtDialogRunner qtRunner;
    return installed() ? *installed() : qtRunner;
}

void DialogRunner::install(DialogRunner *runner)
{
    installed() = runner;
}

int QtDialogRunner::run(QDialog *dialog)
{
    return dialog->exec();
}

ScriptedDialogs::ScriptedDialogs() : m_previous(&DialogRunner::instance())
{
    DialogRunner::install(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    DialogRunner::install(dynamic_cast<QtDialogRunner *>(m_previous) ? nullptr : m_previous);
}

int ScriptedDialogs::run(QDialog *dialog)
{
    QPointer<QDialog> d(dialog);
    opened.append(QString::fromLatin1(dialog->metaObject()->className()));
    d->setWindowModality(Qt::ApplicationModal);
    d->show();
    QCoreApplication::processEvents();
    if (!scripts.isEmpty()) {
        Script s = scripts.dequeue();
        if (d && d->isVisible())
            s(d);
    }
    if (!d)
        return QDialog::Rejected;
    if (d->isVisible())
        d->reject();
    return d->result();
}
