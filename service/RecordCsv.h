#pragma once

#include "service/Records.h"

#include <functional>

// Units and their items as CSV for a quality system: one row per item (a unit without items
// has one row), every unit column repeated, RFC 4180 quoting. A cell that a spreadsheet
// would run as a formula (= + - @ first) is written with a leading apostrophe.
namespace RecordCsv {

QString header();
// The rows of one unit, each ended by CRLF; items must be filled in.
QString rows(const Records::Unit& unit);

} // namespace RecordCsv
