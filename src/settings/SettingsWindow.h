#pragma once
#include "settings/LookupLists.h"
#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class KasmoButton;

// The settings window ("ตั้งค่าโปรแกรม"): links to the receipt set-up, the label window and the
// user accounts; data maintenance (backup, compact, zero negative stock, clear sales, clear the
// history, delete everything); the cash drawer switch and port; the three lookup lists.
// Closing it over the sale page makes that page read its switches again.
class SettingsWindow : public QDialog
{
    Q_OBJECT
public:
    SettingsWindow();

    // Loads the window afresh and shows it modally; the caller waits until it closes.
    static void showModal();

    // Opens the user accounts window (UserAccountsWindow); tests may put another opener in its
    // place.
    static std::function<void()> openUserAccounts;

    void Form_Load();
    void Form_Unload();

    // Links.
    void kasmoButton4_Click(); // receipt set-up
    void kasmoButton5_Click(); // label window
    void kasmoButton7_Click(); // user accounts

    // Data maintenance.
    void pageButton2_Click(); // compact and check
    void kasmoButton1_Click(); // backup
    void kasmoButton8_Click(); // zero negative stock
    void kasmoButton2_Click(); // clear sales
    void kasmoButton6_Click(); // clear the movement history
    void kasmoButton3_Click(); // delete all data, then the program ends

    // Cash drawer.
    void Check2_Click();
    void ScanCommPort();
    void Command7_Click(); // test
    void Command8_Click(); // save

    // Lookup lists: units (1), groups (2), storage places (3).
    void SetupLv1();
    void SetupLv2();
    void SetupLv3();
    void lv1_Click();
    void lv2_Click();
    void lv3_Click();
    void Command4_Click(); // rename unit
    void Command5_Click(); // rename group
    void Command6_Click(); // rename storage place
    void UpdateLv1();
    void UpdateLv2();
    void UpdateLv3();
    void Command1_Click(); // delete unit
    void Command2_Click(); // delete group
    void Command3_Click(); // delete storage place

    QLabel *imgBarHeader = nullptr;
    QLabel *lblSidebar = nullptr;
    KasmoButton *kasmoButton4 = nullptr;
    KasmoButton *kasmoButton5 = nullptr;
    KasmoButton *kasmoButton7 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QCheckBox *Check2 = nullptr;
    QComboBox *cmbCommPort = nullptr;
    QPushButton *Command7 = nullptr;
    QPushButton *Command8 = nullptr;
    KasmoButton *pageButton2 = nullptr;
    KasmoButton *kasmoButton1 = nullptr;
    KasmoButton *kasmoButton8 = nullptr;
    KasmoButton *kasmoButton2 = nullptr;
    KasmoButton *kasmoButton6 = nullptr;
    KasmoButton *kasmoButton3 = nullptr;
    QTreeWidget *lv1 = nullptr;
    QTreeWidget *lv2 = nullptr;
    QTreeWidget *lv3 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLineEdit *text2 = nullptr;
    QLineEdit *text3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;

private:
    // What differs between the three lists.
    struct ListSide
    {
        const LookupList *data;
        QTreeWidget *view;
        QLineEdit *box;
        QString emptyBox; // "กรุณาเลือก ( ... ) ที่คุณต้องการแก้ไข ..."
        QString confirmRename;
    };
    void buildWindow();
    void fillList(ListSide &side);
    void clickList(ListSide &side);
    void renameButton(ListSide &side);
    void renameEntry(ListSide &side);
    void deleteEntry(ListSide &side);
    // Two confirmations for a delete, one for the stock adjustment; true when all said OK.
    bool confirmed(const QStringList &questions, const QString &title);
    int chosenPort() const; // the number in "COMn"; 0 with no entry chosen

    ListSide m_units, m_groups, m_places;
};
