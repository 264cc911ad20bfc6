#include "SalePage.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "platform/grid/DataGrid.h"
#include "platform/serial/CashDrawer.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "sale/Counters.h"
#include "sale/PictureFiles.h"
#include "sale/ProductSearchDialog.h"
#include "sale/SaleGrid.h"
#include "sale/SaleStore.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

using namespace SaleGrid;

const QString kNoPicture = QStringLiteral("data/NoPicture1.jpg");
const QString kPicError = QStringLiteral("data/PicError2.jpg");

const unsigned kPageBack = rgbValue(219, 226, 224);
const unsigned kFocusBack = rgbValue(208, 197, 168);
const unsigned kCodeBoxBack = rgbValue(224, 224, 224);
const unsigned kPayBoxBack = rgbValue(255, 255, 235);
const unsigned kGridText = rgbValue(26, 26, 26);
const unsigned kHeaderBar = rgbValue(0, 60, 140);
const unsigned kPanelBack = rgbValue(32, 44, 56);
const unsigned kFigure = rgbValue(120, 255, 160);

SalePage::Windows &windowsStore()
{
    static SalePage::Windows w;
    return w;
}

int tx(double twips)
{
    return Twips::toPixelsX(twips);
}
int ty(double twips)
{
    return Twips::toPixelsY(twips);
}

using Twips::setLeft;
using Twips::setWidth;
double widthOf(const QWidget *w)
{
    return Twips::fromPixelsX(w->width());
}

// The shortcut help, six lines, each pair separated by an empty line.
const QString kShortcutHelp = QStringList{
    QStringLiteral("คีย์ลัด เพิ่มเติมเมื่อกด คีย์บอร์ด"),
    QStringLiteral("กดปุ่ม [ ลูกศรขึ้น ] เมาส์จะมาอยู่ที่ช่อง (รหัสบาร์โค๊ด) อัตโนมัติ"),
    QStringLiteral("กดปุ่ม [ ลูกศรซ้าย ] เมาส์จะมาอยู่ที่ช่อง (ส่วนลดพิเศษ) อัตโนมัติ"),
    QStringLiteral("กดปุ่ม [ ลูกศรขวา ] เมาส์จะมาอยู่ที่ช่อง (รับเงินมา) อัตโนมัติ"),
    QStringLiteral("จากนั้น ระบุจำนวนเงินที่ลูกค้าให้มา แล้วกดปุ่ม [ Enter ]"),
    QStringLiteral("จะเป็นการ ( บันทึกการขายแบบพิมพ์บิล )"),
}.join(QStringLiteral("\r\n\r\n"));

} // namespace

QColor SalePage::colour(unsigned bgr)
{
    return colourOf(bgr);
}

QString SalePage::lineCountText(int rows)
{
    return QStringLiteral("สินค้าทั้งหมด  ( ") + QString::number(rows) + QStringLiteral(" )  รายการ");
}

void SalePage::setWindows(const Windows &w)
{
    windowsStore() = w;
}

const SalePage::Windows &SalePage::windows()
{
    return windowsStore();
}

SalePage::SalePage(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("หน้าร้าน"));
    WindowRegistry::add(this);
    buildControls();
    placeDesign();
    Form_Load();
}

SalePage::~SalePage()
{
    // Boxes emit their change signals while they are torn down; nothing may act on them then.
    const auto children = findChildren<QWidget *>();
    for (QWidget *w : children)
        w->disconnect(this);
}

// ---------------------------------------------------------------------------------------------
// Controls

namespace {
KasmoButton *makeButton(QWidget *parent, const QString &name, const QString &caption,
    const QString &tip = QString(), int32_t face = ButtonPresets::FaceGrey,
    int32_t fore = ButtonPresets::TextDark)
{
    QFont f = parent->font();
    f.setBold(true);
    f.setPointSizeF(10);
    PropertyBag bag = ButtonPresets::pageButton(caption, face, fore);
    bag.write(QStringLiteral("FONT"), f);
    KasmoButton *b = KasmoButton::fromBag(parent, bag);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, double pt = 8.25,
    bool bold = false, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setPointSizeF(pt);
    f.setBold(bold);
    l->setFont(f);
    l->setAlignment(align);
    return l;
}

QFrame *makeShape(QWidget *parent, const QString &name, unsigned bgr)
{
    auto *s = new QFrame(parent);
    s->setObjectName(name);
    s->setAutoFillBackground(true);
    QPalette p = s->palette();
    p.setColor(QPalette::Window, SalePage::colour(bgr));
    s->setPalette(p);
    return s;
}

void setTextColour(QWidget *w, unsigned bgr)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, SalePage::colour(bgr));
    p.setColor(QPalette::Text, SalePage::colour(bgr));
    w->setPalette(p);
}

QLineEdit *makeBox(QWidget *parent, const QString &name, int maxLength, double pt)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    e->setAlignment(Qt::AlignCenter);
    QFont f = e->font();
    f.setPointSizeF(pt);
    f.setBold(true);
    e->setFont(f);
    e->setAutoFillBackground(true);
    return e;
}
} // namespace

void SalePage::buildControls()
{
    QFont pageFont(QStringLiteral("Tahoma"));
    pageFont.setPointSizeF(8.25);
    setFont(pageFont);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour(kPageBack));
    setPalette(pal);

    // Header bar.
    Shape4 = makeShape(this, QStringLiteral("Shape4"), rgbValue(40, 96, 170));
    imgBarHeader = new QLabel(this);
    imgBarHeader->setObjectName(QStringLiteral("imgBarHeader"));
    imgBarHeader->setAutoFillBackground(true);
    {
        QPalette p = imgBarHeader->palette();
        p.setColor(QPalette::Window, colour(kHeaderBar));
        imgBarHeader->setPalette(p);
    }
    Label9 = makeLabel(this, QStringLiteral("Label9"), QStringLiteral("คิดเงิน"), 14, true);
    setTextColour(Label9, rgbValue(255, 255, 255));
    Check1 = new QCheckBox(QStringLiteral(" เปิด/ปิด แจ้งเตือนการบันทึก"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setFocusPolicy(Qt::NoFocus);
    setTextColour(Check1, rgbValue(255, 255, 255));
    Label1
        = makeLabel(this, QStringLiteral("Label1"), QStringLiteral("|"), 12, true, Qt::AlignCenter);
    setTextColour(Label1, rgbValue(180, 200, 230));
    Image7 = makeLabel(
        this, QStringLiteral("Image7"), QStringLiteral("⌨"), 12, false, Qt::AlignCenter);
    setTextColour(Image7, rgbValue(255, 255, 255));
    Label12 = makeLabel(this, QStringLiteral("Label12"), QStringLiteral("&คีย์ลัด"), 9, true);
    Label12->setTextFormat(Qt::PlainText);
    Label12->setText(QStringLiteral("คีย์ลัด"));
    Label12->setCursor(Qt::PointingHandCursor);
    setTextColour(Label12, rgbValue(255, 230, 120));

    // Code row.
    Label13
        = makeLabel(this, QStringLiteral("Label13"), QStringLiteral("&รหัสสินค้า [บาร์โค้ด]"), 10, true);
    Label18 = makeLabel(
        this, QStringLiteral("Label18"), QStringLiteral("&ระบุ  [เลขที่ใบเสร็จ]"), 10, true);
    Label18->hide();
    txtSearchProduct = makeBox(this, QStringLiteral("txtSearchProduct"), 20, 16);
    txtSearchProduct->setToolTip(QStringLiteral(" แสกนบาร์โค๊ด แล้ว Enter "));
    Label13->setBuddy(txtSearchProduct);
    Label18->setBuddy(txtSearchProduct);
    cmdSearch = makeButton(this, QStringLiteral("cmdSearch"), QStringLiteral("ค้นหาสินค้า (F4)"));
    Command2 = makeButton(this, QStringLiteral("Command2"), QStringLiteral("ประมวลผล (Enter)"));
    Command2->hide();
    kasmoButton2
        = makeButton(this, QStringLiteral("kasmoButton2"), QStringLiteral(" พักการขาย (F1)"));
    kasmoButton3
        = makeButton(this, QStringLiteral("kasmoButton3"), QStringLiteral(" เรียกคืนสินค้า (F1)"));
    kasmoButton3->hide();

    // Price-list row.
    Image3 = new QLabel(this);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setAutoFillBackground(true);
    {
        QPalette p = Image3->palette();
        p.setColor(QPalette::Window, colour(rgbValue(200, 212, 210)));
        Image3->setPalette(p);
    }
    Label10 = makeLabel(this, QStringLiteral("Label10"), QStringLiteral("&ประเภทราคา :"), 9, true);
    Combo2 = new QComboBox(this);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->addItems({ QStringLiteral(" ราคาปกติ"), QStringLiteral(" ราคาพิเศษ 1"),
        QStringLiteral(" ราคาพิเศษ 2") });
    Label10->setBuddy(Combo2);
    Label15 = makeLabel(this, QStringLiteral("Label15"), QStringLiteral("ประเภทราคา"), 9);
    Label8 = makeLabel(this, QStringLiteral("Label8"), QStringLiteral("0.00"), 9, true);
    setTextColour(Label8, rgbValue(0, 60, 140));
    Label2 = makeLabel(this, QStringLiteral("Label2"), lineCountText(0), 10, true,
        Qt::AlignRight | Qt::AlignVCenter);
    Frame2 = makeShape(this, QStringLiteral("Frame2"), rgbValue(0, 60, 140));

    // The sale grid and the hidden hold grid.
    fpSpread1 = new DataGrid(this);
    fpSpread1->setObjectName(QStringLiteral("fpSpread1"));
    fpSpread2 = new DataGrid(this);
    fpSpread2->setObjectName(QStringLiteral("fpSpread2"));
    fpSpread2->hide();

    // Bottom block: picture, totals and payment, buttons.
    Frame3 = makeShape(this, QStringLiteral("Frame3"), kPageBack);
    Image2 = new QLabel(Frame3);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setFrameShape(QFrame::StyledPanel);
    Image2->setAutoFillBackground(true);
    {
        QPalette p = Image2->palette();
        p.setColor(QPalette::Window, Qt::white);
        Image2->setPalette(p);
    }
    Label11 = makeLabel(
        Frame3, QStringLiteral("Label11"), QStringLiteral("ภาพสินค้า"), 9, true, Qt::AlignCenter);
    Frame1 = new QFrame(Frame3);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Shape1 = makeShape(Frame1, QStringLiteral("Shape1"), kPanelBack);
    Shape5 = makeShape(Frame1, QStringLiteral("Shape5"), rgbValue(24, 34, 44));
    Shape6 = makeShape(Frame1, QStringLiteral("Shape6"), rgbValue(24, 34, 44));
    Shape7 = makeShape(Frame1, QStringLiteral("Shape7"), rgbValue(24, 34, 44));
    auto figure = [&](const QString &name) {
        QLabel *l = makeLabel(
            Frame1, name, QStringLiteral("0.00"), 24, true, Qt::AlignRight | Qt::AlignVCenter);
        setTextColour(l, kFigure);
        return l;
    };
    auto caption = [&](const QString &name, const QString &text) {
        QLabel *l = makeLabel(Frame1, name, text, 9, true, Qt::AlignRight | Qt::AlignVCenter);
        setTextColour(l, rgbValue(230, 230, 230));
        return l;
    };
    Label7 = caption(QStringLiteral("Label7"), QStringLiteral("รวมเป็นเงิน  (บาท)"));
    Label6 = figure(QStringLiteral("Label6"));
    Label17 = caption(QStringLiteral("Label17"), QStringLiteral("สรุปยอดเงินทั้งหมด  (บาท)"));
    Label16 = figure(QStringLiteral("Label16"));
    Label4 = caption(QStringLiteral("Label4"), QStringLiteral("จำนวนเงินทอน  (บาท)"));
    Label3 = figure(QStringLiteral("Label3"));
    setTextColour(Label3, rgbValue(255, 220, 90));

    Shape3 = makeShape(Frame1, QStringLiteral("Shape3"), rgbValue(236, 240, 238));
    Shape2 = makeShape(Frame1, QStringLiteral("Shape2"), rgbValue(236, 240, 238));
    Shape8 = makeShape(Frame1, QStringLiteral("Shape8"), rgbValue(0, 60, 140));
    Shape9 = makeShape(Frame1, QStringLiteral("Shape9"), rgbValue(0, 60, 140));
    Label14 = makeLabel(Frame1, QStringLiteral("Label14"), QStringLiteral("ส่วนลดพิเศษ"), 10, true);
    text2 = makeBox(Frame1, QStringLiteral("text2"), 7, 16);
    text2->setText(QStringLiteral("0"));
    Combo1 = new QComboBox(Frame1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems({ QStringLiteral("เปอร์เซ็น"), QStringLiteral("บาท") });
    Image4 = makeLabel(
        Frame1, QStringLiteral("Image4"), QStringLiteral("฿"), 14, true, Qt::AlignCenter);
    setTextColour(Image4, rgbValue(0, 120, 60));
    Label5 = makeLabel(Frame1, QStringLiteral("Label5"), QStringLiteral("รับเงินมา (บาท)"), 10, true);
    Text1 = makeBox(Frame1, QStringLiteral("Text1"), 8, 16);
    Text1->setToolTip(QStringLiteral(" ระบุ จำนวน เงิน ที่ลูกค้าจ่าย "));

    text3 = new QLineEdit(this);
    text3->setObjectName(QStringLiteral("text3"));
    text3->hide();
    Text8 = new QLineEdit(this);
    Text8->setObjectName(QStringLiteral("Text8"));
    Text8->hide();

    pageButton1
        = makeButton(Frame3, QStringLiteral("pageButton1"), QStringLiteral("บันทึกการขาย (F9)"));
    pageButton2 = makeButton(
        Frame3, QStringLiteral("pageButton2"), QStringLiteral("บันทึกการขาย และ พิมพ์บิล (F12)"));
    pageButton3 = makeButton(Frame3, QStringLiteral("pageButton3"),
        QStringLiteral("ลบสินค้า (Del)  "), QStringLiteral(" ลบสินค้าที่เลือกทีละรายการ "));
    pageButton4 = makeButton(Frame3, QStringLiteral("pageButton4"), QStringLiteral("คืนสินค้า (F5)"));
    kasmoButton1 = makeButton(Frame3, QStringLiteral("kasmoButton1"), QStringLiteral("ลบสินค้าทั้งหมด"),
        QStringLiteral(" ล้างหน้าจอทั้งหมด "));
    Command6
        = makeButton(Frame3, QStringLiteral("Command6"), QStringLiteral("คืนสินค้าทั้งหมด (ยกเลิกบิล)"));
    Command4
        = makeButton(Frame3, QStringLiteral("Command4"), QStringLiteral("(ออก) จากโหมดคืนสินค้า"));
    Command6->hide();
    Command4->hide();

    // What assistive technology reads: boxes, lists and the grid by their captions; the
    // figures by their figure, with the caption as description.
    using namespace Accessibility;
    nameFromCaption(txtSearchProduct, Label13->text());
    nameFromCaption(Combo2, Label10->text());
    nameFromCaption(fpSpread1, QStringLiteral("รายการสินค้าที่ขาย"));
    nameFromCaption(text2, Label14->text());
    nameFromCaption(Combo1, Label14->text() + QStringLiteral(" เป็น"));
    nameFromCaption(Text1, Label5->text());
    describeFigure(Label6, Label7->text());
    describeFigure(Label16, Label17->text());
    describeFigure(Label3, Label4->text());
    describeFigure(Label2, QStringLiteral("จำนวนรายการ"));

    // Events.
    connect(cmdSearch, &KasmoButton::Click, this, &SalePage::cmdSearch_Click);
    connect(pageButton1, &KasmoButton::Click, this, &SalePage::pageButton1_Click);
    connect(pageButton2, &KasmoButton::Click, this, &SalePage::pageButton2_Click);
    connect(pageButton3, &KasmoButton::Click, this, &SalePage::pageButton3_Click);
    connect(pageButton4, &KasmoButton::Click, this, &SalePage::pageButton4_Click);
    connect(Command2, &KasmoButton::Click, this, &SalePage::Command2_Click);
    connect(Command6, &KasmoButton::Click, this, &SalePage::Command6_Click);
    connect(Command4, &KasmoButton::Click, this, &SalePage::Command4_Click);
    connect(kasmoButton1, &KasmoButton::Click, this, &SalePage::kasmoButton1_Click);
    connect(kasmoButton2, &KasmoButton::Click, this, &SalePage::kasmoButton2_Click);
    connect(kasmoButton3, &KasmoButton::Click, this, &SalePage::kasmoButton3_Click);
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(text2, &QLineEdit::textChanged, this, [this] { text2_Change(); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    connect(fpSpread1, &DataGrid::cellClicked, this, &SalePage::fpSpread1_Click);
    connect(fpSpread1, &DataGrid::cellDoubleClicked, this, [this](int col, int row) {
        fpSpread1->setActiveCell(col, row); // the cell double-clicked, whatever went before
        fpSpread1_DblClick();
    });
    connect(fpSpread1, &DataGrid::keyDown, this,
        [this](int &key, Qt::KeyboardModifiers) { fpSpread1_KeyDown(key); });
    CharacterFilter::install(txtSearchProduct, [this](int &k) { txtSearchProduct_KeyPress(k); });
    CharacterFilter::install(text2, [this](int &k) { text2_KeyPress(k); });
    CharacterFilter::install(Text1, [this](int &k) { Text1_KeyPress(k); });
    InputBoxes::refuseRightClick(Text1);
    InputBoxes::refuseRightClick(text2);
    Label12->installEventFilter(this);

    // The page sees every key before the control that has the focus, and the boxes' focus.
    for (QWidget *w : findChildren<QWidget *>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
    setBoxColour(txtSearchProduct, kCodeBoxBack);
    setBoxColour(text2, kPayBoxBack);
    setBoxColour(Text1, kPayBoxBack);
}

// Design positions in twips; the layout rule moves and stretches from here.
void SalePage::placeDesign()
{
    Twips::place(Shape4, 0, 0, 16000, 560);
    Twips::place(imgBarHeader, 0, 0, 13000, 560);
    Twips::place(Label9, 150, 60, 2000, 440);
    Twips::place(Check1, 7900, 130, 2700, 300);
    Twips::place(Label1, 10160, 100, 200, 360);
    Twips::place(Image7, 10380, 100, 300, 360);
    Twips::place(Label12, 10710, 100, 1000, 360);

    Twips::place(Label13, 150, 700, 2400, 440);
    Twips::place(Label18, 150, 700, 2400, 440);
    Twips::place(txtSearchProduct, 2600, 640, 6860, 560);
    Twips::place(cmdSearch, 9470, 640, 1900, 560);
    Twips::place(Command2, 9470, 640, 1900, 560);
    Twips::place(kasmoButton2, 11380, 640, 1900, 560);
    Twips::place(kasmoButton3, 11380, 640, 1900, 560);

    Twips::place(Image3, 0, 1290, 11360, 440);
    Twips::place(Label10, 150, 1330, 1500, 360);
    Twips::place(Combo2, 1700, 1310, 2000, 400);
    Twips::place(Label15, 3900, 1330, 1300, 360);
    Twips::place(Label8, 5200, 1330, 2000, 360);
    Twips::place(Label2, 10200, 1330, 3000, 360);
    Twips::place(Frame2, 0, 1780, 15370, 50);

    Twips::place(fpSpread1, 0, 1860, 15360, 3000);

    // Frame3 keeps to the bottom of the page (see Form_Resize).
    Twips::place(Frame3, 0, 6000, 15370, 3800);
    Twips::place(Image2, 150, 80, 2300, 2300);
    Twips::place(Label11, 150, 2420, 2300, 320);
    Twips::place(Frame1, 2600, 80, 12000, 2800);
    Twips::place(Shape1, 0, 0, 6760, 2800);
    Twips::place(Shape5, 20, 40, 6720, 880);
    Twips::place(Shape6, 20, 960, 6720, 880);
    Twips::place(Shape7, 20, 1880, 6720, 880);
    Twips::place(Label7, 5100, 60, 1600, 260);
    Twips::place(Label6, 100, 320, 6560, 600);
    Twips::place(Label17, 4380, 980, 2300, 260);
    Twips::place(Label16, 165, 1240, 6430, 600);
    Twips::place(Label4, 4780, 1900, 1900, 260);
    Twips::place(Label3, 165, 2160, 6430, 600);

    Twips::place(Shape3, 6960, 0, 4700, 1360);
    Twips::place(Shape2, 6960, 1440, 4700, 1360);
    Twips::place(Label14, 10140, 120, 1400, 360);
    Twips::place(text2, 7010, 520, 2700, 600);
    Twips::place(Combo1, 9760, 560, 1800, 440);
    Twips::place(Shape8, 7020, 1180, 2640, 40);
    Twips::place(Image4, 7130, 1520, 400, 400);
    Twips::place(Label5, 9410, 1560, 2200, 360);
    Twips::place(Text1, 7010, 1980, 2700, 600);
    Twips::place(Shape9, 7020, 2640, 2640, 40);

    Twips::place(pageButton1, 150, 3000, 2600, 650);
    Twips::place(pageButton2, 2850, 3000, 4000, 650);
    Twips::place(pageButton3, 6950, 3000, 2200, 650);
    Twips::place(pageButton4, 9250, 3000, 2200, 650);
    Twips::place(kasmoButton1, 11550, 3000, 2400, 650);
    Twips::place(Command6, 0, 3000, 5460, 650); // Command4 takes 5460 to 9645 beside it
    Twips::place(Command4, 6950, 3000, 4500, 650);

    Shape4->lower();
    imgBarHeader->stackUnder(Label9);
    Image3->lower();
    Shape4->lower();
    Shape1->lower();
    for (QFrame *s : { Shape5, Shape6, Shape7 })
        s->lower();
    Shape3->lower();
    Shape2->lower();
    Shape1->lower();
    resize(tx(15360), ty(9900));
}

// ---------------------------------------------------------------------------------------------
// The page

void SalePage::Form_Load()
{
    m_loading = true;
    checksetting();
    Module1::ReturnMode = false;
    Combo2->setCurrentIndex(0);
    Combo2_Click();
    Combo1->setCurrentIndex(1);
    Combo1_Click();
    SetupSpread();
    m_loading = false;
}

void SalePage::Form_Activate()
{
    skipOnFailure("SalePage.Form_Activate", [&] { focusCodeBox(); });
}

void SalePage::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    Form_Activate();
}

void SalePage::closeEvent(QCloseEvent *e)
{
    // Form_Unload: the registry forgets the page, the next opening makes a new one.
    QWidget::closeEvent(e);
}

void SalePage::focusCodeBox()
{
    txtSearchProduct->setFocus(Qt::OtherFocusReason);
}

void SalePage::SetupSpread()
{
    DataGrid *g = fpSpread1;
    g->setRedraw(false);
    m_sale.lines.clear();
    g->setMaxRows(0);
    g->setMaxCols(ColCost);
    g->setReadOnly(true);
    for (int c : { ColPK, ColPic, ColCost })
        g->setColWidth(c, 0);
    const QString headers[] = { QString(), QStringLiteral("รหัสสินค้า"), QStringLiteral(" ชื่อสินค้า"),
        QStringLiteral("รายละเอียด"), QStringLiteral("จำนวน"), QStringLiteral("หน่วย"),
        QStringLiteral("ราคาขาย"), QStringLiteral("รวมเป็นเงิน") };
    for (int c = ColCode; c <= ColAmount; ++c)
        g->setText(c, DataGrid::HeaderRow, headers[c]);
    g->setHAlign(ColName, DataGrid::HeaderRow, Qt::AlignLeft);
    for (int c = ColDes; c <= ColPrice; ++c)
        g->setHAlign(c, DataGrid::HeaderRow, Qt::AlignHCenter);
    g->setHAlign(ColAmount, DataGrid::HeaderRow, Qt::AlignRight);
    g->setForeColor(DataGrid::All, DataGrid::All, colour(kGridText));
    g->setVAlign(DataGrid::All, DataGrid::All, Qt::AlignVCenter);
    const Qt::Alignment align[] = { Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft,
        Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignRight };
    for (int c = ColCode; c <= ColAmount; ++c) {
        g->setHAlign(c, DataGrid::All, align[c]);
        g->setCellKind(c, DataGrid::All, CellKind::Text);
        g->setLocked(c, DataGrid::All, true);
    }
    g->setCellKind(ColQty, DataGrid::All, CellKind::Number, 0);
    g->setCellKind(ColPrice, DataGrid::All, CellKind::Money);
    g->setCellKind(ColAmount, DataGrid::All, CellKind::Money);
    g->setRowHeight(DataGrid::All, 25);
    g->setRedraw(true);
}

void SalePage::Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers)
{
    if (Module1::ReturnMode)
        return;
    switch (KeyCode) {
    case Qt::Key_Delete:
        pageButton3_Click(); // not consumed: a box with the focus deletes too
        break;
    case Qt::Key_F1:
        if (!kasmoButton2->isHidden())
            kasmoButton2_Click();
        else
            kasmoButton3_Click();
        break;
    case Qt::Key_F4:
        cmdSearch_Click();
        break;
    case Qt::Key_F5:
        pageButton4_Click();
        break;
    case Qt::Key_F9:
        pageButton1_Click();
        break;
    case Qt::Key_F12:
        pageButton2_Click();
        break;
    case Qt::Key_Up:
        KeyCode = 0;
        focusCodeBox();
        break;
    case Qt::Key_Left:
        KeyCode = 0;
        text2->setFocus(Qt::OtherFocusReason);
        break;
    case Qt::Key_Right:
        KeyCode = 0;
        Text1->setFocus(Qt::OtherFocusReason);
        break;
    default:
        break;
    }
}

bool SalePage::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        int key = ke->key();
        Form_KeyDown(key, ke->modifiers());
        return key == 0;
    }
    case QEvent::FocusIn:
        if (watched == txtSearchProduct || watched == Text1 || watched == text2) {
            InputBoxes::setEnglishKeyboard();
            setBoxColour(static_cast<QLineEdit *>(watched), kFocusBack);
        }
        break;
    case QEvent::FocusOut:
        if (watched == txtSearchProduct)
            setBoxColour(txtSearchProduct, kCodeBoxBack);
        else if (watched == Text1 || watched == text2)
            setBoxColour(static_cast<QLineEdit *>(watched), kPayBoxBack);
        break;
    case QEvent::MouseButtonRelease:
        if (watched == Label12 && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            Label12_Click();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void SalePage::setBoxColour(QLineEdit *box, unsigned bgr)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour(bgr));
    box->setPalette(p);
}

void SalePage::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void SalePage::Form_Resize()
{
    // W is the main frame's outer width; a page shown alone uses its own window.
    const QWidget *frame = window();
    const double W = Twips::fromPixelsX(frame == this ? width() : frame->frameGeometry().width());
    const double innerW = Twips::fromPixelsX(width());
    const double innerH = Twips::fromPixelsY(height());

    skipOnFailure("SalePage.Form_Resize", [&] {
        setWidth(Frame2, W + 10);
        setWidth(Frame3, W + 10);
        setWidth(Shape4, W + 1000);
    });
    skipOnFailure("SalePage.Form_Resize", [&] {
        setWidth(txtSearchProduct, W - 8500);
        const double right = Twips::fromPixelsX(txtSearchProduct->geometry().right() + 1);
        setLeft(cmdSearch, right + 10);
        setLeft(Command2, right + 10);
        setLeft(kasmoButton2, right + widthOf(cmdSearch) + 20);
        setLeft(kasmoButton3, right + widthOf(cmdSearch) + 20);
    });
    skipOnFailure("SalePage.Form_Resize", [&] {
        setLeft(Check1, W - 7450);
        setLeft(Image7, W - 4980);
        setLeft(Label12, W - 4650);
        setLeft(Label1, W - 5200);
        setLeft(Label2, W - 5160);
        setWidth(Image3, W - 4000);
        setWidth(imgBarHeader, W - 2200);
    });
    skipOnFailure("SalePage.Form_Resize", [&] {
        setWidth(Shape1, W - 8600);
        for (QFrame *s : { Shape5, Shape6, Shape7 })
            setWidth(s, W - 8640);
        const double s1 = widthOf(Shape1);
        setWidth(Label6, s1 - 200);
        setWidth(Label16, s1 - 330);
        setWidth(Label3, s1 - 330);
        setLeft(Label7, s1 - 1660);
        setLeft(Label4, s1 - 1980);
        setLeft(Label17, s1 - 2380);
        for (QWidget *w : { (QWidget *)text2, (QWidget *)Text1 })
            setLeft(w, s1 + 250);
        for (QWidget *w : { (QWidget *)Shape3, (QWidget *)Shape2 })
            setLeft(w, s1 + 200);
        for (QWidget *w : { (QWidget *)Shape8, (QWidget *)Shape9 })
            setLeft(w, s1 + 260);
        setLeft(Image4, s1 + 370);
        setLeft(Label5, s1 + 2650);
        setLeft(Combo1, s1 + 3000);
        setLeft(Label14, s1 + 3380);
        setWidth(Frame1, s1 + 5000);
    });
    skipOnFailure("SalePage.Form_Resize", [&] {
        // The bottom block keeps to the page's bottom edge.
        Frame3->move(Frame3->x(), height() - Frame3->height());
        fpSpread1->move(0, fpSpread1->y());
        if (innerH - 5730 >= 0)
            fpSpread1->resize(width(), ty(innerH - 5730));
        else
            fpSpread1->resize(width(), fpSpread1->height());
        const double divisors[] = { 0, 743, 493, 645, 1860, 1630, 1100, 870 };
        for (int c = ColCode; c <= ColAmount; ++c)
            fpSpread1->setColWidth(c, innerW / divisors[c]);
    });
}

void SalePage::Label12_Click()
{
    MsgBox(kShortcutHelp, MsgButtons::Ok, MsgIcon::Information, QStringLiteral("คีย์ลัดเพิ่มเติม"),
        MsgResult::Ok, this);
}

// ---------------------------------------------------------------------------------------------
// Lines

PriceType SalePage::priceType() const
{
    const int i = Combo2->currentIndex();
    return i == 1 ? PriceType::Special1 : i == 2 ? PriceType::Special2 : PriceType::Normal;
}

namespace {
// Money as a stored bill's lines show it in return mode: "#,##0.00" and one blank.
QString billMoney(Currency c)
{
    return c.format() + QLatin1Char(' ');
}
} // namespace

QStringList SalePage::lineCells(const SaleLine &l) const
{
    if (Module1::ReturnMode)
        // A stored line: its key, the bill's wholesale flag in place of the picture.
        return { QString::number(l.storedKey), l.code, QLatin1Char(' ') + l.name, l.description,
            QString::number(l.quantity), l.unit, billMoney(l.unitPrice), billMoney(l.amount()),
            HasWholesaleLine ? QStringLiteral("-1") : QStringLiteral("0"), l.cost.plain() };
    return { QString::number(l.productKey), l.code, QLatin1Char(' ') + l.name, l.description,
        QString::number(l.quantity), l.unit, l.unitPrice.plain(), l.amount().plain(), l.picture,
        l.cost.plain() };
}

void SalePage::showMark(int index)
{
    const PriceMark mark = m_sale.lines[index].mark;
    if (mark != PriceMark::None)
        fpSpread1->setBackColor(ColPrice, index + 1,
            colour(mark == PriceMark::Wholesale ? WholesaleColour : ListPriceColour));
}

void SalePage::showSale()
{
    DataGrid *g = fpSpread1;
    std::vector<QStringList> rows;
    rows.reserve(size_t(m_sale.lines.size()));
    for (const SaleLine &l : m_sale.lines)
        rows.push_back(lineCells(l));
    g->setRows(std::move(rows));
    for (int i = 0; i < m_sale.lines.size(); ++i)
        showMark(i);
    Label2->setText(lineCountText(g->maxRows()));
}

void SalePage::txtSearchProduct_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    if (Module1::ReturnMode) {
        Command2_Click();
        return;
    }
    try {
        AddProductLine();
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

void SalePage::AddProductLine()
{
    if (trimBlanks(txtSearchProduct->text()).isEmpty()) {
        focusCodeBox();
        return;
    }
    const QString cleaned = cleanProductCode(txtSearchProduct->text());
    txtSearchProduct->setText(cleaned);
    Label3->setText(QStringLiteral("0.00"));
    const std::optional<SaleProduct> p = findProductByCode(ShopDatabase::connection(), cleaned);
    if (!p) {
        MsgBox(QStringLiteral("ไม่พบ ( รหัสสินค้า = [ ") + txtSearchProduct->text()
                + QStringLiteral(" ) โปรดทำการ  ( เพิ่มข้อมูลสินค้า )  ชิ้นนี้ !!!"),
            MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        txtSearchProduct->clear();
        return;
    }
    txtSearchProduct->clear();
    addLine(*p);
}

void SalePage::addLine(const SaleProduct &product)
{
    m_sale.priceType = priceType();
    DataGrid *g = fpSpread1;
    const int before = int(m_sale.lines.size());
    const int i = addProduct(m_sale, product);
    if (g->maxRows() != before) {
        showSale();
    } else {
        // Only the line that changed is shown again; a new one goes in on top.
        if (m_sale.lines.size() > before) {
            g->setMaxRows(before + 1);
            g->insertRows(1, 1);
            Label2->setText(lineCountText(g->maxRows()));
        }
        const QStringList cells = lineCells(m_sale.lines[i]);
        for (int c = ColPK; c <= ColCost; ++c)
            g->setText(c, i + 1, cells[c]);
        showMark(i);
    }
    g->setRow(i + 1);
    LoadPica(product.picture);
    CalTotalAmount();
}

QString SalePage::lineName(int row) const
{
    return fpSpread1->getText(ColName, row);
}

QString SalePage::lineDescription(int row) const
{
    return fpSpread1->getText(ColDes, row);
}

void SalePage::setQuantity(int row, qint64 quantity)
{
    if (row < 1 || row > m_sale.lines.size())
        return;
    SaleLine &line = m_sale.lines[row - 1];
    const qint64 before = line.quantity;
    line.quantity = quantity;
    Module1::EditRow = row;
    try {
        CalTotalAmount2();
    } catch (...) {
        line.quantity = before;
        throw;
    }
    CalTotalAmount();
}

void SalePage::lineReturned(int row, qint64 returned, qint64 remaining)
{
    if (row < 1 || row > m_sale.lines.size())
        return;
    const int i = row - 1;
    // The refund is the price the customer paid; the rest of the line keeps that price.
    const Currency price = m_sale.lines[i].unitPrice;
    Label3->setText((Currency::fromText(Label3->text()) + price * returned).format());
    if (remaining == 0)
        ::removeLine(m_sale, i);
    else
        m_sale.lines[i].quantity = remaining;
    showSale();
    skipOnFailure("SalePage.lineReturned", [&] { CalTotalAmount(); });
    Label6->setText(
        QStringLiteral("คืนสินค้าแล้ว ") + QString::number(returned) + QStringLiteral(" หน่วย"));
    if (m_sale.isEmpty()) {
        Command6->setEnabled(false);
        Label6->setText(QStringLiteral("คืนสินค้าทั้งหมดแล้ว"));
    }
}

void SalePage::LoadPica(const QString &PDpic)
{
    if (trimBlanks(PDpic).isEmpty()) {
        PictureFile.clear();
        showPicture(kNoPicture);
        return;
    }
    PictureFile = PDpic;
    showPicture(QStringLiteral("data/pic/") + PictureFile);
}

void SalePage::showPicture(const QString &file)
{
    QPixmap pm = PictureFiles::load(file, Image2->size());
    if (pm.isNull())
        pm = PictureFiles::load(kPicError, Image2->size());
    Image2->setPixmap(pm);
}

void SalePage::fpSpread1_Click(int, int row)
{
    if (Module1::ReturnMode || m_sale.isEmpty() || row < 1 || row > m_sale.lines.size())
        return;
    fpSpread1->setRow(row);
    const SaleLine &line = m_sale.lines[row - 1];
    PictureFile = line.picture;
    Label11->setText(QLatin1Char(' ') + line.name);
    showPicture(PictureFile.isEmpty() ? kNoPicture : QStringLiteral("data/pic/") + PictureFile);
}

void SalePage::fpSpread1_KeyDown(int &KeyCode)
{
    if (Module1::ReturnMode)
        return;
    if (KeyCode == Qt::Key_Down) {
        Text1->setFocus(Qt::OtherFocusReason);
    } else if (KeyCode == Qt::Key_Up) {
        text2->setFocus(Qt::OtherFocusReason);
    } else if (KeyCode == Qt::Key_Return || KeyCode == Qt::Key_Enter) {
        KeyCode = 0;
        const int r = fpSpread1->row();
        if (r < 1 || r > m_sale.lines.size())
            return;
        // The line's amount is always its price times its quantity: show it again.
        showSale();
        CalTotalAmount();
    }
}

void SalePage::pageButton3_Click()
{
    removeLine();
}

void SalePage::removeLine()
{
    if (m_sale.isEmpty()) {
        skipOnFailure("SalePage.removeLine", [&] { emptyTotals(); });
        skipOnFailure("SalePage.removeLine", [&] { showPicture(kNoPicture); });
        skipOnFailure("SalePage.removeLine", [&] {
            Text1->clear();
            text2->clear();
            txtSearchProduct->clear();
        });
        skipOnFailure("SalePage.removeLine", [&] { focusCodeBox(); });
        return;
    }
    skipOnFailure("SalePage.removeLine", [&] {
        ::removeLine(m_sale, fpSpread1->activeRow() - 1);
        showSale();
    });
    skipOnFailure("SalePage.removeLine", [&] { Text1->clear(); });
    skipOnFailure("SalePage.removeLine", [&] { text2->clear(); });
    skipOnFailure("SalePage.removeLine", [&] { Label3->setText(QStringLiteral("0.00")); });
    skipOnFailure("SalePage.removeLine", [&] { showPicture(kNoPicture); });
    skipOnFailure("SalePage.removeLine", [&] { Label11->setText(QStringLiteral("ภาพสินค้า")); });
    skipOnFailure("SalePage.removeLine", [&] { focusCodeBox(); });
    skipOnFailure("SalePage.removeLine", [&] { CalTotalAmount(); });
}

void SalePage::emptyTotals()
{
    Label6->setText(QStringLiteral("0.00"));
    Label16->setText(QStringLiteral("0.00"));
    Label3->setText(QStringLiteral("0.00"));
}

// ---------------------------------------------------------------------------------------------
// Totals

void SalePage::CalTotalAmount()
{
    if (m_sale.isEmpty()) {
        Label6->setText(QStringLiteral("0.00"));
        Label16->setText(QStringLiteral("0.00"));
        return;
    }
    fpSpread1->setRow(fpSpread1->maxRows());
    Label6->setText(saleTotal(m_sale).format());
    Text8->setText(saleDiscount(m_sale).format());
    Label16->setText(saleNet(m_sale).format());
    Text1->clear();
}

void SalePage::CalTotalAmount2()
{
    const int i = Module1::EditRow - 1;
    if (i < 0 || i >= m_sale.lines.size())
        return;
    const SaleLine &line = m_sale.lines[i];
    m_sale.priceType = priceType();
    changeQuantity(
        m_sale, i, line.quantity, findProductByCode(ShopDatabase::connection(), line.code));
    showSale();
}

void SalePage::Combo1_Click()
{
    m_sale.discountType = Combo1->currentIndex() == 0 ? DiscountType::Percent : DiscountType::Baht;
    skipOnFailure(
        "SalePage.Combo1_Click", [&] { text2->setMaxLength(Combo1->currentIndex() == 0 ? 2 : 7); });
    skipOnFailure("SalePage.Combo1_Click", [&] { text2->clear(); });
    skipOnFailure("SalePage.Combo1_Click", [&] {
        if (!m_loading)
            text2->setFocus(Qt::OtherFocusReason);
    });
}

void SalePage::Combo2_Click()
{
    m_sale.priceType = priceType();
    skipOnFailure(
        "SalePage.Combo2_Click", [&] { Label8->setText(Combo2->currentText().trimmed()); });
    if (Module1::ReturnMode)
        return;
    // The price list is the whole sale's: a change starts the sale again.
    skipOnFailure("SalePage.Combo2_Click", [&] {
        m_sale.lines.clear();
        showSale();
    });
    skipOnFailure("SalePage.Combo2_Click", [&] { Label3->setText(QStringLiteral("0.00")); });
    skipOnFailure("SalePage.Combo2_Click", [&] { showPicture(kNoPicture); });
    skipOnFailure("SalePage.Combo2_Click", [&] {
        Text1->clear();
        text2->clear();
    });
    skipOnFailure("SalePage.Combo2_Click", [&] { Label11->setText(QStringLiteral("ภาพสินค้า")); });
    skipOnFailure("SalePage.Combo2_Click", [&] {
        Label6->setText(QStringLiteral("0.00"));
        Label16->setText(QStringLiteral("0.00"));
    });
    skipOnFailure("SalePage.Combo2_Click", [&] { txtSearchProduct->clear(); });
    skipOnFailure("SalePage.Combo2_Click", [&] {
        if (!m_loading)
            focusCodeBox();
    });
}

void SalePage::text2_Change()
{
    if (m_sale.isEmpty()) {
        skipOnFailure("SalePage.text2_Change", [&] { text2->clear(); });
        m_sale.discountFigure = Currency();
        return;
    }
    m_sale.discountFigure = discountFigureFromText(text2->text());
    skipOnFailure("SalePage.text2_Change", [&] { CalTotalAmount(); });
}

void SalePage::Text1_Change()
{
    if (m_sale.isEmpty()) {
        skipOnFailure("SalePage.Text1_Change", [&] { Text1->clear(); });
        m_sale.cash.reset();
        return;
    }
    m_sale.cash = cashFromText(Text1->text());
    const std::optional<Currency> change = saleChange(m_sale);
    skipOnFailure("SalePage.Text1_Change",
        [&] { Label3->setText(change ? change->format() : QStringLiteral("0.00")); });
}

void SalePage::text2_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Text1->setFocus(Qt::OtherFocusReason);
        return;
    }
    KeyFilters::digitsOnly(KeyAscii);
}

void SalePage::Text1_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        if (!Module1::ReturnMode)
            pageButton2_Click();
        return;
    }
    KeyFilters::decimalOnly(KeyAscii);
}

// ---------------------------------------------------------------------------------------------
// Switches and the receipt number

void SalePage::checksetting()
{
    Connection &c = ShopDatabase::connection();
    const bool ask = readSwitch(c, CounterRowId::SaveConfirmSwitch);
    Check1->setChecked(ask); // a change writes row 5 through Check1_Click
    const DrawerSetting d = readDrawerSetting(c);
    if (!d.on) {
        DrawerOn = 0;
    } else {
        DrawerOn = 1;
        DrawerPort = d.port;
    }
}

void SalePage::Check1_Click()
{
    // Runs inside the check box's signal: a failed write is shown, never thrown into Qt.
    try {
        writeSaveConfirmSwitch(ShopDatabase::connection(), Check1->isChecked());
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

// ---------------------------------------------------------------------------------------------
// Buttons of the later steps

void SalePage::cmdSearch_Click()
{
    ProductSearchDialog::showModal(*this);
    focusCodeBox();
}

void SalePage::pageButton4_Click()
{
    enterReturnMode();
}

// kasmoButton1_Click, kasmoButton2_Click and kasmoButton3_Click (clear, hold, recall) are in
// SalePageHold.cpp.

// ---------------------------------------------------------------------------------------------
// Saving

void SalePage::pageButton1_Click()
{
    SaveData1(false);
}

void SalePage::pageButton2_Click()
{
    SaveData1(true);
}

bool SalePage::OpenOnOFF(QString *error)
{
    return CashDrawer::open(DrawerPort, error);
}

void SalePage::takeReceiptNumber()
{
    if (m_store)
        text3->setText(m_store->takeReceiptNo());
}

void SalePage::SetupNewData()
{
    if (m_store)
        NextMovementPK = qint32(m_store->takeMovementKeys());
}

void SalePage::Logdata()
{
    if (m_store)
        m_store->storeLines();
}

void SalePage::SaveData1(bool print)
{
    if (m_sale.isEmpty()) {
        MsgBox(QStringLiteral("กรุณาเลือกรายการสินค้าให้เรียบร้อยก่อนการ บันทึก. . ."), MsgButtons::Ok,
            MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        focusCodeBox();
        return;
    }
    if (Check1->isChecked()
        && MsgBox(QStringLiteral("คุณแน่ใจ หรือ ไม่ ว่าคุณต้องการ บันทึก การขายสินค้า ทั้งหมด !!"),
               MsgButtons::OkCancel, MsgIcon::Warning, QStringLiteral("ยืนยันการบันทึก"), MsgResult::Ok,
               this)
            != MsgResult::Ok)
        return;

    // Everything of one sale commits together or not at all; on failure the sale stays on the
    // page so the cashier can try again.
    m_sale.priceType = priceType();
    HasWholesaleLine = hasWholesaleLine(m_sale);
    const QString previousReceipt = text3->text();
    std::optional<StoredSale> stored;
    try {
        SaleStore store(ShopDatabase::connection(), m_sale,
            { SignedInUser::name, SignedInUser::position, Clock::now() });
        m_store = &store;
        takeReceiptNumber();
        store.storeDiscount();
        SetupNewData();
        store.storeStock();
        Logdata();
        m_store = nullptr;
        stored = store.commit();
    } catch (const MissingSaleProduct &e) {
        m_store = nullptr;
        text3->setText(previousReceipt);
        MsgBox(QStringLiteral("ไม่พบสินค้า ( รหัสสินค้า = ") + e.code
                + QStringLiteral(" ) ในคลังสินค้า การขายนี้ยังไม่ได้บันทึก"),
            MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    } catch (const DbError &e) {
        m_store = nullptr;
        text3->setText(previousReceipt);
        MsgBox(QStringLiteral("บันทึกการขายไม่สำเร็จ : ") + e.text(), MsgButtons::Ok, MsgIcon::Warning,
            Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }

    // The drawer opens only for a sale that is stored.
    QString drawerError;
    const bool drawerFailed = DrawerOn == 1 && !OpenOnOFF(&drawerError);

    // A printing failure does not undo the stored sale.
    if (print && windows().printReceipt) {
        try {
            windows().printReceipt(this, *stored);
        } catch (const std::exception &e) {
            MsgBox(QString::fromUtf8(e.what()), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                MsgResult::Ok, this);
        }
    }

    skipOnFailure("SalePage.SaveData1", [&] { SetupSpread(); });
    skipOnFailure("SalePage.SaveData1", [&] { showPicture(kNoPicture); });
    skipOnFailure("SalePage.SaveData1", [&] {
        Text1->clear();
        text2->clear();
    });
    skipOnFailure("SalePage.SaveData1", [&] { Label2->setText(lineCountText(0)); });
    skipOnFailure("SalePage.SaveData1", [&] { Label11->setText(QStringLiteral("ภาพสินค้า")); });
    skipOnFailure("SalePage.SaveData1", [&] { Label6->setText(QStringLiteral("บันทึกแล้ว")); });
    skipOnFailure("SalePage.SaveData1", [&] { txtSearchProduct->clear(); });
    skipOnFailure("SalePage.SaveData1", [&] { focusCodeBox(); });

    if (drawerFailed)
        MsgBox(QStringLiteral("เปิดลิ้นชักเก็บเงินไม่ได้ : ") + drawerError, MsgButtons::Ok,
            MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
}
