#include "FrameFixture.h"
#include "labels/LabelWindow.h"
#include "settings/UserAccountsWindow.h"
#include "shell/MainFrame.h"
#include "stock/ProductEditor.h"
#include "support/FindControl.h"
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QTest>

// Every box of the program that filters its keys judges pasted and dropped text the same way:
// what typing refuses, a paste or a drop refuses whole, with the message typing shows, and the
// box stays as it was.
class PasteFilterTest : public FrameFixture
{
protected:
    using Check = std::function<void(QWidget *window)>;

    MainFrame *startFrame()
    {
        setSignIn(0);
        EXPECT_EQ(SignInWindow::start(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return MainFrame::existing();
    }

    void openPage(const char *tab, const Check &check)
    {
        MainFrame *frame = startFrame();
        ASSERT_NE(frame, nullptr);
        QTest::mouseClick(control(frame, tab), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_NE(frame->activePage(), nullptr);
        check(frame->activePage());
    }

    void openModal(const std::function<void()> &open, const Check &check)
    {
        ASSERT_NE(startFrame(), nullptr);
        dialogs.then([&](QDialog *d) { check(d); });
        open();
    }

    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (const MessageRequest &m : boxes.shown)
            texts.push_back(m.text.toStdString());
        return texts;
    }

    // The box by object name, else by the name a screen reader reads.
    static QWidget *findControl(QWidget *window, const QString &name)
    {
        if (window->findChild<QWidget *>(name))
            return control(window, name);
        return controlByAccessibleName(window, name);
    }

    void pasteIsJudgedAsTyped(QWidget *window, const char *boxName, const QString &text)
    {
        QWidget *box = findControl(window, QString::fromUtf8(boxName));
        ASSERT_NE(box, nullptr) << boxName;
        auto *combo = qobject_cast<QComboBox *>(box);
        QLineEdit *edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit *>(box);
        ASSERT_NE(edit, nullptr) << boxName;
        ASSERT_TRUE(box->isEnabled()) << boxName;
        box->setFocus(Qt::OtherFocusReason);

        // Typed key by key: the filter refuses at least one key.
        edit->clear();
        boxes.clear();
        typeText(box, text);
        const std::vector<std::string> typed = messages();
        ASSERT_NE(edit->text(), text) << "typing lets the text in";

        edit->setText(QStringLiteral("1"));
        const QString before = edit->text(); // a box may hold nothing while the page is empty
        auto expectRefused = [&](const char *how) {
            SCOPED_TRACE(how);
            EXPECT_EQ(edit->text(), before);
            EXPECT_EQ(messages(),
                std::vector<std::string>(
                    typed.begin(), typed.begin() + std::min<size_t>(typed.size(), 1)));
        };
        for (const auto &[keys, how] :
            { std::pair { QKeySequence(Qt::SHIFT | Qt::Key_Insert), "Shift+Insert" },
                std::pair { QKeySequence(Qt::CTRL | Qt::Key_V), "Ctrl+V" } }) {
            edit->setText(before);
            boxes.clear();
            QApplication::clipboard()->setText(text);
            QTest::keySequence(box, keys);
            expectRefused(how);
        }

        edit->setText(before);
        boxes.clear();
        dropText(edit, text);
        expectRefused("dropped");
    }
};

TEST_F(PasteFilterTest, EveryFilteredBoxJudgesPastedAndDroppedTextAsTyped)
{
    addProduct(1, 5, 1); // the stock page's search band is off in an empty shop
    const QString thaiName = QStringLiteral("สมชาย");
    struct Case
    {
        const char *window;
        const char *box;
        QString text;
        const char *clickFirst = nullptr; // what a person presses before the box takes text
    };
    using Opener = std::function<void(const Check &)>;
    const auto signIn = [this](const Check &check) {
        setSignIn(1);
        SignInWindow *w = SignInWindow::start();
        ASSERT_NE(w, nullptr);
        check(w);
    };
    const auto stockPage = [this](const Check &check) { openPage("stockTab", check); };
    const auto salePage = [this](const Check &check) { openPage("saleTab", check); };
    const auto summaryPage = [this](const Check &check) { openPage("summaryTab", check); };
    const auto users
        = [this](const Check &check) { openModal([] { UserAccountsWindow::showModal(); }, check); };
    const auto productEditor
        = [this](const Check &check) { openModal([] { ProductEditor::openNew(); }, check); };
    const auto labels
        = [this](const Check &check) { openModal([] { LabelWindow::showModal(); }, check); };
    const std::pair<Case, Opener> cases[] = {
        { { "sign-in", "userNameBox", thaiName }, signIn },
        { { "sign-in", "passwordBox", QStringLiteral("pass word") }, signIn },
        { { "user accounts", "userNameBox", thaiName, "สร้างผู้ใช้ใหม่" }, users },
        { { "stock page", "searchBox", QStringLiteral("12a"), "belowQuantitySwitch" }, stockPage },
        { { "sale page", "discountBox", QStringLiteral("1.5") }, salePage },
        { { "summary page", "yearBox", QStringLiteral("1x") }, summaryPage },
        { { "product editor", "stockBox", QStringLiteral("1.5") }, productEditor },
        { { "product editor", "priceBox", QStringLiteral("1.2a") }, productEditor },
        { { "labels", "ตำแหน่งเริ่มพิมพ์", QStringLiteral("1.5") }, labels },
        { { "labels", "ขอบกระดาษ (ซม.) ขอบบน", QStringLiteral("2,5") }, labels },
    };
    for (const auto &[c, open] : cases) {
        SCOPED_TRACE(testing::Message() << c.window << ", " << c.box);
        open([&](QWidget *window) {
            if (c.clickFirst) {
                QWidget *w = findControl(window, QString::fromUtf8(c.clickFirst));
                ASSERT_NE(w, nullptr) << c.clickFirst;
                w->setFocus(Qt::OtherFocusReason);
                QTest::keyClick(w, Qt::Key_Space);
                if (auto *tick = qobject_cast<QCheckBox *>(w)) {
                    ASSERT_TRUE(tick->isChecked());
                }
            }
            pasteIsJudgedAsTyped(window, c.box, c.text);
        });
        TearDown();
        SetUp();
    }
}
