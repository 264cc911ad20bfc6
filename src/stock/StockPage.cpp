#include "StockPage.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "history/HistoryWindow.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Blanks.h"
#include "records/Currency.h"
#include "records/Val.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/Lookups.h"
#include "shell/MainFrame.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include "stock/GoodsReceivedWindow.h"
#include "stock/ProductEditor.h"
#include "stock/StockList.h"
#include "stock/StockReportViewer.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace {

using namespace StockList;

const QColor kPageBack(219, 226, 224);
const QColor kHeaderBar(0, 60, 140);
const QColor kCountBand(32, 103, 200);
const QColor kCountText(240, 240, 240);
const QColor kSearchBand(159, 185, 200);
const QColor kGridText(26, 26, 26);
const QColor kLowStock(215, 159, 158);

const QString kNotFound = QStringLiteral("ไม่พบ ข้อมูล ที่คุณต้องการค้นหาใน ระบบ โปรดลองอีกครั้ง ( กด F5 "
                                         "เพื่อ รีโหลดข้อมูล )..");
const QString kBelowQuantityOn = QStringLiteral("เมื่อเปิด โหมดค้นหาสินค้า ตามจำนวนคงเหลือ ช่องค้นหา "
                                                "จะใส่ได้แค่ตัวเลขเท่านั้น !!");
const QString kConfirmDeleteTitle = QStringLiteral("ยืนยันการลบ");

StockPage::Windows &windowsStore()
{
    static StockPage::Windows w;
    return w;
}

// Runs one step of a handler that skips failing steps (logged).
template <typename F> void step(F f)
{
    skipOnFailure("StockPage", f);
}

void showError(const QString &text, QWidget *parent)
{
    MsgBox(text, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, parent);
}

int tx(double twips)
{
    return Twips::toPixelsX(twips);
}

using Twips::setLeft;
using Twips::setWidth;

void setColours(QWidget *w, const QColor &back, const QColor &text = QColor())
{
    QPalette p = w->palette();
    if (back.isValid()) {
        w->setAutoFillBackground(true);
        p.setColor(QPalette::Window, back);
    }
    if (text.isValid()) {
        p.setColor(QPalette::WindowText, text);
        p.setColor(QPalette::Text, text);
    }
    w->setPalette(p);
}

KasmoButton *makeButton(QWidget *parent, const QString &name, const PropertyBag &design)
{
    PropertyBag bag = design;
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSizeF(9);
    f.setBold(true);
    bag.write(QStringLiteral("FONT"), f);
    KasmoButton *b = KasmoButton::fromBag(parent, bag);
    b->setObjectName(name);
    b->setAccessibleName(trimBlanks(b->Caption()));
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QComboBox *makeList(QWidget *parent, const QString &name, const QString &tip)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(false);
    c->setToolTip(tip);
    c->setAccessibleName(trimBlanks(tip));
    return c;
}

} // namespace

void StockPage::setWindows(const Windows &w)
{
    windowsStore() = w;
}

const StockPage::Windows &StockPage::windows()
{
    return windowsStore();
}

QString StockPage::countText(int rows)
{
    return QStringLiteral("ข้อมูลทั้งหมด :  ") + Currency::fromWhole(rows).formatWhole()
        + QStringLiteral("  รายการ");
}

StockPage::StockPage()
{
    setObjectName(QStringLiteral("StockPage"));
    setWindowTitle(QStringLiteral("คลังสินค้า"));
    WindowRegistry::add(this);
    buildControls();
    placeDesign();
    Form_Load();
}

int StockPage::document() const
{
    return PrintSource::StockList;
}

int StockPage::rowCount() const
{
    return fpSpread1->maxRows();
}

QString StockPage::cell(int row, int col) const
{
    return fpSpread1->displayText(col, row);
}

QString StockPage::text(Text) const
{
    return QString(); // the stock list prints no caption of the page
}

// ---------------------------------------------------------------------------------------------
// Controls

void StockPage::buildControls()
{
    QFont pageFont(QStringLiteral("Tahoma"));
    pageFont.setPointSizeF(8.25);
    setFont(pageFont);
    setColours(this, kPageBack);

    imgBarHeader = new QLabel(this);
    imgBarHeader->setObjectName(QStringLiteral("imgBarHeader"));
    setColours(imgBarHeader, kHeaderBar);

    pageButton1 = makeButton(this, QStringLiteral("pageButton1"),
        ButtonPresets::pageButton(QStringLiteral("เพิ่มข้อมูลสินค้า (F12)")));
    pageButton2 = makeButton(this, QStringLiteral("pageButton2"),
        ButtonPresets::pageButton(QStringLiteral("ลบสินค้า (Del)")));
    pageButton3 = makeButton(this, QStringLiteral("pageButton3"),
        ButtonPresets::pageButton(QStringLiteral("อัพเดทสต๊อก (F9)")));
    pageButton4 = makeButton(this, QStringLiteral("pageButton4"),
        ButtonPresets::pageButton(QStringLiteral("รีโหลดข้อมูล (F5)")));
    pageButton5 = makeButton(this, QStringLiteral("pageButton5"),
        ButtonPresets::pageButton(QStringLiteral("ข้อมูลย้อนหลัง")));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    setColours(Label1, kCountBand);
    Label2 = new QLabel(QStringLiteral("???"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    {
        QFont f = Label2->font();
        f.setPointSizeF(11);
        f.setBold(true);
        Label2->setFont(f);
    }
    setColours(Label2, QColor(), kCountText);
    // What is read is the figure; the caption is its description.
    Label2->setAccessibleDescription(QStringLiteral("ข้อมูลทั้งหมด"));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    setColours(Frame1, kSearchBand);
    Check1 = new QCheckBox(QStringLiteral(" เปิด / ปิด แสดงสินค้าที่คงเหลือน้อยกว่า"), Frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setToolTip(
        QStringLiteral(" เมื่อเปิด ช่องค้นหาจะเปลี่ยนเป็น ค้นหาสินค้า ตามจำนวน คงเหลือ ที่ต้องการ "));
    Check1->setAccessibleName(trimBlanks(Check1->text()));
    txt1 = new QLineEdit(Frame1);
    txt1->setObjectName(QStringLiteral("txt1"));
    txt1->setMaxLength(99);
    txt1->setToolTip(QStringLiteral("  ค้นหา , รหัสสินค้า , ชื่อสินค้า , รายละเอียด  "));
    txt1->setAccessibleName(trimBlanks(txt1->toolTip()));
    {
        QFont f = txt1->font();
        f.setPointSizeF(10);
        txt1->setFont(f);
    }
    cmdSearch = makeButton(Frame1, QStringLiteral("cmdSearch"),
        ButtonPresets::searchButton(QStringLiteral("   ค้นหาข้อมูล")));
    Combo2 = makeList(Frame1, QStringLiteral("Combo2"), QStringLiteral(" แสดงข้อมูลตาม หมวดหมู่ "));
    Combo1 = makeList(Frame1, QStringLiteral("Combo1"), QStringLiteral(" แสดงข้อมูลตาม สถานที่เก็บ "));
    kasmoButton1 = makeButton(Frame1, QStringLiteral("kasmoButton1"),
        ButtonPresets::pageButton(QStringLiteral(" พิมพ์รายงาน")));

    fpSpread1 = new DataGrid(this);
    fpSpread1->setObjectName(QStringLiteral("fpSpread1"));
    fpSpread1->setAccessibleName(windowTitle());

    connect(pageButton1, &KasmoButton::Click, this, &StockPage::pageButton1_Click);
    connect(pageButton2, &KasmoButton::Click, this, &StockPage::pageButton2_Click);
    connect(pageButton3, &KasmoButton::Click, this, &StockPage::pageButton3_Click);
    connect(pageButton4, &KasmoButton::Click, this, &StockPage::pageButton4_Click);
    connect(pageButton5, &KasmoButton::Click, this, &StockPage::pageButton5_Click);
    connect(cmdSearch, &KasmoButton::Click, this, &StockPage::cmdSearch_Click);
    connect(kasmoButton1, &KasmoButton::Click, this, &StockPage::kasmoButton1_Click);
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    CharacterFilter::install(txt1, [this](int &k) { txt1_KeyPress(k); });
    connect(fpSpread1, &DataGrid::cellDoubleClicked, this, [this](int col, int row) {
        fpSpread1->setActiveCell(col, row);
        fpSpread1_DblClick();
    });
    connect(fpSpread1, &DataGrid::keyDown, this,
        [this](int &key, Qt::KeyboardModifiers) { fpSpread1_KeyDown(key); });
}

// Design positions in twips; the layout rule stretches from here.
void StockPage::placeDesign()
{
    Twips::place(imgBarHeader, 0, 0, 13160, 800);
    Twips::place(pageButton1, 30, 40, 2250, 735);
    Twips::place(pageButton2, 2300, 40, 1800, 735);
    Twips::place(pageButton3, 4120, 40, 2050, 735);
    Twips::place(pageButton4, 6190, 40, 2050, 735);
    Twips::place(pageButton5, 8260, 40, 1900, 735);
    Twips::place(Label1, 10680, 100, 4500, 620);
    Twips::place(Label2, 10810, 160, 4240, 500);
    Twips::place(Frame1, 0, 840, 15370, 800);
    Twips::place(Check1, 150, 40, 5300, 320);
    Twips::place(txt1, 150, 370, 5300, 380);
    Twips::place(cmdSearch, 5520, 330, 1750, 450);
    Twips::place(Combo2, 7380, 370, 2500, 380);
    Twips::place(Combo1, 9960, 370, 2500, 380);
    Twips::place(kasmoButton1, 13160, 330, 2000, 450);
    Twips::place(fpSpread1, 0, 1680, 15360, 6000);
    imgBarHeader->lower();
    Label2->raise();
    resize(tx(15360), Twips::toPixelsY(9000));
}

// ---------------------------------------------------------------------------------------------
// The page

void StockPage::Form_Load()
{
    // A first load that fails is shown; the page opens with an empty list.
    load(false);
    if (SignedInUser::signInOn == 1 && !SignedInUser::mayViewHistory)
        pageButton5->setEnabled(false);
}

void StockPage::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    Form_Activate();
}

void StockPage::Form_Activate()
{
    step([&] { focusGrid(); });
}

void StockPage::focusGrid()
{
    fpSpread1->setFocus(Qt::OtherFocusReason);
}

void StockPage::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void StockPage::Form_Resize()
{
    // W is the main frame's outer width; a page shown alone uses its own width.
    const QWidget *frame = window();
    const double W = Twips::fromPixelsX(frame == this ? width() : frame->frameGeometry().width());
    const double SW = Twips::fromPixelsX(width());
    const double SH = Twips::fromPixelsY(height());
    step([&] { setWidth(Frame1, W + 10); });
    step([&] { setWidth(imgBarHeader, W - 2200); });
    step([&] { setLeft(Label1, W - 4680); });
    step([&] { setLeft(Label2, W - 4550); });
    step([&] { setLeft(kasmoButton1, W - 2200); });
    step([&] {
        fpSpread1->move(0, fpSpread1->y());
        fpSpread1->resize(width(), std::max(0, Twips::toPixelsY(SH - 1680)));
    });
    step([&] {
        const double divisors[] = { 0, 748, 490, 748, 1865, 1650, 1650, 1290, 1140 };
        for (int c = ColCode; c <= ColPlace; ++c)
            fpSpread1->setColWidth(c, SW / divisors[c]);
    });
}

void StockPage::SetupSpread()
{
    DataGrid *g = fpSpread1;
    g->setMaxRows(0);
    g->setMaxCols(DataColumns);
    g->setRowSelect(true);
    g->setReadOnly(true);
    g->setColWidth(ColPK, 0);
    const QString headers[] = { QString(), QStringLiteral("รหัสสินค้า"), QStringLiteral(" ชื่อสินค้า"),
        QStringLiteral("รายละเอียด"), QStringLiteral("คงเหลือ"), QStringLiteral("หน่วยนับ"),
        QStringLiteral("ราคาขาย"), QStringLiteral("หมวดหมู่"), QStringLiteral("สถานที่จัดเก็บ") };
    for (int c = ColCode; c <= ColPlace; ++c)
        g->setText(c, DataGrid::HeaderRow, headers[c]);
    g->setHAlign(ColName, DataGrid::HeaderRow, Qt::AlignLeft);
    for (int c = ColDes; c <= ColPlace; ++c)
        g->setHAlign(c, DataGrid::HeaderRow, Qt::AlignHCenter);
    g->setForeColor(DataGrid::All, DataGrid::All, kGridText);
    g->setVAlign(DataGrid::All, DataGrid::All, Qt::AlignVCenter);
    for (int c = ColCode; c <= ColPlace; ++c)
        g->setHAlign(c, DataGrid::All, c == ColName ? Qt::AlignLeft : Qt::AlignHCenter);
    g->setCellKind(ColStock, DataGrid::All, CellKind::Number, 0);
    g->setCellKind(ColSell, DataGrid::All, CellKind::Money);
    g->setRowHeight(DataGrid::All, 25);
}

void StockPage::updateLowStockAlert()
{
    MainFrame *frame = MainFrame::existing();
    int count = 0;
    try {
        count = countLowStock(ShopDatabase::connection());
    } catch (const std::exception &e) {
        logSkipped("StockPage.updateLowStockAlert", e);
        count = 0; // a failed count hides the alert
    }
    if (frame)
        frame->showLowStockAlert(count);
}

void StockPage::loadProducts(bool blnSearch)
{
    Filter filter;
    const int mode = blnSearch ? SearchMode : 0;
    switch (mode) {
    case 1:
        if (Check1->isChecked()) {
            const std::optional<qint64> below = wholeNumber(trimBlanks(txt1->text()));
            if (!below) {
                // Refused like a typed letter: the text never reaches the database.
                MsgBox(Msg::NumberOnly, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                    MsgResult::Ok, this);
                txt1->setFocus(Qt::OtherFocusReason);
                return;
            }
            filter = { Filter::BelowQuantity, QString(), *below };
        } else {
            filter = { Filter::Text, trimBlanks(txt1->text()) };
        }
        break;
    case 3:
        filter.kind = Filter::LowStock;
        break;
    case 10:
        filter = { Filter::Group, trimBlanks(Combo2->currentText()) };
        break;
    case 20:
        filter = { Filter::Place, trimBlanks(Combo1->currentText()) };
        break;
    default:
        break;
    }

    updateLowStockAlert();
    Rows rows = read(ShopDatabase::connection(), filter); // a failure leaves the screen as it was
    const int count = int(rows.cells.size());
    DataGrid *g = fpSpread1;
    g->setRedraw(false);
    SetupSpread();
    g->setRows(std::move(rows.cells));
    for (int r : rows.lowRows)
        g->setBackColor(ColStock, r, kLowStock);
    g->setActiveCell(ColCode, 1);
    g->setRedraw(true);

    if (count > 0) {
        enableSearchBand(true);
        Lookups::fillList(
            Combo1, QStringLiteral("tblGeb"), QStringLiteral("geName"), QStringLiteral("geName"));
        Combo1->setCurrentIndex(-1);
        Lookups::fillList(
            Combo2, QStringLiteral("tblGroup"), QStringLiteral("gName"), QStringLiteral("gName"));
        Combo2->setCurrentIndex(-1);
        Label2->setText(countText(count));
    } else {
        if (blnSearch)
            MsgBox(
                kNotFound, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        enableSearchBand(false);
    }
}

void StockPage::load(bool blnSearch)
{
    try {
        loadProducts(blnSearch);
    } catch (const DbError &e) {
        showError(e.text(), this);
    }
}

void StockPage::enableSearchBand(bool on)
{
    for (QWidget *w : { static_cast<QWidget *>(txt1), static_cast<QWidget *>(Combo1),
             static_cast<QWidget *>(Combo2), static_cast<QWidget *>(Check1) })
        w->setEnabled(on);
    cmdSearch->setEnabled(on);
    kasmoButton1->setEnabled(on);
}

void StockPage::showLowStock()
{
    SearchMode = 3;
    load(true);
}

// ---------------------------------------------------------------------------------------------
// Search band

void StockPage::cmdSearch_Click()
{
    if (trimBlanks(txt1->text()).isEmpty()) {
        step([&] { txt1->setFocus(Qt::OtherFocusReason); });
        return;
    }
    // What the user sees is what is searched: the removed characters leave the box too.
    for (const QChar c : { QLatin1Char('\''), QLatin1Char('%'), QLatin1Char('*') })
        txt1->setText(QString(txt1->text()).remove(c));
    SearchMode = 1;
    step([&] { focusGrid(); });
    load(true);
}

void StockPage::txt1_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdSearch_Click();
        return;
    }
    if (Check1->isChecked())
        KeyAscii = KeyFilters::digitsOnly(KeyAscii);
}

void StockPage::Check1_Click()
{
    step([&] { txt1->clear(); });
    step([&] { InputBoxes::setEnglishKeyboard(); });
    if (Check1->isChecked())
        MsgBox(kBelowQuantityOn, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok,
            this);
    step([&] { txt1->setFocus(Qt::OtherFocusReason); });
}

void StockPage::Combo2_Click()
{
    SearchMode = 10;
    step([&] { focusGrid(); });
    load(true);
}

void StockPage::Combo1_Click()
{
    SearchMode = 20;
    step([&] { focusGrid(); });
    load(true);
}

// ---------------------------------------------------------------------------------------------
// Commands

void StockPage::runSavingDialog(const std::function<void()> &open)
{
    Module1::DataChanged = false;
    if (open)
        open();
    if (Module1::DataChanged)
        load(false);
}

std::function<void()> StockPage::productEditor()
{
    if (windows().productEditor)
        return windows().productEditor;
    return [] { ProductEditor::showModal(); };
}

void StockPage::pageButton1_Click()
{
    Module1::NewItemMode = true;
    runSavingDialog(productEditor());
    step([&] { focusGrid(); });
}

void StockPage::fpSpread1_DblClick()
{
    DataGrid *g = fpSpread1;
    if (g->maxRows() < 1)
        return;
    Module1::SelectedProductPK = int(toWholeNumber(g->getText(ColPK, g->activeRow())));
    Module1::NewItemMode = false;
    runSavingDialog(productEditor());
}

void StockPage::pageButton2_Click()
{
    DataGrid *g = fpSpread1;
    const int r = g->activeRow();
    if (g->maxRows() < 1 || r < 1 || r > g->maxRows()) {
        step([&] { focusGrid(); });
        return;
    }
    // The grid shows code and name after one blank of its own.
    const QString code = g->getText(ColCode, r).mid(1);
    const QString name = g->getText(ColName, r).mid(1);
    const MsgResult answer = MsgBox(QStringLiteral("คุณแน่ใจหรือไม่ ว่าต้องการ ลบสินค้า [") + code
            + QLatin1Char(' ') + name + QStringLiteral("] นี้ !!"),
        MsgButtons::OkCancel, MsgIcon::Warning, kConfirmDeleteTitle, MsgResult::Cancel, this);
    if (answer == MsgResult::Ok) {
        bool deleted = true;
        try {
            deleteProduct(ShopDatabase::connection(), toWholeNumber(g->getText(ColPK, r)));
        } catch (const DbError &e) {
            deleted = false;
            showError(e.text(), this);
        }
        if (deleted)
            load(false);
    }
    step([&] { focusGrid(); });
}

void StockPage::pageButton3_Click()
{
    runSavingDialog(
        windows().stockUpdate ? windows().stockUpdate : [] { GoodsReceivedWindow::showModal(); });
    step([&] { focusGrid(); });
}

void StockPage::pageButton4_Click()
{
    step([&] { txt1->clear(); });
    step([&] { focusGrid(); });
    load(false);
}

void StockPage::pageButton5_Click()
{
    if (windows().history)
        windows().history();
    else
        HistoryWindow::showModal();
    step([&] { focusGrid(); });
}

void StockPage::kasmoButton1_Click()
{
    if (windows().stockReport)
        windows().stockReport(*this);
    else
        StockReportViewer::showReport(*this, this);
    step([&] { focusGrid(); });
}

void StockPage::fpSpread1_KeyDown(int &KeyCode)
{
    // Shift, Ctrl and Alt are not looked at.
    switch (KeyCode) {
    case Qt::Key_F5:
        KeyCode = 0;
        pageButton4_Click();
        break;
    case Qt::Key_Delete:
        KeyCode = 0;
        pageButton2_Click();
        break;
    case Qt::Key_F9:
        KeyCode = 0;
        pageButton3_Click();
        break;
    case Qt::Key_F12:
        KeyCode = 0;
        pageButton1_Click();
        break;
    default:
        break;
    }
}
