#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The encoder's settings and command interpreter, without any I/O or clock: the caller
// passes how far the shaft has turned, so every answer is reproducible in tests.
class EncoderModel {
public:
    struct Reply {
        bool accepted = false; // the answer ends in ">" (the device took the command)
        std::string bytes;     // the full answer as it goes on the wire, closing DC1 included
    };

    static constexpr char kDc1 = 17;

    // Interprets one command (the text between "|" and CR). `travel` is the number of
    // counts the shaft has turned since power-on.
    Reply execute(std::string_view command, std::uint64_t travel);

    // Reported position: raw position minus ZPV plus OFST, wrapped into 0..NS*NR-1.
    std::int64_t position(std::uint64_t travel) const;

    // NAME=VALUE lines of every setting, then LAST and COMMANDS.
    std::string stateText() const;

    // Faults: commands with the word `refused` are answered "!?", those with `ignored` are
    // acknowledged; neither is carried out. An empty word matches no command.
    void setFaults(std::string refused, std::string ignored);

private:
    struct Settings {
        std::string code = "GRAY";
        std::string count = "CLW";
        std::string parity = "POFF";
        std::int64_t zpv = 0;
        std::int64_t offset = 0;
        std::int64_t ns = 8192;
        std::int64_t nr = 16;
        std::int64_t dev = 0;
        std::int64_t addr = 0;
        std::int64_t preset1 = 0;
        std::int64_t preset2 = 0;
    };

    Reply interpret(std::string_view word, bool hasValue, std::string_view value,
                    std::uint64_t travel);
    std::int64_t range() const { return m_settings.ns * m_settings.nr; }
    std::vector<std::pair<std::string_view, std::string>> entries() const;
    std::string listing() const;

    static constexpr std::size_t kListedEntries = 7;

    Settings m_settings;
    std::string m_refused;
    std::string m_ignored;
    std::string m_lastCommand;
    std::uint64_t m_commandCount = 0;
};
