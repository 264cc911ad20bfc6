#pragma once
#include "platform/report/ReportLayout.h"
#include "sale/SaleStore.h"

#include <QString>

// Which receipt the receipt window shows: the set-up's sample lines or the sale being saved.
enum class ReceiptSource { SetUp, Sale };

// The receipt layout as the receipt window's boxes hold it (texts as typed).
struct ReceiptSetup
{
    QString headerLine1, headerLine1Size;
    bool headerLine1Bold = false;
    QString headerLine2, headerLine2Size; // the size is also the receipt number's
    bool headerLine2Bold = false;
    QString paperWidth, paperLength; // cm
    QString topMargin, bottomMargin, leftMargin, rightMargin; // cm
    QString itemSize, totalsSize, footerSize;
    QString footer;
    bool showUnitPrice = false;
};

// The receipt layout. It fetches nothing itself: the page and the fonts come from the set-up,
// the lines and totals from a stored sale (ReceiptSource::Sale) or from the sample sale
// (ReceiptSource::SetUp). Made for one run.
class ReceiptLayout : public ReportLayout
{
public:
    // sale may be null for the set-up preview; it must outlive the run.
    ReceiptLayout(const ReceiptSetup &setup, const StoredSale *sale, ReceiptSource source);

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
    void prepareReport() override;
    void fetchRow(bool &eof) override;
    void formatDetail() override;
    void finishReport() override { }

private:
    void design();
    bool showUnitPrice() const;

    bool printsSale() const { return m_source == ReceiptSource::Sale && m_sale; }

    const ReceiptSetup m_setup;
    const StoredSale *m_sale;
    StoredSale m_sample;
    ReceiptSource m_source;
    int m_sampleRow = 0;
    int m_saleRow = 0;
    // Taken once; a grid past 32767 rows (more than the layout's 16-bit line count holds)
    // prints no lines.
    int m_saleRowCount = 0;
};
