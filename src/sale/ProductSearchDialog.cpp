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

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAutoFillBackground(true);
    setColour(Frame1, QPalette::Window, SalePage::colour(kBack));
    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setPixmap(banner());
    Label11 = new QLabel(
        QStringLiteral("กรอก รหัส , ชื่อสินค้า หรือ รายละเอียดสินค้า ที่ต้องการค้นหา (กรอกเพียงบางส่วนก็ได้)"),
        Frame1);
    Label11->setObjectName(QStringLiteral("Label11"));
    Label11->setFont(tahoma(9.75));
    setColour(Label11, QPalette::WindowText, SalePage::colour(kInstruction));
    txt1 = new QLineEdit(Frame1);
    txt1->setObjectName(QStringLiteral("txt1"));
    txt1->setFont(tahoma(20.25));
    txt1->setAlignment(Qt::AlignCenter);
    txt1->setMaxLength(50);
    setColour(txt1, QPalette::Text, SalePage::colour(kSearchText));
    Command1 = new QPushButton(QStringLiteral("   ค้นหา (Enter)"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(tahoma(12.75));
    fpSpread1 = new DataGrid(this);
    fpSpread1->setObjectName(QStringLiteral("fpSpread1"));
    Command2 = new QPushButton(QStringLiteral("ออกจากหน้านี้ (ESC)"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setFont(tahoma(12.75));
    for (QPushButton *b : { Command1, Command2 }) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    Twips::place(Frame1, 0, 0, 12915, 1320);
    Twips::place(Image1, 0, 0, 12915, 1320);
    Twips::place(Label11, 120, 80, 12680, 330);
    Twips::place(txt1, 120, 450, 9880, 760);
    Twips::place(Command1, 10080, 450, 2715, 760);
    Twips::place(fpSpread1, 0, 1340, 12900, 3795);
    Twips::place(Command2, 0, 5145, 12915, 480);
    setFixedSize(Twips::toPixelsX(12915), Twips::toPixelsY(5625));
    Accessibility::nameFromCaption(
        txt1, QStringLiteral("รหัส ชื่อสินค้า หรือ รายละเอียดสินค้า ที่ต้องการค้นหา"));
    Accessibility::nameFromCaption(fpSpread1, QStringLiteral("สินค้าที่ค้นพบ"));
    setTabOrder(txt1, fpSpread1);
    setTabOrder(fpSpread1, Command1);
    setTabOrder(Command1, Command2);

    CharacterFilter::install(txt1, [this](int &k) { txt1_KeyPress(k); });
    connect(Command1, &QPushButton::clicked, this, &ProductSearchDialog::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ProductSearchDialog::Command2_Click);
    connect(fpSpread1, &DataGrid::cellDoubleClicked, this, [this](int, int) {
        // An add traps nothing of its own; a failure is reported and the dialog goes on.
        try {
            fpSpread1_DblClick();
        } catch (const std::exception &e) {
            MsgBox(QString::fromUtf8(e.what()), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle,
                MsgResult::Ok, this);
        }
    });
    // Key preview: the window sees every key before its controls.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);

    Form_Load();
}

void ProductSearchDialog::showModal(LineGridTarget &target)
{
    if (ProductSearchDialog *old = WindowRegistry::find<ProductSearchDialog>())
        WindowRegistry::unload(old);
    QPointer<ProductSearchDialog> w = new ProductSearchDialog(&target);
    WindowRegistry::add(w);
    w->txt1->setFocus(Qt::OtherFocusReason);
    DialogRunner::exec(w);
}

void ProductSearchDialog::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Quarter);
    SetupSpread();
}

void ProductSearchDialog::SetupSpread()
{
    DataGrid *g = fpSpread1;
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

void ProductSearchDialog::txt1_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
    }
}

void ProductSearchDialog::Command1_Click()
{
    const QString t = trimBlanks(txt1->text());
    if (t.isEmpty()) {
        txt1->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The text is found literally: % and _ are plain characters, a quote is an ordinary one.
    std::optional<GridRows> rows;
    skipOnFailure("ProductSearchDialog.Command1_Click",
        [&] { rows = ProductSearch::dialogRows(ShopDatabase::connection(), t); });
    if (!rows || rows->empty()) {
        if (rows)
            skipOnFailure("ProductSearchDialog.Command1_Click", [&] { fpSpread1->setMaxRows(0); });
        setWindowTitle(NotFoundCaption);
        return;
    }
    const int n = int(rows->size());
    setWindowTitle(foundCaption(n));
    skipOnFailure("ProductSearchDialog.Command1_Click", [&] {
        fpSpread1->setRows(std::move(*rows));
        fpSpread1->setActiveCell(1, 1);
    });
}

void ProductSearchDialog::fpSpread1_DblClick()
{
    if (fpSpread1->maxRows() == 0)
        return;
    const int r = fpSpread1->activeRow();
    if (r < 1 || r > fpSpread1->maxRows())
        return;
    bool ok = false;
    const qint64 pk = trimBlanks(fpSpread1->getText(0, r)).toLongLong(&ok);
    if (!ok)
        return;
    if (!m_target)
        return;
    if (const std::optional<SaleProduct> p = productByKey(pk))
        m_target->addLine(*p);
}

void ProductSearchDialog::Form_KeyDown(int KeyCode)
{
    if (KeyCode == Qt::Key_Escape)
        Command2_Click();
}

void ProductSearchDialog::Command2_Click()
{
    close();
}

bool ProductSearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *ke = static_cast<QKeyEvent *>(event);
        if (ke->key() == Qt::Key_Escape) {
            Form_KeyDown(ke->key());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ProductSearchDialog::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        Form_KeyDown(e->key());
        return;
    }
    // Enter belongs to the search box; the dialog has no default button.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(e);
}
