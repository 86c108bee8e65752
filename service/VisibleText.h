#pragma once

#include <QString>

// Text that came from outside (a file, a file name, a device's reply, an environment
// variable) as a terminal or a log line may show it: control characters and everything
// beyond printable ASCII are written as escapes, so no byte of it can move the cursor,
// clear the screen, retitle the window or split a line. Escaped text is printable ASCII,
// so escaping it again changes nothing.
namespace VisibleText {

// "\r", "\n", "\t"; "\x1b" for other bytes outside printable ASCII; "\u2026" beyond them.
QString of(QStringView text);

// In double quotes; a long text is cut: "first 60 characters…" (3,000 characters).
QString quoted(QStringView text);

// As of(), or for a long text as quoted(): cut.
QString brief(QStringView text);

} // namespace VisibleText
