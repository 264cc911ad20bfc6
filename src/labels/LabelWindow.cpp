#include "labels/LabelWindow.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "labels/LabelLayout.h"
#include "platform/db/DbError.h"
#include "platform/report/ReportExport.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/ColorDialogs.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Blanks.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/Messages.h"
#include "shell/ShopDatabase.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

int tw(double twips)
{
    return Twips::toPixelsX(twips);
}

// Every box centres its text and holds at most `length` characters, typed or put in.
QLineEdit *box(QWidget *parent, const QString &text, int length, int width)
{
    auto *e = new QLineEdit(parent);
    e->setMaxLength(length);
    e->setText(text);
    e->setAlignment(Qt::AlignCenter);
    if (width > 0)
        e->setFixedWidth(width);
    return e;
}

QLabel *caption(QWidget *parent, const QString &text, QWidget *buddy, bool onBanner = false)
{
    auto *l = new QLabel(text, parent);
    if (onBanner)
        l->setStyleSheet(QStringLiteral("color: white; font-weight: bold"));
    if (buddy) {
        l->setBuddy(buddy);
        QString name = text;
        name.remove(QLatin1Char('[')).remove(QLatin1Char(':'));
        if (buddy->accessibleName().isEmpty())
            buddy->setAccessibleName(name.simplified());
    }
    return l;
}

QPixmap bannerPicture()
{
    return gradientBand(64, QColor(0, 60, 140), QColor(150, 190, 230));
}

// The design texts of the set-up boxes, which the reset writes back.
namespace Design {
const QString FirstPosition = QStringLiteral("1");
const QString PaperWidth = QStringLiteral("21.0");
const QString PaperLength = QStringLiteral("29.7");
const QString Top = QStringLiteral("1.0");
const QString Bottom = QStringLiteral("0.1");
const QString Left = QStringLiteral("1.0");
const QString Right = QStringLiteral("1.0");
const QString BarLength = QStringLiteral("1.5");
const QString Thickness = QStringLiteral("1");
// Four labels 2 cm apart fit A4 portrait between the margins.
const QString PerRow = QStringLiteral("4");
const QString SpacingRight = QStringLiteral("2.0");
const QString SpacingDown = QStringLiteral("3.0");
const QString Count = QStringLiteral("8");
const QString BarcodeFont = QStringLiteral("14");
const QString LineFont = QStringLiteral("13");
} // namespace Design

constexpr int WindowWidth = 1000;
constexpr int WindowHeight = 720;
constexpr double SetupHeight = 3700; // twips above the viewer

} // namespace

LabelWindow::LabelWindow()
{
    setObjectName(QStringLiteral("LabelWindow"));
    setWindowTitle(LabelText::WindowTitle);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint
        | Qt::WindowTitleHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    setFont(font);
    buildWindow();
}

LabelWindow::~LabelWindow() = default;

void LabelWindow::buildWindow()
{
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::NoFrame);

    Image1 = new QLabel(Frame1);
    Image1->setPixmap(bannerPicture());
    Image1->setScaledContents(true);

    auto *setup = new QWidget(Frame1);
    setup->setObjectName(QStringLiteral("setupArea"));
    auto *v = new QVBoxLayout(setup);
    v->setContentsMargins(6, 4, 6, 2);
    v->setSpacing(3);

    // The top band: the code, the first position, the preview and the reset.
    auto *band = new QWidget(setup);
    band->setObjectName(QStringLiteral("band"));
    auto *bg = new QGridLayout(band);
    bg->setContentsMargins(0, 0, 0, 0);
    bg->setHorizontalSpacing(6);
    bg->setVerticalSpacing(3);
    Text15 = box(band, QString(), 19, 170);
    Text14 = box(band, Design::FirstPosition, 2, 36);
    kasmoButton1
        = KasmoButton::fromBag(band, ButtonPresets::pageButton(QStringLiteral("ดูตัวอย่างก่อนพิมพ์")));
    kasmoButton1->setFixedSize(170, 26);
    kasmoButton1->setAccessibleName(QStringLiteral("ดูตัวอย่างก่อนพิมพ์"));
    kasmoButton5
        = KasmoButton::fromBag(band, ButtonPresets::pageButton(QStringLiteral("คืนค่าเริ่มต้น")));
    kasmoButton5->setFixedSize(120, 26);
    kasmoButton5->setAccessibleName(QStringLiteral("คืนค่าเริ่มต้น"));
    Text16 = box(band, QString(), 99, 0);
    Text17 = box(band, QString(), 55, 0);
    Text18 = box(band, Design::LineFont, 2, 36);
    Text19 = box(band, Design::LineFont, 2, 36);
    Check1 = new QCheckBox(QStringLiteral(" เปิด / ปิด"), band);
    Check2 = new QCheckBox(QStringLiteral(" เปิด / ปิด"), band);
    for (QCheckBox *c : { Check1, Check2 })
        c->setStyleSheet(QStringLiteral("color: white"));

    auto *codeRow = new QHBoxLayout;
    codeRow->setSpacing(6);
    codeRow->addWidget(caption(band, QStringLiteral("[ รหัสบาร์โค๊ด :"), Text15, true));
    codeRow->addWidget(Text15);
    codeRow->addSpacing(10);
    codeRow->addWidget(caption(band, QStringLiteral("[ ตำแหน่งเริ่มพิมพ์ :"), Text14, true));
    codeRow->addWidget(Text14);
    codeRow->addSpacing(10);
    codeRow->addWidget(kasmoButton1);
    codeRow->addStretch(1);
    codeRow->addWidget(kasmoButton5);
    bg->addLayout(codeRow, 0, 0, 1, 6);
    Text18->setAccessibleName(QStringLiteral("ขนาดตัวอักษร ข้อความที่ 1"));
    Text19->setAccessibleName(QStringLiteral("ขนาดตัวอักษร ข้อความที่ 2"));
    Check1->setAccessibleName(QStringLiteral("ตัวหนา ข้อความที่ 1"));
    Check2->setAccessibleName(QStringLiteral("ตัวหนา ข้อความที่ 2"));
    const struct
    {
        const char *caption;
        QLineEdit *line, *size;
        QCheckBox *bold;
    } lines[] = { { "[ ข้อความที่ 1 :", Text16, Text18, Check1 },
        { "[ ข้อความที่ 2 :", Text17, Text19, Check2 } };
    int row = 1;
    for (const auto &l : lines) {
        bg->addWidget(caption(band, QString::fromUtf8(l.caption), l.line, true), row, 0);
        bg->addWidget(l.line, row, 1);
        bg->addWidget(caption(band, QStringLiteral("[ ขนาดตัวอักษร :"), l.size, true), row, 2);
        bg->addWidget(l.size, row, 3);
        bg->addWidget(caption(band, QStringLiteral("ตัวหนา :"), l.bold, true), row, 4);
        bg->addWidget(l.bold, row, 5);
        ++row;
    }
    bg->setColumnStretch(1, 1);
    v->addWidget(band);

    // The groups of the sheet's set-up, side by side.
    auto *groups = new QHBoxLayout;
    groups->setSpacing(4);
    v->addLayout(groups);
    v->addStretch(1);
    auto group = [&](const QString &title) {
        auto *g = new QGroupBox(title, setup);
        auto *grid = new QGridLayout(g);
        grid->setContentsMargins(6, 2, 6, 4);
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(3);
        groups->addWidget(g);
        return std::pair(g, grid);
    };
    // A box with its caption on the next row of a group; the box's accessible name carries the
    // group's title too, as the same caption shows in several groups.
    auto addRow = [](QGroupBox *g, QGridLayout *grid, const QString &label, QLineEdit *e) {
        const int r = grid->count() == 0 ? 0 : grid->rowCount();
        e->setParent(g);
        e->setAccessibleName(g->title().simplified() + QLatin1Char(' ')
            + QString(label).remove(QLatin1Char(':')).simplified());
        grid->addWidget(caption(g, label, e), r, 0, Qt::AlignRight);
        grid->addWidget(e, r, 1);
    };
    constexpr int w = 48;

    auto [paper, paperGrid] = group(QStringLiteral("ขนาดกระดาษ  (ซม.)"));
    text3 = box(paper, Design::PaperWidth, 4, w);
    text4 = box(paper, Design::PaperLength, 4, w);
    addRow(paper, paperGrid, QStringLiteral("กว้าง :"), text3);
    addRow(paper, paperGrid, QStringLiteral("ยาว :"), text4);
    Command1 = plainButton(paper, QStringLiteral("กำหนดขนาดเอง"));
    Command2 = plainButton(paper, QStringLiteral("กำหนดเป็น A4"));
    paperGrid->addWidget(Command1, 2, 0, 1, 2);
    paperGrid->addWidget(Command2, 2, 0, 1, 2);
    Option1 = new QRadioButton(QStringLiteral("แนวตั้ง"), paper);
    Option2 = new QRadioButton(QStringLiteral("แนวนอน"), paper);
    Option1->setChecked(true);
    auto *orientation = new QHBoxLayout;
    orientation->addWidget(Option1);
    orientation->addWidget(Option2);
    paperGrid->addLayout(orientation, 3, 0, 1, 2);
    paper->setMinimumWidth(150);

    auto [margins, marginGrid] = group(QStringLiteral("ขอบกระดาษ (ซม.)"));
    Text1 = box(margins, Design::Top, 4, w);
    text2 = box(margins, Design::Bottom, 4, w);
    Text5 = box(margins, Design::Left, 4, w);
    Text6 = box(margins, Design::Right, 4, w);
    addRow(margins, marginGrid, QStringLiteral("ขอบบน :"), Text1);
    addRow(margins, marginGrid, QStringLiteral("ขอบล่าง :"), text2);
    addRow(margins, marginGrid, QStringLiteral("ขอบซ้าย :"), Text5);
    addRow(margins, marginGrid, QStringLiteral("ขอบขวา :"), Text6);

    auto [type, typeGrid] = group(QStringLiteral("ประเภทบาร์โค๊ด"));
    Combo1 = new QComboBox(type);
    Combo1->addItems({ QStringLiteral("Code_128"), QStringLiteral("EAN_13") });
    Combo1->setAccessibleName(QStringLiteral("ประเภทบาร์โค๊ด"));
    typeGrid->addWidget(Combo1, 0, 0);
    typeGrid->setRowStretch(1, 1);

    auto [size, sizeGrid] = group(QStringLiteral("ขนาดบาร์โค๊ด"));
    Text7 = box(size, Design::BarLength, 4, w);
    Text12 = box(size, Design::Thickness, 1, w);
    addRow(size, sizeGrid, QStringLiteral("ยาว :"), Text7);
    addRow(size, sizeGrid, QStringLiteral("หนา :"), Text12);
    sizeGrid->setRowStretch(2, 1);

    auto [perRow, perRowGrid] = group(QStringLiteral("จำนวนบาร์โค๊ด / บรรทัด"));
    Text9 = box(perRow, Design::PerRow, 2, w);
    Text9->setAccessibleName(perRow->title());
    perRowGrid->addWidget(Text9, 0, 0, Qt::AlignHCenter);
    perRowGrid->setRowStretch(1, 1);

    auto [spacing, spacingGrid] = group(QStringLiteral("ระยะห่างของบาร์โค๊ด"));
    Text10 = box(spacing, Design::SpacingRight, 4, w);
    Text11 = box(spacing, Design::SpacingDown, 4, w);
    addRow(spacing, spacingGrid, QStringLiteral("ด้านขวา :"), Text10);
    addRow(spacing, spacingGrid, QStringLiteral("ด้านล่าง :"), Text11);
    spacingGrid->setRowStretch(2, 1);

    auto [count, countGrid] = group(QStringLiteral("พิมพ์บาร์โค๊ดทั้งหมด"));
    Text13 = box(count, Design::Count, 3, w);
    Text13->setAccessibleName(count->title());
    countGrid->addWidget(Text13, 0, 0, Qt::AlignHCenter);
    countGrid->setRowStretch(1, 1);

    auto [fonts, fontGrid] = group(QStringLiteral("ขนาดตัวอักษร"));
    Text8 = box(fonts, Design::BarcodeFont, 2, w);
    Text8->setAccessibleName(QStringLiteral("ขนาดตัวอักษร บาร์โค๊ด"));
    fontGrid->addWidget(Text8, 0, 0, Qt::AlignHCenter);
    Command3 = plainButton(fonts, QStringLiteral("กดเพื่อเลือกสี"));
    fontGrid->addWidget(Command3, 1, 0);
    fontGrid->setRowStretch(2, 1);

    ARViewer21 = new ReportViewer(Frame1);
    ARViewer21->setAccessibleName(QStringLiteral("ตัวอย่างบาร์โค๊ด"));
    Command4 = plainButton(Frame1, QStringLiteral("ส่งออก PDF"));
    Command4->setEnabled(false);
    Image1->lower();
    setup->setGeometry(0, 0, WindowWidth, tw(SetupHeight) - 2);
    Image1->setGeometry(0, 0, WindowWidth, band->sizeHint().height() + 8);

    setPaperMode(LabelPaperMode::A4);
    setLabelColour(Qt::black);

    // Handlers.
    connect(kasmoButton1, &KasmoButton::Click, this, &LabelWindow::kasmoButton1_Click);
    connect(kasmoButton5, &KasmoButton::Click, this, &LabelWindow::kasmoButton5_Click);
    connect(Command1, &QPushButton::clicked, this, &LabelWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &LabelWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &LabelWindow::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &LabelWindow::Command4_Click);
    connect(Option1, &QRadioButton::clicked, this, &LabelWindow::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &LabelWindow::Option2_Click);

    CharacterFilter::install(Text15, [this](int &KeyAscii) { Text15_KeyPress(KeyAscii); });
    // The two text lines take every key; Enter previews.
    for (QLineEdit *e : { Text16, Text17 })
        CharacterFilter::install(e, [this](int &KeyAscii) {
            if (KeyAscii == 13) {
                KeyAscii = 0;
                kasmoButton1_Click();
            }
        });
    // The set-up boxes: Enter previews, every other key goes through the box's filter.
    const QList<QLineEdit *> numbers { Text14, Text12, Text9, Text13, Text8, Text18, Text19 };
    for (QLineEdit *e : setupBoxes()) {
        const bool whole = numbers.contains(e);
        CharacterFilter::install(e, [this, whole](int &KeyAscii) {
            if (KeyAscii == 13) {
                KeyAscii = 0;
                kasmoButton1_Click();
                return;
            }
            KeyAscii = whole ? KeyFilters::digitsOnly(KeyAscii) : KeyFilters::decimalOnly(KeyAscii);
        });
        InputBoxes::refuseRightClick(e);
        e->installEventFilter(this);
    }

    setFixedSize(WindowWidth, WindowHeight);
    Form_Resize();
}

QList<QLineEdit *> LabelWindow::setupBoxes() const
{
    return { Text14, text3, text4, Text1, text2, Text5, Text6, Text7, Text12, Text9, Text13, Text8,
        Text18, Text19, Text10, Text11 };
}

bool LabelWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        InputBoxes::setEnglishKeyboard();
    return QDialog::eventFilter(watched, event);
}

void LabelWindow::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    Form_Resize();
}

void LabelWindow::Form_Resize()
{
    if (isMinimized())
        return;
    const double W = Twips::fromPixelsX(width());
    const double H = Twips::fromPixelsY(height());
    Frame1->setGeometry(0, 0, width(), height());
    const QRect viewer(tw(110), tw(SetupHeight), tw(qMax(0.0, W - 220)), tw(qMax(0.0, H - 3800)));
    ARViewer21->setGeometry(viewer);
    const QSize b = Command4->sizeHint().expandedTo(QSize(110, 24));
    Command4->setGeometry(viewer.right() - b.width() - 4, viewer.top() + 2, b.width(), b.height());
    Command4->raise();
}

void LabelWindow::showModal()
{
    QPointer<LabelWindow> w = WindowRegistry::instance<LabelWindow>();
    w->Form_Load();
    DialogRunner::exec(w);
}

void LabelWindow::Form_Load()
{
    skipOnFailure("LabelWindow", [this] { WindowPlacement::place(this, VerticalPlace::Third); });
    Combo1->setCurrentIndex(0);
    skipOnFailure("LabelWindow", [this] { PrepareViewerToolbar(ARViewer21); });
    try {
        Showdata();
    } catch (const DbError &e) {
        // The boxes keep their design texts; the window still works.
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

void LabelWindow::Showdata()
{
    const std::optional<LabelLayout> l = loadLabelLayout(ShopDatabase::connection());
    // Without the row the boxes keep their design texts; the first preview says the layout
    // could not be stored.
    if (!l)
        return;
    const std::pair<QLineEdit *, QString> texts[] = {
        { text3, l->SpaperW },
        { text4, l->SpaperH },
        { Text1, l->SKpaperT },
        { text2, l->SKpaperD },
        { Text5, l->SKpaperL },
        { Text6, l->SKpaperR },
        { Text7, l->SSpaperW },
        { Text12, l->SSpaperH },
        { Text9, l->SBHcount },
        { Text10, l->SBarR },
        { Text11, l->SBarD },
        { Text13, l->SBarcode },
        { Text8, l->SFsize },
        { Text18, l->SFsize1 },
        { Text19, l->SFsize2 },
    };
    for (const auto &[box, text] : texts)
        if (!text.isNull())
            box->setText(text);
    Check1->setChecked(l->SFbold1);
    Check2->setChecked(l->SFbold2);
}

void LabelWindow::Text15_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    try {
        const std::optional<LabelProduct> p
            = findLabelProduct(ShopDatabase::connection(), Text15->text());
        Text16->setText(p ? labelLine1(*p) : QString());
        Text17->setText(p ? labelLine2(*p) : QString());
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }
    kasmoButton1_Click();
}

void LabelWindow::setPaperMode(LabelPaperMode mode)
{
    m_paperMode = mode;
    const bool custom = mode == LabelPaperMode::Custom;
    Option1->setEnabled(!custom);
    Option2->setEnabled(!custom);
    text3->setEnabled(custom);
    text4->setEnabled(custom);
    Command1->setVisible(!custom);
    Command2->setVisible(custom);
}

void LabelWindow::Command1_Click()
{
    setPaperMode(LabelPaperMode::Custom);
    kasmoButton1_Click();
}

void LabelWindow::Command2_Click()
{
    setPaperMode(LabelPaperMode::A4);
    kasmoButton1_Click();
}

void LabelWindow::Option1_Click()
{
    kasmoButton1_Click();
}

void LabelWindow::Option2_Click()
{
    kasmoButton1_Click();
}

void LabelWindow::setLabelColour(const QColor &colour)
{
    m_labelColour = colour;
    const QColor text = colour.lightnessF() < 0.5 ? Qt::white : Qt::black;
    // With a border of its own the face is drawn flat, in exactly the colour.
    Command3->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; "
                                           "border: 1px solid #808080; padding: 3px 6px; }")
                                .arg(colour.name(), text.name()));
}

void LabelWindow::Command3_Click()
{
    skipOnFailure("LabelWindow", [this] {
        // A cancelled dialog keeps the colour last chosen in it.
        const QColor chosen = ColorDialogService::getColor(this, m_dialogColour);
        if (chosen.isValid())
            m_dialogColour = chosen;
    });
    skipOnFailure("LabelWindow", [this] { setLabelColour(m_dialogColour); });
    kasmoButton1_Click();
}

void LabelWindow::Command4_Click()
{
    ExportViewerPages(ARViewer21, ExportKind::Pdf);
}

void LabelWindow::kasmoButton5_Click()
{
    Check1->setChecked(false);
    Check2->setChecked(false);
    Text16->clear();
    Text17->clear();
    Text18->setText(Design::LineFont);
    Text19->setText(Design::LineFont);
    Text15->clear();
    Text14->setText(Design::FirstPosition);
    text3->setText(Design::PaperWidth);
    text4->setText(Design::PaperLength);
    Text1->setText(Design::Top);
    text2->setText(Design::Bottom);
    Text5->setText(Design::Left);
    Text6->setText(Design::Right);
    Combo1->setCurrentIndex(0);
    Text7->setText(Design::BarLength);
    Text12->setText(Design::Thickness);
    Text9->setText(Design::PerRow);
    Text10->setText(Design::SpacingRight);
    Text11->setText(Design::SpacingDown);
    Text13->setText(Design::Count);
    Text8->setText(Design::BarcodeFont);
    setLabelColour(Qt::black);
}

LabelSheetSetup LabelWindow::sheetSetup() const
{
    LabelSheetSetup s;
    s.portrait = Option1->isChecked();
    s.paperMode = m_paperMode;
    s.paperWidth = text3->text();
    s.paperLength = text4->text();
    s.topMargin = Text1->text();
    s.bottomMargin = text2->text();
    s.leftMargin = Text5->text();
    s.rightMargin = Text6->text();
    s.barcodeType = Combo1->currentIndex();
    s.barLength = Text7->text();
    s.barThickness = Text12->text();
    s.labelsPerRow = Text9->text();
    s.spacingRight = Text10->text();
    s.spacingDown = Text11->text();
    s.labelCount = Text13->text();
    s.barcodeFontSize = Text8->text();
    s.line1FontSize = Text18->text();
    s.line2FontSize = Text19->text();
    s.line1Bold = Check1->isChecked();
    s.line2Bold = Check2->isChecked();
    s.colour = m_labelColour;
    s.firstPosition = Text14->text();
    s.value = Text15->text();
    s.line1 = Text16->text();
    s.line2 = Text17->text();
    return s;
}

void LabelWindow::kasmoButton1_Click()
{
    if (trimBlanks(Text15->text()).isEmpty()) {
        MsgBox(LabelText::NoBarcodeValue, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle,
            MsgResult::Ok, this);
        Text15->setFocus();
        return;
    }
    skipOnFailure("LabelWindow", [this] { checkBoxes(); });
    skipOnFailure("LabelWindow", [this] { fitLabelsPerRow(); });
    skipOnFailure("LabelWindow", [this] { makeSheet(); });
    storeLayout();
    Command4->setEnabled(true);
}

void LabelWindow::checkBoxes()
{
    auto rule = [](const QString &def) { return LabelBoxRule { def, false, 0, 0, QString() }; };
    auto ranged = [](const QString &def, double least, double most, const QString &message) {
        return LabelBoxRule { def, true, least, most, message };
    };
    // Order matters: several messages follow one another in this order.
    const std::pair<QLineEdit *, LabelBoxRule> rules[] = {
        { Text14, rule(Design::FirstPosition) },
        { text3, ranged(Design::PaperWidth, 1, 100, LabelText::PaperRange) },
        { text4, ranged(Design::PaperLength, 1, 100, LabelText::PaperRange) },
        { Text1, ranged(Design::Top, 0.1, 20, LabelText::MarginRange) },
        { text2, ranged(Design::Bottom, 0.1, 20, LabelText::MarginRange) },
        { Text5, ranged(Design::Left, 0.1, 20, LabelText::MarginRange) },
        { Text6, ranged(Design::Right, 0.1, 20, LabelText::MarginRange) },
        { Text7, ranged(Design::BarLength, 1, 10, LabelText::BarLengthRange) },
        { Text12, rule(Design::Thickness) },
        { Text9, rule(Design::PerRow) },
        { Text13, rule(Design::Count) },
        { Text8, rule(Design::BarcodeFont) },
        { Text18, rule(Design::LineFont) },
        { Text19, rule(Design::LineFont) },
        { Text10, ranged(Design::SpacingRight, 0.1, 20, LabelText::SpacingRightRange) },
        { Text11, ranged(Design::SpacingDown, 1, 20, LabelText::SpacingDownRange) },
    };
    for (const auto &[box, r] : rules) {
        const LabelBoxVerdict v = checkLabelBox(r, box->text());
        if (!v.message.isEmpty())
            MsgBox(
                v.message, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        if (v.text != box->text())
            box->setText(v.text);
    }
}

void LabelWindow::fitLabelsPerRow()
{
    LabelSheetLayout sheet(sheetSetup());
    sheet.initialize();
    const int asked = sheet.Detail()->columnCount;
    const int fit = sheet.labelsPerRowThatFit();
    if (fit >= asked)
        return;
    MsgBox(LabelText::labelsPerRowRange(fit), MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle,
        MsgResult::Ok, this);
    Text9->setText(QString::number(fit));
}

void LabelWindow::makeSheet()
{
    auto sheet = std::make_unique<LabelSheetLayout>(sheetSetup());
    ARViewer21->setReport(sheet.get());
    m_report = std::move(sheet);
}

void LabelWindow::storeLayout()
{
    LabelLayout l;
    l.SpaperW = trimBlanks(text3->text());
    l.SpaperH = trimBlanks(text4->text());
    l.SKpaperT = trimBlanks(Text1->text());
    l.SKpaperD = trimBlanks(text2->text());
    l.SKpaperL = trimBlanks(Text5->text());
    l.SKpaperR = trimBlanks(Text6->text());
    l.SSpaperW = trimBlanks(Text7->text());
    l.SSpaperH = trimBlanks(Text12->text());
    l.SBHcount = trimBlanks(Text9->text());
    l.SBarR = trimBlanks(Text10->text());
    l.SBarD = trimBlanks(Text11->text());
    l.SBarcode = trimBlanks(Text13->text());
    l.SFsize = trimBlanks(Text8->text());
    l.SFsize1 = trimBlanks(Text18->text());
    l.SFsize2 = trimBlanks(Text19->text());
    l.SFbold1 = Check1->isChecked();
    l.SFbold2 = Check2->isChecked();
    try {
        storeLabelLayout(ShopDatabase::connection(), l);
    } catch (const DbError &e) {
        MsgBox(LabelText::StoreFailed + e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
            MsgResult::Ok, this);
    }
}
