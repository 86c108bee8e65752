#pragma once

struct RunOptions;

// zintor-cli records: the units the store holds, filtered, as text, CSV or JSON.
namespace RecordsCommand {

// Returns the exit status; throws StoreError.
int run(const RunOptions& options);

} // namespace RecordsCommand
