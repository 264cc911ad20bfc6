#pragma once
#include "sale/StockUpdateGrid.h"
#include <QDialog>

class DataGrid;
class QLabel;
class QLineEdit;
class QPushButton;

// The stock update window as far as the product search and quantity dialogs need it: the
// grid of received lines, its total and the two buttons that open those dialogs. The stock
// update proper (document number, remark, saving) replaces it.
class FUpdate : public QDialog, public StockUpdateGrid
{
    Q_OBJECT
public:
    FUpdate();

    // Makes a fresh instance, runs it modally and unloads it.
    static void showModal();

    QLineEdit *txtSearchProduct = nullptr;
    QPushButton *cmdSearch = nullptr;
    DataGrid *fpSpread1 = nullptr; // received lines, see StockUpdateGrid
    QLabel *Label6 = nullptr; // total

    void Form_Load();
    void SetupSpread();
    void CalTotalAmount() override;
    void CalTotalAmount2() override;
    void cmdSearch_Click();
    void fpSpread1_DblClick();

    DataGrid *linesGrid() override { return fpSpread1; }
};
