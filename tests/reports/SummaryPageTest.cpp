#include "reports/SummaryPage.h"
#include "SalesData.h"
#include "button/KasmoButton.h"
#include "platform/db/DbError.h"
#include "platform/grid/DataGrid.h"
#include "platform/report/PrintSink.h"
#include "platform/report/ReportViewer.h"
#include "platform/ui/Clock.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WindowRegistry.h"
#include "reports/YearChartWindow.h"
#include "sale/Returns.h"
#include "shell/MainFrame.h"
#include "shell/Messages.h"
#include "shell/ShopDatabase.h"
#include "stock/StockReportLayout.h"
#include "stock/StockReportSource.h"
#include "stock/StockReportViewer.h"
#include "support/FindControl.h"
#include "support/ReportFiles.h"
#include "support/Screenshots.h"
#include "support/ShellFixture.h"
#include "support/WindowDriving.h"
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The sales summary page on a shop whose clock stands at 2024-05-15 10:30:00, opened from the
// main frame's summary tab or on its own, and driven with keys and clicks.
class SummaryPageTest : public ShellFixture
{
protected:
    void TearDown() override
    {
        Connection::setStatementHook({});
        deleteLoadedWindows(); // pages go with the frame
        MainFrame::setWindows({});
        ShellFixture::TearDown();
    }

    // As the cashier opens it: the main frame's summary tab.
    SummaryPage *openFromFrame()
    {
        MainFrame::Windows w;
        w.summaryPage = [] { return WindowRegistry::instance<SummaryPage>(); };
        MainFrame::setWindows(w);
        MainFrame *frame = MainFrame::showFrame();
        frame->resize(1280, 800);
        QTest::mouseClick(control(frame, "summaryTab"), Qt::LeftButton);
        SummaryPage *page = WindowRegistry::find<SummaryPage>();
        EXPECT_NE(page, nullptr);
        EXPECT_EQ(MainFrame::openPageName(), QStringLiteral("สรุปยอดการขาย"));
        return page;
    }

    // The page on its own, at a given size.
    SummaryPage *open(QSize size = QSize(1200, 700))
    {
        SummaryPage *page = WindowRegistry::instance<SummaryPage>();
        page->resize(size);
        page->show();
        return page;
    }

    void line(const TestLine &l) { addLine(db(), l); }
    void discount(const char *when, const char *receipt, double amount)
    {
        addDiscount(db(), QString::fromUtf8(when), QString::fromUtf8(receipt), amount);
    }

    static QStringList column(const SummaryPage *p, int col)
    {
        QStringList out;
        for (int r = 1; r <= control<DataGrid>(p, "summaryGrid")->maxRows(); ++r)
            out << control<DataGrid>(p, "summaryGrid")->getText(col, r);
        return out;
    }
    // The rows as "code|name|quantity|amount" for detail rows, "# key" for header rows.
    static QStringList rows(const SummaryPage *p)
    {
        QStringList out;
        const DataGrid *g = control<DataGrid>(p, "summaryGrid");
        for (int r = 1; r <= g->maxRows(); ++r) {
            if (g->getText(SummaryPage::ColDay, r).isEmpty())
                out << QStringLiteral("# ") + g->getText(SummaryPage::ColCode, r);
            else
                out << QStringList { g->getText(SummaryPage::ColCode, r),
                    g->getText(SummaryPage::ColName, r), g->getText(SummaryPage::ColQty, r),
                    g->getText(SummaryPage::ColAmount, r) }
                           .join(QLatin1Char('|'));
        }
        return out;
    }
    static QStringList totals(const SummaryPage *p)
    {
        return { control<QLabel>(p, "costFigure")->text(),
            control<QLabel>(p, "discountFigure")->text(), control<QLabel>(p, "salesFigure")->text(),
            control<QLabel>(p, "profitFigure")->text() };
    }
    static QColor shown(const DataGrid *g, int col, int row, int role)
    {
        return g->model()->data(g->model()->index(row - 1, col), role).value<QColor>();
    }
    static void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }

    const QStringList zeros { "0.00", "0.00", "0.00", "0.00" };
};

TEST_F(SummaryPageTest, OpensFromTheSummaryTabOnTodayWithTheGridLaidOut)
{
    SummaryPage *p = openFromFrame();
    ASSERT_NE(p, nullptr);
    const DataGrid *g = control<DataGrid>(p, "summaryGrid");
    EXPECT_EQ(g->maxCols(), 12);
    const QStringList headers { "รหัสสินค้า", " ชื่อสินค้า", "รายละเอียด", "ราคาทุน", "ราคาขาย", "ขายได้",
        "หน่วยนับ", "", "", "", "", "" };
    for (int c = 1; c <= 12; ++c)
        EXPECT_EQ(g->getText(c, DataGrid::HeaderRow), headers[c - 1]) << c;
    for (int c : { 0, 9, 10, 11, 12 })
        EXPECT_EQ(g->colWidth(c), 0) << c;
    for (int c = 1; c <= 8; ++c)
        EXPECT_GT(g->colWidth(c), 0) << c;
    EXPECT_EQ(g->colWidth(SummaryPage::ColSpare), DataGrid::DefaultColWidth);
    EXPECT_EQ(g->alignment(SummaryPage::ColName, DataGrid::HeaderRow) & Qt::AlignHorizontal_Mask,
        Qt::AlignLeft);

    EXPECT_EQ(
        control<QLabel>(p, "titleLabel")->text(), QStringLiteral("สินค้าที่ขายได้ วันนี้  ( 15/05/2024 )"));
    EXPECT_EQ(control<QLineEdit>(p, "yearBox")->text(), QStringLiteral("2024"));
    EXPECT_FALSE(control<TabLabel>(p, "yearChartLink")->isEnabled());
    EXPECT_TRUE(control<TabLabel>(p, "printLink")->isEnabled());
    EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::Detailed);
    EXPECT_EQ(control<QLineEdit>(p, "searchBox")->placeholderText(),
        QStringLiteral("  ค้นหา , รหัสสินค้า , ชื่อสินค้า , รายละเอียด  "));
    EXPECT_EQ(control<QLineEdit>(p, "searchBox")->text(), QString());
    EXPECT_EQ(control<QLineEdit>(p, "dayBox")->text(), QStringLiteral("0"));
    EXPECT_FALSE(control<QLineEdit>(p, "dayBox")->isEnabled());
    EXPECT_EQ(control<QComboBox>(p, "monthList")->currentIndex(), -1);
    EXPECT_EQ(control<QComboBox>(p, "monthList")->count(), 13);
    EXPECT_FALSE(control<QCheckBox>(p, "weekCheck")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(p, "dayCheck")->isChecked());
    EXPECT_EQ(control<QGroupBox>(p, "dayFrame")->title(), QStringLiteral("     วันที่"));

    // No sale today: nothing to show and nothing said.
    EXPECT_EQ(g->maxRows(), 0);
    EXPECT_EQ(totals(p), zeros);
    EXPECT_EQ(boxes.count(), 0);
    for (QLabel *value : { control<QLabel>(p, "costFigure"), control<QLabel>(p, "discountFigure"),
             control<QLabel>(p, "salesFigure"), control<QLabel>(p, "profitFigure") })
        EXPECT_FALSE(value->accessibleDescription().isEmpty()) << value->objectName().toStdString();
    EXPECT_EQ(g->accessibleName(), QStringLiteral("สรุปยอดการขาย"));

    // The tab of the open page does nothing; after another tab the page opens afresh.
    typeOver(control<QLineEdit>(p, "yearBox"), QStringLiteral("2019"));
    MainFrame *frame = MainFrame::existing();
    QTest::mouseClick(control(frame, "summaryTab"), Qt::LeftButton);
    EXPECT_EQ(WindowRegistry::find<SummaryPage>(), p);
    EXPECT_EQ(control<QLineEdit>(p, "yearBox")->text(), QStringLiteral("2019"));
    QPointer<SummaryPage> old = p;
    QTest::mouseClick(control(frame, "stockTab"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());
    QTest::mouseClick(control(frame, "summaryTab"), Qt::LeftButton);
    SummaryPage *fresh = WindowRegistry::find<SummaryPage>();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(control<QLineEdit>(fresh, "yearBox")->text(), QStringLiteral("2024"));
}

TEST_F(SummaryPageTest, TodayGroupsEachReceiptUnderAHeaderWithItsDiscountTotalAndNet)
{
    line({ "2024-05-15 09:00:00", "INV-670500002", "A100", " น้ำดื่ม", 100, 1, 60, 10 });
    line({ "2024-05-15 09:00:00", "INV-670500002", "B200", " ขนมปัง", 25, 2, 20 });
    discount("2024-05-15 09:00:00", "INV-670500002", 10);
    line({ "2024-05-15 08:00:00", "INV-670500001", "C300", " ไข่ไก่", 4.5, 10, 3.25 });

    SummaryPage *p = open();
    const DataGrid *g = control<DataGrid>(p, "summaryGrid");
    EXPECT_EQ(rows(p),
        (QStringList { "# INV-670500001", "C300| ไข่ไก่|10|45.00", "# INV-670500002",
            "B200| ขนมปัง|2|50.00", "A100| น้ำดื่ม|1|100.00" }));
    EXPECT_EQ(g->getText(SummaryPage::ColAmount, DataGrid::HeaderRow), QStringLiteral("รวมเป็นเงิน"));

    // The header of the receipt with a discount.
    const int h = 3;
    EXPECT_EQ(g->getText(SummaryPage::ColName, h), QStringLiteral(" ส่วนลด 10.00 บาท"));
    EXPECT_EQ(g->getText(SummaryPage::ColDes, h), QStringLiteral(" ยอดรวม 150.00 บาท"));
    EXPECT_EQ(g->getText(SummaryPage::ColCost, h), QStringLiteral(" หักส่วนลดเหลือ 140.00 บาท"));
    EXPECT_EQ(g->displayText(SummaryPage::ColCost, h), g->getText(SummaryPage::ColCost, h))
        << "a text cell";
    EXPECT_EQ(g->columnSpan(h - 1, SummaryPage::ColCost), 4);
    EXPECT_EQ(g->columnSpan(h, SummaryPage::ColCost), 1);
    EXPECT_EQ(g->getText(SummaryPage::ColName, 1), QStringLiteral(" ส่วนลด 0.00 บาท"));
    EXPECT_EQ(g->getText(SummaryPage::ColCost, 1), QStringLiteral(" หักส่วนลดเหลือ 45.00 บาท"));
    for (int c = 1; c <= 12; ++c) {
        EXPECT_EQ(shown(g, c, h, Qt::BackgroundRole), QColor(219, 226, 224)) << c;
        EXPECT_EQ(shown(g, c, h, Qt::ForegroundRole), QColor(21, 66, 139)) << c;
    }
    EXPECT_EQ(g->alignment(SummaryPage::ColDes, h) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    for (int c = 8; c <= 12; ++c)
        EXPECT_EQ(g->getText(c, h), QString()) << c;
    // The detail rows: one colour once grouped, money as the grid shows it, hidden columns.
    for (int r : { 2, 4, 5 }) {
        EXPECT_EQ(shown(g, 2, r, Qt::BackgroundRole), QColor(159, 185, 199)) << r;
        EXPECT_EQ(shown(g, 2, r, Qt::ForegroundRole), QColor(26, 26, 26)) << r;
    }
    EXPECT_EQ(g->getText(SummaryPage::ColCost, 2), QStringLiteral("3.25 "));
    EXPECT_EQ(g->displayText(SummaryPage::ColCost, 2), QStringLiteral("3.25"));
    EXPECT_EQ(column(p, SummaryPage::ColDay),
        (QStringList { "", "2024-05-15", "", "2024-05-15", "2024-05-15" }));
    EXPECT_EQ(
        column(p, SummaryPage::ColLineDiscount), (QStringList { "", "0.00", "", "0.00", "10.00" }));

    // Cost 32.50 + 100.00, sales 195.00 less 10.00.
    EXPECT_EQ(totals(p), (QStringList { "132.50", "10.00", "185.00", "52.50" }));

    // The next view's layout brings the alternation back and joins nothing: best sellers of a
    // month without sales empty the grid.
    control<QComboBox>(p, "monthList")->setCurrentIndex(0);
    click(control<KasmoButton>(p, "bestSellersButton"));
    EXPECT_EQ(g->maxRows(), 0);
    control<DataGrid>(p, "summaryGrid")->setMaxRows(2);
    EXPECT_EQ(shown(g, 2, 1, Qt::BackgroundRole), QColor(159, 185, 199));
    EXPECT_EQ(shown(g, 2, 2, Qt::BackgroundRole), QColor(240, 240, 240));
    EXPECT_EQ(g->getText(SummaryPage::ColAmount, DataGrid::HeaderRow), QStringLiteral("หน่วยนับ"));
}

TEST_F(SummaryPageTest, TotalsTakeTheDaysDiscountsOffSalesAndProfit)
{
    // Cost 10/20, price 15/30, quantities 2/1, the receipt's discount 5.
    line({ "2024-05-15 09:00:00", "INV-670500001", "A1", " ก", 15, 2, 10, 5 });
    line({ "2024-05-15 09:00:00", "INV-670500001", "B2", " ข", 30, 1, 20 });
    discount("2024-05-15 09:00:00", "INV-670500001", 5);
    SummaryPage *p = open();
    EXPECT_EQ(totals(p), (QStringList { "40.00", "5.00", "55.00", "15.00" }));

    // The discount figure is the sum of today's discount rows only; amounts above a thousand show
    // separators.
    line({ "2024-05-15 10:00:00", "INV-670500002", "C3", " ค", 1200, 1, 1000, 7.5 });
    discount("2024-05-15 10:00:00", "INV-670500002", 7.5);
    discount("2024-05-14 10:30:00", "INV-670400099", 100); // yesterday
    discount("2023-05-15 10:30:00", "INV-660500099", 100); // a year ago
    QTest::keyClick(control<DataGrid>(p, "summaryGrid"), Qt::Key_F5);
    EXPECT_EQ(totals(p), (QStringList { "1,040.00", "12.50", "1,247.50", "207.50" }));
}

TEST_F(SummaryPageTest, TodayShowsOnlyTodaysLinesAddedPerReceiptProductAndPrice)
{
    struct Case
    {
        TestLine line;
        bool shown;
    };
    const Case cases[] = {
        { { "2024-05-15 00:00:00", "INV-670500001", "MID", " เที่ยงคืน", 1, 1 }, true },
        { { "2024-05-15 23:59:59", "INV-670500009", "LATE", " ดึก", 1, 1 }, true },
        { { "2024-05-14 10:30:00", "INV-670500000", "YDAY", " เมื่อวาน", 1, 1 }, false },
        { { "2023-05-15 10:30:00", "INV-660500001", "LASTY", " ปีก่อน", 1, 1 }, false },
        { { "2024-05-16 00:00:00", "INV-670500010", "TMRW", " พรุ่งนี้", 1, 1 }, false },
        { { "2025-05-15 10:30:00", "INV-680500001", "NEXTY", " ปีหน้า", 1, 1 }, false },
    };
    for (const Case &c : cases)
        line(c.line);
    // One receipt: the same product twice at one price is one row; at a second price another.
    line({ "2024-05-15 09:00:00", "INV-670500005", "SAME", " สบู่", 20, 1 });
    line({ "2024-05-15 09:00:00", "INV-670500005", "SAME", " สบู่", 20, 2 });
    line({ "2024-05-15 09:00:00", "INV-670500005", "SAME", " สบู่", 18, 4 });
    // A receipt with a discount: its first line stays a row of its own.
    line({ "2024-05-15 09:30:00", "INV-670500006", "SAME", " สบู่", 20, 1, 0, 3 });
    line({ "2024-05-15 09:30:00", "INV-670500006", "SAME", " สบู่", 20, 1 });

    SummaryPage *p = open();
    QStringList codes;
    for (const QString &r : rows(p))
        if (!r.startsWith(QLatin1Char('#')))
            codes << r.section(QLatin1Char('|'), 0, 0);
    for (const Case &c : cases)
        EXPECT_EQ(codes.contains(QString::fromUtf8(c.line.code)), c.shown) << c.line.code;
    const QStringList all = rows(p);
    const auto receipt = [&](const char *no) {
        const int h = int(all.indexOf(QStringLiteral("# ") + QString::fromUtf8(no)));
        QStringList out;
        for (int i = h + 1; i >= 1 && i < all.size() && !all[i].startsWith(QLatin1Char('#')); ++i)
            out << all[i];
        return out;
    };
    QStringList five = receipt("INV-670500005");
    five.sort();
    EXPECT_EQ(five, (QStringList { "SAME| สบู่|3|60.00", "SAME| สบู่|4|72.00" }));
    QStringList six = receipt("INV-670500006");
    EXPECT_EQ(six.size(), 2);
    EXPECT_EQ(six.filter(QStringLiteral("|1|20.00")).size(), 2);
}

TEST_F(SummaryPageTest, ReceiptsComeInAscendingOrderWithTheirLinesInThaiNameOrder)
{
    line({ "2024-05-15 11:00:00", "INV-670500012", "Z9", " ไก่ย่าง", 50, 1 });
    line({ "2024-05-15 09:00:00", "INV-670500003", "K2", " ขนม", 10, 1 });
    line({ "2024-05-15 09:00:00", "INV-670500003", "E1", " เกลือ", 8, 1 });
    line({ "2024-05-15 09:00:00", "INV-670500003", "A1", " กาแฟ", 30, 1 });
    line({ "2024-05-15 10:00:00", "inv-670500004", "M1", " มะม่วง", 40, 1 });

    SummaryPage *p = open();
    // Dictionary order puts เกลือ (ก) before ขนม; code points would put it last.
    EXPECT_EQ(rows(p),
        (QStringList { "# INV-670500003", "A1| กาแฟ|1|30.00", "E1| เกลือ|1|8.00", "K2| ขนม|1|10.00",
            "# inv-670500004", "M1| มะม่วง|1|40.00", "# INV-670500012", "Z9| ไก่ย่าง|1|50.00" }));
}

TEST_F(SummaryPageTest, ABillReturnedWholeIsGoneFromToday)
{
    db().execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDvalue) VALUES "
                                "(1, 'A1', 'กาแฟ', 5), (2, 'B2', 'ชา', 5)"));
    line({ "2024-05-15 09:00:00", "INV-670500001", "A1", " กาแฟ", 30, 2, 20, 4 });
    discount("2024-05-15 09:00:00", "INV-670500001", 4);
    line({ "2024-05-15 09:10:00", "INV-670500002", "B2", " ชา", 25, 1, 15, 1 });
    discount("2024-05-15 09:10:00", "INV-670500002", 1);
    SummaryPage *p = open();
    EXPECT_EQ(column(p, SummaryPage::ColCode).filter(QStringLiteral("INV-")).size(), 2);

    ASSERT_EQ(returnWholeBill(ShopDatabase::connection(), QStringLiteral("INV-670500001"),
                  { QStringLiteral("admin"), Clock::now() }),
        1);
    click(control<KasmoButton>(p, "reloadButton"));
    EXPECT_EQ(rows(p), (QStringList { "# INV-670500002", "B2| ชา|1|25.00" }));
    EXPECT_EQ(totals(p), (QStringList { "15.00", "1.00", "24.00", "9.00" }));
}

TEST_F(SummaryPageTest, F5FromAnyControlReloadsTodayAndResetsThePeriodControls)
{
    struct Case
    {
        const char *name;
        std::function<QWidget *(SummaryPage *)> target;
        Qt::KeyboardModifiers modifiers;
    };
    const Case cases[] = {
        { "search box", [](SummaryPage *p) { return control<QLineEdit>(p, "searchBox"); },
            Qt::NoModifier },
        { "year box", [](SummaryPage *p) { return control<QLineEdit>(p, "yearBox"); },
            Qt::ShiftModifier },
        { "month list", [](SummaryPage *p) { return control<QComboBox>(p, "monthList"); },
            Qt::ControlModifier },
        { "month list dropped down",
            [](SummaryPage *p) {
                QTest::keyClick(control<QComboBox>(p, "monthList"), Qt::Key_F4);
                return control<QComboBox>(p, "monthList")->view();
            },
            Qt::NoModifier },
        { "grid", [](SummaryPage *p) { return control<DataGrid>(p, "summaryGrid"); },
            Qt::AltModifier },
        { "day box", [](SummaryPage *p) { return control<QLineEdit>(p, "dayBox"); },
            Qt::NoModifier },
        { "week box", [](SummaryPage *p) { return control<QCheckBox>(p, "weekCheck"); },
            Qt::ShiftModifier | Qt::ControlModifier },
    };
    SummaryPage *p = open();
    int sale = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // Away from the opening state: a new sale, a chosen month and day, a search text.
        ++sale;
        const QByteArray no = QByteArrayLiteral("INV-6705%1")
                                  .replace("%1", QByteArray::number(sale).rightJustified(5, '0'));
        line({ "2024-05-15 10:00:00", no.constData(), "A1", " กาแฟ", 30, 1 });
        control<QComboBox>(p, "monthList")->setCurrentIndex(4);
        click(control<KasmoButton>(p, "briefButton")); // the month's receipts, one row each
        ASSERT_EQ(p->printSource().summaryMode(), SummaryMode::Brief);
        click(control<QCheckBox>(p, "dayCheck")); // says it and moves to the day box
        QTest::keyClicks(control<QLineEdit>(p, "dayBox"), QStringLiteral("2"));
        typeOver(control<QLineEdit>(p, "searchBox"), QStringLiteral("กาแฟ"));
        typeOver(control<QLineEdit>(p, "yearBox"), QStringLiteral("19"));
        control<TabLabel>(p, "yearChartLink")->setEnabled(true);
        control<QLabel>(p, "titleLabel")->setText(QStringLiteral("อื่น"));
        const QString day = control<QLineEdit>(p, "dayBox")->text();
        boxes.clear();

        QWidget *w = c.target(p);
        ASSERT_TRUE(w->isEnabled());
        w->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(w, Qt::Key_F5, c.modifiers);
        EXPECT_FALSE(control<QComboBox>(p, "monthList")->view()->isVisible());

        EXPECT_EQ(p->printSource().summaryMode(), SummaryMode::Detailed);
        EXPECT_EQ(control<QLineEdit>(p, "yearBox")->text(), QStringLiteral("2024"));
        EXPECT_EQ(control<QLabel>(p, "titleLabel")->text(),
            QStringLiteral("สินค้าที่ขายได้ วันนี้  ( 15/05/2024 )"));
        EXPECT_FALSE(control<TabLabel>(p, "yearChartLink")->isEnabled());
        EXPECT_EQ(control<QLineEdit>(p, "searchBox")->text(), QString());
        EXPECT_FALSE(control<QCheckBox>(p, "weekCheck")->isChecked());
        EXPECT_FALSE(control<QCheckBox>(p, "dayCheck")->isChecked());
        EXPECT_EQ(control<QComboBox>(p, "monthList")->currentIndex(), -1);
        EXPECT_FALSE(control<QLineEdit>(p, "dayBox")->isEnabled());
        EXPECT_EQ(control<QLineEdit>(p, "dayBox")->text(), day) << "the day box keeps its text";
        EXPECT_EQ(column(p, SummaryPage::ColCode).filter(QStringLiteral("INV-")).size(), sale);
        EXPECT_EQ(boxes.count(), 0);
    }

    // With the week ticked the reload unlocks the month, year and one-day boxes again.
    click(control<QCheckBox>(p, "weekCheck"));
    EXPECT_EQ(boxes.last().text, Msg::WeekLocksDayMonthYear);
    EXPECT_FALSE(control<QComboBox>(p, "monthList")->isEnabled());
    QTest::keyClick(control<QComboBox>(p, "monthList"), Qt::Key_F5);
    EXPECT_FALSE(control<QCheckBox>(p, "weekCheck")->isChecked());
    for (QWidget *w : std::initializer_list<QWidget *> { control<QComboBox>(p, "monthList"),
             control<QLineEdit>(p, "yearBox"), control<QCheckBox>(p, "dayCheck") })
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_FALSE(control<QLineEdit>(p, "dayBox")->isEnabled());
    // Other keys reach their box.
    typeOver(control<QLineEdit>(p, "yearBox"), QStringLiteral("2023"));
    EXPECT_EQ(control<QLineEdit>(p, "yearBox")->text(), QStringLiteral("2023"));
}

TEST_F(SummaryPageTest, YearAndDayBoxesFallBackAndEnterInTheDayMovesToTheMonth)
{
    SummaryPage *p = open();
    struct Case
    {
        QLineEdit *box;
        const char *typed;
        const char *shows;
    };
    const Case cases[] = {
        { control<QLineEdit>(p, "yearBox"), "", "2024" },
        { control<QLineEdit>(p, "yearBox"), "20", "20" },
        { control<QLineEdit>(p, "yearBox"), "1999", "1999" },
        { control<QLineEdit>(p, "dayBox"), "", "1" },
        { control<QLineEdit>(p, "dayBox"), "0", "1" },
        { control<QLineEdit>(p, "dayBox"), "32", "1" },
        { control<QLineEdit>(p, "dayBox"), "99", "1" },
        { control<QLineEdit>(p, "dayBox"), "31", "31" },
        { control<QLineEdit>(p, "dayBox"), "7", "7" },
    };
    click(control<QCheckBox>(p, "dayCheck"));
    for (const Case &c : cases) {
        typeOver(c.box, QString::fromUtf8(c.typed));
        EXPECT_EQ(c.box->text(), QString::fromUtf8(c.shows))
            << c.box->objectName().toStdString() << " " << c.typed;
    }
    // A leading zero stays: "5", then "0" in front of it.
    typeOver(control<QLineEdit>(p, "dayBox"), QStringLiteral("5"));
    QTest::keyClick(control<QLineEdit>(p, "dayBox"), Qt::Key_Home);
    QTest::keyClicks(control<QLineEdit>(p, "dayBox"), QStringLiteral("0"));
    EXPECT_EQ(control<QLineEdit>(p, "dayBox")->text(), QStringLiteral("05"));

    boxes.clear();
    typeOver(control<QLineEdit>(p, "yearBox"), QStringLiteral("x"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, Msg::NumberOnly);
    EXPECT_EQ(control<QLineEdit>(p, "yearBox")->text(), QStringLiteral("1999"));

    for (QLineEdit *box : { control<QLineEdit>(p, "yearBox"), control<QLineEdit>(p, "dayBox") }) {
        boxes.clear();
        QTest::mouseClick(box, Qt::RightButton);
        ASSERT_EQ(boxes.count(), 1) << box->objectName().toStdString();
        EXPECT_EQ(boxes.last().text, Msg::NoRightClick);
        EXPECT_EQ(boxes.last().title, Msg::ErrorTitle);
    }

    typeOver(control<QLineEdit>(p, "dayBox"), QStringLiteral("12"));
    QTest::keyClick(control<QLineEdit>(p, "dayBox"), Qt::Key_Return);
    EXPECT_EQ(control<QLineEdit>(p, "dayBox")->text(), QStringLiteral("12"));
    EXPECT_EQ(p->focusWidget(), control<QComboBox>(p, "monthList"));
}

TEST_F(SummaryPageTest, PrintLinkRefusesAnEmptyGridAndOtherwiseHandsThePageToTheStockReport)
{
    RecordingPrintSink sink;
    SummaryPage *p = open();
    click(control<TabLabel>(p, "printLink"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text,
        QStringLiteral("ไม่สามารถปริ้นได้ ( เนื่องจากไม่พบข้อมูลในตาราง ) โปรดลองใหม่ . . ."));
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
    EXPECT_TRUE(dialogs.opened.isEmpty());

    line({ "2024-05-15 09:00:00", "INV-670500001", "A100", " น้ำดื่ม", 100, 1, 60, 10 });
    line({ "2024-05-15 09:00:00", "INV-670500001", "B200", " ขนมปัง", 25, 2, 20 });
    discount("2024-05-15 09:00:00", "INV-670500001", 10);
    QTest::keyClick(p, Qt::Key_F5);
    ASSERT_EQ(control<DataGrid>(p, "summaryGrid")->maxRows(), 3);
    dialogs.then([&](QDialog *d) {
        auto *viewer = qobject_cast<StockReportViewer *>(d);
        ASSERT_NE(viewer, nullptr);
        EXPECT_EQ(viewer->report()->rowTotal(), 3);
        EXPECT_EQ(viewer->report()->printedDocument(), StockDocument::SalesSummary);
        control<ReportViewer>(viewer, "reportViewer")->printTool()->trigger();
        viewer->resize(1000, 760);
        saveScreenshot(viewer->grab(), QStringLiteral("summary-print.png"));
    });
    click(control<TabLabel>(p, "printLink"));
    EXPECT_EQ(dialogs.opened, QList<QString>({ "StockReportViewer" }));
    ASSERT_EQ(sink.jobs.size(), 1);
    const QString page = sink.jobs[0].pageTexts(0).join(QLatin1Char('\n'));
    for (const char *expected :
        { "INV-670500001", "A100", "B200", "140.00 บาท", "[ ต้นทุนสินค้า : 100.00", "ส่วนลดรวม : 10.00",
            "กำไรหลังหักต้นทุน : 40.00", "สินค้าที่ขายได้ วันนี้  ( 15/05/2024 )" })
        EXPECT_TRUE(page.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_EQ(control<DataGrid>(p, "summaryGrid")->maxRows(), 3) << "the page keeps what it showed";
}

// The printed summary's sheet, from the page's own rows: each value under its heading, the
// figures as numbers, the codes (all digits too) as texts.
TEST_F(SummaryPageTest, PrintedSummaryExportsEachValueUnderItsHeading)
{
    SummaryPage *p = open();
    line({ "2024-05-15 09:00:00", "INV-670500001", "0012345", " ผงซักฟอก", 1250.50, 2, 900, 0,
        "ถุงใหญ่" });
    line({ "2024-05-15 09:00:00", "INV-670500001", "B200", " ขนมปัง", 25, 3, 20 });
    line({ "2024-05-15 09:30:00", "INV-670500002", "A100", " น้ำดื่ม", 7, 12, 5 });
    discount("2024-05-15 09:00:00", "INV-670500001", 10);
    QTest::keyClick(p, Qt::Key_F5);
    ASSERT_EQ(control<DataGrid>(p, "summaryGrid")->maxRows(), 5);

    QList<ExpectedRow> printed;
    int digitsOnly = -1;
    for (int r = 1; r <= control<DataGrid>(p, "summaryGrid")->maxRows(); ++r) {
        auto cell = [&](int c) { return control<DataGrid>(p, "summaryGrid")->getText(c, r); };
        auto text = [&](int c) { // an empty text leaves its cell empty
            return cell(c).trimmed().isEmpty() ? XlsCell() : xlsText(cell(c).trimmed());
        };
        auto money = [&](int c) { return xlsMoney(cell(c).remove(',').toDouble()); };
        if (cell(9).isEmpty()) // a receipt: its net runs over the figures' columns
            printed << ExpectedRow { { text(1), text(2), text(3), {}, {}, {}, {} },
                { cell(4).trimmed() } };
        else
            printed << ExpectedRow { { text(1), text(2), text(3), xlsCount(cell(6).toDouble()),
                money(4), money(5), money(7) } };
        if (cell(1) == QStringLiteral("0012345"))
            digitsOnly = int(printed.size()) - 1;
    }
    ASSERT_GE(digitsOnly, 0);
    QTemporaryDir out;
    files.answer(out.filePath(QStringLiteral("summary")));
    dialogs.then([&](QDialog *d) {
        auto *viewer = qobject_cast<StockReportViewer *>(d);
        ASSERT_NE(viewer, nullptr);
        QTest::mouseClick(
            control<QPushButton>(viewer, "excelButton"), Qt::LeftButton); // export Excel
    });
    click(control<TabLabel>(p, "printLink"));
    EXPECT_EQ(boxes.count(), 0);
    const QStringList diff = compareSheet(xlsSheet(out.filePath(QStringLiteral("summary.xls"))),
        { QStringLiteral("รหัส (บาร์โค๊ด)"), QStringLiteral("ชื่อสินค้า"), QStringLiteral("รายละเอียด"),
            QStringLiteral("ขายได้"), QStringLiteral("ราคาทุน"), QStringLiteral("ราคาขาย"),
            QStringLiteral("รวมจำนวนเงิน") },
        printed, 1);
    EXPECT_TRUE(diff.isEmpty()) << diff.join('\n').toStdString();
    // The product whose code is all digits, as the page shows it.
    EXPECT_TRUE(sameCell(printed[digitsOnly].under.value(2), xlsText(QStringLiteral("ถุงใหญ่"))));
    EXPECT_TRUE(sameCell(printed[digitsOnly].under.value(5), xlsMoney(1250.5)));
}

TEST_F(SummaryPageTest, ChartAndUserLinksOpenTheirWindows)
{
    SummaryPage *p = open();
    click(control<TabLabel>(p, "yearChartLink")); // disabled at load
    EXPECT_TRUE(dialogs.opened.isEmpty());
    typeOver(control<QLineEdit>(p, "yearBox"), QStringLiteral("2023"));
    control<TabLabel>(p, "yearChartLink")->setEnabled(true); // as a whole-year view leaves it
    dialogs.then([&](QDialog *d) { EXPECT_NE(qobject_cast<YearChartWindow *>(d), nullptr); });
    click(control<TabLabel>(p, "yearChartLink"));
    click(control<TabLabel>(p, "userSalesLink"));
    EXPECT_EQ(dialogs.opened, (QList<QString> { "YearChartWindow", "UserSalesWindow" }));
}

TEST_F(SummaryPageTest, ARefusedQueryShowsAnErrorAndLeavesTheGridAsItWas)
{
    line({ "2024-05-15 09:00:00", "INV-670500001", "A1", " กาแฟ", 30, 2, 20, 4 });
    discount("2024-05-15 09:00:00", "INV-670500001", 4);
    SummaryPage *p = open();
    const QStringList before = rows(p);
    const QStringList totalsBefore = totals(p);
    ASSERT_EQ(before.size(), 2);
    line({ "2024-05-15 10:00:00", "INV-670500002", "B2", " ชา", 25, 1 });

    for (const char *table : { "FROM tblLog", "FROM tblRMoney" }) {
        SCOPED_TRACE(table);
        boxes.clear();
        Connection::setStatementHook([table](const QString &sql) {
            if (sql.contains(QLatin1String(table)))
                throw DbError(QStringLiteral("disk I/O error"), 10);
        });
        QTest::keyClick(control<DataGrid>(p, "summaryGrid"), Qt::Key_F5);
        Connection::setStatementHook({});
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
        EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("disk I/O error")));
        EXPECT_EQ(rows(p), before);
        EXPECT_EQ(totals(p), totalsBefore);
        EXPECT_EQ(control<DataGrid>(p, "summaryGrid")
                      ->getText(SummaryPage::ColAmount, DataGrid::HeaderRow),
            QStringLiteral("รวมเป็นเงิน"));
    }
}

TEST_F(SummaryPageTest, LayoutFollowsThePageSize)
{
    const int sixThousand = Twips::toPixelsY(6000), thirtyThousand = Twips::toPixelsX(30000);
    SummaryPage *p = open(QSize(thirtyThousand, sixThousand));
    const DataGrid *g = control<DataGrid>(p, "summaryGrid");
    EXPECT_NEAR(Twips::fromPixelsY(g->height()), 2900, 20);
    EXPECT_EQ(g->x(), 0);
    EXPECT_EQ(g->width(), p->width());
    const double SW = Twips::fromPixelsX(p->width());
    EXPECT_NEAR(g->colWidth(SummaryPage::ColCode), 40, 0.1);
    EXPECT_NEAR(g->colWidth(SummaryPage::ColName), 68.5, 0.1);
    EXPECT_DOUBLE_EQ(g->colWidth(SummaryPage::ColAmount), SW / 1416);

    // The links keep their distance from the banner's right end, the totals sit side by side
    // under the grid.
    const int banner = control<QLabel>(p, "banner")->width();
    EXPECT_NEAR(Twips::fromPixelsX(banner - control<TabLabel>(p, "printLink")->x()), 1750, 20);
    EXPECT_NEAR(Twips::fromPixelsX(banner - control<TabLabel>(p, "yearChartLink")->x()), 3970, 20);
    EXPECT_NEAR(Twips::fromPixelsX(banner - control<TabLabel>(p, "userSalesLink")->x()), 5970, 20);
    EXPECT_LT(control<QFrame>(p, "costFrame")->geometry().right(),
        control<QFrame>(p, "discountFrame")->x());
    EXPECT_LT(control<QFrame>(p, "discountFrame")->geometry().right(),
        control<QFrame>(p, "salesFrame")->x());
    EXPECT_LT(control<QFrame>(p, "salesFrame")->geometry().right(),
        control<QFrame>(p, "profitFrame")->x());
    EXPECT_GE(control<QFrame>(p, "costFrame")->mapTo(p, QPoint()).y(), g->geometry().bottom());

    // A page too small for the grid keeps going.
    p->resize(200, 100);
    EXPECT_EQ(g->height(), Twips::toPixelsY(2900));
}

TEST_F(SummaryPageTest, ScreenshotOfADaysSales)
{
    const char *names[]
        = { " น้ำดื่มตราช้าง 600 มล.", " ขนมปังโฮลวีท", " ไข่ไก่ เบอร์ 2", " กาแฟเย็น", " เกลือป่น" };
    for (int r = 1; r <= 6; ++r) {
        const QByteArray no = QByteArray("INV-67050000") + QByteArray::number(r);
        for (int i = 0; i < 1 + r % 3; ++i)
            line({ "2024-05-15 09:00:00", no.constData(),
                QByteArray("88500").append(char('0' + i)).constData(), names[(r + i) % 5],
                12.5 * (i + 1), 1 + i, 8.0 * (i + 1), i == 0 ? r * 1.0 : 0, "ชิ้นละ" });
        discount("2024-05-15 09:00:00", no.constData(), r);
    }
    SummaryPage *p = openFromFrame();
    ASSERT_NE(p, nullptr);
    EXPECT_GT(control<DataGrid>(p, "summaryGrid")->maxRows(), 6);
    saveScreenshot(p->window()->grab(), QStringLiteral("summary-today.png"));
}
