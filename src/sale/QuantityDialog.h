#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The layout the quantity dialog and the return dialog share: a save button on the left, a
// strip, the line's label and a large quantity box. Enter in the box runs Command1_Click; Esc
// and a default button mean nothing.
class QuantityDialog : public QDialog
{
    Q_OBJECT
public:
    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;

    // Enter saves; digits only, at most four typed.
    void Text1_KeyPress(int &KeyAscii);
    virtual void Command1_Click() = 0;

    // The label over the box: before, the line's name and description (trimmed), after.
    static QString lineLabel(const QString &before, const QString &name, const QString &description,
        const QString &after);

protected:
    // The line's quantity, selected. A longer quantity handed in shows (and is put back) in
    // full: the box would cut it to its length, so typing is held in Text1_KeyPress instead.
    void showQuantity(qint64 qty);
    QuantityDialog(const QString &name, const QString &title, const QPixmap &banner);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;
};
