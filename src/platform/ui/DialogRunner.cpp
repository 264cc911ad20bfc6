#include "DialogRunner.h"
#include <QApplication>
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

ScriptedDialogs::ScriptedDialogs()
    : m_previous(&DialogRunner::instance())
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
    // A modal dialog hands the activation back to its opener when it closes.
    QPointer<QWidget> opener(QApplication::activeWindow());
    opened.append(QString::fromLatin1(dialog->metaObject()->className()));
    d->setWindowModality(Qt::ApplicationModal);
    d->show();
    QCoreApplication::processEvents();
    if (!scripts.isEmpty()) {
        Script s = scripts.dequeue();
        if (d && d->isVisible())
            s(d);
    }
    if (d && d->isVisible())
        d->reject();
    // Without processing events: the caller still reads the dialog after exec() returns.
    if (opener && opener != d)
        QApplication::setActiveWindow(opener);
    return d ? d->result() : int(QDialog::Rejected);
}
