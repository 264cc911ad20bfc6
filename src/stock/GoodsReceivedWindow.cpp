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
    skipOnFailure("GoodsReceivedWindow.stretchToSize", f);
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
    startDocument();
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
    headerBand = new QFrame(this);
    headerBand->setObjectName(QStringLiteral("headerBand"));
    headerBand->setFrameShape(QFrame::StyledPanel);
    headerBanner = new QLabel(headerBand);
    headerBanner->setObjectName(QStringLiteral("headerBanner"));
    headerBanner->setScaledContents(true);
    headerBanner->setPixmap(bannerStrip(QColor(236, 241, 240), colourOf(kBack)));
    headingLabel = makeLabel(
        headerBand, QStringLiteral("headingLabel"), QStringLiteral("รายละเอียดการรับสินค้า"), 11);
    setColour(headingLabel, QPalette::WindowText, colourOf(kHeading));
    headingRule = makeFrame(headerBand, QStringLiteral("headingRule"), kHeading);

    dateCaption = makeLabel(
        headerBand, QStringLiteral("dateCaption"), QStringLiteral("วันเวลาที่ทำรายการ"), 10);
    dateLabel
        = makeLabel(headerBand, QStringLiteral("dateLabel"), QString(), 11, true, Qt::AlignCenter);
    dateLabel->setAutoFillBackground(true);
    setColour(dateLabel, QPalette::Window, colourOf(kFieldBack));
    setColour(dateLabel, QPalette::WindowText, colourOf(kDateText));
    dateLabel->setAccessibleDescription(dateCaption->text());

    numberCaption
        = makeLabel(headerBand, QStringLiteral("numberCaption"), QStringLiteral("เลขที่"), 10);
    numberCaption->setToolTip(kOptionalTip);
    documentNumberBox = makeBox(
        headerBand, QStringLiteral("documentNumberBox"), 30, kFieldBack, kNumberText, kOptionalTip);
    documentNumberBox->setReadOnly(true);
    documentNumberBox->setAlignment(Qt::AlignCenter);
    documentNumberBox->setAccessibleName(numberCaption->text());

    remarkCaption
        = makeLabel(headerBand, QStringLiteral("remarkCaption"), QStringLiteral("หมายเหตุ"), 10);
    remarkCaption->setToolTip(kOptionalTip);
    remarkBox = makeBox(
        headerBand, QStringLiteral("remarkBox"), 50, kRemarkBack, kRemarkText, kOptionalTip);
    remarkBox->setAccessibleName(remarkCaption->text());

    totalPanel = makeLabel(headerBand, QStringLiteral("totalPanel"), QString(), 10);
    totalPanel->setAutoFillBackground(true);
    setColour(totalPanel, QPalette::Window, colourOf(kTotalPanel));
    totalCaption = makeLabel(headerBand, QStringLiteral("totalCaption"),
        QStringLiteral("รวมราคาต้นทุน (บาท)"), 10, true, Qt::AlignCenter);
    totalCaption->setAutoFillBackground(true);
    setColour(totalCaption, QPalette::Window, colourOf(kTotalCaption));
    totalLabel = makeLabel(headerBand, QStringLiteral("totalLabel"), QStringLiteral("ราคา"), 22,
        true, Qt::AlignRight | Qt::AlignVCenter);
    setColour(totalLabel, QPalette::WindowText, colourOf(kHeading));
    totalLabel->setAccessibleDescription(totalCaption->text());

    // Code band.
    codeBand = makeFrame(this, QStringLiteral("codeBand"), kCodeBand);
    codeBandRule = makeFrame(codeBand, QStringLiteral("codeBandRule"), rgbValue(120, 150, 170));
    codeCaption = makeLabel(
        codeBand, QStringLiteral("codeCaption"), QStringLiteral("&รหัสสินค้า (บาร์โค้ด)"), 10);
    codeCaption->setToolTip(kScanTip);
    codeBox
        = makeBox(codeBand, QStringLiteral("codeBox"), 20, kCodeBoxBack, kCodeBoxText, kScanTip);
    codeBox->setFont(tahoma(16));
    codeBox->setAlignment(Qt::AlignCenter);
    codeBox->setAccessibleName(QStringLiteral("รหัสสินค้า (บาร์โค้ด)"));
    codeCaption->setBuddy(codeBox);
    searchButton = makeButton(codeBand, QStringLiteral("searchButton"), QStringLiteral("ค้นหาสินค้า"));

    // The received lines.
    lineGrid = new DataGrid(this);
    lineGrid->setObjectName(QStringLiteral("lineGrid"));
    lineGrid->setAccessibleName(QStringLiteral("รายการรับสินค้า"));
    lineGrid->setTabKeyNavigation(false); // Tab leaves the grid for the buttons

    // Button bar.
    buttonBar = makeFrame(this, QStringLiteral("buttonBar"), kBack);
    buttonBarEdge = makeFrame(buttonBar, QStringLiteral("buttonBarEdge"), kCodeBand);
    buttonBarRule = makeFrame(buttonBar, QStringLiteral("buttonBarRule"), kHeading);
    saveButton
        = makeButton(buttonBar, QStringLiteral("saveButton"), QStringLiteral("&บันทึกสินค้า (F9)"));
    saveAndPrintButton = makeButton(buttonBar, QStringLiteral("saveAndPrintButton"),
        QStringLiteral("&บันทึกสินค้า และ พิมพ์บิล (F12)"));
    deleteLineButton = makeButton(
        buttonBar, QStringLiteral("deleteLineButton"), QStringLiteral("&ลบสินค้า (Del)"));
    leaveButton
        = makeButton(buttonBar, QStringLiteral("leaveButton"), QStringLiteral("&ออกจากหน้านี้"));

    // Design positions in twips; the resize rule stretches from here.
    resize(tx(13605), ty(8760));
    Twips::place(headerBand, 105, 60, 13395, 2520);
    Twips::place(headerBanner, 30, 30, 13345, 480);
    Twips::place(headingLabel, 150, 90, 6000, 360);
    Twips::place(headingRule, 30, 510, 13345, 30);
    Twips::place(dateCaption, 150, 720, 2050, 420);
    Twips::place(dateLabel, 2280, 720, 7575, 420);
    Twips::place(numberCaption, 150, 1320, 2050, 420);
    Twips::place(documentNumberBox, 2280, 1320, 7575, 420);
    Twips::place(remarkCaption, 150, 1920, 2050, 420);
    Twips::place(remarkBox, 2280, 1920, 7575, 420);
    Twips::place(totalPanel, 9960, 720, 3330, 1620);
    Twips::place(totalCaption, 9960, 720, 3330, 420);
    Twips::place(totalLabel, 10020, 1140, 3210, 1200);
    Twips::place(codeBand, 180, 2670, 13245, 900);
    Twips::place(codeBandRule, 0, 0, 14595, 45);
    Twips::place(codeCaption, 150, 240, 3000, 480);
    Twips::place(codeBox, 3240, 150, 7065, 600);
    Twips::place(searchButton, 11165, 150, 1900, 600);
    Twips::place(lineGrid, 45, 3735, 13515, 3510);
    Twips::place(buttonBar, 45, 7605, 13515, 1155);
    Twips::place(buttonBarEdge, 0, 0, 13515, 30);
    Twips::place(buttonBarRule, 0, 30, 13515, 15);
    Twips::place(saveButton, 105, 255, 2900, 700);
    Twips::place(saveAndPrintButton, 3105, 255, 4300, 700);
    Twips::place(deleteLineButton, 7505, 255, 2600, 700);
    Twips::place(leaveButton, 10205, 255, 2700, 700);
    totalPanel->lower();
    headerBanner->lower();
    buttonBar->lower();

    setTabOrder(codeBox, remarkBox);
    setTabOrder(remarkBox, documentNumberBox);
    setTabOrder(documentNumberBox, lineGrid);
    setTabOrder(lineGrid, saveButton);
    setTabOrder(saveButton, leaveButton);
    setTabOrder(leaveButton, deleteLineButton);
    setTabOrder(deleteLineButton, saveAndPrintButton);
    setTabOrder(saveAndPrintButton, searchButton);

    connect(searchButton, &KasmoButton::Click, this, &GoodsReceivedWindow::searchProducts);
    connect(saveButton, &KasmoButton::Click, this, &GoodsReceivedWindow::save);
    connect(saveAndPrintButton, &KasmoButton::Click, this, &GoodsReceivedWindow::saveAndPrint);
    connect(deleteLineButton, &KasmoButton::Click, this, &GoodsReceivedWindow::deleteLine);
    connect(leaveButton, &KasmoButton::Click, this, &GoodsReceivedWindow::leave);
    connect(lineGrid, &DataGrid::cellDoubleClicked, this, [this](int col, int row) {
        lineGrid->setActiveCell(col, row); // the cell double-clicked, whatever went before
        editLineQuantity();
    });
    CharacterFilter::install(codeBox, [this](int &key) { takeCodeKey(key); });
    CharacterFilter::install(documentNumberBox, [this](int &key) { takeNumberKey(key); });
    CharacterFilter::install(remarkBox, [this](int &key) { takeRemarkKey(key); });

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

void GoodsReceivedWindow::startDocument()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    dateLabel->setText(DateText::display(Clock::now()));
    documentNumberBox->setText(AutoNumberText);
    setUpGrid();
    focusCodeBox();
}

void GoodsReceivedWindow::setUpGrid()
{
    DataGrid *g = lineGrid;
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
    stretchToSize();
}

void GoodsReceivedWindow::stretchToSize()
{
    const QSizeF outer = outerTwips(this);
    const double W = outer.width();
    const double H = outer.height();
    step([&] {
        setWidth(lineGrid, W - 180);
        setHeight(lineGrid, H - 5250);
    });
    step([&] { setWidth(headerBand, W - 300); });
    step([&] { setWidth(codeBand, W - 450); });
    step([&] { setWidth(codeBandRule, W + 900); });
    step([&] { setWidth(codeBox, W - 6630); });
    step([&] { setLeft(searchButton, Twips::fromPixelsX(codeBandRule->width()) - 3430); });
    step([&] { setWidth(headerBanner, W - 350); });
    step([&] {
        for (QWidget *w :
            { (QWidget *)remarkBox, (QWidget *)documentNumberBox, (QWidget *)dateLabel })
            setWidth(w, W - 6100);
    });
    step([&] {
        for (QWidget *w : { totalPanel, totalLabel, totalCaption })
            setLeft(w, W - 3730);
    });
    step([&] { setTop(buttonBar, H - 1650); });
    step([&] {
        const double divisors[] = { 0, 690, 455, 650, 1520, 1500, 1700, 1100 };
        for (int c = ColCode; c <= ColAmount; ++c)
            lineGrid->setColWidth(c, W / divisors[c]);
    });
    step([&] {
        // Decoration that follows its band.
        setWidth(headingRule, W - 350);
        setWidth(buttonBar, W - 180);
        setWidth(buttonBarEdge, W - 180);
        setWidth(buttonBarRule, W - 180);
    });
}

// ---------------------------------------------------------------------------------------------
// Keys and focus

void GoodsReceivedWindow::runCommandKey(int &key)
{
    switch (key) {
    case Qt::Key_F9:
        key = 0;
        save();
        break;
    case Qt::Key_F12:
        key = 0;
        saveAndPrint();
        break;
    case Qt::Key_Delete:
        deleteLine(); // not consumed: a box with the focus deletes too
        break;
    case Qt::Key_Escape:
        key = 0; // bound to nothing: the received lines never go without the question
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
        runCommandKey(key);
        if (key == 0)
            return true;
        break;
    }
    case QEvent::FocusIn:
        if (watched == codeBox) {
            InputBoxes::setEnglishKeyboard();
            setCodeBoxColour(kCodeBoxFocus);
        }
        break;
    case QEvent::FocusOut:
        if (watched == codeBox)
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
        runCommandKey(key);
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
    codeBox->setFocus(Qt::OtherFocusReason);
}

void GoodsReceivedWindow::setCodeBoxColour(unsigned bgr)
{
    setColour(codeBox, QPalette::Base, colourOf(bgr));
}

void GoodsReceivedWindow::takeCodeKey(int &key)
{
    if (key != 13)
        return;
    key = 0;
    try {
        addScannedProduct();
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
    }
}

void GoodsReceivedWindow::takeNumberKey(int &key)
{
    if (key == 13) {
        key = 0;
        remarkBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    KeyFilters::codeCharactersOnly(key);
}

void GoodsReceivedWindow::takeRemarkKey(int &key)
{
    if (key == 13) {
        key = 0;
        focusCodeBox();
    }
}

// ---------------------------------------------------------------------------------------------
// Lines

void GoodsReceivedWindow::addScannedProduct()
{
    if (trimBlanks(codeBox->text()).isEmpty()) {
        focusCodeBox();
        return;
    }
    codeBox->setText(cleanProductCode(codeBox->text()));
    const std::optional<SaleProduct> p
        = findProductByCode(ShopDatabase::connection(), codeBox->text());
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

void GoodsReceivedWindow::addLine(const SaleProduct &product)
{
    const int before = m_doc.lineCount();
    const int row = m_doc.add(product);
    if (m_doc.lineCount() > before) {
        lineGrid->setMaxRows(m_doc.lineCount());
        lineGrid->insertRows(1, 1);
    }
    showLine(row);
    showTotal();
}

void GoodsReceivedWindow::showLine(int row)
{
    const ReceivedLine &l = m_doc.line(row);
    const QString cells[] = { QString::number(l.pk), l.code, QLatin1Char(' ') + l.name,
        l.description, QString::number(l.quantity), l.unit, l.cost.plain(), l.amount().plain() };
    for (int c = ColPK; c <= ColAmount; ++c)
        lineGrid->setText(c, row, cells[c]);
}

void GoodsReceivedWindow::setQuantity(int row, qint64 quantity)
{
    if (row < 1 || row > m_doc.lineCount())
        return;
    m_doc.setQuantity(row, quantity);
    showLine(row);
    showTotal();
}

QString GoodsReceivedWindow::lineName(int row) const
{
    return lineGrid->getText(ColName, row);
}

QString GoodsReceivedWindow::lineDescription(int row) const
{
    return lineGrid->getText(ColDes, row);
}

void GoodsReceivedWindow::showTotal()
{
    totalLabel->setText(m_doc.isEmpty() ? QStringLiteral("0.00") : m_doc.total().format());
}

void GoodsReceivedWindow::searchProducts()
{
    ProductSearchDialog::showModal(*this);
    focusCodeBox();
}

void GoodsReceivedWindow::editLineQuantity()
{
    DataGrid *g = lineGrid;
    if (g->maxRows() == 0 || g->activeCol() != ColQty)
        return;
    const int r = g->activeRow();
    if (r < 1 || r > m_doc.lineCount())
        return;
    QuantityEditDialog::showModal(*this, r, m_doc.line(r).quantity);
    focusCodeBox();
}

void GoodsReceivedWindow::deleteLine()
{
    DataGrid *g = lineGrid;
    if (m_doc.isEmpty()) {
        totalLabel->setText(QStringLiteral("0.00"));
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
    showTotal();
}

void GoodsReceivedWindow::leave()
{
    if (MsgBox(QStringLiteral("คุณแน่ใจหรือไม่ ที่ต้องการ ออกจากหน้าต่าง นี้ !!"), MsgButtons::OkCancel,
            MsgIcon::Warning, QStringLiteral("ยืนยันการออก"), MsgResult::Ok, this)
        == MsgResult::Ok)
        close();
}

// ---------------------------------------------------------------------------------------------
// Saving

void GoodsReceivedWindow::save()
{
    saveDocument(false);
}

void GoodsReceivedWindow::saveAndPrint()
{
    saveDocument(true);
}

void GoodsReceivedWindow::saveDocument(bool print)
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
    remarkBox->setText(cleanProductCode(remarkBox->text()));

    // The whole document commits together or not at all; on failure the lines stay for
    // another try and no number is used up.
    try {
        StockUpdateStore store(ShopDatabase::connection());
        documentNumberBox->setText(
            store.save(m_doc, { SignedInUser::name, Clock::now(), remarkBox->text() }));
    } catch (const MissingStockProduct &e) {
        documentNumberBox->setText(AutoNumberText);
        MsgBox(QStringLiteral("ไม่พบสินค้า ( รหัสสินค้า = ") + e.code
                + QStringLiteral(" ) ในคลังสินค้า การอัพเดทสต๊อกนี้ยังไม่ได้บันทึก"),
            MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    } catch (const DbError &e) {
        documentNumberBox->setText(AutoNumberText);
        MsgBox(QStringLiteral("บันทึกการอัพเดทสต๊อกไม่สำเร็จ : ") + e.text(), MsgButtons::Ok,
            MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
        return;
    }

    // The document is stored; a printing failure does not undo it.
    if (print) {
        try {
            printDocument();
        } catch (const std::exception &e) {
            MsgBox(QString::fromUtf8(e.what()), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                MsgResult::Ok, this);
        }
    }
    accept();
}

void GoodsReceivedWindow::printDocument()
{
    StockReportViewer::showReport(*this, this);
}

// ---------------------------------------------------------------------------------------------
// The goods-received document

StockDocument GoodsReceivedWindow::document() const
{
    return StockDocument::GoodsReceived;
}

int GoodsReceivedWindow::rowCount() const
{
    return lineGrid->maxRows();
}

QString GoodsReceivedWindow::cell(int row, int col) const
{
    return lineGrid->displayText(col, row);
}

QString GoodsReceivedWindow::text(Text which) const
{
    switch (which) {
    case Text::DateTime:
        return dateLabel->text();
    case Text::DocumentNo:
        return documentNumberBox->text();
    case Text::Remark:
        return remarkBox->text();
    case Text::Total:
        return totalLabel->text();
    default:
        return QString();
    }
}
