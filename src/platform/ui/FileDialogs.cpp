#include "FileDialogs.h"
#include "DialogRunner.h"
#include <QFileDialog>

namespace {
FileDialogService *&installed()
{
    static FileDialogService *s = nullptr;
    return s;
}
} // namespace

FileDialogService &FileDialogService::instance()
{
    static QtFileDialogService qtService;
    return installed() ? *installed() : qtService;
}

void FileDialogService::install(FileDialogService *service)
{
    installed() = service;
}

QString FileDialogService::getSaveFileName(
    QWidget *parent, const QString &title, const QString &proposed, const QString &filter)
{
    return instance().ask(parent, FileDialogRequest { true, title, proposed, filter });
}

QString FileDialogService::getOpenFileName(
    QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    return instance().ask(parent, FileDialogRequest { false, title, folder, filter });
}

QString QtFileDialogService::ask(QWidget *parent, const FileDialogRequest &r)
{
    // Our own extension rules apply, so the dialog must not add one of its own.
    const auto options = QFileDialog::DontConfirmOverwrite;
    if (r.save)
        return QFileDialog::getSaveFileName(
            parent, r.title, r.proposed, r.filter, nullptr, options);
    return QFileDialog::getOpenFileName(parent, r.title, r.proposed, r.filter);
}

ScriptedFileDialogs::ScriptedFileDialogs()
    : m_previous(&FileDialogService::instance())
{
    FileDialogService::install(this);
}

ScriptedFileDialogs::~ScriptedFileDialogs()
{
    if (!answers.isEmpty())
        ScriptedLeftovers::report(
            QStringLiteral("%1 file dialog answer(s) queued but never asked for")
                .arg(answers.size()));
    FileDialogService::install(
        dynamic_cast<QtFileDialogService *>(m_previous) ? nullptr : m_previous);
}

QString ScriptedFileDialogs::ask(QWidget *, const FileDialogRequest &request)
{
    requests.append(request);
    if (!answers.isEmpty())
        return answers.dequeue();
    if (!acceptFolder.isEmpty())
        return acceptFolder + QLatin1Char('/') + request.proposed;
    return QString();
}
