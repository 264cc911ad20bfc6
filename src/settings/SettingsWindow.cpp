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
    connect(this, &QDialog::finished, this, [this] { letSalePageRereadSwitches(); });
}

void SettingsWindow::buildWindow()
{
    // Client area 12960 x 9135 twips; positions below are in twips.
    setFixedSize(Twips::toPixelsX(12960), Twips::toPixelsY(9135));

    headerBar = new QLabel(this);
    headerBar->setPixmap(bar(QColor(0, 60, 140), QColor(150, 190, 230)));
    headerBar->setScaledContents(true);
    Twips::place(headerBar, 0, 0, 12960, 720);
    headerLabel = barLabel(this, QStringLiteral("รายละเอียดการตั้งค่า"), 14);
    Twips::place(headerLabel, 240, 60, 6000, 600);

    receiptSetUpButton = pageButton(this, QStringLiteral("&ตั้งค่าการพิมพ์"));
    labelsButton = pageButton(this, QStringLiteral("&สร้างบาร์โค๊ด"));
    userAccountsButton = pageButton(this, QStringLiteral("&ระบบล็อคอิน"));
    Twips::place(receiptSetUpButton, 240, 840, 2400, 600);
    Twips::place(labelsButton, 2760, 840, 2400, 600);
    Twips::place(userAccountsButton, 5280, 840, 2400, 600);
    connect(receiptSetUpButton, &KasmoButton::Click, this, [this] { openReceiptSetUp(this); });
    connect(labelsButton, &KasmoButton::Click, this, [] { LabelWindow::showModal(); });
    connect(userAccountsButton, &KasmoButton::Click, this, [] {
        if (openUserAccounts)
            openUserAccounts();
    });

    // The second bar: the database heading at its left, the drawer row on its right.
    databaseBar = new QLabel(this);
    databaseBar->setPixmap(bar(QColor(95, 158, 160), QColor(40, 90, 110)));
    databaseBar->setScaledContents(true);
    Twips::place(databaseBar, 0, 1560, 12960, 480);
    databaseLabel = barLabel(this, QStringLiteral("ฐานข้อมูล"), 10);
    Twips::place(databaseLabel, 240, 1590, 1800, 420);
    drawerLabel = barLabel(this, QStringLiteral("ลิ้นชัก"), 10);
    Twips::place(drawerLabel, 4920, 1590, 720, 420);
    drawerCheck = new QCheckBox(QStringLiteral(" เปิดลิ้นชักเมื่อบันทึก"), this);
    drawerCheck->setToolTip(QStringLiteral(" เปิดลิ้นชักอัตโนมัติเมื่อบันทึก "));
    {
        // White text on the bar; the box itself keeps its own colours.
        QPalette pal = drawerCheck->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        drawerCheck->setPalette(pal);
    }
    Twips::place(drawerCheck, 5640, 1620, 2280, 360);
    drawerPortList = new QComboBox(this);
    drawerPortList->setEditable(false);
    drawerPortList->setAccessibleName(QStringLiteral("ลิ้นชัก ComPort"));
    Twips::place(drawerPortList, 7980, 1620, 1260, 360);
    testDrawerButton
        = pushButton(this, QStringLiteral("ทดสอบเปิด"), QStringLiteral(" ทดสอบเปิดลิ้นชัก "));
    Twips::place(testDrawerButton, 9300, 1605, 1320, 390);
    saveDrawerButton = pushButton(this, QStringLiteral("บันทึกการตั้งค่าลิ้นชัก"));
    Twips::place(saveDrawerButton, 10680, 1605, 2160, 390);
    // Closed until the switch is ticked.
    drawerPortList->setEnabled(false);
    testDrawerButton->setEnabled(false);
    connect(drawerCheck, &QCheckBox::toggled, this, [this] { switchDrawer(); });
    connect(testDrawerButton, &QPushButton::clicked, this, &SettingsWindow::testDrawer);
    connect(saveDrawerButton, &QPushButton::clicked, this, &SettingsWindow::saveDrawerSetting);

    // The database buttons, left to right.
    compactButton = pageButton(
        this, QStringLiteral("&ซ่อมแซมกระชับข้อมูล"), QStringLiteral(" ควรทำอย่างน้อยเดือนละครั้ง "));
    backupButton = pageButton(this, QStringLiteral("&สำรองข้อมูล"));
    zeroNegativeStockButton
        = pageButton(this, QStringLiteral("        &ปรับสินค้าคงเหลือ          ติดลบทั้งหมดให้ = 0"));
    clearSalesButton = pageButton(this, QStringLiteral("&ล้างข้อมูล สรุปยอดการขาย"));
    clearHistoryButton = pageButton(this, QStringLiteral("&ล้างข้อมูล ข้อมูลย้อนหลัง    "));
    deleteAllButton = pageButton(this, QStringLiteral("&ลบข้อมูลออกทั้งหมด"));
    Twips::place(compactButton, 240, 2160, 2160, 1020);
    Twips::place(backupButton, 2520, 2160, 2160, 1020);
    Twips::place(zeroNegativeStockButton, 4800, 2160, 2400, 1020);
    Twips::place(clearSalesButton, 7320, 2160, 2880, 480);
    Twips::place(clearHistoryButton, 7320, 2700, 2880, 480);
    Twips::place(deleteAllButton, 10320, 2160, 2400, 1020);
    connect(compactButton, &KasmoButton::Click, this, &SettingsWindow::compactDatabase);
    connect(backupButton, &KasmoButton::Click, this, &SettingsWindow::backUpDatabase);
    connect(zeroNegativeStockButton, &KasmoButton::Click, this, &SettingsWindow::zeroNegativeStock);
    connect(clearSalesButton, &KasmoButton::Click, this, &SettingsWindow::clearSales);
    connect(clearHistoryButton, &KasmoButton::Click, this, &SettingsWindow::clearHistory);
    connect(deleteAllButton, &KasmoButton::Click, this, &SettingsWindow::deleteAllData);

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
        { unitList, unitBox, renameUnitButton, deleteUnitButton, QStringLiteral("หน่วยนับ"), 19,
            QStringLiteral("ลบ (หน่วยนับ) ที่เลือก") },
        { groupList, groupBox, renameGroupButton, deleteGroupButton, QStringLiteral("หมวดหมู่"), 48,
            QStringLiteral("ลบ (หมวดหมู่) ที่เลือก") },
        { placeList, placeBox, renamePlaceButton, deletePlaceButton, QStringLiteral("สถานที่จัดเก็บ"),
            49, QStringLiteral("ลบ (สถานที่จัดเก็บ) ที่เลือก") },
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
    m_units = { &LookupLists::units(), unitList, unitBox,
        QStringLiteral("กรุณาเลือก ( หน่วยนับ ) ที่คุณต้องการแก้ไข ..."),
        QStringLiteral("โปรดทำการ ยืนยัน คุณต้องการแก้ไข หน่วยนับ นี้หรือไม่ แน่ใจ?") };
    m_groups = { &LookupLists::groups(), groupList, groupBox,
        QStringLiteral("กรุณาเลือก ( หมวดหมู่ ) ที่คุณต้องการแก้ไข ..."),
        QStringLiteral("โปรดทำการ ยืนยัน คุณต้องการแก้ไข หมวดหมู่ นี้หรือไม่ แน่ใจ?") };
    m_places = { &LookupLists::places(), placeList, placeBox,
        QStringLiteral("กรุณาเลือก ( สถานที่จัดเก็บ ) ที่คุณต้องการแก้ไข ..."),
        QStringLiteral("โปรดทำการ ยืนยัน คุณต้องการแก้ไข สถานที่จัดเก็บ นี้หรือไม่ แน่ใจ?") };
    for (ListSide *side : { &m_units, &m_groups, &m_places }) {
        connect(
            side->view, &QTreeWidget::itemClicked, this, [this, side] { showPickedEntry(*side); });
    }
    connect(renameUnitButton, &QPushButton::clicked, this, [this] { renameFromBox(m_units); });
    connect(renameGroupButton, &QPushButton::clicked, this, [this] { renameFromBox(m_groups); });
    connect(renamePlaceButton, &QPushButton::clicked, this, [this] { renameFromBox(m_places); });
    connect(deleteUnitButton, &QPushButton::clicked, this, [this] { deleteEntry(m_units); });
    connect(deleteGroupButton, &QPushButton::clicked, this, [this] { deleteEntry(m_groups); });
    connect(deletePlaceButton, &QPushButton::clicked, this, [this] { deleteEntry(m_places); });

    const std::pair<QWidget *, const char *> names[] = { { headerBar, "headerBar" },
        { headerLabel, "headerLabel" }, { receiptSetUpButton, "receiptSetUpButton" },
        { labelsButton, "labelsButton" }, { userAccountsButton, "userAccountsButton" },
        { databaseBar, "databaseBar" }, { databaseLabel, "databaseLabel" },
        { drawerLabel, "drawerLabel" }, { drawerCheck, "drawerCheck" },
        { drawerPortList, "drawerPortList" }, { testDrawerButton, "testDrawerButton" },
        { saveDrawerButton, "saveDrawerButton" }, { compactButton, "compactButton" },
        { backupButton, "backupButton" }, { zeroNegativeStockButton, "zeroNegativeStockButton" },
        { clearSalesButton, "clearSalesButton" }, { clearHistoryButton, "clearHistoryButton" },
        { deleteAllButton, "deleteAllButton" }, { unitList, "unitList" },
        { groupList, "groupList" }, { placeList, "placeList" }, { unitBox, "unitBox" },
        { groupBox, "groupBox" }, { placeBox, "placeBox" },
        { renameUnitButton, "renameUnitButton" }, { renameGroupButton, "renameGroupButton" },
        { renamePlaceButton, "renamePlaceButton" }, { deleteUnitButton, "deleteUnitButton" },
        { deleteGroupButton, "deleteGroupButton" }, { deletePlaceButton, "deletePlaceButton" } };
    for (const auto &[w, name] : names)
        w->setObjectName(QLatin1String(name));
}

void SettingsWindow::showModal()
{
    QPointer<SettingsWindow> w = WindowRegistry::instance<SettingsWindow>();
    w->load();
    WindowPlacement::place(w, VerticalPlace::Third);
    DialogRunner::exec(w);
}

void SettingsWindow::load()
{
    drawerCheck->setChecked(DataMaintenance::drawerSwitchOn(ShopDatabase::connection()));
    // Columns: the key, hidden, then the name 4050 twips wide.
    for (ListSide *side : { &m_units, &m_groups, &m_places }) {
        side->view->setColumnCount(2);
        side->view->setHeaderLabels({ QStringLiteral("PK"), side->view->accessibleName() });
        side->view->setColumnHidden(0, true);
        side->view->setColumnWidth(1, Twips::toPixelsX(4050));
    }
    for (ListSide *side : { &m_units, &m_groups, &m_places })
        fillList(*side);
}

void SettingsWindow::letSalePageRereadSwitches()
{
    if (MainFrame::openPageName() == Msg::PageSale && MainFrame::windows().rereadSaleSettings)
        MainFrame::windows().rereadSaleSettings();
}

// ---------------------------------------------------------------------------------------------
// Links

std::function<void()> SettingsWindow::openUserAccounts = [] { UserAccountsWindow::showModal(); };

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

void SettingsWindow::compactDatabase()
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

void SettingsWindow::backUpDatabase()
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

void SettingsWindow::zeroNegativeStock()
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

void SettingsWindow::clearSales()
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

void SettingsWindow::clearHistory()
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

void SettingsWindow::deleteAllData()
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

void SettingsWindow::switchDrawer()
{
    if (drawerCheck->isChecked()) {
        drawerPortList->clear();
        drawerPortList->setEnabled(true);
        testDrawerButton->setEnabled(true);
        findDrawerPorts();
    } else {
        drawerPortList->setEnabled(false);
        testDrawerButton->setEnabled(false);
    }
}

void SettingsWindow::findDrawerPorts()
{
    for (int n = 1; n <= 4; ++n)
        quietly([&] {
            if (CashDrawer::portPresent(n))
                drawerPortList->addItem(QStringLiteral("COM%1").arg(n));
        });
    if (drawerPortList->count() > 0)
        drawerPortList->setCurrentIndex(0);
}

int SettingsWindow::chosenPort() const
{
    if (drawerPortList->currentIndex() < 0)
        return 0;
    return drawerPortList->currentText().mid(3).toInt();
}

void SettingsWindow::testDrawer()
{
    // No message of its own: a missing or busy port sends nothing.
    quietly([&] { CashDrawer::open(QString::number(chosenPort())); });
}

void SettingsWindow::saveDrawerSetting()
{
    const bool on = drawerCheck->isChecked();
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

void SettingsWindow::showPickedEntry(ListSide &side)
{
    if (side.view->topLevelItemCount() == 0)
        return;
    const int key = selectedKey(side.view);
    if (key > 0)
        side.box->setText(LookupLists::name(ShopDatabase::connection(), *side.data, key));
}

void SettingsWindow::renameFromBox(ListSide &side)
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
