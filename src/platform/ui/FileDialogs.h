#pragma once
#include <QList>
#include <QQueue>
#include <QString>

class QWidget;

struct FileDialogRequest
{
    bool save = true;
    QString title;
    QString proposed; // proposed file name or folder
    QString filter; // Qt filter text, e.g. "PDF (*.pdf)"
};

// Open and save dialogs. An empty answer means the user cancelled.
class FileDialogService
{
public:
    virtual ~FileDialogService() = default;
    virtual QString ask(QWidget *parent, const FileDialogRequest &request) = 0;
    static FileDialogService &instance();
    static void install(FileDialogService *service); // nullptr: the Qt dialogs

    static QString getSaveFileName(
        QWidget *parent, const QString &title, const QString &proposed, const QString &filter);
    static QString getOpenFileName(
        QWidget *parent, const QString &title, const QString &folder, const QString &filter);
};

class QtFileDialogService : public FileDialogService
{
public:
    QString ask(QWidget *parent, const FileDialogRequest &request) override;
};

// Records each request and answers from a queue (empty queue: cancel). Installs itself.
class ScriptedFileDialogs : public FileDialogService
{
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs() override;
    QString ask(QWidget *parent, const FileDialogRequest &request) override;
    // A function of the request (for "accept the proposed name"), or a fixed answer.
    void answer(const QString &path) { answers.enqueue(path); }
    void acceptProposedIn(const QString &folder) { acceptFolder = folder; }

    QList<FileDialogRequest> requests;
    QQueue<QString> answers;
    QString acceptFolder; // when set and the queue is empty: folder + "/" + proposed

private:
    FileDialogService *m_previous;
};
