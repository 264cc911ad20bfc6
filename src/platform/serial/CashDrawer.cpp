#include "CashDrawer.h"
#include <QFile>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <fcntl.h>
#include <unistd.h>

namespace {
CashDrawer::DeviceMapper &mapper()
{
    static CashDrawer::DeviceMapper m;
    return m;
}
// Qt's own error texts are English: the cashier reads these instead.
QString portFailure(QSerialPort::SerialPortError e)
{
    switch (e) {
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("ไม่พบพอร์ตนี้ในเครื่อง");
    case QSerialPort::PermissionError:
        return QStringLiteral("ไม่มีสิทธิ์ใช้พอร์ตนี้ หรือพอร์ตถูกโปรแกรมอื่นใช้อยู่");
    case QSerialPort::OpenError:
        return QStringLiteral("พอร์ตนี้ถูกเปิดใช้อยู่แล้ว");
    default:
        return QStringLiteral("เปิดพอร์ตนี้ไม่ได้");
    }
}

} // namespace

void CashDrawer::setDeviceMapper(DeviceMapper m)
{
    mapper() = std::move(m);
}

QString CashDrawer::defaultDevice(int comNumber)
{
    const QString builtIn = QStringLiteral("ttyS%1").arg(comNumber - 1);
    // Only ports with real hardware behind them are listed; the ttyS nodes exist regardless.
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        if (info.portName() == builtIn)
            return info.systemLocation();
    return QStringLiteral("/dev/ttyUSB%1").arg(comNumber - 1);
}

QString CashDrawer::deviceFor(int comNumber)
{
    return mapper() ? mapper()(comNumber) : defaultDevice(comNumber);
}

bool CashDrawer::open(const QString &portNumber, QString *error)
{
    bool ok = false;
    const int n = portNumber.trimmed().toInt(&ok);
    if (!ok || n < 1 || n > 4) {
        if (error)
            *error = QStringLiteral("COM%1 ไม่ใช่พอร์ตของลิ้นชักเก็บเงิน (เลือกได้ COM1 ถึง COM4)")
                         .arg(portNumber.trimmed());
        return false;
    }
    const QString device = deviceFor(n);
    QSerialPort port;
    port.setPortName(device);
    if (!port.open(QIODevice::ReadWrite)) {
        if (error)
            *error = QStringLiteral("COM%1 (%2) %3").arg(n).arg(device, portFailure(port.error()));
        return false;
    }
    port.setBaudRate(QSerialPort::Baud9600);
    port.setParity(QSerialPort::NoParity);
    port.setDataBits(QSerialPort::Data8);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    const QByteArray signal = openSignal();
    bool sent = port.write(signal) == signal.size();
    while (sent && port.bytesToWrite() > 0)
        sent = port.waitForBytesWritten(1000);
    if (!sent && error)
        *error = QStringLiteral("COM%1 (%2) ส่งสัญญาณเปิดลิ้นชักไม่สำเร็จ").arg(n).arg(device);
    port.close();
    return sent;
}

bool CashDrawer::portPresent(int comNumber)
{
    if (comNumber < 1 || comNumber > 4)
        return false;
    // Non-blocking, so a port waiting for its carrier does not hold the window.
    const int fd = ::open(QFile::encodeName(deviceFor(comNumber)).constData(),
        O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}
