#include "platform/PortMap.h"

#include <QSet>

namespace {

QString defaultPath(int number) {
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

// The numbers that stand for a path; written before the ports' threads start.
QSet<int>& boundPaths() {
    static QSet<int> numbers;
    return numbers;
}

} // namespace

QString PortMap::devicePath(int number) {
    if (!isValid(number))
        return {};
    // Read on every call so a test or a wrapper script can change it at run time.
    const QString custom =
        qEnvironmentVariable(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(number)));
    if (custom.isEmpty())
        return defaultPath(number);
    // QSerialPort would put a bare name in /dev as well; doing it here shows the real path.
    return custom.startsWith(u'/') ? custom : QStringLiteral("/dev/") + custom;
}

void PortMap::bindPath(int number, const QString& device) {
    qputenv(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(number)), device.toLocal8Bit());
    boundPaths().insert(number);
}

QString PortMap::name(int number) {
    return boundPaths().contains(number) ? devicePath(number) : QStringLiteral("COM%1").arg(number);
}

QString PortMap::label(int number, const QString& device) {
    return boundPaths().contains(number) ? device
                                         : QStringLiteral("COM%1 (%2)").arg(number).arg(device);
}
