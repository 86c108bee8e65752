#include "platform/PortMap.h"

#include <QSet>

namespace {

// The numbers that stand for a path; written before the ports' threads start.
QSet<int>& boundPaths() {
    static QSet<int> numbers;
    return numbers;
}

} // namespace

void PortMap::bindPath(int number, const QString& device) {
    qputenv(qPrintable(QStringLiteral("ZINTOR_COM%1").arg(number)), device.toLocal8Bit());
    boundPaths().insert(number);
}

QString PortMap::name(int number) {
    return boundPaths().contains(number) ? devicePath(number) : QStringLiteral("COM%1").arg(number);
}

QString PortMap::label(int number, const QString& device) {
    return boundPaths().contains(number) ? device : numberLabel(number, device);
}
