#pragma once
#include "sale/LineGridTarget.h"
#include <QDialog>

class DataGrid;
class QLabel;
class QLineEdit;
class QPushButton;

// The stock update window as far as the product search and quantity dialogs need it: the
// grid of received lines, its total and the two buttons that open those dialogs. The stock
// update proper (document number, remark, saving) replaces it.
class FUpdate : public QDialog, public LineGridTarget
{
    Q_OBJECT
public:
    FUpdate();

    // Makes a fresh instance, runs it modally and unloads it.
    static void showModal();

    QLineEdit *txtSearchProduct = nullptr;
    QPushButton *cmdSearch = nullptr;
    // Received lines: 0 PK (hidden), 1 code, 2 " " & name, 3 description, 4 quantity, 5 unit,
    // 6 cost price, 7 amount. Row 1 is the top line.
    DataGrid *fpSpread1 = nullptr;
    QLabel *Label6 = nullptr; // total

    void Form_Load();
    void SetupSpread();
    // The window's total of column 7.
    void CalTotalAmount();
    // Column 7 of row EditRow = column 6 x column 4.
    void CalTotalAmount2();
    void cmdSearch_Click();
    void fpSpread1_DblClick();

    // What the search and quantity dialogs do to the received lines (LineGridTarget).
    QString lineName(int row) const override;
    QString lineDescription(int row) const override;
    void addLine(const SaleProduct &product) override; // valued at its cost price
    void setQuantity(int row, qint64 quantity) override;
};
