// The drawer row of the settings window against pseudo-terminals standing in for COM ports.
#include "SettingsFixture.h"
#include "TermiosRecorder.h"
#include "support/PtyPair.h"
#include <QComboBox>
#include <QPushButton>
#include <memory>

namespace {

const QString Saved = QStringLiteral("บันทึกการตั้งค่าลิ้นชักเรียบร้อยแล้ว\n\n");
const QString StateOn = QStringLiteral("[ สถานะ = เปิด ][ ComPort ที่เลือกคือ = ");
const QString StateOff = QStringLiteral("[ สถานะ = ปิด ][ ComPort ที่เลือกคือ = ");

class SettingDrawer : public SettingsFixture
{
protected:
    // COM1 and COM3 exist (pseudo-terminals), COM2 and COM4 do not.
    void mapOneAndThree()
    {
        ASSERT_TRUE(com1.valid() && com3.valid());
        const QString missing = folder.path() + QStringLiteral("/no-such-port");
        CashDrawer::setDeviceMapper([this, missing](int n) {
            probed << n;
            return n == 1 ? com1.slavePath() : n == 3 ? com3.slavePath() : missing;
        });
    }
    static QStringList entries(QComboBox *c)
    {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    void storeDrawer(int on, const char *port)
    {
        sql(QStringLiteral("UPDATE tblNumber SET numA = ?1, numMon = ?2 WHERE nPK = 6"),
            { on, QString::fromLatin1(port) });
    }
    static void choose(QComboBox *c, const QString &text)
    {
        // Chosen from the keyboard, as a list without typing takes it.
        c->setFocus();
        while (c->currentText() != text && c->currentIndex() < c->count() - 1)
            QTest::keyClick(c, Qt::Key_Down);
        ASSERT_EQ(c->currentText(), text);
    }

    PtyPair com1, com3;
    QList<int> probed;
};

TEST_F(SettingDrawer, StoredOffShowsAnEmptyClosedList)
{
    mapOneAndThree();
    storeDrawer(0, "3");
    inWindow([&](SettingsWindow &w) {
        EXPECT_FALSE(in<QCheckBox>(w, "drawerCheck")->isChecked());
        EXPECT_EQ(in<QComboBox>(w, "drawerPortList")->count(), 0);
        EXPECT_FALSE(in<QComboBox>(w, "drawerPortList")->isEnabled());
        EXPECT_FALSE(in<QPushButton>(w, "testDrawerButton")->isEnabled());
        EXPECT_TRUE(in<QPushButton>(w, "saveDrawerButton")->isEnabled());
        EXPECT_EQ(in<QCheckBox>(w, "drawerCheck")->text(), QStringLiteral(" เปิดลิ้นชักเมื่อบันทึก"));
        EXPECT_EQ(
            in<QCheckBox>(w, "drawerCheck")->toolTip(), QStringLiteral(" เปิดลิ้นชักอัตโนมัติเมื่อบันทึก "));
        EXPECT_EQ(
            in<QPushButton>(w, "testDrawerButton")->toolTip(), QStringLiteral(" ทดสอบเปิดลิ้นชัก "));
    });
    EXPECT_TRUE(probed.isEmpty());
}

TEST_F(SettingDrawer, ProbeListsTheExistingPortsTestSendsAndSaveStores)
{
    mapOneAndThree();
    storeDrawer(1, "4"); // the stored port is not shown again
    inWindow([&](SettingsWindow &w) {
        EXPECT_TRUE(in<QCheckBox>(w, "drawerCheck")->isChecked());
        EXPECT_EQ(probed, (QList<int> { 1, 2, 3, 4 }));
        EXPECT_EQ(entries(in<QComboBox>(w, "drawerPortList")), (QStringList { "COM1", "COM3" }));
        EXPECT_EQ(in<QComboBox>(w, "drawerPortList")->currentText(), QStringLiteral("COM1"));
        EXPECT_TRUE(in<QComboBox>(w, "drawerPortList")->isEnabled());
        EXPECT_TRUE(in<QPushButton>(w, "testDrawerButton")->isEnabled());
        EXPECT_EQ(com1.readAll(50), QByteArray()) << "the probe sends nothing";

        choose(in<QComboBox>(w, "drawerPortList"), QStringLiteral("COM3"));
        TermiosRecorder::start();
        click(in<QPushButton>(w, "testDrawerButton"));
        TermiosRecorder::stop();
        EXPECT_EQ(com3.readAll(), QByteArray("AAAAAAAAAA"));
        EXPECT_EQ(com1.readAll(50), QByteArray());
        EXPECT_EQ(boxes.count(), 0) << "the test says nothing";

        // The line settings in force while the port was open (the last raw setting before the
        // port put its old settings back): 9600 baud, 8 data bits, no parity, 1 stop bit.
        const termios *raw = nullptr;
        for (const termios &t : TermiosRecorder::recorded())
            if (!(t.c_lflag & ICANON))
                raw = &t;
        ASSERT_NE(raw, nullptr);
        EXPECT_EQ(cfgetospeed(raw), speed_t(B9600));
        EXPECT_EQ(raw->c_cflag & CSIZE, tcflag_t(CS8));
        EXPECT_FALSE(raw->c_cflag & PARENB);
        EXPECT_FALSE(raw->c_cflag & CSTOPB);

        click(in<QPushButton>(w, "saveDrawerButton"));
        EXPECT_EQ(counterRow(6), "1/3") << "written before the message is closed";
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, Saved + StateOn + QStringLiteral("3 ]"));
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
        EXPECT_EQ(boxes.last().icon, MsgIcon::Information);

        // Off: "0" is stored, the message still names the chosen port; the list keeps it.
        tick(in<QCheckBox>(w, "drawerCheck"));
        EXPECT_FALSE(in<QComboBox>(w, "drawerPortList")->isEnabled());
        EXPECT_FALSE(in<QPushButton>(w, "testDrawerButton")->isEnabled());
        EXPECT_EQ(in<QComboBox>(w, "drawerPortList")->currentText(), QStringLiteral("COM3"));
        click(in<QPushButton>(w, "saveDrawerButton"));
        EXPECT_EQ(counterRow(6), "0/0");
        EXPECT_EQ(boxes.last().text, Saved + StateOff + QStringLiteral("3 ]"));

        // On again: the ports are probed afresh and the first is chosen.
        probed.clear();
        tick(in<QCheckBox>(w, "drawerCheck"));
        EXPECT_EQ(probed, (QList<int> { 1, 2, 3, 4 }));
        EXPECT_EQ(entries(in<QComboBox>(w, "drawerPortList")), (QStringList { "COM1", "COM3" }));
        EXPECT_EQ(in<QComboBox>(w, "drawerPortList")->currentText(), QStringLiteral("COM1"));
    });
    // Closing without saving leaves the row as last saved.
    EXPECT_EQ(counterRow(6), "0/0");
}

TEST_F(SettingDrawer, NoPortAtAll)
{
    storeDrawer(0, "0");
    inWindow([&](SettingsWindow &w) {
        tick(in<QCheckBox>(w, "drawerCheck"));
        EXPECT_EQ(in<QComboBox>(w, "drawerPortList")->count(), 0);
        EXPECT_TRUE(in<QComboBox>(w, "drawerPortList")->isEnabled());
        click(in<QPushButton>(w, "testDrawerButton")); // nothing to send to, nothing said
        EXPECT_EQ(boxes.count(), 0);
        click(in<QPushButton>(w, "saveDrawerButton"));
        EXPECT_EQ(counterRow(6), "1/0");
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, Saved + StateOn + QStringLiteral("0 ]"));
    });
}

TEST_F(SettingDrawer, FailedSaveIsShownInsteadOfTheSuccess)
{
    mapOneAndThree();
    storeDrawer(0, "0");
    inWindow([&](SettingsWindow &w) {
        tick(in<QCheckBox>(w, "drawerCheck"));
        Connection::setStatementHook([](const QString &s) {
            if (s.startsWith(QStringLiteral("UPDATE tblNumber")))
                throw DbError(QStringLiteral("database is locked"));
        });
        click(in<QPushButton>(w, "saveDrawerButton"));
        Connection::setStatementHook({});
    });
    EXPECT_EQ(counterRow(6), "0/0");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("บันทึกการตั้งค่าลิ้นชักไม่สำเร็จ : database is locked"));
}

} // namespace
