#include "labels/LabelWindow.h"
#include "LabelTestSupport.h"
#include "button/KasmoButton.h"
#include "labels/LabelLayout.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/ColorDialogs.h"
#include "shell/Messages.h"
#include "support/RecordingLayout.h"
#include "support/Screenshots.h"
#include "support/ShellFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

namespace {

class LabelWindowTest : public ShellFixture
{
protected:
    void TearDown() override
    {
        EXPECT_TRUE(colours.answers.isEmpty()) << "a colour answer was left unused";
        w.reset();
        ShellFixture::TearDown();
    }

    LabelWindow &open()
    {
        w = std::make_unique<LabelWindow>();
        w->Form_Load();
        w->show();
        QApplication::setActiveWindow(w.get());
        return *w;
    }
    QVariant stored(const char *column)
    {
        return db().scalar(QStringLiteral("SELECT %1 FROM tblSetBarcode WHERE PK = 1").arg(column));
    }
    void addProduct(
        int pk, const QString &code, const QString &name, const QVariant &des, double price)
    {
        db().execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDdes, PDsell) "
                                    "VALUES (?1, ?2, ?3, ?4, ?5)"),
            { pk, code, name, des, price });
    }
    // Types as a person does: one key press per character (Thai included).
    static void type(QWidget *box, const QString &text)
    {
        for (QChar c : text) {
            const int key = c.unicode() < 128 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown);
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key(key), QString(c), Qt::NoModifier);
        }
    }
    static void enter(QWidget *box) { QTest::keyClick(box, Qt::Key_Return); }
    static void click(QWidget *b) { QTest::mouseClick(b, Qt::LeftButton); }
    void preview()
    {
        if (w->Text15->text().trimmed().isEmpty())
            w->Text15->setText(QStringLiteral("PD-670000001"));
        click(w->kasmoButton1);
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const MessageRequest &m : boxes.shown)
            texts << m.text;
        return texts;
    }

    ScriptedColorDialogs colours;
    RecordingPrintSink sink;
    std::unique_ptr<LabelWindow> w;
};

QList<int> labelsPerRow(const ReportDocument &doc)
{
    QList<int> rows;
    double top = -1;
    for (const DrawOp &op : opsOf(doc, DrawOp::Barcode)) {
        if (rows.isEmpty() || qAbs(op.rect.top() - top) > 1) {
            rows << 0;
            top = op.rect.top();
        }
        ++rows.last();
    }
    return rows;
}

} // namespace

TEST_F(LabelWindowTest, OpensWithTheStoredRowAndNoSheet)
{
    db().execute(QStringLiteral(
        "UPDATE tblSetBarcode SET SpaperW = '10.0', SpaperH = '15.0', SKpaperT = '0.5', "
        "SKpaperD = '0.2', SKpaperL = '0.3', SKpaperR = '0.4', SSpaperW = '2.0', SSpaperH = '3', "
        "SBHcount = '3', SBarR = '1.5', SBarD = '4.0', SBarcode = '12345', SFsize = '12', "
        "SFsize1 = '15', SFsize2 = '16', SFbold1 = 1, SFbold2 = 0 WHERE PK = 1"));
    w = std::make_unique<LabelWindow>();
    // The design texts until the row replaces them.
    EXPECT_EQ(w->Text9->text(), QStringLiteral("4"));
    EXPECT_EQ(w->Text10->text(), QStringLiteral("2.0"));
    w->Form_Load();
    const std::pair<QLineEdit *, const char *> expected[] = {
        { w->text3, "10.0" },
        { w->text4, "15.0" },
        { w->Text1, "0.5" },
        { w->text2, "0.2" },
        { w->Text5, "0.3" },
        { w->Text6, "0.4" },
        { w->Text7, "2.0" },
        { w->Text12, "3" },
        { w->Text9, "3" },
        { w->Text10, "1.5" },
        { w->Text11, "4.0" },
        { w->Text13, "123" }, // the box holds three characters, put in or typed
        { w->Text8, "12" },
        { w->Text18, "15" },
        { w->Text19, "16" },
        { w->Text14, "1" },
        { w->Text15, "" },
        { w->Text16, "" },
        { w->Text17, "" },
    };
    for (const auto &[box, text] : expected)
        EXPECT_EQ(box->text(), QString::fromUtf8(text)) << box->accessibleName().toStdString();
    EXPECT_TRUE(w->Check1->isChecked());
    EXPECT_FALSE(w->Check2->isChecked());

    // A4 mode with the stored size shown in the disabled size boxes; portrait, Code_128, black.
    EXPECT_EQ(w->paperMode(), LabelPaperMode::A4);
    EXPECT_FALSE(w->Command1->isHidden());
    EXPECT_TRUE(w->Command2->isHidden());
    EXPECT_FALSE(w->text3->isEnabled());
    EXPECT_FALSE(w->text4->isEnabled());
    EXPECT_TRUE(w->Option1->isEnabled() && w->Option1->isChecked());
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("Code_128"));
    EXPECT_EQ(w->Combo1->count(), 2);
    EXPECT_EQ(w->labelColour(), QColor(Qt::black));

    // No sheet until a preview; the viewer's tools as every report window has them.
    EXPECT_TRUE(w->ARViewer21->document().isEmpty());
    EXPECT_EQ(w->LabelReport(), nullptr);
    EXPECT_FALSE(w->Command4->isEnabled());
    EXPECT_EQ(w->Command4->text(), QStringLiteral("ส่งออก PDF"));
    EXPECT_FALSE(w->ARViewer21->tool(0)->isEnabled() && w->ARViewer21->tool(0)->isVisible());
    EXPECT_EQ(w->ARViewer21->printTool()->text(), QStringLiteral("พิมพ์.."));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("สร้างบาร์โค๊ด"));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(boxes.count(), 0);
    w->show();
    saveScreenshot(w->grab(), QStringLiteral("label-window-opened.png"));

    // The sheet stays A4 whatever the size boxes hold.
    w->show();
    preview();
    ASSERT_NE(w->LabelReport(), nullptr);
    EXPECT_EQ(w->LabelReport()->PageSettings.paperSize, ReportPageSettings::A4);
    EXPECT_TRUE(w->Command4->isEnabled());
    EXPECT_EQ(stored("SBarcode").toString(), QStringLiteral("123"));
}

TEST_F(LabelWindowTest, DeliveredLayoutFitsAndTheResetRestoresItButNothingElse)
{
    open();
    // The delivered row: four labels a row, 2 cm apart, which A4 portrait holds.
    EXPECT_EQ(w->Text9->text(), QStringLiteral("4"));
    EXPECT_EQ(w->Text10->text(), QStringLiteral("2.0"));
    preview();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(labelsPerRow(w->ARViewer21->document()), QList<int>({ 4, 4 }));

    // Change everything, then reset.
    colours.answer(QColor(Qt::red));
    click(w->Command3);
    click(w->Command1); // custom paper
    w->Option2->setEnabled(true);
    w->Option2->setChecked(true);
    w->Option2->setEnabled(false);
    QList<QLineEdit *> all = w->setupBoxes();
    all << w->Text15 << w->Text16 << w->Text17;
    for (QLineEdit *box : all)
        box->setText(QStringLiteral("7"));
    w->Check1->setChecked(true);
    w->Check2->setChecked(true);
    w->Combo1->setCurrentIndex(1);
    const LabelSheetLayout *sheet = w->LabelReport();
    const QVariant storedPerRow = stored("SBHcount");
    const int shownBefore = boxes.count();
    click(w->kasmoButton5);

    const std::pair<QLineEdit *, const char *> reset[] = {
        { w->Text16, "" },
        { w->Text17, "" },
        { w->Text18, "13" },
        { w->Text19, "13" },
        { w->Text15, "" },
        { w->Text14, "1" },
        { w->text3, "21.0" },
        { w->text4, "29.7" },
        { w->Text1, "1.0" },
        { w->text2, "0.1" },
        { w->Text5, "1.0" },
        { w->Text6, "1.0" },
        { w->Text7, "1.5" },
        { w->Text12, "1" },
        { w->Text9, "4" },
        { w->Text10, "2.0" },
        { w->Text11, "3.0" },
        { w->Text13, "8" },
        { w->Text8, "14" },
    };
    for (const auto &[box, text] : reset)
        EXPECT_EQ(box->text(), QString::fromUtf8(text)) << box->accessibleName().toStdString();
    EXPECT_FALSE(w->Check1->isChecked());
    EXPECT_FALSE(w->Check2->isChecked());
    EXPECT_EQ(w->Combo1->currentIndex(), 0);
    EXPECT_EQ(w->labelColour(), QColor(Qt::black));
    // Paper mode, orientation, the sheet, the export button and the stored row stay.
    EXPECT_EQ(w->paperMode(), LabelPaperMode::Custom);
    EXPECT_TRUE(w->Option2->isChecked());
    EXPECT_EQ(w->LabelReport(), sheet);
    EXPECT_TRUE(w->Command4->isEnabled());
    EXPECT_EQ(stored("SBHcount"), storedPerRow);
    EXPECT_EQ(boxes.count(), shownBefore);

    // The colour dialog still holds red: cancelling it applies red again.
    w->Text15->setText(QStringLiteral("PD-670000001"));
    colours.cancel();
    click(w->Command3);
    EXPECT_EQ(colours.opened, QList<QColor>({ QColor(Qt::black), QColor(Qt::red) }));
    EXPECT_EQ(w->labelColour(), QColor(Qt::red));
    ASSERT_NE(w->LabelReport(), sheet);
    EXPECT_EQ(w->LabelReport()->Barcode1->foreColor, QColor(Qt::red));
    EXPECT_EQ(w->LabelReport()->Label2->foreColor, QColor(Qt::red));
}

TEST_F(LabelWindowTest, ProductLookUpFillsTheTextLinesAndPreviews)
{
    addProduct(
        1, QStringLiteral("PD-670000001"), QStringLiteral("น้ำดื่ม"), QStringLiteral("ตราช้าง"), 1250);
    addProduct(2, QStringLiteral("A'1"), QStringLiteral("ขนม"), QVariant(), 5.5);
    addProduct(3, QStringLiteral("LONG1"), QString(60, QChar(u'ก')), QString(60, QChar(u'ข')), 1);
    struct Case
    {
        const char *typed, *line1, *line2;
    };
    const QString longLine = QString(60, QChar(u'ก')) + QLatin1Char(' ') + QString(38, QChar(u'ข'));
    const Case cases[] = {
        { " pd-670000001 ", "น้ำดื่ม ตราช้าง", "ราคา 1,250.00 บาท" },
        { "A'1", "ขนม ", "ราคา 5.50 บาท" }, // no description: the name and a space
        { "LONG1", nullptr, "ราคา 1.00 บาท" }, // cut to 99 characters
        { "PD-67%", "", "" }, // matched whole: no pattern
        { "PD-6700000_1", "", "" },
        { "ZZZ", "", "" },
    };
    open();
    for (const Case &c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        SCOPED_TRACE(c.typed);
        w->Text15->clear();
        w->Text16->setText(QStringLiteral("เดิม"));
        w->Text17->setText(QStringLiteral("เดิม"));
        const LabelSheetLayout *before = w->LabelReport();
        type(w->Text15, typed);
        enter(w->Text15);
        EXPECT_EQ(w->Text15->text(), typed);
        EXPECT_EQ(w->Text16->text(), c.line1 ? QString::fromUtf8(c.line1) : longLine);
        EXPECT_EQ(w->Text17->text(), QString::fromUtf8(c.line2));
        EXPECT_NE(w->LabelReport(), before);
        EXPECT_TRUE(w->Command4->isEnabled());
    }
    EXPECT_EQ(w->Text16->maxLength(), 99);
    EXPECT_EQ(boxes.count(), 0);
    // The sheet prints the looked-up lines on every label.
    type(w->Text15, QStringLiteral("XX"));
    w->Text15->setText(QStringLiteral("PD-670000001"));
    enter(w->Text15);
    const ReportDocument &doc = w->ARViewer21->document();
    EXPECT_EQ(opsOf(doc, DrawOp::Text, QStringLiteral("น้ำดื่ม ตราช้าง")).size(), 8);
    EXPECT_EQ(opsOf(doc, DrawOp::Text, QStringLiteral("ราคา 1,250.00 บาท")).size(), 8);
}

TEST_F(LabelWindowTest, EmptyCodeRefusesThePreview)
{
    open();
    for (const char *code : { "", "   " }) {
        w->Text15->setText(QString::fromLatin1(code));
        w->Text16->setText(QStringLiteral("เดิม"));
        w->Text9->setFocus();
        enter(w->Text15); // the look-up empties the lines, then the preview refuses
        EXPECT_EQ(w->Text16->text(), QString());
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, LabelText::NoBarcodeValue);
        EXPECT_EQ(boxes.last().title, Msg::StatusTitle);
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        EXPECT_TRUE(w->Text15->hasFocus());
        boxes.clear();
    }
    // Any other way to the preview is refused alike; the paper button still switches.
    click(w->Command1);
    click(w->kasmoButton1);
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(w->paperMode(), LabelPaperMode::Custom);
    EXPECT_EQ(w->LabelReport(), nullptr);
    EXPECT_FALSE(w->Command4->isEnabled());
    EXPECT_EQ(stored("SBHcount").toString(), QStringLiteral("4"));
    w->Text9->setText(QStringLiteral("9"));
    click(w->kasmoButton1);
    EXPECT_EQ(stored("SBHcount").toString(), QStringLiteral("4")); // nothing stored
}

TEST_F(LabelWindowTest, SetUpBoxesFilterKeysAndHoldTheirLengths)
{
    RecordingLayout keyboard;
    open();
    w->Text15->setText(QStringLiteral("PD-670000001"));
    struct Box
    {
        QLineEdit *box;
        bool decimal;
        int length;
    };
    const Box table[] = {
        { w->Text14, false, 2 },
        { w->text3, true, 4 },
        { w->text4, true, 4 },
        { w->Text1, true, 4 },
        { w->text2, true, 4 },
        { w->Text5, true, 4 },
        { w->Text6, true, 4 },
        { w->Text7, true, 4 },
        { w->Text12, false, 1 },
        { w->Text9, false, 2 },
        { w->Text13, false, 3 },
        { w->Text8, false, 2 },
        { w->Text18, false, 2 },
        { w->Text19, false, 2 },
        { w->Text10, true, 4 },
        { w->Text11, true, 4 },
    };
    ASSERT_EQ(w->setupBoxes().size(), 16);
    click(w->Command1); // custom paper: the size boxes take keys too
    for (const Box &b : table) {
        SCOPED_TRACE(b.box->accessibleName().toStdString());
        EXPECT_TRUE(w->setupBoxes().contains(b.box));
        EXPECT_EQ(b.box->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        keyboard.current = QStringLiteral("th");
        keyboard.activations.clear();
        b.box->setFocus();
        EXPECT_EQ(keyboard.activations, QStringList { QStringLiteral("us") });
        b.box->clear();
        boxes.clear();

        // A letter is refused with the filter's message; "." only in the decimal boxes.
        type(b.box, QStringLiteral("a"));
        EXPECT_EQ(b.box->text(), QString());
        type(b.box, QStringLiteral("."));
        EXPECT_EQ(b.box->text(), b.decimal ? QStringLiteral(".") : QString());
        const QString refusal = b.decimal ? Msg::DecimalOnly : Msg::NumberOnly;
        EXPECT_EQ(messages(), QStringList(b.decimal ? 1 : 2, refusal));
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
        boxes.clear();

        // Digits up to the box's length; Backspace passes.
        b.box->clear();
        type(b.box, QStringLiteral("12345"));
        EXPECT_EQ(b.box->text(), QStringLiteral("12345").left(b.length));
        QTest::keyClick(b.box, Qt::Key_Backspace);
        EXPECT_EQ(b.box->text().size(), b.length - 1);
        b.box->setText(QStringLiteral("123456789").left(b.length + 2));
        EXPECT_EQ(b.box->text().size(), b.length);

        // The right button is refused.
        QTest::mousePress(b.box, Qt::RightButton);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, Msg::NoRightClick);
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
        QTest::mouseRelease(b.box, Qt::RightButton);

        // Enter runs the preview (the boxes' values are whatever the checks make of them).
        const LabelSheetLayout *before = w->LabelReport();
        enter(b.box);
        EXPECT_NE(w->LabelReport(), before);
    }

    // The code and the two text lines take every key, switch no keyboard, refuse no button.
    struct Free
    {
        QLineEdit *box;
        int length;
        bool enterPreviews;
    };
    for (const Free &f : { Free { w->Text15, 19, true }, Free { w->Text16, 99, true },
             Free { w->Text17, 55, true } }) {
        keyboard.activations.clear();
        f.box->setFocus();
        EXPECT_TRUE(keyboard.activations.isEmpty());
        f.box->clear();
        boxes.clear();
        type(f.box, QStringLiteral("ราคา a.%'"));
        EXPECT_EQ(f.box->text(), QStringLiteral("ราคา a.%'"));
        f.box->setText(QString(120, QChar(u'9')));
        EXPECT_EQ(f.box->text().size(), f.length);
        QTest::mousePress(f.box, Qt::RightButton);
        QTest::mouseRelease(f.box, Qt::RightButton);
        EXPECT_EQ(boxes.count(), 0);
    }
    w->Text15->setText(QStringLiteral("PD-670000001"));
    for (QLineEdit *line : { w->Text16, w->Text17 }) {
        const LabelSheetLayout *before = w->LabelReport();
        enter(line);
        EXPECT_NE(w->LabelReport(), before);
        EXPECT_EQ(line->text().size(), line->maxLength()); // Enter typed nothing
    }
}

// One preview with one box changed.
struct CheckCase
{
    const char *name;
    QLineEdit *LabelWindow::*box;
    const char *typed;
    const char *shownAfter;
    const char *message; // nullptr: none
    const char *column;
};

class PreviewChecks : public LabelWindowTest, public ::testing::WithParamInterface<CheckCase>
{
};

TEST_P(PreviewChecks, OneBox)
{
    const CheckCase &c = GetParam();
    open();
    (w.get()->*c.box)->setText(QString::fromUtf8(c.typed));
    preview();
    EXPECT_EQ((w.get()->*c.box)->text(), QString::fromUtf8(c.shownAfter));
    if (c.message) {
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(boxes.last().title, Msg::StatusTitle);
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    } else {
        EXPECT_EQ(boxes.count(), 0) << boxes.last().text.toStdString();
    }
    // The sheet is built and the row stored with the corrected box, blanks trimmed.
    EXPECT_NE(w->LabelReport(), nullptr);
    if (c.column) {
        EXPECT_EQ(stored(c.column).toString(), QString::fromUtf8(c.shownAfter).trimmed());
    }
}

#define PAPER "ขนาดกระดาษ ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 1 และ มากสุด = 100"
#define MARGIN "ขอบกระดาษ ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 0.1 และ มากสุด = 20"
#define BARS "ความยาว บาโค๊ด ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 1 และ มากสุด = 10"
#define RIGHT "ระยะห่างของบาร์โค๊ด ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 0.1 และ มากสุด = 20"
#define DOWN "ระยะห่างของบาร์โค๊ด ไม่ถูกต้อง กำหนดได้ที่ น้อยสุด = 1 และ มากสุด = 20"

// clang-format off
INSTANTIATE_TEST_SUITE_P(LabelWindow, PreviewChecks, ::testing::Values(
    CheckCase{"widthTooNarrow", &LabelWindow::text3, "0.5", "21.0", PAPER, "SpaperW"},
    CheckCase{"widthLeast", &LabelWindow::text3, "1", "1", nullptr, "SpaperW"},
    CheckCase{"widthMost", &LabelWindow::text3, "100", "100", nullptr, "SpaperW"},
    CheckCase{"widthTooWide", &LabelWindow::text3, "101", "21.0", PAPER, "SpaperW"},
    CheckCase{"lengthBlank", &LabelWindow::text4, "  ", "29.7", nullptr, "SpaperH"},
    CheckCase{"topLeast", &LabelWindow::Text1, "0.1", "0.1", nullptr, "SKpaperT"},
    CheckCase{"topTooSmall", &LabelWindow::Text1, "0.05", "1.0", MARGIN, "SKpaperT"},
    CheckCase{"bottomTooSmall", &LabelWindow::text2, "0.05", "0.1", MARGIN, "SKpaperD"},
    CheckCase{"leftZero", &LabelWindow::Text5, "0", "1.0", MARGIN, "SKpaperL"},
    CheckCase{"rightOnlyAPoint", &LabelWindow::Text6, ".", "1.0", MARGIN, "SKpaperR"},
    CheckCase{"topMost", &LabelWindow::Text1, "20", "20", nullptr, "SKpaperT"},
    CheckCase{"barsTooShort", &LabelWindow::Text7, "0.5", "1.5", BARS, "SSpaperW"},
    CheckCase{"barsLongest", &LabelWindow::Text7, "10", "10", nullptr, "SSpaperW"},
    CheckCase{"firstPositionZero", &LabelWindow::Text14, "0", "0", nullptr, nullptr},
    CheckCase{"firstPositionEmpty", &LabelWindow::Text14, "", "1", nullptr, nullptr},
    CheckCase{"thicknessZero", &LabelWindow::Text12, "0", "0", nullptr, "SSpaperH"},
    CheckCase{"perRowEmpty", &LabelWindow::Text9, "", "4", nullptr, "SBHcount"},
    CheckCase{"countZero", &LabelWindow::Text13, "0", "0", nullptr, "SBarcode"},
    CheckCase{"barcodeFontEmpty", &LabelWindow::Text8, "", "14", nullptr, "SFsize"},
    CheckCase{"line1FontZero", &LabelWindow::Text18, "0", "0", nullptr, "SFsize1"},
    CheckCase{"line2FontEmpty", &LabelWindow::Text19, " ", "13", nullptr, "SFsize2"},
    CheckCase{"spacingRightEmpty", &LabelWindow::Text10, "", "2.0", nullptr, "SBarR"},
    CheckCase{"spacingRightLeast", &LabelWindow::Text10, "0.1", "0.1", nullptr, "SBarR"},
    CheckCase{"spacingRightTooWide", &LabelWindow::Text10, "25", "2.0", RIGHT, "SBarR"},
    CheckCase{"spacingDownTooSmall", &LabelWindow::Text11, "0.5", "3.0", DOWN, "SBarD"},
    CheckCase{"spacingDownSpaces", &LabelWindow::Text11, " 2.5", " 2.5", nullptr, "SBarD"}
), [](const testing::TestParamInfo<CheckCase> &i) { return std::string(i.param.name); });
// clang-format on

TEST_F(LabelWindowTest, WrongBoxesAreToldInTableOrderAndTheRowStored)
{
    open();
    w->Text11->setText(QStringLiteral("0.5"));
    w->Text7->setText(QStringLiteral("11"));
    w->text3->setText(QStringLiteral("0.5"));
    w->Text10->setText(QStringLiteral(" 1.5"));
    w->Text13->setText(QStringLiteral("5 "));
    w->Check1->setChecked(true);
    preview();
    EXPECT_EQ(messages(),
        QStringList(
            { LabelText::PaperRange, LabelText::BarLengthRange, LabelText::SpacingDownRange }));
    // The sheet is built from the corrected boxes.
    ASSERT_NE(w->LabelReport(), nullptr);
    EXPECT_NEAR(w->LabelReport()->Detail()->height, cmToTwips(3.0), 0.01);
    EXPECT_NEAR(w->LabelReport()->Barcode1->height, cmToTwips(1.5), 0.01);
    EXPECT_EQ(opsOf(w->ARViewer21->document(), DrawOp::Barcode).size(), 5);

    const std::pair<const char *, QVariant> row[] = {
        { "SpaperW", "21.0" },
        { "SpaperH", "29.7" },
        { "SKpaperT", "1.0" },
        { "SKpaperD", "0.1" },
        { "SKpaperL", "1.0" },
        { "SKpaperR", "1.0" },
        { "SSpaperW", "1.5" },
        { "SSpaperH", "1" },
        { "SBHcount", "4" },
        { "SBarR", "1.5" },
        { "SBarD", "3.0" },
        { "SBarcode", "5" },
        { "SFsize", "14" },
        { "SFsize1", "13" },
        { "SFsize2", "13" },
        { "SFbold1", 1 },
        { "SFbold2", 0 },
    };
    for (const auto &[column, value] : row)
        EXPECT_EQ(stored(column), value) << column;
    // Read back when the window opens again.
    LabelWindow again;
    again.Form_Load();
    EXPECT_EQ(again.Text10->text(), QStringLiteral("1.5"));
    EXPECT_EQ(again.Text13->text(), QStringLiteral("5"));
    EXPECT_TRUE(again.Check1->isChecked());
}

TEST_F(LabelWindowTest, LabelsThatWouldLeaveThePaperAreFittedWithAMessage)
{
    open();
    w->Text9->setText(QStringLiteral("5"));
    w->Text10->setText(QStringLiteral("12.0"));
    preview();
    EXPECT_EQ(messages(), QStringList { LabelText::labelsPerRowRange(2) });
    EXPECT_EQ(boxes.last().title, Msg::StatusTitle);
    EXPECT_EQ(w->Text9->text(), QStringLiteral("2"));
    EXPECT_EQ(stored("SBHcount").toString(), QStringLiteral("2"));
    const ReportDocument &doc = w->ARViewer21->document();
    EXPECT_EQ(labelsPerRow(doc), QList<int>({ 2, 2, 2, 2 }));
    for (const DrawOp &op : opsOf(doc, DrawOp::Barcode))
        EXPECT_LE(op.rect.right(), doc.paperSize.width());

    // Landscape A4 holds five 2 cm apart; back to portrait, four.
    boxes.clear();
    w->Text9->setText(QStringLiteral("5"));
    w->Text10->setText(QStringLiteral("2.0"));
    click(w->Option2);
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(w->LabelReport()->PageSettings.orientation, ReportPageSettings::Landscape);
    EXPECT_EQ(labelsPerRow(w->ARViewer21->document()), QList<int>({ 5, 3 }));
    click(w->Option1);
    EXPECT_EQ(messages(), QStringList { LabelText::labelsPerRowRange(4) });
    EXPECT_EQ(labelsPerRow(w->ARViewer21->document()), QList<int>({ 4, 4 }));
}

TEST_F(LabelWindowTest, PaperButtonsSwitchTheModeAndPreview)
{
    open();
    w->Text15->setText(QStringLiteral("PD-670000001"));
    w->Text9->setText(QStringLiteral("1")); // one label a row fits the small paper
    w->text3->setText(QStringLiteral("10.0"));
    w->text4->setText(QStringLiteral("15.0"));
    click(w->Option2);
    ASSERT_NE(w->LabelReport(), nullptr);
    const LabelSheetLayout *landscape = w->LabelReport();
    EXPECT_EQ(landscape->PageSettings.paperSize, ReportPageSettings::A4);
    EXPECT_EQ(landscape->PageSettings.orientation, ReportPageSettings::Landscape);

    click(w->Command1);
    EXPECT_EQ(w->paperMode(), LabelPaperMode::Custom);
    EXPECT_TRUE(w->Command1->isHidden());
    EXPECT_FALSE(w->Command2->isHidden());
    EXPECT_TRUE(w->text3->isEnabled() && w->text4->isEnabled());
    EXPECT_FALSE(w->Option1->isEnabled() || w->Option2->isEnabled());
    EXPECT_TRUE(w->Option2->isChecked()); // keeps its selection
    saveScreenshot(w->grab(), QStringLiteral("label-window-custom.png"));
    ASSERT_NE(w->LabelReport(), landscape);
    const ReportPageSettings &custom = w->LabelReport()->PageSettings;
    EXPECT_EQ(custom.paperSize, ReportPageSettings::Custom);
    EXPECT_NEAR(custom.paperWidth, 5669.29, 0.01);
    EXPECT_NEAR(custom.paperHeight, 8503.94, 0.01);
    EXPECT_EQ(custom.orientation, ReportPageSettings::Landscape);

    w->text3->setText(QStringLiteral("12.5"));
    click(w->Command2);
    EXPECT_EQ(w->paperMode(), LabelPaperMode::A4);
    EXPECT_FALSE(w->Command1->isHidden());
    EXPECT_TRUE(w->Command2->isHidden());
    EXPECT_FALSE(w->text3->isEnabled());
    EXPECT_EQ(w->text3->text(), QStringLiteral("12.5"));
    EXPECT_EQ(w->LabelReport()->PageSettings.paperSize, ReportPageSettings::A4);
    EXPECT_EQ(stored("SpaperW").toString(), QStringLiteral("12.5"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(LabelWindowTest, ColourDialogColoursTheLabels)
{
    open();
    w->Text15->setText(QStringLiteral("PD-670000001"));
    colours.answer(QColor(0, 0, 200));
    click(w->Command3);
    EXPECT_EQ(colours.opened, QList<QColor> { QColor(Qt::black) });
    EXPECT_EQ(w->labelColour(), QColor(0, 0, 200));
    ASSERT_NE(w->LabelReport(), nullptr);
    const ReportDocument &doc = w->ARViewer21->document();
    for (const DrawOp &op : opsOf(doc, DrawOp::Barcode))
        EXPECT_EQ(op.color, QColor(0, 0, 200));
    for (const DrawOp &op : opsOf(doc, DrawOp::Text))
        EXPECT_EQ(op.color, QColor(0, 0, 200));
    // The button shows the colour: most of its face is that colour.
    const QImage face = w->Command3->grab().toImage();
    QHash<QRgb, int> shades;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            ++shades[face.pixel(x, y) | 0xff000000u];
    const auto most = std::max_element(shades.cbegin(), shades.cend());
    EXPECT_EQ(QColor(most.key()), QColor(0, 0, 200));

    // Changing the type or a bold flag runs nothing; the next preview carries them.
    const LabelSheetLayout *sheet = w->LabelReport();
    w->Combo1->setCurrentIndex(1);
    click(w->Check2);
    EXPECT_EQ(w->LabelReport(), sheet);
    w->Text15->setText(QStringLiteral("885099932001"));
    enter(w->Text14);
    EXPECT_EQ(w->LabelReport()->Barcode1->style, 18);
    EXPECT_TRUE(w->LabelReport()->Label2->font.bold);
    EXPECT_EQ(stored("SFbold2").toInt(), 1);
}

TEST_F(LabelWindowTest, AFailedStoreSaysSoOnceAndTheSheetStays)
{
    open();
    db().execute(QStringLiteral("DELETE FROM tblSetBarcode"));
    for (int run = 1; run <= 2; ++run) {
        preview();
        ASSERT_EQ(boxes.count(), run);
        EXPECT_EQ(boxes.last().text, LabelText::StoreFailed + LabelText::NoLayoutRow);
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
        EXPECT_NE(w->LabelReport(), nullptr);
        EXPECT_FALSE(w->ARViewer21->document().isEmpty());
        EXPECT_TRUE(w->Command4->isEnabled());
    }
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM tblSetBarcode")).toInt(), 0);

    // A window opened without the row keeps its design texts.
    LabelWindow fresh;
    fresh.Form_Load();
    EXPECT_EQ(fresh.Text9->text(), QStringLiteral("4"));
    EXPECT_EQ(boxes.count(), 2);
}

TEST_F(LabelWindowTest, PrintToolPrintsTheSheet)
{
    open();
    preview();
    w->ARViewer21->printTool()->trigger();
    ASSERT_EQ(sink.jobs.size(), 1);
    EXPECT_TRUE(sink.jobs[0].showDialog);
    EXPECT_EQ(opsOf(sink.jobs[0].document, DrawOp::Barcode).size(), 8);
}

TEST_F(LabelWindowTest, ExportedSheetScansBackOnEveryLabel)
{
    addProduct(1, QStringLiteral("PD-670000001"), QStringLiteral("น้ำดื่ม"),
        QStringLiteral("ตราช้าง 600 มล."), 12);
    addProduct(
        2, QStringLiteral("885099932001"), QStringLiteral("ขนมปัง"), QStringLiteral("โฮลวีท"), 35);
    struct Case
    {
        const char *code;
        int type;
        const char *first;
        int labels;
        const char *scanned;
    };
    const Case cases[] = {
        { "PD-670000001", 0, "1", 8, "CODE-128:PD-670000001" },
        { "885099932001", 1, "3", 8, "EAN-13:8850999320014" },
    };
    open();
    QTemporaryDir dir;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.code);
        w->Combo1->setCurrentIndex(c.type);
        w->Text14->setText(QString::fromLatin1(c.first));
        w->Text15->clear();
        type(w->Text15, QString::fromLatin1(c.code));
        enter(w->Text15);
        saveScreenshot(w->grab(), QStringLiteral("label-window-%1.png").arg(c.type));

        const QString base = dir.filePath(QStringLiteral("sheet%1").arg(c.type));
        files.answer(base);
        click(w->Command4);
        ASSERT_EQ(files.requests.size(), c.type + 1);
        EXPECT_EQ(files.requests.last().title, QStringLiteral("เลือกตำแหน่งบันทึก PDF"));
        const QString pdf = base + QStringLiteral(".pdf");
        ASSERT_TRUE(QFileInfo::exists(pdf));
        const QString info = runTool(QStringLiteral("pdfinfo"), { pdf });
        EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
        runTool(QStringLiteral("pdftoppm"),
            { QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                QStringLiteral("-singlefile"), pdf, base });
        const QString png = base + QStringLiteral(".png");
        ASSERT_TRUE(QFileInfo::exists(png));
        saveScreenshot(QImage(png), QStringLiteral("label-sheet-pdf-%1.png").arg(c.type));
        EXPECT_EQ(scanLabels(QImage(png), w->ARViewer21->document()),
            QStringList(c.labels, QString::fromLatin1(c.scanned)));
    }
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(LabelWindowTest, OpenedModallyFromItsOpeners)
{
    db().execute(QStringLiteral("UPDATE tblSetBarcode SET SBHcount = '3' WHERE PK = 1"));
    QString shown;
    dialogs.then([&](QDialog *d) {
        auto *labels = qobject_cast<LabelWindow *>(d);
        ASSERT_NE(labels, nullptr);
        shown = labels->Text9->text();
        EXPECT_TRUE(labels->isModal());
    });
    LabelWindow::showModal();
    EXPECT_EQ(shown, QStringLiteral("3"));
    EXPECT_EQ(dialogs.opened, QList<QString> { QStringLiteral("LabelWindow") });
}
