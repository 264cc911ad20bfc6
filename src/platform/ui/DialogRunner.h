#pragma once
#include <QQueue>
#include <QString>
#include <functional>

class QDialog;

// Runs modal dialogs. The program's runner calls exec(); the scripted one shows the dialog,
// lets the test act on it like a user (keys, clicks), closes it if the test left it open, and
// returns its result as exec() would: a dialog marked WA_DeleteOnClose is gone when run()
// returns, so callers read what they need from the dialog before it closes.
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
    // A script still queued when the runner goes is reported as unused (see ScriptedLeftovers).
    void then(Script s) { scripts.enqueue(std::move(s)); }

    QQueue<Script> scripts;
    QList<QString> opened; // class names of the dialogs run, in order

private:
    DialogRunner *m_previous;
};

// Where the scripted stand-ins report answers or scripts a test queued and nothing used (a
// check inside a dialog that never opened would otherwise never run). Test mains install a
// reporter that fails the running test; without one the report goes to the warning log.
namespace ScriptedLeftovers {
using Reporter = std::function<void(const QString &what)>;
Reporter setReporter(Reporter r); // returns the one it replaces
void report(const QString &what);
} // namespace ScriptedLeftovers
