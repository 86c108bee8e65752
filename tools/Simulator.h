#pragma once

#include "EncoderModel.h"

#include <chrono>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <string_view>

class Pty;
class Recorder;
class SimOptions;

// The encoder's side of the wire: echoes, frames "|...CR" commands, answers them through
// the model, and plays the faults chosen on the command line.
class Simulator {
public:
    // Call before anything that must be undone on exit: SIGINT, SIGTERM and SIGHUP then
    // only end run() instead of killing the process.
    static void catchStopSignals();

    Simulator(const SimOptions& options, Pty& pty, Recorder& recorder);

    // Serves the master until a stop signal arrives or the hang-up fault has closed it.
    void run();

private:
    using Clock = std::chrono::steady_clock;

    // Output waits in order; a chunk never overtakes the one before it.
    struct Chunk {
        std::string bytes;
        Clock::time_point due;
        bool echo = false;   // with --late-echo, also waits for a quiet line
        bool hangup = false; // the connection ends once this is out
    };

    void readMaster();
    void receive(std::string_view bytes, Clock::time_point now);
    // What a device on a mismatched line makes of the bytes: other bytes, no command.
    void misread(std::string_view bytes, Clock::time_point now);
    void queueEcho(std::string_view bytes, Clock::time_point now);
    void answer(std::string_view command, Clock::time_point now);
    std::string withFaults(std::string answer);
    Clock::time_point readyAt(const Chunk& chunk) const;
    // Writes what is due; true when the hang-up chunk has gone out.
    bool flush(Clock::time_point now);

    const SimOptions& m_options;
    Pty& m_pty;
    Recorder& m_recorder;
    EncoderModel m_model;
    std::deque<Chunk> m_output;
    bool m_writeBlocked = false;
    std::optional<std::string> m_frame; // command text so far, while inside "|...CR"
    unsigned m_answers = 0;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_lastReceived = m_start;
    std::minstd_rand m_random; // fixed seed: runs are repeatable
};
