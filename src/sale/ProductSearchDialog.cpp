#include "sale/ProductSearchDialog.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Codes.h"
#include "sale/LineGridTarget.h"
#include "sale/ProductSearch.h"
#include "sale/SalePage.h"
#include "sale/SaleRules.h"
#include "sale/SaleUi.h"
#include "shell/Messages.h"
#include "shell/ShopDatabase.h"
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

const unsigned kBack = rgbValue(219, 226, 224);
const unsigned kInstruction = rgbValue(21, 66, 139);
const unsigned kSearchText = rgbValue(48, 48, 48);
const unsigned kGridText = rgbValue(26, 26, 26);

// The decorative strip behind the top of the dialog.
QPixmap banner()
{
    return bannerStrip(QColor(236, 241, 240), SalePage::colour(kBack), Qt::Vertical);
}

// The product of the chosen result row, read back through the code look-up so that the sale's
// pricing reads it exactly as code entry does.
std::optional<SaleProduct> productByKey(qint64 pk)
{
    Connection &c = ShopDatabase::connection();
    const QVariant code
        = c.scalar(QStringLiteral("SELECT PDsn FROM tblProduct WHERE PK = ?1"), { pk });
    if (!code.isValid() || code.isNull())
        return std::nullopt;
    std::optional<SaleProduct> p = findProductByCode(c, code.toString());
    if (!p || p->pk != pk)
        return std::nullopt;
    return p;
}

} // namespace

const QString ProductSearchDialog::NotFoundCaption
    = QStringLiteral("ค้นหาสินค้า [ ไม่พบข้อมูลที่คุณต้องการ !! ]");

QString ProductSearchDialog::foundCaption(int count)
{
    return QStringLiteral("ค้นหาสินค้า [ ข้อมูลทั้งหมด :  ") + QString::number(count)
        + QStringLiteral("  รายการ ]");
}

ProductSearchDialog::ProductSearchDialog(LineGridTarget *target)
    : m_target(target)
{
    setObjectName(QStringLiteral("ProductSearchDialog"));
    setWindowTitle(QStringLiteral("ค้นหาสินค้า"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint
        | Qt::WindowTitleHint);
    setFont(tahoma(8.25, false));
    setAutoFillBackground(true);
    setColour(this, QPalette::Window, SalePage::colour(kBack));

    searchPanel = new QFrame(this);
    searchPanel->setObjectName(QStringLiteral("searchPanel"));
    searchPanel->setAutoFillBackground(true);
    setColour(searchPanel, QPalette::Window, SalePage::colour(kBack));
    bannerImage = new QLabel(searchPanel);
    bannerImage->setObjectName(QStringLiteral("bannerImage"));
    bannerImage->setScaledContents(true);
    bannerImage->setPixmap(banner());
    instructionLabel = new QLabel(
        QStringLiteral("กรอก รหัส , ชื่อสินค้า หรือ รายละเอียดสินค้า ที่ต้องการค้นหา (กรอกเพียงบางส่วนก็ได้)"),
        searchPanel);
    instructionLabel->setObjectName(QStringLiteral("instructionLabel"));
    instructionLabel->setFont(tahoma(9.75));
    setColour(instructionLabel, QPalette::WindowText, SalePage::colour(kInstruction));
    searchBox = new QLineEdit(searchPanel);
    searchBox->setObjectName(QStringLiteral("searchBox"));
    searchBox->setFont(tahoma(20.25));
    searchBox->setAlignment(Qt::AlignCenter);
    searchBox->setMaxLength(50);
    setColour(searchBox, QPalette::Text, SalePage::colour(kSearchText));
    searchButton = new QPushButton(QStringLiteral("   ค้นหา (Enter)"), searchPanel);
    searchButton->setObjectName(QStringLiteral("searchButton"));
    searchButton->setFont(tahoma(12.75));
    resultGrid = new DataGrid(this);
    resultGrid->setObjectName(QStringLiteral("resultGrid"));
    exitButton = new QPushButton(QStringLiteral("ออกจากหน้านี้ (ESC)"), this);
    exitButton->setObjectName(QStringLiteral("exitButton"));
    exitButton->setFont(tahoma(12.75));
    for (QPushButton *b : { searchButton, exitButton }) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    Twips::place(searchPanel, 0, 0, 12915, 1320);
    Twips::place(bannerImage, 0, 0, 12915, 1320);
    Twips::place(instructionLabel, 120, 80, 12680, 330);
    Twips::place(searchBox, 120, 450, 9880, 760);
    Twips::place(searchButton, 10080, 450, 2715, 760);
    Twips::place(resultGrid, 0, 1340, 12900, 3795);
    Twips::place(exitButton, 0, 5145, 12915, 480);
    setFixedSize(Twips::toPixelsX(12915), Twips::toPixelsY(5625));
    Accessibility::nameFromCaption(
        searchBox, QStringLiteral("รหัส ชื่อสินค้า หรือ รายละเอียดสินค้า ที่ต้องการค้นหา"));
    Accessibility::nameFromCaption(resultGrid, QStringLiteral("สินค้าที่ค้นพบ"));
    setTabOrder(searchBox, resultGrid);
    setTabOrder(resultGrid, searchButton);
    setTabOrder(searchButton, exitButton);

    CharacterFilter::install(searchBox, [this](int &k) { searchBoxKey(k); });
    connect(searchButton, &QPushButton::clicked, this, &ProductSearchDialog::searchProducts);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::close);
    connect(resultGrid, &DataGrid::cellDoubleClicked, this, [this](int, int) {
        // An add traps nothing of its own; a failure is reported and the dialog goes on.
        try {
            addChosenProduct();
        } catch (const std::exception &e) {
            MsgBox(QString::fromUtf8(e.what()), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                MsgResult::Ok, this);
        }
    });
    // Key preview: the window sees every key before its controls.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    WindowPlacement::place(this, VerticalPlace::Quarter);
    formatResultGrid();
}

void ProductSearchDialog::showModal(LineGridTarget &target)
{
    if (ProductSearchDialog *old = WindowRegistry::find<ProductSearchDialog>())
        WindowRegistry::unload(old);
    QPointer<ProductSearchDialog> w = new ProductSearchDialog(&target);
    WindowRegistry::add(w);
    w->searchBox->setFocus(Qt::OtherFocusReason);
    DialogRunner::exec(w);
}

void ProductSearchDialog::formatResultGrid()
{
    DataGrid *g = resultGrid;
    g->setRedraw(false);
    g->setMaxRows(0);
    g->setMaxCols(3);
    g->setReadOnly(true);
    g->setRowSelect(true);
    g->setColWidth(0, 0);
    g->setColWidth(1, 20);
    g->setColWidth(2, 68);
    g->setColWidth(3, 18);
    g->setText(1, DataGrid::HeaderRow, QStringLiteral("รหัสสินค้า"));
    g->setText(2, DataGrid::HeaderRow, QStringLiteral(" ชื่อสินค้า"));
    g->setText(3, DataGrid::HeaderRow, QStringLiteral("หน่วยนับ"));
    g->setHAlign(2, DataGrid::HeaderRow, Qt::AlignLeft);
    g->setHAlign(3, DataGrid::HeaderRow, Qt::AlignHCenter);
    g->setHAlign(1, DataGrid::All, Qt::AlignHCenter);
    g->setHAlign(2, DataGrid::All, Qt::AlignLeft);
    g->setHAlign(3, DataGrid::All, Qt::AlignHCenter);
    g->setForeColor(DataGrid::All, DataGrid::All, SalePage::colour(kGridText));
    g->setVAlign(DataGrid::All, DataGrid::All, Qt::AlignVCenter);
    g->setRowHeight(DataGrid::All, 25);
    g->setRedraw(true);
}

void ProductSearchDialog::searchBoxKey(int &key)
{
    if (key == 13) {
        key = 0;
        searchProducts();
    }
}

void ProductSearchDialog::searchProducts()
{
    const QString t = trimBlanks(searchBox->text());
    if (t.isEmpty()) {
        searchBox->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The text is found literally: % and _ are plain characters, a quote is an ordinary one.
    std::optional<GridRows> rows;
    skipOnFailure("ProductSearchDialog.searchProducts",
        [&] { rows = ProductSearch::dialogRows(ShopDatabase::connection(), t); });
    if (!rows || rows->empty()) {
        if (rows)
            skipOnFailure("ProductSearchDialog.searchProducts", [&] { resultGrid->setMaxRows(0); });
        setWindowTitle(NotFoundCaption);
        return;
    }
    const int n = int(rows->size());
    setWindowTitle(foundCaption(n));
    skipOnFailure("ProductSearchDialog.searchProducts", [&] {
        resultGrid->setRows(std::move(*rows));
        resultGrid->setActiveCell(1, 1);
    });
}

void ProductSearchDialog::addChosenProduct()
{
    if (resultGrid->maxRows() == 0)
        return;
    const int r = resultGrid->activeRow();
    if (r < 1 || r > resultGrid->maxRows())
        return;
    bool ok = false;
    const qint64 pk = trimBlanks(resultGrid->getText(0, r)).toLongLong(&ok);
    if (!ok)
        return;
    if (!m_target)
        return;
    if (const std::optional<SaleProduct> p = productByKey(pk))
        m_target->addLine(*p);
}

bool ProductSearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ProductSearchDialog::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // Enter belongs to the search box; the dialog has no default button.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(e);
}
