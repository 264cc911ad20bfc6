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
        EXPECT_FALSE(w->Check1->isChecked());
        EXPECT_EQ(w->Check1->text(), QStringLiteral(" สัปดาห์นี้"));
        EXPECT_FALSE(w->Combo1->isEditable());
        EXPECT_EQ(w->Combo1->currentIndex(), -1);
        QStringList items;
        for (int i = 0; i < w->Combo1->count(); ++i)
            items << w->Combo1->itemText(i);
        EXPECT_EQ(items,
            (QStringList { "  (01) มกราคม", "  (02) กุมภาพันธ์", "  (03) มีนาคม", "  (04) เมษายน",
                "  (05) พฤษภาคม", "  (06) มิถุนายน", "  (07) กรกฎาคม", "  (08) สิงหาคม",
                "  (09) กันยายน", "  (10) ตุลาคม", "  (11) พฤศจิกายน", "  (12) ธันวาคม",
                "  สรุปยอดรายปี" }));
        EXPECT_EQ(w->Text1->text(), QStringLiteral("2024"));
        EXPECT_EQ(w->Text1->maxLength(), 4);
        EXPECT_EQ(w->Frame3->title(), QStringLiteral("ปี (ค.ศ.)"));
        EXPECT_FALSE(w->Check2->isChecked());
        EXPECT_EQ(w->Frame2->title(), QStringLiteral("     วันที่"));
        EXPECT_EQ(w->text2->text(), QStringLiteral("0"));
        EXPECT_EQ(w->text2->maxLength(), 2);
        EXPECT_FALSE(w->text2->isEnabled());
    });
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(PeriodBoxes, EmptiedYearComesBackAsTheCurrentYearAndOtherYearsStayAsTyped)
{
    withWindow([&](HistoryWindow *w) {
        typeOver(w->Text1, QStringLiteral("25"));
        EXPECT_EQ(w->Text1->text(), QStringLiteral("25")); // short years are not corrected
        typeOver(w->Text1, QStringLiteral("2567"));
        EXPECT_EQ(w->Text1->text(), QStringLiteral("2567"));
        QTest::keyClick(w->Text1, Qt::Key_End);
        QStringList seen;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(w->Text1, Qt::Key_Backspace);
            seen << w->Text1->text();
        }
        EXPECT_EQ(seen, (QStringList { "256", "25", "2", "2024" }));
        // Past the four-character limit nothing more goes in.
        QTest::keyClicks(w->Text1, QStringLiteral("9"));
        EXPECT_EQ(w->Text1->text(), QStringLiteral("2024"));
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
        click(w->Check2);
        ASSERT_TRUE(w->text2->isEnabled());
        for (const Case &c : cases) {
            w->text2->setFocus(Qt::OtherFocusReason);
            w->text2->selectAll();
            for (const Key &k : c.keys) {
                QTest::keyClick(w->text2, k.key);
                EXPECT_EQ(w->text2->text(), QString::fromLatin1(k.after)) << c.name;
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
        typeOver(w->Text1, QStringLiteral("2023"));

        // One day: the day box opens, says so, and takes the focus with its text selected.
        click(w->Check2);
        ASSERT_EQ(boxes.count(), 1);
        expectMessage(boxes.last(), Msg::OneDayChosen, MsgIcon::Information, Msg::StatusTitle);
        EXPECT_TRUE(w->text2->isEnabled());
        EXPECT_TRUE(w->text2->hasFocus());
        EXPECT_EQ(w->text2->selectedText(), QStringLiteral("0"));
        QTest::keyClicks(w->text2, QStringLiteral("7"));

        // The week locks month, year and one day, unticks the one-day box and says so.
        click(w->Check1);
        ASSERT_EQ(boxes.count(), 2);
        expectMessage(
            boxes.last(), Msg::WeekLocksDayMonthYear, MsgIcon::Information, Msg::StatusTitle);
        for (QWidget *locked :
            { static_cast<QWidget *>(w->Combo1), static_cast<QWidget *>(w->Text1),
                static_cast<QWidget *>(w->Check2), static_cast<QWidget *>(w->text2) })
            EXPECT_FALSE(locked->isEnabled()) << locked->objectName().toStdString();
        EXPECT_FALSE(w->Check2->isChecked());
        // The choices themselves stay.
        EXPECT_EQ(w->Combo1->currentIndex(), 4);
        EXPECT_EQ(w->Text1->text(), QStringLiteral("2023"));
        EXPECT_EQ(w->text2->text(), QStringLiteral("7"));

        // Unticked: month, year and the one-day box come back, the day box stays shut.
        click(w->Check1);
        EXPECT_EQ(boxes.count(), 2); // no message
        EXPECT_TRUE(w->Combo1->isEnabled());
        EXPECT_TRUE(w->Text1->isEnabled());
        EXPECT_TRUE(w->Check2->isEnabled());
        EXPECT_FALSE(w->Check2->isChecked());
        EXPECT_FALSE(w->text2->isEnabled());

        // Unticking the one-day box shuts the day box without a word.
        click(w->Check2);
        EXPECT_EQ(boxes.count(), 3);
        click(w->Check2);
        EXPECT_EQ(boxes.count(), 3);
        EXPECT_FALSE(w->text2->isEnabled());
    });
}

TEST_F(PeriodBoxes, YearAndDayBoxesRefuseTheRightButtonAndNonDigits)
{
    withWindow([&](HistoryWindow *w) {
        click(w->Check2);
        boxes.clear();
        for (QLineEdit *box : { w->Text1, w->text2 }) {
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
