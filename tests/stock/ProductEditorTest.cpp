#include "EditorFixture.h"
#include "support/Screenshots.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScreen>

namespace {
QColor rgb(int r, int g, int b)
{
    return QColor(r, g, b);
}
QStringList items(QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}
} // namespace

class EditorWindow : public EditorFixture
{
};

TEST_F(EditorWindow, NewModeOpensEmptyWithFullListsAndFocusInTheCode)
{
    bool ran = false;
    const bool saved = runNew([&](ProductEditor *f) {
        ran = true;
        EXPECT_EQ(f->windowTitle(), "เพิ่มข้อมูลสินค้า");
        EXPECT_EQ(f->palette().color(QPalette::Window), rgb(219, 226, 224));
        EXPECT_TRUE(f->IsNewItem);
        for (QLineEdit *box : { f->txtsn, f->txtname, f->txtdes, f->txt3, f->txt4, f->txt5, f->txt6,
                 f->text3, f->text4 }) {
            EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
            EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
        }
        EXPECT_EQ(f->Text1->text(), "5");
        EXPECT_EQ(f->text2->text(), "0");
        // Back colours as the window opens.
        const std::pair<QWidget *, QColor> colours[] = {
            { f->txtsn, rgb(240, 240, 240) },
            { f->txtname, rgb(240, 240, 240) },
            { f->txtdes, rgb(240, 240, 240) },
            { f->txt6, rgb(240, 240, 240) },
            { f->txt3, rgb(219, 226, 224) },
            { f->txt4, rgb(219, 226, 224) },
            { f->txt5, rgb(219, 226, 224) },
            { f->text3, rgb(212, 215, 170) },
            { f->text4, rgb(212, 215, 170) },
            { f->Combo1, rgb(247, 249, 227) },
            { f->Text1, rgb(215, 159, 158) },
            { f->text2, rgb(215, 159, 158) },
        };
        for (const auto &[w, c] : colours)
            EXPECT_EQ(base(w), c) << w->objectName().toStdString();
        EXPECT_FALSE(f->Text1->isEnabled());
        EXPECT_FALSE(f->text2->isEnabled());
        EXPECT_FALSE(f->Check1->isChecked());
        // Every lookup row in key order, the key-0 row included; no text chosen.
        EXPECT_EQ(items(f->Combo1), QStringList({ "-", "เครื่องดื่ม", "เครื่องเขียน", "ขนม" }));
        EXPECT_EQ(items(f->Combo2), QStringList({ "-", "ชั้น A" }));
        EXPECT_EQ(items(f->Combo3), QStringList({ "-", "ชิ้น", "แพ็ค", "Box" }));
        for (QComboBox *c : { f->Combo1, f->Combo2, f->Combo3 })
            EXPECT_EQ(c->currentText(), "");
        EXPECT_TRUE(f->Check2->isEnabled());
        EXPECT_FALSE(f->Check2->isChecked());
        EXPECT_EQ(f->Check2->text(), " สร้างรหัสสินค้าอัตโนมัติ");
        EXPECT_NEAR(leftTwips(f->Check2), 5040, 15);
        EXPECT_FALSE(f->Check3->isChecked());
        EXPECT_FALSE(f->Check3->isVisibleTo(f));
        EXPECT_TRUE(f->cdelP->Enabled());
        EXPECT_EQ(f->PictureFile, "");
        EXPECT_EQ(f->Image2->size(), QSize(Twips::toPixelsX(4815), Twips::toPixelsY(4095)));
        EXPECT_FALSE(f->Image2->pixmap().isNull()); // the box's own placeholder
        EXPECT_EQ(f->focusWidget(), f->txtsn);
        // Centred across the screen, a third of the free height from the top (the frame's
        // own margins, unknown before it shows, may shift it by a few pixels).
        const QPoint want = WindowPlacement::position(
            f->frameGeometry().size(), f->screen()->geometry(), VerticalPlace::Third);
        EXPECT_NEAR(f->frameGeometry().left(), want.x(), 4);
        EXPECT_NEAR(f->frameGeometry().top(), want.y(), 4);
        EXPECT_EQ(f->Command1->Caption(), "  &บันทึกข้อมูล");
        EXPECT_EQ(f->cupP->Caption(), "[ เพิ่มรูปภาพ ]");
        EXPECT_EQ(f->cdelP->Caption(), "[ ลบรูปภาพ ]");
        EXPECT_EQ(f->txt5->accessibleName(), "ราคาขายปกติ (บาท)");
        EXPECT_EQ(f->txt6->accessibleName(), "เตือนเมื่อสินค้าเหลือน้อยกว่า");
        EXPECT_EQ(f->Combo3->accessibleName(), "หน่วยนับ");
        saveScreenshot(f->grab(), "ProductEditor-new.png");
        f->reject(); // the close box
    });
    EXPECT_TRUE(ran);
    EXPECT_FALSE(saved);
    EXPECT_EQ(count("SELECT count(*) FROM tblProduct"), 3);
}

TEST_F(EditorWindow, EditModeShowsTheStoredProductByCodeKind)
{
    struct Case
    {
        int pk;
        bool codeEnabled;
        const char *check2Caption;
        bool check3;
        const char *firstFocus;
    };
    const Case cases[] = {
        { 1, true, " คุณได้เลือกกำหนดรหัสเอง", false, "txtsn" },
        { 2, false, " คุณเปิดใช้รหัสอัตโนมัติแล้ว", true, "txtname" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pk);
        runEdit(c.pk, [&](ProductEditor *f) {
            EXPECT_FALSE(f->IsNewItem);
            EXPECT_EQ(f->ProductPK, c.pk);
            EXPECT_EQ(f->windowTitle(), "เพิ่มข้อมูลสินค้า");
            EXPECT_EQ(f->txtsn->isEnabled(), c.codeEnabled);
            EXPECT_FALSE(f->Check2->isEnabled());
            EXPECT_FALSE(f->Check2->isChecked());
            EXPECT_EQ(f->Check2->text(), QString::fromUtf8(c.check2Caption));
            EXPECT_NEAR(leftTwips(f->Check2), 4800, 15);
            EXPECT_EQ(f->Check3->isChecked(), c.check3);
            EXPECT_EQ(f->txtsnTag, f->txtsn->text());
            EXPECT_EQ(f->focusWidget()->objectName(), QString::fromLatin1(c.firstFocus));
            saveScreenshot(f->grab(), QStringLiteral("ProductEditor-edit-%1.png").arg(c.pk));
        });
    }

    // The stored values: money as "0.00" without separators, whole numbers plain; the
    // wholesale boxes follow the stored switch.
    runEdit(1, [&](ProductEditor *f) {
        EXPECT_EQ(f->txtsn->text(), "AB1");
        EXPECT_EQ(f->txtname->text(), "สบู่เหลว");
        EXPECT_EQ(f->txtdes->text(), "กลิ่นมะลิ");
        EXPECT_EQ(f->txt3->text(), "50");
        EXPECT_EQ(f->txt6->text(), "5");
        EXPECT_EQ(f->txt5->text(), "120.00");
        EXPECT_EQ(f->txt4->text(), "80.00");
        EXPECT_EQ(f->text4->text(), "110.00");
        EXPECT_EQ(f->text3->text(), "100.00");
        EXPECT_TRUE(f->Check1->isChecked());
        EXPECT_EQ(f->Text1->text(), "3");
        EXPECT_EQ(f->text2->text(), "90.00");
        EXPECT_TRUE(f->Text1->isEnabled());
        EXPECT_EQ(base(f->Text1), rgb(219, 226, 224));
        EXPECT_EQ(f->Combo1->currentText(), "เครื่องดื่ม");
        EXPECT_EQ(f->Combo2->currentText(), "ชั้น A");
        EXPECT_EQ(f->Combo3->currentText(), "ชิ้น");
    });
    runEdit(2, [&](ProductEditor *f) {
        EXPECT_EQ(f->txt5->text(), "12.50");
        EXPECT_EQ(f->txt4->text(), "1234.50");
        EXPECT_EQ(f->text4->text(), "0.00");
        EXPECT_EQ(f->text3->text(), "123456.75"); // longer than the box takes, shown whole
        EXPECT_FALSE(f->Check1->isChecked());
        EXPECT_FALSE(f->Text1->isEnabled());
        EXPECT_EQ(base(f->Text1), rgb(215, 159, 158));
        EXPECT_EQ(f->Text1->text(), ""); // no stored quantity
        EXPECT_EQ(f->Combo1->currentText(), "-");
        // Typing into the over-long box adds nothing.
        f->text3->setEnabled(true);
        f->text3->setFocus();
        QTest::keyClick(f->text3, Qt::Key_End);
        QTest::keyClick(f->text3, Qt::Key_5);
        EXPECT_EQ(f->text3->text(), "123456.75");
        // A box at its limit takes no more.
        retype(f->txt5, "12345678");
        EXPECT_EQ(f->txt5->text(), "1234567");
    });
}

TEST_F(EditorWindow, EnterMovesAsTheTableSays)
{
    runNew([&](ProductEditor *f) {
        f->Check1->setChecked(true); // the wholesale boxes take the focus only when on
        const std::pair<QWidget *, QWidget *> moves[] = {
            { f->txtsn, f->txtname },
            { f->txtname, f->txtdes },
            { f->txtdes, f->txt3 },
            { f->txt3, f->txt5 },
            { f->txt5, f->txt4 },
            { f->txt4, f->txt6 },
            { f->txt6, f->txt6 },
            { f->text4, f->text3 },
            { f->text3, f->txt6 },
            { f->Text1, f->text2 },
            { f->text2, f->txt6 },
            { f->Combo3, f->Combo3 },
        };
        for (const auto &[from, to] : moves) {
            from->setFocus();
            QTest::keyClick(
                QApplication::focusWidget() ? QApplication::focusWidget() : from, Qt::Key_Return);
            EXPECT_EQ(f->focusWidget(), to) << from->objectName().toStdString();
        }
        EXPECT_EQ(f->txt6->text(), ""); // Enter types nothing
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(boxes.count(), 0);
        // Tab follows the window's order, passing over what is disabled.
        f->Check1->setChecked(false);
        f->txt4->setFocus();
        QTest::keyClick(f->txt4, Qt::Key_Tab);
        EXPECT_EQ(f->focusWidget(), f->txt6);
        f->Check1->setFocus();
        QTest::keyClick(f->Check1, Qt::Key_Tab);
        EXPECT_EQ(f->focusWidget(), f->Check2);
    });
}

TEST_F(EditorWindow, KeyFiltersRightButtonAndKeyboard)
{
    runNew([&](ProductEditor *f) {
        // Digits-only and digits-and-point boxes.
        type(f->txt3, "1a2.");
        EXPECT_EQ(f->txt3->text(), "12");
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.shown[0].text, "ช่องนี้ กรอกได้แค่ ( ตัวเลข ) เท่านั้น !!");
        EXPECT_EQ(boxes.shown[0].title, "รายงานความผิดพลาด");
        boxes.clear();
        type(f->txt5, "1.5x.");
        EXPECT_EQ(f->txt5->text(), "1.5.");
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "ช่องนี้ กรอกได้แค่ (ตัวเลข) เท่านั้น !!");
        boxes.clear();
        type(f->txtname, "a'%*1");
        EXPECT_EQ(f->txtname->text(), "a'%*1"); // the name takes every key
        EXPECT_EQ(boxes.count(), 0);

        // The right button in a number box is refused; in the name box it is not.
        QTest::mousePress(f->text4, Qt::RightButton);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "ห้ามคลิกขวาในช่องนี้ !!");
        EXPECT_EQ(boxes.last().title, "รายงานความผิดพลาด");
        QTest::mousePress(f->txtname, Qt::RightButton);
        EXPECT_EQ(boxes.count(), 1);

        // Entering the code or a number box asks for US English; the name box does not.
        const std::pair<QWidget *, bool> entries[] = { { f->txtname, false }, { f->txtsn, true },
            { f->txtdes, false }, { f->txt6, true }, { f->Combo1, false }, { f->text4, true } };
        for (const auto &[box, english] : entries) {
            f->Check1->setFocus();
            keyboard.current = "th";
            keyboard.activations.clear();
            box->setFocus();
            EXPECT_EQ(keyboard.activations, english ? QStringList { "us" } : QStringList {})
                << box->objectName().toStdString();
        }
    });
}

TEST_F(EditorWindow, TypeAheadCompletesFromTheList)
{
    runNew([&](ProductEditor *f) {
        QComboBox *c = f->Combo1;
        QLineEdit *e = c->lineEdit();
        c->setFocus();
        // The first character of an entry fills in the entry, the untyped rest selected.
        keys(e, "เ");
        EXPECT_EQ(e->text(), "เครื่องดื่ม");
        EXPECT_EQ(e->selectedText(), "ครื่องดื่ม");
        EXPECT_EQ(c->currentIndex(), 1);
        // The next character keeps the completion and moves the caret on by one.
        keys(e, "ค");
        EXPECT_EQ(e->text(), "เครื่องดื่ม");
        EXPECT_EQ(e->selectionStart(), 2);
        EXPECT_EQ(e->selectedText(), "รื่องดื่ม");
        // Backspace deletes the selected rest and the character before it.
        QTest::keyClick(e, Qt::Key_Backspace);
        EXPECT_EQ(e->text(), "เ");
        // Continuing to the second entry.
        keys(e, "ครื่องเ");
        EXPECT_EQ(e->text(), "เครื่องเขียน");
        EXPECT_EQ(e->selectedText(), "ขียน");
        // Enter removes the offered rest and moves nothing.
        QTest::keyClick(e, Qt::Key_Return);
        EXPECT_EQ(e->text(), "เครื่องเ");
        EXPECT_EQ(f->focusWidget(), c);
        // A character that continues no entry is typed as it is.
        keys(e, "X");
        EXPECT_EQ(e->text(), "เครื่องเX");
        EXPECT_EQ(c->count(), 4); // a typed name is not added to the list

        // Letter case does not matter; the list's own spelling is taken.
        f->Combo3->setFocus();
        keys(f->Combo3->lineEdit(), "b");
        EXPECT_EQ(f->Combo3->currentText(), "Box");
        EXPECT_EQ(f->Combo3->lineEdit()->selectedText(), "ox");

        // At its bound a list drops every key but Backspace, without a message.
        f->Combo2->setFocus();
        keys(f->Combo2->lineEdit(), QString(45, QLatin1Char('z')));
        keys(f->Combo2->lineEdit(), "zz");
        EXPECT_EQ(f->Combo2->currentText(), QString(45, QLatin1Char('z')));
        QTest::keyClick(f->Combo2->lineEdit(), Qt::Key_Backspace);
        EXPECT_EQ(f->Combo2->currentText().size(), 44);
        f->Combo3->setFocus();
        f->Combo3->setEditText(QString());
        keys(f->Combo3->lineEdit(), QString(25, QLatin1Char('q')));
        EXPECT_EQ(f->Combo3->currentText().size(), 19);
        EXPECT_EQ(boxes.count(), 0);
    });
}

TEST_F(EditorWindow, AutomaticCodeSwitchLocksAndFreesTheCodeBox)
{
    runNew([&](ProductEditor *f) {
        type(f->txtsn, "X1");
        click(f->Check2);
        EXPECT_TRUE(f->Check2->isChecked());
        EXPECT_FALSE(f->txtsn->isEnabled());
        EXPECT_EQ(f->txtsn->text(), "ระบบอัตโนมัติ");
        EXPECT_EQ(base(f->txtsn), rgb(42, 152, 208));
        EXPECT_EQ(f->focusWidget(), f->txtname);
        click(f->Check2);
        EXPECT_TRUE(f->txtsn->isEnabled());
        EXPECT_EQ(f->txtsn->text(), "");
        EXPECT_EQ(base(f->txtsn), rgb(240, 240, 240));
        EXPECT_EQ(f->focusWidget(), f->txtsn);
        // The wholesale switch frees and locks its two boxes, keeping their texts.
        click(f->Check1);
        EXPECT_TRUE(f->Text1->isEnabled());
        EXPECT_EQ(base(f->text2), rgb(219, 226, 224));
        retype(f->Text1, "12");
        click(f->Check1);
        EXPECT_FALSE(f->Text1->isEnabled());
        EXPECT_EQ(base(f->text2), rgb(215, 159, 158));
        EXPECT_EQ(f->Text1->text(), "12");
    });
}

TEST_F(EditorWindow, EscDoesNotCloseAndTheCloseBoxWritesNothing)
{
    const QStringList before = dump();
    const bool saved = runEdit(1, [&](ProductEditor *f) {
        retype(f->txt5, "99");
        retype(f->txtname, "อื่น");
        QTest::keyClick(f->txtname, Qt::Key_Escape);
        EXPECT_TRUE(f->isVisible());
        click(f->cdelP);
        f->reject();
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(dump(), before);
}
