#pragma once

#include "service/PortOutcome.h"
#include "service/Records.h"

#include <QDateTime>

// One unit of a production run as the store records it and the operator sees it: its
// outcome, its headline ("PASS 12345 COM5 2.96 s", "FAIL 12345 COM5: NS differs (wanted
// 8192, found 4096)") and its items as the result table shows them.
namespace UnitResult {

Records::Outcome outcome(const PortOutcome& port);
QString headline(const QString& serial, const PortOutcome& port, qint64 elapsedMs);
// The outcome must be complete (ItemWords::cutShort included).
Records::Unit unit(const QString& runId, const QString& serial, const PortOutcome& port,
                   const QDateTime& started, const QDateTime& ended);

} // namespace UnitResult
