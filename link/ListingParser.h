#pragma once

#include <QString>
#include <functional>

// Splits a parameter listing into its CR NAME "=" VALUE LF entries. A name runs to the
// next "=" wherever it lies; a value runs to the next LF; nothing is trimmed. Text outside
// entries is skipped, and an entry without the CR before its name is lost.
namespace ListingParser {

void parse(const QString& text,
           const std::function<void(const QString& name, const QString& value)>& entry);

} // namespace ListingParser
