#pragma once

#include <string>
#include <string_view>

// What the end-to-end tests read back: the raw received bytes (--log) and the device
// state after each accepted command (--state-file). Either may be off (empty path).
class Recorder {
public:
    // Throws std::system_error when the log cannot be opened.
    Recorder(const std::string& logPath, std::string statePath);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Unbuffered, so a reader sees every byte as soon as it has arrived.
    void logReceived(std::string_view bytes);
    // Replaces the state file by rename, so a reader never sees half of it.
    void writeState(std::string_view text);

private:
    int m_log = -1;
    std::string m_statePath;
};
