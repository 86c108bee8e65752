#include "SimOptions.h"

#include <charconv>
#include <functional>
#include <map>
#include <string_view>

namespace {

unsigned parseCount(std::string_view option, std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw SimOptions::Error(std::string(option) + " needs a non-negative integer, not \"" +
                                std::string(text) + '"');
    return value;
}

} // namespace

SimOptions SimOptions::parse(int argc, char** argv) {
    SimOptions o;
    const std::map<std::string_view, bool*> switches = {
        {"--no-echo", &o.noEcho}, {"--no-dc1", &o.noDc1}, {"--garbage", &o.garbage},
        {"--silent", &o.silent},  {"--xoff", &o.xoff},    {"--help", &o.help},
    };
    using Setter = std::function<void(std::string_view)>;
    const std::map<std::string_view, Setter> valued = {
        {"--link", [&](std::string_view v) { o.linkPath = v; }},
        {"--state-file", [&](std::string_view v) { o.stateFile = v; }},
        {"--log", [&](std::string_view v) { o.logFile = v; }},
        {"--speed", [&](std::string_view v) { o.speed = parseCount("--speed", v); }},
        {"--late-echo", [&](std::string_view v) { o.lateEchoMs = parseCount("--late-echo", v); }},
        {"--slow", [&](std::string_view v) { o.slowMs = parseCount("--slow", v); }},
        {"--flood", [&](std::string_view v) { o.flood = parseCount("--flood", v); }},
        {"--refuse", [&](std::string_view v) { o.refuse = v; }},
        {"--ignore", [&](std::string_view v) { o.ignore = v; }},
        {"--line",
         [&](std::string_view v) {
             try {
                 o.line = LineCheck::parse(std::string(v));
             } catch (const std::invalid_argument& e) {
                 throw Error("--line " + std::string(v) + ": " + e.what());
             }
         }},
        {"--hangup-after",
         [&](std::string_view v) { o.hangupAfter = parseCount("--hangup-after", v); }},
    };

    for (int i = 1; i < argc && !o.help; ++i) {
        // Both "--name value" and "--name=value" are accepted.
        const std::string_view arg = argv[i];
        const auto equals = arg.find('=');
        const auto name = arg.substr(0, equals);
        if (const auto s = switches.find(arg); s != switches.end()) {
            *s->second = true;
        } else if (const auto v = valued.find(name); v != valued.end()) {
            if (equals != std::string_view::npos)
                v->second(arg.substr(equals + 1));
            else if (i + 1 < argc)
                v->second(argv[++i]);
            else
                throw Error(std::string(name) + " needs a value");
        } else {
            throw Error("unknown argument \"" + std::string(arg) + '"');
        }
    }
    return o;
}

std::string SimOptions::usage(const std::string& program) {
    return "Usage: " + program + R"( [options]

Simulates the rotary encoder on a pseudo-terminal. Prints the terminal's path as the
first line, then runs until interrupted (or until --hangup-after ends it).

Options:
  --link PATH          also make symlink PATH to the terminal (removed on exit)
  --state-file PATH    after each accepted command, write the settings, LAST and
                       COMMANDS there as NAME=VALUE lines (atomically replaced)
  --log PATH           append every received byte to PATH as it arrives
  --speed N            shaft speed in counts per second (default 100)
  --line B,P,D,S       answer only while the tool's side of the terminal is set to
                       these line settings, such as 19200,o,8,1; otherwise echo
                       another byte for each byte and never answer, as a device on
                       a mismatched line does. Without it, any settings do. A
                       pseudo-terminal keeps the speed and odd parity but forces 8
                       data bits and no parity on every change, so even parity
                       cannot be told from none, nor 7 data bits from 8; stop
                       bits are not compared (a receiver checks only the first)
  --help               show this text

Faults (combinable):
  --no-echo            never echo received bytes
  --late-echo MS       hold echoes until MS ms pass without a new byte
  --no-dc1             answers lack the closing DC1
  --slow MS            answer MS ms after the CR
  --garbage            answer with 40 random bytes (never DC1); wins over --flood
  --flood N            answer with N printable junk bytes, then ">" DC1
  --silent             echo, but never answer
  --hangup-after N     after N answers, send half of the next one and exit
  --xoff               send DC3 before the echo of each "|"
  --refuse WORD        answer "!?" to the command WORD (as NS in NS=8192), do nothing
  --ignore WORD        acknowledge the command WORD but do nothing
)";
}
