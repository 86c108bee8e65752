#pragma once

#include <QString>
#include <optional>

// The tool's command line: --help and --version answer and end the program, anything else
// is refused; no option changes what the tool does. Read before the window system is
// reached, so both answers work without a display.
class CommandLine {
public:
    // The exit code when the arguments end the program, nothing when the panel should start.
    // settingsFile is where the COM number in use is kept, for the usage text.
    static std::optional<int> answer(int argc, const char* const* argv,
                                     const QString& settingsFile);

private:
    static QString usage(const QString& settingsFile);
};
