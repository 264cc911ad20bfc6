#include "receipt/SaleReceipt.h"
#include "platform/grid/DataGrid.h"
#include "receipt/Fprint2.h"
#include "records/Codes.h"
#include "sale/Form3.h"
#include "shell/Module1.h"

#include <QLabel>
#include <QLineEdit>

int Form3Sale::rowCount() const
{
    return m_page.fpSpread1->maxRows();
}

QString Form3Sale::cell(int row, int col) const
{
    // As the grid shows it: money cells hold plain numbers and show "#,##0.00".
    return m_page.fpSpread1->displayText(col, row);
}

QString Form3Sale::receiptNo() const
{
    return m_page.text3->text();
}

QString Form3Sale::netTotal() const
{
    return m_page.Label16->text();
}

QString Form3Sale::discount() const
{
    return m_page.Text8->text();
}

QString Form3Sale::change() const
{
    return m_page.Label3->text();
}

QString Form3Sale::cash() const
{
    return m_page.Text1->text();
}

void printSaleReceipt(Form3 &page)
{
    Module1::PrintSource = PrintSource::Sale;
    const Form3Sale sale(page);
    Fprint2::openWindow(&page, &sale);
}

void openReceiptSetUp(QWidget *parent)
{
    Module1::PrintSource = PrintSource::ReceiptSetup;
    Fprint2::openWindow(parent);
}

void registerReceiptWindows()
{
    Form3::Windows w = Form3::windows();
    w.printReceipt = [](Form3 &page) { printSaleReceipt(page); };
    Form3::setWindows(w);
}
