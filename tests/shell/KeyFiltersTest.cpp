#include "shell/KeyFilters.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/KeyboardLayout.h"
#include "shell/InputBoxes.h"
#include "shell/Messages.h"
#include "support/ShellFixture.h"
#include "support/WindowDriving.h"
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

enum Filter { Number, Decimal, Code };

int (*const filters[])(int &)
    = { KeyFilters::digitsOnly, KeyFilters::decimalOnly, KeyFilters::codeCharactersOnly };
const QString *const refusals[] = { &Msg::NumberOnly, &Msg::DecimalOnly, &Msg::CodeCharOnly };

struct Key
{
    const char *name;
    int key;
    QString text;
    Qt::KeyboardModifiers mods;
};

// The box holds "12" with the cursor at its end when the key arrives. An empty expectation
// means the key is refused: one message, the box unchanged.
struct Case
{
    Key key;
    QString after[3]; // NumberOnly, DecimalOnly, CodeCharOnly
};

const QString refused;

const Case cases[] = {
    { { "5", Qt::Key_5, "5", {} }, { "125", "125", "125" } },
    { { ".", Qt::Key_Period, ".", {} }, { refused, "12.", refused } },
    { { "-", Qt::Key_Minus, "-", {} }, { refused, refused, "12-" } },
    { { "a", Qt::Key_A, "a", {} }, { refused, refused, "12A" } },
    { { "Z", Qt::Key_Z, "Z", Qt::ShiftModifier }, { refused, refused, "12Z" } },
    { { "/", Qt::Key_Slash, "/", {} }, { refused, refused, "12/" } },
    { { "blank", Qt::Key_Space, " ", {} }, { refused, refused, refused } },
    { { "Thai letter", 0x0e01, QStringLiteral("ก"), {} }, { refused, refused, refused } },
    { { "Esc", Qt::Key_Escape, QString(QChar(27)), {} }, { refused, refused, refused } },
    { { "Ctrl+V", Qt::Key_V, QString(QChar(22)), Qt::ControlModifier },
        { refused, refused, refused } },
    { { "Backspace", Qt::Key_Backspace, "\b", {} }, { "1", "1", "1" } },
    { { "Enter", Qt::Key_Return, "\r", {} }, { "12", "12", "12" } },
};

// Pasted (Shift+Insert) or dropped into a box holding "12", cursor at its end: the whole text
// goes through the filter, one refused character refuses it all with one message.
struct PasteCase
{
    const char *text;
    QString after[3]; // NumberOnly, DecimalOnly, CodeCharOnly
};
const PasteCase pastes[] = {
    { "34", { "1234", "1234", "1234" } },
    { "3.4", { refused, "123.4", refused } },
    { "ab-1", { refused, refused, "12AB-1" } },
    { "3 4", { refused, refused, refused } },
    { "สมชาย", { refused, refused, refused } },
};

class KeyFiltersTest : public ShellFixture
{
protected:
    void runPastes(QWidget *box, QLineEdit *edit)
    {
        for (int f = Number; f <= Code; ++f) {
            CharacterFilter::install(box, [f](int &key) { key = filters[f](key); });
            for (const PasteCase &c : pastes) {
                for (const bool dropped : { false, true }) {
                    SCOPED_TRACE(testing::Message()
                        << "filter " << f << ", " << c.text << (dropped ? " dropped" : " pasted"));
                    edit->setText(QStringLiteral("12"));
                    boxes.clear();
                    const QString text = QString::fromUtf8(c.text);
                    if (dropped) {
                        dropText(edit, text);
                    } else {
                        QApplication::clipboard()->setText(text);
                        edit->end(false);
                        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
                    }
                    if (c.after[f].isNull()) {
                        ASSERT_EQ(boxes.count(), 1);
                        EXPECT_EQ(boxes.last().text, *refusals[f]);
                        EXPECT_EQ(edit->text(), QStringLiteral("12"));
                    } else if (!dropped) {
                        EXPECT_EQ(boxes.count(), 0);
                        EXPECT_EQ(edit->text(), c.after[f]);
                    } else {
                        // A drop goes in where it lands; the filter only has to let it in.
                        EXPECT_EQ(boxes.count(), 0);
                        EXPECT_EQ(edit->text().size(), c.after[f].size());
                    }
                }
            }
        }
    }

    // The same keys in a line edit and in an editable drop-down list.
    void run(QWidget *box, const std::function<QString()> &text,
        const std::function<void(const QString &)> &setText)
    {
        for (int f = Number; f <= Code; ++f) {
            CharacterFilter::install(box, [f](int &key) { key = filters[f](key); });
            for (const Case &c : cases) {
                SCOPED_TRACE(testing::Message() << "filter " << f << ", key " << c.key.name);
                setText(QStringLiteral("12"));
                boxes.clear();
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.key.key), c.key.text, c.key.mods);
                if (c.after[f].isNull()) {
                    ASSERT_EQ(boxes.count(), 1);
                    EXPECT_EQ(boxes.last().text, *refusals[f]);
                    EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
                    EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
                    EXPECT_EQ(boxes.last().buttons, MsgButtons::Ok);
                    EXPECT_EQ(text(), QStringLiteral("12"));
                } else {
                    EXPECT_EQ(boxes.count(), 0);
                    EXPECT_EQ(text(), c.after[f]);
                }
            }
        }
    }
};

} // namespace

TEST_F(KeyFiltersTest, KeysTypedIntoALineEdit)
{
    QApplication::clipboard()->setText(QStringLiteral("99"));
    QLineEdit box;
    box.show();
    // Unfiltered, Ctrl+V pastes: the refusals below are the filters' doing.
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(box.text(), QStringLiteral("99"));
    run(
        &box, [&] { return box.text(); }, [&](const QString &t) { box.setText(t); });
}

TEST_F(KeyFiltersTest, KeysTypedIntoAnEditableList)
{
    QApplication::clipboard()->setText(QStringLiteral("99"));
    QComboBox box;
    box.setEditable(true);
    box.show();
    run(
        &box, [&] { return box.currentText(); }, [&](const QString &t) { box.setEditText(t); });
}

TEST_F(KeyFiltersTest, PastedAndDroppedTextMeetsTheFilter)
{
    QLineEdit edit;
    edit.show();
    runPastes(&edit, &edit);
    QComboBox list;
    list.setEditable(true);
    list.show();
    runPastes(&list, list.lineEdit());
}

TEST_F(KeyFiltersTest, EnterReachesTheBoxOnce)
{
    QLineEdit box;
    int enters = 0;
    QObject::connect(&box, &QLineEdit::returnPressed, [&] { ++enters; });
    CharacterFilter::install(&box, [](int &key) { key = KeyFilters::digitsOnly(key); });
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(enters, 1);
}

TEST_F(KeyFiltersTest, FiltersOnTheirOwn)
{
    // A second and third "." pass: the filters look at the key alone.
    for (int i = 0; i < 3; ++i) {
        int k = '.';
        EXPECT_EQ(KeyFilters::decimalOnly(k), '.');
    }
    // Lower case comes back upper case; the caller's code stays as typed until assigned.
    int k = 'q';
    EXPECT_EQ(KeyFilters::codeCharactersOnly(k), 'Q');
    EXPECT_EQ(k, 'q');
    k = '_';
    EXPECT_EQ(KeyFilters::codeCharactersOnly(k), '_');
    k = '@';
    EXPECT_EQ(KeyFilters::codeCharactersOnly(k), 0);
    EXPECT_EQ(k, 0);
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(KeyFiltersTest, RightPressIsRefusedWithoutAMenu)
{
    QLineEdit box(QStringLiteral("12"));
    box.show();
    InputBoxes::refuseRightClick(&box);
    QTest::mouseClick(&box, Qt::RightButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, Msg::NoRightClick);
    EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
    EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(KeyFiltersTest, LimitComboLength)
{
    QComboBox list;
    list.setEditable(true);
    CharacterFilter::install(&list, [&](int &key) { KeyFilters::limitListLength(&list, 19, key); });
    list.setEditText(QString(18, QLatin1Char('x')));
    QTest::keyClick(&list, Qt::Key_A);
    EXPECT_EQ(list.currentText().size(), 19); // 18 characters: the key passes
    QTest::keyClick(&list, Qt::Key_A);
    EXPECT_EQ(list.currentText().size(), 19); // 19: dropped
    list.lineEdit()->selectAll();
    QTest::keyClick(&list, Qt::Key_A);
    EXPECT_EQ(list.currentText().size(), 19); // even over a selection
    list.lineEdit()->end(false);
    QTest::keyClick(&list, Qt::Key_Backspace);
    EXPECT_EQ(list.currentText().size(), 18);
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(KeyFiltersTest, SelectAllText)
{
    QLineEdit edit(QStringLiteral("ABC"));
    InputBoxes::selectAllText(&edit);
    EXPECT_EQ(edit.selectedText(), QStringLiteral("ABC"));
    QComboBox list;
    list.setEditable(true);
    list.setEditText(QStringLiteral("กล่อง"));
    InputBoxes::selectAllText(&list);
    EXPECT_EQ(list.lineEdit()->selectedText(), QStringLiteral("กล่อง"));
    QWidget plain;
    InputBoxes::selectAllText(&plain); // nothing to select: nothing happens
    InputBoxes::selectAllText(nullptr);
}

namespace {
class FakeLayout : public KeyboardLayout
{
public:
    FakeLayout() { install(this); }
    ~FakeLayout() override { install(nullptr); }
    bool isActive(const QString &l) override { return l == current; }
    bool activate(const QString &l) override
    {
        activations << l;
        if (configured.contains(l))
            current = l;
        return configured.contains(l);
    }
    QString current;
    QStringList configured;
    QStringList activations;
};
} // namespace

TEST_F(KeyFiltersTest, EnglishKeyboard)
{
    FakeLayout kl;
    kl.configured = QStringList { "us", "th" };
    kl.current = "us";
    InputBoxes::setEnglishKeyboard();
    EXPECT_TRUE(kl.activations.isEmpty()); // already active: nothing loaded

    kl.current = "th";
    EXPECT_TRUE(InputBoxes::setKeyboardLayout("00000409"));
    EXPECT_EQ(kl.activations, QStringList { "us" });
    EXPECT_EQ(kl.current, "us");

    kl.configured = QStringList { "th" };
    kl.current = "th";
    EXPECT_FALSE(InputBoxes::setKeyboardLayout("00000409"));
    EXPECT_FALSE(InputBoxes::setKeyboardLayout("00000000")); // unknown name: nothing tried
    EXPECT_EQ(kl.activations.size(), 2);
}

TEST_F(KeyFiltersTest, EnglishKeyboardWithoutX11DoesNothing)
{
    // Offscreen there is no layout to lock; the call is quiet and harmless.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        GTEST_SKIP() << "runs offscreen only";
    EXPECT_FALSE(InputBoxes::setKeyboardLayout("00000409"));
    InputBoxes::setEnglishKeyboard();
    EXPECT_EQ(boxes.count(), 0);
}
