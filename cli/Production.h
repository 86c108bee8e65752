#pragma once

#include <QStringList>

// The companion's production operations, run and records, behind Companion::run.
namespace Production {

// Returns the exit status; a usage or store error is told on standard error as 2.
int run(const QStringList& arguments);

} // namespace Production
