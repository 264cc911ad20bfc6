#pragma once
#include "settings/UserAccounts.h"
#include <QDialog>

class DataGrid;
class QCheckBox;
class QLabel;
class QLineEdit;
class KasmoButton;

// The user window ("จัดการระบบล็อคอิน"): lists the users with their five page rights, creates a
// user, changes a user's password, position and rights, deletes any user but user 1, and keeps
// the sign-in switch, which it stores whenever it closes. Changes count from the next start.
//
// Three modes, which are only the states of the controls: view (boxes closed, the grid picks a
// user), create (the boxes open empty, the grid closed) and edit (the password, the position and
// the rights open, the grid still picks the user being edited). The grid's selected row is
// always the user in the boxes, so edit and delete act on the user their confirmation names.
class UserAccountsWindow : public QDialog
{
    Q_OBJECT
public:
    UserAccountsWindow();

    // Loads the window afresh and shows it modally; the caller waits until it closes.
    static void showModal();

    // Texts of the grid's right cells.
    static const QString Allowed; // "เปิดได้"
    static const QString Refused; // "เปิดไม่ได้"

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void load();
    void storeSignInSwitch();
    void setUpGrid();
    void loadUsers();
    void showPickedUser();
    void startCreating();
    void storeNewUser();
    void stopCreating();
    void startEditing();
    void storeChanges();
    void deletePickedUser();

    QList<QCheckBox *> rightBoxes() const;
    void setBoxesEnabled(bool name, bool passwordAndPosition, bool rights);
    void emptyBoxes(); // and no row selected
    void selectShownUser(); // the row of m_selectedUserKey while the boxes show a user
    void currentRowMoved(int row);
    UserAccount userInBoxes(int pk) const;

    QLabel *userCountLabel = nullptr;
    QLabel *noteLabel = nullptr;
    QCheckBox *signInCheck = nullptr;
    QLineEdit *userNameBox = nullptr;
    QLineEdit *passwordBox = nullptr;
    QLineEdit *positionBox = nullptr;
    QCheckBox *sellingCheck = nullptr;
    QCheckBox *stockCheck = nullptr;
    QCheckBox *summaryCheck = nullptr;
    QCheckBox *settingsCheck = nullptr;
    QCheckBox *historyCheck = nullptr;
    KasmoButton *createButton = nullptr;
    KasmoButton *confirmCreateButton = nullptr;
    KasmoButton *cancelCreateButton = nullptr;
    KasmoButton *editButton = nullptr;
    KasmoButton *confirmEditButton = nullptr;
    KasmoButton *deleteButton = nullptr;
    DataGrid *userGrid = nullptr;

    int m_selectedUserKey = 0; // the user last copied from the grid into the boxes
    QList<UserAccount> m_users; // the grid's rows, row 1 first
    bool m_loading = false;
};
