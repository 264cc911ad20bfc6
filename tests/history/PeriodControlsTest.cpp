#include "HistoryFixture.h"
#include <QVBoxLayout>

using PeriodBoxes = HistoryFixture;

namespace {

void expectMessage(const MessageRequest &m, const QString &text, MsgIcon icon, const QString &title)
{
    EXPECT_EQ(m.text, text);
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(m.title, title);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
}

} // namespace

TEST_F(PeriodBoxes, OpenInTheirDesignStateWithTheCurrentYear)
{
    withWindow([&](HistoryWindow *w) {
        EXPECT_FALSE(control<QCheckBox>(w, "weekCheck")->isChecked());
        EXPECT_EQ(control<QCheckBox>(w, "weekCheck")->text(), QStringLiteral(" สัปดาห์นี้"));
        EXPECT_FALSE(control<QComboBox>(w, "monthList")->isEditable());
        EXPECT_EQ(control<QComboBox>(w, "monthList")->currentIndex(), -1);
        QStringList items;
        for (int i = 0; i < control<QComboBox>(w, "monthList")->count(); ++i)
            items << control<QComboBox>(w, "monthList")->itemText(i);
        EXPECT_EQ(items,
            (QStringList { "  (01) มกราคม", "  (02) กุมภาพันธ์", "  (03) มีนาคม", "  (04) เมษายน",
                "  (05) พฤษภาคม", "  (06) มิถุนายน", "  (07) กรกฎาคม", "  (08) สิงหาคม",
                "  (09) กันยายน", "  (10) ตุลาคม", "  (11) พฤศจิกายน", "  (12) ธันวาคม",
                "  สรุปยอดรายปี" }));
        EXPECT_EQ(control<QLineEdit>(w, "yearBox")->text(), QStringLiteral("2024"));
        EXPECT_EQ(control<QLineEdit>(w, "yearBox")->maxLength(), 4);
        EXPECT_EQ(control<QGroupBox>(w, "yearFrame")->title(), QStringLiteral("ปี (ค.ศ.)"));
        EXPECT_FALSE(control<QCheckBox>(w, "dayCheck")->isChecked());
        EXPECT_EQ(control<QGroupBox>(w, "dayFrame")->title(), QStringLiteral("     วันที่"));
        EXPECT_EQ(control<QLineEdit>(w, "dayBox")->text(), QStringLiteral("0"));
        EXPECT_EQ(control<QLineEdit>(w, "dayBox")->maxLength(), 2);
        EXPECT_FALSE(control<QLineEdit>(w, "dayBox")->isEnabled());
    });
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(PeriodBoxes, EmptiedYearComesBackAsTheCurrentYearAndOtherYearsStayAsTyped)
{
    withWindow([&](HistoryWindow *w) {
        typeOver(control<QLineEdit>(w, "yearBox"), QStringLiteral("25"));
        EXPECT_EQ(control<QLineEdit>(w, "yearBox")->text(),
            QStringLiteral("25")); // short years are not corrected
        typeOver(control<QLineEdit>(w, "yearBox"), QStringLiteral("2567"));
        EXPECT_EQ(control<QLineEdit>(w, "yearBox")->text(), QStringLiteral("2567"));
        QTest::keyClick(control<QLineEdit>(w, "yearBox"), Qt::Key_End);
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(control<QLineEdit>(w, "yearBox"), Qt::Key_Backspace);
            seen << control<QLineEdit>(w, "yearBox")->text();
        }
        EXPECT_EQ(seen, (QStringList { "256", "25", "2", "2024" }));
        // Past the four-character limit nothing more goes in.
        QTest::keyClicks(control<QLineEdit>(w, "yearBox"), QStringLiteral("9"));
        EXPECT_EQ(control<QLineEdit>(w, "yearBox")->text(), QStringLiteral("2024"));
    });
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(PeriodBoxes, DayBoxTurnsNoDayIntoOne)
{
    // Keys typed into the day box, its whole text selected first; the box after each key.
    struct Key
    {
        Qt::Key key;
        const char *after;
    };
    struct Case
    {
        const char *name;
        std::vector<Key> keys;
    } cases[] = {
        { "35", { { Qt::Key_3, "3" }, { Qt::Key_5, "1" } } },
        { "0", { { Qt::Key_0, "1" } } },
        { "99", { { Qt::Key_9, "9" }, { Qt::Key_9, "1" } } },
        { "32", { { Qt::Key_3, "3" }, { Qt::Key_2, "1" } } },
        { "31", { { Qt::Key_3, "3" }, { Qt::Key_1, "31" } } },
        { "05", { { Qt::Key_5, "5" }, { Qt::Key_Home, "5" }, { Qt::Key_0, "05" } } },
        { "emptied", { { Qt::Key_7, "7" }, { Qt::Key_Backspace, "1" } } },
        { "a letter", { { Qt::Key_8, "8" }, { Qt::Key_A, "8" } } },
    };
    withWindow([&](HistoryWindow *w) {
        click(control<QCheckBox>(w, "dayCheck"));
        ASSERT_TRUE(control<QLineEdit>(w, "dayBox")->isEnabled());
        for (const Case &c : cases) {
            control<QLineEdit>(w, "dayBox")->setFocus(Qt::OtherFocusReason);
            control<QLineEdit>(w, "dayBox")->selectAll();
            for (const Key &k : c.keys) {
                QTest::keyClick(control<QLineEdit>(w, "dayBox"), k.key);
                EXPECT_EQ(control<QLineEdit>(w, "dayBox")->text(), QString::fromLatin1(k.after))
                    << c.name;
            }
        }
    });
    // The letter was refused with the number boxes' message.
    ASSERT_GE(boxes.count(), 2);
    expectMessage(boxes.last(), Msg::NumberOnly, MsgIcon::Warning, Msg::ErrorTitle);
}

TEST_F(PeriodBoxes, WeekAndOneDayBoxesLockAndFreeTheOthers)
{
    withWindow([&](HistoryWindow *w) {
        chooseMonth(w, 4);
        typeOver(control<QLineEdit>(w, "yearBox"), QStringLiteral("2023"));

        // One day: the day box opens, says so, and takes the focus with its text selected.
        click(control<QCheckBox>(w, "dayCheck"));
        ASSERT_EQ(boxes.count(), 1);
        expectMessage(boxes.last(), Msg::OneDayChosen, MsgIcon::Information, Msg::StatusTitle);
        EXPECT_TRUE(control<QLineEdit>(w, "dayBox")->isEnabled());
        EXPECT_TRUE(control<QLineEdit>(w, "dayBox")->hasFocus());
        EXPECT_EQ(control<QLineEdit>(w, "dayBox")->selectedText(), QStringLiteral("0"));
        QTest::keyClicks(control<QLineEdit>(w, "dayBox"), QStringLiteral("7"));

        // The week locks month, year and one day, unticks the one-day box and says so.
        click(control<QCheckBox>(w, "weekCheck"));
        ASSERT_EQ(boxes.count(), 2);
        expectMessage(
            boxes.last(), Msg::WeekLocksDayMonthYear, MsgIcon::Information, Msg::StatusTitle);
        for (QWidget *locked : { static_cast<QWidget *>(control<QComboBox>(w, "monthList")),
                 static_cast<QWidget *>(control<QLineEdit>(w, "yearBox")),
                 static_cast<QWidget *>(control<QCheckBox>(w, "dayCheck")),
                 static_cast<QWidget *>(control<QLineEdit>(w, "dayBox")) })
            EXPECT_FALSE(locked->isEnabled()) << locked->objectName().toStdString();
        EXPECT_FALSE(control<QCheckBox>(w, "dayCheck")->isChecked());
        // The choices themselves stay.
        EXPECT_EQ(control<QComboBox>(w, "monthList")->currentIndex(), 4);
        EXPECT_EQ(control<QLineEdit>(w, "yearBox")->text(), QStringLiteral("2023"));
        EXPECT_EQ(control<QLineEdit>(w, "dayBox")->text(), QStringLiteral("7"));

        // Unticked: month, year and the one-day box come back, the day box stays shut.
        click(control<QCheckBox>(w, "weekCheck"));
        EXPECT_EQ(boxes.count(), 2); // no message
        EXPECT_TRUE(control<QComboBox>(w, "monthList")->isEnabled());
        EXPECT_TRUE(control<QLineEdit>(w, "yearBox")->isEnabled());
        EXPECT_TRUE(control<QCheckBox>(w, "dayCheck")->isEnabled());
        EXPECT_FALSE(control<QCheckBox>(w, "dayCheck")->isChecked());
        EXPECT_FALSE(control<QLineEdit>(w, "dayBox")->isEnabled());

        // Unticking the one-day box shuts the day box without a word.
        click(control<QCheckBox>(w, "dayCheck"));
        EXPECT_EQ(boxes.count(), 3);
        click(control<QCheckBox>(w, "dayCheck"));
        EXPECT_EQ(boxes.count(), 3);
        EXPECT_FALSE(control<QLineEdit>(w, "dayBox")->isEnabled());
    });
}

TEST_F(PeriodBoxes, YearAndDayBoxesRefuseTheRightButtonAndNonDigits)
{
    withWindow([&](HistoryWindow *w) {
        click(control<QCheckBox>(w, "dayCheck"));
        boxes.clear();
        for (QLineEdit *box :
            { control<QLineEdit>(w, "yearBox"), control<QLineEdit>(w, "dayBox") }) {
            const QString before = box->text();
            QTest::mousePress(box, Qt::RightButton);
            QTest::mouseRelease(box, Qt::RightButton);
            ASSERT_EQ(boxes.count(), 1) << box->objectName().toStdString();
            expectMessage(boxes.last(), Msg::NoRightClick, MsgIcon::Warning, Msg::ErrorTitle);
            box->setFocus(Qt::OtherFocusReason);
            box->end(false);
            QTest::keyClicks(box, QStringLiteral("x"));
            ASSERT_EQ(boxes.count(), 2);
            expectMessage(boxes.last(), Msg::NumberOnly, MsgIcon::Warning, Msg::ErrorTitle);
            EXPECT_EQ(box->text(), before);
            boxes.clear();
        }
    });
}

// The user sales window has the week box, the month list and the year box only; its week box
// also clears the month choice.
TEST_F(PeriodBoxes, MonthAndYearOnlyWeekClearsTheMonth)
{
    QWidget host;
    auto *v = new QVBoxLayout(&host);
    auto *week = new QCheckBox(QStringLiteral(" แสดงยอดขายของสัปดาห์นี้"), &host);
    auto *month = new QComboBox(&host);
    auto *year = new QLineEdit(&host);
    for (QWidget *b : { static_cast<QWidget *>(week), static_cast<QWidget *>(month),
             static_cast<QWidget *>(year) })
        v->addWidget(b);
    PeriodControls period({ week, month, year }, PeriodControls::WeekRule::MonthYear, &host);
    period.fillCurrentYear();
    host.show();
    EXPECT_EQ(year->text(), QStringLiteral("2024"));
    month->setFocus();
    QTest::keyClick(month, Qt::Key_End); // the whole-year item
    EXPECT_EQ(month->currentIndex(), 12);

    QTest::mouseClick(week, Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 1);
    expectMessage(boxes.last(), Msg::WeekLocksMonthYear, MsgIcon::Information, Msg::StatusTitle);
    EXPECT_EQ(month->currentIndex(), -1);
    EXPECT_FALSE(month->isEnabled());
    EXPECT_FALSE(year->isEnabled());
    EXPECT_EQ(period.filter().kind(), PeriodFilter::Kind::Week);

    QTest::mouseClick(week, Qt::LeftButton);
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_TRUE(month->isEnabled());
    EXPECT_TRUE(year->isEnabled());
    EXPECT_EQ(month->currentIndex(), -1); // the next search asks for a month
    EXPECT_TRUE(period.refuseMissingMonth());
    expectMessage(boxes.last(), Msg::ChooseMonth, MsgIcon::Warning, Msg::StatusTitle);
}
