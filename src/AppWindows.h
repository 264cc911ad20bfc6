#pragma once
// The one place where the main frame learns the windows of the other folders. The program's
// start-up and the window tests call registerAppWindows() before the sign-in window loads.
#include "labels/LabelWindow.h"
#include "platform/ui/WindowRegistry.h"
#include "receipt/SaleReceipt.h"
#include "reports/SummaryPage.h"
#include "sale/SalePage.h"
#include "settings/SettingsWindow.h"
#include "shell/MainFrame.h"
#include "stock/StockPage.h"

inline void registerAppWindows()
{
    MainFrame::Windows w;
    w.salePage = [] { return WindowRegistry::instance<SalePage>(); };
    w.stockPage = [] { return WindowRegistry::instance<StockPage>(); };
    w.summaryPage = [] { return WindowRegistry::instance<SummaryPage>(); };
    w.showSettings = [] { SettingsWindow::showModal(); };
    w.showLabels = [] { LabelWindow::showModal(); };
    w.showLowStock = [] {
        if (StockPage *page = WindowRegistry::find<StockPage>())
            page->showLowStock();
    };
    w.rereadSaleSettings = [] {
        if (SalePage *page = WindowRegistry::find<SalePage>())
            page->readSwitches();
    };
    MainFrame::setWindows(w);
    registerReceiptWindows();
}
