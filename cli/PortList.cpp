#include "cli/PortList.h"

#include "platform/PortMap.h"
#include "service/UsageError.h"
#include "service/VisibleText.h"

#include <QRegularExpression>

namespace PortList {

namespace {

int number(const QString& text, const QString& value) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || !PortMap::isValid(n))
        throw UsageError(QStringLiteral("--port %1: \"%2\" is not a COM number from %3 to %4")
                             .arg(VisibleText::of(value), VisibleText::of(text),
                                  QString::number(PortMap::firstNumber),
                                  QString::number(PortMap::lastNumber)));
    return n;
}

QString comLabel(int n) {
    return QStringLiteral("COM%1").arg(n);
}

// The COM number that already leads to the device, or 0.
int numberOf(const QString& device) {
    for (int n = PortMap::firstNumber; n <= PortMap::lastNumber; ++n)
        if (PortMap::devicePath(n) == device)
            return n;
    return 0;
}

void add(QList<PortRef>& ports, const PortRef& port, const QString& value) {
    for (const PortRef& known : std::as_const(ports))
        if (known.number == port.number && port.number != 0)
            throw UsageError(QStringLiteral("--port %1: %2 is named twice")
                                 .arg(VisibleText::of(value), VisibleText::of(port.label)));
    ports << port;
}

void parseOne(QList<PortRef>& ports, const QString& item, const QString& value) {
    if (item.startsWith(u'/') || item.startsWith(u'\\')) { // a device's path or name
        add(ports, {numberOf(item), item}, value);
        return;
    }
    static const QRegularExpression range(QStringLiteral("^(\\d+)-(\\d+)$"));
    if (const auto m = range.match(item); m.hasMatch()) {
        const int first = number(m.captured(1), value);
        const int last = number(m.captured(2), value);
        if (last < first)
            throw UsageError(QStringLiteral("--port %1: the range %2 runs backwards")
                                 .arg(VisibleText::of(value), VisibleText::of(item)));
        for (int n = first; n <= last; ++n)
            add(ports, {n, comLabel(n)}, value);
        return;
    }
    QString digits = item;
    if (digits.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive))
        digits = digits.mid(3);
    const int n = number(digits, value);
    add(ports, {n, comLabel(n)}, value);
}

// Device paths that no COM number reaches take the highest numbers nobody named.
void bindDevices(QList<PortRef>& ports) {
    int spare = PortMap::lastNumber;
    const auto taken = [&ports](int n) {
        return std::any_of(ports.begin(), ports.end(),
                           [n](const PortRef& p) { return p.number == n; });
    };
    for (PortRef& port : ports) {
        if (port.number != 0)
            continue;
        while (taken(spare))
            --spare;
        port.number = spare;
        PortMap::bindPath(spare, port.label);
    }
}

} // namespace

QList<PortRef> parse(const QStringList& values) {
    QList<PortRef> ports;
    for (const QString& value : values) {
        for (const QString& item : value.split(u',')) {
            if (item.isEmpty())
                throw UsageError(QStringLiteral("--port %1: an empty port in the list")
                                     .arg(VisibleText::of(value)));
            parseOne(ports, item, value);
        }
    }
    for (qsizetype i = 0; i < ports.size(); ++i)
        for (qsizetype j = i + 1; j < ports.size(); ++j)
            if (ports[i].number == 0 && ports[i].label == ports[j].label)
                throw UsageError(QStringLiteral("--port: %1 is named twice")
                                     .arg(VisibleText::of(ports[i].label)));
    bindDevices(ports);
    return ports;
}

} // namespace PortList
