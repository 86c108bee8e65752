#include "panel/Form1.h"
#include "panel/Program.h"
#include "platform/CommandLine.h"
#include "platform/SettingsStore.h"

int main(int argc, char* argv[]) {
    if (const auto exitCode =
            CommandLine::answer(argc, argv, SettingsStore::fileName(Form1::Application)))
        return *exitCode;
    return runProgram(argc, argv);
}
