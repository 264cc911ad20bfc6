#include "receipt/SaleReceipt.h"
#include "ReceiptFixture.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/DialogRunner.h"
#include "receipt/ReceiptLayout.h"
#include "receipt/ReceiptWindow.h"
#include "sale/PageFixture.h"
#include "sale/SaleStore.h"

#include <QAction>
#include <QCheckBox>

namespace {

std::string joined(const QStringList &texts)
{
    return texts.join(QLatin1Char('|')).toStdString();
}

// F12 on the sale page: the sale is stored, then its receipt prints.
class SaleReceiptPrint : public SalePageTest
{
protected:
    void SetUp() override
    {
        SalePageTest::SetUp();
        m_windows = SalePage::windows();
        registerReceiptWindows();
    }
    void TearDown() override
    {
        SalePage::setWindows(m_windows);
        SalePageTest::TearDown();
    }
    void printAtOnce(bool on)
    {
        folder.db().execute(
            QStringLiteral("UPDATE tblSetPrint SET pauto = ?1 WHERE PK = 1"), { on ? 1 : 0 });
    }
    // Three lines, a discount of 5 baht, the cash box left empty.
    void threeLineSale()
    {
        open();
        scan(QStringLiteral("AB1"));
        scan(QStringLiteral("CD2"));
        scan(QStringLiteral("A_1"));
        scan(QStringLiteral("A_1"));
        choose(discountKind(page), 1);
        typeInto(discountBox(page), QStringLiteral("5"));
        cashBox(page)->clear();
        ASSERT_EQ(saleGrid(page)->maxRows(), 3);
        net = netLabel(page)->text();
        change = changeLabel(page)->text();
    }
    qint64 storedLines() { return dbInt(QStringLiteral("SELECT count(*) FROM tblLog")); }

    QStringList expectedTexts(const QString &receiptNo) const
    {
        return {
            QStringLiteral("ร้านค้าตัวอย่าง"),
            QStringLiteral("ใบเสร็จรับชำระเงิน / อย่างย่อ"),
            QStringLiteral("ใบเสร็จเลขที่ ") + receiptNo,
            QStringLiteral("รายการสินค้า"),
            QStringLiteral("จำนวนเงิน"),
            // The top grid row, the line entered last, first.
            QStringLiteral("2"),
            QStringLiteral("ปากกา des A_1"),
            QStringLiteral("40.00"),
            QStringLiteral("1"),
            QStringLiteral("น้ำดื่ม des CD2"),
            QStringLiteral("35.50"),
            QStringLiteral("1"),
            QStringLiteral("สบู่เหลว des AB1"),
            QStringLiteral("120.00"),
            QStringLiteral("ส่วนลด 5.00 บาท"),
            QStringLiteral("รวมเป็นเงิน ") + net + QStringLiteral(" บาท"),
            QStringLiteral("รับเงินมา 0.00 บาท"),
            QStringLiteral("เงินทอน ") + change + QStringLiteral(" บาท"),
            QStringLiteral("14/05/2020 10:30:00"),
            QStringLiteral("โปรดเก็บไว้เป็นหลักฐาน ขอบคุณที่ใช้บริการ"),
        };
    }

    RecordingPrintSink sink;
    ScriptedDialogs dialogs;
    QString net, change;
    SalePage::Windows m_windows;
};

TEST_F(SaleReceiptPrint, AStoredSaleRendersWithoutAnyPage)
{
    // The three-line sale built by the sale's rules alone, as the page would have stored it.
    StoredSale stored;
    for (const char *code : { "AB1", "CD2", "A_1", "A_1" })
        addProduct(stored.sale, *findProductByCode(folder.db(), QString::fromLatin1(code)));
    stored.sale.discountFigure = Currency::fromWhole(5);
    stored.receiptNo = QStringLiteral("INV-630500001");
    stored.time = Clock::now();
    net = QStringLiteral("190.50");
    change = QStringLiteral("0.00");
    ASSERT_EQ(page, nullptr);

    ReceiptWindow setUp;
    setUp.load();
    ReceiptLayout receipt(setUp.receiptSetup(), &stored, ReceiptSource::Sale);
    receipt.initialize();
    EXPECT_EQ(joined(receipt.run().texts()), joined(expectedTexts(stored.receiptNo)));
}

TEST_F(SaleReceiptPrint, PrintAtOnceGoesStraightToThePrinter)
{
    printAtOnce(true);
    threeLineSale();
    press(Qt::Key_F12);
    const QString no = QStringLiteral("INV-630500001");

    ASSERT_EQ(sink.jobs.size(), 1);
    EXPECT_FALSE(sink.jobs[0].showDialog);
    EXPECT_EQ(sink.jobs[0].pageCount(), 1);
    EXPECT_EQ(joined(sink.jobs[0].document.texts()), joined(expectedTexts(no)));
    EXPECT_TRUE(dialogs.opened.isEmpty()); // no window shown
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<ReceiptWindow *>(w) && w->isVisible());
    EXPECT_EQ(msgs.count(), 0);

    EXPECT_EQ(storedLines(), 3);
    EXPECT_EQ(dbInt(QStringLiteral("SELECT count(*) FROM tblLog WHERE Lno = ?1"), { no }), 3);
    EXPECT_EQ(saleGrid(page)->maxRows(), 0); // emptied after the receipt
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("บันทึกแล้ว"));
}

TEST_F(SaleReceiptPrint, EnterInTheCashBoxPrintsToo)
{
    printAtOnce(true);
    threeLineSale();
    typeInto(cashBox(page), QStringLiteral("1000"));
    QTest::keyClick(cashBox(page), Qt::Key_Return);
    ASSERT_EQ(sink.jobs.size(), 1);
    EXPECT_TRUE(sink.jobs[0].document.texts().contains(QStringLiteral("รับเงินมา 1,000.00 บาท")));
    EXPECT_EQ(storedLines(), 3);
}

TEST_F(SaleReceiptPrint, WithoutPrintAtOnceThePreviewOpensOnTheStoredSale)
{
    printAtOnce(false);
    threeLineSale();
    qint64 linesWhileOpen = -1;
    QStringList previewTexts;
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<ReceiptWindow *>(d);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->isModal());
        linesWhileOpen = storedLines();
        previewTexts = viewer(w, "receiptViewer")->document().texts();
        // The viewer's print tool asks for the printer first.
        viewer(w, "receiptViewer")->printTool()->trigger();
    });
    press(Qt::Key_F12);
    ASSERT_EQ(dialogs.opened.size(), 1);
    EXPECT_EQ(linesWhileOpen, 3);
    EXPECT_EQ(joined(previewTexts), joined(expectedTexts(QStringLiteral("INV-630500001"))));
    ASSERT_EQ(sink.jobs.size(), 1);
    EXPECT_TRUE(sink.jobs[0].showDialog);
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);
}

TEST_F(SaleReceiptPrint, F9PrintsNothing)
{
    printAtOnce(true);
    threeLineSale();
    press(Qt::Key_F9);
    EXPECT_TRUE(sink.jobs.isEmpty());
    EXPECT_TRUE(dialogs.opened.isEmpty());
    EXPECT_EQ(storedLines(), 3);
}

TEST_F(SaleReceiptPrint, AFailedPrintIsToldAndTheSaleStaysStored)
{
    printAtOnce(true);
    threeLineSale();
    QtPrintSink noPrinter;
    noPrinter.defaultPrinter = [] { return QPrinterInfo(); };
    PrintSink::install(&noPrinter);
    press(Qt::Key_F12);
    PrintSink::install(&sink);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_EQ(storedLines(), 3);
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);
}

TEST_F(SaleReceiptPrint, TheSetUpOpensWithTheSamples)
{
    open();
    QStringList texts;
    dialogs.then([&](QDialog *d) { texts = viewer(d, "receiptViewer")->document().texts(); });
    openReceiptSetUp(page);
    EXPECT_TRUE(texts.contains(QStringLiteral("ใบเสร็จเลขที่ INV-888888888")));
}

} // namespace
