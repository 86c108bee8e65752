#include "service/UnitResult.h"

#include "service/ItemWords.h"
#include "service/VisibleText.h"

#include <algorithm>

namespace UnitResult {

Records::Outcome outcome(const PortOutcome& port) {
    using Records::Outcome;
    switch (port.status) {
    case ExitStatus::Done:
        return Outcome::Passed;
    case ExitStatus::PortFailed:
        return Outcome::PortFailure;
    case ExitStatus::Stopped:
        return Outcome::Stopped;
    default:
        break;
    }
    // A refused listing leaves no rows; a refused item has its row.
    const bool refused =
        port.rows.isEmpty() || std::any_of(port.rows.begin(), port.rows.end(), [](const auto& r) {
            return r.result == ItemRow::Result::Refused;
        });
    return refused ? Outcome::Refused : Outcome::Differs;
}

QString headline(const QString& serial, const PortOutcome& port, qint64 elapsedMs) {
    const QString where = serial + u' ' + VisibleText::of(port.port.label);
    if (port.status == ExitStatus::Done)
        return QStringLiteral("PASS %1 %2 s")
            .arg(where, QString::number(double(elapsedMs) / 1000.0, 'f', 2));
    QStringList why = port.problems;
    if (!port.failure.isEmpty())
        why.prepend(VisibleText::of(port.failure));
    return QStringLiteral("FAIL %1: %2").arg(where, why.join(QStringLiteral("; ")));
}

Records::Unit unit(const QString& runId, const QString& serial, const PortOutcome& port,
                   const QDateTime& started, const QDateTime& ended) {
    Records::Unit unit;
    unit.id = Records::newId();
    unit.serial = serial;
    unit.runId = runId;
    unit.port = port.port.label;
    unit.started = started;
    unit.ended = ended;
    unit.outcome = outcome(port);
    unit.headline = headline(serial, port, started.msecsTo(ended));
    for (const ItemRow& row : port.rows)
        unit.items << Records::Item{row.item, row.wanted, row.found, ItemWords::of(row)};
    return unit;
}

} // namespace UnitResult
