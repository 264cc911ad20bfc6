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

    bool isNewProduct() const { return m_isNew; }
    // The product shown; a new product has its key once it is saved.
    int productKey() const { return m_productKey; }
    // The picture's file name in data/pic, empty for none.
    QString pictureFile() const { return m_pictureFile; }
    // The code as loaded, empty for a new product.
    QString loadedCode() const { return m_loadedCode; }

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
    void prepareBoxes();
    void showProduct();
    void enableWholesale();
    void toggleAutoCode();
    void takeBoxKey(QLineEdit *box, int &key);
    void takeListKey(QComboBox *list, int &key);
    void completeFromList(QComboBox *list, int &key);
    void setBoxText(QLineEdit *box, const QString &text);
    void setBoxColour(QWidget *box, unsigned bgr);
    bool showPicture(const QString &relative);
    void showOwnPlaceholder();
    QString freePictureName(const QDateTime &now) const;
    void addPicture();
    void removePicture();
    void refuse(const QString &text, QWidget *focus);
    bool numbersAreValid(const QList<QLineEdit *> &leaveOut = {});
    int countOthersWithCode();
    void save();
    void insertProduct();
    void updateProduct();
    ProductValue boxesValue() const;
    void focusFirst();

    int m_productKey = 0;
    bool m_isNew = false;
    QString m_pictureFile;
    QString m_loadedCode;

    QLineEdit *codeBox = nullptr;
    QLineEdit *nameBox = nullptr;
    QLineEdit *descriptionBox = nullptr;
    QComboBox *groupList = nullptr;
    QComboBox *placeList = nullptr;
    QComboBox *unitList = nullptr;
    QLineEdit *stockBox = nullptr;
    QLineEdit *priceBox = nullptr;
    QLineEdit *costBox = nullptr;
    QLineEdit *lowStockLimitBox = nullptr;
    QLineEdit *specialPrice1Box = nullptr;
    QLineEdit *specialPrice2Box = nullptr;
    QLineEdit *wholesaleQuantityBox = nullptr;
    QLineEdit *wholesalePriceBox = nullptr;
    QCheckBox *wholesaleSwitch = nullptr;
    QCheckBox *autoCodeSwitch = nullptr;
    QCheckBox *storedAutoCodeSwitch = nullptr; // hidden: the loaded product's code was automatic
    QLabel *pictureBox = nullptr;
    KasmoButton *addPictureButton = nullptr;
    KasmoButton *removePictureButton = nullptr;
    KasmoButton *saveButton = nullptr;
    QGroupBox *detailsPanel = nullptr; // "รายละเอียดสินค้า"
    QGroupBox *picturePanel = nullptr; // "ข้อมูลรูปภาพ"
    QLabel *requiredNote = nullptr;

    QHash<QLineEdit *, int> m_limits; // most characters typed into each box
    QHash<QWidget *, QWidget *> m_enterNext; // where Enter moves
    QHash<QWidget *, QString> m_captions; // the caption of each box, for messages
    QList<QWidget *> m_tabOrder;
};
