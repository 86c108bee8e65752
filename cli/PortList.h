#pragma once

#include "service/PortRef.h"

#include <QList>
#include <QString>
#include <QStringList>

// The --port values: a COM number ("5", "COM5"), a device path, a list "5,6,7" or a range
// "5-8", repeated or mixed. A device path no COM number leads to is given a spare number
// through ZINTOR_COM<n>, so it reaches the same port code; call this before any thread starts.
namespace PortList {

// Throws UsageError naming the value that cannot be used; no port may be named twice.
QList<PortRef> parse(const QStringList& values);

} // namespace PortList
