#pragma once
#include <QQueue>
#include <functional>

class QDialog;

// Runs modal dialogs. The program's runner calls exec(); the scripted one shows the dialog,
// lets the test act on it like a user (keys, clicks), closes it if the test left it open, and
// returns its result as exec() would.
class DialogRunner
{
public:
    virtual ~DialogRunner() = default;
    virtual int run(QDialog *dialog) = 0;
    static DialogRunner &instance();
    static void install(DialogRunner *runner); // nullptr: exec()
    static int exec(QDialog *dialog) { return instance().run(dialog); }
};

class QtDialogRunner : public DialogRunner
{
public:
    int run(QDialog *dialog) override;
};

class ScriptedDialogs : public DialogRunner
{
public:
    using Script = std::function<void(QDialog *)>;
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    int run(QDialog *dialog) override;
    // The next dialog opened runs this script; with none queued the dialog is just closed.
    void then(Script s) { scripts.enqueue(std::move(s)); }

    QQueue<Script> scripts;
    QList<QString> opened; // class names of the dialogs run, in order

private:
    DialogRunner *m_previous;
};
