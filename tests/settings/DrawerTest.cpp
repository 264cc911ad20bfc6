// The drawer row of the settings window against pseudo-terminals standing in for COM ports.
#include "SettingFixture.h"
#include "TermiosRecorder.h"
#include "support/PtyPair.h"
#include <QComboBox>
#include <QPushButton>
#include <memory>

namespace {

const QString Saved = QStringLiteral("บันทึกการตั้งค่าลิ้นชักเรียบร้อยแล้ว\n\n");
const QString StateOn = QStringLiteral("[ สถานะ = เปิด ][ ComPort ที่เลือกคือ = ");
const QString StateOff = QStringLiteral("[ สถานะ = ปิด ][ ComPort ที่เลือกคือ = ");

class SettingDrawer : public SettingFixture
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
        EXPECT_FALSE(w.Check2->isChecked());
        EXPECT_EQ(w.cmbCommPort->count(), 0);
        EXPECT_FALSE(w.cmbCommPort->isEnabled());
        EXPECT_FALSE(w.Command7->isEnabled());
        EXPECT_TRUE(w.Command8->isEnabled());
        EXPECT_EQ(w.Check2->text(), QStringLiteral(" เปิดลิ้นชักเมื่อบันทึก"));
        EXPECT_EQ(w.Check2->toolTip(), QStringLiteral(" เปิดลิ้นชักอัตโนมัติเมื่อบันทึก "));
        EXPECT_EQ(w.Command7->toolTip(), QStringLiteral(" ทดสอบเปิดลิ้นชัก "));
    });
    EXPECT_TRUE(probed.isEmpty());
}

TEST_F(SettingDrawer, ProbeListsTheExistingPortsTestSendsAndSaveStores)
{
    mapOneAndThree();
    storeDrawer(1, "4"); // the stored port is not shown again
    inWindow([&](SettingsWindow &w) {
        EXPECT_TRUE(w.Check2->isChecked());
        EXPECT_EQ(probed, (QList<int> { 1, 2, 3, 4 }));
        EXPECT_EQ(entries(w.cmbCommPort), (QStringList { "COM1", "COM3" }));
        EXPECT_EQ(w.cmbCommPort->currentText(), QStringLiteral("COM1"));
        EXPECT_TRUE(w.cmbCommPort->isEnabled());
        EXPECT_TRUE(w.Command7->isEnabled());
        EXPECT_EQ(com1.readAll(50), QByteArray()) << "the probe sends nothing";

        choose(w.cmbCommPort, QStringLiteral("COM3"));
        TermiosRecorder::start();
        click(w.Command7);
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

        click(w.Command8);
        EXPECT_EQ(counterRow(6), "1/3") << "written before the message is closed";
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, Saved + StateOn + QStringLiteral("3 ]"));
        EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานสถานะ"));
        EXPECT_EQ(boxes.last().icon, MsgIcon::Information);

        // Off: "0" is stored, the message still names the chosen port; the list keeps it.
        tick(w.Check2);
        EXPECT_FALSE(w.cmbCommPort->isEnabled());
        EXPECT_FALSE(w.Command7->isEnabled());
        EXPECT_EQ(w.cmbCommPort->currentText(), QStringLiteral("COM3"));
        click(w.Command8);
        EXPECT_EQ(counterRow(6), "0/0");
        EXPECT_EQ(boxes.last().text, Saved + StateOff + QStringLiteral("3 ]"));

        // On again: the ports are probed afresh and the first is chosen.
        probed.clear();
        tick(w.Check2);
        EXPECT_EQ(probed, (QList<int> { 1, 2, 3, 4 }));
        EXPECT_EQ(entries(w.cmbCommPort), (QStringList { "COM1", "COM3" }));
        EXPECT_EQ(w.cmbCommPort->currentText(), QStringLiteral("COM1"));
    });
    // Closing without saving leaves the row as last saved.
    EXPECT_EQ(counterRow(6), "0/0");
}

TEST_F(SettingDrawer, NoPortAtAll)
{
    storeDrawer(0, "0");
    inWindow([&](SettingsWindow &w) {
        tick(w.Check2);
        EXPECT_EQ(w.cmbCommPort->count(), 0);
        EXPECT_TRUE(w.cmbCommPort->isEnabled());
        click(w.Command7); // nothing to send to, nothing said
        EXPECT_EQ(boxes.count(), 0);
        click(w.Command8);
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
        tick(w.Check2);
        Connection::setStatementHook([](const QString &s) {
            if (s.startsWith(QStringLiteral("UPDATE tblNumber")))
                throw DbError(QStringLiteral("database is locked"));
        });
        click(w.Command8);
        Connection::setStatementHook({});
    });
    EXPECT_EQ(counterRow(6), "0/0");
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().title, QStringLiteral("รายงานความผิดพลาด"));
    EXPECT_EQ(boxes.last().text, QStringLiteral("บันทึกการตั้งค่าลิ้นชักไม่สำเร็จ : database is locked"));
}

} // namespace
