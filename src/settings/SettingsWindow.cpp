#include "SettingsWindow.h"
#include "button/ButtonPresets.h"
#include "labels/LabelWindow.h"
#include "platform/db/Maintenance.h"
#include "platform/serial/CashDrawer.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/Clock.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/SkipOnFailure.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "receipt/SaleReceipt.h"
#include "records/Blanks.h"
#include "settings/DataMaintenance.h"
#include "settings/UserAccountsWindow.h"
#include "shell/MainFrame.h"
#include "shell/Messages.h"
#include "shell/ProgramEnd.h"
#include "shell/ShopDatabase.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

namespace {

const QString ConfirmDeleteTitle = QStringLiteral("ยืนยันการลบข้อมูล");
const QString ConfirmAdjustTitle = QStringLiteral("ยืนยันการปรับ");
const QString AllDeleted = QStringLiteral("ลบข้อมูลทั้งหมดเสร็จสิ้นแล้ว...... ");
const QString DrawerOnText = QStringLiteral("[ สถานะ = เปิด ][ ComPort ที่เลือกคือ = ");
const QString DrawerOffText = QStringLiteral("[ สถานะ = ปิด ][ ComPort ที่เลือกคือ = ");

QPixmap bar(const QColor &from, const QColor &to)
{
    return gradientBand(48, from, to);
}

QLabel *barLabel(QWidget *parent, const QString &text, int pointSize)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSize(pointSize);
    f.setBold(true);
    l->setFont(f);
    l->setStyleSheet(QStringLiteral("color: white; background: transparent"));
    return l;
}

QPushButton *pushButton(QWidget *parent, const QString &caption, const QString &tip = QString())
{
    QPushButton *b = plainButton(parent, caption);
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

KasmoButton *pageButton(QWidget *parent, const QString &caption, const QString &tip = QString())
{
    KasmoButton *b = KasmoButton::fromBag(parent, ButtonPresets::pageButton(caption));
    QString name = caption.trimmed();
    name.remove(QLatin1Char('&'));
    b->setAccessibleName(name.simplified());
    if (!tip.isEmpty())
        b->setToolTip(tip);
    return b;
}

void showError(QWidget *parent, const QString &what, const DbError &e)
{
    MsgBox(what + QStringLiteral(" : ") + e.text(), MsgButtons::Ok, MsgIcon::Warning,
        Msg::ErrorTitle, MsgResult::Ok, parent);
}

void showStatus(QWidget *parent, const QString &text, MsgIcon icon = MsgIcon::Information)
{
    MsgBox(text, MsgButtons::Ok, icon, Msg::StatusTitle, MsgResult::Ok, parent);
}

// A step of the port probe and the test that fails is skipped without a word.
template <class F> void quietly(F &&step)
{
    try {
        step();
    } catch (const std::exception &e) {
        logSkipped("SettingsWindow", e);
    }
}

} // namespace

SettingsWindow::SettingsWindow()
{
    setObjectName(QStringLiteral("SettingsWindow"));
    setWindowTitle(QStringLiteral("ตั้งค่าโปรแกรม"));
    buildWindow();
    connect(this, &QDialog::finished, this, [this] { Form_Unload(); });
}

void SettingsWindow::buildWindow()
{
    // Client area 12960 x 9135 twips; positions below are in twips.
    setFixedSize(Twips::toPixelsX(12960), Twips::toPixelsY(9135));

    imgBarHeader = new QLabel(this);
    imgBarHeader->setPixmap(bar(QColor(0, 60, 140), QColor(150, 190, 230)));
    imgBarHeader->setScaledContents(true);
    Twips::place(imgBarHeader, 0, 0, 12960, 720);
    lblSidebar = barLabel(this, QStringLiteral("รายละเอียดการตั้งค่า"), 14);
    Twips::place(lblSidebar, 240, 60, 6000, 600);

    kasmoButton4 = pageButton(this, QStringLiteral("&ตั้งค่าการพิมพ์"));
    kasmoButton5 = pageButton(this, QStringLiteral("&สร้างบาร์โค๊ด"));
    kasmoButton7 = pageButton(this, QStringLiteral("&ระบบล็อคอิน"));
    Twips::place(kasmoButton4, 240, 840, 2400, 600);
    Twips::place(kasmoButton5, 2760, 840, 2400, 600);
    Twips::place(kasmoButton7, 5280, 840, 2400, 600);
    connect(kasmoButton4, &KasmoButton::Click, this, &SettingsWindow::kasmoButton4_Click);
    connect(kasmoButton5, &KasmoButton::Click, this, &SettingsWindow::kasmoButton5_Click);
    connect(kasmoButton7, &KasmoButton::Click, this, &SettingsWindow::kasmoButton7_Click);

    // The second bar: the database heading at its left, the drawer row on its right.
    Image1 = new QLabel(this);
    Image1->setPixmap(bar(QColor(95, 158, 160), QColor(40, 90, 110)));
    Image1->setScaledContents(true);
    Twips::place(Image1, 0, 1560, 12960, 480);
    Label1 = barLabel(this, QStringLiteral("ฐานข้อมูล"), 10);
    Twips::place(Label1, 240, 1590, 1800, 420);
    Label2 = barLabel(this, QStringLiteral("ลิ้นชัก"), 10);
    Twips::place(Label2, 4920, 1590, 720, 420);
    Check2 = new QCheckBox(QStringLiteral(" เปิดลิ้นชักเมื่อบันทึก"), this);
    Check2->setToolTip(QStringLiteral(" เปิดลิ้นชักอัตโนมัติเมื่อบันทึก "));
    {
        // White text on the bar; the box itself keeps its own colours.
        QPalette pal = Check2->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        Check2->setPalette(pal);
    }
    Twips::place(Check2, 5640, 1620, 2280, 360);
    cmbCommPort = new QComboBox(this);
    cmbCommPort->setEditable(false);
    cmbCommPort->setAccessibleName(QStringLiteral("ลิ้นชัก ComPort"));
    Twips::place(cmbCommPort, 7980, 1620, 1260, 360);
    Command7 = pushButton(this, QStringLiteral("ทดสอบเปิด"), QStringLiteral(" ทดสอบเปิดลิ้นชัก "));
    Twips::place(Command7, 9300, 1605, 1320, 390);
    Command8 = pushButton(this, QStringLiteral("บันทึกการตั้งค่าลิ้นชัก"));
    Twips::place(Command8, 10680, 1605, 2160, 390);
    // Closed until the switch is ticked.
    cmbCommPort->setEnabled(false);
    Command7->setEnabled(false);
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(Command7, &QPushButton::clicked, this, &SettingsWindow::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &SettingsWindow::Command8_Click);

    // The database buttons, left to right.
    pageButton2 = pageButton(
        this, QStringLiteral("&ซ่อมแซมกระชับข้อมูล"), QStringLiteral(" ควรทำอย่างน้อยเดือนละครั้ง "));
    kasmoButton1 = pageButton(this, QStringLiteral("&สำรองข้อมูล"));
    kasmoButton8
        = pageButton(this, QStringLiteral("        &ปรับสินค้าคงเหลือ          ติดลบทั้งหมดให้ = 0"));
    kasmoButton2 = pageButton(this, QStringLiteral("&ล้างข้อมูล สรุปยอดการขาย"));
    kasmoButton6 = pageButton(this, QStringLiteral("&ล้างข้อมูล ข้อมูลย้อนหลัง    "));
    kasmoButton3 = pageButton(this, QStringLiteral("&ลบข้อมูลออกทั้งหมด"));
    Twips::place(pageButton2, 240, 2160, 2160, 1020);
    Twips::place(kasmoButton1, 2520, 2160, 2160, 1020);
    Twips::place(kasmoButton8, 4800, 2160, 2400, 1020);
    Twips::place(kasmoButton2, 7320, 2160, 2880, 480);
    Twips::place(kasmoButton6, 7320, 2700, 2880, 480);
    Twips::place(kasmoButton3, 10320, 2160, 2400, 1020);
    connect(pageButton2, &KasmoButton::Click, this, &SettingsWindow::pageButton2_Click);
    connect(kasmoButton1, &KasmoButton::Click, this, &SettingsWindow::kasmoButton1_Click);
    connect(kasmoButton8, &KasmoButton::Click, this, &SettingsWindow::kasmoButton8_Click);
    connect(kasmoButton2, &KasmoButton::Click, this, &SettingsWindow::kasmoButton2_Click);
    connect(kasmoButton6, &KasmoButton::Click, this, &SettingsWindow::kasmoButton6_Click);
    connect(kasmoButton3, &KasmoButton::Click, this, &SettingsWindow::kasmoButton3_Click);

    // The three lists side by side, each with its name box, rename and delete buttons.
    struct Column
    {
        QTreeWidget *&view;
        QLineEdit *&box;
        QPushButton *&rename;
        QPushButton *&remove;
        QString header;
        int maxLength;
        QString deleteCaption;
    };
    Column columns[] = {
        { lv1, Text1, Command4, Command1, QStringLiteral("หน่วยนับ"), 19,
            QStringLiteral("ลบ (หน่วยนับ) ที่เลือก") },
        { lv2, text2, Command5, Command2, QStringLiteral("หมวดหมู่"), 48,
            QStringLiteral("ลบ (หมวดหมู่) ที่เลือก") },
        { lv3, text3, Command6, Command3, QStringLiteral("สถานที่จัดเก็บ"), 49,
            QStringLiteral("ลบ (สถานที่จัดเก็บ) ที่เลือก") },
    };
    double left = 240;
    for (Column &c : columns) {
        c.view = new QTreeWidget(this);
        c.view->setRootIsDecorated(false);
        c.view->setUniformRowHeights(true);
        c.view->setSelectionMode(QAbstractItemView::SingleSelection);
        c.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        c.view->setAccessibleName(c.header);
        Twips::place(c.view, left, 3360, 4080, 4260);
        c.box = new QLineEdit(this);
        c.box->setMaxLength(c.maxLength);
        c.box->setAccessibleName(c.header);
        Twips::place(c.box, left, 7740, 3120, 360);
        c.rename = pushButton(this, QStringLiteral("แก้ไข"));
        c.rename->setAccessibleName(QStringLiteral("แก้ไข ") + c.header);
        Twips::place(c.rename, left + 3180, 7725, 900, 390);
        c.remove = pushButton(this, c.deleteCaption);
        Twips::place(c.remove, left, 8220, 4080, 480);
        left += 4200;
    }
    m_units = { &LookupLists::units(), lv1, Text1,
        QStringLiteral("กรุณาเลือก ( หน่วยนับ ) ที่คุณต้องการแก้ไข ..."),
        QStringLiteral("โปรดทำการ ยืนยัน คุณต้องการแก้ไข หน่วยนับ นี้หรือไม่ แน่ใจ?") };
    m_groups = { &LookupLists::groups(), lv2, text2,
        QStringLiteral("กรุณาเลือก ( หมวดหมู่ ) ที่คุณต้องการแก้ไข ..."),
        QStringLiteral("โปรดทำการ ยืนยัน คุณต้องการแก้ไข หมวดหมู่ นี้หรือไม่ แน่ใจ?") };
    m_places = { &LookupLists::places(), lv3, text3,
        QStringLiteral("กรุณาเลือก ( สถานที่จัดเก็บ ) ที่คุณต้องการแก้ไข ..."),
        QStringLiteral("โปรดทำการ ยืนยัน คุณต้องการแก้ไข สถานที่จัดเก็บ นี้หรือไม่ แน่ใจ?") };
    connect(lv1, &QTreeWidget::itemClicked, this, &SettingsWindow::lv1_Click);
    connect(lv2, &QTreeWidget::itemClicked, this, &SettingsWindow::lv2_Click);
    connect(lv3, &QTreeWidget::itemClicked, this, &SettingsWindow::lv3_Click);
    connect(Command4, &QPushButton::clicked, this, &SettingsWindow::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &SettingsWindow::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &SettingsWindow::Command6_Click);
    connect(Command1, &QPushButton::clicked, this, &SettingsWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &SettingsWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &SettingsWindow::Command3_Click);
}

void SettingsWindow::showModal()
{
    QPointer<SettingsWindow> w = WindowRegistry::instance<SettingsWindow>();
    w->Form_Load();
    WindowPlacement::place(w, VerticalPlace::Third);
    DialogRunner::exec(w);
}

void SettingsWindow::Form_Load()
{
    Check2->setChecked(DataMaintenance::drawerSwitchOn(ShopDatabase::connection()));
    // Columns: the key, hidden, then the name 4050 twips wide.
    for (ListSide *side : { &m_units, &m_groups, &m_places }) {
        side->view->setColumnCount(2);
        side->view->setHeaderLabels({ QStringLiteral("PK"), side->view->accessibleName() });
        side->view->setColumnHidden(0, true);
        side->view->setColumnWidth(1, Twips::toPixelsX(4050));
    }
    SetupLv1();
    SetupLv2();
    SetupLv3();
}

void SettingsWindow::Form_Unload()
{
    if (MainFrame::openPageName() == Msg::PageSale && MainFrame::windows().rereadSaleSettings)
        MainFrame::windows().rereadSaleSettings();
}

// ---------------------------------------------------------------------------------------------
// Links

std::function<void()> SettingsWindow::openUserAccounts = [] { UserAccountsWindow::showModal(); };

void SettingsWindow::kasmoButton4_Click()
{
    openReceiptSetUp(this);
}

void SettingsWindow::kasmoButton5_Click()
{
    LabelWindow::showModal();
}

void SettingsWindow::kasmoButton7_Click()
{
    if (openUserAccounts)
        openUserAccounts();
}

// ---------------------------------------------------------------------------------------------
// Data maintenance

bool SettingsWindow::confirmed(const QStringList &questions, const QString &title)
{
    for (const QString &q : questions)
        if (MsgBox(q, MsgButtons::OkCancel, MsgIcon::Warning, title, MsgResult::Cancel, this)
            != MsgResult::Ok)
            return false;
    return true;
}

void SettingsWindow::pageButton2_Click()
{
    QString result;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            result = DbMaintenance::compact(ShopDatabase::connection());
        } catch (const DbError &e) {
            QApplication::restoreOverrideCursor();
            showError(this, QStringLiteral("ซ่อมแซมกระชับข้อมูลไม่สำเร็จ"), e);
            return;
        }
        QApplication::restoreOverrideCursor();
    }
    if (result == QLatin1String("ok"))
        showStatus(this,
            QStringLiteral(
                "ซ่อมแซมกระชับข้อมูลเรียบร้อยแล้ว\n\nผลการตรวจสอบฐานข้อมูล : ไม่พบความเสียหาย (ok)"));
    else
        MsgBox(QStringLiteral("ซ่อมแซมกระชับข้อมูลแล้ว แต่ผลการตรวจสอบพบความเสียหาย :\n\n") + result,
            MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
}

void SettingsWindow::kasmoButton1_Click()
{
    const QString proposed = QStringLiteral("Ksmdata-")
        + Clock::now().toString(QStringLiteral("yyyy-MM-dd-HHmmss")) + QStringLiteral(".db");
    QString target = FileDialogService::getSaveFileName(
        this, QStringLiteral("เลือกตำแหน่งที่ต้องการบันทึก"), proposed, QStringLiteral("ฐานข้อมูล (*.db)"));
    if (target.isEmpty())
        return;
    if (QFileInfo(target).suffix().isEmpty())
        target += QStringLiteral(".db");
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        DbMaintenance::backup(ShopDatabase::connection(), target);
    } catch (const DbError &e) {
        QApplication::restoreOverrideCursor();
        showError(this, QStringLiteral("สำรองข้อมูลไม่สำเร็จ"), e);
        return;
    }
    QApplication::restoreOverrideCursor();
    showStatus(this, QStringLiteral("สำรองข้อมูลเรียบร้อยแล้ว\n\n") + target);
}

void SettingsWindow::kasmoButton8_Click()
{
    if (!confirmed({ QStringLiteral("คุณแน่ใจว่าต้องการปรับ ( สินค้าคงเหลือติดลบทั้งหมด ) ให้ = 0?") },
            ConfirmAdjustTitle))
        return;
    try {
        DataMaintenance::zeroNegativeStock(ShopDatabase::connection());
    } catch (const DbError &e) {
        showError(this, QStringLiteral("ปรับข้อมูลไม่สำเร็จ"), e);
        return;
    }
    showStatus(
        this, QStringLiteral("ปรับข้อมูลทั้งหมดเสร็จสิ้นแล้ว โปรดทำการ (รีโหลดข้อมูลคลังสินค้า) ใหม่อีกครั้ง.."));
}

void SettingsWindow::kasmoButton2_Click()
{
    if (!confirmed({ QStringLiteral("คุณแน่ใจว่าต้องการลบข้อมูล ( สรุปยอดการขาย !! ) ออกทั้งหมด แน่ใจ?"),
                       QStringLiteral("โปรดกดปุ่ม OK อีกครั้งเพื่อยืนยันว่าคุณต้องการ ลบข้อมูล ( "
                                      "สรุปยอดการขาย !!!!!! )") },
            ConfirmDeleteTitle))
        return;
    try {
        BusyCursor busy; // sale lines go one by one: seconds on a busy shop
        DataMaintenance::clearSales(ShopDatabase::connection());
    } catch (const DbError &e) {
        showError(this, QStringLiteral("ลบข้อมูลไม่สำเร็จ"), e);
        return;
    }
    showStatus(this, AllDeleted);
}

void SettingsWindow::kasmoButton6_Click()
{
    if (!confirmed({ QStringLiteral("คุณแน่ใจว่าต้องการลบ ( ข้อมูลย้อนหลัง !! ) ออกทั้งหมด แน่ใจ?"),
                       QStringLiteral("โปรดกดปุ่ม OK อีกครั้งเพื่อยืนยันว่าคุณต้องการ ลบ( "
                                      "ข้อมูลย้อนหลัง !!!!!! )") },
            ConfirmDeleteTitle))
        return;
    try {
        DataMaintenance::clearHistory(ShopDatabase::connection());
    } catch (const DbError &e) {
        showError(this, QStringLiteral("ลบข้อมูลไม่สำเร็จ"), e);
        return;
    }
    showStatus(this, AllDeleted);
}

void SettingsWindow::kasmoButton3_Click()
{
    if (!confirmed({ QStringLiteral("คุณแน่ใจว่าต้องการลบ  ( ข้อมูลในฐานข้อมูลจะถูกลบทั้งหมด !! ) "
                                    "แน่ใจ?"),
                       QStringLiteral("โปรดกดปุ่ม OK อีกครั้งเพื่อยืนยันว่าคุณต้องการ ( "
                                      "ลบข้อมูลทั้งหมด !!!!!!!!! )") },
            ConfirmDeleteTitle))
        return;
    try {
        BusyCursor busy; // sale lines go one by one: seconds on a busy shop
        DataMaintenance::deleteAll(ShopDatabase::connection());
    } catch (const DbError &e) {
        showError(this, QStringLiteral("ลบข้อมูลไม่สำเร็จ"), e);
        return;
    }
    showStatus(this, QStringLiteral("ลบข้อมูลทั้งหมดเสร็จสิ้นแล้ว...... โปรดทำการเปิดโปรแกรมใหม่อีกครั้ง."));
    // The program ends at once: no window closes, nothing else is cleaned up.
    ShopDatabase::close();
    endProgram();
}

// ---------------------------------------------------------------------------------------------
// Cash drawer

void SettingsWindow::Check2_Click()
{
    if (Check2->isChecked()) {
        cmbCommPort->clear();
        cmbCommPort->setEnabled(true);
        Command7->setEnabled(true);
        ScanCommPort();
    } else {
        cmbCommPort->setEnabled(false);
        Command7->setEnabled(false);
    }
}

void SettingsWindow::ScanCommPort()
{
    for (int n = 1; n <= 4; ++n)
        quietly([&] {
            if (CashDrawer::portPresent(n))
                cmbCommPort->addItem(QStringLiteral("COM%1").arg(n));
        });
    if (cmbCommPort->count() > 0)
        cmbCommPort->setCurrentIndex(0);
}

int SettingsWindow::chosenPort() const
{
    if (cmbCommPort->currentIndex() < 0)
        return 0;
    return cmbCommPort->currentText().mid(3).toInt();
}

void SettingsWindow::Command7_Click()
{
    // No message of its own: a missing or busy port sends nothing.
    quietly([&] { CashDrawer::open(QString::number(chosenPort())); });
}

void SettingsWindow::Command8_Click()
{
    const bool on = Check2->isChecked();
    const int port = chosenPort();
    try {
        DataMaintenance::writeDrawerSetting(ShopDatabase::connection(), on, port);
    } catch (const DbError &e) {
        showError(this, QStringLiteral("บันทึกการตั้งค่าลิ้นชักไม่สำเร็จ"), e);
        return;
    }
    // The chosen port is named even when the drawer is off and "0" was stored.
    showStatus(this,
        QStringLiteral("บันทึกการตั้งค่าลิ้นชักเรียบร้อยแล้ว") + QStringLiteral("\n\n")
            + (on ? DrawerOnText : DrawerOffText) + QString::number(port) + QStringLiteral(" ]"));
}

// ---------------------------------------------------------------------------------------------
// Lookup lists

namespace {
// The key of the selected row (its hidden first column); 0 with no row selected.
int selectedKey(QTreeWidget *view)
{
    const QList<QTreeWidgetItem *> rows = view->selectedItems();
    return rows.isEmpty() ? 0 : rows.first()->text(0).toInt();
}
} // namespace

void SettingsWindow::fillList(ListSide &side)
{
    const QList<QPair<int, QString>> rows
        = LookupLists::entries(ShopDatabase::connection(), *side.data);
    side.view->clear();
    for (const auto &[key, name] : rows)
        side.view->addTopLevelItem(new QTreeWidgetItem({ QString::number(key), name }));
}

void SettingsWindow::clickList(ListSide &side)
{
    if (side.view->topLevelItemCount() == 0)
        return;
    const int key = selectedKey(side.view);
    if (key > 0)
        side.box->setText(LookupLists::name(ShopDatabase::connection(), *side.data, key));
}

void SettingsWindow::renameButton(ListSide &side)
{
    if (selectedKey(side.view) <= 0)
        return;
    if (trimBlanks(side.box->text()).isEmpty()) {
        showStatus(this, side.emptyBox, MsgIcon::Warning);
        return;
    }
    renameEntry(side);
}

void SettingsWindow::renameEntry(ListSide &side)
{
    const int key = selectedKey(side.view);
    if (key <= 0)
        return;
    if (MsgBox(side.confirmRename, MsgButtons::OkCancel, MsgIcon::Warning, Msg::StatusTitle,
            MsgResult::Cancel, this)
        != MsgResult::Ok)
        return;
    side.box->setText(LookupLists::cleanName(side.box->text()));
    const QString name = trimBlanks(side.box->text());
    if (name.isEmpty()) {
        showStatus(this, side.emptyBox, MsgIcon::Warning);
        return;
    }
    try {
        Connection &c = ShopDatabase::connection();
        if (LookupLists::nameExists(c, *side.data, name)) {
            showStatus(
                this, QStringLiteral("ไม่สามารถแก้ไขได้ เนื่องจากมี ชื่อนี้อยู่แล้ว ...."), MsgIcon::Warning);
            return;
        }
        LookupLists::rename(c, *side.data, key, name);
    } catch (const DbError &e) {
        showError(this, QStringLiteral("แก้ไขข้อมูลไม่สำเร็จ"), e);
        return;
    }
    showStatus(this, QStringLiteral("บันทึก การเปลี่ยนแปลงเข้าสู่ระบบงานฐานข้อมูลเรียบร้อย."));
    side.box->clear();
    fillList(side);
}

void SettingsWindow::deleteEntry(ListSide &side)
{
    if (side.view->topLevelItemCount() == 0)
        return;
    const int key = selectedKey(side.view);
    if (key <= 0)
        return;
    try {
        Connection &c = ShopDatabase::connection();
        if (LookupLists::inUse(c, *side.data, key)) {
            MsgBox(QStringLiteral("ไม่สามารถทำการลบข้อมูลรายการนี้ได้ "
                                  "เนื่องจากยังมีข้อมูลการใช้งานอยู่."),
                MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, this);
            return;
        }
        const QString name = LookupLists::name(c, *side.data, key);
        if (MsgBox(QStringLiteral("คุณแน่ใจว่าต้องการลบข้อมูล ( ") + name + QStringLiteral(" ) นี้?"),
                MsgButtons::OkCancel, MsgIcon::Question, ConfirmDeleteTitle, MsgResult::Cancel,
                this)
            != MsgResult::Ok)
            return;
        LookupLists::remove(c, *side.data, key);
    } catch (const DbError &e) {
        showError(this, QStringLiteral("ลบข้อมูลไม่สำเร็จ"), e);
        return;
    }
    showStatus(this, QStringLiteral("ลบข้อมูลออกจากระบบเรียบร้อยแล้ว."), MsgIcon::Warning);
    side.box->clear();
    fillList(side);
}

void SettingsWindow::SetupLv1()
{
    fillList(m_units);
}

void SettingsWindow::SetupLv2()
{
    fillList(m_groups);
}

void SettingsWindow::SetupLv3()
{
    fillList(m_places);
}

void SettingsWindow::lv1_Click()
{
    clickList(m_units);
}

void SettingsWindow::lv2_Click()
{
    clickList(m_groups);
}

void SettingsWindow::lv3_Click()
{
    clickList(m_places);
}

void SettingsWindow::Command4_Click()
{
    renameButton(m_units);
}

void SettingsWindow::Command5_Click()
{
    renameButton(m_groups);
}

void SettingsWindow::Command6_Click()
{
    renameButton(m_places);
}

void SettingsWindow::UpdateLv1()
{
    renameEntry(m_units);
}

void SettingsWindow::UpdateLv2()
{
    renameEntry(m_groups);
}

void SettingsWindow::UpdateLv3()
{
    renameEntry(m_places);
}

void SettingsWindow::Command1_Click()
{
    deleteEntry(m_units);
}

void SettingsWindow::Command2_Click()
{
    deleteEntry(m_groups);
}

void SettingsWindow::Command3_Click()
{
    deleteEntry(m_places);
}
