#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

// The cash drawer on a serial port COM1..COM4, opened at 9600,N,8,1.
class CashDrawer
{
public:
    // COMn to a device path. Tests replace it (a pseudo-terminal) so no real port is touched.
    using DeviceMapper = std::function<QString(int comNumber)>;
    static void setDeviceMapper(DeviceMapper mapper); // nullptr: defaultDevice
    static QString deviceFor(int comNumber);
    // /dev/ttyS(n-1) when the machine has that built-in port, else /dev/ttyUSB(n-1).
    static QString defaultDevice(int comNumber);

    // Whether COMn can be opened at all: its mapped device is opened as a plain file and closed
    // again at once, nothing is sent and the line settings are left alone.
    static bool portPresent(int comNumber);

    // What opens the drawer: the same ten "A" as the settings window's test.
    static QByteArray openSignal() { return QByteArrayLiteral("AAAAAAAAAA"); }

    // Opens the port named by its number text ("1" to "4"), sends the signal and closes it.
    // False, with a reason, when the port cannot be used.
    static bool open(const QString &portNumber, QString *error = nullptr);
};
