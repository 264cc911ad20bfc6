#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The quantity dialog: changes the quantity of line EditRow (quantity EditQty) of the grid
// that PageName names, the sale grid or the stock update grid, re-prices that line and
// recomputes the totals.
class Edit : public QDialog
{
    Q_OBJECT
public:
    Edit();

    // Makes a fresh instance, runs it modally and unloads it.
    static void showModal();

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;

    void Form_Load();
    void Text1_KeyPress(int &KeyAscii);
    void Command1_Click();

    // Label1 for a line's name and description (both trimmed).
    static QString labelText(const QString &name, const QString &description);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;
};
