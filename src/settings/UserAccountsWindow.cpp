#include "settings/UserAccountsWindow.h"
#include "button/ButtonPresets.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/DialogRunner.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WidgetParts.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Blanks.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/Messages.h"
#include "shell/ShopDatabase.h"
#include <QCheckBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {

const QString Note = QStringLiteral("[ การเพิ่มผู้ใช้ และ การแก้ไข จะมีผลเมื่อปิดแล้วเปิดโปรแกรมใหม่ ]");
const QString NameTooShort = QStringLiteral("ไม่สามารถบันทึกได้ กรุณาระบุ ชื่อผู้ใช้ มากกว่า 4 หลักขึ้นไป");
const QString PasswordTooShort = QStringLiteral("ไม่สามารถบันทึกได้ กรุณาระบุ รหัสผ่าน มากกว่า 4 หลักขึ้นไป");
const QString EditPasswordTooShort
    = QStringLiteral("ไม่สามารถแก้ไขได้ กรุณาระบุ รหัสผ่าน มากกว่า 4 หลักขึ้นไป");
const QString PickBeforeEdit = QStringLiteral("กรุณาเลือก ( ผู้ใช้ ) ที่คุณต้องการ  ก่อนเริ่มการแก้ไข");
const QString PickBeforeDelete = QStringLiteral("กรุณาเลือก ( ผู้ใช้ ) ที่คุณต้องการ  ก่อนเริ่มการลบ");
const QString AdminStays = QStringLiteral("ผู้ใช้ [ admin ] ไม่สามารถลบออกได้ แนะนำให้เปลี่ยนแค่ รหัสผ่าน...");
const QString Deleted = QStringLiteral("ทำการ ลบข้อมูล ออกจากระบบเรียบร้อยแล้ว.");
const QString ConfirmCreateTitle = QStringLiteral("ยืนยันการเพิ่มผู้ใช้ใหม่");
const QString ConfirmEditTitle = QStringLiteral("ยืนยันการแก้ไขข้อมูล");
const QString ConfirmDeleteTitle = QStringLiteral("ยืนยันการลบข้อมูล");
// What the grid shows for every password: the stored value is a hash and is never shown.
const QString HiddenPassword = QStringLiteral(" ********");

// Two line breaks, then the user and the position as the boxes hold them.
QString confirmation(const QString &lead, const QString &name, const QString &position)
{
    return lead + QStringLiteral("\n\nผู้ใช้ : [ ") + name + QStringLiteral(" ] ตำแหน่ง : [ ")
        + position + QStringLiteral(" ]");
}

constexpr int MinLength = 4;
constexpr int MaxLength = 38;
constexpr int RowHeight = 25;
const QColor GridText(26, 26, 26);
const QColor AllowedBack(95, 158, 159);
const QColor RefusedBack(215, 159, 158);

QPixmap band()
{
    return gradientBand(48, QColor(40, 90, 110), QColor(95, 158, 160));
}

KasmoButton *button(QWidget *parent, const QString &caption)
{
    KasmoButton *b = KasmoButton::fromBag(parent, ButtonPresets::pageButton(caption));
    QString name = caption;
    name.remove(QLatin1Char('&'));
    b->setAccessibleName(name.trimmed());
    return b;
}

void status(QWidget *parent, const QString &text, MsgIcon icon)
{
    MsgBox(text, MsgButtons::Ok, icon, Msg::StatusTitle, MsgResult::Ok, parent);
}

bool confirmed(QWidget *parent, const QString &text, const QString &title)
{
    return MsgBox(text, MsgButtons::OkCancel, MsgIcon::Warning, title, MsgResult::Cancel, parent)
        == MsgResult::Ok;
}

// A write that fails is shown; the window keeps what it shows.
template <class F> bool stored(QWidget *parent, F &&write)
{
    try {
        write();
        return true;
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle, MsgResult::Ok, parent);
        return false;
    }
}

} // namespace

const QString UserAccountsWindow::Allowed = QStringLiteral("เปิดได้");
const QString UserAccountsWindow::Refused = QStringLiteral("เปิดไม่ได้");

UserAccountsWindow::UserAccountsWindow()
{
    setObjectName(QStringLiteral("UserAccountsWindow"));
    setWindowTitle(QStringLiteral("จัดการระบบล็อคอิน"));
    buildWindow();
    connect(this, &QDialog::finished, this, [this] { Form_Unload(); });
}

void UserAccountsWindow::buildWindow()
{
    // Positions in twips. A band across the top; the boxes, the rights and the buttons under
    // it; the grid fills the lower part.
    setFixedSize(Twips::toPixelsX(14520), Twips::toPixelsY(8520));

    auto *bandPicture = new QLabel(this);
    bandPicture->setPixmap(band());
    bandPicture->setScaledContents(true);
    Twips::place(bandPicture, 0, 0, 14520, 720);
    auto onBand = [](QWidget *w) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        w->setPalette(pal);
    };
    lblSidebar = new QLabel(this);
    lblSidebar->setAccessibleDescription(QStringLiteral("จำนวนผู้ใช้"));
    onBand(lblSidebar);
    Twips::place(lblSidebar, 180, 180, 3060, 360);
    Label4 = new QLabel(Note, this);
    Label4->setAlignment(Qt::AlignCenter);
    onBand(Label4);
    Twips::place(Label4, 3540, 180, 7560, 360);
    Check1 = new QCheckBox(QStringLiteral(" เปิด / ปิด (ระบบล็อคอิน)"), this);
    onBand(Check1);
    Twips::place(Check1, 11340, 180, 3000, 360);

    QFont boxFont = font();
    boxFont.setPointSizeF(10);
    boxFont.setBold(true);
    struct Box
    {
        QLineEdit *&box;
        const char *name;
        QString caption;
        double top;
    };
    Box boxes[] = {
        { txtUserID, "txtUserID", QStringLiteral("ชื่อผู้ใช้"), 900 },
        { txtPassword, "txtPassword", QStringLiteral("รหัสผ่าน"), 1380 },
        { Text1, "Text1", QStringLiteral("ตำแหน่ง"), 1860 },
    };
    for (Box &b : boxes) {
        auto *caption = new QLabel(b.caption, this);
        Twips::place(caption, 240, b.top, 1080, 390);
        b.box = new QLineEdit(this);
        b.box->setObjectName(QLatin1String(b.name));
        b.box->setMaxLength(MaxLength);
        b.box->setFont(boxFont);
        b.box->setAccessibleName(b.caption);
        caption->setBuddy(b.box);
        Twips::place(b.box, 1320, b.top, 2700, 390);
        InputBoxes::refuseRightClick(b.box);
    }

    struct Right
    {
        QCheckBox *&box;
        QString caption;
        double left, top;
    };
    Right rights[] = {
        { Check2, QStringLiteral(" เข้าถึงหน้าขายสินค้า"), 4560, 900 },
        { Check3, QStringLiteral(" เข้าถึงหน้าคลังสินค้า"), 4560, 1260 },
        { Check4, QStringLiteral(" เข้าถึงหน้าสรุปยอดการขาย"), 4560, 1620 },
        { Check5, QStringLiteral(" เข้าถึงหน้าตั้งค่า"), 4560, 1980 },
        { Check6, QStringLiteral(" เข้าถึงหน้าข้อมูลย้อนหลัง"), 7860, 900 },
    };
    for (Right &r : rights) {
        r.box = new QCheckBox(r.caption, this);
        Twips::place(r.box, r.left, r.top, 2760, 330);
    }

    kasmoButton1 = button(this, QStringLiteral("&สร้างผู้ใช้ใหม่"));
    Twips::place(kasmoButton1, 7860, 1320, 2760, 960);
    kasmoButton5 = button(this, QStringLiteral("&ยืนยันการสร้างผู้ใช้"));
    Twips::place(kasmoButton5, 7860, 1320, 2760, 480);
    kasmoButton6 = button(this, QStringLiteral("&ยกเลิกการสร้าง"));
    Twips::place(kasmoButton6, 7860, 1800, 2760, 480);
    kasmoButton2 = button(this, QStringLiteral("&แก้ไขข้อมูลผู้ใช้นี้"));
    Twips::place(kasmoButton2, 11340, 900, 2880, 600);
    kasmoButton4 = button(this, QStringLiteral("&ยืนยันการแก้ไขข้อมูล"));
    Twips::place(kasmoButton4, 11340, 900, 2880, 600);
    kasmoButton3 = button(this, QStringLiteral("&ลบผู้ใช้งานนี้"));
    Twips::place(kasmoButton3, 11340, 1680, 2880, 600);
    // The confirm buttons lie over the buttons they cover.
    kasmoButton5->raise();
    kasmoButton6->raise();
    kasmoButton4->raise();

    fpSpread1 = new DataGrid(this);
    fpSpread1->setObjectName(QStringLiteral("fpSpread1"));
    fpSpread1->setAccessibleName(QStringLiteral("รายชื่อผู้ใช้"));
    Twips::place(fpSpread1, 0, 2400, 14520, 6120);

    setTabOrder(txtUserID, txtPassword);
    setTabOrder(txtPassword, Text1);
    setTabOrder(Text1, Check2);
    setTabOrder(Check2, Check3);
    setTabOrder(Check3, Check4);
    setTabOrder(Check4, Check5);
    setTabOrder(Check5, Check6);

    connect(kasmoButton1, &KasmoButton::Click, this, &UserAccountsWindow::kasmoButton1_Click);
    connect(kasmoButton5, &KasmoButton::Click, this, &UserAccountsWindow::kasmoButton5_Click);
    connect(kasmoButton6, &KasmoButton::Click, this, &UserAccountsWindow::kasmoButton6_Click);
    connect(kasmoButton2, &KasmoButton::Click, this, &UserAccountsWindow::kasmoButton2_Click);
    connect(kasmoButton4, &KasmoButton::Click, this, &UserAccountsWindow::kasmoButton4_Click);
    connect(kasmoButton3, &KasmoButton::Click, this, &UserAccountsWindow::kasmoButton3_Click);
    CharacterFilter::install(txtUserID, [this](int &k) { txtUserID_KeyPress(k); });
    CharacterFilter::install(txtPassword, [this](int &k) { txtPassword_KeyPress(k); });
    txtUserID->installEventFilter(this);
    txtPassword->installEventFilter(this);

    // A click on the selected row loads it again; any other move of the current row (a click,
    // the right button, a key) loads the row it moved to.
    connect(fpSpread1, &DataGrid::cellClicked, this, [this](int, int) { fpSpread1_Click(); });
    connect(fpSpread1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) {
            if (current.isValid())
                currentRowMoved(current.row() + 1);
        });

    SetupSpread();
    // View mode.
    setBoxesEnabled(false, false, false);
    kasmoButton5->setVisible(false);
    kasmoButton6->setVisible(false);
    kasmoButton4->setVisible(false);
}

QList<QCheckBox *> UserAccountsWindow::rightBoxes() const
{
    return { Check2, Check3, Check4, Check5, Check6 };
}

void UserAccountsWindow::setBoxesEnabled(bool name, bool passwordAndPosition, bool rights)
{
    txtUserID->setEnabled(name);
    txtPassword->setEnabled(passwordAndPosition);
    Text1->setEnabled(passwordAndPosition);
    for (QCheckBox *c : rightBoxes())
        c->setEnabled(rights);
}

void UserAccountsWindow::emptyBoxes()
{
    txtUserID->clear();
    txtPassword->clear();
    Text1->clear();
    m_loading = true;
    fpSpread1->selectionModel()->clear();
    m_loading = false;
}

void UserAccountsWindow::showModal()
{
    QPointer<UserAccountsWindow> w = WindowRegistry::instance<UserAccountsWindow>();
    w->Form_Load();
    DialogRunner::exec(w);
}

void UserAccountsWindow::Form_Load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    Check1->setChecked(UserAccounts::loginSwitchOn(ShopDatabase::connection()));
    LoadUser();
}

void UserAccountsWindow::Form_Unload()
{
    const bool on = Check1->isChecked();
    stored(this, [&] { UserAccounts::writeLoginSwitch(ShopDatabase::connection(), on); });
}

void UserAccountsWindow::SetupSpread()
{
    DataGrid *g = fpSpread1;
    g->setRedraw(false);
    g->setMaxRows(0);
    g->setMaxCols(8);
    g->setReadOnly(true);
    g->setRowSelect(true);
    const double widths[] = { 0, 18, 18, 18, 13, 13, 15, 11, 16 };
    for (int c = 0; c <= 8; ++c)
        g->setColWidth(c, widths[c]);
    const QString headers[] = { QString(), QStringLiteral(" ชื่อผู้ใช้"), QStringLiteral(" รหัสผ่าน"),
        QStringLiteral("ตำแหน่ง"), QStringLiteral("หน้าขายสินค้า"), QStringLiteral("หน้าคลังสินค้า"),
        QStringLiteral("หน้าสรุปยอดขาย"), QStringLiteral("หน้าตั้งค่า"),
        QStringLiteral("หน้าข้อมูลย้อนหลัง") };
    for (int c = 1; c <= 8; ++c) {
        g->setText(c, DataGrid::HeaderRow, headers[c]);
        g->setHAlign(c, DataGrid::All, c <= 2 ? Qt::AlignLeft : Qt::AlignHCenter);
    }
    g->setForeColor(DataGrid::All, DataGrid::All, GridText);
    g->setVAlign(DataGrid::All, DataGrid::All, Qt::AlignVCenter);
    g->setRowHeight(DataGrid::All, RowHeight);
    g->setRedraw(true);
}

void UserAccountsWindow::LoadUser()
{
    m_loading = true;
    SetupSpread();
    m_users = UserAccounts::list(ShopDatabase::connection());
    DataGrid *g = fpSpread1;
    g->setRedraw(false);
    std::vector<QStringList> rows;
    rows.reserve(size_t(m_users.size()));
    for (const UserAccount &u : m_users) {
        QStringList cells = { QString::number(u.pk), QLatin1Char(' ') + trimBlanks(u.uid),
            HiddenPassword, QLatin1Char(' ') + trimBlanks(u.position) };
        for (bool r : u.rights)
            cells << (r ? Allowed : Refused);
        rows.push_back(cells);
    }
    g->setRows(std::move(rows));
    for (int r = 1; r <= int(m_users.size()); ++r)
        for (int i = 0; i < 5; ++i)
            g->setBackColor(4 + i, r, m_users[r - 1].rights[size_t(i)] ? AllowedBack : RefusedBack);
    g->setRedraw(true);
    lblSidebar->setText(QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( ") + QString::number(m_users.size())
        + QStringLiteral(" ) คน"));
    selectShownUser();
    m_loading = false;
}

void UserAccountsWindow::selectShownUser()
{
    m_loading = true;
    fpSpread1->selectionModel()->clear();
    if (!trimBlanks(txtUserID->text()).isEmpty())
        for (int r = 1; r <= int(m_users.size()); ++r)
            if (m_users[r - 1].pk == SelectedUserPK) {
                fpSpread1->setActiveCell(1, r);
                fpSpread1->selectRow(r - 1);
                break;
            }
    m_loading = false;
}

void UserAccountsWindow::currentRowMoved(int row)
{
    if (m_loading)
        return;
    // The moved-to row is also the selected one, whatever moved it.
    m_loading = true;
    fpSpread1->selectRow(row - 1);
    m_loading = false;
    fpSpread1_Click();
}

void UserAccountsWindow::fpSpread1_Click()
{
    if (fpSpread1->maxRows() == 0)
        return;
    const QModelIndex current = fpSpread1->currentIndex();
    if (!current.isValid() || current.row() >= m_users.size())
        return;
    const UserAccount &u = m_users[current.row()];
    SelectedUserPK = fpSpread1->getText(0, current.row() + 1).toInt();
    txtUserID->setText(trimBlanks(u.uid));
    txtPassword->clear(); // the stored hash is never shown
    Text1->setText(trimBlanks(u.position));
    const QList<QCheckBox *> boxes = rightBoxes();
    for (int i = 0; i < 5; ++i)
        boxes[i]->setChecked(u.rights[size_t(i)]);
}

UserAccount UserAccountsWindow::userInBoxes(int pk) const
{
    UserAccount u;
    u.pk = pk;
    u.uid = trimBlanks(txtUserID->text());
    u.position = trimBlanks(Text1->text());
    const QList<QCheckBox *> boxes = rightBoxes();
    for (int i = 0; i < 5; ++i)
        u.rights[size_t(i)] = boxes[i]->isChecked();
    return u;
}

// ---------------------------------------------------------------------------------------------
// Create

void UserAccountsWindow::kasmoButton1_Click()
{
    kasmoButton3->setEnabled(false);
    kasmoButton2->setEnabled(false);
    kasmoButton5->setVisible(true);
    kasmoButton6->setVisible(true);
    setBoxesEnabled(true, true, true);
    emptyBoxes();
    fpSpread1->setEnabled(false);
    txtUserID->setFocus();
}

void UserAccountsWindow::kasmoButton5_Click()
{
    if (trimBlanks(txtUserID->text()).size() < MinLength) {
        status(this, NameTooShort, MsgIcon::Warning);
        txtUserID->setFocus();
        return;
    }
    if (trimBlanks(txtPassword->text()).size() < MinLength) {
        status(this, PasswordTooShort, MsgIcon::Warning);
        txtPassword->setFocus();
        return;
    }
    bool taken = false;
    if (!stored(this, [&] {
            taken = UserAccounts::nameTaken(
                ShopDatabase::connection(), trimBlanks(txtUserID->text()));
        }))
        return;
    if (taken) {
        status(this,
            QStringLiteral("ไม่สามารถเพิ่มผู้ใช้ [ ") + txtUserID->text()
                + QStringLiteral(" ] เนื่องจากมี ชื่อนี้อยู่แล้ว ...."),
            MsgIcon::Warning);
        txtUserID->setFocus();
        return;
    }
    if (!confirmed(this,
            confirmation(
                QStringLiteral("คุณแน่ใจว่าต้องการเพิ่มข้อมูลใหม่ของ "), txtUserID->text(), Text1->text()),
            ConfirmCreateTitle))
        return;
    if (!stored(this, [&] { SetupNewData(); }))
        return;
    const QString name = txtUserID->text();
    LoadUser();
    status(this, QStringLiteral("ดำเนินการเพิ่ม ผู้ใช้ [ ") + name + QStringLiteral(" ] เรียบร้อยแล้ว.."),
        MsgIcon::Information);
    kasmoButton6_Click();
}

void UserAccountsWindow::SetupNewData()
{
    NewUserPK = UserAccounts::create(
        ShopDatabase::connection(), userInBoxes(0), trimBlanks(txtPassword->text()));
}

void UserAccountsWindow::kasmoButton6_Click()
{
    emptyBoxes();
    kasmoButton3->setEnabled(true);
    kasmoButton2->setEnabled(true);
    kasmoButton5->setVisible(false);
    kasmoButton6->setVisible(false);
    setBoxesEnabled(false, false, false);
    fpSpread1->setEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Edit

void UserAccountsWindow::kasmoButton2_Click()
{
    if (fpSpread1->maxRows() == 0)
        return;
    if (trimBlanks(txtUserID->text()).isEmpty()) {
        status(this, PickBeforeEdit, MsgIcon::Warning);
        return;
    }
    kasmoButton4->setVisible(true);
    kasmoButton1->setEnabled(false);
    kasmoButton3->setEnabled(false);
    setBoxesEnabled(false, true, true);
    txtPassword->setFocus();
}

void UserAccountsWindow::kasmoButton4_Click()
{
    // An empty password keeps the stored one; a new one needs four characters.
    const QString password = trimBlanks(txtPassword->text());
    if (!password.isEmpty() && password.size() < MinLength) {
        status(this, EditPasswordTooShort, MsgIcon::Warning);
        txtPassword->setFocus();
        return;
    }
    const bool ok = confirmed(this,
        confirmation(
            QStringLiteral("คุณแน่ใจว่าต้องการแก้ไขข้อมูลของ "), txtUserID->text(), Text1->text()),
        ConfirmEditTitle);
    if (ok && !stored(this, [&] {
            UserAccounts::update(ShopDatabase::connection(), userInBoxes(SelectedUserPK), password);
        }))
        return;
    kasmoButton4->setVisible(false);
    kasmoButton3->setEnabled(true);
    kasmoButton1->setEnabled(true);
    if (!ok)
        emptyBoxes();
    txtPassword->clear(); // what was typed is stored as a hash, never shown again
    setBoxesEnabled(false, false, false);
    if (!ok)
        return;
    const QString name = txtUserID->text();
    LoadUser();
    status(this,
        QStringLiteral("ดำเนินการแก้ไขข้อมูลผู้ใช้ [ ") + name + QStringLiteral(" ] เรียบร้อยแล้ว.."),
        MsgIcon::Information);
}

// ---------------------------------------------------------------------------------------------
// Delete

void UserAccountsWindow::kasmoButton3_Click()
{
    if (fpSpread1->maxRows() == 0)
        return;
    if (trimBlanks(txtUserID->text()).isEmpty()) {
        status(this, PickBeforeDelete, MsgIcon::Warning);
        return;
    }
    // User 1 stays, whatever its name.
    if (SelectedUserPK == 1) {
        status(this, AdminStays, MsgIcon::Warning);
        return;
    }
    if (!confirmed(this,
            confirmation(QStringLiteral("คุณแน่ใจว่าต้องการลบ "), txtUserID->text(), Text1->text()),
            ConfirmDeleteTitle))
        return;
    if (!stored(this, [&] { UserAccounts::remove(ShopDatabase::connection(), SelectedUserPK); }))
        return;
    status(this, Deleted, MsgIcon::Information);
    emptyBoxes();
    LoadUser();
}

// ---------------------------------------------------------------------------------------------
// Input

void UserAccountsWindow::txtUserID_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        txtPassword->setFocus();
        return;
    }
    KeyAscii = KeyFilters::codeCharactersOnly(KeyAscii);
}

void UserAccountsWindow::txtPassword_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Text1->setFocus();
        return;
    }
    KeyAscii = KeyFilters::codeCharactersOnly(KeyAscii);
}

void UserAccountsWindow::txtUserID_GotFocus()
{
    InputBoxes::setEnglishKeyboard();
}

void UserAccountsWindow::txtPassword_GotFocus()
{
    InputBoxes::setEnglishKeyboard();
}

bool UserAccountsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == txtUserID)
            txtUserID_GotFocus();
        else if (watched == txtPassword)
            txtPassword_GotFocus();
    }
    return QDialog::eventFilter(watched, event);
}
