#include "labels/LabelWindow.h"
#include "LabelTestSupport.h"
#include "button/KasmoButton.h"
#include "labels/LabelLayout.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/ColorDialogs.h"
#include "shell/Messages.h"
#include "support/FindControl.h"
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

// A control of the window, found by its name.
template <typename T> T *in(const QWidget &window, const char *name)
{
    return control<T>(&window, QString::fromLatin1(name));
}

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
        w->load();
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
        if (in<QLineEdit>(*w, "barcodeBox")->text().trimmed().isEmpty())
            in<QLineEdit>(*w, "barcodeBox")->setText(QStringLiteral("PD-670000001"));
        click(in<KasmoButton>(*w, "previewButton"));
    }
    // The sixteen set-up boxes, in the order the preview checks them.
    QList<QLineEdit *> setupBoxes() const
    {
        QList<QLineEdit *> out;
        for (const char *name :
            { "firstPositionBox", "paperWidthBox", "paperLengthBox", "topMarginBox",
                "bottomMarginBox", "leftMarginBox", "rightMarginBox", "barLengthBox",
                "barThicknessBox", "labelsPerRowBox", "labelCountBox", "barcodeSizeBox",
                "line1SizeBox", "line2SizeBox", "spacingRightBox", "spacingDownBox" })
            out << in<QLineEdit>(*w, name);
        return out;
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
    EXPECT_EQ(in<QLineEdit>(*w, "labelsPerRowBox")->text(), QStringLiteral("4"));
    EXPECT_EQ(in<QLineEdit>(*w, "spacingRightBox")->text(), QStringLiteral("2.0"));
    w->load();
    const std::pair<QLineEdit *, const char *> expected[] = {
        { in<QLineEdit>(*w, "paperWidthBox"), "10.0" },
        { in<QLineEdit>(*w, "paperLengthBox"), "15.0" },
        { in<QLineEdit>(*w, "topMarginBox"), "0.5" },
        { in<QLineEdit>(*w, "bottomMarginBox"), "0.2" },
        { in<QLineEdit>(*w, "leftMarginBox"), "0.3" },
        { in<QLineEdit>(*w, "rightMarginBox"), "0.4" },
        { in<QLineEdit>(*w, "barLengthBox"), "2.0" },
        { in<QLineEdit>(*w, "barThicknessBox"), "3" },
        { in<QLineEdit>(*w, "labelsPerRowBox"), "3" },
        { in<QLineEdit>(*w, "spacingRightBox"), "1.5" },
        { in<QLineEdit>(*w, "spacingDownBox"), "4.0" },
        { in<QLineEdit>(*w, "labelCountBox"),
            "123" }, // the box holds three characters, put in or typed
        { in<QLineEdit>(*w, "barcodeSizeBox"), "12" },
        { in<QLineEdit>(*w, "line1SizeBox"), "15" },
        { in<QLineEdit>(*w, "line2SizeBox"), "16" },
        { in<QLineEdit>(*w, "firstPositionBox"), "1" },
        { in<QLineEdit>(*w, "barcodeBox"), "" },
        { in<QLineEdit>(*w, "line1Box"), "" },
        { in<QLineEdit>(*w, "line2Box"), "" },
    };
    for (const auto &[box, text] : expected)
        EXPECT_EQ(box->text(), QString::fromUtf8(text)) << box->accessibleName().toStdString();
    EXPECT_TRUE(in<QCheckBox>(*w, "line1BoldCheck")->isChecked());
    EXPECT_FALSE(in<QCheckBox>(*w, "line2BoldCheck")->isChecked());

    // A4 mode with the stored size shown in the disabled size boxes; portrait, Code_128, black.
    EXPECT_EQ(w->paperMode(), LabelPaperMode::A4);
    EXPECT_FALSE(in<QPushButton>(*w, "customPaperButton")->isHidden());
    EXPECT_TRUE(in<QPushButton>(*w, "a4Button")->isHidden());
    EXPECT_FALSE(in<QLineEdit>(*w, "paperWidthBox")->isEnabled());
    EXPECT_FALSE(in<QLineEdit>(*w, "paperLengthBox")->isEnabled());
    EXPECT_TRUE(in<QRadioButton>(*w, "portraitOption")->isEnabled()
        && in<QRadioButton>(*w, "portraitOption")->isChecked());
    EXPECT_EQ(in<QComboBox>(*w, "barcodeTypeList")->currentText(), QStringLiteral("Code_128"));
    EXPECT_EQ(in<QComboBox>(*w, "barcodeTypeList")->count(), 2);
    EXPECT_EQ(w->labelColour(), QColor(Qt::black));

    // No sheet until a preview; the viewer's tools as every report window has them.
    EXPECT_TRUE(in<ReportViewer>(*w, "sheetViewer")->document().isEmpty());
    EXPECT_EQ(w->sheet(), nullptr);
    EXPECT_FALSE(in<QPushButton>(*w, "exportPdfButton")->isEnabled());
    EXPECT_EQ(in<QPushButton>(*w, "exportPdfButton")->text(), QStringLiteral("ส่งออก PDF"));
    EXPECT_FALSE(in<ReportViewer>(*w, "sheetViewer")->tool(0)->isEnabled()
        && in<ReportViewer>(*w, "sheetViewer")->tool(0)->isVisible());
    EXPECT_EQ(in<ReportViewer>(*w, "sheetViewer")->printTool()->text(), QStringLiteral("พิมพ์.."));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("สร้างบาร์โค๊ด"));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(w->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(boxes.count(), 0);
    w->show();
    saveScreenshot(w->grab(), QStringLiteral("label-window-opened.png"));

    // The sheet stays A4 whatever the size boxes hold.
    w->show();
    preview();
    ASSERT_NE(w->sheet(), nullptr);
    EXPECT_EQ(w->sheet()->PageSettings.paperSize, ReportPageSettings::A4);
    EXPECT_TRUE(in<QPushButton>(*w, "exportPdfButton")->isEnabled());
    EXPECT_EQ(stored("SBarcode").toString(), QStringLiteral("123"));
}

TEST_F(LabelWindowTest, DeliveredLayoutFitsAndTheResetRestoresItButNothingElse)
{
    open();
    // The delivered row: four labels a row, 2 cm apart, which A4 portrait holds.
    EXPECT_EQ(in<QLineEdit>(*w, "labelsPerRowBox")->text(), QStringLiteral("4"));
    EXPECT_EQ(in<QLineEdit>(*w, "spacingRightBox")->text(), QStringLiteral("2.0"));
    preview();
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(labelsPerRow(in<ReportViewer>(*w, "sheetViewer")->document()), QList<int>({ 4, 4 }));

    // Change everything, then reset.
    colours.answer(QColor(Qt::red));
    click(in<QPushButton>(*w, "colourButton"));
    click(in<QPushButton>(*w, "customPaperButton")); // custom paper
    in<QRadioButton>(*w, "landscapeOption")->setEnabled(true);
    in<QRadioButton>(*w, "landscapeOption")->setChecked(true);
    in<QRadioButton>(*w, "landscapeOption")->setEnabled(false);
    QList<QLineEdit *> all = setupBoxes();
    all << in<QLineEdit>(*w, "barcodeBox") << in<QLineEdit>(*w, "line1Box")
        << in<QLineEdit>(*w, "line2Box");
    for (QLineEdit *box : all)
        box->setText(QStringLiteral("7"));
    in<QCheckBox>(*w, "line1BoldCheck")->setChecked(true);
    in<QCheckBox>(*w, "line2BoldCheck")->setChecked(true);
    in<QComboBox>(*w, "barcodeTypeList")->setCurrentIndex(1);
    const LabelSheetLayout *sheet = w->sheet();
    const QVariant storedPerRow = stored("SBHcount");
    const int shownBefore = boxes.count();
    click(in<KasmoButton>(*w, "resetButton"));

    const std::pair<QLineEdit *, const char *> reset[] = {
        { in<QLineEdit>(*w, "line1Box"), "" },
        { in<QLineEdit>(*w, "line2Box"), "" },
        { in<QLineEdit>(*w, "line1SizeBox"), "13" },
        { in<QLineEdit>(*w, "line2SizeBox"), "13" },
        { in<QLineEdit>(*w, "barcodeBox"), "" },
        { in<QLineEdit>(*w, "firstPositionBox"), "1" },
        { in<QLineEdit>(*w, "paperWidthBox"), "21.0" },
        { in<QLineEdit>(*w, "paperLengthBox"), "29.7" },
        { in<QLineEdit>(*w, "topMarginBox"), "1.0" },
        { in<QLineEdit>(*w, "bottomMarginBox"), "0.1" },
        { in<QLineEdit>(*w, "leftMarginBox"), "1.0" },
        { in<QLineEdit>(*w, "rightMarginBox"), "1.0" },
        { in<QLineEdit>(*w, "barLengthBox"), "1.5" },
        { in<QLineEdit>(*w, "barThicknessBox"), "1" },
        { in<QLineEdit>(*w, "labelsPerRowBox"), "4" },
        { in<QLineEdit>(*w, "spacingRightBox"), "2.0" },
        { in<QLineEdit>(*w, "spacingDownBox"), "3.0" },
        { in<QLineEdit>(*w, "labelCountBox"), "8" },
        { in<QLineEdit>(*w, "barcodeSizeBox"), "14" },
    };
    for (const auto &[box, text] : reset)
        EXPECT_EQ(box->text(), QString::fromUtf8(text)) << box->accessibleName().toStdString();
    EXPECT_FALSE(in<QCheckBox>(*w, "line1BoldCheck")->isChecked());
    EXPECT_FALSE(in<QCheckBox>(*w, "line2BoldCheck")->isChecked());
    EXPECT_EQ(in<QComboBox>(*w, "barcodeTypeList")->currentIndex(), 0);
    EXPECT_EQ(w->labelColour(), QColor(Qt::black));
    // Paper mode, orientation, the sheet, the export button and the stored row stay.
    EXPECT_EQ(w->paperMode(), LabelPaperMode::Custom);
    EXPECT_TRUE(in<QRadioButton>(*w, "landscapeOption")->isChecked());
    EXPECT_EQ(w->sheet(), sheet);
    EXPECT_TRUE(in<QPushButton>(*w, "exportPdfButton")->isEnabled());
    EXPECT_EQ(stored("SBHcount"), storedPerRow);
    EXPECT_EQ(boxes.count(), shownBefore);

    // The colour dialog still holds red: cancelling it applies red again.
    in<QLineEdit>(*w, "barcodeBox")->setText(QStringLiteral("PD-670000001"));
    colours.cancel();
    click(in<QPushButton>(*w, "colourButton"));
    EXPECT_EQ(colours.opened, QList<QColor>({ QColor(Qt::black), QColor(Qt::red) }));
    EXPECT_EQ(w->labelColour(), QColor(Qt::red));
    ASSERT_NE(w->sheet(), sheet);
    EXPECT_EQ(w->sheet()->barcode()->foreColor, QColor(Qt::red));
    EXPECT_EQ(w->sheet()->line2()->foreColor, QColor(Qt::red));
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
        in<QLineEdit>(*w, "barcodeBox")->clear();
        in<QLineEdit>(*w, "line1Box")->setText(QStringLiteral("เดิม"));
        in<QLineEdit>(*w, "line2Box")->setText(QStringLiteral("เดิม"));
        const LabelSheetLayout *before = w->sheet();
        type(in<QLineEdit>(*w, "barcodeBox"), typed);
        enter(in<QLineEdit>(*w, "barcodeBox"));
        EXPECT_EQ(in<QLineEdit>(*w, "barcodeBox")->text(), typed);
        EXPECT_EQ(
            in<QLineEdit>(*w, "line1Box")->text(), c.line1 ? QString::fromUtf8(c.line1) : longLine);
        EXPECT_EQ(in<QLineEdit>(*w, "line2Box")->text(), QString::fromUtf8(c.line2));
        EXPECT_NE(w->sheet(), before);
        EXPECT_TRUE(in<QPushButton>(*w, "exportPdfButton")->isEnabled());
    }
    EXPECT_EQ(in<QLineEdit>(*w, "line1Box")->maxLength(), 99);
    EXPECT_EQ(boxes.count(), 0);
    // The sheet prints the looked-up lines on every label.
    type(in<QLineEdit>(*w, "barcodeBox"), QStringLiteral("XX"));
    in<QLineEdit>(*w, "barcodeBox")->setText(QStringLiteral("PD-670000001"));
    enter(in<QLineEdit>(*w, "barcodeBox"));
    const ReportDocument &doc = in<ReportViewer>(*w, "sheetViewer")->document();
    EXPECT_EQ(opsOf(doc, DrawOp::Text, QStringLiteral("น้ำดื่ม ตราช้าง")).size(), 8);
    EXPECT_EQ(opsOf(doc, DrawOp::Text, QStringLiteral("ราคา 1,250.00 บาท")).size(), 8);
}

TEST_F(LabelWindowTest, EmptyCodeRefusesThePreview)
{
    open();
    for (const char *code : { "", "   " }) {
        in<QLineEdit>(*w, "barcodeBox")->setText(QString::fromLatin1(code));
        in<QLineEdit>(*w, "line1Box")->setText(QStringLiteral("เดิม"));
        in<QLineEdit>(*w, "labelsPerRowBox")->setFocus();
        enter(in<QLineEdit>(
            *w, "barcodeBox")); // the look-up empties the lines, then the preview refuses
        EXPECT_EQ(in<QLineEdit>(*w, "line1Box")->text(), QString());
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, LabelText::NoBarcodeValue);
        EXPECT_EQ(boxes.last().title, Msg::StatusTitle);
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        EXPECT_TRUE(in<QLineEdit>(*w, "barcodeBox")->hasFocus());
        boxes.clear();
    }
    // Any other way to the preview is refused alike; the paper button still switches.
    click(in<QPushButton>(*w, "customPaperButton"));
    click(in<KasmoButton>(*w, "previewButton"));
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(w->paperMode(), LabelPaperMode::Custom);
    EXPECT_EQ(w->sheet(), nullptr);
    EXPECT_FALSE(in<QPushButton>(*w, "exportPdfButton")->isEnabled());
    EXPECT_EQ(stored("SBHcount").toString(), QStringLiteral("4"));
    in<QLineEdit>(*w, "labelsPerRowBox")->setText(QStringLiteral("9"));
    click(in<KasmoButton>(*w, "previewButton"));
    EXPECT_EQ(stored("SBHcount").toString(), QStringLiteral("4")); // nothing stored
}

TEST_F(LabelWindowTest, SetUpBoxesFilterKeysAndHoldTheirLengths)
{
    RecordingLayout keyboard;
    open();
    in<QLineEdit>(*w, "barcodeBox")->setText(QStringLiteral("PD-670000001"));
    struct Box
    {
        QLineEdit *box;
        bool decimal;
        int length;
    };
    const Box table[] = {
        { in<QLineEdit>(*w, "firstPositionBox"), false, 2 },
        { in<QLineEdit>(*w, "paperWidthBox"), true, 4 },
        { in<QLineEdit>(*w, "paperLengthBox"), true, 4 },
        { in<QLineEdit>(*w, "topMarginBox"), true, 4 },
        { in<QLineEdit>(*w, "bottomMarginBox"), true, 4 },
        { in<QLineEdit>(*w, "leftMarginBox"), true, 4 },
        { in<QLineEdit>(*w, "rightMarginBox"), true, 4 },
        { in<QLineEdit>(*w, "barLengthBox"), true, 4 },
        { in<QLineEdit>(*w, "barThicknessBox"), false, 1 },
        { in<QLineEdit>(*w, "labelsPerRowBox"), false, 2 },
        { in<QLineEdit>(*w, "labelCountBox"), false, 3 },
        { in<QLineEdit>(*w, "barcodeSizeBox"), false, 2 },
        { in<QLineEdit>(*w, "line1SizeBox"), false, 2 },
        { in<QLineEdit>(*w, "line2SizeBox"), false, 2 },
        { in<QLineEdit>(*w, "spacingRightBox"), true, 4 },
        { in<QLineEdit>(*w, "spacingDownBox"), true, 4 },
    };
    ASSERT_EQ(setupBoxes().size(), qsizetype(std::size(table)));
    click(in<QPushButton>(*w, "customPaperButton")); // custom paper: the size boxes take keys too
    for (const Box &b : table) {
        SCOPED_TRACE(b.box->accessibleName().toStdString());
        EXPECT_TRUE(setupBoxes().contains(b.box));
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
        const LabelSheetLayout *before = w->sheet();
        enter(b.box);
        EXPECT_NE(w->sheet(), before);
    }

    // The code and the two text lines take every key, switch no keyboard, refuse no button.
    struct Free
    {
        QLineEdit *box;
        int length;
        bool enterPreviews;
    };
    for (const Free &f : { Free { in<QLineEdit>(*w, "barcodeBox"), 19, true },
             Free { in<QLineEdit>(*w, "line1Box"), 99, true },
             Free { in<QLineEdit>(*w, "line2Box"), 55, true } }) {
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
    in<QLineEdit>(*w, "barcodeBox")->setText(QStringLiteral("PD-670000001"));
    for (QLineEdit *line : { in<QLineEdit>(*w, "line1Box"), in<QLineEdit>(*w, "line2Box") }) {
        const LabelSheetLayout *before = w->sheet();
        enter(line);
        EXPECT_NE(w->sheet(), before);
        EXPECT_EQ(line->text().size(), line->maxLength()); // Enter typed nothing
    }
}

// One preview with one box changed.
struct CheckCase
{
    const char *name;
    const char *box;
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
    in<QLineEdit>(*w, c.box)->setText(QString::fromUtf8(c.typed));
    preview();
    EXPECT_EQ(in<QLineEdit>(*w, c.box)->text(), QString::fromUtf8(c.shownAfter));
    if (c.message) {
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, QString::fromUtf8(c.message));
        EXPECT_EQ(boxes.last().title, Msg::StatusTitle);
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    } else {
        EXPECT_EQ(boxes.count(), 0) << boxes.last().text.toStdString();
    }
    // The sheet is built and the row stored with the corrected box, blanks trimmed.
    EXPECT_NE(w->sheet(), nullptr);
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
    CheckCase{"widthTooNarrow", "paperWidthBox", "0.5", "21.0", PAPER, "SpaperW"},
    CheckCase{"widthLeast", "paperWidthBox", "1", "1", nullptr, "SpaperW"},
    CheckCase{"widthMost", "paperWidthBox", "100", "100", nullptr, "SpaperW"},
    CheckCase{"widthTooWide", "paperWidthBox", "101", "21.0", PAPER, "SpaperW"},
    CheckCase{"lengthBlank", "paperLengthBox", "  ", "29.7", nullptr, "SpaperH"},
    CheckCase{"topLeast", "topMarginBox", "0.1", "0.1", nullptr, "SKpaperT"},
    CheckCase{"topTooSmall", "topMarginBox", "0.05", "1.0", MARGIN, "SKpaperT"},
    CheckCase{"bottomTooSmall", "bottomMarginBox", "0.05", "0.1", MARGIN, "SKpaperD"},
    CheckCase{"leftZero", "leftMarginBox", "0", "1.0", MARGIN, "SKpaperL"},
    CheckCase{"rightOnlyAPoint", "rightMarginBox", ".", "1.0", MARGIN, "SKpaperR"},
    CheckCase{"topMost", "topMarginBox", "20", "20", nullptr, "SKpaperT"},
    CheckCase{"barsTooShort", "barLengthBox", "0.5", "1.5", BARS, "SSpaperW"},
    CheckCase{"barsLongest", "barLengthBox", "10", "10", nullptr, "SSpaperW"},
    CheckCase{"firstPositionZero", "firstPositionBox", "0", "0", nullptr, nullptr},
    CheckCase{"firstPositionEmpty", "firstPositionBox", "", "1", nullptr, nullptr},
    CheckCase{"thicknessZero", "barThicknessBox", "0", "0", nullptr, "SSpaperH"},
    CheckCase{"perRowEmpty", "labelsPerRowBox", "", "4", nullptr, "SBHcount"},
    CheckCase{"countZero", "labelCountBox", "0", "0", nullptr, "SBarcode"},
    CheckCase{"barcodeFontEmpty", "barcodeSizeBox", "", "14", nullptr, "SFsize"},
    CheckCase{"line1FontZero", "line1SizeBox", "0", "0", nullptr, "SFsize1"},
    CheckCase{"line2FontEmpty", "line2SizeBox", " ", "13", nullptr, "SFsize2"},
    CheckCase{"spacingRightEmpty", "spacingRightBox", "", "2.0", nullptr, "SBarR"},
    CheckCase{"spacingRightLeast", "spacingRightBox", "0.1", "0.1", nullptr, "SBarR"},
    CheckCase{"spacingRightTooWide", "spacingRightBox", "25", "2.0", RIGHT, "SBarR"},
    CheckCase{"spacingDownTooSmall", "spacingDownBox", "0.5", "3.0", DOWN, "SBarD"},
    CheckCase{"spacingDownSpaces", "spacingDownBox", " 2.5", " 2.5", nullptr, "SBarD"}
), [](const testing::TestParamInfo<CheckCase> &i) { return std::string(i.param.name); });
// clang-format on

TEST_F(LabelWindowTest, WrongBoxesAreToldInTableOrderAndTheRowStored)
{
    open();
    in<QLineEdit>(*w, "spacingDownBox")->setText(QStringLiteral("0.5"));
    in<QLineEdit>(*w, "barLengthBox")->setText(QStringLiteral("11"));
    in<QLineEdit>(*w, "paperWidthBox")->setText(QStringLiteral("0.5"));
    in<QLineEdit>(*w, "spacingRightBox")->setText(QStringLiteral(" 1.5"));
    in<QLineEdit>(*w, "labelCountBox")->setText(QStringLiteral("5 "));
    in<QCheckBox>(*w, "line1BoldCheck")->setChecked(true);
    preview();
    EXPECT_EQ(messages(),
        QStringList(
            { LabelText::PaperRange, LabelText::BarLengthRange, LabelText::SpacingDownRange }));
    // The sheet is built from the corrected boxes.
    ASSERT_NE(w->sheet(), nullptr);
    EXPECT_NEAR(w->sheet()->Detail()->height, cmToTwips(3.0), 0.01);
    EXPECT_NEAR(w->sheet()->barcode()->height, cmToTwips(1.5), 0.01);
    EXPECT_EQ(opsOf(in<ReportViewer>(*w, "sheetViewer")->document(), DrawOp::Barcode).size(), 5);

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
    again.load();
    EXPECT_EQ(in<QLineEdit>(again, "spacingRightBox")->text(), QStringLiteral("1.5"));
    EXPECT_EQ(in<QLineEdit>(again, "labelCountBox")->text(), QStringLiteral("5"));
    EXPECT_TRUE(in<QCheckBox>(again, "line1BoldCheck")->isChecked());
}

TEST_F(LabelWindowTest, LabelsThatWouldLeaveThePaperAreFittedWithAMessage)
{
    open();
    in<QLineEdit>(*w, "labelsPerRowBox")->setText(QStringLiteral("5"));
    in<QLineEdit>(*w, "spacingRightBox")->setText(QStringLiteral("12.0"));
    preview();
    EXPECT_EQ(messages(), QStringList { LabelText::labelsPerRowRange(2) });
    EXPECT_EQ(boxes.last().title, Msg::StatusTitle);
    EXPECT_EQ(in<QLineEdit>(*w, "labelsPerRowBox")->text(), QStringLiteral("2"));
    EXPECT_EQ(stored("SBHcount").toString(), QStringLiteral("2"));
    const ReportDocument &doc = in<ReportViewer>(*w, "sheetViewer")->document();
    EXPECT_EQ(labelsPerRow(doc), QList<int>({ 2, 2, 2, 2 }));
    for (const DrawOp &op : opsOf(doc, DrawOp::Barcode))
        EXPECT_LE(op.rect.right(), doc.paperSize.width());

    // Landscape A4 holds five 2 cm apart; back to portrait, four.
    boxes.clear();
    in<QLineEdit>(*w, "labelsPerRowBox")->setText(QStringLiteral("5"));
    in<QLineEdit>(*w, "spacingRightBox")->setText(QStringLiteral("2.0"));
    click(in<QRadioButton>(*w, "landscapeOption"));
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(w->sheet()->PageSettings.orientation, ReportPageSettings::Landscape);
    EXPECT_EQ(labelsPerRow(in<ReportViewer>(*w, "sheetViewer")->document()), QList<int>({ 5, 3 }));
    click(in<QRadioButton>(*w, "portraitOption"));
    EXPECT_EQ(messages(), QStringList { LabelText::labelsPerRowRange(4) });
    EXPECT_EQ(labelsPerRow(in<ReportViewer>(*w, "sheetViewer")->document()), QList<int>({ 4, 4 }));
}

TEST_F(LabelWindowTest, PaperButtonsSwitchTheModeAndPreview)
{
    open();
    in<QLineEdit>(*w, "barcodeBox")->setText(QStringLiteral("PD-670000001"));
    in<QLineEdit>(*w, "labelsPerRowBox")
        ->setText(QStringLiteral("1")); // one label a row fits the small paper
    in<QLineEdit>(*w, "paperWidthBox")->setText(QStringLiteral("10.0"));
    in<QLineEdit>(*w, "paperLengthBox")->setText(QStringLiteral("15.0"));
    click(in<QRadioButton>(*w, "landscapeOption"));
    ASSERT_NE(w->sheet(), nullptr);
    const LabelSheetLayout *landscape = w->sheet();
    EXPECT_EQ(landscape->PageSettings.paperSize, ReportPageSettings::A4);
    EXPECT_EQ(landscape->PageSettings.orientation, ReportPageSettings::Landscape);

    click(in<QPushButton>(*w, "customPaperButton"));
    EXPECT_EQ(w->paperMode(), LabelPaperMode::Custom);
    EXPECT_TRUE(in<QPushButton>(*w, "customPaperButton")->isHidden());
    EXPECT_FALSE(in<QPushButton>(*w, "a4Button")->isHidden());
    EXPECT_TRUE(in<QLineEdit>(*w, "paperWidthBox")->isEnabled()
        && in<QLineEdit>(*w, "paperLengthBox")->isEnabled());
    EXPECT_FALSE(in<QRadioButton>(*w, "portraitOption")->isEnabled()
        || in<QRadioButton>(*w, "landscapeOption")->isEnabled());
    EXPECT_TRUE(in<QRadioButton>(*w, "landscapeOption")->isChecked()); // keeps its selection
    saveScreenshot(w->grab(), QStringLiteral("label-window-custom.png"));
    ASSERT_NE(w->sheet(), landscape);
    const ReportPageSettings &custom = w->sheet()->PageSettings;
    EXPECT_EQ(custom.paperSize, ReportPageSettings::Custom);
    EXPECT_NEAR(custom.paperWidth, 5669.29, 0.01);
    EXPECT_NEAR(custom.paperHeight, 8503.94, 0.01);
    EXPECT_EQ(custom.orientation, ReportPageSettings::Landscape);

    in<QLineEdit>(*w, "paperWidthBox")->setText(QStringLiteral("12.5"));
    click(in<QPushButton>(*w, "a4Button"));
    EXPECT_EQ(w->paperMode(), LabelPaperMode::A4);
    EXPECT_FALSE(in<QPushButton>(*w, "customPaperButton")->isHidden());
    EXPECT_TRUE(in<QPushButton>(*w, "a4Button")->isHidden());
    EXPECT_FALSE(in<QLineEdit>(*w, "paperWidthBox")->isEnabled());
    EXPECT_EQ(in<QLineEdit>(*w, "paperWidthBox")->text(), QStringLiteral("12.5"));
    EXPECT_EQ(w->sheet()->PageSettings.paperSize, ReportPageSettings::A4);
    EXPECT_EQ(stored("SpaperW").toString(), QStringLiteral("12.5"));
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(LabelWindowTest, ColourDialogColoursTheLabels)
{
    open();
    in<QLineEdit>(*w, "barcodeBox")->setText(QStringLiteral("PD-670000001"));
    colours.answer(QColor(0, 0, 200));
    click(in<QPushButton>(*w, "colourButton"));
    EXPECT_EQ(colours.opened, QList<QColor> { QColor(Qt::black) });
    EXPECT_EQ(w->labelColour(), QColor(0, 0, 200));
    ASSERT_NE(w->sheet(), nullptr);
    const ReportDocument &doc = in<ReportViewer>(*w, "sheetViewer")->document();
    for (const DrawOp &op : opsOf(doc, DrawOp::Barcode))
        EXPECT_EQ(op.color, QColor(0, 0, 200));
    for (const DrawOp &op : opsOf(doc, DrawOp::Text))
        EXPECT_EQ(op.color, QColor(0, 0, 200));
    // The button shows the colour: most of its face is that colour.
    const QImage face = in<QPushButton>(*w, "colourButton")->grab().toImage();
    QHash<QRgb, int> shades;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            ++shades[face.pixel(x, y) | 0xff000000u];
    const auto most = std::max_element(shades.cbegin(), shades.cend());
    EXPECT_EQ(QColor(most.key()), QColor(0, 0, 200));

    // Changing the type or a bold flag runs nothing; the next preview carries them.
    const LabelSheetLayout *sheet = w->sheet();
    in<QComboBox>(*w, "barcodeTypeList")->setCurrentIndex(1);
    click(in<QCheckBox>(*w, "line2BoldCheck"));
    EXPECT_EQ(w->sheet(), sheet);
    in<QLineEdit>(*w, "barcodeBox")->setText(QStringLiteral("885099932001"));
    enter(in<QLineEdit>(*w, "firstPositionBox"));
    EXPECT_EQ(w->sheet()->barcode()->style, 18);
    EXPECT_TRUE(w->sheet()->line2()->font.bold);
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
        EXPECT_NE(w->sheet(), nullptr);
        EXPECT_FALSE(in<ReportViewer>(*w, "sheetViewer")->document().isEmpty());
        EXPECT_TRUE(in<QPushButton>(*w, "exportPdfButton")->isEnabled());
    }
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT COUNT(*) FROM tblSetBarcode")).toInt(), 0);

    // A window opened without the row keeps its design texts.
    LabelWindow fresh;
    fresh.load();
    EXPECT_EQ(in<QLineEdit>(fresh, "labelsPerRowBox")->text(), QStringLiteral("4"));
    EXPECT_EQ(boxes.count(), 2);
}

TEST_F(LabelWindowTest, PrintToolPrintsTheSheet)
{
    open();
    preview();
    in<ReportViewer>(*w, "sheetViewer")->printTool()->trigger();
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
        in<QComboBox>(*w, "barcodeTypeList")->setCurrentIndex(c.type);
        in<QLineEdit>(*w, "firstPositionBox")->setText(QString::fromLatin1(c.first));
        in<QLineEdit>(*w, "barcodeBox")->clear();
        type(in<QLineEdit>(*w, "barcodeBox"), QString::fromLatin1(c.code));
        enter(in<QLineEdit>(*w, "barcodeBox"));
        saveScreenshot(w->grab(), QStringLiteral("label-window-%1.png").arg(c.type));

        const QString base = dir.filePath(QStringLiteral("sheet%1").arg(c.type));
        files.answer(base);
        click(in<QPushButton>(*w, "exportPdfButton"));
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
        EXPECT_EQ(scanLabels(QImage(png), in<ReportViewer>(*w, "sheetViewer")->document()),
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
        shown = in<QLineEdit>(*labels, "labelsPerRowBox")->text();
        EXPECT_TRUE(labels->isModal());
    });
    LabelWindow::showModal();
    EXPECT_EQ(shown, QStringLiteral("3"));
    EXPECT_EQ(dialogs.opened, QList<QString> { QStringLiteral("LabelWindow") });
}
