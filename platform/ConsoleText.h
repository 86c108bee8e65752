#pragma once

#include <QByteArray>
#include <QString>

// Text as the programs write it to a terminal or a pipe: in the locale's encoding on Linux,
// in UTF-8 on Windows, where the console is switched to it (ConsoleTextPosix.cpp,
// ConsoleTextWindows.cpp).
namespace ConsoleText {

QByteArray bytes(const QString& text);

} // namespace ConsoleText
