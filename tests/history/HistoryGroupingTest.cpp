#include "HistoryFixture.h"
#include "support/Screenshots.h"
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

using HistoryGrouping = HistoryFixture;

namespace {
const QColor kHeaderBack(219, 226, 224);
const QColor kHeaderText(21, 66, 139);
const QColor kGrouped(159, 185, 199);
} // namespace

TEST_F(HistoryGrouping, ThreeDocumentsOfTwoOneAndThreeMovements)
{
    // Newest first from the query; the grouping orders documents by number, receipts first.
    const TestMovement rows[] = {
        { 1, 1, "2024-05-02 07:30:00", "SA-670500001", "P-1", "นมสด", "กล่อง", "STOCK", "รับเข้า" },
        { 2, 1, "2024-05-02 07:30:00", "SA-670500001", "P-2", "นมเปรี้ยว", "ขวด", "STOCK", "รับเข้า" },
        { 3, 2, "2024-05-03 09:00:00", "INV-670500002", "B-2", "เนย", "", "CASHIER" },
        { 4, 2, "2024-05-01 10:00:00", "INV-670500001", "C-1", "ไข่", "แผง", "CASHIER" },
        { 5, 2, "2024-05-01 10:00:00", "INV-670500001", "C-2", "ขนม", "ห่อ", "CASHIER" },
        // A return on the first receipt, two days later by another user.
        { 6, 3, "2024-05-03 18:00:00", "INV-670500001", "C-1", "ไข่", "แผง", "ADMIN" },
    };
    for (const TestMovement &m : rows)
        addMovement(m);
    withWindow([&](HistoryWindow *w) {
        chooseMonth(w, 4);
        click(control<QPushButton>(w, "searchButton"));
        DataGrid *g = control<DataGrid>(w, "historyGrid");
        ASSERT_EQ(g->maxRows(), 9);
        EXPECT_EQ(w->windowTitle(), HistoryWindow::foundCaption(6));
        struct Row
        {
            const char *key; // column 0: the movement's key, empty in a header row
            const char *col1;
            const char *col2;
        } expected[] = {
            // The receipt's rows keep the query's order (newest first, then by code), so the
            // caption comes from its first movement: the sale's time and user, not the
            // return's.
            { "", "INV-670500001", "[ เมื่อ 01/05/2024 10:00:00 ][ โดย CASHIER ][ หมายเหตุ  ]" },
            { "6", "คืนสินค้า", " C-1 , ไข่ แผง" },
            { "4", "จ่ายออกปกติ", " C-1 , ไข่ แผง" },
            { "5", "จ่ายออกปกติ", " C-2 , ขนม ห่อ" },
            { "", "INV-670500002", "[ เมื่อ 03/05/2024 09:00:00 ][ โดย CASHIER ][ หมายเหตุ  ]" },
            { "3", "จ่ายออกปกติ", " B-2 , เนย " },
            { "", "SA-670500001", "[ เมื่อ 02/05/2024 07:30:00 ][ โดย STOCK ][ หมายเหตุ รับเข้า ]" },
            { "1", "อัพเดทสต๊อก", " P-1 , นมสด กล่อง" },
            { "2", "อัพเดทสต๊อก", " P-2 , นมเปรี้ยว ขวด" },
        };
        for (int r = 1; r <= 9; ++r) {
            const Row &e = expected[r - 1];
            EXPECT_EQ(g->getText(0, r), QString::fromUtf8(e.key)) << r;
            EXPECT_EQ(g->getText(1, r), QString::fromUtf8(e.col1)) << r;
            EXPECT_EQ(g->getText(2, r), QString::fromUtf8(e.col2)) << r;
        }
        // The hidden columns moved with their rows.
        EXPECT_EQ(g->getText(HistoryWindow::ColDocument, 2), QStringLiteral("INV-670500001"));
        EXPECT_EQ(g->getText(HistoryWindow::ColUser, 2), QStringLiteral("ADMIN"));
        EXPECT_EQ(g->getText(HistoryWindow::ColTime, 4), QStringLiteral("2024-05-01 10:00:00"));
        for (int header : { 1, 5, 7 }) {
            for (int c = 3; c <= 9; ++c)
                EXPECT_EQ(g->getText(c, header), QString()) << header << " col " << c;
            for (int c = 0; c <= 10; ++c) {
                EXPECT_EQ(g->backColor(c, header), kHeaderBack) << header << " col " << c;
                EXPECT_EQ(g->foreColor(c, header), kHeaderText) << header << " col " << c;
            }
        }
        // The data rows without a colour of their own all show the grouped rows' colour.
        for (int r : { 2, 3, 4, 6, 8, 9 })
            for (int c : { 2, 5, 6, 7 })
                EXPECT_EQ(shownBack(g, c, r), kGrouped) << r << " col " << c;
        EXPECT_EQ(shownBack(g, HistoryWindow::ColType, 2), QColor(215, 159, 158)); // the return
        EXPECT_EQ(shownBack(g, HistoryWindow::ColType, 8), kGrouped); // a stock update
        EXPECT_EQ(g->activeRow(), 1);
        EXPECT_EQ(g->activeCol(), 1);
        EXPECT_TRUE(g->redraw());
    });
}

TEST_F(HistoryGrouping, HeadersAtOneFourAndSixForRunsOfTwoOneAndThree)
{
    const TestMovement rows[] = {
        { 1, 2, "2024-05-01 10:00:00", "INV-670500001" },
        { 2, 2, "2024-05-01 10:00:00", "INV-670500001" },
        { 3, 2, "2024-05-02 10:00:00", "INV-670500002" },
        { 4, 1, "2024-05-03 07:00:00", "SA-670500001" },
        { 5, 1, "2024-05-03 07:00:00", "SA-670500001" },
        { 6, 1, "2024-05-03 07:00:00", "SA-670500001" },
    };
    for (const TestMovement &m : rows)
        addMovement(m);
    withWindow([&](HistoryWindow *w) {
        chooseMonth(w, 12);
        click(control<QPushButton>(w, "searchButton"));
        DataGrid *g = control<DataGrid>(w, "historyGrid");
        ASSERT_EQ(g->maxRows(), 9);
        QList<int> headers;
        for (int r = 1; r <= 9; ++r)
            if (g->getText(0, r).isEmpty())
                headers << r;
        EXPECT_EQ(headers, (QList<int> { 1, 4, 6 }));
        // A header row's caption spans columns 2 to 8.
        for (int header : headers)
            EXPECT_EQ(g->columnSpan(header - 1, HistoryWindow::ColProduct), 7) << header;
        EXPECT_EQ(g->columnSpan(1, HistoryWindow::ColProduct), 1);
    });
}

TEST_F(HistoryGrouping, LooksAsDesignedAfterAGroupedSearch)
{
    const char *names[] = { "น้ำดื่ม", "สบู่เหลว", "ยาสีฟัน", "ขนมปังแผ่น", "นมสด" };
    int pk = 0;
    for (int doc = 1; doc <= 6; ++doc) {
        const QByteArray no
            = QStringLiteral("INV-6705%1").arg(doc, 5, 10, QLatin1Char('0')).toUtf8();
        const QByteArray when = QStringLiteral("2024-05-%1 1%2:15:00")
                                    .arg(doc + 8, 2, 10, QLatin1Char('0'))
                                    .arg(doc)
                                    .toUtf8();
        for (int line = 0; line < 1 + doc % 3; ++line) {
            ++pk;
            addMovement({ pk, doc == 4 && line == 1 ? 3 : 2, when.constData(), no.constData(),
                "885000000012", names[pk % 5], "ขนาดกลาง", "CASHIER", "", 40, 2, 38 });
        }
    }
    addMovement({ ++pk, 1, "2024-05-14 07:30:00", "SA-670500001", "885000000012", "น้ำดื่ม",
        "ขนาดกลาง", "ADMIN", "รับสินค้าเข้า", 38, 24, 62 });
    withWindow([&](HistoryWindow *w) {
        w->show();
        chooseMonth(w, 4);
        click(control<QPushButton>(w, "searchButton"));
        QTest::qWait(50);
        // Nothing of the top band may run past the window.
        for (QWidget *c : { static_cast<QWidget *>(control<QGroupBox>(w, "typeFrame")),
                 static_cast<QWidget *>(control<QComboBox>(w, "monthList")),
                 static_cast<QWidget *>(control<QGroupBox>(w, "yearFrame")),
                 static_cast<QWidget *>(control<QLineEdit>(w, "searchBox")) })
            EXPECT_LE(c->geometry().right(), w->width()) << c->objectName().toStdString();
        EXPECT_EQ(control<DataGrid>(w, "historyGrid")->geometry().bottom() + 1, w->height());
        saveScreenshot(w->grab(), "history-HistoryWindow.png");
    });
}

// The one-day box lies in the blanks before its frame's caption and leaves the word readable.
TEST_F(HistoryGrouping, TheOneDayBoxLeavesItsCaptionReadable)
{
    withWindow([&](HistoryWindow *w) {
        w->show();
        QGroupBox *frame = control<QGroupBox>(w, "dayFrame");
        QStyleOptionGroupBox opt;
        opt.initFrom(frame);
        opt.text = frame->title();
        opt.textAlignment = frame->alignment();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        opt.lineWidth = 1;
        const QRect label = frame->style()->subControlRect(
            QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, frame);
        const QString title = frame->title();
        const QString blanks = title.left(title.size() - title.trimmed().size());
        ASSERT_EQ(blanks.size(), 5);
        // Where the first letter of "วันที่" is drawn, in window coordinates.
        const int wordLeft
            = frame->mapTo(w, label.topLeft()).x() + frame->fontMetrics().horizontalAdvance(blanks);

        QStyleOptionButton box;
        box.initFrom(control<QCheckBox>(w, "dayCheck"));
        const QRect indicator = control<QCheckBox>(w, "dayCheck")
                                    ->style()
                                    ->subElementRect(QStyle::SE_CheckBoxIndicator, &box,
                                        control<QCheckBox>(w, "dayCheck"));
        const int boxRight = control<QCheckBox>(w, "dayCheck")->mapTo(w, indicator.topRight()).x();
        EXPECT_LT(boxRight, wordLeft);
        // Still over the frame's caption line, as designed.
        EXPECT_GE(control<QCheckBox>(w, "dayCheck")->geometry().left(), frame->geometry().left());
        saveScreenshot(w->grab(QRect(frame->geometry().topLeft() - QPoint(4, 4), QSize(120, 70))),
            "history-one-day-box.png");
    });
}
