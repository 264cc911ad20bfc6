#pragma once
#include <QDateTime>
#include <QDialog>
#include <QHash>
#include <optional>

class KasmoButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
struct ProductValue;

// The product editor: adds a product or changes the product its opener names.
// The checks, defaults and messages of the save live here; the rows are written by
// ProductStore in one transaction.
class ProductEditor : public QDialog
{
    Q_OBJECT
public:
    explicit ProductEditor(std::optional<int> productKey);
    ~ProductEditor() override;

    // Run the editor modally, empty for a new product or on the product with this key; true
    // exactly when a save succeeded.
    static bool openNew();
    static bool openEdit(int productKey);

    // Window variables.
    int ProductPK = 0;
    bool IsNewItem = false;
    QString PictureFile; // file name in data/pic, empty for none
    QString txtsnTag; // the code as loaded, empty for a new product

    // Boxes, lists and switches.
    QLineEdit *txtsn = nullptr; // code
    QLineEdit *txtname = nullptr;
    QLineEdit *txtdes = nullptr;
    QComboBox *Combo1 = nullptr; // group
    QComboBox *Combo2 = nullptr; // storage place
    QComboBox *Combo3 = nullptr; // unit
    QLineEdit *txt3 = nullptr; // stock
    QLineEdit *txt5 = nullptr; // normal price
    QLineEdit *txt4 = nullptr; // cost
    QLineEdit *txt6 = nullptr; // low-stock limit
    QLineEdit *text4 = nullptr; // special price 1
    QLineEdit *text3 = nullptr; // special price 2
    QLineEdit *Text1 = nullptr; // wholesale from this quantity
    QLineEdit *text2 = nullptr; // wholesale price
    QCheckBox *Check1 = nullptr; // wholesale on
    QCheckBox *Check2 = nullptr; // automatic code
    QCheckBox *Check3 = nullptr; // hidden: the loaded product's code was automatic
    QLabel *Image2 = nullptr; // picture box
    KasmoButton *cupP = nullptr;
    KasmoButton *cdelP = nullptr;
    KasmoButton *Command1 = nullptr; // save
    QGroupBox *Frame1 = nullptr; // "รายละเอียดสินค้า"
    QGroupBox *Frame2 = nullptr; // "ข้อมูลรูปภาพ"
    QLabel *Label16 = nullptr; // the required-fields note

    void Form_Load();
    void Showdata();
    void Check1_Click();
    void Check2_Click();
    void AutoComplete(QComboBox *list, int &KeyAscii);

    void cupP_Click();
    void cdelP_Click();

    void Command1_Click();
    int CheckNewCode();
    void SaveNewData();
    void SaveEditData();

    // The copied picture's name: "i", the time "ddMMyyhhmmss" read as a number plus a draw
    // from 1 to 99, ".jpg".
    static QString pictureName(const QDateTime &now, int draw);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    static bool run(std::optional<int> productKey);
    void buildControls();
    void placeDesign();
    void box_KeyPress(QLineEdit *box, int &KeyAscii);
    void list_KeyPress(QComboBox *list, int &KeyAscii);
    void setBoxText(QLineEdit *box, const QString &text);
    void setBoxColour(QWidget *box, unsigned bgr);
    bool showPicture(const QString &relative);
    void showOwnPlaceholder();
    QString freePictureName(const QDateTime &now) const;
    void refuse(const QString &text, QWidget *focus);
    bool numbersAreValid(const QList<QLineEdit *> &leaveOut = {});
    ProductValue boxesValue() const;
    void focusFirst();

    QHash<QLineEdit *, int> m_limits; // most characters typed into each box
    QHash<QWidget *, QWidget *> m_enterNext; // where Enter moves
    QHash<QWidget *, QString> m_captions; // the caption of each box, for messages
    QList<QWidget *> m_tabOrder;
};
