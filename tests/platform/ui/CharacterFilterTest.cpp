#include "platform/ui/CharacterFilter.h"
#include "platform/ui/RightButtonGuard.h"
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void press(QWidget *w, Qt::Key key, const QString &text, Qt::KeyboardModifiers mods = {})
{
    QTest::sendKeyEvent(QTest::Click, w, key, text, mods);
}

} // namespace

TEST(CharacterFilterTest, CodesOfKeys)
{
    struct Case
    {
        int key;
        Qt::KeyboardModifiers mods;
        QString text;
        int code;
    };
    const Case cases[] = {
        { Qt::Key_5, {}, QStringLiteral("5"), '5' },
        { Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"), 'A' },
        { Qt::Key_Space, {}, QStringLiteral(" "), ' ' },
        { 0x0e01, {}, QStringLiteral("ก"), 0x0e01 },
        { Qt::Key_Backspace, {}, QStringLiteral("\b"), 8 },
        { Qt::Key_Return, {}, QStringLiteral("\r"), 13 },
        { Qt::Key_Enter, Qt::KeypadModifier, QStringLiteral("\r"), 13 },
        { Qt::Key_Escape, {}, QString(QChar(27)), 27 },
        { Qt::Key_V, Qt::ControlModifier, QString(QChar(22)), 22 },
        { Qt::Key_A, Qt::ControlModifier, QString(QChar(1)), 1 },
        { Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, QString(QChar(26)), 26 },
        { Qt::Key_Left, {}, QString(), 0 },
        { Qt::Key_Delete, {}, QString(QChar(0x7f)), 0 },
        { Qt::Key_Tab, {}, QStringLiteral("\t"), 0 },
        { Qt::Key_F1, {}, QString(), 0 },
        { Qt::Key_X, Qt::AltModifier, QStringLiteral("x"), 0 },
        { Qt::Key_Home, {}, QString(), 0 },
    };
    for (const Case &c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, c.text);
        EXPECT_EQ(CharacterFilter::codeOf(&e), c.code) << "key " << c.key;
    }
}

TEST(CharacterFilterTest, HandlerDropsReplacesOrPassesKeys)
{
    QLineEdit box;
    QList<int> seen;
    CharacterFilter::install(&box, [&](int &k) {
        seen.append(k);
        if (k == 'x')
            k = 0;
        else if (k == 'b')
            k = 'B';
    });
    press(&box, Qt::Key_A, QStringLiteral("a"));
    press(&box, Qt::Key_X, QStringLiteral("x"));
    press(&box, Qt::Key_B, QStringLiteral("b"));
    EXPECT_EQ(box.text(), QStringLiteral("aB"));
    EXPECT_EQ(seen, (QList<int> { 'a', 'x', 'b' }));

    // Keys that type nothing never reach the handler, and still do their work.
    seen.clear();
    for (Qt::Key k : { Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_End,
             Qt::Key_F5, Qt::Key_Home })
        press(&box, k, QString());
    press(&box, Qt::Key_Delete, QString(QChar(0x7f)));
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(box.text(), QStringLiteral("B")); // Home then Delete took the "a"
}

TEST(CharacterFilterTest, ReplacingWithBackspaceErases)
{
    QLineEdit box(QStringLiteral("12"));
    CharacterFilter::install(&box, [](int &k) { k = 8; });
    press(&box, Qt::Key_3, QStringLiteral("3"));
    EXPECT_EQ(box.text(), QStringLiteral("1"));
}

TEST(CharacterFilterTest, SecondInstallReplacesTheFirst)
{
    QLineEdit box;
    int first = 0, second = 0;
    CharacterFilter::install(&box, [&](int &) { ++first; });
    CharacterFilter::install(&box, [&](int &) { ++second; });
    press(&box, Qt::Key_1, QStringLiteral("1"));
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    CharacterFilter::remove(&box);
    press(&box, Qt::Key_1, QStringLiteral("1"));
    EXPECT_EQ(second, 1);
    EXPECT_EQ(box.text(), QStringLiteral("11"));
}

TEST(CharacterFilterTest, EditableComboRunsTheHandlerOncePerKey)
{
    QComboBox combo;
    combo.setEditable(true);
    int calls = 0;
    CharacterFilter::install(&combo, [&](int &k) {
        ++calls;
        if (k >= 'a' && k <= 'z')
            k -= 32;
    });
    press(&combo, Qt::Key_A, QStringLiteral("a"));
    press(combo.lineEdit(), Qt::Key_B, QStringLiteral("b"));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(combo.currentText(), QStringLiteral("AB"));
}

TEST(CharacterFilterTest, InputMethodTextGoesThroughTheHandler)
{
    QLineEdit box;
    CharacterFilter::install(&box, [](int &k) {
        if (k > 127)
            k = 0;
        else if (k >= 'a' && k <= 'z')
            k -= 32;
    });
    QInputMethodEvent e;
    e.setCommitString(QStringLiteral("aกb"));
    QApplication::sendEvent(&box, &e);
    EXPECT_EQ(box.text(), QStringLiteral("AB"));
}

TEST(RightButtonGuardTest, RightPressRunsTheRefusalAndOpensNoMenu)
{
    QLineEdit control;
    control.show();
    QContextMenuEvent menuAsked(
        QContextMenuEvent::Mouse, QPoint(5, 5), control.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&control, &menuAsked);
    // Without the guard the box offers its menu: the check below means something.
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QApplication::activePopupWidget()->close();

    QComboBox box;
    box.setEditable(true);
    box.show();
    int refusals = 0;
    RightButtonGuard::install(&box, [&] { ++refusals; });
    QTest::mouseClick(box.lineEdit(), Qt::RightButton);
    QTest::mouseClick(&box, Qt::RightButton);
    QContextMenuEvent again(QContextMenuEvent::Mouse, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box.lineEdit(), &again);
    EXPECT_EQ(refusals, 2);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    QTest::mouseClick(box.lineEdit(), Qt::LeftButton);
    EXPECT_EQ(refusals, 2);
}
