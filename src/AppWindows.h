#pragma once
// The one place where the main frame learns the windows of the other folders. The program's
// start-up and the window tests call registerAppWindows() before the sign-in window loads.
#include "labels/FBarcode.h"
#include "platform/ui/WindowRegistry.h"
#include "receipt/SaleReceipt.h"
#include "reports/Form4.h"
#include "sale/Form3.h"
#include "settings/Setting.h"
#include "shell/MDIForm1.h"
#include "stock/Form2.h"

inline void registerAppWindows()
{
    MDIForm1::Windows w;
    w.salePage = [] { return WindowRegistry::instance<Form3>(); };
    w.stockPage = [] { return WindowRegistry::instance<Form2>(); };
    w.summaryPage = [] { return WindowRegistry::instance<Form4>(); };
    w.settings = [] { Setting::showModal(); };
    w.labels = [] { FBarcode::showModal(); };
    w.lowStockView = [] {
        if (Form2 *page = WindowRegistry::find<Form2>())
            page->errorna();
    };
    w.checksetting = [] {
        if (Form3 *page = WindowRegistry::find<Form3>())
            page->checksetting();
    };
    MDIForm1::setWindows(w);
    registerReceiptWindows();
}
