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

void deleteTempFiles()
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

    titleLabel = new QLabel(QStringLiteral("Vantrel POS : Login.."), this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    QFont big = font();
    big.setPointSizeF(16);
    big.setBold(true);
    titleLabel->setFont(big);
    grid->addWidget(titleLabel, 0, 0, 1, 3);

    auto *instruction = new QLabel(QStringLiteral("กรุณาระบุชื่อผู้ใช้ และ รหัสผ่าน เพื่อเข้าใช้โปรแกรม"), this);
    grid->addWidget(instruction, 1, 0, 1, 3);

    QFont boxFont = font();
    boxFont.setPointSizeF(11);
    boxFont.setBold(true);

    auto *lblUser = new QLabel(QStringLiteral("ชื่อผู้ใช้"), this);
    lblUser->setFont(boxFont);
    userNameBox = new QLineEdit(this);
    userNameBox->setObjectName(QStringLiteral("userNameBox"));
    userNameBox->setFont(boxFont);
    grid->addWidget(lblUser, 2, 0);
    grid->addWidget(userNameBox, 2, 1, 1, 2);

    auto *lblPass = new QLabel(QStringLiteral("รหัสผ่าน"), this);
    lblPass->setFont(boxFont);
    passwordBox = new QLineEdit(this);
    passwordBox->setObjectName(QStringLiteral("passwordBox"));
    passwordBox->setFont(boxFont);
    passwordBox->setEchoMode(QLineEdit::Password);
    auto *stars = new StarPasswordStyle;
    stars->setParent(passwordBox);
    passwordBox->setStyle(stars);
    grid->addWidget(lblPass, 3, 0);
    grid->addWidget(passwordBox, 3, 1, 1, 2);

    signInButton
        = KasmoButton::fromBag(this, ButtonPresets::signInButton(QStringLiteral("เ&ข้าสู่ระบบ")));
    signInButton->setObjectName(QStringLiteral("signInButton"));
    signInButton->setFixedSize(130, 36);
    closeProgramButton
        = KasmoButton::fromBag(this, ButtonPresets::signInButton(QStringLiteral("&ปิดโปรแกรม")));
    closeProgramButton->setObjectName(QStringLiteral("closeProgramButton"));
    closeProgramButton->setFixedSize(130, 36);
    grid->addWidget(signInButton, 4, 1, Qt::AlignRight);
    grid->addWidget(closeProgramButton, 4, 2, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    Accessibility::nameFromCaption(userNameBox, lblUser->text());
    Accessibility::nameFromCaption(passwordBox, lblPass->text());
    setTabOrder(userNameBox, passwordBox);
    setTabOrder(passwordBox, signInButton);
    setTabOrder(signInButton, closeProgramButton);

    connect(signInButton, &KasmoButton::Click, this, &SignInWindow::signIn);
    connect(closeProgramButton, &KasmoButton::Click, this, &SignInWindow::closeProgram);
    CharacterFilter::install(userNameBox, [this](int &key) { filterUserNameKey(key); });
    CharacterFilter::install(passwordBox, [this](int &key) { filterPasswordKey(key); });
    InputBoxes::refuseRightClick(userNameBox);
    InputBoxes::refuseRightClick(passwordBox);
    userNameBox->installEventFilter(this);
    passwordBox->installEventFilter(this);

    setFixedSize(sizeHint().expandedTo(QSize(460, 0)));
    userNameBox->setFocus();
}

SignInWindow::~SignInWindow() = default;

SignInWindow *SignInWindow::start()
{
    SignInWindow *w = WindowRegistry::instance<SignInWindow>();
    QPointer<SignInWindow> alive(w);
    w->startUp();
    if (!alive || !alive->m_waiting)
        return nullptr;
    alive->show();
    alive->userNameBox->setFocus();
    return alive;
}

void SignInWindow::startUp()
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

void SignInWindow::signIn()
{
    guarded([this] {
        const QString uid = userNameBox->text().trimmed();
        if (uid.isEmpty()) {
            userNameBox->setFocus();
            return;
        }
        if (passwordBox->text().trimmed().isEmpty()) {
            passwordBox->setFocus();
            return;
        }
        Recordset rs = ShopDatabase::connection().query(
            QStringLiteral("SELECT * FROM tblUser WHERE UID = ?1"), { uid });
        if (rs.eof()) {
            MsgBox(Msg::UnknownUser, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle);
            userNameBox->setFocus();
            return;
        }
        // The password as typed; the stored hash was made of its lower-case form.
        if (!PasswordHash::verify(passwordBox->text(), rs.text("UPASS"))) {
            MsgBox(Msg::WrongPassword, MsgButtons::Ok, MsgIcon::Warning, Msg::StatusTitle);
            passwordBox->setFocus();
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

void SignInWindow::closeProgram()
{
    deleteTempFiles();
    ShopDatabase::close();
    m_leaving = true;
    close();
    // Nobody signed in: the start was given up.
    endProgram(EndRefused);
}

void SignInWindow::filterUserNameKey(int &key)
{
    if (key == 13) {
        key = 0;
        focusNextChild();
        return;
    }
    key = KeyFilters::codeCharactersOnly(key);
}

void SignInWindow::filterPasswordKey(int &key)
{
    if (key == 13) {
        key = 0;
        signIn();
        return;
    }
    key = KeyFilters::codeCharactersOnly(key);
}

void SignInWindow::prepareForTyping(QLineEdit *box)
{
    InputBoxes::selectAllText(box);
    InputBoxes::setEnglishKeyboard();
}

bool SignInWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == userNameBox || watched == passwordBox) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (watched == userNameBox && key == Qt::Key_Down) {
                focusNextChild();
                return true;
            }
            if (watched == passwordBox && key == Qt::Key_Up) {
                focusPreviousChild();
                return true;
            }
        } else if (event->type() == QEvent::FocusIn) {
            // After the box's own focus handling, which may move the selection.
            const bool r = QWidget::eventFilter(watched, event);
            prepareForTyping(static_cast<QLineEdit *>(watched));
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
    deleteTempFiles();
    ShopDatabase::close();
    endProgram(EndRefused);
}
