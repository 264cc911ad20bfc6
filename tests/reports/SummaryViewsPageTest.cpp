#include "SalesData.h"
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/grid/GridModel.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/SummaryPage.h"
#include "sale/Returns.h"
#include "shell/MainFrame.h"
#include "stock/StockReportLayout.h"
#include "stock/StockReportSource.h"
#include "stock/StockReportViewer.h"
#include "support/FindControl.h"
#include "support/Screenshots.h"
#include "support/ShellFixture.h"
#include "support/WindowDriving.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

// The summary page's four views, driven as a person does: the period chosen with keys, a view
// button clicked; the grid, the labels and the shared view mode checked afterwards. The shop's
// sales lie in May and June 2020 (the clock stands at 2024-05-15).
class SummaryViewsPage : public ShellFixture
{
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        Connection &d = db();
        // 5 May: three receipts, the first with a discount of 20; 10 May; 1 June.
        addLine(d, { "2020-05-05 09:00:00", "INV-630500001", "A1", " น้ำดื่ม", 15, 2, 10, 20 });
        addLine(d, { "2020-05-05 09:00:00", "INV-630500001", "B2", " โดนัท", 30, 1, 20 });
        addDiscount(d, QStringLiteral("2020-05-05 09:00:00"), QStringLiteral("INV-630500001"), 20);
        addLine(d, { "2020-05-05 10:00:00", "INV-630500002", "A1", " น้ำดื่ม", 15, 4, 10 });
        addLine(d, { "2020-05-05 11:00:00", "INV-630500003", "C3", " กาแฟ", 40, 1, 25 });
        addLine(d, { "2020-05-10 12:00:00", "INV-630500004", "A1", " น้ำดื่ม", 15, 3, 10 });
        addLine(d, { "2020-06-01 12:00:00", "INV-630600001", "C3", " กาแฟ", 40, 2, 25 });
    }

    void TearDown() override
    {
        Connection::setStatementHook({});
        deleteLoadedWindows();
        ShellFixture::TearDown();
    }

    SummaryPage *open()
    {
        SummaryPage *p = WindowRegistry::instance<SummaryPage>();
        p->resize(1200, 700);
        p->show();
        return p;
    }

    // The period as a person sets it: the year typed, the month picked with the arrow keys.
    static void choose(SummaryPage *p, int item, const char *year = "2020")
    {
        control<QLineEdit>(p, "yearBox")->setFocus(Qt::OtherFocusReason);
        control<QLineEdit>(p, "yearBox")->selectAll();
        QTest::keyClicks(control<QLineEdit>(p, "yearBox"), QString::fromLatin1(year));
        control<QComboBox>(p, "monthList")->setFocus(Qt::OtherFocusReason);
        for (int i = 0; i < 14 && control<QComboBox>(p, "monthList")->currentIndex() < item; ++i)
            QTest::keyClick(control<QComboBox>(p, "monthList"), Qt::Key_Down);
        for (int i = 0; i < 14 && control<QComboBox>(p, "monthList")->currentIndex() > item; ++i)
            QTest::keyClick(control<QComboBox>(p, "monthList"), Qt::Key_Up);
        ASSERT_EQ(control<QComboBox>(p, "monthList")->currentIndex(), item);
    }
    static void search(SummaryPage *p, const QString &text)
    {
        control<QLineEdit>(p, "searchBox")->setFocus(Qt::OtherFocusReason);
        control<QLineEdit>(p, "searchBox")->selectAll();
        QTest::keyClick(control<QLineEdit>(p, "searchBox"), Qt::Key_Delete);
        typeText(control<QLineEdit>(p, "searchBox"), text);
    }
    static void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

    // Rows as "# key|discount|total|net" for header rows, "code|quantity|amount" for lines.
    static QStringList rows(const SummaryPage *p)
    {
        QStringList out;
        const DataGrid *g = control<DataGrid>(p, "summaryGrid");
        for (int r = 1; r <= g->maxRows(); ++r) {
            if (g->getText(SummaryPage::ColDay, r).isEmpty())
                out << QStringLiteral("# ")
                        + QStringList { g->getText(1, r), g->getText(2, r), g->getText(3, r),
                              g->getText(4, r) }
                              .join(QLatin1Char('|'));
            else
                out << QStringList { g->getText(1, r), g->getText(6, r), g->getText(7, r) }.join(
                    QLatin1Char('|'));
        }
        return out;
    }
    static QStringList totals(const SummaryPage *p)
    {
        return { control<QLabel>(p, "costFigure")->text(),
            control<QLabel>(p, "discountFigure")->text(), control<QLabel>(p, "salesFigure")->text(),
            control<QLabel>(p, "profitFigure")->text() };
    }
    static QStringList headers(const SummaryPage *p, int last = 4)
    {
        QStringList out;
        for (int c = 1; c <= last; ++c)
            out << control<DataGrid>(p, "summaryGrid")->getText(c, DataGrid::HeaderRow);
        return out;
    }

    const QStringList zeros { "0.00", "0.00", "0.00", "0.00" };
};

TEST_F(SummaryViewsPage, DetailedMonthGroupsTheLinesByReceiptWithThePeriodsTotals)
{
    SummaryPage *p = open();
    choose(p, 4);
    click(control<KasmoButton>(p, "briefButton")); // another view first
    ASSERT_EQ(p->printSource().summaryMode(), SummaryMode::Brief);
    click(control<KasmoButton>(p, "detailedButton"));
    EXPECT_EQ(boxes.count(), 0) << (boxes.count() ? boxes.last().text.toStdString() : "");
    EXPECT_EQ(rows(p),
        (QStringList { "# INV-630500001| ส่วนลด 20.00 บาท| ยอดรวม 60.00 บาท| หักส่วนลดเหลือ 40.00 บาท",
            "B2|1|30.00", "A1|2|30.00", // Thai name order within the receipt: โดนัท, น้ำดื่ม
            "# INV-630500002| ส่วนลด 0.00 บาท| ยอดรวม 60.00 บาท| หักส่วนลดเหลือ 60.00 บาท",
            "A1|4|60.00",
            "# INV-630500003| ส่วนลด 0.00 บาท| ยอดรวม 40.00 บาท| หักส่วนลดเหลือ 40.00 บาท",
            "C3|1|40.00",
            "# INV-630500004| ส่วนลด 0.00 บาท| ยอดรวม 45.00 บาท| หักส่วนลดเหลือ 45.00 บาท",
            "A1|3|45.00" }));
    EXPECT_EQ(
        control<DataGrid>(p, "summaryGrid")->getText(SummaryPage::ColAmount, DataGrid::HeaderRow),
        QStringLiteral("รวมเป็นเงิน"));
    // Cost 20 + 20 + 40 + 25 + 30, sales 205, the month's discount 20.
    EXPECT_EQ(totals(p), (QStringList { "135.00", "20.00", "185.00", "50.00" }));
    EXPECT_EQ(control<QLabel>(p, "titleLabel")->text(),
        QStringLiteral("สินค้าที่ขายได้  เดือน  (05) พฤษภาคม ปี 2020"));
    EXPECT_FALSE(control<TabLabel>(p, "yearChartLink")->isEnabled());
    EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::Detailed);

    // The whole year enables the chart link.
    choose(p, 12);
    click(control<KasmoButton>(p, "detailedButton"));
    EXPECT_EQ(control<QLabel>(p, "titleLabel")->text(), QStringLiteral("สินค้าที่ขายได้  ปี 2020"));
    EXPECT_TRUE(control<TabLabel>(p, "yearChartLink")->isEnabled());
    EXPECT_EQ(control<DataGrid>(p, "summaryGrid")->maxRows(), 11);

    // A search narrows the lines and gives no discount.
    search(p, QStringLiteral("กาแ'ฟ"));
    choose(p, 4);
    click(control<KasmoButton>(p, "detailedButton"));
    EXPECT_EQ(control<QLineEdit>(p, "searchBox")->text(), QStringLiteral("กาแฟ"));
    EXPECT_EQ(rows(p).mid(1), QStringList { "C3|1|40.00" });
    EXPECT_EQ(totals(p), (QStringList { "25.00", "0.00", "40.00", "15.00" }));
}

// The search box opens showing its hint, not holding it: the first view searches nothing.
TEST_F(SummaryViewsPage, AFreshPagesFirstViewIsNoSearch)
{
    SummaryPage *p = open();
    choose(p, 4);
    click(control<KasmoButton>(p, "detailedButton"));
    EXPECT_EQ(boxes.count(), 0) << (boxes.count() ? boxes.last().text.toStdString() : "");
    EXPECT_EQ(control<QLabel>(p, "discountFigure")->text(),
        QStringLiteral("20.00")); // the period's discount: no search
    EXPECT_GT(control<DataGrid>(p, "summaryGrid")->maxRows(), 0);
}

TEST_F(SummaryViewsPage, RefusalsAndNothingFoundKeepTheViewMode)
{
    struct Case
    {
        const char *name;
        const char *button;
        // Something on the page first, in a view other than the button's own.
        const char *shownFirst;
        SummaryMode shownMode;
    } cases[] = {
        { "detailed", "detailedButton", "perDayButton", SummaryMode::Brief },
        { "best sellers", "bestSellersButton", "detailedButton", SummaryMode::Detailed },
        { "one row per receipt", "briefButton", "detailedButton", SummaryMode::Detailed },
        { "per day", "perDayButton", "detailedButton", SummaryMode::Detailed },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SummaryPage *p = open();
        KasmoButton *button = control<KasmoButton>(p, QString::fromLatin1(c.button));
        choose(p, 4);
        click(control<KasmoButton>(p, QString::fromLatin1(c.shownFirst)));
        ASSERT_EQ(p->printSource().summaryMode(), c.shownMode);
        const QStringList before = rows(p);
        const QString title = control<QLabel>(p, "titleLabel")->text();
        boxes.clear();

        // No month chosen.
        control<QComboBox>(p, "monthList")->setCurrentIndex(-1);
        click(button);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(
            boxes.last().text, QStringLiteral("กรุณาเลือก ( เดือน ) ที่คุณต้องการก่อนการประมวลผล..."));
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        EXPECT_EQ(control<QLabel>(p, "titleLabel")->text(), title);
        const bool brief = button == control<KasmoButton>(p, "briefButton");
        EXPECT_EQ(rows(p), brief ? QStringList() : before);
        EXPECT_EQ(totals(p)[0], brief ? QStringLiteral("0.00") : QStringLiteral("135.00"));

        // The whole year with one day: the grid goes, the title stays.
        choose(p, 12);
        click(control<QCheckBox>(p, "dayCheck"));
        boxes.clear();
        click(button);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, QStringLiteral("ไม่สามารถหาข้อมูลได้ (โปรดระบุเดือน) ให้ถูกต้อง.."));
        EXPECT_EQ(control<DataGrid>(p, "summaryGrid")->maxRows(), 0);
        EXPECT_EQ(control<QLabel>(p, "titleLabel")->text(), title);
        click(control<QCheckBox>(p, "dayCheck"));

        // A month without sales: its title, four zeros, the link off.
        choose(p, 6);
        boxes.clear();
        click(button);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text,
            QStringLiteral(
                "ไม่พบ ข้อมูล ที่คุณต้องการค้นหาใน ระบบ โปรดลองอีกครั้ง ( กด F5 เพื่อ รีโหลดข้อมูล ).."));
        EXPECT_TRUE(
            control<QLabel>(p, "titleLabel")->text().contains(QStringLiteral("(07) กรกฎาคม")));
        EXPECT_EQ(control<DataGrid>(p, "summaryGrid")->maxRows(), 0);
        EXPECT_EQ(totals(p), zeros);
        EXPECT_FALSE(control<TabLabel>(p, "yearChartLink")->isEnabled());
        EXPECT_EQ(p->printSource().summaryMode(), c.shownMode);

        // The week (the clock's week holds no sale): its own text, and no month stays chosen.
        click(control<QCheckBox>(p, "weekCheck"));
        boxes.clear();
        click(button);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text,
            QStringLiteral("ไม่พบ ข้อมูลสินค้าที่ขายได้ใน สัปดาห์นี้ ( กด F5 เพื่อ รีโหลดข้อมูล ).."));
        EXPECT_EQ(control<QComboBox>(p, "monthList")->currentIndex(), -1);
        EXPECT_EQ(p->printSource().summaryMode(), c.shownMode);
        delete p;
        boxes.clear();
    }
}

TEST_F(SummaryViewsPage, BestSellersListProductsByQuantityWithoutMoney)
{
    SummaryPage *p = open();
    search(p, QStringLiteral("%"));
    choose(p, 4);
    click(control<KasmoButton>(p, "bestSellersButton"));
    EXPECT_EQ(control<QLineEdit>(p, "searchBox")->text(), QString());
    const auto products = [p] {
        QStringList out;
        for (int r = 1; r <= control<DataGrid>(p, "summaryGrid")->maxRows(); ++r)
            out << QStringList { control<DataGrid>(p, "summaryGrid")->getText(1, r),
                control<DataGrid>(p, "summaryGrid")->getText(6, r),
                control<DataGrid>(p, "summaryGrid")->getText(7, r) }
                       .join(QLatin1Char('|'));
        return out;
    };
    QStringList found = products();
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found.first(), QStringLiteral("A1|9|ชิ้น"));
    found.sort(); // ties come in no set order
    EXPECT_EQ(found, (QStringList { "A1|9|ชิ้น", "B2|1|ชิ้น", "C3|1|ชิ้น" }));
    for (int c : { SummaryPage::ColCost, SummaryPage::ColPrice })
        EXPECT_EQ(control<DataGrid>(p, "summaryGrid")->getText(c, 1), QString());
    EXPECT_EQ(
        control<DataGrid>(p, "summaryGrid")->getText(SummaryPage::ColAmount, DataGrid::HeaderRow),
        QStringLiteral("หน่วยนับ"));
    EXPECT_EQ(control<QLabel>(p, "titleLabel")->text(),
        QStringLiteral("สินค้าที่ขายดี  เดือน  (05) พฤษภาคม ปี 2020"));
    EXPECT_EQ(totals(p), zeros);
    EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::BestSellers);

    choose(p, 12);
    click(control<KasmoButton>(p, "bestSellersButton"));
    EXPECT_EQ(control<QLabel>(p, "titleLabel")->text(), QStringLiteral("สินค้าที่ขายดี ปี 2020"));
    EXPECT_FALSE(control<TabLabel>(p, "yearChartLink")->isEnabled());
    EXPECT_EQ(products().first(), QStringLiteral("A1|9|ชิ้น"));
}

TEST_F(SummaryViewsPage, OneRowPerReceiptAndPerDayKeepTheHeaderRowsAlone)
{
    SummaryPage *p = open();
    search(p, QStringLiteral("กาแฟ"));
    choose(p, 4);
    click(control<KasmoButton>(p, "briefButton"));
    EXPECT_EQ(control<QLineEdit>(p, "searchBox")->text(), QString());
    const QString nbsp(QChar(0x00A0));
    EXPECT_EQ(rows(p),
        (QStringList { "# INV-630500001|20.00 |60.00 | 40.00 ",
            "# INV-630500002|0.00 |60.00 | 60.00 ", "# INV-630500003|0.00 |40.00 | 40.00 ",
            "# INV-630500004|0.00 |45.00 | 45.00 " }));
    EXPECT_EQ(headers(p),
        (QStringList { "(4) เลขที่ใบเสร็จ", "ส่วนลด (บาท)" + nbsp, "ยอดรวม (บาท)" + nbsp,
            "หักส่วนลดเหลือ (บาท)" + nbsp }));
    EXPECT_EQ(totals(p), (QStringList { "135.00", "20.00", "185.00", "50.00" }));
    EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::Brief);
    const DataGrid *g = control<DataGrid>(p, "summaryGrid");
    const GridModel *m = g->gridModel();
    ASSERT_TRUE(m->headerSpanCovering(SummaryPage::ColAmount));
    EXPECT_EQ(m->headerSpanCovering(SummaryPage::ColAmount)->col, SummaryPage::ColCost);
    for (int r = 1; r <= g->maxRows(); ++r) {
        ASSERT_TRUE(m->spanAt(SummaryPage::ColCost, r)) << r;
        EXPECT_EQ(m->spanAt(SummaryPage::ColCost, r)->cols, 4);
        for (int c : { SummaryPage::ColName, SummaryPage::ColDes, SummaryPage::ColCost })
            EXPECT_EQ(g->alignment(c, r) & Qt::AlignHorizontal_Mask, Qt::AlignRight) << c;
        EXPECT_EQ(g->displayText(SummaryPage::ColCost, r), g->getText(SummaryPage::ColCost, r));
    }
    for (int c : { SummaryPage::ColName, SummaryPage::ColDes, SummaryPage::ColCost })
        EXPECT_EQ(g->alignment(c, DataGrid::HeaderRow) & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    // Per day: three receipts of 5 May in one row, 5 May before 10 May.
    search(p, QStringLiteral("กาแฟ"));
    click(control<KasmoButton>(p, "perDayButton"));
    EXPECT_EQ(control<QLineEdit>(p, "searchBox")->text(), QString());
    EXPECT_EQ(rows(p),
        (QStringList {
            "# 05/05/2020|20.00 |160.00 | 140.00 ", "# 10/05/2020|0.00 |45.00 | 45.00 " }));
    EXPECT_EQ(headers(p),
        (QStringList { "(2) รายการ", "ส่วนลด (บาท)" + nbsp, "ยอดรวม (บาท)" + nbsp,
            "หักส่วนลดเหลือ (บาท)" + nbsp }));
    EXPECT_EQ(totals(p), (QStringList { "135.00", "20.00", "185.00", "50.00" }));
    EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::Brief);
    EXPECT_FALSE(control<TabLabel>(p, "yearChartLink")->isEnabled());

    // Over the whole year: one row per month, and the chart link.
    choose(p, 12);
    click(control<KasmoButton>(p, "perDayButton"));
    EXPECT_EQ(rows(p),
        (QStringList {
            "# เดือน 05-2020|20.00 |205.00 | 185.00 ", "# เดือน 06-2020|0.00 |80.00 | 80.00 " }));
    EXPECT_EQ(headers(p, 1), QStringList { "(2) รายการ" });
    EXPECT_TRUE(control<TabLabel>(p, "yearChartLink")->isEnabled());

    // The next view lays the grid out afresh.
    click(control<KasmoButton>(p, "bestSellersButton"));
    EXPECT_EQ(headers(p, 4), (QStringList { "รหัสสินค้า", " ชื่อสินค้า", "รายละเอียด", "ราคาทุน" }));
    EXPECT_FALSE(g->gridModel()->headerSpanCovering(SummaryPage::ColAmount));
}

TEST_F(SummaryViewsPage, AfterASingleLineReturnTheBillShowsWhatTheCustomerFinallyPaid)
{
    Connection &d = db();
    d.execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDvalue) VALUES "
                             "(1, 'A1', ' น้ำดื่ม', 7)"));
    const std::optional<StoredBill> bill = loadBill(d, QStringLiteral("INV-630500002"));
    ASSERT_TRUE(bill);
    returnBillLine(d, bill->number, bill->lines.first().key, 1,
        ReturnStamp { QStringLiteral("admin"), QDateTime(QDate(2020, 5, 6), QTime(9, 0)) });
    SummaryPage *p = open();
    choose(p, 4);
    click(control<KasmoButton>(p, "detailedButton"));
    EXPECT_TRUE(rows(p).contains(QStringLiteral(
        "# INV-630500002| ส่วนลด 0.00 บาท| ยอดรวม 45.00 บาท| หักส่วนลดเหลือ 45.00 บาท")));
    EXPECT_TRUE(rows(p).contains(QStringLiteral("A1|3|45.00")));
}

TEST_F(SummaryViewsPage, AFailingQueryShowsAnErrorAndLeavesThePageAsItWas)
{
    SummaryPage *p = open();
    choose(p, 4);
    click(control<KasmoButton>(p, "briefButton"));
    const QStringList before = rows(p);
    const QStringList totalsBefore = totals(p);
    for (KasmoButton *b : { control<KasmoButton>(p, "detailedButton"),
             control<KasmoButton>(p, "briefButton"), control<KasmoButton>(p, "bestSellersButton"),
             control<KasmoButton>(p, "perDayButton") }) {
        boxes.clear();
        Connection::setStatementHook([](const QString &sql) {
            if (sql.contains(QLatin1String("tblRMoney"))
                || sql.contains(QLatin1String("Lvalue) DESC")))
                throw DbError(QStringLiteral("disk I/O error"), 10);
        });
        click(b);
        Connection::setStatementHook({});
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
        EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("disk I/O error")));
        EXPECT_EQ(rows(p), before);
        EXPECT_EQ(totals(p), totalsBefore);
        EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::Brief);
    }
}

TEST_F(SummaryViewsPage, ThePrintedSummaryTakesTheDressOfTheView)
{
    RecordingPrintSink sink;
    SummaryPage *p = open();
    choose(p, 4);
    struct Case
    {
        const char *button;
        const char *shot;
        QStringList expected;
    } cases[] = {
        { "detailedButton", "summary-detailed",
            { "INV-630500001", "B2", "40.00 บาท", "สินค้าที่ขายได้  เดือน  (05) พฤษภาคม ปี 2020" } },
        { "bestSellersButton", "summary-best", { "สินค้าที่ขายดี  เดือน  (05) พฤษภาคม ปี 2020", "A1" } },
        { "briefButton", "summary-brief", { "(4) เลขที่ใบเสร็จ", "INV-630500004", "185.00" } },
        { "perDayButton", "summary-perday", { "(2) รายการ", "05/05/2020", "140.00" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shot);
        sink.jobs.clear();
        click(control<KasmoButton>(p, QString::fromLatin1(c.button)));
        saveScreenshot(p->grab(), QString::fromLatin1(c.shot) + QStringLiteral(".png"));
        dialogs.then([&](QDialog *d) {
            auto *viewer = qobject_cast<StockReportViewer *>(d);
            ASSERT_NE(viewer, nullptr);
            control<ReportViewer>(viewer, "reportViewer")->printTool()->trigger();
            viewer->resize(1000, 760);
            saveScreenshot(
                viewer->grab(), QString::fromLatin1(c.shot) + QStringLiteral("-print.png"));
        });
        click(control<TabLabel>(p, "printLink"));
        ASSERT_EQ(sink.jobs.size(), 1u);
        const QString page = sink.jobs[0].pageTexts(0).join(QLatin1Char('\n'));
        for (const QString &e : c.expected)
            EXPECT_TRUE(page.contains(e)) << e.toStdString();
    }
}

// A year of the shop (receipts with discounts over several days and months, one written in lower
// case, one returned whole, sales just outside the year): the four views tell the same figures.
TEST_F(SummaryViewsPage, TheViewsOfAYearAgreeWithEachOtherAndWithTheSales)
{
    Connection &d = db();
    addLine(d, { "2020-04-28 18:00:00", "INV-630400001", "A1", " น้ำดื่ม", 15, 10, 10, 5 });
    addLine(d, { "2020-04-28 18:00:00", "INV-630400001", "C3", " กาแฟ", 40, 1, 25 });
    addLine(d, { "2020-04-28 18:00:00", "INV-630400001", "D4", " ขนมเปี๊ยะ", 12.25, 3, 8.5 });
    addDiscount(d, QStringLiteral("2020-04-28 18:00:00"), QStringLiteral("INV-630400001"), 5);
    addLine(d, { "2020-06-01 13:00:00", "inv-630600002", "B2", " โดนัท", 30, 2, 20, 3.5 });
    addDiscount(d, QStringLiteral("2020-06-01 13:00:00"), QStringLiteral("inv-630600002"), 3.5);
    addLine(d, { "2020-06-15 09:00:00", "INV-630600003", "A1", " น้ำดื่ม", 15, 1, 10, 2 });
    addDiscount(d, QStringLiteral("2020-06-15 09:00:00"), QStringLiteral("INV-630600003"), 2);
    addLine(d, { "2020-12-31 23:59:59", "INV-631200001", "C3", " กาแฟ", 40, 1, 25, 1 });
    addDiscount(d, QStringLiteral("2020-12-31 23:59:59"), QStringLiteral("INV-631200001"), 1);
    addLine(d, { "2019-12-31 23:59:59", "INV-621200009", "C3", " กาแฟ", 40, 9, 25, 9 });
    addDiscount(d, QStringLiteral("2019-12-31 23:59:59"), QStringLiteral("INV-621200009"), 9);
    addLine(d, { "2021-01-01 00:00:00", "INV-640100001", "A1", " น้ำดื่ม", 15, 9, 10, 9 });
    addDiscount(d, QStringLiteral("2021-01-01 00:00:00"), QStringLiteral("INV-640100001"), 9);
    d.execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDvalue) VALUES "
                             "(1, 'A1', ' น้ำดื่ม', 5)"));
    ASSERT_EQ(returnWholeBill(d, QStringLiteral("INV-630600003"),
                  { QStringLiteral("admin"), QDateTime(QDate(2020, 6, 16), QTime(9, 0)) }),
        1);

    SummaryPage *p = open();
    choose(p, 12);
    // Cost 19 x 10 + 5 x 25 + 3 x 20 + 3 x 8.50; sales 19 x 15 + 5 x 40 + 3 x 30 + 3 x 12.25;
    // the year's discounts 5 + 20 + 3.50 + 1.
    const QStringList yearTotals { "400.50", "29.50", "582.25", "181.75" };
    // Each receipt: its discount, total and net.
    const QStringList receipts { "INV-630400001|5.00|226.75|221.75",
        "INV-630500001|20.00|60.00|40.00", "INV-630500002|0.00|60.00|60.00",
        "INV-630500003|0.00|40.00|40.00", "INV-630500004|0.00|45.00|45.00",
        "INV-630600001|0.00|80.00|80.00", "inv-630600002|3.50|60.00|56.50",
        "INV-631200001|1.00|40.00|39.00" };
    // A header row's amounts without their captions.
    const auto amounts = [](const QStringList &rows) {
        QStringList out;
        for (const QString &r : rows) {
            if (!r.startsWith(QLatin1String("# ")))
                continue;
            QStringList cells = r.mid(2).split(QLatin1Char('|'));
            for (QString &c : cells)
                c = c.remove(QStringLiteral("หักส่วนลดเหลือ"))
                        .remove(QStringLiteral("ส่วนลด"))
                        .remove(QStringLiteral("ยอดรวม"))
                        .remove(QStringLiteral("บาท"))
                        .trimmed();
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    };

    click(control<KasmoButton>(p, "detailedButton"));
    EXPECT_EQ(amounts(rows(p)), receipts);
    EXPECT_EQ(totals(p), yearTotals);
    EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::Detailed);
    EXPECT_TRUE(control<TabLabel>(p, "yearChartLink")->isEnabled());

    click(control<KasmoButton>(p, "briefButton"));
    EXPECT_EQ(amounts(rows(p)), receipts);
    EXPECT_EQ(headers(p, 1), QStringList { "(8) เลขที่ใบเสร็จ" });
    EXPECT_EQ(totals(p), yearTotals);
    EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::Brief);
    EXPECT_TRUE(control<TabLabel>(p, "yearChartLink")->isEnabled());

    click(control<KasmoButton>(p, "perDayButton"));
    EXPECT_EQ(amounts(rows(p)),
        (QStringList { "เดือน 04-2020|5.00|226.75|221.75", "เดือน 05-2020|20.00|205.00|185.00",
            "เดือน 06-2020|3.50|140.00|136.50", "เดือน 12-2020|1.00|40.00|39.00" }));
    EXPECT_EQ(totals(p), yearTotals);
    EXPECT_TRUE(control<TabLabel>(p, "yearChartLink")->isEnabled());

    click(control<KasmoButton>(p, "bestSellersButton"));
    EXPECT_EQ(control<DataGrid>(p, "summaryGrid")->getText(SummaryPage::ColCode, 1),
        QStringLiteral("A1"));
    EXPECT_EQ(
        control<DataGrid>(p, "summaryGrid")->getText(SummaryPage::ColQty, 1), QStringLiteral("19"));
    EXPECT_FALSE(control<TabLabel>(p, "yearChartLink")->isEnabled());

    // June alone: the returned receipt is gone with its discount.
    choose(p, 5);
    click(control<KasmoButton>(p, "perDayButton"));
    EXPECT_EQ(amounts(rows(p)), QStringList { "01/06/2020|3.50|140.00|136.50" });
    EXPECT_EQ(totals(p), (QStringList { "90.00", "3.50", "136.50", "46.50" }));
    EXPECT_FALSE(control<TabLabel>(p, "yearChartLink")->isEnabled());
    EXPECT_EQ(boxes.count(), 0) << (boxes.count() ? boxes.last().text.toStdString() : "");
}

// A reload that cannot read today's sales leaves the view on the grid, and with it the title, the
// view mode and the chart link that name it: the print link then prints it in its own dress.
TEST_F(SummaryViewsPage, AReloadThatFailsLeavesTheViewItsTitleAndMode)
{
    RecordingPrintSink sink;
    SummaryPage *p = open();
    choose(p, 12);
    click(control<KasmoButton>(p, "briefButton"));
    const QStringList before = rows(p);
    ASSERT_EQ(before.size(), 5);
    boxes.clear();
    Connection::setStatementHook([](const QString &sql) {
        if (sql.contains(QLatin1String("FROM tblLog")))
            throw DbError(QStringLiteral("disk I/O error"), 10);
    });
    QTest::keyClick(control<DataGrid>(p, "summaryGrid"), Qt::Key_F5);
    Connection::setStatementHook({});
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_EQ(rows(p), before);
    EXPECT_EQ(control<QLabel>(p, "titleLabel")->text(), QStringLiteral("สินค้าที่ขายได้  ปี 2020"));
    EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::Brief);
    EXPECT_TRUE(control<TabLabel>(p, "yearChartLink")->isEnabled());

    dialogs.then([](QDialog *d) {
        auto *viewer = qobject_cast<StockReportViewer *>(d);
        ASSERT_NE(viewer, nullptr);
        control<ReportViewer>(viewer, "reportViewer")->printTool()->trigger();
    });
    click(control<TabLabel>(p, "printLink"));
    ASSERT_EQ(sink.jobs.size(), 1u);
    const QString page = sink.jobs[0].pageTexts(0).join(QLatin1Char('\n'));
    EXPECT_TRUE(page.contains(QStringLiteral("(5) เลขที่ใบเสร็จ"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("สินค้าที่ขายได้  ปี 2020")));
}
