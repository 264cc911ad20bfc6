#pragma once
#include "platform/report/ReportLayout.h"
#include "sale/SaleStore.h"

class ReceiptWindow;

// The receipt layout. It fetches nothing itself: the page and the fonts come from the boxes of
// the set-up window, the lines and totals from a stored sale (PrintSource::Sale) or from the
// sample sale (PrintSource::ReceiptSetup). Made for one run.
class ReceiptLayout : public ReportLayout
{
public:
    // sale may be null for the set-up preview; both must outlive the run.
    ReceiptLayout(const ReceiptWindow *layout, const StoredSale *sale, int printSource);

    // The set-up's sample: five lines of one sample product.
    static StoredSale sampleSale();

    static const QString SampleName; // "ตัวอย่าง น้ำดื่ม ตราช้าง"
    static const QString SampleReceipt; // "ใบเสร็จเลขที่ INV-888888888"

    // Item-line texts, shared with the tests.
    static QString quantityText(
        const QString &unitPrice, const QString &quantity, bool showUnitPrice);
    static QString nameText(const QString &name, const QString &description);
    static QString cashText(const QString &cash);

protected:
    void ActiveReport_Initialize() override;
    void ActiveReport_FetchData(bool &eof) override;
    void Detail_Format() override;
    void ActiveReport_ReportEnd() override { }

private:
    void design();
    bool showUnitPrice() const;

    const ReceiptWindow *m_layout;
    const StoredSale *m_sale;
    StoredSale m_sample;
    int m_source;
    int SampleRow = 0;
    int SaleRow = 0;
    // Taken once; a grid past 32767 rows (more than the layout's 16-bit line count holds)
    // prints no lines.
    int SaleRowCount = 0;
};
