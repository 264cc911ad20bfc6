#pragma once
#include <QDialog>

class DataGrid;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The product search dialog. It finds products by a fragment of their code, name or
// description and adds the chosen one, one unit per double-click, to the grid of the page
// behind it: the sale grid (PageName "หน้าร้าน") priced by the sale's rules, or the stock
// update grid ("คลังสินค้า") at its cost price. It stays open until Esc or its exit button.
class Scanitem : public QDialog
{
    Q_OBJECT
public:
    Scanitem();

    // Makes a fresh instance, runs it modally and unloads it.
    static void showModal();

    QFrame *Frame1 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label11 = nullptr;
    QLineEdit *txt1 = nullptr;
    QPushButton *Command1 = nullptr;
    DataGrid *fpSpread1 = nullptr;
    QPushButton *Command2 = nullptr;

    void Form_Load();
    void SetupSpread();
    void txt1_KeyPress(int &KeyAscii);
    void Command1_Click();
    void fpSpread1_DblClick();
    void Form_KeyDown(int KeyCode);
    void Command2_Click();

    // Window captions after a search.
    static QString foundCaption(int count);
    static const QString NotFoundCaption;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void addToSaleGrid(qint64 pk);
    void addToStockGrid(qint64 pk);
};
