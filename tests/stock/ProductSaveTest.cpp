#include "EditorFixture.h"
#include "platform/ui/Clock.h"

namespace {
struct HookGuard
{
    ~HookGuard() { Connection::setStatementHook(nullptr); }
};
} // namespace

class ProductSave : public EditorFixture
{
protected:
    QVariant column(int pk, const char *col)
    {
        return value(
            QStringLiteral("SELECT %1 FROM tblProduct WHERE PK = ?1").arg(QLatin1String(col)),
            { pk });
    }
    qint64 counter() { return count("SELECT numA FROM tblNumber WHERE nPK = 3"); }
};

TEST_F(ProductSave, ChecksInOrderWithTheirMessagesAndFocus)
{
    struct Case
    {
        const char *code, *name, *price;
        const char *message;
        const char *focus;
        const char *codeAfter; // the code box after the refusal
    };
    const char *codeEmpty = "กรุณาระบุ ( รหัสสินค้า (บาร์โค้ด) ) ที่ต้องการ  ก่อนเริ่มบันทึก";
    const char *prefix = "ในการระบุ รหัสเอง ไม่สามารถ มีคำว่า ( PD- ) ได้ โปรดตั้งเป็นอย่างอื่น  ....";
    const char *nameEmpty = "กรุณาระบุ ( ชื่อสินค้า ) ที่ต้องการ  ก่อนเริ่มบันทึก";
    const char *priceEmpty = "กรุณาระบุ ( ราคาขายปกติ ) ที่ต้องการ  ก่อนเริ่มบันทึก";
    const Case cases[] = {
        { "", "", "", codeEmpty, "codeBox", "" },
        { "   ", "น้ำ", "5", codeEmpty, "codeBox", "   " },
        { "'%*", "น้ำ", "5", codeEmpty, "codeBox", "'%*" }, // nothing left after cleaning
        { "XPD-1", "", "", prefix, "codeBox", "" },
        { "1pd-", "น้ำ", "5", prefix, "codeBox", "" },
        { "P'D-9", "น้ำ", "5", prefix, "codeBox", "" }, // the prefix once cleaned
        { "Pd-1", "", "5", nameEmpty, "nameBox", "Pd-1" }, // other letter cases pass
        { "N1", " %* ", "5", nameEmpty, "nameBox", "N1" },
        { "N1", "น้ำ", "", priceEmpty, "priceBox", "N1" },
        { "N1", "น้ำ", ".", priceEmpty, "priceBox", "N1" },
        { "N1", "น้ำ", "1.2.3", "ช่อง ( ราคาขายปกติ (บาท) ) ต้องเป็นตัวเลขที่ถูกต้อง กรุณาแก้ไข  ก่อนเริ่มบันทึก",
            "priceBox", "N1" },
        { "ab1", "น้ำ", "5", "มี รหัสสินค้า [  ab1  ] อยู่ในระบบแล้ว กรุณาแก้ไขใหม่..", "codeBox", "ab1" },
        { " A'B1 ", "น้ำ", "5", "มี รหัสสินค้า [  AB1  ] อยู่ในระบบแล้ว กรุณาแก้ไขใหม่..", "codeBox",
            " A'B1 " },
    };
    const QStringList before = dump();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code + std::string(" / ") + c.price);
        boxes.clear();
        const bool saved = runNew([&](ProductEditor *f) {
            fillNew(f, QString::fromUtf8(c.code), QString::fromUtf8(c.name),
                QString::fromUtf8(c.price));
            click(saveButton(f));
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_EQ(boxes.last().text, QString::fromUtf8(c.message));
            EXPECT_EQ(boxes.last().title, "รายงานสถานะ");
            EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
            EXPECT_EQ(boxes.last().buttons, MsgButtons::Ok);
            EXPECT_EQ(f->focusWidget()->objectName(), QString::fromLatin1(c.focus));
            EXPECT_EQ(codeBox(f)->text(), QString::fromUtf8(c.codeAfter));
            EXPECT_TRUE(f->isVisible());
        });
        EXPECT_FALSE(saved);
    }
    EXPECT_EQ(dump(), before);

    // A bad number in a box the defaults leave alone is named too, and its box gets the focus.
    boxes.clear();
    runEdit(1, [&](ProductEditor *f) {
        lowStockLimitBox(f)->setText("1-2");
        click(saveButton(f));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text,
            "ช่อง ( เตือนเมื่อสินค้าเหลือน้อยกว่า ) ต้องเป็นตัวเลขที่ถูกต้อง กรุณาแก้ไข  ก่อนเริ่มบันทึก");
        EXPECT_EQ(f->focusWidget(), lowStockLimitBox(f));
    });
    EXPECT_EQ(dump(), before);
}

// A refused normal price is not copied into the boxes the owner left empty: once mended, the
// save goes through with the defaults taken from the mended price, the wholesale switch off.
TEST_F(ProductSave, ABadPriceIsRefusedBeforeAnyDefaultIsCopied)
{
    boxes.answer(MsgResult::Ok);
    const bool saved = runNew([&](ProductEditor *f) {
        fillNew(f, "BAD1", "น้ำ", "1.2.3");
        ASSERT_FALSE(wholesaleSwitch(f)->isChecked());
        QLineEdit *const others[]
            = { stockBox(f), costBox(f), lowStockLimitBox(f), wholesaleQuantityBox(f),
                  wholesalePriceBox(f), specialPrice2Box(f), specialPrice1Box(f) };
        QStringList before;
        for (QLineEdit *box : others)
            before << box->text();
        click(saveButton(f));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(
            boxes.last().text, "ช่อง ( ราคาขายปกติ (บาท) ) ต้องเป็นตัวเลขที่ถูกต้อง กรุณาแก้ไข  ก่อนเริ่มบันทึก");
        EXPECT_EQ(f->focusWidget(), priceBox(f));
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(others[i]->text(), before[i]) << qPrintable(others[i]->objectName());
        retype(priceBox(f), "12");
        click(saveButton(f)); // the confirmation only, then the save
        EXPECT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.last().text, "คุณแน่ใจหรือไม่ ว่าต้องการ บันทึกข้อมูล สินค้า นี้!!");
    });
    EXPECT_TRUE(saved);
    const int pk = value("SELECT PK FROM tblProduct WHERE PDsn = 'BAD1'").toInt();
    ASSERT_GT(pk, 0);
    for (const char *col : { "PDsell", "Praka1", "Praka2", "PRakaSong" })
        EXPECT_EQ(column(pk, col).toDouble(), 12.0) << col;
}

TEST_F(ProductSave, DefaultsAreWrittenIntoTheBoxesAndStored)
{
    struct Case
    {
        const char *price, *stock, *cost, *limit, *qty, *wholesalePrice, *special2, *special1;
        // Boxes after the defaults, in the same order.
        const char *after[8];
    };
    const Case cases[] = {
        { "25", "", "", "", "", "", "", "", { "25", "0", "0", "0", "5", "25", "25", "25" } },
        { "0.", "7", "0.00", "3", "0", "0", ".", "0.00",
            { "0.", "7", "0", "3", "5", "0.", "0.", "0." } },
        { "30", "", "", "", "00", "0.0", "12", "0",
            { "30", "0", "0", "0", "00", "30", "12", "30" } },
        { "19.5", "4", ".", "1", "8", "17", "18", "00",
            { "19.5", "4", "0", "1", "8", "17", "18", "19.5" } },
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(n);
        const QString code = QStringLiteral("DEF%1").arg(++n);
        boxes.answer(MsgResult::Cancel); // the first confirmation is cancelled
        const bool saved = runNew([&](ProductEditor *f) {
            fillNew(f, code, "ทดสอบ", QString::fromUtf8(c.price));
            wholesaleSwitch(f)->setChecked(true);
            QLineEdit *order[] = { priceBox(f), stockBox(f), costBox(f), lowStockLimitBox(f),
                wholesaleQuantityBox(f), wholesalePriceBox(f), specialPrice2Box(f),
                specialPrice1Box(f) };
            const char *typed[] = { c.price, c.stock, c.cost, c.limit, c.qty, c.wholesalePrice,
                c.special2, c.special1 };
            for (int i = 1; i < 8; ++i)
                retype(order[i], QString::fromUtf8(typed[i]));
            wholesaleSwitch(f)->setChecked(false); // the defaults apply whatever the switch
            boxes.clear();
            click(saveButton(f));
            ASSERT_EQ(boxes.count(), 1) << boxes.last().text.toStdString();
            EXPECT_EQ(boxes.last().text, "คุณแน่ใจหรือไม่ ว่าต้องการ บันทึกข้อมูล สินค้า นี้!!");
            EXPECT_EQ(boxes.last().title, "ยืนยันการบันทึก");
            EXPECT_EQ(boxes.last().buttons, MsgButtons::OkCancel);
            EXPECT_EQ(boxes.last().defaultButton, MsgResult::Ok);
            EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
            EXPECT_TRUE(f->isVisible()); // cancelled: open, the defaults kept
            for (int i = 0; i < 8; ++i)
                EXPECT_EQ(order[i]->text(), QString::fromUtf8(c.after[i]))
                    << order[i]->objectName().toStdString();
            click(saveButton(f)); // every check again, then OK
        });
        EXPECT_TRUE(saved);
        const int pk = value("SELECT PK FROM tblProduct WHERE PDsn = ?1", { code }).toInt();
        ASSERT_GT(pk, 0);
        auto num = [&](const char *col) { return column(pk, col).toDouble(); };
        const auto want = [&](int i) { return QString::fromUtf8(c.after[i]).toDouble(); };
        EXPECT_EQ(num("PDsell"), want(0));
        EXPECT_EQ(num("PDvalue"), want(1));
        EXPECT_EQ(num("PDraka"), want(2));
        EXPECT_EQ(num("PDerror"), want(3));
        EXPECT_EQ(num("PNumSong"), want(4));
        EXPECT_EQ(num("PRakaSong"), want(5));
        EXPECT_EQ(num("Praka2"), want(6));
        EXPECT_EQ(num("Praka1"), want(7));
        EXPECT_EQ(column(pk, "PSong").toInt(), 0);
        EXPECT_EQ(column(pk, "typeof(PDsell)").toString(), "real"); // money as a number
        EXPECT_EQ(column(pk, "typeof(PDvalue)").toString(), "integer");
    }
}

TEST_F(ProductSave, NewProductIsStoredTrimmedCleanedWithItsLookups)
{
    const bool saved = runNew([&](ProductEditor *f) {
        fillNew(f, "  X'Y%9*  ", "  น้ำ  'ดื่ม*  ", "12.5");
        type(descriptionBox(f), " ขวด % เล็ก ");
        type(groupList(f)->lineEdit(), "-"); // no group
        type(placeList(f)->lineEdit(), "ตู้เย็น"); // a new place
        type(unitList(f)->lineEdit(), "แพ็ค "); // a unit with a trailing blank
        type(stockBox(f), "24");
        type(costBox(f), "9.75");
        type(lowStockLimitBox(f), "6");
        click(wholesaleSwitch(f));
        retype(wholesaleQuantityBox(f), "12");
        retype(wholesalePriceBox(f), "11");
        type(specialPrice1Box(f), "12");
        type(specialPrice2Box(f), "11.5");
        click(saveButton(f));
        EXPECT_FALSE(f->isVisible());
        EXPECT_EQ(f->productKey(), 4);
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(column(4, "PDsn").toString(), "XY9");
    EXPECT_EQ(column(4, "PDname").toString(), "น้ำ  ดื่ม"); // inner blanks stay
    EXPECT_EQ(column(4, "PDdes").toString(), "ขวด  เล็ก");
    EXPECT_EQ(column(4, "PAuto").toInt(), 0);
    EXPECT_EQ(column(4, "GroupFK").toInt(), 0);
    EXPECT_EQ(column(4, "GebFK").toInt(), 2);
    EXPECT_EQ(value("SELECT geName FROM tblGeb WHERE gePK = 2").toString(), "ตู้เย็น");
    EXPECT_EQ(column(4, "NubFK").toInt(), 2);
    EXPECT_EQ(count("SELECT count(*) FROM tblNub"), 4); // no second "แพ็ค"
    EXPECT_EQ(column(4, "PDvalue").toInt(), 24);
    EXPECT_EQ(column(4, "PDraka").toDouble(), 9.75);
    EXPECT_EQ(column(4, "PDsell").toDouble(), 12.5);
    EXPECT_EQ(column(4, "PDerror").toInt(), 6);
    EXPECT_EQ(column(4, "Praka1").toDouble(), 12);
    EXPECT_EQ(column(4, "Praka2").toDouble(), 11.5);
    EXPECT_EQ(column(4, "PSong").toInt(), 1);
    EXPECT_EQ(column(4, "PNumSong").toInt(), 12);
    EXPECT_EQ(column(4, "PRakaSong").toDouble(), 11);
    EXPECT_EQ(column(4, "PDpic").toString(), "");
    EXPECT_EQ(counter(), 4); // a typed code takes no number
    EXPECT_EQ(count("SELECT count(*) FROM tblLog2"), 0);

    // An empty unit and a new group; the new name is stored as typed.
    runNew([&](ProductEditor *f) {
        fillNew(f, "G1", "กาว", "20");
        type(groupList(f)->lineEdit(), "อุปกรณ์ ");
        click(saveButton(f));
    });
    EXPECT_EQ(column(5, "NubFK").toInt(), 0);
    EXPECT_EQ(column(5, "GroupFK").toInt(), 4);
    EXPECT_EQ(value("SELECT gName FROM tblGroup WHERE gPK = 4").toString(), "อุปกรณ์ ");
}

TEST_F(ProductSave, AutomaticCodeFromCounterThreeSteppingPastATakenCode)
{
    Clock::setFixed(QDateTime(QDate(2024, 1, 3), QTime(9, 0)));
    runNew([&](ProductEditor *f) {
        click(autoCodeSwitch(f));
        type(nameBox(f), "ดินสอ");
        type(priceBox(f), "5");
        click(saveButton(f));
        EXPECT_EQ(codeBox(f)->text(), "PD-670000006");
    });
    // 5 belongs to product 2 already: the counter steps on to 6.
    EXPECT_EQ(column(4, "PDsn").toString(), "PD-670000006");
    EXPECT_EQ(column(4, "PAuto").toInt(), 1);
    EXPECT_EQ(counter(), 6);
    EXPECT_EQ(value("SELECT numMon FROM tblNumber WHERE nPK = 3").toString(), "00");

    // The next year and month: no restart, the year's two digits change.
    Clock::setFixed(QDateTime(QDate(2025, 2, 1), QTime(9, 0)));
    runNew([&](ProductEditor *f) {
        click(autoCodeSwitch(f));
        fillNew(f, "", "ยางลบ", "3");
        click(saveButton(f));
    });
    EXPECT_EQ(column(5, "PDsn").toString(), "PD-680000007");
    EXPECT_EQ(counter(), 7);

    // An edited product with an automatic code skips the prefix test and keeps PAuto.
    runEdit(5, [&](ProductEditor *f) {
        retype(nameBox(f), "ยางลบก้อน");
        click(saveButton(f));
    });
    EXPECT_EQ(column(5, "PDname").toString(), "ยางลบก้อน");
    EXPECT_EQ(column(5, "PAuto").toInt(), 1);
    EXPECT_EQ(counter(), 7);
}

TEST_F(ProductSave, FirstProductEverGetsKeyOne)
{
    db().execute("DELETE FROM tblProduct");
    runNew([&](ProductEditor *f) {
        fillNew(f, "F1", "แรก", "1");
        click(saveButton(f));
    });
    EXPECT_EQ(value("SELECT PK FROM tblProduct").toInt(), 1);
}

TEST_F(ProductSave, FailureLeavesCounterLookupsAndProductsUntouched)
{
    HookGuard guard;
    const QStringList before = dump();
    bool failNext = true;
    Connection::setStatementHook([&](const QString &sql) {
        if (failNext && sql.startsWith("INSERT INTO tblProduct"))
            throw DbError("disk I/O error");
    });
    const bool saved = runNew([&](ProductEditor *f) {
        click(autoCodeSwitch(f));
        fillNew(f, "", "ไม้บรรทัด", "15");
        type(groupList(f)->lineEdit(), "กลุ่มใหม่");
        type(unitList(f)->lineEdit(), "หน่วยใหม่");
        click(saveButton(f));
        ASSERT_EQ(boxes.count(), 2); // the confirmation, then the failure
        EXPECT_EQ(boxes.last().text, "disk I/O error");
        EXPECT_EQ(boxes.last().title, "รายงานความผิดพลาด");
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(nameBox(f)->text(), "ไม้บรรทัด");
        EXPECT_EQ(codeBox(f)->text(), "ระบบอัตโนมัติ");
        EXPECT_EQ(groupList(f)->currentText(), "กลุ่มใหม่");
        EXPECT_EQ(dump(), before);
        // The same editor saves once the disk is back.
        failNext = false;
        click(saveButton(f));
        EXPECT_FALSE(f->isVisible());
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(column(4, "PDsn").toString(), "PD-670000006");
    EXPECT_EQ(count("SELECT count(*) FROM tblGroup WHERE gName = 'กลุ่มใหม่'"), 1);
    EXPECT_EQ(count("SELECT count(*) FROM tblNub WHERE nName = 'หน่วยใหม่'"), 1);
}

TEST_F(ProductSave, EditOverwritesAllButKeyAndAutoFlag)
{
    const bool saved = runEdit(1, [&](ProductEditor *f) {
        retype(codeBox(f), "ab1"); // only the letter case of its own code: not a duplicate
        retype(stockBox(f), "7");
        retype(priceBox(f), "130");
        click(wholesaleSwitch(f));
        retype(placeList(f)->lineEdit(), ""); // no storage place
        click(saveButton(f));
        EXPECT_FALSE(f->isVisible());
    });
    EXPECT_TRUE(saved);
    EXPECT_EQ(column(1, "PDsn").toString(), "ab1");
    EXPECT_EQ(column(1, "PDvalue").toInt(), 7); // the typed stock replaces it
    EXPECT_EQ(count("SELECT count(*) FROM tblLog2"), 0); // without a movement row
    EXPECT_EQ(column(1, "PDsell").toDouble(), 130);
    EXPECT_EQ(column(1, "Praka1").toDouble(), 110);
    EXPECT_EQ(column(1, "PSong").toInt(), 0);
    EXPECT_EQ(column(1, "PNumSong").toInt(), 3);
    EXPECT_EQ(column(1, "GebFK").toInt(), 0);
    EXPECT_EQ(column(1, "PAuto").toInt(), 0);
    EXPECT_EQ(column(1, "PDpic").toString(), "Pic1.JPG");
    EXPECT_EQ(count("SELECT count(*) FROM tblProduct"), 3);

    // Another product's code, in any letter case, is refused; its own unchanged code is not.
    boxes.clear();
    runEdit(3, [&](ProductEditor *f) {
        retype(codeBox(f), "AB1");
        click(saveButton(f));
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "มี รหัสสินค้า [  AB1  ] อยู่ในระบบแล้ว กรุณาแก้ไขใหม่..");
        retype(codeBox(f), "CD3");
        click(saveButton(f));
        EXPECT_FALSE(f->isVisible());
    });
}

TEST_F(ProductSave, EditOfAProductDeletedMeanwhileSaysSo)
{
    const bool saved = runEdit(3, [&](ProductEditor *f) {
        db().execute("DELETE FROM tblProduct WHERE PK = 3");
        type(placeList(f)->lineEdit(), "ที่ใหม่");
        click(saveButton(f));
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(
            boxes.last().text, "ไม่พบ สินค้า นี้ในระบบแล้ว ( อาจถูกลบไปก่อนหน้านี้ ) จึงบันทึกการแก้ไขไม่ได้..");
        EXPECT_EQ(boxes.last().title, "รายงานสถานะ");
        EXPECT_TRUE(f->isVisible());
    });
    EXPECT_FALSE(saved);
    EXPECT_EQ(count("SELECT count(*) FROM tblProduct WHERE PK = 3"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM tblGeb"), 2); // the new place went with the rollback
}
