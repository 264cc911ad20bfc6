#include "receipt/ReceiptLayout.h"
#include "ReceiptFixture.h"
#include "platform/report/ReportExport.h"
#include "receipt/ReceiptWindow.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class ReceiptReport : public ReceiptFixture
{
protected:
    ReceiptReport()
    {
        // 2,535.00 less 50.00 makes a net of 2,485.00.
        sale.lines = {
            { QStringLiteral(" น้ำดื่ม ตราช้าง"), QStringLiteral("600 มล."), QStringLiteral("2"),
                QStringLiteral("1,250.00") },
            { QStringLiteral(" ขนมปังแผ่น"), QString(), QStringLiteral("1"),
                QStringLiteral("35.00") },
            { QStringLiteral(" ของแถม"), QStringLiteral(" "), QStringLiteral("3"),
                QStringLiteral("0.00") },
        };
        sale.disc = QStringLiteral("50.00");
    }
    // The set-up window's boxes as delivered in row 1.
    ReceiptWindow &layout()
    {
        if (!m_window) {
            m_window = std::make_unique<ReceiptWindow>();
            m_window->load();
        }
        return *m_window;
    }
    const ReportDocument &run(ReceiptSource source)
    {
        m_report = std::make_unique<ReceiptLayout>(layout().receiptSetup(), &sale.stored(), source);
        m_report->initialize();
        return m_report->run();
    }
    ReportElement *el(const char *name) { return m_report->element(QString::fromLatin1(name)); }

    FakeSale sale;
    std::unique_ptr<ReceiptWindow> m_window;
    std::unique_ptr<ReceiptLayout> m_report;
};

TEST_F(ReceiptReport, SampleReceiptOfTheSetUp)
{
    for (bool withPrice : { false, true }) {
        SCOPED_TRACE(withPrice);
        tick(&layout(), "unitPriceCheck")->setChecked(withPrice);
        const QStringList texts = run(ReceiptSource::SetUp).texts();
        const QString quantity = withPrice ? QStringLiteral("99x1") : QStringLiteral("9");
        EXPECT_EQ(texts.count(ReceiptLayout::SampleName), 5);
        EXPECT_EQ(texts.count(quantity), 5);
        EXPECT_EQ(texts.count(QStringLiteral("999,999.00")), 5);
        EXPECT_TRUE(texts.contains(ReceiptLayout::SampleReceipt));
        EXPECT_TRUE(texts.contains(QStringLiteral("รวมเป็นเงิน 999,999.00 บาท")));
        EXPECT_TRUE(texts.contains(QStringLiteral("08/12/2026 23:05:09")));
        EXPECT_FLOAT_EQ(el("quantity")->width, 425.0f);
    }
}

TEST_F(ReceiptReport, SaleReceiptReadsTheSalePage)
{
    sale.cashText = QStringLiteral("2500");
    const ReportDocument &doc = run(ReceiptSource::Sale);
    ASSERT_EQ(doc.pageCount(), 1);
    const QStringList texts = doc.texts();
    const QStringList expected = {
        QStringLiteral("ร้านค้าตัวอย่าง"),
        QStringLiteral("ใบเสร็จรับชำระเงิน / อย่างย่อ"),
        QStringLiteral("ใบเสร็จเลขที่ INV-69120001"),
        QStringLiteral("รายการสินค้า"),
        QStringLiteral("จำนวนเงิน"),
        QStringLiteral("2"),
        QStringLiteral("น้ำดื่ม ตราช้าง 600 มล."),
        QStringLiteral("2,500.00"),
        QStringLiteral("1"),
        QStringLiteral("ขนมปังแผ่น"),
        QStringLiteral("35.00"),
        QStringLiteral("3"),
        QStringLiteral("ของแถม"),
        QStringLiteral("0.00"),
        QStringLiteral("ส่วนลด 50.00 บาท"),
        QStringLiteral("รวมเป็นเงิน 2,485.00 บาท"),
        QStringLiteral("รับเงินมา 2,500.00 บาท"),
        QStringLiteral("เงินทอน 15.00 บาท"),
        QStringLiteral("08/12/2026 23:05:09"),
        QStringLiteral("โปรดเก็บไว้เป็นหลักฐาน ขอบคุณที่ใช้บริการ"),
    };
    EXPECT_EQ(texts, expected);
}

TEST_F(ReceiptReport, UnitPriceBeforeTheQuantity)
{
    tick(&layout(), "unitPriceCheck")->setChecked(true);
    const QStringList texts = run(ReceiptSource::Sale).texts();
    EXPECT_TRUE(texts.contains(QStringLiteral("1,250x2")));
    EXPECT_TRUE(texts.contains(QStringLiteral("35x1")));
    EXPECT_TRUE(texts.contains(QStringLiteral("x3"))); // "#,##" shows nothing for 0
    EXPECT_FLOAT_EQ(el("quantity")->width, 850.0f);
}

TEST_F(ReceiptReport, CashLine)
{
    const std::pair<const char *, const char *> cases[] = {
        { "", "รับเงินมา 0.00 บาท" },
        { "   ", "รับเงินมา 0.00 บาท" },
        { "1000", "รับเงินมา 1,000.00 บาท" },
        { "99.995", "รับเงินมา 100.00 บาท" },
    };
    for (const auto &[typed, line] : cases)
        EXPECT_EQ(ReceiptLayout::cashText(QString::fromUtf8(typed)), QString::fromUtf8(line))
            << typed;
}

TEST_F(ReceiptReport, PlacesTheElementsByThePrintableWidth)
{
    run(ReceiptSource::Sale);
    const ReportPageSettings &p = m_report->PageSettings;
    EXPECT_EQ(p.paperSize, ReportPageSettings::Custom);
    EXPECT_EQ(p.orientation, ReportPageSettings::Portrait);
    EXPECT_NEAR(p.paperWidth, 3968.504f, 0.001f);
    EXPECT_NEAR(p.leftMargin, 170.079f, 0.001f);
    EXPECT_NEAR(p.rightMargin, 170.079f, 0.001f);
    EXPECT_NEAR(p.topMargin, 170.079f, 0.001f);
    EXPECT_NEAR(p.bottomMargin, 56.693f, 0.001f);
    EXPECT_FLOAT_EQ(p.gutter, 0.0f);
    constexpr float W = 3628.346f;
    for (const char *name : { "headerLine1", "headerLine2", "receiptNumber", "total", "discount",
             "cash", "change", "saleTime", "footer" })
        EXPECT_NEAR(el(name)->width, W, 0.001f) << name;
    EXPECT_NEAR(el("amountHeading")->left, 2648.346f, 0.001f);
    EXPECT_NEAR(el("amount")->left, 2648.346f, 0.001f);
    EXPECT_NEAR(el("itemName")->left, 425.0f, 0.001f);
    EXPECT_NEAR(el("itemName")->width, 2211.346f, 0.001f);
    EXPECT_NEAR(el("headerRule")->x2, W, 0.001f);
    EXPECT_NEAR(el("totalsRule")->x2, W, 0.001f);
    EXPECT_FLOAT_EQ(el("headerRule")->y1, 950.0f);
}

TEST_F(ReceiptReport, FontsFollowTheBoxes)
{
    ReceiptWindow &b = layout();
    tick(&b, "headerLine1BoldCheck")->setChecked(false);
    tick(&b, "headerLine2BoldCheck")->setChecked(true);
    lineBox(&b, "headerLine1SizeBox")->setText(QStringLiteral("18"));
    lineBox(&b, "headerLine2SizeBox")->setText(QStringLiteral("16"));
    lineBox(&b, "itemSizeBox")->setText(QStringLiteral("11"));
    lineBox(&b, "totalsSizeBox")->setText(QStringLiteral("15"));
    lineBox(&b, "footerSizeBox")->setText(QStringLiteral("12"));
    run(ReceiptSource::Sale);
    EXPECT_FALSE(el("headerLine1")->font.bold);
    EXPECT_EQ(el("headerLine1")->font.size, 18);
    for (const char *name : { "headerLine2", "receiptNumber" }) {
        EXPECT_TRUE(el(name)->font.bold) << name;
        EXPECT_EQ(el(name)->font.size, 16) << name;
    }
    for (const char *name : { "itemsHeading", "amountHeading", "quantity", "itemName", "amount" })
        EXPECT_EQ(el(name)->font.size, 11) << name;
    for (const char *name : { "total", "discount", "cash", "change" }) {
        EXPECT_EQ(el(name)->font.size, 15) << name;
        EXPECT_TRUE(el(name)->font.bold) << name;
    }
    EXPECT_EQ(el("saleTime")->font.size, 13);
    EXPECT_EQ(el("footer")->font.size, 12);
    EXPECT_EQ(el("footer")->font.family, QStringLiteral("Browallia New"));
}

TEST_F(ReceiptReport, BoxesThatAreNoNumberKeepTheDesign)
{
    ReceiptWindow &b = layout();
    lineBox(&b, "paperWidthBox")->setText(QStringLiteral("7,0"));
    lineBox(&b, "leftMarginBox")->setText(QStringLiteral("abc"));
    lineBox(&b, "itemSizeBox")->setText(QStringLiteral("x"));
    run(ReceiptSource::Sale);
    EXPECT_FLOAT_EQ(m_report->PageSettings.paperWidth, 12240.0f);
    EXPECT_FLOAT_EQ(m_report->PageSettings.leftMargin, 1440.0f);
    EXPECT_EQ(el("itemName")->font.size, 13);
}

TEST_F(ReceiptReport, AWideLeftMarginTakesAGutter)
{
    lineBox(&layout(), "leftMarginBox")->setText(QStringLiteral("4.0"));
    run(ReceiptSource::Sale);
    EXPECT_NEAR(m_report->PageSettings.gutter, 822.857f, 0.001f);
    EXPECT_NEAR(m_report->PageSettings.leftMargin, 2267.717f, 0.001f);
    EXPECT_NEAR(el("headerLine1")->width, 3968.504f - 2267.717f - 170.079f - 822.857f, 0.002f);
}

TEST_F(ReceiptReport, AMultiLineFooterPrintsEveryLine)
{
    textArea(&layout(), "footerBox")
        ->setPlainText(QStringLiteral(" สินค้าซื้อแล้วไม่รับคืน\nขอบคุณที่ใช้บริการ "));
    const ReportDocument &doc = run(ReceiptSource::Sale);
    const DrawOp *footer = nullptr;
    for (const DrawOp &op : doc.pages.last().ops)
        if (op.kind == DrawOp::Text && op.text.startsWith(QStringLiteral("สินค้า")))
            footer = &op;
    ASSERT_NE(footer, nullptr);
    ASSERT_EQ(footer->lines.size(), 2);
    EXPECT_EQ(footer->lines[1].text, QStringLiteral("ขอบคุณที่ใช้บริการ"));

    // An empty first line stays: only blanks are taken off the ends.
    textArea(&layout(), "footerBox")->setPlainText(QStringLiteral("  \nขอบคุณที่ใช้บริการ "));
    run(ReceiptSource::Sale);
    EXPECT_EQ(el("footer")->text, QStringLiteral("\nขอบคุณที่ใช้บริการ"));
}

TEST_F(ReceiptReport, EveryTextStaysOnThePaper)
{
    // A long name on 58 mm paper wraps inside its column instead of running off the roll.
    lineBox(&layout(), "paperWidthBox")->setText(QStringLiteral("5.0"));
    sale.lines[0].name = QStringLiteral(" น้ำดื่มบรรจุขวดตราช้างขนาดใหญ่พิเศษสำหรับครอบครัว");
    const ReportDocument &doc = run(ReceiptSource::Sale);
    const double right = doc.paperSize.width();
    for (const ReportPage &page : doc.pages)
        for (const DrawOp &op : page.ops)
            for (const TextLine &l : op.lines) {
                const double w = QFontMetricsF(op.font.toQFont()).horizontalAdvance(l.text);
                EXPECT_GE(l.origin.x(), -0.5) << l.text.toStdString();
                EXPECT_LE(l.origin.x() + w, right + 0.5) << l.text.toStdString();
            }
}

TEST_F(ReceiptReport, ExportsAnEightyMillimetrePdf)
{
    sale.cashText = QStringLiteral("2500"); // the change of 15.00
    const ReportDocument &doc = run(ReceiptSource::Sale);
    QTemporaryDir dir;
    const QString pdf = qEnvironmentVariable("KASMO_RECEIPT_PDF", dir.filePath("receipt.pdf"));
    ASSERT_TRUE(exportPdf(doc, pdf));
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), { pdf });
    ASSERT_TRUE(info.waitForFinished(20000));
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))))
        << out.toStdString();
    // 7.0 x 20.0 cm in points.
    const auto size
        = QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(out);
    ASSERT_TRUE(size.hasMatch()) << out.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 198.425, 0.6);
    EXPECT_NEAR(size.captured(2).toDouble(), 566.929, 0.6);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString body = QString::fromUtf8(text.readAllStandardOutput());
    for (const char *digits : { "INV-69120001", "2,500.00", "2,485.00", "15.00", "23:05:09" })
        EXPECT_TRUE(body.contains(QString::fromLatin1(digits))) << digits;
}

} // namespace
