#pragma once
#include <QList>
#include <QMessageBox>
#include <QQueue>
#include <QString>

class QWidget;

enum class MsgIcon { None, Information, Warning, Critical, Question };
enum class MsgButtons { Ok, OkCancel };
enum class MsgResult { Ok = 1, Cancel = 2 };

struct MessageRequest
{
    QString text;
    QString title; // empty: the program's own title, "Kasmo"
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgResult defaultButton = MsgResult::Ok;
};

// Every message box of the program goes through the installed service: QMessageBox in the
// program, a recording script in tests.
class MessageBoxService
{
public:
    virtual ~MessageBoxService() = default;
    virtual MsgResult show(QWidget *parent, const MessageRequest &request) = 0;

    static MessageBoxService &instance();
    // Installs a service (not owned); nullptr returns to the Qt one.
    static void install(MessageBoxService *service);
};

// The usual call: MsgBox(text, MsgButtons::Ok, MsgIcon::Warning, "รายงานความผิดพลาด").
MsgResult MsgBox(const QString &text, MsgButtons buttons = MsgButtons::Ok,
    MsgIcon icon = MsgIcon::None, const QString &title = QString(),
    MsgResult defaultButton = MsgResult::Ok, QWidget *parent = nullptr);

// The Thai caption of a message box's standard button (Ok, Cancel, Yes, No); empty for others.
QString thaiButtonText(QMessageBox::StandardButton button);

class QtMessageBoxService : public MessageBoxService
{
public:
    MsgResult show(QWidget *parent, const MessageRequest &request) override;
};

// Records every box and answers from a queue; with the queue empty it answers the default
// button, as Enter would. Installs itself while it lives.
class ScriptedMessageBoxes : public MessageBoxService
{
public:
    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes() override;
    MsgResult show(QWidget *parent, const MessageRequest &request) override;

    void answer(MsgResult r) { answers.enqueue(r); }
    const MessageRequest &last() const { return shown.last(); }
    int count() const { return int(shown.size()); }
    void clear() { shown.clear(); }

    QList<MessageRequest> shown;
    QQueue<MsgResult> answers;

private:
    MessageBoxService *m_previous;
};
