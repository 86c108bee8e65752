#include "cli/Production.h"

#include "cli/Console.h"
#include "service/PortOutcome.h"

namespace Production {

int run(const QStringList& arguments) {
    Console::err(QStringLiteral("zintor-cli %1: production runs and records are not in the "
                                "Windows build (its Qt has no SQL module)")
                     .arg(arguments.value(1)));
    return ExitStatus::Usage;
}

} // namespace Production
