#pragma once

#include <QString>

// A unit's serial number as a scanner or a person types it: trimmed, then 1 to 64 printable
// ASCII characters. Checked before anything is sent for the unit.
namespace SerialNumber {

constexpr int MaxLength = 64;

// The trimmed serial, or an empty text with why set to the reason in words.
QString checked(const QString& text, QString* why);

} // namespace SerialNumber
