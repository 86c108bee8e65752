#include "platform/PortMap.h"

#include <QFileInfo>

// Linux names serial devices by driver, so the numbers are laid out in blocks of four:
//
//   COM1..COM4     /dev/ttyS0..ttyS3      built-in UARTs
//   COM5..COM8     /dev/ttyUSB0..ttyUSB3  USB adapters (FTDI, PL2303, CH340, ...)
//   COM9..COM12    /dev/ttyACM0..ttyACM3  USB CDC-ACM devices
//   COM13..COM16   /dev/ttyS4..ttyS7      further UARTs (PCI cards)
//   COM17..COM255  /dev/ttyS8..ttyS246    the ttyS numbering continues: COMn is ttyS(n-9)

QString PortMap::ownDevice(int number) {
    const int block = (number - 1) / 4;
    const int index = (number - 1) % 4;
    switch (block) {
    case 0:
        return QStringLiteral("/dev/ttyS%1").arg(index);
    case 1:
        return QStringLiteral("/dev/ttyUSB%1").arg(index);
    case 2:
        return QStringLiteral("/dev/ttyACM%1").arg(index);
    default:
        return QStringLiteral("/dev/ttyS%1").arg(number - 9);
    }
}

// QSerialPort would put a bare name in /dev as well; doing it here shows the real path.
QString PortMap::deviceNamed(const QString& name) {
    return name.startsWith(u'/') ? name : QStringLiteral("/dev/") + name;
}

QString PortMap::numberLabel(int number, const QString& device) {
    return QStringLiteral("COM%1 (%2)").arg(number).arg(device);
}

bool PortMap::present(int number) {
    return isValid(number) && QFileInfo::exists(devicePath(number));
}

QString PortMap::describe(int number) {
    return devicePath(number);
}

QString PortMap::explained() {
    return QStringLiteral(
        "COM1-4 are /dev/ttyS0-3, COM5-8 /dev/ttyUSB0-3, COM9-12 /dev/ttyACM0-3,\n"
        "COM13 and up /dev/ttyS4 and up. ZINTOR_COM<n> points COM n at another\n"
        "device, for example:  ZINTOR_COM1=/dev/ttyUSB0 zintor\n");
}
