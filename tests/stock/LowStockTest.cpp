#include "StockFixture.h"
#include "platform/db/Connection.h"
#include "support/FindControl.h"

namespace {
const QColor lowStock(215, 159, 158);
} // namespace

TEST_F(StockPageTest, AlertCountsTheLowProducts)
{
    struct Case
    {
        int low;
        int fine;
        QString caption; // empty: hidden
    } cases[] = {
        { 0, 3, QString() }, { 3, 2, QStringLiteral("(3) การแจ้งเตือน") },
        { 1234, 1, QStringLiteral("(1234) การแจ้งเตือน") }, // no thousands separator
    };
    bool first = true;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.low);
        {
            Connection &db = folder.db();
            db.execute(QStringLiteral("DELETE FROM tblProduct"));
            Transaction t(db);
            for (int i = 0; i < c.low + c.fine; ++i)
                db.execute(QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname, PDvalue, "
                                          "PDerror) VALUES (?1, ?2, ?3, ?4, 5)"),
                    { i + 1, QStringLiteral("P%1").arg(i + 1), QStringLiteral("สินค้า %1").arg(i),
                        i < c.low ? 4 : 5 });
            t.commit();
        }
        if (first)
            ASSERT_NE(open(), nullptr);
        else
            press(Qt::Key_F5);
        first = false;
        KasmoButton *alert = control<KasmoButton>(frame, "lowStockAlertButton");
        EXPECT_EQ(alert->isVisible(), !c.caption.isEmpty());
        EXPECT_EQ(alert->Enabled(), !c.caption.isEmpty());
        if (!c.caption.isEmpty()) {
            EXPECT_EQ(alert->Caption(), c.caption);
            EXPECT_EQ(alert->BackColor(), kasmoRGB(219, 159, 158));
        }
    }
    EXPECT_EQ(countLabel()->text(), QStringLiteral("ข้อมูลทั้งหมด :  1,235  รายการ"));
}

TEST_F(StockPageTest, AlertButtonShowsTheLowStockViewLowestFirst)
{
    add({ "N1", "สินค้าติดลบ", "", -3, 0 }); // negative against a limit of 0: low
    add({ "E1", "สินค้าพอดี", "", 5, 5 }); // at its limit: not low
    add({ "L1", "สินค้าเหลือน้อย", "", 1, 5 });
    add({ "L2", "สินค้าเหลือสอง", "", 2, 5 });
    add({ "OK", "สินค้าปกติ", "", 50, 5 });
    // A product whose group, unit and place rows are gone stays counted and listed.
    const qint64 orphan = add({ "G1", "สินค้าไม่มีหมวด", "", 0, 1, 10, "กล่อง", "หมวดเก่า", "ห้องเก่า" });
    folder.db().execute(QStringLiteral("DELETE FROM tblGroup WHERE gName = 'หมวดเก่า'"));
    folder.db().execute(QStringLiteral("DELETE FROM tblNub WHERE nName = 'กล่อง'"));
    folder.db().execute(QStringLiteral("DELETE FROM tblGeb WHERE geName = 'ห้องเก่า'"));

    ASSERT_NE(open(), nullptr);
    KasmoButton *alert = control<KasmoButton>(frame, "lowStockAlertButton");
    EXPECT_EQ(alert->Caption(), QStringLiteral("(4) การแจ้งเตือน"));
    ASSERT_EQ(codes().size(), 6);
    const int orphanRow = int(codes().indexOf(QStringLiteral("G1"))) + 1;
    ASSERT_GT(orphanRow, 0);
    EXPECT_EQ(cell(0, orphanRow), QString::number(orphan));
    for (int c : { 5, 7, 8 })
        EXPECT_EQ(cell(c, orphanRow), QString()) << c;
    // In the full list only the low products' stock cells are coloured: not the one at its limit.
    const QStringList listed = codes();
    for (int r = 1; r <= 6; ++r) {
        const bool low
            = listed[r - 1] != QLatin1String("E1") && listed[r - 1] != QLatin1String("OK");
        EXPECT_EQ(grid()->backColor(4, r), low ? lowStock : QColor()) << r;
    }

    click(alert);
    EXPECT_EQ(page->filter(), StockPage::ProductFilter::LowStock);
    EXPECT_EQ(codes(), (QStringList { "N1", "G1", "L1", "L2" }));
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(grid()->backColor(4, r), lowStock) << r;
    EXPECT_EQ(boxes.count(), 0);

    // F5 brings back the full list; the button stays while products are low.
    press(Qt::Key_F5);
    EXPECT_EQ(codes().size(), 6);
    EXPECT_TRUE(alert->isVisible());

    // Restocked meanwhile: the view finds nothing, says so, and the same load hid the button.
    folder.db().execute(QStringLiteral("UPDATE tblProduct SET PDvalue = 100"));
    click(alert);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(grid()->maxRows(), 0);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_FALSE(alert->Enabled());
}

TEST_F(StockPageTest, OtherPagesHideTheAlertAndTheStockPageCountsAgain)
{
    add({ "L1", "สินค้าเหลือน้อย", "", 1, 5 });
    ASSERT_NE(open(), nullptr);
    KasmoButton *alert = control<KasmoButton>(frame, "lowStockAlertButton");
    EXPECT_TRUE(alert->isVisible());
    QTest::mouseClick(control(frame, "saleTab"), Qt::LeftButton);
    settle();
    EXPECT_FALSE(alert->isVisible());
    // A sale elsewhere lowered another product below its limit.
    add({ "L2", "สินค้าขายแล้ว", "", 0, 1 });
    QTest::mouseClick(control(frame, "stockTab"), Qt::LeftButton);
    settle();
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->Caption(), QStringLiteral("(2) การแจ้งเตือน"));
}
