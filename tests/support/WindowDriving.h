#pragma once
#include "platform/ui/WindowRegistry.h"
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QList>
#include <QMimeData>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QWidget>

// Types text key by key, as a person does; keys without a key code of their own (Thai) go as text.
inline void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 128)
            QTest::keyClicks(w, QString(ch));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
}

// Drops text in the middle of a box, as a mouse drag from another program ends.
inline void dropText(QWidget *box, const QString &text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at = box->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(box, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(box, &drop);
}

// Picks a list position with the arrow keys, as a person does in a closed list.
inline void chooseWithArrows(QComboBox *list, int item)
{
    list->setFocus(Qt::OtherFocusReason);
    if (list->currentIndex() < 0)
        QTest::keyClick(list, Qt::Key_Down);
    for (int i = 0; i < 20 && list->currentIndex() < item; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    for (int i = 0; i < 20 && list->currentIndex() > item; ++i)
        QTest::keyClick(list, Qt::Key_Up);
}

// Types over the whole text of a box key by key; with nothing to type, deletes it.
inline void typeOver(QLineEdit *box, const QString &text)
{
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    typeText(box, text);
}

// Deletes every loaded window without its close handling (no question, no end). A window that
// already went with another one (a page with its frame) is passed over.
inline void deleteLoadedWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *w : WindowRegistry::loaded())
        windows.append(w);
    for (const QPointer<QWidget> &w : windows)
        delete w.data();
}
