#include "SignInWindow.h"
#include "MainFrame.h"
#include "Messages.h"
#include "PasswordHash.h"
#include "SignedInUser.h"
#include "button/ButtonPresets.h"
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/CharacterFilter.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramFolder.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "records/Codes.h"
#include "shell/InputBoxes.h"
#include "shell/KeyFilters.h"
#include "shell/ProgramEnd.h"
#include "shell/ShopDatabase.h"
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QProxyStyle>
#include <exception>

void DeleteTmpFiles()
{
    QDir dir(ProgramFolder::path());
    const QStringList files
        = dir.entryList({ QStringLiteral("*.tmp") }, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &f : files)
        QFile::remove(dir.filePath(f));
}

// ---------------------------------------------------------------------------------------------

namespace {

QString &programLockPathSetting()
{
    static QString p;
    return p;
}

// The password box shows "*" for each character.
class StarPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
        QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// A handler that traps nothing still leaves the program running: the error is shown.
template <class F> void guarded(F &&f)
{
    try {
        f();
    } catch (const DbError &e) {
        MsgBox(e.text(), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle);
    } catch (const std::exception &e) {
        MsgBox(QString::fromLocal8Bit(e.what()), MsgButtons::Ok, MsgIcon::Warning, Msg::ErrorTitle);
    }
}

} // namespace

InstanceLock::InstanceLock(const QString &path)
    : m_path(path)
{ }

InstanceLock::~InstanceLock() = default;

bool InstanceLock::tryLock()
{
    if (isLocked())
        return true;
    m_lock = std::make_unique<QLockFile>(m_path);
    // Only a living holder counts; a lock left by a crashed copy is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    const bool held = m_lock->error() == QLockFile::LockFailedError;
    m_lock.reset();
    // A folder the lock cannot be made in is no second copy: the database open that follows
    // says what is wrong with it.
    return !held;
}

void InstanceLock::unlock()
{
    m_lock.reset();
}

bool InstanceLock::isLocked() const
{
    return m_lock && m_lock->isLocked();
}

QString InstanceLock::programLockPath()
{
    if (!programLockPathSetting().isEmpty())
        return programLockPathSetting();
    return ProgramFolder::file(QStringLiteral("data/Ksmdata.lock"));
}

void InstanceLock::setProgramLockPath(const QString &path)
{
    if (path == programLockPathSetting())
        return;
    program().unlock();
    programLockPathSetting() = path;
}

InstanceLock &InstanceLock::program()
{
    static InstanceLock lock(QString {});
    if (lock.m_path != programLockPath()) {
        lock.unlock();
        lock.m_path = programLockPath();
    }
    return lock;
}

// ---------------------------------------------------------------------------------------------

SignInWindow::SignInWindow()
{
    setObjectName(QStringLiteral("SignInWindow"));
    setWindowTitle(Msg::ProgramTitle);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 60, 140));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(24, 18, 24, 18);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);

    lblTitle = new QLabel(QStringLiteral("Vantrel POS : Login.."), this);
    QFont big = font();
    big.setPointSizeF(16);
    big.setBold(true);
    lblTitle->setFont(big);
    grid->addWidget(lblTitle, 0, 0, 1, 3);

    auto *instruction = new QLabel(QStringLiteral("กรุณาระบุชื่อผู้ใช้ และ รหัสผ่าน เพื่อเข้าใช้โปรแกรม"), this);
    grid->addWidget(instruction, 1, 0, 1, 3);

    QFont boxFont = font();
    boxFont.setPointSizeF(11);
    boxFont.setBold(true);

    auto *lblUser = new QLabel(QStringLiteral("ชื่อผู้ใช้"), this);
    lblUser->setFont(boxFont);
    txtUserID = new QLineEdit(this);
    txtUserID->setObjectName(QStringLiteral("txtUserID"));
    txtUserID->setFont(boxFont);
    grid->addWidget(lblUser, 2, 0);
    grid->addWidget(txtUserID, 2, 1, 1, 2);

    auto *lblPass = new QLabel(QStringLiteral("รหัสผ่าน"), this);
    lblPass->setFont(boxFont);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setFont(boxFont);
    txtPassword->setEchoMode(QLineEdit::Password);
    auto *stars = new StarPasswordStyle;
    stars->setParent(txtPassword);
    txtPassword->setStyle(stars);
    grid->addWidget(lblPass, 3, 0);
    grid->addWidget(txtPassword, 3, 1, 1, 2);

    kasmoButton1
        = KasmoButton::fromBag(this, ButtonPresets::signInButton(QStringLiteral("เ&ข้าสู่ระบบ")));
    kasmoButton1->setObjectName(QStringLiteral("kasmoButton1"));
    kasmoButton1->setFixedSize(130, 36);
    kasmoButton2
        = KasmoButton::fromBag(this, ButtonPresets::signInButton(QStringLiteral("&ปิดโปรแกรม")));
    kasmoButton2->setObjectName(QStringLiteral("kasmoButton2"));
    kasmoButton2->setFixedSize(130, 36);
    grid->addWidget(kasmoButton1, 4, 1, Qt::AlignRight);
    grid->addWidget(kasmoButton2, 4, 2, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    Accessibility::nameFromCaption(txtUserID, lblUser->text());
    Accessibility::nameFromCaption(txtPassword, lblPass->text());
    setTabOrder(txtUserID, txtPassword);
    setTabOrder(txtPassword, kasmoButton1);
    setTabOrder(kasmoButton1, kasmoButton2);

    connect(kasmoButton1, &KasmoButton::Click, this, [this] { kasmoButton1_Click(); });
    connect(kasmoButton2, &KasmoButton::Click, this, [this] { kasmoButton2_Click(); });
    CharacterFilter::install(txtUserID, [this](int &k) { txtUserID_KeyPress(k); });
    CharacterFilter::install(txtPassword, [this](int &k) { txtPassword_KeyPress(k); });
    InputBoxes::refuseRightClick(txtUserID);
    InputBoxes::refuseRightClick(txtPassword);
    txtUserID->installEventFilter(this);
    txtPassword->installEventFilter(this);

    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
    txtUserID->setFocus();
}

SignInWindow::~SignInWindow() = default;

SignInWindow *SignInWindow::start()
{
    SignInWindow *w = WindowRegistry::instance<SignInWindow>();
    QPointer<SignInWindow> alive(w);
    w->Form_Load();
    if (!alive || !alive->m_waiting)
        return nullptr;
    alive->show();
    alive->txtUserID->setFocus();
    return alive;
}

void SignInWindow::Form_Load()
{
    WindowPlacement::centre(this);

    if (!InstanceLock::program().tryLock()) {
        MsgBox(Msg::AlreadyRunning, MsgButtons::Ok, MsgIcon::Critical);
        m_leaving = true;
        close();
        endProgram(EndRefused);
        return;
    }

    if (!ShopDatabase::open())
        return;

    bool read = false;
    guarded([&] {
        Recordset rs = ShopDatabase::connection().query(
            QStringLiteral("SELECT * FROM tblNumber WHERE nPK = ?1"),
            { int(CounterRowId::LoginSwitch) });
        if (rs.eof())
            throw DbError(Msg::SignInSwitchMissing);
        SignedInUser::signInOn = quint8(rs.integer("numA"));
        read = true;
    });

    // Without the switch the sign-in is asked for: the safe side.
    if (read && SignedInUser::signInOn == 0) {
        MainFrame::showFrame();
        m_leaving = true;
        close();
        return;
    }
    m_waiting = true;
}

void SignInWindow::kasmoButton1_Click()
{
    guarded([this] {
        const QString uid = txtUserID->text().trimmed();
        if (uid.isEmpty()) {
            txtUserID->setFocus();
            return;
        }
        if (txtPassword->text().trimmed().isEmpty()) {
            txtPassword->setFocus();
            return;
        }
        Recordset rs = ShopDatabase::connection().query(
            QStringLiteral("SELECT * FROM tblUser WHERE UID = ?1"), { uid });
        if (rs.eof()) {
            MsgBox(Msg::UnknownUser, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle);
            txtUserID->setFocus();
            return;
        }
        // The password as typed; the stored hash was made of its lower-case form.
        if (!PasswordHash::verify(txtPassword->text(), rs.text("UPASS"))) {
            MsgBox(Msg::WrongPassword, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle);
            txtPassword->setFocus();
            return;
        }
        SignedInUser::key = int(rs.integer("PK"));
        SignedInUser::name = rs.text("UID");
        SignedInUser::password = rs.text("UPASS");
        SignedInUser::position = rs.text("UTumnang");
        SignedInUser::maySell = rs.boolean("ULv1");
        SignedInUser::mayManageStock = rs.boolean("ULv2");
        SignedInUser::mayViewSummary = rs.boolean("ULv3");
        SignedInUser::mayChangeSettings = rs.boolean("ULv4");
        SignedInUser::mayViewHistory = rs.boolean("ULv5");
        rs.close();

        MsgBox(Msg::welcome(SignedInUser::name, SignedInUser::position), MsgButtons::Ok,
            MsgIcon::Information, Msg::StatusTitle);
        MainFrame::showFrame();
        m_leaving = true;
        close();
    });
}

void SignInWindow::kasmoButton2_Click()
{
    DeleteTmpFiles();
    ShopDatabase::close();
    m_leaving = true;
    close();
    // Nobody signed in: the start was given up.
    endProgram(EndRefused);
}

void SignInWindow::txtUserID_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        focusNextChild();
        return;
    }
    KeyAscii = KeyFilters::codeCharactersOnly(KeyAscii);
}

void SignInWindow::txtPassword_KeyPress(int &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        kasmoButton1_Click();
        return;
    }
    KeyAscii = KeyFilters::codeCharactersOnly(KeyAscii);
}

void SignInWindow::txtUserID_KeyDown(int KeyCode)
{
    if (KeyCode == Qt::Key_Down)
        focusNextChild();
}

void SignInWindow::txtPassword_KeyDown(int KeyCode)
{
    if (KeyCode == Qt::Key_Up)
        focusPreviousChild();
}

void SignInWindow::txtUserID_GotFocus()
{
    InputBoxes::selectAllText(txtUserID);
    InputBoxes::setEnglishKeyboard();
}

void SignInWindow::txtPassword_GotFocus()
{
    InputBoxes::selectAllText(txtPassword);
    InputBoxes::setEnglishKeyboard();
}

bool SignInWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtUserID || watched == txtPassword) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (watched == txtUserID && key == Qt::Key_Down) {
                txtUserID_KeyDown(key);
                return true;
            }
            if (watched == txtPassword && key == Qt::Key_Up) {
                txtPassword_KeyDown(key);
                return true;
            }
        } else if (event->type() == QEvent::FocusIn) {
            // After the box's own focus handling, which may move the selection.
            const bool r = QWidget::eventFilter(watched, event);
            if (watched == txtUserID)
                txtUserID_GotFocus();
            else
                txtPassword_GotFocus();
            return r;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SignInWindow::closeEvent(QCloseEvent *e)
{
    e->accept();
    if (m_leaving)
        return;
    // The title bar's close ends the program as the close button does.
    m_leaving = true;
    DeleteTmpFiles();
    ShopDatabase::close();
    endProgram(EndRefused);
}
