#pragma once
#include <QDialog>

class QPushButton;
class kasmoButton;

// The settings window, as far as the frame needs it: a modal dialog that opens the receipt
// set-up and the label window, and whose close makes the open sale page read its switches again.
// The full window replaces it.
class Setting : public QDialog
{
    Q_OBJECT
public:
    Setting();

    // Shows the window modally; the caller waits until it closes.
    static void showModal();

    void Form_Unload();
    void kasmoButton4_Click(); // receipt set-up
    void kasmoButton5_Click(); // label window

    kasmoButton *kasmoButton4 = nullptr;
    kasmoButton *kasmoButton5 = nullptr;
    QPushButton *cmdClose = nullptr;
};
