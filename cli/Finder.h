#pragma once

struct Options;

// zintor-cli find: the search for encoders over the ports of the options, one line per port
// as each is through (or one JSON document), and a summary; returns the exit status.
// Needs a QCoreApplication.
namespace Finder {

int run(const Options& options);

} // namespace Finder
