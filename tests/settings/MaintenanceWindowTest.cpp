// The settings window's data maintenance, driven by clicks with scripted message boxes and file
// dialogs: what each action keeps, deletes and resets, its confirmations, its failures.
#include "AppWindows.h"
#include "SettingsFixture.h"
#include "platform/db/Connection.h"
#include "platform/ui/MessageBox.h"
#include "sale/SalePage.h"
#include "shell/MainFrame.h"
#include "shell/ShopDatabase.h"
#include "support/FindControl.h"
#include "support/PtyPair.h"
#include "support/Screenshots.h"
#include "support/UnwritableFolder.h"
#include "support/WindowDriving.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <iostream>

namespace {

const QString DeleteTitle = QStringLiteral("ยืนยันการลบข้อมูล");
const QString AllDeleted = QStringLiteral("ลบข้อมูลทั้งหมดเสร็จสิ้นแล้ว...... ");

struct Action
{
    const char *name;
    const char *button;
    QStringList questions;
    QString title;
    QString done;
    // What the data must hold afterwards.
    std::function<void()> check;
};

class DataMaintenanceTest : public SettingsFixture
{
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        seedShop();
    }
    // Back to the seeded shop for the next case.
    void reseed()
    {
        for (const char *table : { "tblProduct", "tblLog", "tblLog2", "tblRMoney" })
            sql(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)));
        sql(QStringLiteral("DELETE FROM tblNub WHERE nPK > 0"));
        sql(QStringLiteral("DELETE FROM tblGroup WHERE gPK > 0"));
        sql(QStringLiteral("DELETE FROM tblGeb WHERE gePK > 0"));
        sql(QStringLiteral("DELETE FROM tblUser WHERE PK > 1"));
        seedShop();
    }
    void expectSeedCounters(std::initializer_list<int> rows)
    {
        const QStringList seeded
            = { QString(), QStringLiteral("5/05"), QStringLiteral("7/05"), QStringLiteral("9/00"),
                  QStringLiteral("1/00"), QStringLiteral("1/00"), QStringLiteral("1/2") };
        for (int r : rows)
            EXPECT_EQ(counterRow(r), seeded[r]) << "row " << r;
    }
};

// Runs every case of the table: Cancel at each confirmation changes nothing, then OK at all of
// them does exactly what the action lists.
TEST_F(DataMaintenanceTest, EachActionAsksThenKeepsAndResetsWhatItLists)
{
    const Action actions[] = {
        { "clear sales", "clearSalesButton",
            { QStringLiteral("คุณแน่ใจว่าต้องการลบข้อมูล ( สรุปยอดการขาย !! ) ออกทั้งหมด แน่ใจ?"),
                QStringLiteral("โปรดกดปุ่ม OK อีกครั้งเพื่อยืนยันว่าคุณต้องการ ลบข้อมูล ( "
                               "สรุปยอดการขาย !!!!!! )") },
            DeleteTitle, AllDeleted,
            [this] {
                EXPECT_EQ(count("tblLog"), 0);
                EXPECT_EQ(count("tblRMoney"), 0);
                EXPECT_EQ(count("tblLog2"), 2);
                EXPECT_EQ(count("tblProduct"), 4);
                EXPECT_EQ(counterRow(2), "0/00");
                expectSeedCounters({ 1, 3, 4, 5, 6 });
            } },
        { "clear history", "clearHistoryButton",
            { QStringLiteral("คุณแน่ใจว่าต้องการลบ ( ข้อมูลย้อนหลัง !! ) ออกทั้งหมด แน่ใจ?"),
                QStringLiteral("โปรดกดปุ่ม OK อีกครั้งเพื่อยืนยันว่าคุณต้องการ ลบ( "
                               "ข้อมูลย้อนหลัง !!!!!! )") },
            DeleteTitle, AllDeleted,
            [this] {
                EXPECT_EQ(count("tblLog2"), 0);
                EXPECT_EQ(count("tblLog"), 3);
                EXPECT_EQ(count("tblRMoney"), 1);
                EXPECT_EQ(count("tblProduct", "PDvalue = -5"), 1);
                EXPECT_EQ(counterRow(1), "0/00");
                expectSeedCounters({ 2, 3, 4, 5, 6 });
            } },
        { "zero negative stock", "zeroNegativeStockButton",
            { QStringLiteral("คุณแน่ใจว่าต้องการปรับ ( สินค้าคงเหลือติดลบทั้งหมด ) ให้ = 0?") },
            QStringLiteral("ยืนยันการปรับ"),
            QStringLiteral("ปรับข้อมูลทั้งหมดเสร็จสิ้นแล้ว โปรดทำการ (รีโหลดข้อมูลคลังสินค้า) ใหม่อีกครั้ง.."),
            [this] {
                Recordset rs = db().query(
                    QStringLiteral("SELECT group_concat(PDvalue) FROM (SELECT PDvalue FROM "
                                   "tblProduct ORDER BY PK)"));
                EXPECT_EQ(rs.text(0), "0,0,7,0");
                EXPECT_EQ(count("tblLog2"), 2) << "no movement row";
                expectSeedCounters({ 1, 2, 3, 4, 5, 6 });
            } },
    };
    for (const Action &a : actions) {
        SCOPED_TRACE(a.name);
        reseed();
        const QStringList before = dump();
        for (int cancelAt = 0; cancelAt < a.questions.size(); ++cancelAt) {
            boxes.clear();
            for (int i = 0; i < cancelAt; ++i)
                boxes.answer(MsgResult::Ok);
            boxes.answer(MsgResult::Cancel);
            inWindow([&](SettingsWindow &w) { click(in<KasmoButton>(w, a.button)); });
            EXPECT_EQ(dump(), before) << "cancel at question " << cancelAt + 1;
            ASSERT_EQ(boxes.count(), cancelAt + 1);
            for (int i = 0; i <= cancelAt; ++i) {
                const MessageRequest &q = boxes.shown[i];
                EXPECT_EQ(q.text, a.questions[i]);
                EXPECT_EQ(q.title, a.title);
                EXPECT_EQ(q.icon, MsgIcon::Warning);
                EXPECT_EQ(q.buttons, MsgButtons::OkCancel);
                EXPECT_EQ(q.defaultButton, MsgResult::Cancel);
            }
        }
        boxes.clear();
        for (int i = 0; i < a.questions.size(); ++i)
            boxes.answer(MsgResult::Ok);
        inWindow([&](SettingsWindow &w) { click(in<KasmoButton>(w, a.button)); });
        ASSERT_EQ(boxes.count(), a.questions.size() + 1);
        EXPECT_EQ(boxes.last().text, a.done);
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
        EXPECT_EQ(boxes.last().icon, MsgIcon::Information);
        a.check();
        EXPECT_EQ(programEnds, 0);
    }
}

TEST_F(DataMaintenanceTest, DeleteAllKeepsTheSetUpAndEndsTheProgram)
{
    const QStringList before = dump();
    for (int cancelAt = 0; cancelAt < 2; ++cancelAt) {
        for (int i = 0; i < cancelAt; ++i)
            boxes.answer(MsgResult::Ok);
        boxes.answer(MsgResult::Cancel);
        inWindow([&](SettingsWindow &w) { click(in<KasmoButton>(w, "deleteAllButton")); });
        EXPECT_EQ(dump(), before);
    }
    ASSERT_EQ(boxes.count(), 3);
    EXPECT_EQ(boxes.shown[0].text,
        QStringLiteral("คุณแน่ใจว่าต้องการลบ  ( ข้อมูลในฐานข้อมูลจะถูกลบทั้งหมด !! ) แน่ใจ?"));
    EXPECT_EQ(boxes.shown[2].text,
        QStringLiteral("โปรดกดปุ่ม OK อีกครั้งเพื่อยืนยันว่าคุณต้องการ ( ลบข้อมูลทั้งหมด !!!!!!!!! )"));
    for (const MessageRequest &q : boxes.shown) {
        EXPECT_EQ(q.title, DeleteTitle);
        EXPECT_EQ(q.defaultButton, MsgResult::Cancel);
    }
    EXPECT_EQ(programEnds, 0);

    boxes.clear();
    boxes.answer(MsgResult::Ok);
    boxes.answer(MsgResult::Ok);
    int endsWhileShown = -1;
    inWindow([&](SettingsWindow &w) {
        click(in<KasmoButton>(w, "deleteAllButton"));
        endsWhileShown = programEnds;
        EXPECT_TRUE(w.isVisible()) << "no window is closed on the way out";
    });
    EXPECT_EQ(endsWhileShown, 1);
    ASSERT_EQ(boxes.count(), 3);
    EXPECT_EQ(boxes.last().text,
        QStringLiteral("ลบข้อมูลทั้งหมดเสร็จสิ้นแล้ว...... โปรดทำการเปิดโปรแกรมใหม่อีกครั้ง."));
    EXPECT_EQ(boxes.last().icon, MsgIcon::Information);
    EXPECT_FALSE(ShopDatabase::connection().isOpen()) << "the database is closed before the end";

    for (const char *table : { "tblProduct", "tblLog", "tblLog2", "tblRMoney" })
        EXPECT_EQ(count(table), 0) << table;
    for (const char *table : { "tblNub", "tblGroup", "tblGeb" }) {
        EXPECT_EQ(count(table), 1) << table;
        EXPECT_EQ(db().scalar(QStringLiteral("SELECT min(rowid) FROM %1").arg(QLatin1String(table)))
                      .toInt(),
            0);
    }
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(counterRow(row), "0/00") << row;
    expectSeedCounters({ 5, 6 });
    EXPECT_EQ(count("tblUser"), 2);
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT text1 FROM tblSetPrint")).toString(),
        QStringLiteral("ร้านทดสอบ"));
    EXPECT_EQ(db().scalar(QStringLiteral("SELECT SBarcode FROM tblSetBarcode")).toString(), "12");
}

// A failure in the middle of an action leaves every row as it was and the window open.
TEST_F(DataMaintenanceTest, InjectedFailureRollsEverythingBack)
{
    const struct
    {
        const char *button;
        int questions;
        const char *failingStatement;
    } cases[] = {
        { "clearSalesButton", 2, "DELETE FROM tblRMoney" },
        { "clearSalesButton", 2, "UPDATE tblNumber" },
        { "clearHistoryButton", 2, "UPDATE tblNumber" },
        { "deleteAllButton", 2, "DELETE FROM tblProduct" },
        { "deleteAllButton", 2, "UPDATE tblNumber" },
        { "zeroNegativeStockButton", 1, "UPDATE tblProduct" },
    };
    const QStringList before = dump();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.failingStatement);
        boxes.clear();
        for (int i = 0; i < c.questions; ++i)
            boxes.answer(MsgResult::Ok);
        bool stillOpen = false;
        inWindow([&](SettingsWindow &w) {
            const QString failing = QString::fromLatin1(c.failingStatement);
            Connection::setStatementHook([&](const QString &s) {
                if (s.startsWith(failing))
                    throw DbError(QStringLiteral("disk I/O error"));
            });
            click(in<KasmoButton>(w, c.button));
            Connection::setStatementHook({});
            stillOpen = w.isVisible();
        });
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(dump(), before);
        ASSERT_EQ(boxes.count(), c.questions + 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
        EXPECT_EQ(boxes.last().icon, MsgIcon::Warning);
        EXPECT_TRUE(boxes.last().text.endsWith(QStringLiteral(" : disk I/O error")))
            << boxes.last().text.toStdString();
        EXPECT_EQ(programEnds, 0);
        EXPECT_TRUE(ShopDatabase::connection().isOpen());
    }
}

TEST_F(DataMaintenanceTest, ZeroingWithNoNegativeStockStillReports)
{
    sql(QStringLiteral("UPDATE tblProduct SET PDvalue = 3"));
    const QStringList before = dump();
    boxes.answer(MsgResult::Ok);
    inWindow([&](SettingsWindow &w) { click(in<KasmoButton>(w, "zeroNegativeStockButton")); });
    EXPECT_EQ(dump(), before);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
}

TEST_F(DataMaintenanceTest, BackupGoesWhereTheSaveDialogSays)
{
    QTemporaryDir out;
    // Cancelled: nothing written, nothing said.
    inWindow([&](SettingsWindow &w) { click(in<KasmoButton>(w, "backupButton")); });
    ASSERT_EQ(files.requests.size(), 1);
    EXPECT_EQ(files.requests[0].title, QStringLiteral("เลือกตำแหน่งที่ต้องการบันทึก"));
    EXPECT_TRUE(files.requests[0].save);
    EXPECT_EQ(boxes.count(), 0);

    // A name without an ending gets ".db".
    files.answer(out.path() + QStringLiteral("/สำรองร้าน"));
    inWindow([&](SettingsWindow &w) { click(in<KasmoButton>(w, "backupButton")); });
    const QString copyPath = out.path() + QStringLiteral("/สำรองร้าน.db");
    ASSERT_TRUE(QFileInfo::exists(copyPath));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_TRUE(boxes.last().text.contains(copyPath));
    {
        Connection copy;
        copy.open(copyPath);
        for (const char *table : { "tblProduct", "tblLog", "tblLog2", "tblRMoney", "tblUser" })
            EXPECT_EQ(copy.scalar(QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt(),
                count(table))
                << table;
    }
    // The shop keeps working on its connection.
    ShopDatabase::connection().execute(
        QStringLiteral("UPDATE tblProduct SET PDvalue = 1 WHERE PK = 3"));

    // A folder that is not there: the failure is shown, no file appears.
    const QString bad = out.path() + QStringLiteral("/gone/copy.db");
    files.answer(bad);
    inWindow([&](SettingsWindow &w) { click(in<KasmoButton>(w, "backupButton")); });
    EXPECT_FALSE(QFileInfo::exists(bad));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_TRUE(boxes.last().text.startsWith(QStringLiteral("สำรองข้อมูลไม่สำเร็จ : ")));
}

// A backup the user cannot make is told in the program's own (Thai) words, the system's reason
// too, and the shop's database stays as it was.
TEST_F(DataMaintenanceTest, RefusedBackupIsToldInThai)
{
    QTemporaryDir out;
    const QString missingFolder = out.path() + QStringLiteral("/gone");
    // Root writes anywhere permissions allow nothing: the locked folder is immutable for root
    // ("Operation not permitted"), without the write permission for anyone else.
    const UnwritableFolder locked(out.path() + QStringLiteral("/locked"));
    const QString cannotWrite
        = QStringLiteral("สำรองข้อมูลไม่สำเร็จ : เขียนแฟ้มในโฟลเดอร์ '%1' ไม่ได้ : %2");
    const QString noRight = QStringLiteral("ไม่มีสิทธิ์เข้าถึงไฟล์หรือโฟลเดอร์นี้");
    const QString notThere = QStringLiteral("ไม่พบไฟล์หรือโฟลเดอร์นี้");
    struct Case
    {
        const char *what;
        QString target;
        QString told;
        bool canRun = true;
    };
    const Case cases[] = {
        { "the open database itself", folder.databasePath(),
            QStringLiteral("สำรองข้อมูลไม่สำเร็จ : สำรองข้อมูลทับแฟ้มฐานข้อมูลที่กำลังใช้งานอยู่ไม่ได้ '")
                + folder.databasePath() + QStringLiteral("'") },
        { "a folder that is not there", missingFolder + QStringLiteral("/copy.db"),
            cannotWrite.arg(missingFolder, notThere) },
        { "a path through a file", QStringLiteral("/dev/null/x/copy.db"),
            cannotWrite.arg(QStringLiteral("/dev/null/x"), notThere) },
        // sysfs takes no new file from anyone, root included: "Permission denied".
        { "a system folder", QStringLiteral("/sys/copy.db"),
            cannotWrite.arg(QStringLiteral("/sys"), noRight),
            QDir(QStringLiteral("/sys/kernel")).exists() },
        { "a folder that cannot be written", locked.path() + QStringLiteral("/copy.db"),
            cannotWrite.arg(locked.path(), noRight),
            locked.error() == EPERM || locked.error() == EACCES },
    };
    const qint64 products = count("tblProduct");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.canRun) {
            std::cout << "not provoked on this machine: " << c.what << std::endl;
            continue;
        }
        boxes.clear();
        files.answer(c.target);
        inWindow([&](SettingsWindow &w) { click(in<KasmoButton>(w, "backupButton")); });
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
        EXPECT_EQ(boxes.last().text, c.told) << boxes.last().text.toStdString();
    }
    EXPECT_TRUE(QDir(locked.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_EQ(count("tblProduct"), products);
    EXPECT_EQ(db().scalar(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
}

TEST_F(DataMaintenanceTest, CompactShrinksTheFileAndShowsTheCheck)
{
    {
        Transaction t(db());
        for (int pk = 10; pk < 3000; ++pk)
            db().execute(
                QStringLiteral("INSERT INTO tblProduct (PK, PDsn, PDname) VALUES (?1, ?2, ?3)"),
                { pk, QStringLiteral("X%1").arg(pk), QString(300, QLatin1Char('n')) });
        t.commit();
    }
    sql(QStringLiteral("DELETE FROM tblProduct WHERE PK >= 10"));
    db().executeScript(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    const qint64 before = QFileInfo(folder.databasePath()).size();
    QString tip;
    inWindow([&](SettingsWindow &w) {
        tip = in<KasmoButton>(w, "compactButton")->toolTip();
        click(in<KasmoButton>(w, "compactButton"));
    });
    EXPECT_LT(QFileInfo(folder.databasePath()).size() * 2, before);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
    EXPECT_EQ(boxes.last().icon, MsgIcon::Information);
    EXPECT_TRUE(boxes.last().text.endsWith(QStringLiteral("(ok)")));
    EXPECT_EQ(count("tblProduct"), 4);
    EXPECT_EQ(tip, QStringLiteral(" ควรทำอย่างน้อยเดือนละครั้ง "));
}

// The frame's settings tab over the sale page: a drawer saved in the window is in force on the
// open sale page as soon as the window closes.
TEST_F(DataMaintenanceTest, ClosingOverTheSalePageMakesItReadItsSwitches)
{
    sql(QStringLiteral("UPDATE tblNumber SET numA = 0, numMon = '0' WHERE nPK = 6"));
    registerAppWindows();
    MainFrame *frame = MainFrame::showFrame();
    ASSERT_NE(frame, nullptr);
    click(control(frame, "saleTab"));
    auto *page = WindowRegistry::find<SalePage>();
    ASSERT_NE(page, nullptr);
    ASSERT_FALSE(page->drawer().on);

    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    const QString missing = folder.path() + QStringLiteral("/no-such-port");
    CashDrawer::setDeviceMapper([&](int n) { return n == 2 ? pty.slavePath() : missing; });
    dialogs.then([&](QDialog *d) {
        auto *w = qobject_cast<SettingsWindow *>(d);
        ASSERT_NE(w, nullptr);
        tick(in<QCheckBox>(*w, "drawerCheck"));
        ASSERT_EQ(in<QComboBox>(*w, "drawerPortList")->count(), 1);
        click(in<QPushButton>(*w, "saveDrawerButton"));
        EXPECT_FALSE(page->drawer().on) << "read again only when the window closes";
    });
    click(control(frame, "settingsTab"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(page->drawer().on);
    EXPECT_EQ(page->drawer().port, QStringLiteral("2"));

    // The frame takes its page with it.
    deleteLoadedWindows();
}

} // namespace

namespace {

// Every control inside the window, no two overlapping, every caption whole.
TEST_F(DataMaintenanceTest, LayoutKeepsEveryControlWholeAndApart)
{
    inWindow([&](SettingsWindow &w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("ตั้งค่าโปรแกรม"));
        EXPECT_EQ(in<QLabel>(w, "headerLabel")->text(), QStringLiteral("รายละเอียดการตั้งค่า"));
        EXPECT_EQ(in<KasmoButton>(w, "clearHistoryButton")->Caption(),
            QStringLiteral("&ล้างข้อมูล ข้อมูลย้อนหลัง    "));
        EXPECT_EQ(in<KasmoButton>(w, "zeroNegativeStockButton")->Caption(),
            QStringLiteral("        &ปรับสินค้าคงเหลือ          ติดลบทั้งหมดให้ = 0"));
        const QList<QWidget *> controls = { in<KasmoButton>(w, "receiptSetUpButton"),
            in<KasmoButton>(w, "labelsButton"), in<KasmoButton>(w, "userAccountsButton"),
            in<QLabel>(w, "databaseLabel"), in<QLabel>(w, "drawerLabel"),
            in<QCheckBox>(w, "drawerCheck"), in<QComboBox>(w, "drawerPortList"),
            in<QPushButton>(w, "testDrawerButton"), in<QPushButton>(w, "saveDrawerButton"),
            in<KasmoButton>(w, "compactButton"), in<KasmoButton>(w, "backupButton"),
            in<KasmoButton>(w, "zeroNegativeStockButton"), in<KasmoButton>(w, "clearSalesButton"),
            in<KasmoButton>(w, "clearHistoryButton"), in<KasmoButton>(w, "deleteAllButton"),
            in<QTreeWidget>(w, "unitList"), in<QTreeWidget>(w, "groupList"),
            in<QTreeWidget>(w, "placeList"), in<QLineEdit>(w, "unitBox"),
            in<QLineEdit>(w, "groupBox"), in<QLineEdit>(w, "placeBox"),
            in<QPushButton>(w, "renameUnitButton"), in<QPushButton>(w, "renameGroupButton"),
            in<QPushButton>(w, "renamePlaceButton"), in<QPushButton>(w, "deleteUnitButton"),
            in<QPushButton>(w, "deleteGroupButton"), in<QPushButton>(w, "deletePlaceButton") };
        for (QWidget *c : controls) {
            EXPECT_TRUE(w.rect().contains(c->geometry())) << c->metaObject()->className();
            for (QWidget *other : controls) {
                if (other != c) {
                    EXPECT_FALSE(c->geometry().intersects(other->geometry()))
                        << c->accessibleName().toStdString() << " / "
                        << other->accessibleName().toStdString();
                }
            }
        }
        for (QPushButton *b :
            { in<QPushButton>(w, "testDrawerButton"), in<QPushButton>(w, "saveDrawerButton"),
                in<QPushButton>(w, "renameUnitButton"), in<QPushButton>(w, "deleteUnitButton"),
                in<QPushButton>(w, "deleteGroupButton"), in<QPushButton>(w, "deletePlaceButton") })
            EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 12, b->width())
                << b->text().toStdString();
        EXPECT_LE(in<QCheckBox>(w, "drawerCheck")->sizeHint().width(),
            in<QCheckBox>(w, "drawerCheck")->width());
        for (QWidget *c :
            QList<QWidget *> { in<QTreeWidget>(w, "unitList"), in<QLineEdit>(w, "unitBox"),
                in<QComboBox>(w, "drawerPortList"), in<KasmoButton>(w, "deleteAllButton") })
            EXPECT_FALSE(c->accessibleName().isEmpty());
        saveScreenshot(w.grab(), QStringLiteral("setting.png"));
    });
}

} // namespace

// Esc closes the window whichever control has the focus, an owner-drawn button included; the
// button keeps only its own keys, so an arrow moves the focus on and the window stays.
TEST_F(DataMaintenanceTest, EscClosesTheWindowFromAFocusedButton)
{
    int buttons = 0;
    inWindow([&](SettingsWindow &s) {
        for (KasmoButton *b : s.findChildren<KasmoButton *>())
            buttons += b->isVisible() && b->isEnabled() ? 1 : 0;
    });
    ASSERT_GT(buttons, 0);
    for (int i = 0; i < buttons; ++i) {
        SCOPED_TRACE(i);
        inWindow([&](SettingsWindow &s) {
            QList<KasmoButton *> shown;
            for (KasmoButton *b : s.findChildren<KasmoButton *>())
                if (b->isVisible() && b->isEnabled())
                    shown << b;
            ASSERT_EQ(shown.size(), buttons);
            s.activateWindow();
            shown[i]->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), shown[i]);
            QTest::keyClick(shown[i], Qt::Key_Right);
            EXPECT_TRUE(s.isVisible());
            EXPECT_NE(QApplication::focusWidget(), shown[i]);
            shown[i]->setFocus();
            QTest::keyClick(shown[i], Qt::Key_Escape);
            EXPECT_FALSE(s.isVisible()) << qPrintable(shown[i]->objectName());
        });
    }
}
