#pragma once
#include <QDialog>

class DataGrid;
class LineGridTarget;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The product search dialog. It finds products by a fragment of their code, name or
// description and adds the chosen one, one unit per double-click, to its opener's grid: the
// sale page prices it by the sale's rules, the stock update window at its cost price. It stays
// open until Esc or its exit button.
class ProductSearchDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ProductSearchDialog(LineGridTarget *target = nullptr);

    // Makes a fresh instance over the opener's grid, runs it modally and unloads it.
    static void showModal(LineGridTarget &target);

    // Window captions after a search.
    static QString foundCaption(int count);
    static const QString NotFoundCaption;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void formatResultGrid();
    void searchBoxKey(int &key);
    void searchProducts();
    void addChosenProduct();

    QFrame *searchPanel = nullptr;
    QLabel *bannerImage = nullptr;
    QLabel *instructionLabel = nullptr;
    QLineEdit *searchBox = nullptr;
    QPushButton *searchButton = nullptr;
    DataGrid *resultGrid = nullptr;
    QPushButton *exitButton = nullptr;

    LineGridTarget *m_target;
};
