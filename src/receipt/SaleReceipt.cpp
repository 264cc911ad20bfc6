#include "receipt/SaleReceipt.h"
#include "receipt/ReceiptWindow.h"
#include "sale/SalePage.h"
#include "sale/SaleStore.h"

void printSaleReceipt(QWidget *parent, const StoredSale &sale)
{
    ReceiptWindow::open(ReceiptSource::Sale, parent, &sale);
}

void openReceiptSetUp(QWidget *parent)
{
    ReceiptWindow::open(ReceiptSource::SetUp, parent);
}

void registerReceiptWindows()
{
    SalePage::Windows w = SalePage::windows();
    w.printReceipt
        = [](QWidget *parent, const StoredSale &sale) { printSaleReceipt(parent, sale); };
    SalePage::setWindows(w);
}
