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
    // A first load that fails is shown; the page opens with an empty list.
    loadShowingFailure(false);
    if (SignedInUser::signInOn == 1 && !SignedInUser::mayViewHistory)
        historyButton->setEnabled(false);
}

StockDocument StockPage::document() const
{
    return StockDocument::StockList;
}

int StockPage::rowCount() const
{
    return productGrid->maxRows();
}

QString StockPage::cell(int row, int col) const
{
    return productGrid->displayText(col, row);
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

    headerBar = new QLabel(this);
    headerBar->setObjectName(QStringLiteral("headerBar"));
    setColours(headerBar, kHeaderBar);

    addProductButton = makeButton(this, QStringLiteral("addProductButton"),
        ButtonPresets::pageButton(QStringLiteral("เพิ่มข้อมูลสินค้า (F12)")));
    deleteProductButton = makeButton(this, QStringLiteral("deleteProductButton"),
        ButtonPresets::pageButton(QStringLiteral("ลบสินค้า (Del)")));
    stockUpdateButton = makeButton(this, QStringLiteral("stockUpdateButton"),
        ButtonPresets::pageButton(QStringLiteral("อัพเดทสต๊อก (F9)")));
    reloadButton = makeButton(this, QStringLiteral("reloadButton"),
        ButtonPresets::pageButton(QStringLiteral("รีโหลดข้อมูล (F5)")));
    historyButton = makeButton(this, QStringLiteral("historyButton"),
        ButtonPresets::pageButton(QStringLiteral("ข้อมูลย้อนหลัง")));

    countBand = new QLabel(this);
    countBand->setObjectName(QStringLiteral("countBand"));
    setColours(countBand, kCountBand);
    countLabel = new QLabel(QStringLiteral("???"), this);
    countLabel->setObjectName(QStringLiteral("countLabel"));
    countLabel->setAlignment(Qt::AlignCenter);
    {
        QFont f = countLabel->font();
        f.setPointSizeF(11);
        f.setBold(true);
        countLabel->setFont(f);
    }
    setColours(countLabel, QColor(), kCountText);
    // What is read is the figure; the caption is its description.
    countLabel->setAccessibleDescription(QStringLiteral("ข้อมูลทั้งหมด"));

    searchBand = new QFrame(this);
    searchBand->setObjectName(QStringLiteral("searchBand"));
    setColours(searchBand, kSearchBand);
    belowQuantitySwitch
        = new QCheckBox(QStringLiteral(" เปิด / ปิด แสดงสินค้าที่คงเหลือน้อยกว่า"), searchBand);
    belowQuantitySwitch->setObjectName(QStringLiteral("belowQuantitySwitch"));
    belowQuantitySwitch->setToolTip(
        QStringLiteral(" เมื่อเปิด ช่องค้นหาจะเปลี่ยนเป็น ค้นหาสินค้า ตามจำนวน คงเหลือ ที่ต้องการ "));
    belowQuantitySwitch->setAccessibleName(trimBlanks(belowQuantitySwitch->text()));
    searchBox = new QLineEdit(searchBand);
    searchBox->setObjectName(QStringLiteral("searchBox"));
    searchBox->setMaxLength(99);
    searchBox->setToolTip(QStringLiteral("  ค้นหา , รหัสสินค้า , ชื่อสินค้า , รายละเอียด  "));
    searchBox->setAccessibleName(trimBlanks(searchBox->toolTip()));
    {
        QFont f = searchBox->font();
        f.setPointSizeF(10);
        searchBox->setFont(f);
    }
    searchButton = makeButton(searchBand, QStringLiteral("searchButton"),
        ButtonPresets::searchButton(QStringLiteral("   ค้นหาข้อมูล")));
    groupFilter = makeList(
        searchBand, QStringLiteral("groupFilter"), QStringLiteral(" แสดงข้อมูลตาม หมวดหมู่ "));
    placeFilter = makeList(
        searchBand, QStringLiteral("placeFilter"), QStringLiteral(" แสดงข้อมูลตาม สถานที่เก็บ "));
    printButton = makeButton(searchBand, QStringLiteral("printButton"),
        ButtonPresets::pageButton(QStringLiteral(" พิมพ์รายงาน")));

    productGrid = new DataGrid(this);
    productGrid->setObjectName(QStringLiteral("productGrid"));
    productGrid->setAccessibleName(windowTitle());

    connect(addProductButton, &KasmoButton::Click, this, &StockPage::addProduct);
    connect(deleteProductButton, &KasmoButton::Click, this, &StockPage::deleteProduct);
    connect(stockUpdateButton, &KasmoButton::Click, this, &StockPage::openStockUpdate);
    connect(reloadButton, &KasmoButton::Click, this, &StockPage::reloadProducts);
    connect(historyButton, &KasmoButton::Click, this, &StockPage::openHistory);
    connect(searchButton, &KasmoButton::Click, this, &StockPage::searchProducts);
    connect(printButton, &KasmoButton::Click, this, &StockPage::printList);
    connect(belowQuantitySwitch, &QCheckBox::toggled, this, [this] { toggleBelowQuantity(); });
    connect(placeFilter, &QComboBox::activated, this, [this] { filterByPlace(); });
    connect(groupFilter, &QComboBox::activated, this, [this] { filterByGroup(); });
    CharacterFilter::install(searchBox, [this](int &key) { filterSearchKey(key); });
    connect(productGrid, &DataGrid::cellDoubleClicked, this, [this](int col, int row) {
        productGrid->setActiveCell(col, row);
        editActiveProduct();
    });
    connect(productGrid, &DataGrid::keyDown, this,
        [this](int &key, Qt::KeyboardModifiers) { runGridCommand(key); });
}

// Design positions in twips; the layout rule stretches from here.
void StockPage::placeDesign()
{
    Twips::place(headerBar, 0, 0, 13160, 800);
    Twips::place(addProductButton, 30, 40, 2250, 735);
    Twips::place(deleteProductButton, 2300, 40, 1800, 735);
    Twips::place(stockUpdateButton, 4120, 40, 2050, 735);
    Twips::place(reloadButton, 6190, 40, 2050, 735);
    Twips::place(historyButton, 8260, 40, 1900, 735);
    Twips::place(countBand, 10680, 100, 4500, 620);
    Twips::place(countLabel, 10810, 160, 4240, 500);
    Twips::place(searchBand, 0, 840, 15370, 800);
    Twips::place(belowQuantitySwitch, 150, 40, 5300, 320);
    Twips::place(searchBox, 150, 370, 5300, 380);
    Twips::place(searchButton, 5520, 330, 1750, 450);
    Twips::place(groupFilter, 7380, 370, 2500, 380);
    Twips::place(placeFilter, 9960, 370, 2500, 380);
    Twips::place(printButton, 13160, 330, 2000, 450);
    Twips::place(productGrid, 0, 1680, 15360, 6000);
    headerBar->lower();
    countLabel->raise();
    resize(tx(15360), Twips::toPixelsY(9000));
}

// ---------------------------------------------------------------------------------------------
// The page

void StockPage::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    step([&] { focusGrid(); });
}

void StockPage::focusGrid()
{
    productGrid->setFocus(Qt::OtherFocusReason);
}

void StockPage::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    stretchToWidth();
}

void StockPage::stretchToWidth()
{
    // W is the main frame's outer width; a page shown alone uses its own width.
    const QWidget *frame = window();
    const double W = Twips::fromPixelsX(frame == this ? width() : frame->frameGeometry().width());
    const double SW = Twips::fromPixelsX(width());
    const double SH = Twips::fromPixelsY(height());
    step([&] { setWidth(searchBand, W + 10); });
    step([&] { setWidth(headerBar, W - 2200); });
    step([&] { setLeft(countBand, W - 4680); });
    step([&] { setLeft(countLabel, W - 4550); });
    step([&] { setLeft(printButton, W - 2200); });
    step([&] {
        productGrid->move(0, productGrid->y());
        productGrid->resize(width(), std::max(0, Twips::toPixelsY(SH - 1680)));
    });
    step([&] {
        const double divisors[] = { 0, 748, 490, 748, 1865, 1650, 1650, 1290, 1140 };
        for (int c = ColCode; c <= ColPlace; ++c)
            productGrid->setColWidth(c, SW / divisors[c]);
    });
}

void StockPage::setUpGrid()
{
    DataGrid *g = productGrid;
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

void StockPage::loadProducts(bool applyFilter)
{
    Filter filter;
    switch (applyFilter ? m_filter : ProductFilter::None) {
    case ProductFilter::TextOrQuantity:
        if (belowQuantitySwitch->isChecked()) {
            const std::optional<qint64> below = wholeNumber(trimBlanks(searchBox->text()));
            if (!below) {
                // Refused like a typed letter: the text never reaches the database.
                MsgBox(Msg::NumberOnly, MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                    MsgResult::Ok, this);
                searchBox->setFocus(Qt::OtherFocusReason);
                return;
            }
            filter = { Filter::BelowQuantity, QString(), *below };
        } else {
            filter = { Filter::Text, trimBlanks(searchBox->text()) };
        }
        break;
    case ProductFilter::LowStock:
        filter.kind = Filter::LowStock;
        break;
    case ProductFilter::Group:
        filter = { Filter::Group, trimBlanks(groupFilter->currentText()) };
        break;
    case ProductFilter::Place:
        filter = { Filter::Place, trimBlanks(placeFilter->currentText()) };
        break;
    case ProductFilter::None:
        break;
    }

    updateLowStockAlert();
    Rows rows = read(ShopDatabase::connection(), filter); // a failure leaves the screen as it was
    const int count = int(rows.cells.size());
    DataGrid *g = productGrid;
    g->setRedraw(false);
    setUpGrid();
    g->setRows(std::move(rows.cells));
    for (int r : rows.lowRows)
        g->setBackColor(ColStock, r, kLowStock);
    g->setActiveCell(ColCode, 1);
    g->setRedraw(true);

    if (count > 0) {
        enableSearchBand(true);
        Lookups::fillList(placeFilter, QStringLiteral("tblGeb"), QStringLiteral("geName"),
            QStringLiteral("geName"));
        placeFilter->setCurrentIndex(-1);
        Lookups::fillList(groupFilter, QStringLiteral("tblGroup"), QStringLiteral("gName"),
            QStringLiteral("gName"));
        groupFilter->setCurrentIndex(-1);
        countLabel->setText(countText(count));
    } else {
        if (applyFilter)
            MsgBox(
                kNotFound, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok, this);
        enableSearchBand(false);
    }
}

void StockPage::loadShowingFailure(bool applyFilter)
{
    try {
        loadProducts(applyFilter);
    } catch (const DbError &e) {
        showError(e.text(), this);
    }
}

void StockPage::enableSearchBand(bool on)
{
    for (QWidget *w : { static_cast<QWidget *>(searchBox), static_cast<QWidget *>(placeFilter),
             static_cast<QWidget *>(groupFilter), static_cast<QWidget *>(belowQuantitySwitch) })
        w->setEnabled(on);
    searchButton->setEnabled(on);
    printButton->setEnabled(on);
}

void StockPage::showLowStock()
{
    m_filter = ProductFilter::LowStock;
    loadShowingFailure(true);
}

// ---------------------------------------------------------------------------------------------
// Search band

void StockPage::searchProducts()
{
    if (trimBlanks(searchBox->text()).isEmpty()) {
        step([&] { searchBox->setFocus(Qt::OtherFocusReason); });
        return;
    }
    // What the user sees is what is searched: the removed characters leave the box too.
    for (const QChar c : { QLatin1Char('\''), QLatin1Char('%'), QLatin1Char('*') })
        searchBox->setText(QString(searchBox->text()).remove(c));
    m_filter = ProductFilter::TextOrQuantity;
    step([&] { focusGrid(); });
    loadShowingFailure(true);
}

void StockPage::filterSearchKey(int &key)
{
    if (key == 13) {
        key = 0;
        searchProducts();
        return;
    }
    if (belowQuantitySwitch->isChecked())
        key = KeyFilters::digitsOnly(key);
}

void StockPage::toggleBelowQuantity()
{
    step([&] { searchBox->clear(); });
    step([&] { InputBoxes::setEnglishKeyboard(); });
    if (belowQuantitySwitch->isChecked())
        MsgBox(kBelowQuantityOn, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle, MsgResult::Ok,
            this);
    step([&] { searchBox->setFocus(Qt::OtherFocusReason); });
}

void StockPage::filterByGroup()
{
    m_filter = ProductFilter::Group;
    step([&] { focusGrid(); });
    loadShowingFailure(true);
}

void StockPage::filterByPlace()
{
    m_filter = ProductFilter::Place;
    step([&] { focusGrid(); });
    loadShowingFailure(true);
}

// ---------------------------------------------------------------------------------------------
// Commands

void StockPage::runSavingDialog(const std::function<bool()> &open)
{
    if (open())
        loadShowingFailure(false);
}

namespace {
bool openProductEditor(std::optional<int> productKey)
{
    if (StockPage::windows().productEditor)
        return StockPage::windows().productEditor(productKey);
    return productKey ? ProductEditor::openEdit(*productKey) : ProductEditor::openNew();
}
} // namespace

void StockPage::addProduct()
{
    runSavingDialog([] { return openProductEditor(std::nullopt); });
    step([&] { focusGrid(); });
}

void StockPage::editActiveProduct()
{
    DataGrid *g = productGrid;
    if (g->maxRows() < 1)
        return;
    const int productKey = int(toWholeNumber(g->getText(ColPK, g->activeRow())));
    runSavingDialog([productKey] { return openProductEditor(productKey); });
}

void StockPage::deleteProduct()
{
    DataGrid *g = productGrid;
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
            StockList::deleteProduct(
                ShopDatabase::connection(), toWholeNumber(g->getText(ColPK, r)));
        } catch (const DbError &e) {
            deleted = false;
            showError(e.text(), this);
        }
        if (deleted)
            loadShowingFailure(false);
    }
    step([&] { focusGrid(); });
}

void StockPage::openStockUpdate()
{
    runSavingDialog(windows().stockUpdate ? windows().stockUpdate
                                          : [] { return GoodsReceivedWindow::showModal(); });
    step([&] { focusGrid(); });
}

void StockPage::reloadProducts()
{
    step([&] { searchBox->clear(); });
    step([&] { focusGrid(); });
    loadShowingFailure(false);
}

void StockPage::openHistory()
{
    if (windows().history)
        windows().history();
    else
        HistoryWindow::showModal();
    step([&] { focusGrid(); });
}

void StockPage::printList()
{
    if (windows().stockReport)
        windows().stockReport(*this);
    else
        StockReportViewer::showReport(*this, this);
    step([&] { focusGrid(); });
}

void StockPage::runGridCommand(int &key)
{
    // Shift, Ctrl and Alt are not looked at.
    switch (key) {
    case Qt::Key_F5:
        key = 0;
        reloadProducts();
        break;
    case Qt::Key_Delete:
        key = 0;
        deleteProduct();
        break;
    case Qt::Key_F9:
        key = 0;
        openStockUpdate();
        break;
    case Qt::Key_F12:
        key = 0;
        addProduct();
        break;
    default:
        break;
    }
}
