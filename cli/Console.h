#pragma once

#include <QString>

// Whole lines to the terminal from any thread: the workers of several ports write at once,
// and a line never interleaves with another.
namespace Console {

void out(const QString& line);
void err(const QString& line);
// Text as it goes to standard output, no newline added (a profile, a JSON document).
void print(const QString& text);

} // namespace Console
