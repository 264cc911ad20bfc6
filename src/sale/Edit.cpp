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
#include "sale/SaleRules.h"
#include "sale/StockUpdateGrid.h"
#include "shell/MDIForm1.h"
#include "shell/Messages.h"
#include "shell/Module1.h"
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

namespace {

constexpr int ColName = 2;
constexpr int ColDes = 3;
constexpr int ColQty = 4;

void place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(Twips::toPixelsX(left), Twips::toPixelsY(top), Twips::toPixelsX(width),
        Twips::toPixelsY(height));
}

QFont tahoma(double pt, bool bold = true)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSizeF(pt);
    f.setBold(bold);
    return f;
}

QPixmap banner()
{
    QPixmap pm(135, 28);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 135, 0);
    g.setColorAt(0, QColor(21, 66, 139));
    g.setColorAt(1, QColor(120, 160, 210));
    p.fillRect(pm.rect(), g);
    return pm;
}

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
    return QStringLiteral("ปรับ ")
        + trimBlanks(trimBlanks(name) + QLatin1Char(' ') + trimBlanks(description))
        + QStringLiteral(" เป็น : ");
}

Edit::Edit()
{
    setObjectName(QStringLiteral("Edit"));
    setWindowTitle(QStringLiteral("แก้ไขจำนวนสินค้า"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint
        | Qt::WindowTitleHint);
    setFont(tahoma(8.25, false));

    Command1 = new QPushButton(QStringLiteral("บันทึกข้อมูล (Enter)"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(tahoma(12.75));
    Command1->setAutoDefault(false);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setPixmap(banner());
    Label1 = new QLabel(QStringLiteral("คืนสินค้าเป็นจำนวน :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(tahoma(9.75));
    {
        QPalette p = Label1->palette();
        p.setColor(QPalette::WindowText, Form3::colour(rgbValue(21, 66, 139)));
        Label1->setPalette(p);
    }
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(tahoma(68.25));
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setMaxLength(4);
    {
        QPalette p = Text1->palette();
        p.setColor(QPalette::Text, Qt::black);
        p.setColor(QPalette::Base, Form3::colour(rgbValue(239, 200, 200)));
        Text1->setPalette(p);
    }

    place(Command1, 0, 0, 3375, 2280);
    place(Image1, 3375, 0, 6525, 60);
    place(Label1, 3420, 70, 6420, 270);
    place(Text1, 3330, 340, 6570, 1935);
    setFixedSize(Twips::toPixelsX(9900), Twips::toPixelsY(2280));
    setTabOrder(Text1, Command1);

    KeyAscii::install(Text1, [this](int &k) { Text1_KeyPress(k); });
    Module1::RefuseRightClick(Text1);
    Text1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &Edit::Command1_Click);

    Form_Load();
}

void Edit::showModal()
{
    QPointer<Edit> w = WindowRegistry::instance<Edit>();
    w->Text1->setFocus(Qt::OtherFocusReason);
    DialogRunner::exec(w);
    if (w)
        WindowRegistry::unload(w);
}

void Edit::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    if (const DataGrid *g = targetGrid()) {
        const int r = Module1::EditRow;
        Label1->setText(labelText(g->getText(ColName, r), g->getText(ColDes, r)));
    }
    // A longer quantity handed in is shown in full; typing is held to four digits
    // (Text1_KeyPress).
    const QString qty = QString::number(Module1::EditQty);
    Text1->setMaxLength(qMax(4, int(qty.size())));
    Text1->setText(qty);
    Module1::SelectAllText(Text1);
}

void Edit::Text1_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click();
        return;
    }
    Module1::NumberOnly(KeyAscii);
    if (KeyAscii >= '0' && KeyAscii <= '9'
        && Text1->text().size() - Text1->selectedText().size() >= 4)
        KeyAscii = 0;
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

bool Edit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::FocusIn)
        Module1::SetEnglishKeyboard();
    return QDialog::eventFilter(watched, event);
}

void Edit::keyPressEvent(QKeyEvent *e)
{
    // Esc means nothing here, and there is no default button.
    if (e->key() == Qt::Key_Escape || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(e);
}
