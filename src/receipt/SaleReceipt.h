#pragma once
#include "receipt/ReceiptSale.h"

class Form3;
class QWidget;

// The sale page's controls as the receipt reads them, at the moment it reads them.
class Form3Sale : public ReceiptSale
{
public:
    explicit Form3Sale(const Form3 &page)
        : m_page(page)
    { }
    int rowCount() const override;
    QString cell(int row, int col) const override;
    QString receiptNo() const override;
    QString netTotal() const override;
    QString discount() const override;
    QString change() const override;
    QString cash() const override;

private:
    const Form3 &m_page;
};

// Prints the receipt of the sale on the page (PrintSource::Sale): at once on the default
// printer when the layout says so, else through the receipt window's preview, shown modally.
// The sale page calls it after the sale is stored and before it empties itself.
void printSaleReceipt(Form3 &page);

// The receipt set-up (PrintSource::ReceiptSetup), as the settings window opens it.
void openReceiptSetUp(QWidget *parent = nullptr);

// Hands printSaleReceipt to the sale page; the page's other windows stay as they were set.
void registerReceiptWindows();
