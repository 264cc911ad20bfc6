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

class Fprint2Window : public ReceiptFixture
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
        QTest::mouseClick(w.kasmoButton1, Qt::LeftButton);
        return w.report();
    }
};

TEST_F(Fprint2Window, LoadFillsTheBoxesFromRowOne)
{
    storeDistinctRow();
    ReceiptWindow w;
    // The design texts until the row replaces them.
    EXPECT_EQ(w.Text7->text(), QStringLiteral("บริษัท Vantrel"));
    EXPECT_TRUE(w.Check1->isChecked());
    w.Form_Load();
    const std::pair<QString, QString> expected[] = {
        { w.Text7->text(), "ร้านทดสอบ" },
        { w.Text10->text(), "16" },
        { w.Text9->text(), "บิลเงินสด" },
        { w.Text11->text(), "12" },
        { w.text3->text(), "5.0" },
        { w.text4->text(), "15.5" },
        { w.footerText(), "ขอบคุณ" },
        { w.Text1->text(), "0.4" },
        { w.text2->text(), "0.2" },
        { w.Text5->text(), "0.5" },
        { w.Text6->text(), "0.6" },
        { w.Text8->text(), "11" },
        { w.Text12->text(), "17" },
        { w.Text13->text(), "10" },
    };
    for (const auto &[shown, want] : expected)
        EXPECT_EQ(shown, want);
    EXPECT_FALSE(w.Check1->isChecked());
    EXPECT_TRUE(w.Check2->isChecked());
    EXPECT_TRUE(w.Check3->isChecked());
    EXPECT_FALSE(w.Check4->isChecked());
    EXPECT_EQ(boxes.count(), 0);
    ASSERT_NE(w.report(), nullptr);
    // 5 cm paper with 17 pt totals: the sample totals wrap and the footer goes over a page.
    EXPECT_EQ(w.ARViewer21->document().pageCount(), 2);
    EXPECT_NEAR(w.ARViewer21->document().paperSize.width(), 2834.646, 0.01);
    EXPECT_FALSE(w.ARViewer21->tool(0)->isEnabled() && w.ARViewer21->tool(0)->isVisible());
    EXPECT_EQ(w.ARViewer21->printTool()->text(), QStringLiteral("พิมพ์.."));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ตั้งค่าการพิมพ์"));
}

TEST_F(Fprint2Window, LongerStoredTextsShowWholeAndGoBackUnchanged)
{
    const QString longName(60, QChar(u'ก'));
    folder.db().execute(
        QStringLiteral("UPDATE tblSetPrint SET text1 = ?1, paperW = '10.25' WHERE PK = 1"),
        { longName });
    ReceiptWindow w;
    w.Form_Load();
    w.show();
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(w.Text7->text(), longName);
    EXPECT_EQ(w.text3->text(), QStringLiteral("10.25"));
    clickSave(w);
    EXPECT_EQ(stored("text1").toString(), longName);
    EXPECT_EQ(stored("paperW").toString(), QStringLiteral("10.25"));

    // Typing still stops at each box's own limit, also once a character is taken off.
    const std::pair<QLineEdit *, Qt::Key> typed[]
        = { { w.Text7, Qt::Key_X }, { w.text3, Qt::Key_1 }, { w.text4, Qt::Key_1 } };
    for (const auto &[box, key] : typed) {
        box->setFocus();
        box->end(false);
        if (box->text().size() > 4)
            QTest::keyClick(box, Qt::Key_Backspace);
        const QString before = box->text();
        QTest::keyClick(box, key);
        EXPECT_EQ(box->text(), before);
    }
    w.text3->selectAll();
    QTest::keyClick(w.text3, Qt::Key_9);
    EXPECT_EQ(w.text3->text(), QStringLiteral("9"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(Fprint2Window, WithoutRowOneTheDesignTextsStay)
{
    folder.db().execute(QStringLiteral("DELETE FROM tblSetPrint"));
    ReceiptWindow w;
    w.Form_Load();
    EXPECT_EQ(w.Text9->text(), QStringLiteral("ใบเสร็จรับชำระเงิน / อย่างย่อ"));
    EXPECT_EQ(w.text3->text(), QStringLiteral("7.0"));
    EXPECT_NE(w.report(), nullptr); // the preview of the design texts still shows
    EXPECT_EQ(boxes.count(), 0);
}

// One click on the save-or-preview with one box changed.
struct CheckCase
{
    const char *name;
    QLineEdit *ReceiptWindow::*box; // nullptr: the footer
    const char *typed;
    const char *shownAfter;
    const char *message; // nullptr: none
    bool goesOn; // previewed and stored
};

class SaveOrPreviewChecks : public Fprint2Window, public ::testing::WithParamInterface<CheckCase>
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
    w.Form_Load();
    w.show();
    QApplication::setActiveWindow(&w);
    ReceiptLayout *before = w.report();
    const QString typed = QString::fromUtf8(c.typed);
    if (c.box)
        (w.*c.box)->setText(typed);
    else
        w.Text14->setPlainText(typed);
    w.Text8->setText(QStringLiteral("12")); // marks whether this click stored
    clickSave(w);

    const QString shown = c.box ? (w.*c.box)->text() : w.footerText();
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
    CheckCase{"firstLineEmpty", &ReceiptWindow::Text7, "   ", "   ",
              "กรุณาระบุ ( ข้อความบรรทัด 1 ) ที่ต้องการ  ก่อนเริ่มแสดงตัวอย่าง...", false},
    CheckCase{"secondLineEmpty", &ReceiptWindow::Text9, "", "",
              "กรุณาระบุ ( ข้อความบรรทัด 2 ) ที่ต้องการ  ก่อนเริ่มแสดงตัวอย่าง...", false},
    CheckCase{"footerEmpty", nullptr, " ", " ",
              "กรุณาระบุ ( ข้อความล่าง ) ที่ต้องการ  ก่อนเริ่มแสดงตัวอย่าง...", false},
    CheckCase{"footerBlankLineOnly", nullptr, "\n", "\n", nullptr, true},
    CheckCase{"lineOneSizeZero", &ReceiptWindow::Text10, "00", "13", nullptr, false},
    CheckCase{"lineTwoSizeEmpty", &ReceiptWindow::Text11, "", "14", nullptr, false},
    CheckCase{"totalsSizeZero", &ReceiptWindow::Text12, "0", "15", nullptr, false},
    CheckCase{"footerSizeZero", &ReceiptWindow::Text13, "0", "13", nullptr, false},
    CheckCase{"widthEmpty", &ReceiptWindow::text3, "", "8.0", nullptr, false},
    CheckCase{"widthTooWide", &ReceiptWindow::text3, "150", "8.0", "paper", true},
    CheckCase{"widthTooNarrow", &ReceiptWindow::text3, "0.5", "8.0", "paper", true},
    CheckCase{"widthLeast", &ReceiptWindow::text3, "1", "1", nullptr, true},
    CheckCase{"widthMost", &ReceiptWindow::text3, "100", "100", nullptr, true},
    CheckCase{"lengthEmpty", &ReceiptWindow::text4, " ", "12.0", nullptr, false},
    CheckCase{"lengthTooLong", &ReceiptWindow::text4, "101", "12.0", "paper", true},
    CheckCase{"topEmpty", &ReceiptWindow::Text1, "", "0.3", nullptr, false},
    CheckCase{"topTooBig", &ReceiptWindow::Text1, "25", "0.3", "margin20", true},
    CheckCase{"bottomTooSmall", &ReceiptWindow::text2, "0.0", "0.1", "margin20", true},
    CheckCase{"bottomLeast", &ReceiptWindow::text2, "0.1", "0.1", nullptr, true},
    CheckCase{"leftFortyFive", &ReceiptWindow::Text5, "45", "45", nullptr, true},
    CheckCase{"leftTooBig", &ReceiptWindow::Text5, "50.1", "0.3", "margin50", true},
    CheckCase{"rightTooBig", &ReceiptWindow::Text6, "3.95", "0.3", "margin3.9", true},
    CheckCase{"rightMost", &ReceiptWindow::Text6, "3.9", "3.9", nullptr, true}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(Fprint2Window, AWidthOf150StoresTheReplacement)
{
    ReceiptWindow w;
    w.Form_Load();
    w.text3->setText(QStringLiteral("150"));
    clickSave(w);
    EXPECT_EQ(stored("paperW").toString(), QStringLiteral("8.0"));
    // The preview follows the replaced box: 8 cm wide.
    EXPECT_NEAR(w.report()->PageSettings.paperWidth, 4535.433f, 0.001f);
}

TEST_F(Fprint2Window, AnEmptyFirstLineTakesTheFocusAndStoresNothing)
{
    ReceiptWindow w;
    w.Form_Load();
    w.show();
    QApplication::setActiveWindow(&w);
    w.Text7->setText(QStringLiteral("  "));
    w.Text9->setText(QStringLiteral("เปลี่ยน"));
    clickSave(w);
    EXPECT_EQ(QApplication::focusWidget(), w.Text7);
    EXPECT_EQ(stored("text2").toString(), QStringLiteral("ใบเสร็จรับชำระเงิน / อย่างย่อ"));
}

TEST_F(Fprint2Window, TwoWrongBoxesGiveTwoMessagesThenOneStore)
{
    ReceiptWindow w;
    w.Form_Load();
    w.text3->setText(QStringLiteral("150"));
    w.Text1->setText(QStringLiteral("25"));
    clickSave(w);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.shown[0].text, Paper);
    EXPECT_EQ(boxes.shown[1].text, margin("20"));
    EXPECT_EQ(stored("paperW").toString(), QStringLiteral("8.0"));
    EXPECT_EQ(stored("paperT").toString(), QStringLiteral("0.3"));
}

TEST_F(Fprint2Window, StoreWritesEveryColumnTrimmed)
{
    ReceiptWindow w;
    w.Form_Load();
    w.Text7->setText(QStringLiteral("  ร้านใหม่  "));
    w.Text14->setPlainText(QStringLiteral("บรรทัดหนึ่ง\nบรรทัดสอง "));
    w.Check1->setChecked(false);
    w.Check2->setChecked(true);
    w.Check3->setChecked(true);
    w.Text6->setText(QStringLiteral("0.5"));
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
    w.Text14->setPlainText(QStringLiteral("  \nขอบคุณ\n  "));
    clickSave(w);
    EXPECT_EQ(stored("text3").toString(), QStringLiteral("\nขอบคุณ\n"));
}

TEST_F(Fprint2Window, PaperButtons)
{
    ReceiptWindow w;
    w.Form_Load();
    w.show();
    QApplication::setActiveWindow(&w);
    struct Preset
    {
        QPushButton *button;
        const char *caption, *width, *length;
        bool editable;
    };
    const Preset presets[] = {
        { w.Command1, "ขนาด             A4", "21.0", "29.7", false },
        { w.Command7, "ขนาด             A5", "14.8", "21.0", false },
        { w.Command5, "ขนาด        80 mm", "7.0", "20.0", false },
        { w.Command4, "ขนาด        58 mm", "5.0", "20.0", false },
        { w.Command2, "กำหนดขนาดเอง", "7.0", "20.0", true },
    };
    for (const Preset &p : presets) {
        SCOPED_TRACE(p.caption);
        EXPECT_EQ(p.button->text(), QString::fromUtf8(p.caption));
        ReceiptLayout *before = w.report();
        QTest::mouseClick(p.button, Qt::LeftButton);
        EXPECT_EQ(w.text3->text(), QString::fromLatin1(p.width));
        EXPECT_EQ(w.text4->text(), QString::fromLatin1(p.length));
        EXPECT_EQ(w.text3->isEnabled(), p.editable);
        EXPECT_EQ(w.text4->isEnabled(), p.editable);
        EXPECT_NE(w.report(), before);
        EXPECT_EQ(stored("paperW").toString(), QString::fromLatin1(p.width));
        EXPECT_EQ(stored("paperH").toString(), QString::fromLatin1(p.length));
    }
    EXPECT_EQ(QApplication::focusWidget(), w.text3);
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(Fprint2Window, TheA4ButtonPreviewsAnA4Page)
{
    ReceiptWindow w;
    w.Form_Load();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    const QSizeF paper = w.ARViewer21->document().paperSize;
    EXPECT_NEAR(paper.width(), 11905.512, 0.01);
    EXPECT_NEAR(paper.height(), 16837.795, 0.01);
}

TEST_F(Fprint2Window, AFailedStoreIsTold)
{
    ReceiptWindow w;
    w.Form_Load();
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

TEST_F(Fprint2Window, EnterInAOneLineBoxSavesOrPreviews)
{
    ReceiptWindow w;
    w.Form_Load();
    w.show();
    QApplication::setActiveWindow(&w);
    w.Text10->setText(QStringLiteral("1"));
    w.Text10->setFocus();
    QTest::keyClick(w.Text10, Qt::Key_7);
    QTest::keyClick(w.Text10, Qt::Key_A); // refused by the number filter
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, Msg::NumberOnly);
    ReceiptLayout *before = w.report();
    QTest::keyClick(w.Text10, Qt::Key_Return);
    EXPECT_EQ(w.Text10->text(), QStringLiteral("17"));
    EXPECT_NE(w.report(), before);
    EXPECT_EQ(stored("tsize1").toString(), QStringLiteral("17"));
    EXPECT_TRUE(w.isVisible()); // Enter closes no dialog

    QTest::keyClick(w.Text5, Qt::Key_Period);
    EXPECT_EQ(w.Text5->text(), QStringLiteral("0.3."));

    // The footer takes Enter as a new line.
    before = w.report();
    w.Text14->setFocus();
    w.Text14->moveCursor(QTextCursor::End);
    QTest::keyClick(w.Text14, Qt::Key_Return);
    EXPECT_EQ(w.report(), before);
    EXPECT_TRUE(w.footerText().endsWith(QLatin1Char('\n')));
}

TEST_F(Fprint2Window, ExportButtonsWriteTheShownPages)
{
    ReceiptWindow w;
    w.Form_Load();
    QTemporaryDir dir;
    ScriptedFileDialogs files;
    files.answer(dir.filePath(QStringLiteral("receipt.pdf")));
    files.answer(dir.filePath(QStringLiteral("receipt")));
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    QTest::mouseClick(w.Command6, Qt::LeftButton);
    ASSERT_EQ(files.requests.size(), 2);
    EXPECT_EQ(files.requests[0].title, QStringLiteral("เลือกตำแหน่งบันทึก PDF"));
    EXPECT_EQ(files.requests[0].proposed, QStringLiteral("08-12-26-23-05-09"));
    EXPECT_EQ(files.requests[1].title, QStringLiteral("เลือกตำแหน่งบันทึก Excel"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("receipt.pdf.pdf"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("receipt.xls"))));
    // Cancelled: no file, no message.
    QTest::mouseClick(w.Command3, Qt::LeftButton);
    EXPECT_EQ(boxes.count(), 0);
}

// The sample receipt's sheet: the amounts under their heading as money, a bare quantity as a
// count under the list's heading, with the unit price before it a text.
TEST_F(Fprint2Window, ExcelHoldsTheSampleLinesUnderTheirHeadings)
{
    for (const bool distinct : { false, true }) {
        SCOPED_TRACE(distinct ? "the stored row" : "the delivered row");
        if (distinct)
            storeDistinctRow();
        ReceiptWindow w;
        w.Form_Load();
        QTemporaryDir dir;
        ScriptedFileDialogs files;
        files.answer(dir.filePath(QStringLiteral("receipt")));
        QTest::mouseClick(w.Command6, Qt::LeftButton);
        const bool withPrice = w.Check3->isChecked();
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

TEST_F(Fprint2Window, RightButtonRefusedInNumberBoxesOnly)
{
    ReceiptWindow w;
    w.Form_Load();
    w.show();
    QTest::mousePress(w.Text1, Qt::RightButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, Msg::NoRightClick);
    EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
    QTest::mousePress(w.Text7, Qt::RightButton);
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(Fprint2Window, TickingPrintAtOnceStoresAtOnce)
{
    ReceiptWindow w;
    w.Form_Load();
    QTest::mouseClick(w.Check4, Qt::LeftButton);
    EXPECT_EQ(stored("pauto").toInt(), 1);
    EXPECT_TRUE(sink.jobs.isEmpty()); // the set-up prints nothing by itself
}

TEST_F(Fprint2Window, SetUpWithPrintAtOnceStoredRunsOneSaveWhileLoading)
{
    storeDistinctRow(true);
    int updates = 0;
    Connection::setStatementHook([&](const QString &sql) {
        if (sql.startsWith(QStringLiteral("UPDATE")))
            ++updates;
    });
    ReceiptWindow w;
    w.Form_Load();
    Connection::setStatementHook({});
    EXPECT_EQ(updates, 1);
    EXPECT_TRUE(w.Check4->isChecked());
    EXPECT_FALSE(w.unloadedWhileLoading());
    EXPECT_TRUE(sink.jobs.isEmpty());
    EXPECT_EQ(stored("text1").toString(), QStringLiteral("ร้านทดสอบ"));
}

TEST_F(Fprint2Window, OpenedFromTheSettingsShowsModally)
{
    ScriptedDialogs dialogs;
    bool sawPreview = false;
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<ReceiptWindow *>(d);
        ASSERT_NE(w, nullptr);
        sawPreview = w->ARViewer21->document().pageCount() == 1;
        EXPECT_TRUE(w->Text7->isVisible());
    });
    Module1::PrintSource = PrintSource::ReceiptSetup;
    ReceiptWindow::openWindow();
    EXPECT_TRUE(sawPreview);
    EXPECT_EQ(dialogs.opened.size(), 1);
}

} // namespace
