#pragma once

#include <QString>

// Text from a device as a terminal or a log line may show it: control characters and bytes
// outside ASCII written out as <CR>, <LF>, <DC1>, <DC3>, <0x07>.
namespace VisibleText {

QString of(const QString& text);

} // namespace VisibleText
