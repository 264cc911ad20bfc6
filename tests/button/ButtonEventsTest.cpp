// Mouse, keyboard, focus, access key and hover input of the button, driven with real events.
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Records the events a container would see, in order.
struct Recorder
{
    QStringList events;
    std::function<void(short &button)> onMouseDown;
    std::function<void(short &key)> onKeyDown;
    bool sawDown = false; // the look right after the press

    void attach(KasmoButton *b)
    {
        QObject::connect(b, &KasmoButton::Click, [this] { events << "Click"; });
        QObject::connect(
            b, &KasmoButton::MouseDown, [this](short &button, short &, float &x, float &y) {
                events << QString("MouseDown %1 %2 %3").arg(button).arg(x).arg(y);
                if (onMouseDown)
                    onMouseDown(button);
            });
        QObject::connect(
            b, &KasmoButton::MouseUp, [this](short &button, short &, float &, float &) {
                events << QString("MouseUp %1").arg(button);
            });
        QObject::connect(b, &KasmoButton::KeyDown, [this](short &key, short &) {
            if (onKeyDown)
                onKeyDown(key);
        });
        QObject::connect(b, &KasmoButton::MouseOver, [this] { events << "MouseOver"; });
        QObject::connect(b, &KasmoButton::MouseOut, [this] { events << "MouseOut"; });
    }
};

class ButtonInput : public ::testing::Test
{
public:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->setGeometry(100, 100, 300, 120);
        button = KasmoButton::fromBag(window.get(), ButtonPresets::pageButton("&Save"));
        button->setGeometry(10, 10, 80, 24);
        next = new QLineEdit(window.get());
        next->setGeometry(100, 10, 80, 24);
        rec.attach(button);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        button->setFocus();
    }
    void TearDown() override
    {
        QCursor::setPos(0, 0);
        window.reset();
    }

    // The platform delivers the pointer's move as it would a real one.
    static void pointTo(QPoint global)
    {
        QCursor::setPos(global);
        QCoreApplication::processEvents();
    }
    void press(Qt::MouseButton b) { QTest::mousePress(button, b, {}, QPoint(10, 8)); }
    void release(Qt::MouseButton b) { QTest::mouseRelease(button, b, {}, QPoint(10, 8)); }

    std::unique_ptr<QWidget> window;
    KasmoButton *button = nullptr;
    QLineEdit *next = nullptr;
    Recorder rec;
};

struct InputCase
{
    const char *name;
    std::function<void(ButtonInput &)> act;
    QStringList expected;
    bool downSeen; // the look was Down right after the press
    ButtonState finalLook = ButtonState::Up;
};

TEST_F(ButtonInput, SequencesRaiseTheEventsInTheirOrder)
{
    const std::vector<InputCase> cases = {
        { "left click",
            [](ButtonInput &t) {
                t.press(Qt::LeftButton);
                t.rec.sawDown = t.button->lastState() == ButtonState::Down;
                t.release(Qt::LeftButton);
            },
            { "MouseDown 1 10 8", "MouseUp 1", "Click" }, true },
        { "right press neither presses nor clicks",
            [](ButtonInput &t) {
                t.press(Qt::RightButton);
                t.rec.sawDown = t.button->lastState() == ButtonState::Down;
                t.release(Qt::RightButton);
            },
            { "MouseDown 2 10 8", "MouseUp 2" }, false },
        { "middle press shows Down, no click",
            [](ButtonInput &t) {
                t.press(Qt::MiddleButton);
                t.rec.sawDown = t.button->lastState() == ButtonState::Down;
                t.release(Qt::MiddleButton);
            },
            { "MouseDown 4 10 8", "MouseUp 4" }, true },
        { "space down and up",
            [](ButtonInput &t) {
                QTest::keyPress(t.button, Qt::Key_Space);
                t.rec.sawDown = t.button->lastState() == ButtonState::Down;
                QTest::keyRelease(t.button, Qt::Key_Space);
            },
            { "Click" }, true },
        { "space, another key, space up",
            [](ButtonInput &t) {
                QTest::keyPress(t.button, Qt::Key_Space);
                t.rec.sawDown = t.button->lastState() == ButtonState::Down;
                QTest::keyPress(t.button, Qt::Key_A);
                QTest::keyRelease(t.button, Qt::Key_A);
                QTest::keyRelease(t.button, Qt::Key_Space);
            },
            {}, true, ButtonState::Down }, // Space up no longer ends the press
        { "double click",
            [](ButtonInput &t) {
                QTest::mouseClick(t.button, Qt::LeftButton, {}, QPoint(10, 8));
                QTest::mouseDClick(t.button, Qt::LeftButton, {}, QPoint(10, 8));
                t.rec.sawDown = t.button->lastState() == ButtonState::Down;
                QTest::mouseRelease(t.button, Qt::LeftButton, {}, QPoint(10, 8));
            },
            { "MouseDown 1 10 8", "MouseUp 1", "Click", "MouseDown 1 0 0", "MouseUp 1" }, true },
        { "access key",
            [](ButtonInput &t) {
                t.next->setFocus();
                QTest::keyClick(t.window.get(), Qt::Key_S, Qt::AltModifier);
            },
            { "Click" }, false },
        { "MouseDown handler turns the press into a right one",
            [](ButtonInput &t) {
                t.rec.onMouseDown = [](short &button) { button = 2; };
                t.press(Qt::LeftButton);
                t.rec.sawDown = t.button->lastState() == ButtonState::Down;
                t.release(Qt::LeftButton);
            },
            { "MouseDown 1 10 8", "MouseUp 1" }, false },
        { "KeyDown handler swallows Space",
            [](ButtonInput &t) {
                t.rec.onKeyDown = [](short &key) { key = 0; };
                QTest::keyPress(t.button, Qt::Key_Space);
                t.rec.sawDown = t.button->lastState() == ButtonState::Down;
                QTest::keyRelease(t.button, Qt::Key_Space);
            },
            {}, false },
    };
    for (const InputCase &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        rec = Recorder();
        SetUp();
        rec.events.clear();
        c.act(*this);
        EXPECT_EQ(rec.events, c.expected);
        EXPECT_EQ(rec.sawDown, c.downSeen);
        EXPECT_EQ(button->lastState(), c.finalLook);
    }
}

TEST_F(ButtonInput, CheckBoxBehaviourToggles)
{
    button->setCheckBoxBehaviour(true);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_EQ(rec.events.count("Click"), 3);
    EXPECT_TRUE(button->Value());
    EXPECT_EQ(button->lastState(), ButtonState::Down);
    // Value from code redraws at once only as a check box.
    button->setValue(false);
    EXPECT_EQ(button->lastState(), ButtonState::Up);
    button->setCheckBoxBehaviour(false);
    const int painted = button->paintCount();
    button->setValue(true);
    EXPECT_EQ(button->paintCount(), painted);
}

TEST_F(ButtonInput, DisabledButtonRaisesNothing)
{
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 8));
    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(10, 8));
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(window.get(), Qt::Key_S, Qt::AltModifier);
    pointTo(button->mapToGlobal(QPoint(20, 12)));
    EXPECT_TRUE(rec.events.isEmpty()) << rec.events.join(", ").toStdString();
    EXPECT_FALSE(button->hoverTimerActive());
    // Enabled again through QWidget, the button follows.
    static_cast<QWidget *>(button)->setEnabled(true);
    EXPECT_TRUE(button->Enabled());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_EQ(rec.events.count("Click"), 1);
}

TEST_F(ButtonInput, HoverStartsAndEndsWithTheTimer)
{
    pointTo(window->mapToGlobal(QPoint(250, 100)));
    EXPECT_FALSE(button->hoverTimerActive());
    pointTo(button->mapToGlobal(QPoint(20, 12)));
    pointTo(button->mapToGlobal(QPoint(25, 12))); // a second move inside: still one
    EXPECT_TRUE(button->isHot());
    EXPECT_TRUE(button->hoverTimerActive());
    QTest::qWait(20); // ticks while the pointer stays change nothing
    EXPECT_TRUE(button->isHot());
    pointTo(window->mapToGlobal(QPoint(250, 100)));
    QTRY_VERIFY(!button->hoverTimerActive());
    EXPECT_FALSE(button->isHot());
    EXPECT_EQ(rec.events, QStringList({ "MouseOver", "MouseOut" }));
}

TEST_F(ButtonInput, DragInsideWithLeftHeldShowsDownAndRearmsHover)
{
    pointTo(button->mapToGlobal(QPoint(20, 12)));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 12));
    QTest::mouseMove(button, QPoint(22, 12));
    EXPECT_EQ(button->lastState(), ButtonState::Down);
    EXPECT_FALSE(button->isHot()); // a drag leaves the button not hot
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(22, 12));
    pointTo(button->mapToGlobal(QPoint(24, 12)));
    EXPECT_EQ(rec.events,
        QStringList({ "MouseOver", "MouseDown 1 20 12", "MouseUp 1", "Click", "MouseOver" }));
}

TEST_F(ButtonInput, ArrowsMoveTheFocus)
{
    QTest::keyClick(button, Qt::Key_Right);
    EXPECT_TRUE(next->hasFocus());
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Down);
    EXPECT_TRUE(next->hasFocus());
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Left);
    EXPECT_TRUE(next->hasFocus()); // the previous control of the first is the last
    EXPECT_TRUE(rec.events.isEmpty());
}

TEST_F(ButtonInput, ReleaseOutsideDoesNotClick)
{
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 8));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 8));
    EXPECT_EQ(rec.events, QStringList({ "MouseDown 1 10 8", "MouseUp 1" }));
}

} // namespace
