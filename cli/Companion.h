#pragma once

#include <QStringList>

// The whole companion behind main(): parse, check, run every port on its own thread,
// report; returns the exit status. Needs a QCoreApplication.
namespace Companion {

int run(const QStringList& arguments);

} // namespace Companion
