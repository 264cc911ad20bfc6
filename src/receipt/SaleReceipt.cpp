#include "receipt/SaleReceipt.h"
#include "receipt/ReceiptWindow.h"
#include "records/Codes.h"
#include "sale/SalePage.h"
#include "sale/SaleStore.h"
#include "shell/Module1.h"

void printSaleReceipt(QWidget *parent, const StoredSale &sale)
{
    Module1::PrintSource = PrintSource::Sale;
    ReceiptWindow::openWindow(parent, &sale);
}

void openReceiptSetUp(QWidget *parent)
{
    Module1::PrintSource = PrintSource::ReceiptSetup;
    ReceiptWindow::openWindow(parent);
}

void registerReceiptWindows()
{
    SalePage::Windows w = SalePage::windows();
    w.printReceipt
        = [](QWidget *parent, const StoredSale &sale) { printSaleReceipt(parent, sale); };
    SalePage::setWindows(w);
}
