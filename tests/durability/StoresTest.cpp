#include "platform/grid/DataGrid.h"
#include "platform/ui/Clock.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowRegistry.h"
#include "sale/Returns.h"
#include "sale/SaleControls.h"
#include "sale/SaleFixture.h"
#include "sale/SalePage.h"
#include "sale/SaleRules.h"
#include "settings/DataMaintenance.h"
#include "shell/ShopDatabase.h"
#include "shell/SignedInUser.h"
#include "stock/GoodsReceivedWindow.h"
#include "stock/ProductStore.h"
#include "stock/StockUpdate.h"
#include "stock/StockUpdateStore.h"
#include "support/FindControl.h"
#include "support/PowerCutVfs.h"
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {
qint64 number(Connection &db, const char *sql, const QVariantList &params = {})
{
    return db.scalar(QString::fromLatin1(sql), params).toLongLong();
}

// A shop of three products for the documents below.
void stockShop(Connection &db)
{
    addTestUnits(db);
    addTestProduct(
        db, { .pk = 1, .code = "AB1", .name = "สบู่เหลว", .sell = 120, .cost = 80, .stock = 50 });
    addTestProduct(db,
        { .pk = 2,
            .code = "CD2",
            .name = "น้ำดื่ม",
            .sell = 35.5,
            .cost = 20,
            .stock = 40,
            .unit = 2 });
    addTestProduct(
        db, { .pk = 3, .code = "EF3", .name = "ปากกา", .sell = 20, .cost = 12, .stock = 30 });
}

// Receipts as stored: each has three lines and three movements, and the stock and the
// counter agree with the number of receipts.
void checkSales(Connection &db, qint64 before)
{
    const qint64 receipts = number(db, "SELECT count(DISTINCT Lno) FROM tblLog");
    EXPECT_TRUE(receipts == before || receipts == before + 1) << receipts;
    EXPECT_EQ(
        number(
            db, "SELECT count(*) FROM (SELECT Lno FROM tblLog GROUP BY Lno HAVING count(*) <> 3)"),
        0);
    EXPECT_EQ(number(db,
                  "SELECT count(*) FROM (SELECT dNo FROM tblLog2 WHERE dType = 2 GROUP BY dNo "
                  "HAVING count(*) <> 3)"),
        0);
    EXPECT_EQ(number(db, "SELECT count(DISTINCT dNo) FROM tblLog2 WHERE dType = 2"), receipts);
    EXPECT_EQ(number(db, "SELECT count(*) FROM tblRMoney"), receipts);
    EXPECT_EQ(number(db, "SELECT count(DISTINCT rNo) FROM tblRMoney"), receipts);
    EXPECT_EQ(number(db, "SELECT PDvalue FROM tblProduct WHERE PK = 1"), 50 - receipts);
    EXPECT_EQ(number(db, "SELECT PDvalue FROM tblProduct WHERE PK = 3"), 30 - receipts);
    // The counter is never behind the highest stored number, so no number is given twice.
    EXPECT_GE(number(db, "SELECT numA FROM tblNumber WHERE nPK = 2"),
        number(db, "SELECT coalesce(max(CAST(substr(Lno, 9) AS INTEGER)), 0) FROM tblLog"));
}

class StoreUnderPowerCut : public ::testing::Test
{
protected:
    void SetUp() override
    {
        PowerCutVfs::install();
        Clock::setFixed(QDateTime(QDate(2024, 5, 15), QTime(10, 30, 0)));
    }
    void TearDown() override
    {
        endRun();
        Clock::clearFixed();
        PowerCutVfs::uninstall();
    }

    // A fresh shop with the program's connection open.
    void startRun()
    {
        endRun();
        folder = std::make_unique<TempProgramFolder>();
        stockShop(folder->db());
        folder->closeDb();
        SignedInUser::reset();
        SignedInUser::name = QStringLiteral("Admin");
        SignedInUser::position = QStringLiteral("ผู้ดูแลระบบ");
        ASSERT_TRUE(ShopDatabase::open());
    }
    void endRun()
    {
        delete page;
        page = nullptr;
        ShopDatabase::close();
        folder.reset();
    }

    // The program goes down with the power: its windows and connection are gone, the disk keeps
    // what the cut leaves, and the next start opens the file again.
    Connection &powerCutAndRestart(std::uint32_t seed, int outcomes[3])
    {
        delete page;
        page = nullptr;
        ShopDatabase::close();
        folder->closeDb();
        ++outcomes[int(PowerCutVfs::cutPower(seed))];
        Connection &db = folder->db();
        EXPECT_EQ(db.scalar(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
        return db;
    }

    // Runs `prepare` then `document` on a fresh shop, once to count the document's write and
    // sync calls and then once per call with the power cut there; `check` reads the reopened file.
    void cutAtEveryPoint(const char *store, const std::function<void()> &prepare,
        const std::function<void()> &document, const std::function<void(Connection &)> &check)
    {
        startRun();
        prepare();
        PowerCutVfs::reset();
        document();
        const int points = PowerCutVfs::calls();
        ASSERT_GT(points, 1);
        int outcomes[3] = {};
        for (int point = 1; point <= points; ++point) {
            SCOPED_TRACE(testing::Message() << store << " cut at call " << point);
            startRun();
            prepare();
            PowerCutVfs::armCut(point);
            document();
            EXPECT_TRUE(PowerCutVfs::cutHappened());
            check(powerCutAndRestart(std::uint32_t(point * 7919), outcomes));
        }
        std::printf("%s: power cut at %d points: %d dropped, %d kept, %d torn\n", store, points,
            outcomes[0], outcomes[1], outcomes[2]);
    }

    void openPage()
    {
        page = new SalePage;
        page->resize(1024, 700);
        page->show();
        QApplication::setActiveWindow(page);
    }
    void sellThreeLinesWithDiscount()
    {
        for (const char *code : { "AB1", "CD2", "EF3" }) {
            codeBox(page)->setFocus();
            QTest::keyClicks(codeBox(page), QString::fromLatin1(code));
            QTest::keyClick(codeBox(page), Qt::Key_Return);
        }
        discountBox(page)->setFocus();
        QTest::keyClicks(discountBox(page), QStringLiteral("3"));
        QTest::keyClick(discountBox(page), Qt::Key_F9);
    }

    std::unique_ptr<TempProgramFolder> folder;
    ScriptedMessageBoxes boxes;
    SalePage *page = nullptr;
};
} // namespace

TEST_F(StoreUnderPowerCut, SaleOfThreeLinesWithADiscount)
{
    cutAtEveryPoint(
        "sale",
        [&] {
            openPage();
            sellThreeLinesWithDiscount();
            sellThreeLinesWithDiscount();
        },
        [&] { sellThreeLinesWithDiscount(); }, [&](Connection &db) { checkSales(db, 2); });
}

TEST_F(StoreUnderPowerCut, WholeBillReturn)
{
    QString bill;
    cutAtEveryPoint(
        "whole-bill return",
        [&] {
            openPage();
            sellThreeLinesWithDiscount();
            sellThreeLinesWithDiscount();
            bill = ShopDatabase::connection()
                       .scalar(QStringLiteral("SELECT max(Lno) FROM tblLog"))
                       .toString();
        },
        [&] {
            try {
                returnWholeBill(
                    ShopDatabase::connection(), bill, { QStringLiteral("Admin"), Clock::now() });
            } catch (const DbError &) { }
        },
        [&](Connection &db) {
            const qint64 lines = number(db, "SELECT count(*) FROM tblLog WHERE Lno = ?", { bill });
            const qint64 returns
                = number(db, "SELECT count(*) FROM tblLog2 WHERE dType = 3 AND dNo = ?", { bill });
            const qint64 discount
                = number(db, "SELECT count(*) FROM tblRMoney WHERE rNo = ?", { bill });
            const bool stored = lines == 0 && returns == 3 && discount == 0;
            const bool absent = lines == 3 && returns == 0 && discount == 1;
            EXPECT_TRUE(stored || absent) << lines << " " << returns << " " << discount;
            EXPECT_EQ(number(db, "SELECT PDvalue FROM tblProduct WHERE PK = 1"), stored ? 49 : 48);
        });
}

TEST_F(StoreUnderPowerCut, SingleLineReturn)
{
    QString bill;
    qint64 line = 0;
    cutAtEveryPoint(
        "single-line return",
        [&] {
            openPage();
            for (int i = 0; i < 3; ++i) {
                codeBox(page)->setFocus();
                QTest::keyClicks(codeBox(page), QStringLiteral("AB1"));
                QTest::keyClick(codeBox(page), Qt::Key_Return);
            }
            QTest::keyClick(codeBox(page), Qt::Key_F9);
            bill = ShopDatabase::connection()
                       .scalar(QStringLiteral("SELECT max(Lno) FROM tblLog"))
                       .toString();
            line = ShopDatabase::connection()
                       .scalar(QStringLiteral("SELECT LPK FROM tblLog WHERE Lno = ?"), { bill })
                       .toLongLong();
        },
        [&] {
            try {
                returnBillLine(ShopDatabase::connection(), bill, line, 2,
                    { QStringLiteral("Admin"), Clock::now() });
            } catch (const DbError &) { }
        },
        [&](Connection &db) {
            const qint64 left
                = number(db, "SELECT sum(Lvalue) FROM tblLog WHERE Lno = ?", { bill });
            const qint64 returns
                = number(db, "SELECT count(*) FROM tblLog2 WHERE dType = 3 AND dNo = ?", { bill });
            const qint64 stock = number(db, "SELECT PDvalue FROM tblProduct WHERE PK = 1");
            const bool stored = left == 1 && returns == 1 && stock == 49;
            const bool absent = left == 3 && returns == 0 && stock == 47;
            EXPECT_TRUE(stored || absent) << left << " " << returns << " " << stock;
        });
}

TEST_F(StoreUnderPowerCut, ClearingTheSales)
{
    cutAtEveryPoint(
        "clearing the sales",
        [&] {
            openPage();
            sellThreeLinesWithDiscount();
            sellThreeLinesWithDiscount();
        },
        [&] {
            try {
                DataMaintenance::clearSales(ShopDatabase::connection());
            } catch (const DbError &) { }
        },
        [&](Connection &db) {
            const qint64 lines = number(db, "SELECT count(*) FROM tblLog");
            const qint64 discounts = number(db, "SELECT count(*) FROM tblRMoney");
            const qint64 counter = number(db, "SELECT numA FROM tblNumber WHERE nPK = 2");
            const qint64 dayLines = number(db, "SELECT coalesce(sum(tLines), 0) FROM tblDayTotal");
            const bool cleared = lines == 0 && discounts == 0 && counter == 0 && dayLines == 0;
            const bool kept = lines == 6 && discounts == 2 && counter == 2 && dayLines == 6;
            EXPECT_TRUE(cleared || kept)
                << lines << " " << discounts << " " << counter << " " << dayLines;
            // Either way the totals go on counting the lines down.
            EXPECT_EQ(number(db,
                          "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name = "
                          "'trDayTotalDelete'"),
                1);
        });
}

TEST_F(StoreUnderPowerCut, NewProductWithNewLookupNames)
{
    const auto product = [](int n) {
        ProductValue p;
        p.autoCode = true;
        p.name = QStringLiteral("สินค้าใหม่ %1").arg(n);
        p.group = QStringLiteral("กลุ่มที่ %1").arg(n);
        p.place = QStringLiteral("ชั้นที่ %1").arg(n);
        p.unit = QStringLiteral("ขวด %1").arg(n);
        p.sell = Currency::fromWhole(10 + n);
        p.stock = n;
        return p;
    };
    cutAtEveryPoint(
        "new product",
        [&] {
            ProductStore store(ShopDatabase::connection());
            store.insert(product(1), Clock::now().date());
            store.insert(product(2), Clock::now().date());
        },
        [&] {
            try {
                ProductStore(ShopDatabase::connection()).insert(product(3), Clock::now().date());
            } catch (const DbError &) { }
        },
        [&](Connection &db) {
            const qint64 products = number(db, "SELECT count(*) FROM tblProduct WHERE PAuto <> 0");
            const qint64 counter = number(db, "SELECT numA FROM tblNumber WHERE nPK = 3");
            const qint64 groups = number(db, "SELECT count(*) FROM tblGroup WHERE gPK > 0");
            const qint64 places = number(db, "SELECT count(*) FROM tblGeb WHERE gePK > 0");
            const qint64 units = number(db, "SELECT count(*) FROM tblNub WHERE nPK > 2");
            const bool stored = products == 3 && groups == 3 && places == 3 && units == 3;
            const bool absent = products == 2 && groups == 2 && places == 2 && units == 2;
            EXPECT_TRUE(stored || absent)
                << products << " " << groups << " " << places << " " << units;
            // The code counter is never behind the codes handed out.
            EXPECT_GE(counter, products);
            EXPECT_EQ(number(db,
                          "SELECT count(*) FROM (SELECT PDsn FROM tblProduct "
                          "GROUP BY PDsn HAVING count(*) > 1)"),
                0);
            if (stored) {
                EXPECT_EQ(number(db,
                              "SELECT count(*) FROM tblProduct p JOIN tblGroup g ON "
                              "g.gPK = p.GroupFK WHERE g.gName = ?",
                              { QStringLiteral("กลุ่มที่ 3") }),
                    1);
            }
        });
}

TEST_F(StoreUnderPowerCut, GoodsReceivedDocument)
{
    const auto receive = [] {
        StockUpdate doc;
        for (const char *code : { "AB1", "CD2", "EF3", "AB1" })
            doc.add(*findProductByCode(ShopDatabase::connection(), QString::fromLatin1(code)));
        return StockUpdateStore(ShopDatabase::connection())
            .save(doc, { QStringLiteral("Admin"), Clock::now(), QStringLiteral("ส่งของ") });
    };
    cutAtEveryPoint(
        "goods received",
        [&] {
            receive();
            receive();
        },
        [&] {
            try {
                receive();
            } catch (const DbError &) { }
        },
        [&](Connection &db) {
            const qint64 documents
                = number(db, "SELECT count(DISTINCT dNo) FROM tblLog2 WHERE dType = 1");
            EXPECT_TRUE(documents == 2 || documents == 3) << documents;
            EXPECT_EQ(number(db,
                          "SELECT count(*) FROM (SELECT dNo FROM tblLog2 WHERE dType = 1 "
                          "GROUP BY dNo HAVING count(*) <> 3)"),
                0);
            EXPECT_EQ(
                number(db, "SELECT PDvalue FROM tblProduct WHERE PK = 1"), 50 + 2 * documents);
            EXPECT_EQ(number(db, "SELECT PDvalue FROM tblProduct WHERE PK = 3"), 30 + documents);
            EXPECT_GE(number(db, "SELECT numA FROM tblNumber WHERE nPK = 1"),
                number(db,
                    "SELECT coalesce(max(CAST(substr(dNo, 8) AS INTEGER)), 0) FROM tblLog2 "
                    "WHERE dType = 1"));
        });
}

TEST_F(StoreUnderPowerCut, FullDiskDuringGoodsReceivedKeepsTheLinesAndStoresNothing)
{
    const auto openWindow = [&] {
        GoodsReceivedWindow *w = WindowRegistry::instance<GoodsReceivedWindow>();
        w->show();
        QApplication::setActiveWindow(w);
        for (const char *code : { "AB1", "CD2", "EF3" }) {
            control<QLineEdit>(w, "codeBox")->setFocus();
            QTest::keyClicks(control<QLineEdit>(w, "codeBox"), QString::fromLatin1(code));
            QTest::keyClick(control<QLineEdit>(w, "codeBox"), Qt::Key_Return);
        }
        return w;
    };
    startRun();
    GoodsReceivedWindow *w = openWindow();
    PowerCutVfs::reset();
    QTest::keyClick(control<QLineEdit>(w, "codeBox"), Qt::Key_F9);
    const int writes = PowerCutVfs::calls();
    ASSERT_EQ(number(ShopDatabase::connection(), "SELECT count(*) FROM tblLog2"), 3);
    int refused = 0;
    for (int point = 1; point <= writes; ++point) {
        SCOPED_TRACE(point);
        startRun();
        w = openWindow();
        boxes.clear();
        PowerCutVfs::armDiskFull(point);
        QTest::keyClick(control<QLineEdit>(w, "codeBox"), Qt::Key_F9);
        PowerCutVfs::reset();
        if (number(ShopDatabase::connection(), "SELECT count(*) FROM tblLog2") == 3) {
            delete w;
            continue; // the commit was durable before the disk filled
        }
        ++refused;
        EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("บันทึกการอัพเดทสต๊อกไม่สำเร็จ")))
            << qPrintable(boxes.last().text);
        EXPECT_EQ(control<DataGrid>(w, "lineGrid")->maxRows(), 3) << "the lines stay on the screen";
        EXPECT_EQ(control<QLineEdit>(w, "documentNumberBox")->text(), QStringLiteral("ระบบอัตโนมัติ"));
        EXPECT_EQ(
            number(ShopDatabase::connection(), "SELECT numA FROM tblNumber WHERE nPK = 1"), 0);
        EXPECT_EQ(
            number(ShopDatabase::connection(), "SELECT PDvalue FROM tblProduct WHERE PK = 1"), 50);
        QTest::keyClick(control<QLineEdit>(w, "codeBox"), Qt::Key_F9);
        EXPECT_EQ(number(ShopDatabase::connection(), "SELECT count(*) FROM tblLog2"), 3);
        EXPECT_EQ(
            number(ShopDatabase::connection(), "SELECT PDvalue FROM tblProduct WHERE PK = 1"), 51);
        delete w;
    }
    EXPECT_GT(refused, writes / 2);
    std::printf("goods received on a full disk: %d write and sync calls, %d saves refused and "
                "retried\n",
        writes, refused);
}

TEST_F(StoreUnderPowerCut, FullDiskDuringASaleKeepsTheSaleOnTheScreenAndStoresNothing)
{
    startRun();
    openPage();
    sellThreeLinesWithDiscount();
    PowerCutVfs::reset();
    sellThreeLinesWithDiscount();
    const int writes = PowerCutVfs::calls();
    int refused = 0;
    for (int point = 1; point <= writes; ++point) {
        SCOPED_TRACE(point);
        startRun();
        openPage();
        sellThreeLinesWithDiscount();
        boxes.clear();
        PowerCutVfs::armDiskFull(point);
        sellThreeLinesWithDiscount();
        if (number(ShopDatabase::connection(), "SELECT count(DISTINCT Lno) FROM tblLog") == 2)
            continue; // the commit was durable before the disk filled (a later write failed)
        ++refused;
        ASSERT_GT(boxes.count(), 0);
        EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("บันทึกการขายไม่สำเร็จ")));
        EXPECT_EQ(saleGrid(page)->maxRows(), 3) << "the sale stays on the screen";
        PowerCutVfs::reset();
        checkSales(ShopDatabase::connection(), 1);
        QTest::keyClick(discountBox(page), Qt::Key_F9);
        EXPECT_EQ(number(ShopDatabase::connection(), "SELECT count(DISTINCT Lno) FROM tblLog"), 2);
        checkSales(ShopDatabase::connection(), 2);
    }
    EXPECT_GT(refused, writes / 2);
    std::printf("sale on a full disk: %d write and sync calls, %d saves refused and retried\n",
        writes, refused);
}
