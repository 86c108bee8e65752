#include "platform/ConsoleText.h"

#include <cstdio>
#include <windows.h>

namespace {

// Once, before the first line: a window program started from a console writes to that
// console (it has none of its own), and the console shows UTF-8.
bool prepare() {
    if (!::GetStdHandle(STD_OUTPUT_HANDLE) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        [[maybe_unused]] const auto* out = std::freopen("CONOUT$", "w", stdout);
        [[maybe_unused]] const auto* err = std::freopen("CONOUT$", "w", stderr);
    }
    ::SetConsoleOutputCP(CP_UTF8);
    return true;
}

} // namespace

QByteArray ConsoleText::bytes(const QString& text) {
    static const bool prepared = prepare();
    Q_UNUSED(prepared);
    return text.toUtf8();
}
