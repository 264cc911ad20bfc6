#pragma once

class QWidget;
struct StoredSale;

// Prints the receipt of a stored sale: at once on the default printer when
// the layout says so, else through the receipt window's preview, shown modally.
void printSaleReceipt(QWidget *parent, const StoredSale &sale);

// The receipt set-up, as the settings window opens it.
void openReceiptSetUp(QWidget *parent = nullptr);

// Hands printSaleReceipt to the sale page; the page's other windows stay as they were set.
void registerReceiptWindows();
