#pragma once

#include <QString>

// Whole lines to the terminal from any thread: the workers of several ports write at once,
// and a line never interleaves with another.
namespace Console {

void out(const QString& line);
void err(const QString& line);
// Text as it goes to standard output, no newline added (a profile, a JSON document).
void print(const QString& text);

// Why standard output did not take all that was written to it ("No space left on device"),
// once the rest has been flushed; nothing when it did.
QString outFailure();

} // namespace Console
