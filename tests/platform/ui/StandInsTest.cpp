// The scripted dialog runner and message boxes behave like the real ones where code can tell,
// and the real message box speaks Thai.
#include "platform/ui/ColorDialogs.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowRegistry.h"
#include "support/Screenshots.h"
#include "support/WhenShown.h"
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class AnyDialog : public QDialog
{
};

struct Ending
{
    const char *name;
    std::function<void(QDialog *)> end;
    int result;
};

const Ending endings[] = {
    { "accept", [](QDialog *d) { d->accept(); }, QDialog::Accepted },
    { "reject", [](QDialog *d) { d->reject(); }, QDialog::Rejected },
    { "close", [](QDialog *d) { d->close(); }, QDialog::Rejected },
    { "Esc", [](QDialog *d) { QTest::keyClick(d, Qt::Key_Escape); }, QDialog::Rejected },
};

} // namespace

// A loaded dialog (the registry marks it delete-on-close) is gone once it has run, whichever
// runner ran it and however it ended, and both runners give the same result.
TEST(ScriptedDialogsTest, ADeleteOnCloseDialogIsGoneAfterTheRunAsAfterExec)
{
    for (const Ending &e : endings) {
        SCOPED_TRACE(e.name);
        QPointer<AnyDialog> real = WindowRegistry::instance<AnyDialog>();
        whenShown([&](QWidget *w) { e.end(static_cast<QDialog *>(w)); });
        EXPECT_EQ(DialogRunner::exec(real), e.result);
        EXPECT_TRUE(real.isNull());

        ScriptedDialogs scripted;
        scripted.then([&](QDialog *d) { e.end(d); });
        QPointer<AnyDialog> stand = WindowRegistry::instance<AnyDialog>();
        EXPECT_EQ(DialogRunner::exec(stand), e.result);
        EXPECT_TRUE(stand.isNull());
        EXPECT_FALSE(WindowRegistry::isLoaded(stand));
    }
    // A dialog not marked so stays for its owner to read.
    ScriptedDialogs scripted;
    AnyDialog kept;
    scripted.then([](QDialog *d) { d->accept(); });
    EXPECT_EQ(DialogRunner::exec(&kept), QDialog::Accepted);
    EXPECT_EQ(kept.result(), QDialog::Accepted);
}

// An answer or script a test queued and nothing used is reported when the stand-in goes.
TEST(ScriptedDialogsTest, UnusedAnswersAndScriptsAreReported)
{
    QStringList reported;
    const ScriptedLeftovers::Reporter previous
        = ScriptedLeftovers::setReporter([&](const QString &what) { reported.append(what); });
    {
        ScriptedMessageBoxes boxes;
        boxes.answer(MsgResult::Cancel);
        boxes.answer(MsgResult::Ok);
        EXPECT_EQ(MsgBox(QStringLiteral("ลบ ?"), MsgButtons::OkCancel), MsgResult::Cancel);
        ScriptedDialogs dialogs;
        dialogs.then([](QDialog *) {});
        ScriptedFileDialogs files;
        files.answer(QStringLiteral("/tmp/x.pdf"));
        ScriptedColorDialogs colours;
        colours.cancel();
    }
    {
        // Everything used: nothing to say.
        ScriptedMessageBoxes boxes;
        boxes.answer(MsgResult::Cancel);
        MsgBox(QStringLiteral("ลบ ?"), MsgButtons::OkCancel);
        ScriptedDialogs dialogs;
        dialogs.then([](QDialog *) {});
        AnyDialog d;
        DialogRunner::exec(&d);
    }
    ScriptedLeftovers::setReporter(previous);
    ASSERT_EQ(reported.size(), 4) << reported.join(QLatin1Char('\n')).toStdString();
    // In the order the stand-ins go: the last made first.
    EXPECT_TRUE(reported[0].contains(QStringLiteral("colour dialog answer")));
    EXPECT_TRUE(reported[1].contains(QStringLiteral("file dialog answer")));
    EXPECT_TRUE(reported[2].contains(QStringLiteral("dialog script")));
    EXPECT_TRUE(reported[3].contains(QStringLiteral("message box answer")));
}

// The program's message box: Thai buttons, the asked-for default button, and Esc as Cancel
// (or OK when OK is the only button).
TEST(QtMessageBoxTest, ButtonsAreThaiAndKeepTheirDefaultAndEscape)
{
    struct Case
    {
        MsgButtons buttons;
        MsgResult defaultButton;
        Qt::Key key;
        QStringList texts;
        QString defaultText;
        MsgResult result;
    };
    const QString ok = QStringLiteral("ตกลง"), cancel = QStringLiteral("ยกเลิก");
    const Case cases[] = {
        { MsgButtons::Ok, MsgResult::Ok, Qt::Key_Return, { ok }, ok, MsgResult::Ok },
        { MsgButtons::Ok, MsgResult::Ok, Qt::Key_Escape, { ok }, ok, MsgResult::Ok },
        { MsgButtons::OkCancel, MsgResult::Ok, Qt::Key_Return, { ok, cancel }, ok, MsgResult::Ok },
        { MsgButtons::OkCancel, MsgResult::Cancel, Qt::Key_Return, { ok, cancel }, cancel,
            MsgResult::Cancel },
        { MsgButtons::OkCancel, MsgResult::Ok, Qt::Key_Escape, { ok, cancel }, ok,
            MsgResult::Cancel },
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(n++);
        QStringList texts;
        QString defaultText;
        whenShown([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            ASSERT_TRUE(box);
            for (QAbstractButton *b : box->buttons())
                texts.append(b->text());
            if (box->defaultButton())
                defaultText = box->defaultButton()->text();
            if (c.buttons == MsgButtons::OkCancel && c.defaultButton == MsgResult::Cancel)
                saveScreenshot(box->grab(), QStringLiteral("message-box-thai-buttons.png"));
            QTest::keyClick(box, c.key);
        });
        const MsgResult r = QtMessageBoxService().show(nullptr,
            MessageRequest { QStringLiteral("คุณแน่ใจว่าต้องการจบการทำงานของโปรแกรม ?"),
                QStringLiteral("ยืนยันการจบรายการ"), MsgIcon::Question, c.buttons, c.defaultButton });
        texts.sort();
        QStringList expected = c.texts;
        expected.sort();
        EXPECT_EQ(texts, expected);
        EXPECT_EQ(defaultText, c.defaultText);
        EXPECT_EQ(r, c.result);
    }
}
