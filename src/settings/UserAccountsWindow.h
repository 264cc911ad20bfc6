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

    void Form_Load();
    void Form_Unload();
    void LoadUser();
    void SetupSpread();
    void SetupNewData(); // takes the new user's key and stores the row
    void fpSpread1_Click();
    void kasmoButton1_Click(); // create mode
    void kasmoButton5_Click(); // store the new user
    void kasmoButton6_Click(); // leave create mode
    void kasmoButton2_Click(); // edit mode
    void kasmoButton4_Click(); // store the changes
    void kasmoButton3_Click(); // delete the picked user
    void txtUserID_KeyPress(int &KeyAscii);
    void txtPassword_KeyPress(int &KeyAscii);
    void txtUserID_GotFocus();
    void txtPassword_GotFocus();

    int SelectedUserPK = 0; // the user last copied from the grid into the boxes
    int NewUserPK = 0; // the key of the user stored last by create

    QLabel *lblSidebar = nullptr;
    QLabel *Label4 = nullptr;
    QCheckBox *Check1 = nullptr; // sign-in switch
    QLineEdit *txtUserID = nullptr;
    QLineEdit *txtPassword = nullptr;
    QLineEdit *Text1 = nullptr; // position
    QCheckBox *Check2 = nullptr; // selling
    QCheckBox *Check3 = nullptr; // stock
    QCheckBox *Check4 = nullptr; // summary
    QCheckBox *Check5 = nullptr; // settings
    QCheckBox *Check6 = nullptr; // history
    KasmoButton *kasmoButton1 = nullptr; // create
    KasmoButton *kasmoButton5 = nullptr; // confirm create
    KasmoButton *kasmoButton6 = nullptr; // cancel create
    KasmoButton *kasmoButton2 = nullptr; // edit
    KasmoButton *kasmoButton4 = nullptr; // confirm edit
    KasmoButton *kasmoButton3 = nullptr; // delete
    DataGrid *fpSpread1 = nullptr;

    // Texts of the grid's right cells.
    static const QString Allowed; // "เปิดได้"
    static const QString Refused; // "เปิดไม่ได้"

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    QList<QCheckBox *> rightBoxes() const;
    void setBoxesEnabled(bool name, bool passwordAndPosition, bool rights);
    void emptyBoxes(); // and no row selected
    void selectShownUser(); // the row of SelectedUserPK while the boxes show a user
    void currentRowMoved(int row);
    UserAccount userInBoxes(int pk) const;

    QList<UserAccount> m_users; // the grid's rows, row 1 first
    bool m_loading = false;
};
