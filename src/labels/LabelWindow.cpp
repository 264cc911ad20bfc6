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
    contentFrame = new QFrame(this);
    contentFrame->setObjectName(QStringLiteral("contentFrame"));
    contentFrame->setFrameShape(QFrame::NoFrame);

    banner = new QLabel(contentFrame);
    banner->setPixmap(bannerPicture());
    banner->setScaledContents(true);

    auto *setup = new QWidget(contentFrame);
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
    barcodeBox = box(band, QString(), 19, 170);
    firstPositionBox = box(band, Design::FirstPosition, 2, 36);
    previewButton
        = KasmoButton::fromBag(band, ButtonPresets::pageButton(QStringLiteral("ดูตัวอย่างก่อนพิมพ์")));
    previewButton->setFixedSize(170, 26);
    previewButton->setAccessibleName(QStringLiteral("ดูตัวอย่างก่อนพิมพ์"));
    resetButton
        = KasmoButton::fromBag(band, ButtonPresets::pageButton(QStringLiteral("คืนค่าเริ่มต้น")));
    resetButton->setFixedSize(120, 26);
    resetButton->setAccessibleName(QStringLiteral("คืนค่าเริ่มต้น"));
    line1Box = box(band, QString(), 99, 0);
    line2Box = box(band, QString(), 55, 0);
    line1SizeBox = box(band, Design::LineFont, 2, 36);
    line2SizeBox = box(band, Design::LineFont, 2, 36);
    line1BoldCheck = new QCheckBox(QStringLiteral(" เปิด / ปิด"), band);
    line2BoldCheck = new QCheckBox(QStringLiteral(" เปิด / ปิด"), band);
    for (QCheckBox *c : { line1BoldCheck, line2BoldCheck })
        c->setStyleSheet(QStringLiteral("color: white"));

    auto *codeRow = new QHBoxLayout;
    codeRow->setSpacing(6);
    codeRow->addWidget(caption(band, QStringLiteral("[ รหัสบาร์โค๊ด :"), barcodeBox, true));
    codeRow->addWidget(barcodeBox);
    codeRow->addSpacing(10);
    codeRow->addWidget(caption(band, QStringLiteral("[ ตำแหน่งเริ่มพิมพ์ :"), firstPositionBox, true));
    codeRow->addWidget(firstPositionBox);
    codeRow->addSpacing(10);
    codeRow->addWidget(previewButton);
    codeRow->addStretch(1);
    codeRow->addWidget(resetButton);
    bg->addLayout(codeRow, 0, 0, 1, 6);
    line1SizeBox->setAccessibleName(QStringLiteral("ขนาดตัวอักษร ข้อความที่ 1"));
    line2SizeBox->setAccessibleName(QStringLiteral("ขนาดตัวอักษร ข้อความที่ 2"));
    line1BoldCheck->setAccessibleName(QStringLiteral("ตัวหนา ข้อความที่ 1"));
    line2BoldCheck->setAccessibleName(QStringLiteral("ตัวหนา ข้อความที่ 2"));
    const struct
    {
        const char *caption;
        QLineEdit *line, *size;
        QCheckBox *bold;
    } lines[] = { { "[ ข้อความที่ 1 :", line1Box, line1SizeBox, line1BoldCheck },
        { "[ ข้อความที่ 2 :", line2Box, line2SizeBox, line2BoldCheck } };
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
    paperWidthBox = box(paper, Design::PaperWidth, 4, w);
    paperLengthBox = box(paper, Design::PaperLength, 4, w);
    addRow(paper, paperGrid, QStringLiteral("กว้าง :"), paperWidthBox);
    addRow(paper, paperGrid, QStringLiteral("ยาว :"), paperLengthBox);
    customPaperButton = plainButton(paper, QStringLiteral("กำหนดขนาดเอง"));
    a4Button = plainButton(paper, QStringLiteral("กำหนดเป็น A4"));
    paperGrid->addWidget(customPaperButton, 2, 0, 1, 2);
    paperGrid->addWidget(a4Button, 2, 0, 1, 2);
    portraitOption = new QRadioButton(QStringLiteral("แนวตั้ง"), paper);
    landscapeOption = new QRadioButton(QStringLiteral("แนวนอน"), paper);
    portraitOption->setChecked(true);
    auto *orientation = new QHBoxLayout;
    orientation->addWidget(portraitOption);
    orientation->addWidget(landscapeOption);
    paperGrid->addLayout(orientation, 3, 0, 1, 2);
    paper->setMinimumWidth(150);

    auto [margins, marginGrid] = group(QStringLiteral("ขอบกระดาษ (ซม.)"));
    topMarginBox = box(margins, Design::Top, 4, w);
    bottomMarginBox = box(margins, Design::Bottom, 4, w);
    leftMarginBox = box(margins, Design::Left, 4, w);
    rightMarginBox = box(margins, Design::Right, 4, w);
    addRow(margins, marginGrid, QStringLiteral("ขอบบน :"), topMarginBox);
    addRow(margins, marginGrid, QStringLiteral("ขอบล่าง :"), bottomMarginBox);
    addRow(margins, marginGrid, QStringLiteral("ขอบซ้าย :"), leftMarginBox);
    addRow(margins, marginGrid, QStringLiteral("ขอบขวา :"), rightMarginBox);

    auto [type, typeGrid] = group(QStringLiteral("ประเภทบาร์โค๊ด"));
    barcodeTypeList = new QComboBox(type);
    barcodeTypeList->addItems({ QStringLiteral("Code_128"), QStringLiteral("EAN_13") });
    barcodeTypeList->setAccessibleName(QStringLiteral("ประเภทบาร์โค๊ด"));
    typeGrid->addWidget(barcodeTypeList, 0, 0);
    typeGrid->setRowStretch(1, 1);

    auto [size, sizeGrid] = group(QStringLiteral("ขนาดบาร์โค๊ด"));
    barLengthBox = box(size, Design::BarLength, 4, w);
    barThicknessBox = box(size, Design::Thickness, 1, w);
    addRow(size, sizeGrid, QStringLiteral("ยาว :"), barLengthBox);
    addRow(size, sizeGrid, QStringLiteral("หนา :"), barThicknessBox);
    sizeGrid->setRowStretch(2, 1);

    auto [perRow, perRowGrid] = group(QStringLiteral("จำนวนบาร์โค๊ด / บรรทัด"));
    labelsPerRowBox = box(perRow, Design::PerRow, 2, w);
    labelsPerRowBox->setAccessibleName(perRow->title());
    perRowGrid->addWidget(labelsPerRowBox, 0, 0, Qt::AlignHCenter);
    perRowGrid->setRowStretch(1, 1);

    auto [spacing, spacingGrid] = group(QStringLiteral("ระยะห่างของบาร์โค๊ด"));
    spacingRightBox = box(spacing, Design::SpacingRight, 4, w);
    spacingDownBox = box(spacing, Design::SpacingDown, 4, w);
    addRow(spacing, spacingGrid, QStringLiteral("ด้านขวา :"), spacingRightBox);
    addRow(spacing, spacingGrid, QStringLiteral("ด้านล่าง :"), spacingDownBox);
    spacingGrid->setRowStretch(2, 1);

    auto [count, countGrid] = group(QStringLiteral("พิมพ์บาร์โค๊ดทั้งหมด"));
    labelCountBox = box(count, Design::Count, 3, w);
    labelCountBox->setAccessibleName(count->title());
    countGrid->addWidget(labelCountBox, 0, 0, Qt::AlignHCenter);
    countGrid->setRowStretch(1, 1);

    auto [fonts, fontGrid] = group(QStringLiteral("ขนาดตัวอักษร"));
    barcodeSizeBox = box(fonts, Design::BarcodeFont, 2, w);
    barcodeSizeBox->setAccessibleName(QStringLiteral("ขนาดตัวอักษร บาร์โค๊ด"));
    fontGrid->addWidget(barcodeSizeBox, 0, 0, Qt::AlignHCenter);
    colourButton = plainButton(fonts, QStringLiteral("กดเพื่อเลือกสี"));
    fontGrid->addWidget(colourButton, 1, 0);
    fontGrid->setRowStretch(2, 1);

    sheetViewer = new ReportViewer(contentFrame);
    sheetViewer->setAccessibleName(QStringLiteral("ตัวอย่างบาร์โค๊ด"));
    exportPdfButton = plainButton(contentFrame, QStringLiteral("ส่งออก PDF"));
    exportPdfButton->setEnabled(false);
    banner->lower();
    setup->setGeometry(0, 0, WindowWidth, tw(SetupHeight) - 2);
    banner->setGeometry(0, 0, WindowWidth, band->sizeHint().height() + 8);

    setPaperMode(LabelPaperMode::A4);
    setLabelColour(Qt::black);

    // Handlers.
    connect(previewButton, &KasmoButton::Click, this, &LabelWindow::preview);
    connect(resetButton, &KasmoButton::Click, this, &LabelWindow::reset);
    connect(customPaperButton, &QPushButton::clicked, this, [this] {
        setPaperMode(LabelPaperMode::Custom);
        preview();
    });
    connect(a4Button, &QPushButton::clicked, this, [this] {
        setPaperMode(LabelPaperMode::A4);
        preview();
    });
    connect(colourButton, &QPushButton::clicked, this, &LabelWindow::chooseColour);
    connect(exportPdfButton, &QPushButton::clicked, this,
        [this] { ExportViewerPages(sheetViewer, ExportKind::Pdf); });
    connect(portraitOption, &QRadioButton::clicked, this, [this] { preview(); });
    connect(landscapeOption, &QRadioButton::clicked, this, [this] { preview(); });

    // Enter in the barcode box looks the product up and previews; other keys go in as typed.
    CharacterFilter::install(barcodeBox, [this](int &key) {
        if (key != 13)
            return;
        key = 0;
        lookUpProduct();
    });
    // The two text lines take every key; Enter previews.
    for (QLineEdit *e : { line1Box, line2Box })
        CharacterFilter::install(e, [this](int &key) {
            if (key == 13) {
                key = 0;
                preview();
            }
        });
    // The set-up boxes: Enter previews, every other key goes through the box's filter.
    const QList<QLineEdit *> numbers { firstPositionBox, barThicknessBox, labelsPerRowBox,
        labelCountBox, barcodeSizeBox, line1SizeBox, line2SizeBox };
    for (QLineEdit *e : setupBoxes()) {
        const bool whole = numbers.contains(e);
        CharacterFilter::install(e, [this, whole](int &key) {
            if (key == 13) {
                key = 0;
                preview();
                return;
            }
            key = whole ? KeyFilters::digitsOnly(key) : KeyFilters::decimalOnly(key);
        });
        InputBoxes::refuseRightClick(e);
        e->installEventFilter(this);
    }

    const std::pair<QWidget *, const char *> names[] = { { barcodeBox, "barcodeBox" },
        { firstPositionBox, "firstPositionBox" }, { line1Box, "line1Box" },
        { line2Box, "line2Box" }, { line1SizeBox, "line1SizeBox" },
        { line2SizeBox, "line2SizeBox" }, { line1BoldCheck, "line1BoldCheck" },
        { line2BoldCheck, "line2BoldCheck" }, { paperWidthBox, "paperWidthBox" },
        { paperLengthBox, "paperLengthBox" }, { customPaperButton, "customPaperButton" },
        { a4Button, "a4Button" }, { portraitOption, "portraitOption" },
        { landscapeOption, "landscapeOption" }, { topMarginBox, "topMarginBox" },
        { bottomMarginBox, "bottomMarginBox" }, { leftMarginBox, "leftMarginBox" },
        { rightMarginBox, "rightMarginBox" }, { barcodeTypeList, "barcodeTypeList" },
        { barLengthBox, "barLengthBox" }, { barThicknessBox, "barThicknessBox" },
        { labelsPerRowBox, "labelsPerRowBox" }, { spacingRightBox, "spacingRightBox" },
        { spacingDownBox, "spacingDownBox" }, { labelCountBox, "labelCountBox" },
        { barcodeSizeBox, "barcodeSizeBox" }, { colourButton, "colourButton" },
        { exportPdfButton, "exportPdfButton" }, { previewButton, "previewButton" },
        { resetButton, "resetButton" }, { sheetViewer, "sheetViewer" }, { banner, "banner" } };
    for (const auto &[w, name] : names)
        w->setObjectName(QLatin1String(name));

    setFixedSize(WindowWidth, WindowHeight);
    placeControls();
}

QList<QLineEdit *> LabelWindow::setupBoxes() const
{
    return { firstPositionBox, paperWidthBox, paperLengthBox, topMarginBox, bottomMarginBox,
        leftMarginBox, rightMarginBox, barLengthBox, barThicknessBox, labelsPerRowBox,
        labelCountBox, barcodeSizeBox, line1SizeBox, line2SizeBox, spacingRightBox,
        spacingDownBox };
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
    placeControls();
}

void LabelWindow::placeControls()
{
    if (isMinimized())
        return;
    const double W = Twips::fromPixelsX(width());
    const double H = Twips::fromPixelsY(height());
    contentFrame->setGeometry(0, 0, width(), height());
    const QRect viewer(tw(110), tw(SetupHeight), tw(qMax(0.0, W - 220)), tw(qMax(0.0, H - 3800)));
    sheetViewer->setGeometry(viewer);
    const QSize b = exportPdfButton->sizeHint().expandedTo(QSize(110, 24));
    exportPdfButton->setGeometry(
        viewer.right() - b.width() - 4, viewer.top() + 2, b.width(), b.height());
    exportPdfButton->raise();
}

void LabelWindow::showModal()
{
    QPointer<LabelWindow> w = WindowRegistry::instance<LabelWindow>();
    w->load();
    DialogRunner::exec(w);
}

void LabelWindow::load()
{
    skipOnFailure("LabelWindow", [this] { WindowPlacement::place(this, VerticalPlace::Third); });
    barcodeTypeList->setCurrentIndex(0);
    skipOnFailure("LabelWindow", [this] { PrepareViewerToolbar(sheetViewer); });
    try {
        loadLayout();
    } catch (const DbError &e) {
        // The boxes keep their design texts; the window still works.
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

void LabelWindow::loadLayout()
{
    const std::optional<LabelLayout> l = loadLabelLayout(ShopDatabase::connection());
    // Without the row the boxes keep their design texts; the first preview says the layout
    // could not be stored.
    if (!l)
        return;
    const std::pair<QLineEdit *, QString> texts[] = {
        { paperWidthBox, l->SpaperW },
        { paperLengthBox, l->SpaperH },
        { topMarginBox, l->SKpaperT },
        { bottomMarginBox, l->SKpaperD },
        { leftMarginBox, l->SKpaperL },
        { rightMarginBox, l->SKpaperR },
        { barLengthBox, l->SSpaperW },
        { barThicknessBox, l->SSpaperH },
        { labelsPerRowBox, l->SBHcount },
        { spacingRightBox, l->SBarR },
        { spacingDownBox, l->SBarD },
        { labelCountBox, l->SBarcode },
        { barcodeSizeBox, l->SFsize },
        { line1SizeBox, l->SFsize1 },
        { line2SizeBox, l->SFsize2 },
    };
    for (const auto &[box, text] : texts)
        if (!text.isNull())
            box->setText(text);
    line1BoldCheck->setChecked(l->SFbold1);
    line2BoldCheck->setChecked(l->SFbold2);
}

void LabelWindow::lookUpProduct()
{
    try {
        const std::optional<LabelProduct> p
            = findLabelProduct(ShopDatabase::connection(), barcodeBox->text());
        line1Box->setText(p ? labelLine1(*p) : QString());
        line2Box->setText(p ? labelLine2(*p) : QString());
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }
    preview();
}

void LabelWindow::setPaperMode(LabelPaperMode mode)
{
    m_paperMode = mode;
    const bool custom = mode == LabelPaperMode::Custom;
    portraitOption->setEnabled(!custom);
    landscapeOption->setEnabled(!custom);
    paperWidthBox->setEnabled(custom);
    paperLengthBox->setEnabled(custom);
    customPaperButton->setVisible(!custom);
    a4Button->setVisible(custom);
}

void LabelWindow::setLabelColour(const QColor &colour)
{
    m_labelColour = colour;
    const QColor text = colour.lightnessF() < 0.5 ? Qt::white : Qt::black;
    // With a border of its own the face is drawn flat, in exactly the colour.
    colourButton->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; "
                                               "border: 1px solid #808080; padding: 3px 6px; }")
                                    .arg(colour.name(), text.name()));
}

void LabelWindow::chooseColour()
{
    skipOnFailure("LabelWindow", [this] {
        // A cancelled dialog keeps the colour last chosen in it.
        const QColor chosen = ColorDialogService::getColor(this, m_dialogColour);
        if (chosen.isValid())
            m_dialogColour = chosen;
    });
    skipOnFailure("LabelWindow", [this] { setLabelColour(m_dialogColour); });
    preview();
}

void LabelWindow::reset()
{
    line1BoldCheck->setChecked(false);
    line2BoldCheck->setChecked(false);
    line1Box->clear();
    line2Box->clear();
    line1SizeBox->setText(Design::LineFont);
    line2SizeBox->setText(Design::LineFont);
    barcodeBox->clear();
    firstPositionBox->setText(Design::FirstPosition);
    paperWidthBox->setText(Design::PaperWidth);
    paperLengthBox->setText(Design::PaperLength);
    topMarginBox->setText(Design::Top);
    bottomMarginBox->setText(Design::Bottom);
    leftMarginBox->setText(Design::Left);
    rightMarginBox->setText(Design::Right);
    barcodeTypeList->setCurrentIndex(0);
    barLengthBox->setText(Design::BarLength);
    barThicknessBox->setText(Design::Thickness);
    labelsPerRowBox->setText(Design::PerRow);
    spacingRightBox->setText(Design::SpacingRight);
    spacingDownBox->setText(Design::SpacingDown);
    labelCountBox->setText(Design::Count);
    barcodeSizeBox->setText(Design::BarcodeFont);
    setLabelColour(Qt::black);
}

LabelSheetSetup LabelWindow::sheetSetup() const
{
    LabelSheetSetup s;
    s.portrait = portraitOption->isChecked();
    s.paperMode = m_paperMode;
    s.paperWidth = paperWidthBox->text();
    s.paperLength = paperLengthBox->text();
    s.topMargin = topMarginBox->text();
    s.bottomMargin = bottomMarginBox->text();
    s.leftMargin = leftMarginBox->text();
    s.rightMargin = rightMarginBox->text();
    switch (barcodeTypeList->currentIndex()) {
    case 0:
        s.barcodeStyle = BarcodeStyle::Code128;
        break;
    case 1:
        s.barcodeStyle = BarcodeStyle::Ean13;
        break;
    default:
        s.barcodeStyle.reset();
    }
    s.barLength = barLengthBox->text();
    s.barThickness = barThicknessBox->text();
    s.labelsPerRow = labelsPerRowBox->text();
    s.spacingRight = spacingRightBox->text();
    s.spacingDown = spacingDownBox->text();
    s.labelCount = labelCountBox->text();
    s.barcodeFontSize = barcodeSizeBox->text();
    s.line1FontSize = line1SizeBox->text();
    s.line2FontSize = line2SizeBox->text();
    s.line1Bold = line1BoldCheck->isChecked();
    s.line2Bold = line2BoldCheck->isChecked();
    s.colour = m_labelColour;
    s.firstPosition = firstPositionBox->text();
    s.value = barcodeBox->text();
    s.line1 = line1Box->text();
    s.line2 = line2Box->text();
    return s;
}

void LabelWindow::preview()
{
    if (trimBlanks(barcodeBox->text()).isEmpty()) {
        MsgBox(LabelText::NoBarcodeValue, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle,
            MsgResult::Ok, this);
        barcodeBox->setFocus();
        return;
    }
    skipOnFailure("LabelWindow", [this] { checkBoxes(); });
    skipOnFailure("LabelWindow", [this] { fitLabelsPerRow(); });
    skipOnFailure("LabelWindow", [this] { makeSheet(); });
    storeLayout();
    exportPdfButton->setEnabled(true);
}

void LabelWindow::checkBoxes()
{
    auto rule = [](const QString &def) { return LabelBoxRule { def, false, 0, 0, QString() }; };
    auto ranged = [](const QString &def, double least, double most, const QString &message) {
        return LabelBoxRule { def, true, least, most, message };
    };
    // Order matters: several messages follow one another in this order.
    const std::pair<QLineEdit *, LabelBoxRule> rules[] = {
        { firstPositionBox, rule(Design::FirstPosition) },
        { paperWidthBox, ranged(Design::PaperWidth, 1, 100, LabelText::PaperRange) },
        { paperLengthBox, ranged(Design::PaperLength, 1, 100, LabelText::PaperRange) },
        { topMarginBox, ranged(Design::Top, 0.1, 20, LabelText::MarginRange) },
        { bottomMarginBox, ranged(Design::Bottom, 0.1, 20, LabelText::MarginRange) },
        { leftMarginBox, ranged(Design::Left, 0.1, 20, LabelText::MarginRange) },
        { rightMarginBox, ranged(Design::Right, 0.1, 20, LabelText::MarginRange) },
        { barLengthBox, ranged(Design::BarLength, 1, 10, LabelText::BarLengthRange) },
        { barThicknessBox, rule(Design::Thickness) },
        { labelsPerRowBox, rule(Design::PerRow) },
        { labelCountBox, rule(Design::Count) },
        { barcodeSizeBox, rule(Design::BarcodeFont) },
        { line1SizeBox, rule(Design::LineFont) },
        { line2SizeBox, rule(Design::LineFont) },
        { spacingRightBox, ranged(Design::SpacingRight, 0.1, 20, LabelText::SpacingRightRange) },
        { spacingDownBox, ranged(Design::SpacingDown, 1, 20, LabelText::SpacingDownRange) },
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
    labelsPerRowBox->setText(QString::number(fit));
}

void LabelWindow::makeSheet()
{
    auto sheet = std::make_unique<LabelSheetLayout>(sheetSetup());
    sheetViewer->setReport(sheet.get());
    m_sheet = std::move(sheet);
}

void LabelWindow::storeLayout()
{
    LabelLayout l;
    l.SpaperW = trimBlanks(paperWidthBox->text());
    l.SpaperH = trimBlanks(paperLengthBox->text());
    l.SKpaperT = trimBlanks(topMarginBox->text());
    l.SKpaperD = trimBlanks(bottomMarginBox->text());
    l.SKpaperL = trimBlanks(leftMarginBox->text());
    l.SKpaperR = trimBlanks(rightMarginBox->text());
    l.SSpaperW = trimBlanks(barLengthBox->text());
    l.SSpaperH = trimBlanks(barThicknessBox->text());
    l.SBHcount = trimBlanks(labelsPerRowBox->text());
    l.SBarR = trimBlanks(spacingRightBox->text());
    l.SBarD = trimBlanks(spacingDownBox->text());
    l.SBarcode = trimBlanks(labelCountBox->text());
    l.SFsize = trimBlanks(barcodeSizeBox->text());
    l.SFsize1 = trimBlanks(line1SizeBox->text());
    l.SFsize2 = trimBlanks(line2SizeBox->text());
    l.SFbold1 = line1BoldCheck->isChecked();
    l.SFbold2 = line2BoldCheck->isChecked();
    try {
        storeLabelLayout(ShopDatabase::connection(), l);
    } catch (const DbError &e) {
        MsgBox(LabelText::StoreFailed + e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
            MsgResult::Ok, this);
    }
}
