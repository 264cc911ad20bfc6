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
        EXPECT_TRUE(f->isNewProduct());
        for (QLineEdit *box : { codeBox(f), nameBox(f), descriptionBox(f), stockBox(f), costBox(f),
                 priceBox(f), lowStockLimitBox(f), specialPrice2Box(f), specialPrice1Box(f) }) {
            EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
            EXPECT_TRUE(box->isEnabled()) << box->objectName().toStdString();
        }
        EXPECT_EQ(wholesaleQuantityBox(f)->text(), "5");
        EXPECT_EQ(wholesalePriceBox(f)->text(), "0");
        // Back colours as the window opens.
        const std::pair<QWidget *, QColor> colours[] = {
            { codeBox(f), rgb(240, 240, 240) },
            { nameBox(f), rgb(240, 240, 240) },
            { descriptionBox(f), rgb(240, 240, 240) },
            { lowStockLimitBox(f), rgb(240, 240, 240) },
            { stockBox(f), rgb(219, 226, 224) },
            { costBox(f), rgb(219, 226, 224) },
            { priceBox(f), rgb(219, 226, 224) },
            { specialPrice2Box(f), rgb(212, 215, 170) },
            { specialPrice1Box(f), rgb(212, 215, 170) },
            { groupList(f), rgb(247, 249, 227) },
            { wholesaleQuantityBox(f), rgb(215, 159, 158) },
            { wholesalePriceBox(f), rgb(215, 159, 158) },
        };
        for (const auto &[w, c] : colours)
            EXPECT_EQ(base(w), c) << w->objectName().toStdString();
        EXPECT_FALSE(wholesaleQuantityBox(f)->isEnabled());
        EXPECT_FALSE(wholesalePriceBox(f)->isEnabled());
        EXPECT_FALSE(wholesaleSwitch(f)->isChecked());
        // Every lookup row in key order, the key-0 row included; no text chosen.
        EXPECT_EQ(items(groupList(f)), QStringList({ "-", "เครื่องดื่ม", "เครื่องเขียน", "ขนม" }));
        EXPECT_EQ(items(placeList(f)), QStringList({ "-", "ชั้น A" }));
        EXPECT_EQ(items(unitList(f)), QStringList({ "-", "ชิ้น", "แพ็ค", "Box" }));
        for (QComboBox *c : { groupList(f), placeList(f), unitList(f) })
            EXPECT_EQ(c->currentText(), "");
        EXPECT_TRUE(autoCodeSwitch(f)->isEnabled());
        EXPECT_FALSE(autoCodeSwitch(f)->isChecked());
        EXPECT_EQ(autoCodeSwitch(f)->text(), " สร้างรหัสสินค้าอัตโนมัติ");
        EXPECT_NEAR(leftTwips(autoCodeSwitch(f)), 5040, 15);
        EXPECT_FALSE(storedAutoCodeSwitch(f)->isChecked());
        EXPECT_FALSE(storedAutoCodeSwitch(f)->isVisibleTo(f));
        EXPECT_TRUE(removePictureButton(f)->Enabled());
        EXPECT_EQ(f->pictureFile(), "");
        EXPECT_EQ(pictureBox(f)->size(), QSize(Twips::toPixelsX(4815), Twips::toPixelsY(4095)));
        EXPECT_FALSE(pictureBox(f)->pixmap().isNull()); // the box's own placeholder
        EXPECT_EQ(f->focusWidget(), codeBox(f));
        // Centred across the screen, a third of the free height from the top (the frame's
        // own margins, unknown before it shows, may shift it by a few pixels).
        const QPoint want = WindowPlacement::position(
            f->frameGeometry().size(), f->screen()->geometry(), VerticalPlace::Third);
        EXPECT_NEAR(f->frameGeometry().left(), want.x(), 4);
        EXPECT_NEAR(f->frameGeometry().top(), want.y(), 4);
        EXPECT_EQ(saveButton(f)->Caption(), "  &บันทึกข้อมูล");
        EXPECT_EQ(addPictureButton(f)->Caption(), "[ เพิ่มรูปภาพ ]");
        EXPECT_EQ(removePictureButton(f)->Caption(), "[ ลบรูปภาพ ]");
        EXPECT_EQ(priceBox(f)->accessibleName(), "ราคาขายปกติ (บาท)");
        EXPECT_EQ(lowStockLimitBox(f)->accessibleName(), "เตือนเมื่อสินค้าเหลือน้อยกว่า");
        EXPECT_EQ(unitList(f)->accessibleName(), "หน่วยนับ");
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
        { 1, true, " คุณได้เลือกกำหนดรหัสเอง", false, "codeBox" },
        { 2, false, " คุณเปิดใช้รหัสอัตโนมัติแล้ว", true, "nameBox" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.pk);
        runEdit(c.pk, [&](ProductEditor *f) {
            EXPECT_FALSE(f->isNewProduct());
            EXPECT_EQ(f->productKey(), c.pk);
            EXPECT_EQ(f->windowTitle(), "เพิ่มข้อมูลสินค้า");
            EXPECT_EQ(codeBox(f)->isEnabled(), c.codeEnabled);
            EXPECT_FALSE(autoCodeSwitch(f)->isEnabled());
            EXPECT_FALSE(autoCodeSwitch(f)->isChecked());
            EXPECT_EQ(autoCodeSwitch(f)->text(), QString::fromUtf8(c.check2Caption));
            EXPECT_NEAR(leftTwips(autoCodeSwitch(f)), 4800, 15);
            EXPECT_EQ(storedAutoCodeSwitch(f)->isChecked(), c.check3);
            EXPECT_EQ(f->loadedCode(), codeBox(f)->text());
            EXPECT_EQ(f->focusWidget()->objectName(), QString::fromLatin1(c.firstFocus));
            saveScreenshot(f->grab(), QStringLiteral("ProductEditor-edit-%1.png").arg(c.pk));
        });
    }

    // The stored values: money as "0.00" without separators, whole numbers plain; the
    // wholesale boxes follow the stored switch.
    runEdit(1, [&](ProductEditor *f) {
        EXPECT_EQ(codeBox(f)->text(), "AB1");
        EXPECT_EQ(nameBox(f)->text(), "สบู่เหลว");
        EXPECT_EQ(descriptionBox(f)->text(), "กลิ่นมะลิ");
        EXPECT_EQ(stockBox(f)->text(), "50");
        EXPECT_EQ(lowStockLimitBox(f)->text(), "5");
        EXPECT_EQ(priceBox(f)->text(), "120.00");
        EXPECT_EQ(costBox(f)->text(), "80.00");
        EXPECT_EQ(specialPrice1Box(f)->text(), "110.00");
        EXPECT_EQ(specialPrice2Box(f)->text(), "100.00");
        EXPECT_TRUE(wholesaleSwitch(f)->isChecked());
        EXPECT_EQ(wholesaleQuantityBox(f)->text(), "3");
        EXPECT_EQ(wholesalePriceBox(f)->text(), "90.00");
        EXPECT_TRUE(wholesaleQuantityBox(f)->isEnabled());
        EXPECT_EQ(base(wholesaleQuantityBox(f)), rgb(219, 226, 224));
        EXPECT_EQ(groupList(f)->currentText(), "เครื่องดื่ม");
        EXPECT_EQ(placeList(f)->currentText(), "ชั้น A");
        EXPECT_EQ(unitList(f)->currentText(), "ชิ้น");
    });
    runEdit(2, [&](ProductEditor *f) {
        EXPECT_EQ(priceBox(f)->text(), "12.50");
        EXPECT_EQ(costBox(f)->text(), "1234.50");
        EXPECT_EQ(specialPrice1Box(f)->text(), "0.00");
        EXPECT_EQ(
            specialPrice2Box(f)->text(), "123456.75"); // longer than the box takes, shown whole
        EXPECT_FALSE(wholesaleSwitch(f)->isChecked());
        EXPECT_FALSE(wholesaleQuantityBox(f)->isEnabled());
        EXPECT_EQ(base(wholesaleQuantityBox(f)), rgb(215, 159, 158));
        EXPECT_EQ(wholesaleQuantityBox(f)->text(), ""); // no stored quantity
        EXPECT_EQ(groupList(f)->currentText(), "-");
        // Typing into the over-long box adds nothing.
        specialPrice2Box(f)->setEnabled(true);
        specialPrice2Box(f)->setFocus();
        QTest::keyClick(specialPrice2Box(f), Qt::Key_End);
        QTest::keyClick(specialPrice2Box(f), Qt::Key_5);
        EXPECT_EQ(specialPrice2Box(f)->text(), "123456.75");
        // A box at its limit takes no more.
        retype(priceBox(f), "12345678");
        EXPECT_EQ(priceBox(f)->text(), "1234567");
    });
}

TEST_F(EditorWindow, EnterMovesAsTheTableSays)
{
    runNew([&](ProductEditor *f) {
        wholesaleSwitch(f)->setChecked(true); // the wholesale boxes take the focus only when on
        const std::pair<QWidget *, QWidget *> moves[] = {
            { codeBox(f), nameBox(f) },
            { nameBox(f), descriptionBox(f) },
            { descriptionBox(f), stockBox(f) },
            { stockBox(f), priceBox(f) },
            { priceBox(f), costBox(f) },
            { costBox(f), lowStockLimitBox(f) },
            { lowStockLimitBox(f), lowStockLimitBox(f) },
            { specialPrice1Box(f), specialPrice2Box(f) },
            { specialPrice2Box(f), lowStockLimitBox(f) },
            { wholesaleQuantityBox(f), wholesalePriceBox(f) },
            { wholesalePriceBox(f), lowStockLimitBox(f) },
            { unitList(f), unitList(f) },
        };
        for (const auto &[from, to] : moves) {
            from->setFocus();
            QTest::keyClick(
                QApplication::focusWidget() ? QApplication::focusWidget() : from, Qt::Key_Return);
            EXPECT_EQ(f->focusWidget(), to) << from->objectName().toStdString();
        }
        EXPECT_EQ(lowStockLimitBox(f)->text(), ""); // Enter types nothing
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(boxes.count(), 0);
        // Tab follows the window's order, passing over what is disabled.
        wholesaleSwitch(f)->setChecked(false);
        costBox(f)->setFocus();
        QTest::keyClick(costBox(f), Qt::Key_Tab);
        EXPECT_EQ(f->focusWidget(), lowStockLimitBox(f));
        wholesaleSwitch(f)->setFocus();
        QTest::keyClick(wholesaleSwitch(f), Qt::Key_Tab);
        EXPECT_EQ(f->focusWidget(), autoCodeSwitch(f));
    });
}

TEST_F(EditorWindow, KeyFiltersRightButtonAndKeyboard)
{
    runNew([&](ProductEditor *f) {
        // Digits-only and digits-and-point boxes.
        type(stockBox(f), "1a2.");
        EXPECT_EQ(stockBox(f)->text(), "12");
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.shown[0].text, "ช่องนี้ กรอกได้แค่ ( ตัวเลข ) เท่านั้น !!");
        EXPECT_EQ(boxes.shown[0].title, "รายงานความผิดพลาด");
        boxes.clear();
        type(priceBox(f), "1.5x.");
        EXPECT_EQ(priceBox(f)->text(), "1.5.");
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "ช่องนี้ กรอกได้แค่ (ตัวเลข) เท่านั้น !!");
        boxes.clear();
        type(nameBox(f), "a'%*1");
        EXPECT_EQ(nameBox(f)->text(), "a'%*1"); // the name takes every key
        EXPECT_EQ(boxes.count(), 0);

        // The right button in a number box is refused; in the name box it is not.
        QTest::mousePress(specialPrice1Box(f), Qt::RightButton);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "ห้ามคลิกขวาในช่องนี้ !!");
        EXPECT_EQ(boxes.last().title, "รายงานความผิดพลาด");
        QTest::mousePress(nameBox(f), Qt::RightButton);
        EXPECT_EQ(boxes.count(), 1);

        // Entering the code or a number box asks for US English; the name box does not.
        const std::pair<QWidget *, bool> entries[] = { { nameBox(f), false }, { codeBox(f), true },
            { descriptionBox(f), false }, { lowStockLimitBox(f), true }, { groupList(f), false },
            { specialPrice1Box(f), true } };
        for (const auto &[box, english] : entries) {
            wholesaleSwitch(f)->setFocus();
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
        QComboBox *c = groupList(f);
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
        unitList(f)->setFocus();
        keys(unitList(f)->lineEdit(), "b");
        EXPECT_EQ(unitList(f)->currentText(), "Box");
        EXPECT_EQ(unitList(f)->lineEdit()->selectedText(), "ox");

        // At its bound a list drops every key but Backspace, without a message.
        placeList(f)->setFocus();
        keys(placeList(f)->lineEdit(), QString(45, QLatin1Char('z')));
        keys(placeList(f)->lineEdit(), "zz");
        EXPECT_EQ(placeList(f)->currentText(), QString(45, QLatin1Char('z')));
        QTest::keyClick(placeList(f)->lineEdit(), Qt::Key_Backspace);
        EXPECT_EQ(placeList(f)->currentText().size(), 44);
        unitList(f)->setFocus();
        unitList(f)->setEditText(QString());
        keys(unitList(f)->lineEdit(), QString(25, QLatin1Char('q')));
        EXPECT_EQ(unitList(f)->currentText().size(), 19);
        EXPECT_EQ(boxes.count(), 0);
    });
}

TEST_F(EditorWindow, AutomaticCodeSwitchLocksAndFreesTheCodeBox)
{
    runNew([&](ProductEditor *f) {
        type(codeBox(f), "X1");
        click(autoCodeSwitch(f));
        EXPECT_TRUE(autoCodeSwitch(f)->isChecked());
        EXPECT_FALSE(codeBox(f)->isEnabled());
        EXPECT_EQ(codeBox(f)->text(), "ระบบอัตโนมัติ");
        EXPECT_EQ(base(codeBox(f)), rgb(42, 152, 208));
        EXPECT_EQ(f->focusWidget(), nameBox(f));
        click(autoCodeSwitch(f));
        EXPECT_TRUE(codeBox(f)->isEnabled());
        EXPECT_EQ(codeBox(f)->text(), "");
        EXPECT_EQ(base(codeBox(f)), rgb(240, 240, 240));
        EXPECT_EQ(f->focusWidget(), codeBox(f));
        // The wholesale switch frees and locks its two boxes, keeping their texts.
        click(wholesaleSwitch(f));
        EXPECT_TRUE(wholesaleQuantityBox(f)->isEnabled());
        EXPECT_EQ(base(wholesalePriceBox(f)), rgb(219, 226, 224));
        retype(wholesaleQuantityBox(f), "12");
        click(wholesaleSwitch(f));
        EXPECT_FALSE(wholesaleQuantityBox(f)->isEnabled());
        EXPECT_EQ(base(wholesalePriceBox(f)), rgb(215, 159, 158));
        EXPECT_EQ(wholesaleQuantityBox(f)->text(), "12");
    });
}

TEST_F(EditorWindow, EscDoesNotCloseAndTheCloseBoxWritesNothing)
{
    const QStringList before = dump();
    const bool saved = runEdit(1, [&](ProductEditor *f) {
        retype(priceBox(f), "99");
        retype(nameBox(f), "อื่น");
        QTest::keyClick(nameBox(f), Qt::Key_Escape);
        EXPECT_TRUE(f->isVisible());
        click(removePictureButton(f));
        f->reject();
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(dump(), before);
}
