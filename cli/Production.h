#pragma once

#include <QStringList>

// The companion's production operations, run and records, behind Companion::run. The
// Windows build's Qt has no SQL module: there both only say so (ProductionWindows.cpp).
namespace Production {

// Returns the exit status; a usage or store error is told on standard error as 2.
int run(const QStringList& arguments);

} // namespace Production
