#pragma once

#include "cli/Options.h"
#include "service/PortOutcome.h"

#include <QJsonObject>

// What the operation found, per port and in all: tables, one summary line, or one JSON
// document with the same content.
namespace Report {

// A table per port: item, wanted, found, verdict. An apply that ended before its read-back
// says what it had written.
QString tables(Options::Operation operation, const QList<PortOutcome>& outcomes);

// "3 of 4 encoders programmed and verified; COM5: NS refused (!?)"
QString summary(Options::Operation operation, const QList<PortOutcome>& outcomes);

QJsonObject json(Options::Operation operation, const QList<PortOutcome>& outcomes, int status);

} // namespace Report
