#include "receipt/SaleReceipt.h"
#include "receipt/Fprint2.h"
#include "records/Codes.h"
#include "sale/Form3.h"
#include "sale/SaleStore.h"
#include "shell/Module1.h"

void printSaleReceipt(QWidget *parent, const StoredSale &sale)
{
    Module1::PrintSource = PrintSource::Sale;
    Fprint2::openWindow(parent, &sale);
}

void openReceiptSetUp(QWidget *parent)
{
    Module1::PrintSource = PrintSource::ReceiptSetup;
    Fprint2::openWindow(parent);
}

void registerReceiptWindows()
{
    Form3::Windows w = Form3::windows();
    w.printReceipt
        = [](QWidget *parent, const StoredSale &sale) { printSaleReceipt(parent, sale); };
    Form3::setWindows(w);
}
