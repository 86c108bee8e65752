#pragma once

#include "service/Records.h"

#include <QJsonObject>

// Runs and units as JSON objects: how the spool keeps them until the server answers, and
// how the companion lists them.
namespace RecordJson {

QJsonObject of(const Records::Run& run);
QJsonObject of(const Records::Unit& unit);
Records::Run run(const QJsonObject& o);
Records::Unit unit(const QJsonObject& o);

} // namespace RecordJson
