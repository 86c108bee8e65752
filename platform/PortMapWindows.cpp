#include "platform/PortMap.h"

#include <QSerialPortInfo>
#include <QStringList>
#include <windows.h>

namespace {

const QString DevicePrefix = QStringLiteral("\\\\.\\");

// The port's name as QSerialPortInfo lists it: "COM5" for \\.\COM5.
QString portName(const QString& device) {
    return device.startsWith(DevicePrefix) ? device.mid(DevicePrefix.size()) : device;
}

} // namespace

QString PortMap::ownDevice(int number) {
    return DevicePrefix + QStringLiteral("COM%1").arg(number);
}

// COM10 and up open only by their device name; writing it here shows the real name.
QString PortMap::deviceNamed(const QString& name) {
    return name.startsWith(u'\\') ? name : DevicePrefix + name;
}

// A port opened as itself is just "COM5"; one pointed elsewhere by ZINTOR_COM<n> names
// the port it reached.
QString PortMap::numberLabel(int number, const QString& device) {
    if (device.compare(ownDevice(number), Qt::CaseInsensitive) == 0)
        return QStringLiteral("COM%1").arg(number);
    return QStringLiteral("COM%1 (%2)").arg(number).arg(device);
}

// Opening is the one sure test: the port lists may leave out ports a driver adds late.
bool PortMap::present(int number) {
    if (!isValid(number))
        return false;
    const QString device = devicePath(number);
    const HANDLE handle =
        ::CreateFileW(reinterpret_cast<const wchar_t*>(device.utf16()),
                      GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        ::CloseHandle(handle);
        return true;
    }
    return ::GetLastError() == ERROR_ACCESS_DENIED; // there, in use by another program
}

QString PortMap::describe(int number) {
    const QString device = devicePath(number);
    QStringList facts{device};
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.portName().compare(portName(device), Qt::CaseInsensitive) != 0)
            continue;
        if (!info.description().isEmpty())
            facts << info.description();
        if (!info.manufacturer().isEmpty())
            facts << info.manufacturer();
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            facts << QStringLiteral("USB %1:%2")
                         .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                         .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        if (!info.serialNumber().isEmpty())
            facts << QStringLiteral("serial number %1").arg(info.serialNumber());
    }
    return facts.join(u'\n');
}

QString PortMap::explained() {
    return QStringLiteral("COM n is the Windows port of that number (\\\\.\\COMn). ZINTOR_COM<n>\n"
                          "points COM n at another port, for example:  set ZINTOR_COM1=COM12\n");
}
