#pragma once

#include "LineCheck.h"

#include <optional>
#include <stdexcept>
#include <string>

// The command line: where to publish and record things, how fast the shaft turns and
// which faults to play. Fault switches are independent and may be combined.
class SimOptions {
public:
    // A command line that cannot be used; the message says which argument and why.
    class Error : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Throws Error. `--help` sets help() and stops parsing.
    static SimOptions parse(int argc, char** argv);
    static std::string usage(const std::string& program);

    bool help = false;
    std::string linkPath;  // empty: no symlink
    std::string stateFile; // empty: no state file
    std::string logFile;   // empty: no byte log
    unsigned speed = 100;  // counts per second

    bool noEcho = false;
    std::optional<unsigned> lateEchoMs;
    bool noDc1 = false;
    unsigned slowMs = 0;
    bool garbage = false;
    std::optional<unsigned> flood; // junk bytes before ">" DC1
    bool silent = false;
    std::optional<unsigned> hangupAfter; // complete answers before the hang-up
    bool xoff = false;
    std::string refuse;            // command word answered "!?"
    std::string ignore;            // command word acknowledged but not carried out
    std::optional<LineCheck> line; // answers only where the tool's settings match
};
