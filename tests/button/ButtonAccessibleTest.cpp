// The button as assistive technology meets it: through QAccessible, as a screen reader or an
// automation tool asks for it.
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ButtonAccessibility : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->setGeometry(100, 100, 300, 120);
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    KasmoButton *make(const QString &caption)
    {
        KasmoButton *b = KasmoButton::fromBag(window.get(), ButtonPresets::pageButton(caption));
        b->setGeometry(10, 10, 120, 30);
        b->show();
        return b;
    }

    std::unique_ptr<QWidget> window;
};

} // namespace

TEST_F(ButtonAccessibility, ReadsAsAButtonNamedByItsCaptionAndPressesLikeAClick)
{
    struct Case
    {
        QString caption;
        bool checkBox;
        bool enabled;
        QString name;
        QAccessible::Role role;
        int clicks; // from one press action
    };
    const Case cases[] = {
        { QStringLiteral("เ&ข้าสู่ระบบ"), false, true, QStringLiteral("เข้าสู่ระบบ"), QAccessible::Button,
            1 },
        { QStringLiteral("&ปิดโปรแกรม"), false, false, QStringLiteral("ปิดโปรแกรม"),
            QAccessible::Button, 0 },
        { QStringLiteral("Fish && &Chips"), false, true, QStringLiteral("Fish & Chips"),
            QAccessible::Button, 1 },
        { QStringLiteral("ลบสินค้า (Del)  "), true, true, QStringLiteral("ลบสินค้า (Del)"),
            QAccessible::CheckBox, 1 },
        { QStringLiteral("ค้นหา"), true, false, QStringLiteral("ค้นหา"), QAccessible::CheckBox, 0 },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        KasmoButton *b = make(c.caption);
        b->setToolTip(QStringLiteral(" ลบสินค้าที่เลือกทีละรายการ "));
        b->setCheckBoxBehaviour(c.checkBox);
        b->setEnabled(c.enabled);
        int clicks = 0;
        QObject::connect(b, &KasmoButton::Click, [&] { ++clicks; });

        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), c.role);
        EXPECT_EQ(a->text(QAccessible::Name), c.name);
        EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("ลบสินค้าที่เลือกทีละรายการ"));
        EXPECT_EQ(a->state().disabled, !c.enabled);
        EXPECT_EQ(a->state().checkable, c.checkBox);
        EXPECT_FALSE(a->state().checked);
        QAccessibleActionInterface *act = a->actionInterface();
        ASSERT_NE(act, nullptr);
        EXPECT_EQ(
            act->actionNames().contains(QAccessibleActionInterface::pressAction()), c.enabled);
        act->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(a->state().checked, c.checkBox && c.enabled);
        delete b;
    }
}

TEST_F(ButtonAccessibility, FocusAndPressedStatesFollowTheButton)
{
    KasmoButton *b = make(QStringLiteral("&บันทึก"));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->state().focusable);
    EXPECT_FALSE(a->state().focused);
    b->setFocus();
    EXPECT_TRUE(a->state().focused);
    EXPECT_FALSE(a->state().pressed);
    QTest::mousePress(b, Qt::LeftButton, {}, b->rect().center());
    EXPECT_TRUE(a->state().pressed);
    QTest::mouseRelease(b, Qt::LeftButton, {}, b->rect().center());
    EXPECT_FALSE(a->state().pressed);
}
