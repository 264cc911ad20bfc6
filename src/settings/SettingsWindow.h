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
    void load();
    void letSalePageRereadSwitches();

    void compactDatabase();
    void backUpDatabase();
    void zeroNegativeStock();
    void clearSales();
    void clearHistory();
    void deleteAllData(); // then the program ends

    void switchDrawer();
    void findDrawerPorts();
    void testDrawer();
    void saveDrawerSetting();

    void fillList(ListSide &side);
    void showPickedEntry(ListSide &side);
    void renameFromBox(ListSide &side);
    void renameEntry(ListSide &side);
    void deleteEntry(ListSide &side);
    // Two confirmations for a delete, one for the stock adjustment; true when all said OK.
    bool confirmed(const QStringList &questions, const QString &title);
    int chosenPort() const; // the number in "COMn"; 0 with no entry chosen

    QLabel *headerBar = nullptr;
    QLabel *headerLabel = nullptr;
    KasmoButton *receiptSetUpButton = nullptr;
    KasmoButton *labelsButton = nullptr;
    KasmoButton *userAccountsButton = nullptr;
    QLabel *databaseBar = nullptr;
    QLabel *databaseLabel = nullptr;
    QLabel *drawerLabel = nullptr;
    QCheckBox *drawerCheck = nullptr;
    QComboBox *drawerPortList = nullptr;
    QPushButton *testDrawerButton = nullptr;
    QPushButton *saveDrawerButton = nullptr;
    KasmoButton *compactButton = nullptr;
    KasmoButton *backupButton = nullptr;
    KasmoButton *zeroNegativeStockButton = nullptr;
    KasmoButton *clearSalesButton = nullptr;
    KasmoButton *clearHistoryButton = nullptr;
    KasmoButton *deleteAllButton = nullptr;
    QTreeWidget *unitList = nullptr;
    QTreeWidget *groupList = nullptr;
    QTreeWidget *placeList = nullptr;
    QLineEdit *unitBox = nullptr;
    QLineEdit *groupBox = nullptr;
    QLineEdit *placeBox = nullptr;
    QPushButton *renameUnitButton = nullptr;
    QPushButton *renameGroupButton = nullptr;
    QPushButton *renamePlaceButton = nullptr;
    QPushButton *deleteUnitButton = nullptr;
    QPushButton *deleteGroupButton = nullptr;
    QPushButton *deletePlaceButton = nullptr;

    ListSide m_units, m_groups, m_places;
};
