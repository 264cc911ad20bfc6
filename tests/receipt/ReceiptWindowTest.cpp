#include "receipt/ReceiptWindow.h"
#include "ReceiptFixture.h"
#include "button/KasmoButton.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/FileDialogs.h"
#include "receipt/ReceiptLayout.h"
#include "shell/Messages.h"
#include "support/ReportFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

class ReceiptWindowTest : public ReceiptFixture
{
protected:
    // Row 1 with a value in every column that differs from the window's design texts.
    void storeDistinctRow(bool printAtOnce = false)
    {
        folder.db().execute(
            QStringLiteral(
                "UPDATE tblSetPrint SET text1 = 'ร้านทดสอบ', tsize1 = '16', text1B = 0, "
                "text2 = 'บิลเงินสด', tsize2 = '12', text2B = 1, sraka = 1, pauto = ?1, "
                "paperW = '5.0', paperH = '15.5', text3 = 'ขอบคุณ', paperT = '0.4', "
                "paperD = '0.2', paperL = '0.5', paperR = '0.6', fsize1 = '11', fsize2 = '17', "
                "fsize3 = '10' WHERE PK = 1"),
            { printAtOnce ? 1 : 0 });
    }
    ReceiptLayout *clickSave(ReceiptWindow &w)
    {
        QTest::mouseClick(control<KasmoButton>(&w, "saveButton"), Qt::LeftButton);
        return w.report();
    }
};

TEST_F(ReceiptWindowTest, LoadFillsTheBoxesFromRowOne)
{
    storeDistinctRow();
    ReceiptWindow w;
    // The design texts until the row replaces them.
    EXPECT_EQ(lineBox(&w, "headerLine1Box")->text(), QStringLiteral("บริษัท Vantrel"));
    EXPECT_TRUE(tick(&w, "headerLine1BoldCheck")->isChecked());
    w.load();
    const std::pair<QString, QString> expected[] = {
        { lineBox(&w, "headerLine1Box")->text(), "ร้านทดสอบ" },
        { lineBox(&w, "headerLine1SizeBox")->text(), "16" },
        { lineBox(&w, "headerLine2Box")->text(), "บิลเงินสด" },
        { lineBox(&w, "headerLine2SizeBox")->text(), "12" },
        { lineBox(&w, "paperWidthBox")->text(), "5.0" },
        { lineBox(&w, "paperLengthBox")->text(), "15.5" },
        { textArea(&w, "footerBox")->toPlainText(), "ขอบคุณ" },
        { lineBox(&w, "topMarginBox")->text(), "0.4" },
        { lineBox(&w, "bottomMarginBox")->text(), "0.2" },
        { lineBox(&w, "leftMarginBox")->text(), "0.5" },
        { lineBox(&w, "rightMarginBox")->text(), "0.6" },
        { lineBox(&w, "itemSizeBox")->text(), "11" },
        { lineBox(&w, "totalsSizeBox")->text(), "17" },
        { lineBox(&w, "footerSizeBox")->text(), "10" },
    };
    for (const auto &[shown, want] : expected)
        EXPECT_EQ(shown, want);
    EXPECT_FALSE(tick(&w, "headerLine1BoldCheck")->isChecked());
    EXPECT_TRUE(tick(&w, "headerLine2BoldCheck")->isChecked());
    EXPECT_TRUE(tick(&w, "unitPriceCheck")->isChecked());
    EXPECT_FALSE(tick(&w, "printAtOnceCheck")->isChecked());
    EXPECT_EQ(boxes.count(), 0);
    ASSERT_NE(w.report(), nullptr);
    // 5 cm paper with 17 pt totals: the sample totals wrap and the footer goes over a page.
    EXPECT_EQ(viewer(&w, "receiptViewer")->document().pageCount(), 2);
    EXPECT_NEAR(viewer(&w, "receiptViewer")->document().paperSize.width(), 2834.646, 0.01);
    EXPECT_FALSE(viewer(&w, "receiptViewer")->tool(0)->isEnabled()
        && viewer(&w, "receiptViewer")->tool(0)->isVisible());
    EXPECT_EQ(viewer(&w, "receiptViewer")->printTool()->text(), QStringLiteral("พิมพ์.."));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ตั้งค่าการพิมพ์"));
}

TEST_F(ReceiptWindowTest, LongerStoredTextsShowWholeAndGoBackUnchanged)
{
    const QString longName(60, QChar(u'ก'));
    folder.db().execute(
        QStringLiteral("UPDATE tblSetPrint SET text1 = ?1, paperW = '10.25' WHERE PK = 1"),
        { longName });
    ReceiptWindow w;
    w.load();
    w.show();
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(lineBox(&w, "headerLine1Box")->text(), longName);
    EXPECT_EQ(lineBox(&w, "paperWidthBox")->text(), QStringLiteral("10.25"));
    clickSave(w);
    EXPECT_EQ(stored("text1").toString(), longName);
    EXPECT_EQ(stored("paperW").toString(), QStringLiteral("10.25"));

    // Typing still stops at each box's own limit, also once a character is taken off.
    const std::pair<QLineEdit *, Qt::Key> typed[] = { { lineBox(&w, "headerLine1Box"), Qt::Key_X },
        { lineBox(&w, "paperWidthBox"), Qt::Key_1 }, { lineBox(&w, "paperLengthBox"), Qt::Key_1 } };
    for (const auto &[box, key] : typed) {
        box->setFocus();
        box->end(false);
        if (box->text().size() > 4)
            QTest::keyClick(box, Qt::Key_Backspace);
        const QString before = box->text();
        QTest::keyClick(box, key);
        EXPECT_EQ(box->text(), before);
    }
    lineBox(&w, "paperWidthBox")->selectAll();
    QTest::keyClick(lineBox(&w, "paperWidthBox"), Qt::Key_9);
    EXPECT_EQ(lineBox(&w, "paperWidthBox")->text(), QStringLiteral("9"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(ReceiptWindowTest, WithoutRowOneTheDesignTextsStay)
{
    folder.db().execute(QStringLiteral("DELETE FROM tblSetPrint"));
    ReceiptWindow w;
    w.load();
    EXPECT_EQ(lineBox(&w, "headerLine2Box")->text(), QStringLiteral("ใบเสร็จรับชำระเงิน / อย่างย่อ"));
    EXPECT_EQ(lineBox(&w, "paperWidthBox")->text(), QStringLiteral("7.0"));
    EXPECT_NE(w.report(), nullptr); // the preview of the design texts still shows
    EXPECT_EQ(boxes.count(), 0);
}

// One click on the save-or-preview with one box changed.
struct CheckCase
{
    const char *name;
    const char *box; // nullptr: the footer
    const char *typed;
    const char *shownAfter;
    const char *message; // nullptr: none
    bool goesOn; // previewed and stored
};

class SaveOrPreviewChecks : public ReceiptWindowTest,
                            public ::testing::WithParamInterface<CheckCase>
{
};

const QString Paper = QStringLiteral("ขนาดกระดาษ ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 1 และ มากสุด = 100");
QString margin(const char *most)
{
    return QStringLiteral("ขอบกระดาษ ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 0.1 และ มากสุด = ")
        + QString::fromLatin1(most);
}

TEST_P(SaveOrPreviewChecks, OneBox)
{
    const CheckCase &c = GetParam();
    ReceiptWindow w;
    w.load();
    w.show();
    QApplication::setActiveWindow(&w);
    ReceiptLayout *before = w.report();
    const QString typed = QString::fromUtf8(c.typed);
    if (c.box)
        lineBox(&w, c.box)->setText(typed);
    else
        textArea(&w, "footerBox")->setPlainText(typed);
    lineBox(&w, "itemSizeBox")->setText(QStringLiteral("12")); // marks whether this click stored
    clickSave(w);

    const QString shown
        = c.box ? lineBox(&w, c.box)->text() : textArea(&w, "footerBox")->toPlainText();
    EXPECT_EQ(shown, QString::fromUtf8(c.shownAfter));
    if (c.message) {
        ASSERT_EQ(boxes.count(), 1);
        const QString text = QString::fromUtf8(c.message);
        const QString want = text == "paper" ? Paper
            : text.startsWith("margin")      ? margin(c.message + 6)
                                             : text;
        EXPECT_EQ(boxes.last().text, want);
        EXPECT_EQ(boxes.last().title, Msg::StatusTitle);
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    } else {
        EXPECT_EQ(boxes.count(), 0);
    }
    EXPECT_EQ(w.report() != before, c.goesOn);
    EXPECT_EQ(stored("fsize1").toString(), c.goesOn ? QStringLiteral("12") : QStringLiteral("13"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ReceiptWindow, SaveOrPreviewChecks, ::testing::Values(
    CheckCase{"firstLineEmpty", "headerLine1Box", "   ", "   ",
              "กรุณาระบุ ( ข้อความบรรทัด 1 ) ที่ต้องการ  ก่อนเริ่มแสดงตัวอย่าง...", false},
    CheckCase{"secondLineEmpty", "headerLine2Box", "", "",
              "กรุณาระบุ ( ข้อความบรรทัด 2 ) ที่ต้องการ  ก่อนเริ่มแสดงตัวอย่าง...", false},
    CheckCase{"footerEmpty", nullptr, " ", " ",
              "กรุณาระบุ ( ข้อความล่าง ) ที่ต้องการ  ก่อนเริ่มแสดงตัวอย่าง...", false},
    CheckCase{"footerBlankLineOnly", nullptr, "\n", "\n", nullptr, true},
    CheckCase{"lineOneSizeZero", "headerLine1SizeBox", "00", "13", nullptr, false},
    CheckCase{"lineTwoSizeEmpty", "headerLine2SizeBox", "", "14", nullptr, false},
    CheckCase{"totalsSizeZero", "totalsSizeBox", "0", "15", nullptr, false},
    CheckCase{"footerSizeZero", "footerSizeBox", "0", "13", nullptr, false},
    CheckCase{"widthEmpty", "paperWidthBox", "", "8.0", nullptr, false},
    CheckCase{"widthTooWide", "paperWidthBox", "150", "8.0", "paper", true},
    CheckCase{"widthTooNarrow", "paperWidthBox", "0.5", "8.0", "paper", true},
    CheckCase{"widthLeast", "paperWidthBox", "1", "1", nullptr, true},
    CheckCase{"widthMost", "paperWidthBox", "100", "100", nullptr, true},
    CheckCase{"lengthEmpty", "paperLengthBox", " ", "12.0", nullptr, false},
    CheckCase{"lengthTooLong", "paperLengthBox", "101", "12.0", "paper", true},
    CheckCase{"topEmpty", "topMarginBox", "", "0.3", nullptr, false},
    CheckCase{"topTooBig", "topMarginBox", "25", "0.3", "margin20", true},
    CheckCase{"bottomTooSmall", "bottomMarginBox", "0.0", "0.1", "margin20", true},
    CheckCase{"bottomLeast", "bottomMarginBox", "0.1", "0.1", nullptr, true},
    CheckCase{"leftFortyFive", "leftMarginBox", "45", "45", nullptr, true},
    CheckCase{"leftTooBig", "leftMarginBox", "50.1", "0.3", "margin50", true},
    CheckCase{"rightTooBig", "rightMarginBox", "3.95", "0.3", "margin3.9", true},
    CheckCase{"rightMost", "rightMarginBox", "3.9", "3.9", nullptr, true}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ReceiptWindowTest, AWidthOf150StoresTheReplacement)
{
    ReceiptWindow w;
    w.load();
    lineBox(&w, "paperWidthBox")->setText(QStringLiteral("150"));
    clickSave(w);
    EXPECT_EQ(stored("paperW").toString(), QStringLiteral("8.0"));
    // The preview follows the replaced box: 8 cm wide.
    EXPECT_NEAR(w.report()->PageSettings.paperWidth, 4535.433f, 0.001f);
}

TEST_F(ReceiptWindowTest, AnEmptyFirstLineTakesTheFocusAndStoresNothing)
{
    ReceiptWindow w;
    w.load();
    w.show();
    QApplication::setActiveWindow(&w);
    lineBox(&w, "headerLine1Box")->setText(QStringLiteral("  "));
    lineBox(&w, "headerLine2Box")->setText(QStringLiteral("เปลี่ยน"));
    clickSave(w);
    EXPECT_EQ(QApplication::focusWidget(), lineBox(&w, "headerLine1Box"));
    EXPECT_EQ(stored("text2").toString(), QStringLiteral("ใบเสร็จรับชำระเงิน / อย่างย่อ"));
}

TEST_F(ReceiptWindowTest, TwoWrongBoxesGiveTwoMessagesThenOneStore)
{
    ReceiptWindow w;
    w.load();
    lineBox(&w, "paperWidthBox")->setText(QStringLiteral("150"));
    lineBox(&w, "topMarginBox")->setText(QStringLiteral("25"));
    clickSave(w);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.shown[0].text, Paper);
    EXPECT_EQ(boxes.shown[1].text, margin("20"));
    EXPECT_EQ(stored("paperW").toString(), QStringLiteral("8.0"));
    EXPECT_EQ(stored("paperT").toString(), QStringLiteral("0.3"));
}

TEST_F(ReceiptWindowTest, StoreWritesEveryColumnTrimmed)
{
    ReceiptWindow w;
    w.load();
    lineBox(&w, "headerLine1Box")->setText(QStringLiteral("  ร้านใหม่  "));
    textArea(&w, "footerBox")->setPlainText(QStringLiteral("บรรทัดหนึ่ง\nบรรทัดสอง "));
    tick(&w, "headerLine1BoldCheck")->setChecked(false);
    tick(&w, "headerLine2BoldCheck")->setChecked(true);
    tick(&w, "unitPriceCheck")->setChecked(true);
    lineBox(&w, "rightMarginBox")->setText(QStringLiteral("0.5"));
    clickSave(w);
    EXPECT_EQ(stored("text1").toString(), QStringLiteral("ร้านใหม่"));
    EXPECT_EQ(stored("text3").toString(), QStringLiteral("บรรทัดหนึ่ง\nบรรทัดสอง"));
    EXPECT_EQ(stored("text1B").toInt(), 0);
    EXPECT_EQ(stored("text2B").toInt(), 1);
    EXPECT_EQ(stored("sraka").toInt(), 1);
    EXPECT_EQ(stored("pauto").toInt(), 0);
    EXPECT_EQ(stored("paperR").toString(), QStringLiteral("0.5"));
    EXPECT_EQ(boxes.count(), 0); // success stays quiet

    // Only blanks go: the footer's empty first and last lines are kept.
    textArea(&w, "footerBox")->setPlainText(QStringLiteral("  \nขอบคุณ\n  "));
    clickSave(w);
    EXPECT_EQ(stored("text3").toString(), QStringLiteral("\nขอบคุณ\n"));
}

TEST_F(ReceiptWindowTest, PaperButtons)
{
    ReceiptWindow w;
    w.load();
    w.show();
    QApplication::setActiveWindow(&w);
    struct Preset
    {
        QPushButton *button;
        const char *caption, *width, *length;
        bool editable;
    };
    const Preset presets[] = {
        { button(&w, "a4Button"), "ขนาด             A4", "21.0", "29.7", false },
        { button(&w, "a5Button"), "ขนาด             A5", "14.8", "21.0", false },
        { button(&w, "paper80mmButton"), "ขนาด        80 mm", "7.0", "20.0", false },
        { button(&w, "paper58mmButton"), "ขนาด        58 mm", "5.0", "20.0", false },
        { button(&w, "customPaperButton"), "กำหนดขนาดเอง", "7.0", "20.0", true },
    };
    for (const Preset &p : presets) {
        SCOPED_TRACE(p.caption);
        EXPECT_EQ(p.button->text(), QString::fromUtf8(p.caption));
        ReceiptLayout *before = w.report();
        QTest::mouseClick(p.button, Qt::LeftButton);
        EXPECT_EQ(lineBox(&w, "paperWidthBox")->text(), QString::fromLatin1(p.width));
        EXPECT_EQ(lineBox(&w, "paperLengthBox")->text(), QString::fromLatin1(p.length));
        EXPECT_EQ(lineBox(&w, "paperWidthBox")->isEnabled(), p.editable);
        EXPECT_EQ(lineBox(&w, "paperLengthBox")->isEnabled(), p.editable);
        EXPECT_NE(w.report(), before);
        EXPECT_EQ(stored("paperW").toString(), QString::fromLatin1(p.width));
        EXPECT_EQ(stored("paperH").toString(), QString::fromLatin1(p.length));
    }
    EXPECT_EQ(QApplication::focusWidget(), lineBox(&w, "paperWidthBox"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(ReceiptWindowTest, TheA4ButtonPreviewsAnA4Page)
{
    ReceiptWindow w;
    w.load();
    QTest::mouseClick(button(&w, "a4Button"), Qt::LeftButton);
    const QSizeF paper = viewer(&w, "receiptViewer")->document().paperSize;
    EXPECT_NEAR(paper.width(), 11905.512, 0.01);
    EXPECT_NEAR(paper.height(), 16837.795, 0.01);
}

TEST_F(ReceiptWindowTest, AFailedStoreIsTold)
{
    ReceiptWindow w;
    w.load();
    folder.db().execute(QStringLiteral("DELETE FROM tblSetPrint"));
    ReceiptLayout *before = w.report();
    clickSave(w);
    EXPECT_NE(w.report(), before); // the preview comes first and stays
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("บันทึกการตั้งค่าการพิมพ์ไม่สำเร็จ")));

    Connection::setStatementHook([](const QString &sql) {
        if (sql.startsWith(QStringLiteral("UPDATE")))
            throw DbError(QStringLiteral("disk I/O error"));
    });
    clickSave(w);
    Connection::setStatementHook({});
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_TRUE(boxes.last().text.endsWith(QStringLiteral("disk I/O error")));
}

TEST_F(ReceiptWindowTest, EnterInAOneLineBoxSavesOrPreviews)
{
    ReceiptWindow w;
    w.load();
    w.show();
    QApplication::setActiveWindow(&w);
    lineBox(&w, "headerLine1SizeBox")->setText(QStringLiteral("1"));
    lineBox(&w, "headerLine1SizeBox")->setFocus();
    QTest::keyClick(lineBox(&w, "headerLine1SizeBox"), Qt::Key_7);
    QTest::keyClick(lineBox(&w, "headerLine1SizeBox"), Qt::Key_A); // refused by the number filter
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, Msg::NumberOnly);
    ReceiptLayout *before = w.report();
    QTest::keyClick(lineBox(&w, "headerLine1SizeBox"), Qt::Key_Return);
    EXPECT_EQ(lineBox(&w, "headerLine1SizeBox")->text(), QStringLiteral("17"));
    EXPECT_NE(w.report(), before);
    EXPECT_EQ(stored("tsize1").toString(), QStringLiteral("17"));
    EXPECT_TRUE(w.isVisible()); // Enter closes no dialog

    QTest::keyClick(lineBox(&w, "leftMarginBox"), Qt::Key_Period);
    EXPECT_EQ(lineBox(&w, "leftMarginBox")->text(), QStringLiteral("0.3."));

    // The footer takes Enter as a new line.
    before = w.report();
    textArea(&w, "footerBox")->setFocus();
    textArea(&w, "footerBox")->moveCursor(QTextCursor::End);
    QTest::keyClick(textArea(&w, "footerBox"), Qt::Key_Return);
    EXPECT_EQ(w.report(), before);
    EXPECT_TRUE(textArea(&w, "footerBox")->toPlainText().endsWith(QLatin1Char('\n')));
}

TEST_F(ReceiptWindowTest, ExportButtonsWriteTheShownPages)
{
    ReceiptWindow w;
    w.load();
    QTemporaryDir dir;
    ScriptedFileDialogs files;
    files.answer(dir.filePath(QStringLiteral("receipt.pdf")));
    files.answer(dir.filePath(QStringLiteral("receipt")));
    QTest::mouseClick(button(&w, "exportPdfButton"), Qt::LeftButton);
    QTest::mouseClick(button(&w, "exportExcelButton"), Qt::LeftButton);
    ASSERT_EQ(files.requests.size(), 2);
    EXPECT_EQ(files.requests[0].title, QStringLiteral("เลือกตำแหน่งบันทึก PDF"));
    EXPECT_EQ(files.requests[0].proposed, QStringLiteral("08-12-26-23-05-09"));
    EXPECT_EQ(files.requests[1].title, QStringLiteral("เลือกตำแหน่งบันทึก Excel"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("receipt.pdf.pdf"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("receipt.xls"))));
    // Cancelled: no file, no message.
    QTest::mouseClick(button(&w, "exportPdfButton"), Qt::LeftButton);
    EXPECT_EQ(boxes.count(), 0);
}

// The sample receipt's sheet: the amounts under their heading as money, a bare quantity as a
// count under the list's heading, with the unit price before it a text.
TEST_F(ReceiptWindowTest, ExcelHoldsTheSampleLinesUnderTheirHeadings)
{
    for (const bool distinct : { false, true }) {
        SCOPED_TRACE(distinct ? "the stored row" : "the delivered row");
        if (distinct)
            storeDistinctRow();
        ReceiptWindow w;
        w.load();
        QTemporaryDir dir;
        ScriptedFileDialogs files;
        files.answer(dir.filePath(QStringLiteral("receipt")));
        QTest::mouseClick(button(&w, "exportExcelButton"), Qt::LeftButton);
        const bool withPrice = tick(&w, "unitPriceCheck")->isChecked();
        EXPECT_EQ(withPrice, distinct);
        QList<ExpectedRow> lines;
        for (int i = 0; i < 5; ++i)
            lines << ExpectedRow { { withPrice ? xlsText(QStringLiteral("99x1")) : xlsCount(9),
                                       xlsMoney(999999) },
                { ReceiptLayout::SampleName } };
        const QStringList diff = compareSheet(xlsSheet(dir.filePath(QStringLiteral("receipt.xls"))),
            { QStringLiteral("รายการสินค้า"), QStringLiteral("จำนวนเงิน") }, lines, 1);
        EXPECT_TRUE(diff.isEmpty()) << diff.join('\n').toStdString();
        EXPECT_EQ(boxes.count(), 0);
    }
}

TEST_F(ReceiptWindowTest, RightButtonRefusedInNumberBoxesOnly)
{
    ReceiptWindow w;
    w.load();
    w.show();
    QTest::mousePress(lineBox(&w, "topMarginBox"), Qt::RightButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, Msg::NoRightClick);
    EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
    QTest::mousePress(lineBox(&w, "headerLine1Box"), Qt::RightButton);
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(ReceiptWindowTest, TickingPrintAtOnceStoresAtOnce)
{
    ReceiptWindow w;
    w.load();
    QTest::mouseClick(tick(&w, "printAtOnceCheck"), Qt::LeftButton);
    EXPECT_EQ(stored("pauto").toInt(), 1);
    EXPECT_TRUE(sink.jobs.isEmpty()); // the set-up prints nothing by itself
}

TEST_F(ReceiptWindowTest, SetUpWithPrintAtOnceStoredRunsOneSaveWhileLoading)
{
    storeDistinctRow(true);
    int updates = 0;
    Connection::setStatementHook([&](const QString &sql) {
        if (sql.startsWith(QStringLiteral("UPDATE")))
            ++updates;
    });
    ReceiptWindow w;
    w.load();
    Connection::setStatementHook({});
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(tick(&w, "printAtOnceCheck")->isChecked());
    EXPECT_FALSE(w.closedWhileLoading());
    EXPECT_TRUE(sink.jobs.isEmpty());
    EXPECT_EQ(stored("text1").toString(), QStringLiteral("ร้านทดสอบ"));
}

TEST_F(ReceiptWindowTest, OpenedFromTheSettingsShowsModally)
{
    ScriptedDialogs dialogs;
    bool sawPreview = false;
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<ReceiptWindow *>(d);
        ASSERT_NE(w, nullptr);
        sawPreview = viewer(w, "receiptViewer")->document().pageCount() == 1;
        EXPECT_TRUE(lineBox(w, "headerLine1Box")->isVisible());
    });
    ReceiptWindow::open(ReceiptSource::SetUp);
    EXPECT_TRUE(sawPreview);
    EXPECT_EQ(dialogs.opened.size(), 1);
}

} // namespace
