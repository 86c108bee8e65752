#include "cli/Production.h"

#include "cli/Console.h"
#include "cli/RecordsCommand.h"
#include "cli/RunCommand.h"
#include "service/StoreError.h"
#include "service/UsageError.h"

namespace Production {

int run(const QStringList& arguments) {
    try {
        const std::optional<RunOptions> options = RunOptions::parse(arguments);
        if (!options)
            return ExitStatus::Done;
        if (options->records)
            return RecordsCommand::run(*options);
        RunRecorder recorder(
            {options->port.profile, options->station, options->operatorName, options->store, {}});
        RunCommand command(*options, recorder);
        return command.exec();
    } catch (const UsageError& e) {
        Console::err(QStringLiteral("zintor-cli: %1\n(see zintor-cli %2 --help)")
                         .arg(e.text(), arguments.value(1)));
    } catch (const StoreError& e) {
        Console::err(QStringLiteral("zintor-cli: ") + e.text());
    }
    return ExitStatus::Usage;
}

} // namespace Production
