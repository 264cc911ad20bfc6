#include "platform/serial/CashDrawer.h"
#include "support/PtyPair.h"
#include <QDir>
#include <gtest/gtest.h>

namespace {
struct MapperGuard
{
    ~MapperGuard() { CashDrawer::setDeviceMapper(nullptr); }
};
} // namespace

TEST(CashDrawer, SendsTheSignalToTheMappedPort)
{
    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    MapperGuard guard;
    int asked = 0;
    CashDrawer::setDeviceMapper([&](int n) {
        asked = n;
        return pty.slavePath();
    });
    QString error;
    EXPECT_TRUE(CashDrawer::open(QStringLiteral("3"), &error)) << error.toStdString();
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(pty.readAll(), QByteArray("AAAAAAAAAA"));
}

TEST(CashDrawer, RefusesPortsOutsideOneToFourWithoutOpeningAnything)
{
    MapperGuard guard;
    bool mapped = false;
    CashDrawer::setDeviceMapper([&](int) {
        mapped = true;
        return QString();
    });
    for (const char *port : { "0", "5", "", "x", "-1" }) {
        QString error;
        EXPECT_FALSE(CashDrawer::open(QString::fromLatin1(port), &error)) << port;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(mapped);
}

TEST(CashDrawer, MissingDeviceIsReportedNotThrown)
{
    MapperGuard guard;
    const QString missing = QDir::tempPath() + QStringLiteral("/kasmo-no-such-port");
    CashDrawer::setDeviceMapper([&](int) { return missing; });
    QString error;
    EXPECT_FALSE(CashDrawer::open(QStringLiteral("1"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("COM1")));
}

TEST(CashDrawer, DefaultMappingNamesBuiltInOrUsbPortWithoutOpeningIt)
{
    // Only the name is computed: the device is never opened here.
    for (int n = 1; n <= 4; ++n) {
        const QString d = CashDrawer::defaultDevice(n);
        EXPECT_TRUE(d == QStringLiteral("/dev/ttyS%1").arg(n - 1)
            || d == QStringLiteral("/dev/ttyUSB%1").arg(n - 1))
            << d.toStdString();
    }
}

TEST(CashDrawer, PortPresentOpensTheMappedDeviceOnlyAndSendsNothing)
{
    PtyPair pty;
    ASSERT_TRUE(pty.valid());
    MapperGuard guard;
    const QString missing = QDir::tempPath() + QStringLiteral("/kasmo-no-such-port");
    QList<int> mapped;
    CashDrawer::setDeviceMapper([&](int n) {
        mapped << n;
        return n == 2 ? pty.slavePath() : missing;
    });
    EXPECT_FALSE(CashDrawer::portPresent(1));
    EXPECT_TRUE(CashDrawer::portPresent(2));
    EXPECT_FALSE(CashDrawer::portPresent(0));
    EXPECT_FALSE(CashDrawer::portPresent(5));
    EXPECT_EQ(mapped, (QList<int> { 1, 2 }));
    EXPECT_EQ(pty.readAll(50), QByteArray());
}
