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
    startSelling();
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
    headerBack = makeShape(this, QStringLiteral("headerBack"), rgbValue(40, 96, 170));
    headerBar = new QLabel(this);
    headerBar->setObjectName(QStringLiteral("headerBar"));
    headerBar->setAutoFillBackground(true);
    {
        QPalette p = headerBar->palette();
        p.setColor(QPalette::Window, colour(kHeaderBar));
        headerBar->setPalette(p);
    }
    titleLabel = makeLabel(this, QStringLiteral("titleLabel"), QStringLiteral("คิดเงิน"), 14, true);
    setTextColour(titleLabel, rgbValue(255, 255, 255));
    askBeforeSaving = new QCheckBox(QStringLiteral(" เปิด/ปิด แจ้งเตือนการบันทึก"), this);
    askBeforeSaving->setObjectName(QStringLiteral("askBeforeSaving"));
    askBeforeSaving->setFocusPolicy(Qt::NoFocus);
    setTextColour(askBeforeSaving, rgbValue(255, 255, 255));
    separatorLabel = makeLabel(
        this, QStringLiteral("separatorLabel"), QStringLiteral("|"), 12, true, Qt::AlignCenter);
    setTextColour(separatorLabel, rgbValue(180, 200, 230));
    keyboardIcon = makeLabel(
        this, QStringLiteral("keyboardIcon"), QStringLiteral("⌨"), 12, false, Qt::AlignCenter);
    setTextColour(keyboardIcon, rgbValue(255, 255, 255));
    shortcutsLink
        = makeLabel(this, QStringLiteral("shortcutsLink"), QStringLiteral("&คีย์ลัด"), 9, true);
    shortcutsLink->setTextFormat(Qt::PlainText);
    shortcutsLink->setText(QStringLiteral("คีย์ลัด"));
    shortcutsLink->setCursor(Qt::PointingHandCursor);
    setTextColour(shortcutsLink, rgbValue(255, 230, 120));

    // Code row.
    codeCaption = makeLabel(
        this, QStringLiteral("codeCaption"), QStringLiteral("&รหัสสินค้า [บาร์โค้ด]"), 10, true);
    billNumberCaption = makeLabel(
        this, QStringLiteral("billNumberCaption"), QStringLiteral("&ระบุ  [เลขที่ใบเสร็จ]"), 10, true);
    billNumberCaption->hide();
    codeBox = makeBox(this, QStringLiteral("codeBox"), 20, 16);
    codeBox->setToolTip(QStringLiteral(" แสกนบาร์โค๊ด แล้ว Enter "));
    codeCaption->setBuddy(codeBox);
    billNumberCaption->setBuddy(codeBox);
    searchButton
        = makeButton(this, QStringLiteral("searchButton"), QStringLiteral("ค้นหาสินค้า (F4)"));
    loadBillButton
        = makeButton(this, QStringLiteral("loadBillButton"), QStringLiteral("ประมวลผล (Enter)"));
    loadBillButton->hide();
    holdButton = makeButton(this, QStringLiteral("holdButton"), QStringLiteral(" พักการขาย (F1)"));
    recallButton
        = makeButton(this, QStringLiteral("recallButton"), QStringLiteral(" เรียกคืนสินค้า (F1)"));
    recallButton->hide();

    // Price-list row.
    priceListBar = new QLabel(this);
    priceListBar->setObjectName(QStringLiteral("priceListBar"));
    priceListBar->setAutoFillBackground(true);
    {
        QPalette p = priceListBar->palette();
        p.setColor(QPalette::Window, colour(rgbValue(200, 212, 210)));
        priceListBar->setPalette(p);
    }
    priceListCaption = makeLabel(
        this, QStringLiteral("priceListCaption"), QStringLiteral("&ประเภทราคา :"), 9, true);
    priceList = new QComboBox(this);
    priceList->setObjectName(QStringLiteral("priceList"));
    priceList->addItems({ QStringLiteral(" ราคาปกติ"), QStringLiteral(" ราคาพิเศษ 1"),
        QStringLiteral(" ราคาพิเศษ 2") });
    priceListCaption->setBuddy(priceList);
    chosenPriceCaption
        = makeLabel(this, QStringLiteral("chosenPriceCaption"), QStringLiteral("ประเภทราคา"), 9);
    chosenPriceLabel
        = makeLabel(this, QStringLiteral("chosenPriceLabel"), QStringLiteral("0.00"), 9, true);
    setTextColour(chosenPriceLabel, rgbValue(0, 60, 140));
    lineCountLabel = makeLabel(this, QStringLiteral("lineCountLabel"), lineCountText(0), 10, true,
        Qt::AlignRight | Qt::AlignVCenter);
    gridRule = makeShape(this, QStringLiteral("gridRule"), rgbValue(0, 60, 140));

    // The sale grid and the hidden hold grid.
    saleGrid = new DataGrid(this);
    saleGrid->setObjectName(QStringLiteral("saleGrid"));
    heldGrid = new DataGrid(this);
    heldGrid->setObjectName(QStringLiteral("heldGrid"));
    heldGrid->hide();

    // Bottom block: picture, totals and payment, buttons.
    bottomPanel = makeShape(this, QStringLiteral("bottomPanel"), kPageBack);
    productPicture = new QLabel(bottomPanel);
    productPicture->setObjectName(QStringLiteral("productPicture"));
    productPicture->setAlignment(Qt::AlignCenter);
    productPicture->setFrameShape(QFrame::StyledPanel);
    productPicture->setAutoFillBackground(true);
    {
        QPalette p = productPicture->palette();
        p.setColor(QPalette::Window, Qt::white);
        productPicture->setPalette(p);
    }
    pictureCaption = makeLabel(bottomPanel, QStringLiteral("pictureCaption"),
        QStringLiteral("ภาพสินค้า"), 9, true, Qt::AlignCenter);
    figuresPanel = new QFrame(bottomPanel);
    figuresPanel->setObjectName(QStringLiteral("figuresPanel"));
    figuresBack = makeShape(figuresPanel, QStringLiteral("figuresBack"), kPanelBack);
    totalBack = makeShape(figuresPanel, QStringLiteral("totalBack"), rgbValue(24, 34, 44));
    netBack = makeShape(figuresPanel, QStringLiteral("netBack"), rgbValue(24, 34, 44));
    changeBack = makeShape(figuresPanel, QStringLiteral("changeBack"), rgbValue(24, 34, 44));
    auto figure = [&](const QString &name) {
        QLabel *l = makeLabel(figuresPanel, name, QStringLiteral("0.00"), 24, true,
            Qt::AlignRight | Qt::AlignVCenter);
        setTextColour(l, kFigure);
        return l;
    };
    auto caption = [&](const QString &name, const QString &text) {
        QLabel *l = makeLabel(figuresPanel, name, text, 9, true, Qt::AlignRight | Qt::AlignVCenter);
        setTextColour(l, rgbValue(230, 230, 230));
        return l;
    };
    totalCaption = caption(QStringLiteral("totalCaption"), QStringLiteral("รวมเป็นเงิน  (บาท)"));
    totalLabel = figure(QStringLiteral("totalLabel"));
    netCaption = caption(QStringLiteral("netCaption"), QStringLiteral("สรุปยอดเงินทั้งหมด  (บาท)"));
    netLabel = figure(QStringLiteral("netLabel"));
    changeCaption = caption(QStringLiteral("changeCaption"), QStringLiteral("จำนวนเงินทอน  (บาท)"));
    changeLabel = figure(QStringLiteral("changeLabel"));
    setTextColour(changeLabel, rgbValue(255, 220, 90));

    discountBack = makeShape(figuresPanel, QStringLiteral("discountBack"), rgbValue(236, 240, 238));
    cashBack = makeShape(figuresPanel, QStringLiteral("cashBack"), rgbValue(236, 240, 238));
    discountUnderline
        = makeShape(figuresPanel, QStringLiteral("discountUnderline"), rgbValue(0, 60, 140));
    cashUnderline = makeShape(figuresPanel, QStringLiteral("cashUnderline"), rgbValue(0, 60, 140));
    discountCaption = makeLabel(
        figuresPanel, QStringLiteral("discountCaption"), QStringLiteral("ส่วนลดพิเศษ"), 10, true);
    discountBox = makeBox(figuresPanel, QStringLiteral("discountBox"), 7, 16);
    discountBox->setText(QStringLiteral("0"));
    discountKind = new QComboBox(figuresPanel);
    discountKind->setObjectName(QStringLiteral("discountKind"));
    discountKind->addItems({ QStringLiteral("เปอร์เซ็น"), QStringLiteral("บาท") });
    bahtSign = makeLabel(
        figuresPanel, QStringLiteral("bahtSign"), QStringLiteral("฿"), 14, true, Qt::AlignCenter);
    setTextColour(bahtSign, rgbValue(0, 120, 60));
    cashCaption = makeLabel(
        figuresPanel, QStringLiteral("cashCaption"), QStringLiteral("รับเงินมา (บาท)"), 10, true);
    cashBox = makeBox(figuresPanel, QStringLiteral("cashBox"), 8, 16);
    cashBox->setToolTip(QStringLiteral(" ระบุ จำนวน เงิน ที่ลูกค้าจ่าย "));

    receiptNumberBox = new QLineEdit(this);
    receiptNumberBox->setObjectName(QStringLiteral("receiptNumberBox"));
    receiptNumberBox->hide();
    discountBahtBox = new QLineEdit(this);
    discountBahtBox->setObjectName(QStringLiteral("discountBahtBox"));
    discountBahtBox->hide();

    saveButton
        = makeButton(bottomPanel, QStringLiteral("saveButton"), QStringLiteral("บันทึกการขาย (F9)"));
    saveAndPrintButton = makeButton(bottomPanel, QStringLiteral("saveAndPrintButton"),
        QStringLiteral("บันทึกการขาย และ พิมพ์บิล (F12)"));
    removeLineButton = makeButton(bottomPanel, QStringLiteral("removeLineButton"),
        QStringLiteral("ลบสินค้า (Del)  "), QStringLiteral(" ลบสินค้าที่เลือกทีละรายการ "));
    returnModeButton = makeButton(
        bottomPanel, QStringLiteral("returnModeButton"), QStringLiteral("คืนสินค้า (F5)"));
    clearButton = makeButton(bottomPanel, QStringLiteral("clearButton"),
        QStringLiteral("ลบสินค้าทั้งหมด"), QStringLiteral(" ล้างหน้าจอทั้งหมด "));
    returnWholeBillButton = makeButton(bottomPanel, QStringLiteral("returnWholeBillButton"),
        QStringLiteral("คืนสินค้าทั้งหมด (ยกเลิกบิล)"));
    leaveReturnModeButton = makeButton(bottomPanel, QStringLiteral("leaveReturnModeButton"),
        QStringLiteral("(ออก) จากโหมดคืนสินค้า"));
    returnWholeBillButton->hide();
    leaveReturnModeButton->hide();

    // What assistive technology reads: boxes, lists and the grid by their captions; the
    // figures by their figure, with the caption as description.
    using namespace Accessibility;
    nameFromCaption(codeBox, codeCaption->text());
    nameFromCaption(priceList, priceListCaption->text());
    nameFromCaption(saleGrid, QStringLiteral("รายการสินค้าที่ขาย"));
    nameFromCaption(discountBox, discountCaption->text());
    nameFromCaption(discountKind, discountCaption->text() + QStringLiteral(" เป็น"));
    nameFromCaption(cashBox, cashCaption->text());
    describeFigure(totalLabel, totalCaption->text());
    describeFigure(netLabel, netCaption->text());
    describeFigure(changeLabel, changeCaption->text());
    describeFigure(lineCountLabel, QStringLiteral("จำนวนรายการ"));

    // Events.
    connect(searchButton, &KasmoButton::Click, this, &SalePage::openProductSearch);
    connect(saveButton, &KasmoButton::Click, this, [this] { saveSale(false); });
    connect(saveAndPrintButton, &KasmoButton::Click, this, &SalePage::saveAndPrint);
    connect(removeLineButton, &KasmoButton::Click, this, &SalePage::removeLine);
    connect(returnModeButton, &KasmoButton::Click, this, &SalePage::enterReturnMode);
    connect(loadBillButton, &KasmoButton::Click, this, &SalePage::loadBill);
    connect(returnWholeBillButton, &KasmoButton::Click, this, &SalePage::returnWholeBill);
    connect(leaveReturnModeButton, &KasmoButton::Click, this, &SalePage::leaveReturnMode);
    connect(clearButton, &KasmoButton::Click, this, &SalePage::clearSale);
    connect(holdButton, &KasmoButton::Click, this, &SalePage::holdSale);
    connect(recallButton, &KasmoButton::Click, this, &SalePage::recallSale);
    connect(priceList, &QComboBox::activated, this, [this] { changePriceList(); });
    connect(discountKind, &QComboBox::activated, this, [this] { changeDiscountKind(); });
    connect(askBeforeSaving, &QCheckBox::toggled, this, [this] { saveAskSwitch(); });
    connect(discountBox, &QLineEdit::textChanged, this, [this] { applyDiscount(); });
    connect(cashBox, &QLineEdit::textChanged, this, [this] { applyCash(); });
    connect(saleGrid, &DataGrid::cellClicked, this, [this](int, int row) { showLineProduct(row); });
    connect(saleGrid, &DataGrid::cellDoubleClicked, this, [this](int col, int row) {
        saleGrid->setActiveCell(col, row); // the cell double-clicked, whatever went before
        changeOrReturnLine();
    });
    connect(saleGrid, &DataGrid::keyDown, this,
        [this](int &key, Qt::KeyboardModifiers) { gridKey(key); });
    CharacterFilter::install(codeBox, [this](int &k) { codeBoxKey(k); });
    CharacterFilter::install(discountBox, [this](int &k) { discountBoxKey(k); });
    CharacterFilter::install(cashBox, [this](int &k) { cashBoxKey(k); });
    InputBoxes::refuseRightClick(cashBox);
    InputBoxes::refuseRightClick(discountBox);
    shortcutsLink->installEventFilter(this);

    // The page sees every key before the control that has the focus, and the boxes' focus.
    for (QWidget *w : findChildren<QWidget *>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
    setBoxColour(codeBox, kCodeBoxBack);
    setBoxColour(discountBox, kPayBoxBack);
    setBoxColour(cashBox, kPayBoxBack);
}

// Design positions in twips; the layout rule moves and stretches from here.
void SalePage::placeDesign()
{
    Twips::place(headerBack, 0, 0, 16000, 560);
    Twips::place(headerBar, 0, 0, 13000, 560);
    Twips::place(titleLabel, 150, 60, 2000, 440);
    Twips::place(askBeforeSaving, 7900, 130, 2700, 300);
    Twips::place(separatorLabel, 10160, 100, 200, 360);
    Twips::place(keyboardIcon, 10380, 100, 300, 360);
    Twips::place(shortcutsLink, 10710, 100, 1000, 360);

    Twips::place(codeCaption, 150, 700, 2400, 440);
    Twips::place(billNumberCaption, 150, 700, 2400, 440);
    Twips::place(codeBox, 2600, 640, 6860, 560);
    Twips::place(searchButton, 9470, 640, 1900, 560);
    Twips::place(loadBillButton, 9470, 640, 1900, 560);
    Twips::place(holdButton, 11380, 640, 1900, 560);
    Twips::place(recallButton, 11380, 640, 1900, 560);

    Twips::place(priceListBar, 0, 1290, 11360, 440);
    Twips::place(priceListCaption, 150, 1330, 1500, 360);
    Twips::place(priceList, 1700, 1310, 2000, 400);
    Twips::place(chosenPriceCaption, 3900, 1330, 1300, 360);
    Twips::place(chosenPriceLabel, 5200, 1330, 2000, 360);
    Twips::place(lineCountLabel, 10200, 1330, 3000, 360);
    Twips::place(gridRule, 0, 1780, 15370, 50);

    Twips::place(saleGrid, 0, 1860, 15360, 3000);

    // bottomPanel keeps to the bottom of the page (see arrangeControls).
    Twips::place(bottomPanel, 0, 6000, 15370, 3800);
    Twips::place(productPicture, 150, 80, 2300, 2300);
    Twips::place(pictureCaption, 150, 2420, 2300, 320);
    Twips::place(figuresPanel, 2600, 80, 12000, 2800);
    Twips::place(figuresBack, 0, 0, 6760, 2800);
    Twips::place(totalBack, 20, 40, 6720, 880);
    Twips::place(netBack, 20, 960, 6720, 880);
    Twips::place(changeBack, 20, 1880, 6720, 880);
    Twips::place(totalCaption, 5100, 60, 1600, 260);
    Twips::place(totalLabel, 100, 320, 6560, 600);
    Twips::place(netCaption, 4380, 980, 2300, 260);
    Twips::place(netLabel, 165, 1240, 6430, 600);
    Twips::place(changeCaption, 4780, 1900, 1900, 260);
    Twips::place(changeLabel, 165, 2160, 6430, 600);

    Twips::place(discountBack, 6960, 0, 4700, 1360);
    Twips::place(cashBack, 6960, 1440, 4700, 1360);
    Twips::place(discountCaption, 10140, 120, 1400, 360);
    Twips::place(discountBox, 7010, 520, 2700, 600);
    Twips::place(discountKind, 9760, 560, 1800, 440);
    Twips::place(discountUnderline, 7020, 1180, 2640, 40);
    Twips::place(bahtSign, 7130, 1520, 400, 400);
    Twips::place(cashCaption, 9410, 1560, 2200, 360);
    Twips::place(cashBox, 7010, 1980, 2700, 600);
    Twips::place(cashUnderline, 7020, 2640, 2640, 40);

    Twips::place(saveButton, 150, 3000, 2600, 650);
    Twips::place(saveAndPrintButton, 2850, 3000, 4000, 650);
    Twips::place(removeLineButton, 6950, 3000, 2200, 650);
    Twips::place(returnModeButton, 9250, 3000, 2200, 650);
    Twips::place(clearButton, 11550, 3000, 2400, 650);
    // The leave button takes 5460 to 9645 beside the whole-bill button.
    Twips::place(returnWholeBillButton, 0, 3000, 5460, 650);
    Twips::place(leaveReturnModeButton, 6950, 3000, 4500, 650);

    headerBack->lower();
    headerBar->stackUnder(titleLabel);
    priceListBar->lower();
    headerBack->lower();
    figuresBack->lower();
    for (QFrame *s : { totalBack, netBack, changeBack })
        s->lower();
    discountBack->lower();
    cashBack->lower();
    figuresBack->lower();
    resize(tx(15360), ty(9900));
}

// ---------------------------------------------------------------------------------------------
// The page

void SalePage::startSelling()
{
    m_loading = true;
    readSwitches();
    m_returning = false;
    priceList->setCurrentIndex(0);
    changePriceList();
    discountKind->setCurrentIndex(1);
    changeDiscountKind();
    resetGrid();
    m_loading = false;
}

void SalePage::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    focusCodeBox();
}

void SalePage::focusCodeBox()
{
    codeBox->setFocus(Qt::OtherFocusReason);
}

void SalePage::resetGrid()
{
    DataGrid *g = saleGrid;
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

void SalePage::runPageKey(int &key)
{
    if (m_returning)
        return;
    switch (key) {
    case Qt::Key_Delete:
        removeLine(); // not consumed: a box with the focus deletes too
        break;
    case Qt::Key_F1:
        if (!holdButton->isHidden())
            holdSale();
        else
            recallSale();
        break;
    case Qt::Key_F4:
        openProductSearch();
        break;
    case Qt::Key_F5:
        enterReturnMode();
        break;
    case Qt::Key_F9:
        saveSale(false);
        break;
    case Qt::Key_F12:
        saveAndPrint();
        break;
    case Qt::Key_Up:
        key = 0;
        focusCodeBox();
        break;
    case Qt::Key_Left:
        key = 0;
        discountBox->setFocus(Qt::OtherFocusReason);
        break;
    case Qt::Key_Right:
        key = 0;
        cashBox->setFocus(Qt::OtherFocusReason);
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
        runPageKey(key);
        return key == 0;
    }
    case QEvent::FocusIn:
        if (watched == codeBox || watched == cashBox || watched == discountBox) {
            InputBoxes::setEnglishKeyboard();
            setBoxColour(static_cast<QLineEdit *>(watched), kFocusBack);
        }
        break;
    case QEvent::FocusOut:
        if (watched == codeBox)
            setBoxColour(codeBox, kCodeBoxBack);
        else if (watched == cashBox || watched == discountBox)
            setBoxColour(static_cast<QLineEdit *>(watched), kPayBoxBack);
        break;
    case QEvent::MouseButtonRelease:
        if (watched == shortcutsLink
            && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            showShortcuts();
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
    arrangeControls();
}

void SalePage::arrangeControls()
{
    // W is the main frame's outer width; a page shown alone uses its own window.
    const QWidget *frame = window();
    const double W = Twips::fromPixelsX(frame == this ? width() : frame->frameGeometry().width());
    const double innerW = Twips::fromPixelsX(width());
    const double innerH = Twips::fromPixelsY(height());

    skipOnFailure("SalePage.arrangeControls", [&] {
        setWidth(gridRule, W + 10);
        setWidth(bottomPanel, W + 10);
        setWidth(headerBack, W + 1000);
    });
    skipOnFailure("SalePage.arrangeControls", [&] {
        setWidth(codeBox, W - 8500);
        const double right = Twips::fromPixelsX(codeBox->geometry().right() + 1);
        setLeft(searchButton, right + 10);
        setLeft(loadBillButton, right + 10);
        setLeft(holdButton, right + widthOf(searchButton) + 20);
        setLeft(recallButton, right + widthOf(searchButton) + 20);
    });
    skipOnFailure("SalePage.arrangeControls", [&] {
        setLeft(askBeforeSaving, W - 7450);
        setLeft(keyboardIcon, W - 4980);
        setLeft(shortcutsLink, W - 4650);
        setLeft(separatorLabel, W - 5200);
        setLeft(lineCountLabel, W - 5160);
        setWidth(priceListBar, W - 4000);
        setWidth(headerBar, W - 2200);
    });
    skipOnFailure("SalePage.arrangeControls", [&] {
        setWidth(figuresBack, W - 8600);
        for (QFrame *s : { totalBack, netBack, changeBack })
            setWidth(s, W - 8640);
        const double s1 = widthOf(figuresBack);
        setWidth(totalLabel, s1 - 200);
        setWidth(netLabel, s1 - 330);
        setWidth(changeLabel, s1 - 330);
        setLeft(totalCaption, s1 - 1660);
        setLeft(changeCaption, s1 - 1980);
        setLeft(netCaption, s1 - 2380);
        for (QWidget *w : { (QWidget *)discountBox, (QWidget *)cashBox })
            setLeft(w, s1 + 250);
        for (QWidget *w : { (QWidget *)discountBack, (QWidget *)cashBack })
            setLeft(w, s1 + 200);
        for (QWidget *w : { (QWidget *)discountUnderline, (QWidget *)cashUnderline })
            setLeft(w, s1 + 260);
        setLeft(bahtSign, s1 + 370);
        setLeft(cashCaption, s1 + 2650);
        setLeft(discountKind, s1 + 3000);
        setLeft(discountCaption, s1 + 3380);
        setWidth(figuresPanel, s1 + 5000);
    });
    skipOnFailure("SalePage.arrangeControls", [&] {
        // The bottom block keeps to the page's bottom edge.
        bottomPanel->move(bottomPanel->x(), height() - bottomPanel->height());
        saleGrid->move(0, saleGrid->y());
        if (innerH - 5730 >= 0)
            saleGrid->resize(width(), ty(innerH - 5730));
        else
            saleGrid->resize(width(), saleGrid->height());
        const double divisors[] = { 0, 743, 493, 645, 1860, 1630, 1100, 870 };
        for (int c = ColCode; c <= ColAmount; ++c)
            saleGrid->setColWidth(c, innerW / divisors[c]);
    });
}

void SalePage::showShortcuts()
{
    MsgBox(kShortcutHelp, MsgButtons::Ok, MsgIcon::Information, QStringLiteral("คีย์ลัดเพิ่มเติม"),
        MsgResult::Ok, this);
}

// ---------------------------------------------------------------------------------------------
// Lines

PriceType SalePage::priceType() const
{
    const int i = priceList->currentIndex();
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
    if (m_returning)
        // A stored line: its key, the bill's wholesale flag in place of the picture.
        return { QString::number(l.storedKey), l.code, QLatin1Char(' ') + l.name, l.description,
            QString::number(l.quantity), l.unit, billMoney(l.unitPrice), billMoney(l.amount()),
            m_billHasWholesaleLine ? QStringLiteral("-1") : QStringLiteral("0"), l.cost.plain() };
    return { QString::number(l.productKey), l.code, QLatin1Char(' ') + l.name, l.description,
        QString::number(l.quantity), l.unit, l.unitPrice.plain(), l.amount().plain(), l.picture,
        l.cost.plain() };
}

void SalePage::showMark(int index)
{
    const PriceMark mark = m_sale.lines[index].mark;
    if (mark != PriceMark::None)
        saleGrid->setBackColor(ColPrice, index + 1,
            colour(mark == PriceMark::Wholesale ? WholesaleColour : ListPriceColour));
}

void SalePage::showSale()
{
    DataGrid *g = saleGrid;
    std::vector<QStringList> rows;
    rows.reserve(size_t(m_sale.lines.size()));
    for (const SaleLine &l : m_sale.lines)
        rows.push_back(lineCells(l));
    g->setRows(std::move(rows));
    for (int i = 0; i < m_sale.lines.size(); ++i)
        showMark(i);
    lineCountLabel->setText(lineCountText(g->maxRows()));
}

void SalePage::codeBoxKey(int &key)
{
    if (key != 13)
        return;
    key = 0;
    if (m_returning) {
        loadBill();
        return;
    }
    try {
        addScannedProduct();
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

void SalePage::addScannedProduct()
{
    if (trimBlanks(codeBox->text()).isEmpty()) {
        focusCodeBox();
        return;
    }
    const QString cleaned = cleanProductCode(codeBox->text());
    codeBox->setText(cleaned);
    changeLabel->setText(QStringLiteral("0.00"));
    const std::optional<SaleProduct> p = findProductByCode(ShopDatabase::connection(), cleaned);
    if (!p) {
        MsgBox(QStringLiteral("ไม่พบ ( รหัสสินค้า = [ ") + codeBox->text()
                + QStringLiteral(" ) โปรดทำการ  ( เพิ่มข้อมูลสินค้า )  ชิ้นนี้ !!!"),
            MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        codeBox->clear();
        return;
    }
    codeBox->clear();
    addLine(*p);
}

void SalePage::addLine(const SaleProduct &product)
{
    m_sale.priceType = priceType();
    DataGrid *g = saleGrid;
    const int before = int(m_sale.lines.size());
    const int i = addProduct(m_sale, product);
    if (g->maxRows() != before) {
        showSale();
    } else {
        // Only the line that changed is shown again; a new one goes in on top.
        if (m_sale.lines.size() > before) {
            g->setMaxRows(before + 1);
            g->insertRows(1, 1);
            lineCountLabel->setText(lineCountText(g->maxRows()));
        }
        const QStringList cells = lineCells(m_sale.lines[i]);
        for (int c = ColPK; c <= ColCost; ++c)
            g->setText(c, i + 1, cells[c]);
        showMark(i);
    }
    g->setRow(i + 1);
    showProductPicture(product.picture);
    showTotals();
}

QString SalePage::lineName(int row) const
{
    return saleGrid->getText(ColName, row);
}

QString SalePage::lineDescription(int row) const
{
    return saleGrid->getText(ColDes, row);
}

void SalePage::setQuantity(int row, qint64 quantity)
{
    if (row < 1 || row > m_sale.lines.size())
        return;
    SaleLine &line = m_sale.lines[row - 1];
    const qint64 before = line.quantity;
    line.quantity = quantity;
    try {
        repriceLine(row);
    } catch (...) {
        line.quantity = before;
        throw;
    }
    showTotals();
}

void SalePage::showLineReturned(int row, qint64 returned, qint64 remaining)
{
    if (row < 1 || row > m_sale.lines.size())
        return;
    const int i = row - 1;
    // The refund is the price the customer paid; the rest of the line keeps that price.
    const Currency price = m_sale.lines[i].unitPrice;
    changeLabel->setText((Currency::fromText(changeLabel->text()) + price * returned).format());
    if (remaining == 0)
        ::removeLine(m_sale, i);
    else
        m_sale.lines[i].quantity = remaining;
    showSale();
    skipOnFailure("SalePage.showLineReturned", [&] { showTotals(); });
    totalLabel->setText(
        QStringLiteral("คืนสินค้าแล้ว ") + QString::number(returned) + QStringLiteral(" หน่วย"));
    if (m_sale.isEmpty()) {
        returnWholeBillButton->setEnabled(false);
        totalLabel->setText(QStringLiteral("คืนสินค้าทั้งหมดแล้ว"));
    }
}

void SalePage::showProductPicture(const QString &PDpic)
{
    if (trimBlanks(PDpic).isEmpty()) {
        m_pictureFile.clear();
        showPicture(kNoPicture);
        return;
    }
    m_pictureFile = PDpic;
    showPicture(QStringLiteral("data/pic/") + m_pictureFile);
}

void SalePage::showPicture(const QString &file)
{
    QPixmap pm = PictureFiles::load(file, productPicture->size());
    if (pm.isNull())
        pm = PictureFiles::load(kPicError, productPicture->size());
    productPicture->setPixmap(pm);
}

void SalePage::showLineProduct(int row)
{
    if (m_returning || m_sale.isEmpty() || row < 1 || row > m_sale.lines.size())
        return;
    saleGrid->setRow(row);
    const SaleLine &line = m_sale.lines[row - 1];
    m_pictureFile = line.picture;
    pictureCaption->setText(QLatin1Char(' ') + line.name);
    showPicture(m_pictureFile.isEmpty() ? kNoPicture : QStringLiteral("data/pic/") + m_pictureFile);
}

void SalePage::gridKey(int &key)
{
    if (m_returning)
        return;
    if (key == Qt::Key_Down) {
        cashBox->setFocus(Qt::OtherFocusReason);
    } else if (key == Qt::Key_Up) {
        discountBox->setFocus(Qt::OtherFocusReason);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        key = 0;
        const int r = saleGrid->row();
        if (r < 1 || r > m_sale.lines.size())
            return;
        // The line's amount is always its price times its quantity: show it again.
        showSale();
        showTotals();
    }
}

void SalePage::removeLine()
{
    if (m_sale.isEmpty()) {
        skipOnFailure("SalePage.removeLine", [&] { emptyTotals(); });
        skipOnFailure("SalePage.removeLine", [&] { showPicture(kNoPicture); });
        skipOnFailure("SalePage.removeLine", [&] {
            cashBox->clear();
            discountBox->clear();
            codeBox->clear();
        });
        skipOnFailure("SalePage.removeLine", [&] { focusCodeBox(); });
        return;
    }
    skipOnFailure("SalePage.removeLine", [&] {
        ::removeLine(m_sale, saleGrid->activeRow() - 1);
        showSale();
    });
    skipOnFailure("SalePage.removeLine", [&] { cashBox->clear(); });
    skipOnFailure("SalePage.removeLine", [&] { discountBox->clear(); });
    skipOnFailure("SalePage.removeLine", [&] { changeLabel->setText(QStringLiteral("0.00")); });
    skipOnFailure("SalePage.removeLine", [&] { showPicture(kNoPicture); });
    skipOnFailure(
        "SalePage.removeLine", [&] { pictureCaption->setText(QStringLiteral("ภาพสินค้า")); });
    skipOnFailure("SalePage.removeLine", [&] { focusCodeBox(); });
    skipOnFailure("SalePage.removeLine", [&] { showTotals(); });
}

void SalePage::emptyTotals()
{
    totalLabel->setText(QStringLiteral("0.00"));
    netLabel->setText(QStringLiteral("0.00"));
    changeLabel->setText(QStringLiteral("0.00"));
}

// ---------------------------------------------------------------------------------------------
// Totals

void SalePage::showTotals()
{
    if (m_sale.isEmpty()) {
        totalLabel->setText(QStringLiteral("0.00"));
        netLabel->setText(QStringLiteral("0.00"));
        return;
    }
    saleGrid->setRow(saleGrid->maxRows());
    totalLabel->setText(saleTotal(m_sale).format());
    discountBahtBox->setText(saleDiscount(m_sale).format());
    netLabel->setText(saleNet(m_sale).format());
    cashBox->clear();
}

void SalePage::repriceLine(int row)
{
    const int i = row - 1;
    if (i < 0 || i >= m_sale.lines.size())
        return;
    const SaleLine &line = m_sale.lines[i];
    m_sale.priceType = priceType();
    changeQuantity(
        m_sale, i, line.quantity, findProductByCode(ShopDatabase::connection(), line.code));
    showSale();
}

void SalePage::changeDiscountKind()
{
    m_sale.discountType
        = discountKind->currentIndex() == 0 ? DiscountType::Percent : DiscountType::Baht;
    skipOnFailure("SalePage.changeDiscountKind",
        [&] { discountBox->setMaxLength(discountKind->currentIndex() == 0 ? 2 : 7); });
    skipOnFailure("SalePage.changeDiscountKind", [&] { discountBox->clear(); });
    skipOnFailure("SalePage.changeDiscountKind", [&] {
        if (!m_loading)
            discountBox->setFocus(Qt::OtherFocusReason);
    });
}

void SalePage::changePriceList()
{
    m_sale.priceType = priceType();
    skipOnFailure("SalePage.changePriceList",
        [&] { chosenPriceLabel->setText(priceList->currentText().trimmed()); });
    if (m_returning)
        return;
    // The price list is the whole sale's: a change starts the sale again.
    skipOnFailure("SalePage.changePriceList", [&] {
        m_sale.lines.clear();
        showSale();
    });
    skipOnFailure(
        "SalePage.changePriceList", [&] { changeLabel->setText(QStringLiteral("0.00")); });
    skipOnFailure("SalePage.changePriceList", [&] { showPicture(kNoPicture); });
    skipOnFailure("SalePage.changePriceList", [&] {
        cashBox->clear();
        discountBox->clear();
    });
    skipOnFailure(
        "SalePage.changePriceList", [&] { pictureCaption->setText(QStringLiteral("ภาพสินค้า")); });
    skipOnFailure("SalePage.changePriceList", [&] {
        totalLabel->setText(QStringLiteral("0.00"));
        netLabel->setText(QStringLiteral("0.00"));
    });
    skipOnFailure("SalePage.changePriceList", [&] { codeBox->clear(); });
    skipOnFailure("SalePage.changePriceList", [&] {
        if (!m_loading)
            focusCodeBox();
    });
}

void SalePage::applyDiscount()
{
    if (m_sale.isEmpty()) {
        skipOnFailure("SalePage.applyDiscount", [&] { discountBox->clear(); });
        m_sale.discountFigure = Currency();
        return;
    }
    m_sale.discountFigure = discountFigureFromText(discountBox->text());
    skipOnFailure("SalePage.applyDiscount", [&] { showTotals(); });
}

void SalePage::applyCash()
{
    if (m_sale.isEmpty()) {
        skipOnFailure("SalePage.applyCash", [&] { cashBox->clear(); });
        m_sale.cash.reset();
        return;
    }
    m_sale.cash = cashFromText(cashBox->text());
    const std::optional<Currency> change = saleChange(m_sale);
    skipOnFailure("SalePage.applyCash",
        [&] { changeLabel->setText(change ? change->format() : QStringLiteral("0.00")); });
}

void SalePage::discountBoxKey(int &key)
{
    if (key == 13) {
        key = 0;
        cashBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    KeyFilters::digitsOnly(key);
}

void SalePage::cashBoxKey(int &key)
{
    if (key == 13) {
        key = 0;
        if (!m_returning)
            saveAndPrint();
        return;
    }
    KeyFilters::decimalOnly(key);
}

// ---------------------------------------------------------------------------------------------
// Switches and the receipt number

void SalePage::readSwitches()
{
    Connection &c = ShopDatabase::connection();
    const bool ask = readSwitch(c, CounterRowId::SaveConfirmSwitch);
    askBeforeSaving->setChecked(ask); // a change writes row 5 through saveAskSwitch
    const DrawerSetting d = readDrawerSetting(c);
    // Switched off, the drawer keeps the port it had.
    m_drawer.on = d.on;
    if (d.on)
        m_drawer.port = d.port;
}

void SalePage::saveAskSwitch()
{
    // Runs inside the check box's signal: a failed write is shown, never thrown into Qt.
    try {
        writeSaveConfirmSwitch(ShopDatabase::connection(), askBeforeSaving->isChecked());
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

// ---------------------------------------------------------------------------------------------
// Buttons of the later steps

void SalePage::openProductSearch()
{
    ProductSearchDialog::showModal(*this);
    focusCodeBox();
}

// Clear, hold and recall are in SalePageHold.cpp.

// ---------------------------------------------------------------------------------------------
// Saving

void SalePage::saveAndPrint()
{
    saveSale(true);
}

bool SalePage::openDrawer(QString *error)
{
    return CashDrawer::open(m_drawer.port, error);
}

void SalePage::takeReceiptNumber()
{
    if (m_store)
        receiptNumberBox->setText(m_store->takeReceiptNo());
}

void SalePage::takeMovementKeys()
{
    if (m_store)
        m_nextMovementKey = qint32(m_store->takeMovementKeys());
}

void SalePage::storeLines()
{
    if (m_store)
        m_store->storeLines();
}

void SalePage::saveSale(bool print)
{
    if (m_sale.isEmpty()) {
        MsgBox(QStringLiteral("กรุณาเลือกรายการสินค้าให้เรียบร้อยก่อนการ บันทึก. . ."), MsgButtons::Ok,
            MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        focusCodeBox();
        return;
    }
    if (askBeforeSaving->isChecked()
        && MsgBox(QStringLiteral("คุณแน่ใจ หรือ ไม่ ว่าคุณต้องการ บันทึก การขายสินค้า ทั้งหมด !!"),
               MsgButtons::OkCancel, MsgIcon::Warning, QStringLiteral("ยืนยันการบันทึก"), MsgResult::Ok,
               this)
            != MsgResult::Ok)
        return;

    // Everything of one sale commits together or not at all; on failure the sale stays on the
    // page so the cashier can try again.
    m_sale.priceType = priceType();
    m_billHasWholesaleLine = hasWholesaleLine(m_sale);
    const QString previousReceipt = receiptNumberBox->text();
    std::optional<StoredSale> stored;
    try {
        SaleStore store(ShopDatabase::connection(), m_sale,
            { SignedInUser::name, SignedInUser::position, Clock::now() });
        m_store = &store;
        takeReceiptNumber();
        store.storeDiscount();
        takeMovementKeys();
        store.storeStock();
        storeLines();
        m_store = nullptr;
        stored = store.commit();
    } catch (const MissingSaleProduct &e) {
        m_store = nullptr;
        receiptNumberBox->setText(previousReceipt);
        MsgBox(QStringLiteral("ไม่พบสินค้า ( รหัสสินค้า = ") + e.code
                + QStringLiteral(" ) ในคลังสินค้า การขายนี้ยังไม่ได้บันทึก"),
            MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    } catch (const DbError &e) {
        m_store = nullptr;
        receiptNumberBox->setText(previousReceipt);
        MsgBox(QStringLiteral("บันทึกการขายไม่สำเร็จ : ") + e.text(), MsgButtons::Ok, MsgIcon::Warning,
            Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }

    // The drawer opens only for a sale that is stored.
    QString drawerError;
    const bool drawerFailed = m_drawer.on && !openDrawer(&drawerError);

    // A printing failure does not undo the stored sale.
    if (print && windows().printReceipt) {
        try {
            windows().printReceipt(this, *stored);
        } catch (const std::exception &e) {
            MsgBox(QString::fromUtf8(e.what()), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                MsgResult::Ok, this);
        }
    }

    skipOnFailure("SalePage.saveSale", [&] { resetGrid(); });
    skipOnFailure("SalePage.saveSale", [&] { showPicture(kNoPicture); });
    skipOnFailure("SalePage.saveSale", [&] {
        cashBox->clear();
        discountBox->clear();
    });
    skipOnFailure("SalePage.saveSale", [&] { lineCountLabel->setText(lineCountText(0)); });
    skipOnFailure("SalePage.saveSale", [&] { pictureCaption->setText(QStringLiteral("ภาพสินค้า")); });
    skipOnFailure("SalePage.saveSale", [&] { totalLabel->setText(QStringLiteral("บันทึกแล้ว")); });
    skipOnFailure("SalePage.saveSale", [&] { codeBox->clear(); });
    skipOnFailure("SalePage.saveSale", [&] { focusCodeBox(); });

    if (drawerFailed)
        MsgBox(QStringLiteral("เปิดลิ้นชักเก็บเงินไม่ได้ : ") + drawerError, MsgButtons::Ok,
            MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
}
