#include "CharacterFilter.h"
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>

namespace {

const char *const kFilterName = "kasmo_keyascii_filter";

// The key event a replaced code stands for.
QKeyEvent replacementFor(const QKeyEvent *original, int code)
{
    int key = Qt::Key_unknown;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    QString text;
    if (code == 8) {
        key = Qt::Key_Backspace;
        text = QStringLiteral("\b");
    } else if (code == 13) {
        key = Qt::Key_Return;
        text = QStringLiteral("\r");
    } else if (code == 27) {
        key = Qt::Key_Escape;
        text = QString(QChar(27));
    } else if (code >= 1 && code <= 26) {
        key = Qt::Key_A + code - 1;
        mods = Qt::ControlModifier;
        text = QString(QChar(code));
    } else {
        const char32_t c = char32_t(code);
        text = QString::fromUcs4(&c, 1);
        if (code >= 'a' && code <= 'z')
            key = Qt::Key_A + code - 'a';
        else if (code >= 0x20 && code < 0x7f)
            key = code; // Qt's key codes for ASCII are the upper-case characters themselves
    }
    return QKeyEvent(QEvent::KeyPress, key, mods, text, original->isAutoRepeat());
}

class TypedKeyFilter : public QObject
{
public:
    TypedKeyFilter(QObject *parent, CharacterFilter::Handler h)
        : QObject(parent)
        , handler(std::move(h))
    {
        setObjectName(QString::fromLatin1(kFilterName));
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (delivering)
            return false;
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->matches(QKeySequence::Paste)) {
                // Ctrl+V is a key the handler sees first (a box may refuse it); Shift+Insert
                // types nothing. Either way, what is pasted is judged as typed text.
                const int code = CharacterFilter::codeOf(key);
                if (code != 0) {
                    QPointer<QObject> alive(watched);
                    int k = code;
                    handler(k);
                    if (!alive || k == 0)
                        return true;
                }
                return paste(watched, QGuiApplication::clipboard()->text());
            }
            return keyPress(watched, key);
        }
        if (event->type() == QEvent::Drop)
            return drop(watched, static_cast<QDropEvent *>(event));
        if (event->type() == QEvent::ContextMenu)
            return contextMenu(watched, static_cast<QContextMenuEvent *>(event));
        if (event->type() == QEvent::InputMethod)
            return inputMethod(watched, static_cast<QInputMethodEvent *>(event));
        return false;
    }

    CharacterFilter::Handler handler;

private:
    bool keyPress(QObject *watched, QKeyEvent *e)
    {
        const int code = CharacterFilter::codeOf(e);
        if (code == 0)
            return false;
        QPointer<QObject> alive(watched);
        int k = code;
        handler(k);
        if (!alive)
            return true;
        if (k == code)
            return false;
        if (k != 0) {
            QKeyEvent repl = replacementFor(e, k);
            deliver(watched, &repl);
        }
        return true;
    }

    // Text committed by an input method goes through the handler one character at a time.
    bool inputMethod(QObject *watched, QInputMethodEvent *e)
    {
        if (e->commitString().isEmpty())
            return false;
        QPointer<QObject> alive(watched);
        QString kept;
        bool changed = false;
        for (char32_t c : e->commitString().toUcs4()) {
            int k = int(c);
            handler(k);
            if (!alive)
                return true;
            changed = changed || k != int(c);
            if (k != 0) {
                const char32_t out = char32_t(k);
                kept += QString::fromUcs4(&out, 1);
            }
        }
        if (!changed)
            return false;
        if (kept.isEmpty() && e->preeditString().isEmpty())
            return true;
        QInputMethodEvent repl(e->preeditString(), e->attributes());
        repl.setCommitString(kept, e->replacementStart(), e->replacementLength());
        deliver(watched, &repl);
        return true;
    }

    // Pasted and dropped text is judged as if it were typed: each character through the
    // handler, as typed keys are. The first character the handler drops refuses the whole text
    // (its message shows once) and the box stays as it was; changed characters go in changed.
    // Control characters (a pasted line break) are not keys and do not reach the handler.
    bool judge(QObject *watched, QString &text)
    {
        QPointer<QObject> alive(watched);
        QString kept;
        for (char32_t c : text.toUcs4()) {
            int k = int(c);
            if (c >= 0x20 && c != 0x7f) {
                handler(k);
                if (!alive || k == 0)
                    return false;
            }
            const char32_t out = char32_t(k);
            kept += QString::fromUcs4(&out, 1);
        }
        text = kept;
        return true;
    }

    static QLineEdit *editOf(QObject *watched)
    {
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            return edit;
        if (auto *combo = qobject_cast<QComboBox *>(watched))
            return combo->lineEdit();
        return nullptr;
    }

    bool paste(QObject *watched, QString text)
    {
        QLineEdit *edit = editOf(watched);
        if (!edit)
            return false;
        if (!edit->isReadOnly() && !text.isEmpty() && judge(watched, text))
            edit->insert(text);
        return true;
    }

    bool drop(QObject *watched, QDropEvent *e)
    {
        QLineEdit *edit = editOf(watched);
        if (!edit || !e->mimeData()->hasText())
            return false;
        QString text = e->mimeData()->text();
        if (!judge(watched, text)) {
            e->ignore();
            return true;
        }
        if (text == e->mimeData()->text())
            return false; // goes in where it was dropped
        edit->insert(text);
        e->acceptProposedAction();
        return true;
    }

    // The box's own menu, its paste judged like the keys'.
    bool contextMenu(QObject *watched, QContextMenuEvent *e)
    {
        QLineEdit *edit = editOf(watched);
        if (!edit || watched != edit || edit->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false; // a box that refuses the right button opens no menu
        QMenu *menu = edit->createStandardContextMenu();
        for (QAction *a : menu->actions()) {
            if (a->objectName() == QLatin1String("edit-paste")) {
                a->disconnect();
                QPointer<QLineEdit> box(edit);
                connect(a, &QAction::triggered, this, [this, box] {
                    if (box)
                        paste(box, QGuiApplication::clipboard()->text());
                });
            }
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(e->globalPos());
        return true;
    }

    void deliver(QObject *target, QEvent *e)
    {
        delivering = true;
        QCoreApplication::sendEvent(target, e);
        delivering = false;
    }

    bool delivering = false;
};

void installOn(QWidget *w, const CharacterFilter::Handler &handler)
{
    if (auto *old = w->findChild<TypedKeyFilter *>(
            QString::fromLatin1(kFilterName), Qt::FindDirectChildrenOnly)) {
        old->handler = handler;
        return;
    }
    w->installEventFilter(new TypedKeyFilter(w, handler));
}

} // namespace

void CharacterFilter::install(QWidget *box, Handler handler)
{
    installOn(box, handler);
    if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
        installOn(combo->lineEdit(), handler);
}

void CharacterFilter::remove(QWidget *box)
{
    QList<QWidget *> targets { box };
    if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
        targets.append(combo->lineEdit());
    for (QWidget *w : targets)
        delete w->findChild<TypedKeyFilter *>(
            QString::fromLatin1(kFilterName), Qt::FindDirectChildrenOnly);
}

int CharacterFilter::codeOf(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    switch (e->key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return 0;
    default:
        break;
    }
    if (mods & (Qt::AltModifier | Qt::MetaModifier))
        return 0;
    if (mods & Qt::ControlModifier) {
        if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
            return e->key() - Qt::Key_A + 1;
        return 0;
    }
    const QList<uint> chars = e->text().toUcs4();
    if (chars.isEmpty())
        return 0;
    const uint c = chars.first();
    if (c < 0x20 || c == 0x7f || !QChar::isPrint(char32_t(c)))
        return 0;
    return int(c);
}
