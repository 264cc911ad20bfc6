#pragma once
#include <QDialog>

class QPushButton;

// The barcode label window, as far as its openers need it; the full window replaces it.
class FBarcode : public QDialog
{
    Q_OBJECT
public:
    FBarcode();

    // Shows the window modally; the caller waits until it closes.
    static void showModal();

    QPushButton *cmdClose = nullptr;
};
