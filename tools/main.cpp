#include "Pty.h"
#include "Recorder.h"
#include "SimOptions.h"
#include "Simulator.h"
#include "SlaveLink.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    const std::string program = argc > 0 ? argv[0] : "encoder-sim";
    SimOptions options;
    try {
        options = SimOptions::parse(argc, argv);
    } catch (const SimOptions::Error& error) {
        std::cerr << program << ": " << error.what() << "\n(see " << program << " --help)\n";
        return 2;
    }
    if (options.help) {
        std::cout << SimOptions::usage(program);
        return 0;
    }
    try {
        Simulator::catchStopSignals();
        Pty pty;
        Recorder recorder(options.logFile, options.stateFile);
        SlaveLink link(options.linkPath, pty.slavePath());
        // Launchers read this line to find the port, so it must not sit in a buffer.
        std::cout << pty.slavePath() << std::endl;
        Simulator(options, pty, recorder).run();
    } catch (const std::exception& error) {
        std::cerr << program << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}
