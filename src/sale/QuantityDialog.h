#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The layout the quantity dialog and the return dialog share: a save button on the left, a
// strip, the line's label and a large quantity box. Enter in the box saves; Esc and a default
// button mean nothing.
class QuantityDialog : public QDialog
{
    Q_OBJECT
public:
    // The label over the box: before, the line's name and description (trimmed), after.
    static QString lineLabel(const QString &before, const QString &name, const QString &description,
        const QString &after);

protected:
    QuantityDialog(const QString &name, const QString &title, const QPixmap &banner);
    // The line's quantity, selected. A longer quantity handed in shows (and is put back) in
    // full: the box would cut it to its length, so typing is held in quantityKey instead.
    void showQuantity(qint64 qty);
    virtual void saveQuantity() = 0;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;

    QLabel *bannerImage = nullptr;
    QLabel *lineCaption = nullptr;
    QLineEdit *quantityBox = nullptr;
    QPushButton *saveButton = nullptr;

private:
    // Enter saves; digits only, at most four typed.
    void quantityKey(int &key);
};
