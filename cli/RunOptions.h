#pragma once

#include "cli/Options.h"
#include "service/RecordStore.h"

#include <optional>

// The command lines of a production run and of a look into the records:
//   run --profile FILE --port P [--port P]... --station NAME --operator NAME [--records R]
//   records [--records R] [--serial S] [--since DATE] [--until DATE] [--outcome O] [--csv|--json]
struct RunOptions {
    bool records = false; // records; else run
    Options port;         // run: the ports, line settings and profile, as apply takes them
    QString station;
    QString operatorName;
    QString store; // file, URL, or empty for the default file
    bool allowRepeat = false;
    RecordFilter filter; // records
    bool csv = false;
    bool json = false;

    // Nothing when --help has answered. Throws UsageError.
    static std::optional<RunOptions> parse(const QStringList& arguments);
};
