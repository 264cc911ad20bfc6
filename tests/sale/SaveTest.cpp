#include "PageFixture.h"
#include "platform/serial/CashDrawer.h"
#include "platform/ui/ProgramFolder.h"
#include "sale/SaleStore.h"
#include "shell/ShopDatabase.h"
#include "support/PtyPair.h"
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

namespace {
// Every row of the tables a sale touches, as text, to compare before and after.
QStringList dump(Connection &db)
{
    QStringList out;
    for (const char *sql : { "SELECT * FROM tblNumber ORDER BY nPK",
             "SELECT * FROM tblProduct ORDER BY PK", "SELECT * FROM tblLog ORDER BY LPK",
             "SELECT * FROM tblLog2 ORDER BY PK", "SELECT * FROM tblRMoney ORDER BY PK" }) {
        for (Recordset rs = db.query(QString::fromLatin1(sql)); !rs.eof(); rs.moveNext()) {
            QStringList row;
            for (int i = 0; i < rs.fieldCount(); ++i)
                row << rs.text(i);
            out << row.join(QLatin1Char('|'));
        }
    }
    return out;
}

struct HookGuard
{
    ~HookGuard() { Connection::setStatementHook(nullptr); }
};
struct MapperGuard
{
    ~MapperGuard() { CashDrawer::setDeviceMapper(nullptr); }
};
} // namespace

class SaveSale : public SalePageTest
{
protected:
    qint64 receiptCounter()
    {
        return dbInt(QStringLiteral("SELECT numA FROM tblNumber WHERE nPK = 2"));
    }
    qint64 rows(const char *table)
    {
        return dbInt(QStringLiteral("SELECT count(*) FROM ") + QString::fromLatin1(table));
    }
    qint64 stock(int pk)
    {
        return dbInt(QStringLiteral("SELECT PDvalue FROM tblProduct WHERE PK = ?1"), { pk });
    }
    bool nothingStored()
    {
        return receiptCounter() == 0 && rows("tblLog") == 0 && rows("tblLog2") == 0
            && rows("tblRMoney") == 0 && stock(1) == 50 && stock(2) == 1;
    }
};

TEST_F(SaveSale, TwoLinesWithTenPercentDiscount)
{
    open();
    scan(QStringLiteral("AB1")); // 120.00
    for (int i = 0; i < 4; ++i)
        scan(QStringLiteral("A_1")); // 4 x 20.00, the top line
    ASSERT_EQ(totalLabel(page)->text(), QStringLiteral("200.00"));
    choose(discountKind(page), 0);
    QTest::keyClicks(discountBox(page), QStringLiteral("10"));
    typeInto(cashBox(page), QStringLiteral("200"));
    ASSERT_EQ(changeLabel(page)->text(), QStringLiteral("20.00"));
    press(Qt::Key_F9);
    EXPECT_EQ(msgs.count(), 0);

    Connection &db = folder.db();
    EXPECT_EQ(
        db.scalar(QStringLiteral("SELECT numA || '/' || numMon FROM tblNumber WHERE nPK = 2")),
        QStringLiteral("1/05"));
    const QString no = QStringLiteral("INV-630500001");
    {
        Recordset rs = db.query(QStringLiteral("SELECT rMoney, rNo, rUser, rTime FROM tblRMoney"));
        ASSERT_FALSE(rs.eof());
        EXPECT_DOUBLE_EQ(rs.real(0), 20.0);
        EXPECT_EQ(rs.text(1), no);
        EXPECT_EQ(rs.text(2), QStringLiteral("Admin"));
        EXPECT_EQ(rs.text(3), QStringLiteral("2020-05-14 10:30:00"));
        rs.moveNext();
        EXPECT_TRUE(rs.eof());
    }
    {
        Recordset rs = db.query(QStringLiteral(
            "SELECT PK, dType, dSN, dName, dNo, dValueold, dValue, dValuenew, dUser FROM tblLog2 "
            "ORDER BY PK"));
        const QStringList expected[] = {
            { "1", "2", "A_1", "ปากกา", "INV-630500001", "9", "4", "5", "Admin" },
            { "2", "2", "AB1", "สบู่เหลว", "INV-630500001", "50", "1", "49", "Admin" },
        };
        for (const QStringList &e : expected) {
            ASSERT_FALSE(rs.eof());
            for (int i = 0; i < e.size(); ++i)
                EXPECT_EQ(rs.text(i), e[i]) << i;
            rs.moveNext();
        }
        EXPECT_TRUE(rs.eof());
    }
    {
        Recordset rs = db.query(QStringLiteral(
            "SELECT Lsn, Lname, Lvalue, Lnub, Lsell, Lraka, Lno, Lrod, Lsong, Lraka12, LUser, "
            "LTumnang, Ldate, Ldate2 FROM tblLog ORDER BY LPK"));
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.text(0), QStringLiteral("A_1"));
        EXPECT_EQ(rs.text(1), QStringLiteral(" ปากกา"));
        EXPECT_EQ(rs.integer(2), 4);
        EXPECT_DOUBLE_EQ(rs.real(4), 20.0);
        EXPECT_DOUBLE_EQ(rs.real(5), 12.0);
        EXPECT_EQ(rs.text(6), no);
        EXPECT_DOUBLE_EQ(rs.real(7), 20.0);
        EXPECT_EQ(rs.integer(8), 0);
        EXPECT_EQ(rs.integer(9), 0);
        EXPECT_EQ(rs.text(10), QStringLiteral("Admin"));
        EXPECT_EQ(rs.text(11), QStringLiteral("ผู้ดูแลระบบ"));
        EXPECT_EQ(rs.text(12), QStringLiteral("2020-05-14 10:30:00"));
        EXPECT_EQ(rs.text(13), QStringLiteral("2020-05-14"));
        rs.moveNext();
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.text(0), QStringLiteral("AB1"));
        EXPECT_EQ(rs.text(6), no);
        EXPECT_DOUBLE_EQ(rs.real(7), 0.0);
        rs.moveNext();
        EXPECT_TRUE(rs.eof());
    }
    EXPECT_EQ(stock(1), 49);
    EXPECT_EQ(stock(3), 5);

    // The page is empty for the next customer and still shows the saved sale's figures.
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("บันทึกแล้ว"));
    EXPECT_EQ(netLabel(page)->text(), QStringLiteral("180.00"));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("20.00"));
    EXPECT_EQ(discountBahtBox(page)->text(), QStringLiteral("20.00"));
    EXPECT_EQ(receiptNumberBox(page)->text(), no);
    EXPECT_EQ(discountBox(page)->text(), QString());
    EXPECT_EQ(cashBox(page)->text(), QString());
    EXPECT_EQ(discountKind(page)->currentIndex(), 0);
    EXPECT_EQ(lineCountLabel(page)->text(), QStringLiteral("สินค้าทั้งหมด  ( 0 )  รายการ"));
    EXPECT_EQ(QApplication::focusWidget(), codeBox(page));

    // The next sale takes the next number; entering a product recomputes the figures.
    scan(QStringLiteral("CD2"));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("35.50"));
    EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("0.00"));
    press(Qt::Key_F9);
    EXPECT_EQ(dbInt(QStringLiteral("SELECT count(*) FROM tblLog WHERE Lno = 'INV-630500002'")), 1);
    EXPECT_EQ(rows("tblRMoney"), 1) << "no discount, no discount row";
}

TEST_F(SaveSale, WholesaleFlagAndNegativeStock)
{
    open();
    for (int i = 0; i < 3; ++i)
        scan(QStringLiteral("CD2")); // stock 1, quantity 3
    for (int i = 0; i < 3; ++i)
        scan(QStringLiteral("AB1")); // wholesale line
    priceList(page)->setCurrentIndex(0);
    press(Qt::Key_F9);
    EXPECT_EQ(stock(2), -2);
    EXPECT_EQ(folder.db().scalar(QStringLiteral("SELECT dValueold || ',' || dValue || ',' || "
                                                "dValuenew FROM tblLog2 WHERE dSN = 'CD2'")),
        QStringLiteral("1,3,-2"));
    EXPECT_EQ(dbInt(QStringLiteral("SELECT count(*) FROM tblLog WHERE Lsong = 1")), 2);
}

TEST_F(SaveSale, RefusedAndCancelledSavesStoreNothing)
{
    open();
    press(Qt::Key_F9);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_TRUE(nothingStored());

    askBeforeSaving(page)->setChecked(true);
    scan(QStringLiteral("AB1"));
    msgs.clear();
    msgs.answer(MsgResult::Cancel);
    press(Qt::Key_F9);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(
        msgs.last().text, QStringLiteral("คุณแน่ใจ หรือ ไม่ ว่าคุณต้องการ บันทึก การขายสินค้า ทั้งหมด !!"));
    EXPECT_EQ(msgs.last().title, QStringLiteral("ยืนยันการบันทึก"));
    EXPECT_EQ(msgs.last().buttons, MsgButtons::OkCancel);
    EXPECT_EQ(msgs.last().defaultButton, MsgResult::Ok);
    EXPECT_TRUE(nothingStored());
    EXPECT_EQ(saleGrid(page)->maxRows(), 1);

    msgs.answer(MsgResult::Ok);
    press(Qt::Key_F9);
    EXPECT_EQ(receiptCounter(), 1);
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);
}

TEST_F(SaveSale, ProductDeletedBeforeTheSaveKeepsTheSale)
{
    open();
    scan(QStringLiteral("AB1"));
    scan(QStringLiteral("CD2"));
    typeInto(discountBox(page), QStringLiteral("5"));
    folder.db().execute(QStringLiteral("DELETE FROM tblProduct WHERE PK = 1"));
    press(Qt::Key_F9);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_TRUE(msgs.last().text.contains(QStringLiteral("AB1")));
    EXPECT_EQ(msgs.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_EQ(receiptCounter(), 0);
    EXPECT_EQ(rows("tblLog"), 0);
    EXPECT_EQ(rows("tblLog2"), 0);
    EXPECT_EQ(rows("tblRMoney"), 0);
    EXPECT_EQ(stock(2), 1);
    EXPECT_EQ(saleGrid(page)->maxRows(), 2);
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("155.50"));
    EXPECT_EQ(discountBox(page)->text(), QStringLiteral("5"));
    EXPECT_EQ(receiptNumberBox(page)->text(), QString());
}

TEST_F(SaveSale, FailureAfterTheFirstStockChangeLeavesTheDatabaseAsItWas)
{
    open();
    scan(QStringLiteral("AB1"));
    scan(QStringLiteral("CD2"));
    typeInto(discountBox(page), QStringLiteral("5"));
    const QStringList before = dump(folder.db());
    HookGuard guard;
    int stockUpdates = 0;
    Connection::setStatementHook([&](const QString &sql) {
        if (sql.startsWith(QLatin1String("UPDATE tblProduct")) && ++stockUpdates == 2)
            throw DbError(QStringLiteral("disk I/O error"));
    });
    press(Qt::Key_F9);
    Connection::setStatementHook(nullptr);
    EXPECT_EQ(stockUpdates, 2);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_TRUE(msgs.last().text.contains(QStringLiteral("disk I/O error")));
    EXPECT_EQ(dump(folder.db()), before);
    EXPECT_EQ(saleGrid(page)->maxRows(), 2);
    EXPECT_NE(totalLabel(page)->text(), QStringLiteral("บันทึกแล้ว"));

    // The same sale saves once the fault is gone, under the first number.
    msgs.clear();
    press(Qt::Key_F9);
    EXPECT_EQ(msgs.count(), 0);
    EXPECT_EQ(folder.db().scalar(QStringLiteral("SELECT DISTINCT Lno FROM tblLog")),
        QStringLiteral("INV-630500001"));
}

TEST_F(SaveSale, EnterInTheCashBoxSavesAndPrintsAfterTheCommit)
{
    int printed = 0;
    SalePage::Windows w;
    w.printReceipt = [&](QWidget *parent, const StoredSale &s) {
        ++printed;
        // The sale is stored and the page still holds it.
        EXPECT_EQ(parent, page);
        EXPECT_EQ(rows("tblLog"), 2);
        EXPECT_EQ(saleGrid(page)->maxRows(), 2);
        EXPECT_EQ(s.sale.lines.size(), 2);
        EXPECT_EQ(s.receiptNo, QStringLiteral("INV-630500001"));
        EXPECT_EQ(s.sale.cash, Currency::fromWhole(500));
        EXPECT_EQ(saleChange(s.sale)->format(), QStringLiteral("344.50"));
        EXPECT_EQ(changeLabel(page)->text(), QStringLiteral("344.50"));
        throw std::runtime_error("printer out of paper");
    };
    SalePage::setWindows(w);
    open();
    scan(QStringLiteral("AB1"));
    scan(QStringLiteral("CD2"));
    typeInto(cashBox(page), QStringLiteral("500"));
    QTest::keyClick(cashBox(page), Qt::Key_Return);
    SalePage::setWindows({});
    EXPECT_EQ(printed, 1);
    // A printing failure does not undo the sale.
    EXPECT_EQ(rows("tblLog"), 2);
    EXPECT_EQ(saleGrid(page)->maxRows(), 0);
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("บันทึกแล้ว"));
    ASSERT_EQ(msgs.count(), 1);

    // Without a receipt window F12 saves as F9 does.
    scan(QStringLiteral("CD2"));
    press(Qt::Key_F12);
    EXPECT_EQ(receiptCounter(), 2);
}

TEST_F(SaveSale, DrawerOpensOncePerSaleAfterTheConfirmation)
{
    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    MapperGuard guard;
    QList<int> ports;
    CashDrawer::setDeviceMapper([&](int n) {
        ports << n;
        return pty.slavePath();
    });
    setSwitches(true, true, "2");
    open();
    scan(QStringLiteral("AB1"));
    msgs.answer(MsgResult::Cancel);
    press(Qt::Key_F9);
    EXPECT_TRUE(ports.isEmpty()) << "a cancelled save leaves the drawer shut";
    EXPECT_EQ(pty.readAll(100), QByteArray());
    press(Qt::Key_F9);
    EXPECT_EQ(ports, QList<int> { 2 });
    EXPECT_EQ(pty.readAll(), QByteArray("AAAAAAAAAA"));
    EXPECT_EQ(receiptCounter(), 1);
    scan(QStringLiteral("AB1"));
    press(Qt::Key_F9);
    EXPECT_EQ(pty.readAll(), QByteArray("AAAAAAAAAA"));
    EXPECT_EQ(msgs.count(), 3) << "two confirmations and the first cancel, no warning";
}

TEST_F(SaveSale, MissingDrawerPortWarnsAfterTheSale)
{
    MapperGuard guard;
    const QString missing = folder.path() + QStringLiteral("/no-such-port");
    CashDrawer::setDeviceMapper([&](int) { return missing; });
    setSwitches(false, true, "1");
    open();
    scan(QStringLiteral("AB1"));
    press(Qt::Key_F9);
    EXPECT_EQ(receiptCounter(), 1);
    EXPECT_EQ(rows("tblLog"), 1);
    ASSERT_EQ(msgs.count(), 1);
    EXPECT_EQ(msgs.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_TRUE(msgs.last().text.startsWith(QStringLiteral("เปิดลิ้นชักเก็บเงินไม่ได้")));
    EXPECT_EQ(totalLabel(page)->text(), QStringLiteral("บันทึกแล้ว"));
}

// The child of the crash test: saves sales on the given program folder until it is killed.
TEST_F(SaveSale, CrashChild)
{
    const QString target = qEnvironmentVariable("KASMO_SALE_CRASH_CHILD");
    if (target.isEmpty())
        GTEST_SKIP() << "run by SaveSale.KilledInTheMiddleOfSavesLeavesWholeReceipts";
    ShopDatabase::close();
    ProgramFolder::setForTests(target);
    ASSERT_TRUE(ShopDatabase::open());
    open();
    for (;;) {
        scan(QStringLiteral("AB1"));
        scan(QStringLiteral("CD2"));
        scan(QStringLiteral("A_1"));
        typeInto(discountBox(page), QStringLiteral("3"));
        press(Qt::Key_F9);
    }
}

TEST_F(SaveSale, KilledInTheMiddleOfSavesLeavesWholeReceipts)
{
    if (!qEnvironmentVariableIsEmpty("KASMO_SALE_CRASH_CHILD"))
        GTEST_SKIP();
    ShopDatabase::close();
    for (int round = 0; round < 3; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KASMO_SALE_CRASH_CHILD"), folder.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
            { QStringLiteral("--gtest_filter=SaveSale.CrashChild") });
        ASSERT_TRUE(child.waitForStarted());
        // Let it store some receipts, then kill it at an arbitrary moment.
        QElapsedTimer t;
        t.start();
        const qint64 start = receiptCounter();
        while (receiptCounter() < start + 15 + round * 7 && t.elapsed() < 60000)
            QThread::msleep(5);
        QThread::msleep(round * 3);
        child.kill(); // SIGKILL
        child.waitForFinished();
        ASSERT_LT(t.elapsed(), 60000) << "the child stored too few sales";
    }

    Connection &db = folder.db();
    const qint64 receipts = dbInt(QStringLiteral("SELECT count(DISTINCT Lno) FROM tblLog"));
    EXPECT_GT(receipts, 30);
    EXPECT_EQ(receiptCounter(), receipts) << "a number taken is a receipt stored";
    EXPECT_EQ(dbInt(QStringLiteral("SELECT count(*) FROM (SELECT Lno FROM tblLog GROUP BY Lno "
                                   "HAVING count(*) <> 3)")),
        0);
    EXPECT_EQ(dbInt(QStringLiteral("SELECT count(*) FROM (SELECT dNo FROM tblLog2 GROUP BY dNo "
                                   "HAVING count(*) <> 3)")),
        0);
    EXPECT_EQ(dbInt(QStringLiteral("SELECT count(DISTINCT dNo) FROM tblLog2")), receipts);
    EXPECT_EQ(dbInt(QStringLiteral("SELECT count(*) FROM tblRMoney")), receipts);
    EXPECT_EQ(dbInt(QStringLiteral("SELECT count(DISTINCT rNo) FROM tblRMoney")), receipts);
    EXPECT_EQ(
        dbInt(QStringLiteral("SELECT count(*) FROM tblLog l WHERE NOT EXISTS "
                             "(SELECT 1 FROM tblLog2 m WHERE m.dNo = l.Lno AND m.dSN = l.Lsn)")),
        0);
    EXPECT_EQ(stock(1), 50 - receipts);
    EXPECT_EQ(stock(2), 1 - receipts);
    EXPECT_EQ(stock(3), 9 - receipts);
    // The movement rows chain each product's stock from one sale to the next.
    EXPECT_EQ(dbInt(QStringLiteral(
                  "SELECT count(*) FROM tblLog2 a JOIN tblLog2 b ON b.dSN = a.dSN AND b.PK = "
                  "(SELECT min(PK) FROM tblLog2 c WHERE c.dSN = a.dSN AND c.PK > a.PK) "
                  "WHERE b.dValueold <> a.dValuenew")),
        0);
    (void)db;
}

TEST_F(SaveSale, OneSaveReadsTheMovementKeyOnceAndASecondSavePreparesNothingNew)
{
    open();
    HookGuard guard;
    QStringList statements;
    Connection::setStatementHook([&](const QString &sql) { statements << sql; });
    const auto count = [&](const char *start) {
        int n = 0;
        for (const QString &s : statements)
            n += s.startsWith(QLatin1String(start)) ? 1 : 0;
        return n;
    };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        scan(QStringLiteral("AB1"));
        scan(QStringLiteral("CD2"));
        scan(QStringLiteral("A_1"));
        const int prepared = ShopDatabase::connection().statementsPrepared();
        statements.clear();
        press(Qt::Key_F9);
        ASSERT_EQ(msgs.count(), 0);
        EXPECT_EQ(count("SELECT Max(PK) FROM tblLog2"), 1);
        EXPECT_EQ(count("INSERT INTO tblLog2"), 3);
        EXPECT_EQ(count("INSERT INTO tblLog "), 3);
        if (round == 1) {
            EXPECT_EQ(ShopDatabase::connection().statementsPrepared(), prepared)
                << "every statement of a save is kept from the first one";
        }
    }
    // Keys go on from one save to the next.
    EXPECT_EQ(folder.db().scalar(QStringLiteral("SELECT group_concat(PK, ',') FROM "
                                                "(SELECT PK FROM tblLog2 ORDER BY PK)")),
        QStringLiteral("1,2,3,4,5,6"));
}

TEST_F(SaveSale, DrawerStaysShutWhenTheSaleFails)
{
    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    MapperGuard guard;
    int opened = 0;
    CashDrawer::setDeviceMapper([&](int) {
        ++opened;
        return pty.slavePath();
    });
    setSwitches(false, true, "1");
    open();
    scan(QStringLiteral("AB1"));
    folder.db().execute(QStringLiteral("DELETE FROM tblProduct WHERE PK = 1"));
    press(Qt::Key_F9);
    EXPECT_EQ(receiptCounter(), 0);
    EXPECT_EQ(opened, 0) << "nothing stored, no drawer";
    EXPECT_EQ(pty.readAll(100), QByteArray());
}
