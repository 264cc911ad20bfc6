#include "MessageBox.h"
#include "DialogRunner.h"
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
MessageBoxService *&installed()
{
    static MessageBoxService *s = nullptr;
    return s;
}
} // namespace

MessageBoxService &MessageBoxService::instance()
{
    static QtMessageBoxService qtService;
    return installed() ? *installed() : qtService;
}

void MessageBoxService::install(MessageBoxService *service)
{
    installed() = service;
}

MsgResult MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon, const QString &title,
    MsgResult defaultButton, QWidget *parent)
{
    return MessageBoxService::instance().show(
        parent, MessageRequest { text, title, icon, buttons, defaultButton });
}

QString thaiButtonText(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok:
        return QStringLiteral("ตกลง");
    case QMessageBox::Cancel:
        return QStringLiteral("ยกเลิก");
    case QMessageBox::Yes:
        return QStringLiteral("ใช่");
    case QMessageBox::No:
        return QStringLiteral("ไม่");
    default:
        return QString();
    }
}

MsgResult QtMessageBoxService::show(QWidget *parent, const MessageRequest &r)
{
    QMessageBox box(parent ? parent : QApplication::activeWindow());
    box.setText(r.text);
    box.setWindowTitle(r.title.isEmpty() ? QStringLiteral("Kasmo") : r.title);
    switch (r.icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    // Qt ships no Thai texts for its standard buttons: the program names them itself.
    QPushButton *ok = box.addButton(QMessageBox::Ok);
    ok->setText(thaiButtonText(QMessageBox::Ok));
    QPushButton *cancel = nullptr;
    if (r.buttons == MsgButtons::OkCancel) {
        cancel = box.addButton(QMessageBox::Cancel);
        cancel->setText(thaiButtonText(QMessageBox::Cancel));
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    box.setDefaultButton(r.defaultButton == MsgResult::Cancel && cancel ? cancel : ok);
    box.exec();
    return (cancel && box.clickedButton() == cancel) ? MsgResult::Cancel : MsgResult::Ok;
}

ScriptedMessageBoxes::ScriptedMessageBoxes()
    : m_previous(&MessageBoxService::instance())
{
    MessageBoxService::install(this);
}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    if (!answers.isEmpty())
        ScriptedLeftovers::report(
            QStringLiteral("%1 message box answer(s) queued but never asked for")
                .arg(answers.size()));
    MessageBoxService::install(
        dynamic_cast<QtMessageBoxService *>(m_previous) ? nullptr : m_previous);
}

MsgResult ScriptedMessageBoxes::show(QWidget *, const MessageRequest &request)
{
    shown.append(request);
    if (request.buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    return answers.isEmpty() ? request.defaultButton : answers.dequeue();
}
