#pragma once
#include <QDialog>

class QPushButton;

// The settings window, as far as the frame needs it: a modal dialog whose close makes the
// open sale page read its switches again. The full window replaces it.
class Setting : public QDialog
{
    Q_OBJECT
public:
    Setting();

    // Shows the window modally; the caller waits until it closes.
    static void showModal();

    void Form_Unload();

    QPushButton *cmdClose = nullptr;
};
