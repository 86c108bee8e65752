#pragma once

class ExchangeLog;
struct Options;

// zintor-cli find: the search for encoders over the ports of the options, one line per port
// as each is through (or one JSON document), and a summary; returns the exit status.
// Needs a QCoreApplication.
namespace Finder {

// log: where every try goes as well, or nullptr.
int run(const Options& options, ExchangeLog* log);

} // namespace Finder
