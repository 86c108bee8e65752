#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One port the operator named: the COM number the port code opens, and the name reports use.
struct PortRef {
    int number = 0;
    QString label; // "COM5", or the device path as typed
};

// The --port values: a COM number ("5", "COM5"), a device path, a list "5,6,7" or a range
// "5-8", repeated or mixed. A device path no COM number leads to is given a spare number
// through ZINTOR_COM<n>, so it reaches the same port code; call this before any thread starts.
namespace PortList {

// Throws UsageError naming the value that cannot be used; no port may be named twice.
QList<PortRef> parse(const QStringList& values);

} // namespace PortList
