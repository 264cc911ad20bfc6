#pragma once
#include <QWidget>

class kasmoButton;
class QLabel;
class QListWidget;

// The stock page, as far as the frame needs it: it lists the products, keeps the frame's
// low-stock alert and shows the low-stock view on the alert's click. The full page replaces it.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    Form2(); // loads

    // Shows the low-stock view and reloads the list (the frame's alert button).
    void errorna();

    void Form_Load();
    void Form_Resize();
    void Loaddata();
    // Counts the products below their low-stock limit and updates the frame's alert.
    void Minitem();

    int SearchMode = 0; // 3: the low-stock view
    QLabel *Label1 = nullptr;
    QListWidget *lstProducts = nullptr;
    kasmoButton *pageButton5 = nullptr; // movement history

protected:
    void resizeEvent(QResizeEvent *e) override;
};
