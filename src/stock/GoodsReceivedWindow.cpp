#include "stock/GoodsReceivedWindow.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Codes.h"
#include "records/DateText.h"
#include "sale/ProductSearchDialog.h"
#include "sale/QuantityEditDialog.h"
#include "sale/SaleRules.h"
#include "sale/SaleUi.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include "stock/StockReportViewer.h"
#include "stock/StockUpdateStore.h"
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <algorithm>

namespace {

constexpr int ColPK = 0;
constexpr int ColCode = 1;
constexpr int ColName = 2;
constexpr int ColDes = 3;
constexpr int ColQty = 4;
constexpr int ColUnit = 5;
constexpr int ColCost = 6;
constexpr int ColAmount = 7;
constexpr int ColCount = 8;

const unsigned kBack = rgbValue(219, 226, 224);
const unsigned kHeading = rgbValue(21, 66, 139);
const unsigned kFieldBack = rgbValue(42, 152, 208);
const unsigned kDateText = rgbValue(64, 64, 64);
const unsigned kNumberText = rgbValue(224, 224, 224);
const unsigned kRemarkBack = rgbValue(240, 240, 240);
const unsigned kRemarkText = rgbValue(0, 0, 64);
const unsigned kTotalPanel = rgbValue(150, 185, 175);
const unsigned kTotalCaption = rgbValue(219, 159, 158);
const unsigned kCodeBand = rgbValue(159, 185, 200);
const unsigned kCodeBoxBack = rgbValue(224, 224, 224);
const unsigned kCodeBoxFocus = rgbValue(208, 197, 168);
const unsigned kCodeBoxText = rgbValue(128, 64, 64);
const unsigned kGridText = rgbValue(26, 26, 26);

const QString kOptionalTip = QStringLiteral(" ไม่จำเป็นต้องใส่ ");
const QString kScanTip = QStringLiteral(" แสกนบาร์โค๊ด แล้ว Enter ");

int tx(double twips)
{
    return Twips::toPixelsX(twips);
}
int ty(double twips)
{
    return Twips::toPixelsY(twips);
}
using Twips::setHeight;
using Twips::setLeft;
using Twips::setTop;
using Twips::setWidth;

// One step of the resize, which skips a failing step and goes on with the next.
template <typename F> void step(F f)
{
    skipOnFailure("GoodsReceivedWindow.Form_Resize", f);
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &text, double pt,
    bool bold = true, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setFont(tahoma(pt, bold));
    l->setAlignment(align);
    return l;
}

QLineEdit *makeBox(QWidget *parent, const QString &name, int maxLength, unsigned back,
    unsigned fore, const QString &tip)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    e->setFont(tahoma(11));
    e->setToolTip(tip);
    setColour(e, QPalette::Base, colourOf(back));
    setColour(e, QPalette::Text, colourOf(fore));
    return e;
}

QFrame *makeFrame(QWidget *parent, const QString &name, unsigned back)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setAutoFillBackground(true);
    setColour(f, QPalette::Window, colourOf(back));
    return f;
}

KasmoButton *makeButton(QWidget *parent, const QString &name, const QString &caption)
{
    PropertyBag bag = ButtonPresets::pageButton(caption);
    bag.write(QStringLiteral("FONT"), tahoma(10));
    KasmoButton *b = KasmoButton::fromBag(parent, bag);
    b->setObjectName(name);
    QString spoken = caption;
    b->setAccessibleName(spoken.remove(QLatin1Char('&')).trimmed());
    return b;
}

// The window's outer size in twips, as the layout rules measure it. Without a window manager
// (no frame around the window) the frame of a dialog at the design's size is assumed.
QSizeF outerTwips(const QWidget *w)
{
    QSize s = w->frameGeometry().size();
    if (s == w->size())
        s += QSize(6, 33);
    return QSizeF(Twips::fromPixelsX(s.width()), Twips::fromPixelsY(s.height()));
}

} // namespace

const QString GoodsReceivedWindow::AutoNumberText = QStringLiteral("ระบบอัตโนมัติ");

GoodsReceivedWindow::GoodsReceivedWindow()
{
    setObjectName(QStringLiteral("GoodsReceivedWindow"));
    setWindowTitle(QStringLiteral("อัพเดทสต๊อก"));
    setWindowFlags(
        Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
    buildControls();
    Form_Load();
}

GoodsReceivedWindow::~GoodsReceivedWindow()
{
    // Boxes emit their signals while they are torn down; nothing may act on them then.
    for (QWidget *w : findChildren<QWidget *>())
        w->disconnect(this);
}

void GoodsReceivedWindow::buildControls()
{
    setFont(tahoma(8.25, false));
    setAutoFillBackground(true);
    setColour(this, QPalette::Window, colourOf(kBack));

    // Top band: heading, date-time, document number, remark, and the total on the right.
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    imgBarHeader = new QLabel(Frame1);
    imgBarHeader->setObjectName(QStringLiteral("imgBarHeader"));
    imgBarHeader->setScaledContents(true);
    imgBarHeader->setPixmap(bannerStrip(QColor(236, 241, 240), colourOf(kBack)));
    lblSidebar
        = makeLabel(Frame1, QStringLiteral("lblSidebar"), QStringLiteral("รายละเอียดการรับสินค้า"), 11);
    setColour(lblSidebar, QPalette::WindowText, colourOf(kHeading));
    Shape1 = makeFrame(Frame1, QStringLiteral("Shape1"), kHeading);

    Label1 = makeLabel(Frame1, QStringLiteral("Label1"), QStringLiteral("วันเวลาที่ทำรายการ"), 10);
    Label3 = makeLabel(Frame1, QStringLiteral("Label3"), QString(), 11, true, Qt::AlignCenter);
    Label3->setAutoFillBackground(true);
    setColour(Label3, QPalette::Window, colourOf(kFieldBack));
    setColour(Label3, QPalette::WindowText, colourOf(kDateText));
    Label3->setAccessibleDescription(Label1->text());

    Label2 = makeLabel(Frame1, QStringLiteral("Label2"), QStringLiteral("เลขที่"), 10);
    Label2->setToolTip(kOptionalTip);
    text0 = makeBox(Frame1, QStringLiteral("text0"), 30, kFieldBack, kNumberText, kOptionalTip);
    text0->setReadOnly(true);
    text0->setAlignment(Qt::AlignCenter);
    text0->setAccessibleName(Label2->text());

    Label5 = makeLabel(Frame1, QStringLiteral("Label5"), QStringLiteral("หมายเหตุ"), 10);
    Label5->setToolTip(kOptionalTip);
    Text1 = makeBox(Frame1, QStringLiteral("Text1"), 50, kRemarkBack, kRemarkText, kOptionalTip);
    Text1->setAccessibleName(Label5->text());

    Label4 = makeLabel(Frame1, QStringLiteral("Label4"), QString(), 10);
    Label4->setAutoFillBackground(true);
    setColour(Label4, QPalette::Window, colourOf(kTotalPanel));
    Label7 = makeLabel(Frame1, QStringLiteral("Label7"), QStringLiteral("รวมราคาต้นทุน (บาท)"), 10,
        true, Qt::AlignCenter);
    Label7->setAutoFillBackground(true);
    setColour(Label7, QPalette::Window, colourOf(kTotalCaption));
    Label6 = makeLabel(Frame1, QStringLiteral("Label6"), QStringLiteral("ราคา"), 22, true,
        Qt::AlignRight | Qt::AlignVCenter);
    setColour(Label6, QPalette::WindowText, colourOf(kHeading));
    Label6->setAccessibleDescription(Label7->text());

    // Code band.
    Frame2 = makeFrame(this, QStringLiteral("Frame2"), kCodeBand);
    Shape4 = makeFrame(Frame2, QStringLiteral("Shape4"), rgbValue(120, 150, 170));
    Label8 = makeLabel(Frame2, QStringLiteral("Label8"), QStringLiteral("&รหัสสินค้า (บาร์โค้ด)"), 10);
    Label8->setToolTip(kScanTip);
    txtSearchProduct = makeBox(
        Frame2, QStringLiteral("txtSearchProduct"), 20, kCodeBoxBack, kCodeBoxText, kScanTip);
    txtSearchProduct->setFont(tahoma(16));
    txtSearchProduct->setAlignment(Qt::AlignCenter);
    txtSearchProduct->setAccessibleName(QStringLiteral("รหัสสินค้า (บาร์โค้ด)"));
    Label8->setBuddy(txtSearchProduct);
    cmdSearch = makeButton(Frame2, QStringLiteral("cmdSearch"), QStringLiteral("ค้นหาสินค้า"));

    // The received lines.
    fpSpread1 = new DataGrid(this);
    fpSpread1->setObjectName(QStringLiteral("fpSpread1"));
    fpSpread1->setAccessibleName(QStringLiteral("รายการรับสินค้า"));
    fpSpread1->setTabKeyNavigation(false); // Tab leaves the grid for the buttons

    // Button bar.
    Frame3 = makeFrame(this, QStringLiteral("Frame3"), kBack);
    Shape2 = makeFrame(Frame3, QStringLiteral("Shape2"), kCodeBand);
    Shape3 = makeFrame(Frame3, QStringLiteral("Shape3"), kHeading);
    Command1 = makeButton(Frame3, QStringLiteral("Command1"), QStringLiteral("&บันทึกสินค้า (F9)"));
    pageButton1 = makeButton(
        Frame3, QStringLiteral("pageButton1"), QStringLiteral("&บันทึกสินค้า และ พิมพ์บิล (F12)"));
    pageButton2
        = makeButton(Frame3, QStringLiteral("pageButton2"), QStringLiteral("&ลบสินค้า (Del)"));
    pageButton3 = makeButton(Frame3, QStringLiteral("pageButton3"), QStringLiteral("&ออกจากหน้านี้"));

    // Design positions in twips; the resize rule stretches from here.
    resize(tx(13605), ty(8760));
    Twips::place(Frame1, 105, 60, 13395, 2520);
    Twips::place(imgBarHeader, 30, 30, 13345, 480);
    Twips::place(lblSidebar, 150, 90, 6000, 360);
    Twips::place(Shape1, 30, 510, 13345, 30);
    Twips::place(Label1, 150, 720, 2050, 420);
    Twips::place(Label3, 2280, 720, 7575, 420);
    Twips::place(Label2, 150, 1320, 2050, 420);
    Twips::place(text0, 2280, 1320, 7575, 420);
    Twips::place(Label5, 150, 1920, 2050, 420);
    Twips::place(Text1, 2280, 1920, 7575, 420);
    Twips::place(Label4, 9960, 720, 3330, 1620);
    Twips::place(Label7, 9960, 720, 3330, 420);
    Twips::place(Label6, 10020, 1140, 3210, 1200);
    Twips::place(Frame2, 180, 2670, 13245, 900);
    Twips::place(Shape4, 0, 0, 14595, 45);
    Twips::place(Label8, 150, 240, 3000, 480);
    Twips::place(txtSearchProduct, 3240, 150, 7065, 600);
    Twips::place(cmdSearch, 11165, 150, 1900, 600);
    Twips::place(fpSpread1, 45, 3735, 13515, 3510);
    Twips::place(Frame3, 45, 7605, 13515, 1155);
    Twips::place(Shape2, 0, 0, 13515, 30);
    Twips::place(Shape3, 0, 30, 13515, 15);
    Twips::place(Command1, 105, 255, 2900, 700);
    Twips::place(pageButton1, 3105, 255, 4300, 700);
    Twips::place(pageButton2, 7505, 255, 2600, 700);
    Twips::place(pageButton3, 10205, 255, 2700, 700);
    Label4->lower();
    imgBarHeader->lower();
    Frame3->lower();

    setTabOrder(txtSearchProduct, Text1);
    setTabOrder(Text1, text0);
    setTabOrder(text0, fpSpread1);
    setTabOrder(fpSpread1, Command1);
    setTabOrder(Command1, pageButton3);
    setTabOrder(pageButton3, pageButton2);
    setTabOrder(pageButton2, pageButton1);
    setTabOrder(pageButton1, cmdSearch);

    connect(cmdSearch, &KasmoButton::Click, this, &GoodsReceivedWindow::cmdSearch_Click);
    connect(Command1, &KasmoButton::Click, this, &GoodsReceivedWindow::Command1_Click);
    connect(pageButton1, &KasmoButton::Click, this, &GoodsReceivedWindow::pageButton1_Click);
    connect(pageButton2, &KasmoButton::Click, this, &GoodsReceivedWindow::pageButton2_Click);
    connect(pageButton3, &KasmoButton::Click, this, &GoodsReceivedWindow::pageButton3_Click);
    connect(fpSpread1, &DataGrid::cellDoubleClicked, this, [this](int col, int row) {
        fpSpread1->setActiveCell(col, row); // the cell double-clicked, whatever went before
        fpSpread1_DblClick();
    });
    CharacterFilter::install(txtSearchProduct, [this](int &k) { txtSearchProduct_KeyPress(k); });
    CharacterFilter::install(text0, [this](int &k) { text0_KeyPress(k); });
    CharacterFilter::install(Text1, [this](int &k) { Text1_KeyPress(k); });

    // Key preview: the window sees every key before the control that has the focus. Only
    // controls that take the focus get the filter, so a key passed on to a parent frame is
    // not seen twice.
    for (QWidget *w : findChildren<QWidget *>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);
}

bool GoodsReceivedWindow::showModal()
{
    QPointer<GoodsReceivedWindow> w = WindowRegistry::instance<GoodsReceivedWindow>();
    w->focusCodeBox();
    // Only a completed save accepts the window.
    return DialogRunner::exec(w) == QDialog::Accepted;
}

void GoodsReceivedWindow::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    Label3->setText(DateText::display(Clock::now()));
    text0->setText(AutoNumberText);
    SetupSpread();
    focusCodeBox();
}

void GoodsReceivedWindow::SetupSpread()
{
    DataGrid *g = fpSpread1;
    m_doc.clear();
    g->setRedraw(false);
    g->setMaxRows(0);
    g->setMaxCols(ColCount);
    g->setReadOnly(true);
    g->setColWidth(ColPK, 0);
    const QString headers[] = { QString(), QStringLiteral("รหัสสินค้า"), QStringLiteral(" ชื่อสินค้า"),
        QStringLiteral("รายละเอียด"), QStringLiteral("จำนวน"), QStringLiteral("หน่วยนับ"),
        QStringLiteral("ราคาทุน"), QStringLiteral("รวมจำนวนเงิน") };
    for (int c = ColCode; c <= ColAmount; ++c)
        g->setText(c, DataGrid::HeaderRow, headers[c]);
    g->setHAlign(ColName, DataGrid::HeaderRow, Qt::AlignLeft);
    for (int c = ColDes; c <= ColCost; ++c)
        g->setHAlign(c, DataGrid::HeaderRow, Qt::AlignHCenter);
    g->setHAlign(ColAmount, DataGrid::HeaderRow, Qt::AlignRight);
    g->setForeColor(DataGrid::All, DataGrid::All, colourOf(kGridText));
    g->setVAlign(DataGrid::All, DataGrid::All, Qt::AlignVCenter);
    const Qt::Alignment align[] = { Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft,
        Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignRight };
    for (int c = ColCode; c <= ColAmount; ++c)
        g->setHAlign(c, DataGrid::All, align[c]);
    g->setCellKind(ColQty, DataGrid::All, CellKind::Number, 0);
    g->setCellKind(ColCost, DataGrid::All, CellKind::Money);
    g->setCellKind(ColAmount, DataGrid::All, CellKind::Money);
    g->setRowHeight(DataGrid::All, 25);
    g->setRedraw(true);
}

void GoodsReceivedWindow::resizeEvent(QResizeEvent *e)
{
    QDialog::resizeEvent(e);
    Form_Resize();
}

void GoodsReceivedWindow::Form_Resize()
{
    const QSizeF outer = outerTwips(this);
    const double W = outer.width();
    const double H = outer.height();
    step([&] {
        setWidth(fpSpread1, W - 180);
        setHeight(fpSpread1, H - 5250);
    });
    step([&] { setWidth(Frame1, W - 300); });
    step([&] { setWidth(Frame2, W - 450); });
    step([&] { setWidth(Shape4, W + 900); });
    step([&] { setWidth(txtSearchProduct, W - 6630); });
    step([&] { setLeft(cmdSearch, Twips::fromPixelsX(Shape4->width()) - 3430); });
    step([&] { setWidth(imgBarHeader, W - 350); });
    step([&] {
        for (QWidget *w : { (QWidget *)Text1, (QWidget *)text0, (QWidget *)Label3 })
            setWidth(w, W - 6100);
    });
    step([&] {
        for (QWidget *w : { Label4, Label6, Label7 })
            setLeft(w, W - 3730);
    });
    step([&] { setTop(Frame3, H - 1650); });
    step([&] {
        const double divisors[] = { 0, 690, 455, 650, 1520, 1500, 1700, 1100 };
        for (int c = ColCode; c <= ColAmount; ++c)
            fpSpread1->setColWidth(c, W / divisors[c]);
    });
    step([&] {
        // Decoration that follows its band.
        setWidth(Shape1, W - 350);
        setWidth(Frame3, W - 180);
        setWidth(Shape2, W - 180);
        setWidth(Shape3, W - 180);
    });
}

// ---------------------------------------------------------------------------------------------
// Keys and focus

void GoodsReceivedWindow::Form_KeyDown(int &KeyCode, Qt::KeyboardModifiers)
{
    switch (KeyCode) {
    case Qt::Key_F9:
        KeyCode = 0;
        Command1_Click();
        break;
    case Qt::Key_F12:
        KeyCode = 0;
        pageButton1_Click();
        break;
    case Qt::Key_Delete:
        pageButton2_Click(); // not consumed: a box with the focus deletes too
        break;
    case Qt::Key_Escape:
        KeyCode = 0; // bound to nothing: the received lines never go without the question
        break;
    default:
        break;
    }
}

bool GoodsReceivedWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *ke = static_cast<QKeyEvent *>(event);
        int key = ke->key();
        Form_KeyDown(key, ke->modifiers());
        if (key == 0)
            return true;
        break;
    }
    case QEvent::FocusIn:
        if (watched == txtSearchProduct) {
            InputBoxes::setEnglishKeyboard();
            setCodeBoxColour(kCodeBoxFocus);
        }
        break;
    case QEvent::FocusOut:
        if (watched == txtSearchProduct)
            setCodeBoxColour(kCodeBoxBack);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void GoodsReceivedWindow::keyPressEvent(QKeyEvent *e)
{
    // Keys that reach the window itself: with no control holding the focus they still run the
    // commands; a key a control passed on was seen by the filter already.
    if (!focusWidget() || focusWidget() == this) {
        int key = e->key();
        Form_KeyDown(key, e->modifiers());
    }
    // Esc and Enter close nothing here.
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void GoodsReceivedWindow::focusCodeBox()
{
    txtSearchProduct->setFocus(Qt::OtherFocusReason);
}

void GoodsReceivedWindow::setCodeBoxColour(unsigned bgr)
{
    setColour(txtSearchProduct, QPalette::Base, colourOf(bgr));
}

void GoodsReceivedWindow::txtSearchProduct_KeyPress(int &KeyAscii)
{
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    try {
        ScanProduct();
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

void GoodsReceivedWindow::text0_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Text1->setFocus(Qt::OtherFocusReason);
        return;
    }
    KeyFilters::codeCharactersOnly(KeyAscii);
}

void GoodsReceivedWindow::Text1_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        focusCodeBox();
    }
}

// ---------------------------------------------------------------------------------------------
// Lines

void GoodsReceivedWindow::ScanProduct()
{
    if (trimBlanks(txtSearchProduct->text()).isEmpty()) {
        focusCodeBox();
        return;
    }
    txtSearchProduct->setText(cleanProductCode(txtSearchProduct->text()));
    const std::optional<SaleProduct> p
        = findProductByCode(ShopDatabase::connection(), txtSearchProduct->text());
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

void GoodsReceivedWindow::addLine(const SaleProduct &product)
{
    const int before = m_doc.lineCount();
    const int row = m_doc.add(product);
    if (m_doc.lineCount() > before) {
        fpSpread1->setMaxRows(m_doc.lineCount());
        fpSpread1->insertRows(1, 1);
    }
    showLine(row);
    CalTotalAmount();
}

void GoodsReceivedWindow::showLine(int row)
{
    const ReceivedLine &l = m_doc.line(row);
    const QString cells[] = { QString::number(l.pk), l.code, QLatin1Char(' ') + l.name,
        l.description, QString::number(l.quantity), l.unit, l.cost.plain(), l.amount().plain() };
    for (int c = ColPK; c <= ColAmount; ++c)
        fpSpread1->setText(c, row, cells[c]);
}

void GoodsReceivedWindow::setQuantity(int row, qint64 quantity)
{
    if (row < 1 || row > m_doc.lineCount())
        return;
    m_doc.setQuantity(row, quantity);
    Module1::EditRow = row;
    CalTotalAmount2();
    CalTotalAmount();
}

QString GoodsReceivedWindow::lineName(int row) const
{
    return fpSpread1->getText(ColName, row);
}

QString GoodsReceivedWindow::lineDescription(int row) const
{
    return fpSpread1->getText(ColDes, row);
}

void GoodsReceivedWindow::CalTotalAmount()
{
    Label6->setText(m_doc.isEmpty() ? QStringLiteral("0.00") : m_doc.total().format());
}

void GoodsReceivedWindow::CalTotalAmount2()
{
    const int r = Module1::EditRow;
    if (r >= 1 && r <= m_doc.lineCount())
        showLine(r);
}

void GoodsReceivedWindow::cmdSearch_Click()
{
    ProductSearchDialog::showModal(*this);
    focusCodeBox();
}

void GoodsReceivedWindow::fpSpread1_DblClick()
{
    DataGrid *g = fpSpread1;
    if (g->maxRows() == 0 || g->activeCol() != ColQty)
        return;
    const int r = g->activeRow();
    if (r < 1 || r > m_doc.lineCount())
        return;
    Module1::EditQty = int(m_doc.line(r).quantity);
    Module1::EditRow = r;
    QuantityEditDialog::showModal(*this);
    focusCodeBox();
}

void GoodsReceivedWindow::pageButton2_Click()
{
    DataGrid *g = fpSpread1;
    if (m_doc.isEmpty()) {
        Label6->setText(QStringLiteral("0.00"));
        return;
    }
    const int r = g->activeRow();
    if (r >= 1 && r <= m_doc.lineCount()) {
        const int col = g->activeCol();
        m_doc.remove(r);
        g->deleteRows(r, 1);
        g->setMaxRows(m_doc.lineCount());
        // The active cell stays where it was (on the last line when that one went).
        if (!m_doc.isEmpty())
            g->setActiveCell(col, std::min(r, m_doc.lineCount()));
    }
    CalTotalAmount();
}

void GoodsReceivedWindow::pageButton3_Click()
{
    if (MsgBox(QStringLiteral("คุณแน่ใจหรือไม่ ที่ต้องการ ออกจากหน้าต่าง นี้ !!"), MsgButtons::OkCancel,
            MsgIcon::Warning, QStringLiteral("ยืนยันการออก"), MsgResult::Ok, this)
        == MsgResult::Ok)
        close();
}

// ---------------------------------------------------------------------------------------------
// Saving

void GoodsReceivedWindow::Command1_Click()
{
    SaveDatas(false);
}

void GoodsReceivedWindow::pageButton1_Click()
{
    SaveDatas(true);
}

void GoodsReceivedWindow::SaveDatas(bool ExcelOK)
{
    if (m_doc.isEmpty()) {
        MsgBox(QStringLiteral("กรุณาเลือกรายการสินค้าให้เรียบร้อยก่อนที่ต้องการอัพเดท ก่อน การ บันทึก."),
            MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        focusCodeBox();
        return;
    }
    if (MsgBox(QStringLiteral("คุณแน่ใจ หรือ ไม่ ว่าคุณต้องการ บันทึก การ อัพเดทสต๊อก ทั้งหมด !!"),
            MsgButtons::OkCancel, MsgIcon::Warning, QStringLiteral("ยืนยันการบันทึก"), MsgResult::Ok,
            this)
        != MsgResult::Ok)
        return;
    Text1->setText(cleanProductCode(Text1->text()));

    // The whole document commits together or not at all; on failure the lines stay for
    // another try and no number is used up.
    try {
        StockUpdateStore store(ShopDatabase::connection());
        text0->setText(store.save(m_doc, { SignedInUser::name, Clock::now(), Text1->text() }));
    } catch (const MissingStockProduct &e) {
        text0->setText(AutoNumberText);
        MsgBox(QStringLiteral("ไม่พบสินค้า ( รหัสสินค้า = ") + e.code
                + QStringLiteral(" ) ในคลังสินค้า การอัพเดทสต๊อกนี้ยังไม่ได้บันทึก"),
            MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    } catch (const DbError &e) {
        text0->setText(AutoNumberText);
        MsgBox(QStringLiteral("บันทึกการอัพเดทสต๊อกไม่สำเร็จ : ") + e.text(), MsgButtons::Ok,
            MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }

    // The document is stored; a printing failure does not undo it.
    if (ExcelOK) {
        try {
            PrintNA();
        } catch (const std::exception &e) {
            MsgBox(QString::fromUtf8(e.what()), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                MsgResult::Ok, this);
        }
    }
    accept();
}

void GoodsReceivedWindow::PrintNA()
{
    StockReportViewer::showReport(*this, this);
}

// ---------------------------------------------------------------------------------------------
// The goods-received document

int GoodsReceivedWindow::document() const
{
    return PrintSource::StockUpdate;
}

int GoodsReceivedWindow::rowCount() const
{
    return fpSpread1->maxRows();
}

QString GoodsReceivedWindow::cell(int row, int col) const
{
    return fpSpread1->displayText(col, row);
}

QString GoodsReceivedWindow::text(Text which) const
{
    switch (which) {
    case Text::DateTime:
        return Label3->text();
    case Text::DocumentNo:
        return text0->text();
    case Text::Remark:
        return Text1->text();
    case Text::Total:
        return Label6->text();
    default:
        return QString();
    }
}
