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
    if (!scripts.isEmpty())
        ScriptedLeftovers::report(
            QStringLiteral("%1 dialog script(s) queued but no dialog ran them")
                .arg(scripts.size()));
    DialogRunner::install(dynamic_cast<QtDialogRunner *>(m_previous) ? nullptr : m_previous);
}

int ScriptedDialogs::run(QDialog *dialog)
{
    QPointer<QDialog> d(dialog);
    // A modal dialog hands the activation back to its opener when it closes.
    QPointer<QWidget> opener(QApplication::activeWindow());
    opened.append(QString::fromLatin1(dialog->metaObject()->className()));
    // Read before the dialog closes: its close takes the attribute off and defers the delete.
    const bool deleteOnClose = d->testAttribute(Qt::WA_DeleteOnClose);
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
    if (opener && opener != d)
        QApplication::setActiveWindow(opener);
    const int result = d ? d->result() : int(QDialog::Rejected);
    // As exec() does: a dialog that deletes itself on close is gone when the run returns.
    if (d && deleteOnClose)
        delete d.data();
    return result;
}

namespace {
ScriptedLeftovers::Reporter &reporter()
{
    static ScriptedLeftovers::Reporter r;
    return r;
}
} // namespace

ScriptedLeftovers::Reporter ScriptedLeftovers::setReporter(Reporter r)
{
    Reporter previous = std::move(reporter());
    reporter() = std::move(r);
    return previous;
}

void ScriptedLeftovers::report(const QString &what)
{
    if (reporter())
        reporter()(what);
    else
        qWarning("%s", qPrintable(what));
}
