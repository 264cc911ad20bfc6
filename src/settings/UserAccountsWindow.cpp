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
    connect(this, &QDialog::finished, this, [this] { storeSignInSwitch(); });
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
    userCountLabel = new QLabel(this);
    userCountLabel->setAccessibleDescription(QStringLiteral("จำนวนผู้ใช้"));
    onBand(userCountLabel);
    Twips::place(userCountLabel, 180, 180, 3060, 360);
    noteLabel = new QLabel(Note, this);
    noteLabel->setAlignment(Qt::AlignCenter);
    onBand(noteLabel);
    Twips::place(noteLabel, 3540, 180, 7560, 360);
    signInCheck = new QCheckBox(QStringLiteral(" เปิด / ปิด (ระบบล็อคอิน)"), this);
    onBand(signInCheck);
    Twips::place(signInCheck, 11340, 180, 3000, 360);

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
        { userNameBox, "userNameBox", QStringLiteral("ชื่อผู้ใช้"), 900 },
        { passwordBox, "passwordBox", QStringLiteral("รหัสผ่าน"), 1380 },
        { positionBox, "positionBox", QStringLiteral("ตำแหน่ง"), 1860 },
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
        { sellingCheck, QStringLiteral(" เข้าถึงหน้าขายสินค้า"), 4560, 900 },
        { stockCheck, QStringLiteral(" เข้าถึงหน้าคลังสินค้า"), 4560, 1260 },
        { summaryCheck, QStringLiteral(" เข้าถึงหน้าสรุปยอดการขาย"), 4560, 1620 },
        { settingsCheck, QStringLiteral(" เข้าถึงหน้าตั้งค่า"), 4560, 1980 },
        { historyCheck, QStringLiteral(" เข้าถึงหน้าข้อมูลย้อนหลัง"), 7860, 900 },
    };
    for (Right &r : rights) {
        r.box = new QCheckBox(r.caption, this);
        Twips::place(r.box, r.left, r.top, 2760, 330);
    }

    createButton = button(this, QStringLiteral("&สร้างผู้ใช้ใหม่"));
    Twips::place(createButton, 7860, 1320, 2760, 960);
    confirmCreateButton = button(this, QStringLiteral("&ยืนยันการสร้างผู้ใช้"));
    Twips::place(confirmCreateButton, 7860, 1320, 2760, 480);
    cancelCreateButton = button(this, QStringLiteral("&ยกเลิกการสร้าง"));
    Twips::place(cancelCreateButton, 7860, 1800, 2760, 480);
    editButton = button(this, QStringLiteral("&แก้ไขข้อมูลผู้ใช้นี้"));
    Twips::place(editButton, 11340, 900, 2880, 600);
    confirmEditButton = button(this, QStringLiteral("&ยืนยันการแก้ไขข้อมูล"));
    Twips::place(confirmEditButton, 11340, 900, 2880, 600);
    deleteButton = button(this, QStringLiteral("&ลบผู้ใช้งานนี้"));
    Twips::place(deleteButton, 11340, 1680, 2880, 600);
    // The confirm buttons lie over the buttons they cover.
    confirmCreateButton->raise();
    cancelCreateButton->raise();
    confirmEditButton->raise();

    userGrid = new DataGrid(this);
    userGrid->setObjectName(QStringLiteral("userGrid"));
    userGrid->setAccessibleName(QStringLiteral("รายชื่อผู้ใช้"));
    Twips::place(userGrid, 0, 2400, 14520, 6120);

    const std::pair<QWidget *, const char *> names[]
        = { { userCountLabel, "userCountLabel" }, { noteLabel, "noteLabel" },
              { signInCheck, "signInCheck" }, { sellingCheck, "sellingCheck" },
              { stockCheck, "stockCheck" }, { summaryCheck, "summaryCheck" },
              { settingsCheck, "settingsCheck" }, { historyCheck, "historyCheck" },
              { createButton, "createButton" }, { confirmCreateButton, "confirmCreateButton" },
              { cancelCreateButton, "cancelCreateButton" }, { editButton, "editButton" },
              { confirmEditButton, "confirmEditButton" }, { deleteButton, "deleteButton" } };
    for (const auto &[w, name] : names)
        w->setObjectName(QLatin1String(name));

    setTabOrder(userNameBox, passwordBox);
    setTabOrder(passwordBox, positionBox);
    setTabOrder(positionBox, sellingCheck);
    setTabOrder(sellingCheck, stockCheck);
    setTabOrder(stockCheck, summaryCheck);
    setTabOrder(summaryCheck, settingsCheck);
    setTabOrder(settingsCheck, historyCheck);

    connect(createButton, &KasmoButton::Click, this, &UserAccountsWindow::startCreating);
    connect(confirmCreateButton, &KasmoButton::Click, this, &UserAccountsWindow::storeNewUser);
    connect(cancelCreateButton, &KasmoButton::Click, this, &UserAccountsWindow::stopCreating);
    connect(editButton, &KasmoButton::Click, this, &UserAccountsWindow::startEditing);
    connect(confirmEditButton, &KasmoButton::Click, this, &UserAccountsWindow::storeChanges);
    connect(deleteButton, &KasmoButton::Click, this, &UserAccountsWindow::deletePickedUser);
    // Enter goes on to the next box; the name and the password take code characters only.
    const std::pair<QLineEdit *, QLineEdit *> enterMoves[]
        = { { userNameBox, passwordBox }, { passwordBox, positionBox } };
    for (const auto &[box, next] : enterMoves)
        CharacterFilter::install(box, [next](int &key) {
            if (key == 13) {
                key = 0;
                next->setFocus();
                return;
            }
            key = KeyFilters::codeCharactersOnly(key);
        });
    userNameBox->installEventFilter(this);
    passwordBox->installEventFilter(this);

    // A click on the selected row loads it again; any other move of the current row (a click,
    // the right button, a key) loads the row it moved to.
    connect(userGrid, &DataGrid::cellClicked, this, [this](int, int) { showPickedUser(); });
    connect(userGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) {
            if (current.isValid())
                currentRowMoved(current.row() + 1);
        });

    setUpGrid();
    // View mode.
    setBoxesEnabled(false, false, false);
    confirmCreateButton->setVisible(false);
    cancelCreateButton->setVisible(false);
    confirmEditButton->setVisible(false);
}

QList<QCheckBox *> UserAccountsWindow::rightBoxes() const
{
    return { sellingCheck, stockCheck, summaryCheck, settingsCheck, historyCheck };
}

void UserAccountsWindow::setBoxesEnabled(bool name, bool passwordAndPosition, bool rights)
{
    userNameBox->setEnabled(name);
    passwordBox->setEnabled(passwordAndPosition);
    positionBox->setEnabled(passwordAndPosition);
    for (QCheckBox *c : rightBoxes())
        c->setEnabled(rights);
}

void UserAccountsWindow::emptyBoxes()
{
    userNameBox->clear();
    passwordBox->clear();
    positionBox->clear();
    m_loading = true;
    userGrid->selectionModel()->clear();
    m_loading = false;
}

void UserAccountsWindow::showModal()
{
    QPointer<UserAccountsWindow> w = WindowRegistry::instance<UserAccountsWindow>();
    w->load();
    DialogRunner::exec(w);
}

void UserAccountsWindow::load()
{
    WindowPlacement::place(this, VerticalPlace::Third);
    signInCheck->setChecked(UserAccounts::loginSwitchOn(ShopDatabase::connection()));
    loadUsers();
}

void UserAccountsWindow::storeSignInSwitch()
{
    const bool on = signInCheck->isChecked();
    stored(this, [&] { UserAccounts::writeLoginSwitch(ShopDatabase::connection(), on); });
}

void UserAccountsWindow::setUpGrid()
{
    DataGrid *g = userGrid;
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

void UserAccountsWindow::loadUsers()
{
    m_loading = true;
    setUpGrid();
    m_users = UserAccounts::list(ShopDatabase::connection());
    DataGrid *g = userGrid;
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
    userCountLabel->setText(QStringLiteral("มีข้อมูลผู้ใช้ทั้งหมด ( ") + QString::number(m_users.size())
        + QStringLiteral(" ) คน"));
    selectShownUser();
    m_loading = false;
}

void UserAccountsWindow::selectShownUser()
{
    m_loading = true;
    userGrid->selectionModel()->clear();
    if (!trimBlanks(userNameBox->text()).isEmpty())
        for (int r = 1; r <= int(m_users.size()); ++r)
            if (m_users[r - 1].pk == m_selectedUserKey) {
                userGrid->setActiveCell(1, r);
                userGrid->selectRow(r - 1);
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
    userGrid->selectRow(row - 1);
    m_loading = false;
    showPickedUser();
}

void UserAccountsWindow::showPickedUser()
{
    if (userGrid->maxRows() == 0)
        return;
    const QModelIndex current = userGrid->currentIndex();
    if (!current.isValid() || current.row() >= m_users.size())
        return;
    const UserAccount &u = m_users[current.row()];
    m_selectedUserKey = userGrid->getText(0, current.row() + 1).toInt();
    userNameBox->setText(trimBlanks(u.uid));
    passwordBox->clear(); // the stored hash is never shown
    positionBox->setText(trimBlanks(u.position));
    const QList<QCheckBox *> boxes = rightBoxes();
    for (int i = 0; i < 5; ++i)
        boxes[i]->setChecked(u.rights[size_t(i)]);
}

UserAccount UserAccountsWindow::userInBoxes(int pk) const
{
    UserAccount u;
    u.pk = pk;
    u.uid = trimBlanks(userNameBox->text());
    u.position = trimBlanks(positionBox->text());
    const QList<QCheckBox *> boxes = rightBoxes();
    for (int i = 0; i < 5; ++i)
        u.rights[size_t(i)] = boxes[i]->isChecked();
    return u;
}

// ---------------------------------------------------------------------------------------------
// Create

void UserAccountsWindow::startCreating()
{
    deleteButton->setEnabled(false);
    editButton->setEnabled(false);
    confirmCreateButton->setVisible(true);
    cancelCreateButton->setVisible(true);
    setBoxesEnabled(true, true, true);
    emptyBoxes();
    userGrid->setEnabled(false);
    userNameBox->setFocus();
}

void UserAccountsWindow::storeNewUser()
{
    if (trimBlanks(userNameBox->text()).size() < MinLength) {
        status(this, NameTooShort, MsgIcon::Warning);
        userNameBox->setFocus();
        return;
    }
    if (trimBlanks(passwordBox->text()).size() < MinLength) {
        status(this, PasswordTooShort, MsgIcon::Warning);
        passwordBox->setFocus();
        return;
    }
    bool taken = false;
    if (!stored(this, [&] {
            taken = UserAccounts::nameTaken(
                ShopDatabase::connection(), trimBlanks(userNameBox->text()));
        }))
        return;
    if (taken) {
        status(this,
            QStringLiteral("ไม่สามารถเพิ่มผู้ใช้ [ ") + userNameBox->text()
                + QStringLiteral(" ] เนื่องจากมี ชื่อนี้อยู่แล้ว ...."),
            MsgIcon::Warning);
        userNameBox->setFocus();
        return;
    }
    if (!confirmed(this,
            confirmation(QStringLiteral("คุณแน่ใจว่าต้องการเพิ่มข้อมูลใหม่ของ "), userNameBox->text(),
                positionBox->text()),
            ConfirmCreateTitle))
        return;
    if (!stored(this, [&] {
            UserAccounts::create(
                ShopDatabase::connection(), userInBoxes(0), trimBlanks(passwordBox->text()));
        }))
        return;
    const QString name = userNameBox->text();
    loadUsers();
    status(this, QStringLiteral("ดำเนินการเพิ่ม ผู้ใช้ [ ") + name + QStringLiteral(" ] เรียบร้อยแล้ว.."),
        MsgIcon::Information);
    stopCreating();
}

void UserAccountsWindow::stopCreating()
{
    emptyBoxes();
    deleteButton->setEnabled(true);
    editButton->setEnabled(true);
    confirmCreateButton->setVisible(false);
    cancelCreateButton->setVisible(false);
    setBoxesEnabled(false, false, false);
    userGrid->setEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Edit

void UserAccountsWindow::startEditing()
{
    if (userGrid->maxRows() == 0)
        return;
    if (trimBlanks(userNameBox->text()).isEmpty()) {
        status(this, PickBeforeEdit, MsgIcon::Warning);
        return;
    }
    confirmEditButton->setVisible(true);
    createButton->setEnabled(false);
    deleteButton->setEnabled(false);
    setBoxesEnabled(false, true, true);
    passwordBox->setFocus();
}

void UserAccountsWindow::storeChanges()
{
    // An empty password keeps the stored one; a new one needs four characters.
    const QString password = trimBlanks(passwordBox->text());
    if (!password.isEmpty() && password.size() < MinLength) {
        status(this, EditPasswordTooShort, MsgIcon::Warning);
        passwordBox->setFocus();
        return;
    }
    const bool ok = confirmed(this,
        confirmation(
            QStringLiteral("คุณแน่ใจว่าต้องการแก้ไขข้อมูลของ "), userNameBox->text(), positionBox->text()),
        ConfirmEditTitle);
    if (ok && !stored(this, [&] {
            UserAccounts::update(
                ShopDatabase::connection(), userInBoxes(m_selectedUserKey), password);
        }))
        return;
    confirmEditButton->setVisible(false);
    deleteButton->setEnabled(true);
    createButton->setEnabled(true);
    if (!ok)
        emptyBoxes();
    passwordBox->clear(); // what was typed is stored as a hash, never shown again
    setBoxesEnabled(false, false, false);
    if (!ok)
        return;
    const QString name = userNameBox->text();
    loadUsers();
    status(this,
        QStringLiteral("ดำเนินการแก้ไขข้อมูลผู้ใช้ [ ") + name + QStringLiteral(" ] เรียบร้อยแล้ว.."),
        MsgIcon::Information);
}

// ---------------------------------------------------------------------------------------------
// Delete

void UserAccountsWindow::deletePickedUser()
{
    if (userGrid->maxRows() == 0)
        return;
    if (trimBlanks(userNameBox->text()).isEmpty()) {
        status(this, PickBeforeDelete, MsgIcon::Warning);
        return;
    }
    // User 1 stays, whatever its name.
    if (m_selectedUserKey == 1) {
        status(this, AdminStays, MsgIcon::Warning);
        return;
    }
    if (!confirmed(this,
            confirmation(
                QStringLiteral("คุณแน่ใจว่าต้องการลบ "), userNameBox->text(), positionBox->text()),
            ConfirmDeleteTitle))
        return;
    if (!stored(this, [&] { UserAccounts::remove(ShopDatabase::connection(), m_selectedUserKey); }))
        return;
    status(this, Deleted, MsgIcon::Information);
    emptyBoxes();
    loadUsers();
}

bool UserAccountsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && (watched == userNameBox || watched == passwordBox))
        InputBoxes::setEnglishKeyboard();
    return QDialog::eventFilter(watched, event);
}
