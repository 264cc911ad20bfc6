#include "sale/Edit.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/KeyAscii.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Codes.h"
#include "sale/Form3.h"
#include "sale/SaleGrid.h"
#include "sale/SaleRules.h"
#include "sale/SaleUi.h"
#include "sale/StockUpdateGrid.h"
#include "shell/MDIForm1.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace {

using namespace SaleGrid; // the stock update grid shares columns 0 to 7

// The grid the dialog works on, by the page open behind it.
DataGrid *targetGrid()
{
    const QString page = MDIForm1::PageName();
    if (page == Msg::PageStock) {
        StockUpdateGrid *w = StockUpdateGrid::loaded();
        return w ? w->linesGrid() : nullptr;
    }
    if (page == Msg::PageSale) {
        Form3 *f = WindowRegistry::find<Form3>();
        return f ? f->fpSpread1 : nullptr;
    }
    return nullptr;
}

} // namespace

QString Edit::labelText(const QString &name, const QString &description)
{
    return lineLabel(QStringLiteral("ปรับ "), name, description, QStringLiteral(" เป็น : "));
}

Edit::Edit()
    : QuantityDialog(QStringLiteral("Edit"), QStringLiteral("แก้ไขจำนวนสินค้า"),
        bannerStrip(QColor(21, 66, 139), QColor(120, 160, 210)))
{
    Form_Load();
}

void Edit::showModal()
{
    QPointer<Edit> w = WindowRegistry::instance<Edit>();
    w->Text1->setFocus(Qt::OtherFocusReason);
    DialogRunner::exec(w);
}

void Edit::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    if (const DataGrid *g = targetGrid()) {
        const int r = Module1::EditRow;
        Label1->setText(labelText(g->getText(ColName, r), g->getText(ColDes, r)));
    }
    showQuantity(Module1::EditQty);
}

void Edit::Command1_Click()
{
    bool ok = false;
    const qint64 qty = trimBlanks(Text1->text()).toLongLong(&ok);
    if (!ok || qty < 1) {
        Text1->setText(QStringLiteral("1"));
        Module1::SelectAllText(Text1);
        Text1->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString page = MDIForm1::PageName();
    DataGrid *g = targetGrid();
    const int r = Module1::EditRow;
    if (g && r >= 1 && r <= g->maxRows()) {
        const QString before = g->getText(ColQty, r);
        g->setText(ColQty, r, QString::number(qty));
        try {
            if (page == Msg::PageSale) {
                Form3 *f = WindowRegistry::find<Form3>();
                f->CalTotalAmount2();
                f->CalTotalAmount();
            } else {
                StockUpdateGrid *w = StockUpdateGrid::loaded();
                w->CalTotalAmount2();
                w->CalTotalAmount();
            }
        } catch (const DbError &e) {
            // The line could not be re-priced (its product is gone): it keeps its quantity.
            g->setText(ColQty, r, before);
            MsgBox(
                e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
            return;
        }
    }
    close();
}
