#pragma once
#include <QString>
#include <QWidget>
#include <memory>

class KasmoButton;
class QLabel;
class QLineEdit;
class QLockFile;

// Deletes every *.tmp file of the program folder (any letter case); the shut-downs call it.
void deleteTempFiles();

// One lock file beside the database: a second copy of the program on this computer finds it
// held, whoever started it.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &path);
    ~InstanceLock();
    // False only when a living copy holds the lock; true when this object holds it afterwards,
    // or when no lock can be made there at all.
    bool tryLock();
    void unlock();
    bool isLocked() const;
    QString path() const { return m_path; }

    // The program's lock: data/Ksmdata.lock in the program folder, beside the database. Tests
    // point it elsewhere; a change of path lets go of the lock held so far.
    static QString programLockPath();
    static void setProgramLockPath(const QString &path);
    static InstanceLock &program();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

// The sign-in window, and the program's start-up in its load.
class SignInWindow : public QWidget
{
    Q_OBJECT
public:
    SignInWindow();
    ~SignInWindow() override;

    // Loads the sign-in window (its load runs the start-up). Returns the window when it waits
    // for a sign-in; nullptr when the frame opened at once or the program ended.
    static SignInWindow *start();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void startUp();
    void signIn();
    void closeProgram();
    void filterUserNameKey(int &key);
    void filterPasswordKey(int &key);
    void prepareForTyping(QLineEdit *box);

    QLabel *titleLabel = nullptr;
    QLineEdit *userNameBox = nullptr;
    QLineEdit *passwordBox = nullptr;
    KasmoButton *signInButton = nullptr;
    KasmoButton *closeProgramButton = nullptr;
    bool m_leaving = false; // closing on the way to the frame or to the end
    bool m_waiting = false; // the load finished with the window waiting for a sign-in
};
