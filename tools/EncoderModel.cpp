#include "EncoderModel.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <ranges>

namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// Plain decimal with an optional minus sign; anything else (blanks, "+", fractions) is
// a bad value, as on the device.
std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

EncoderModel::Reply shortReply(bool accepted, std::string_view mark) {
    return {accepted, "\r\n" + std::string(mark) + EncoderModel::kDc1};
}

} // namespace

EncoderModel::Reply EncoderModel::execute(std::string_view command, std::uint64_t travel) {
    m_lastCommand = command;
    ++m_commandCount;
    const auto equals = command.find('=');
    const bool hasValue = equals != std::string_view::npos;
    const auto word = command.substr(0, equals);
    if (!word.empty() && (word == m_refused || word == m_ignored))
        return shortReply(word == m_ignored, word == m_ignored ? ">" : "!?");
    return interpret(command.substr(0, equals), hasValue,
                     hasValue ? command.substr(equals + 1) : std::string_view(), travel);
}

EncoderModel::Reply EncoderModel::interpret(std::string_view word, bool hasValue,
                                            std::string_view value, std::uint64_t travel) {
    // Words that select one of a setting's modes: the word itself becomes the value.
    struct Mode {
        std::string_view word;
        std::string Settings::*field;
    };
    static const Mode modes[] = {
        {"GRAY", &Settings::code},  {"BIN", &Settings::code},    {"BCD", &Settings::code},
        {"CLW", &Settings::count},  {"CCLW", &Settings::count},  {"EXTD", &Settings::count},
        {"ODD", &Settings::parity}, {"EVEN", &Settings::parity}, {"POFF", &Settings::parity},
    };
    struct Number {
        std::string_view word;
        std::int64_t Settings::*field;
        std::int64_t min;
        std::int64_t max;
    };
    static const Number numbers[] = {
        {"DEV", &Settings::dev, kInt32Min, kInt32Max},
        {"ADDR", &Settings::addr, 0, 255},
        {"PRST1", &Settings::preset1, kInt32Min, kInt32Max},
        {"PRST2", &Settings::preset2, kInt32Min, kInt32Max},
        {"OFST", &Settings::offset, kInt32Min, kInt32Max},
        {"NS", &Settings::ns, 1, 65536},
        {"NR", &Settings::nr, 1, 4096},
    };
    static constexpr std::string_view actions[] = {"RST", "ZERO", "POS", "STP"};

    const Reply accepted = shortReply(true, ">");
    const Reply badValue = shortReply(false, "!?");

    if (const auto mode = std::ranges::find(modes, word, &Mode::word); mode != std::end(modes)) {
        if (hasValue)
            return badValue;
        m_settings.*mode->field = word;
        return accepted;
    }
    if (const auto number = std::ranges::find(numbers, word, &Number::word);
        number != std::end(numbers)) {
        const auto parsed = parseInteger(value);
        if (!hasValue || !parsed || *parsed < number->min || *parsed > number->max)
            return badValue;
        m_settings.*number->field = *parsed;
        return accepted;
    }
    if (std::ranges::find(actions, word) == std::end(actions))
        return shortReply(false, "?");
    if (hasValue)
        return badValue;
    if (word == "RST") {
        m_settings = Settings{};
        return accepted;
    }
    if (word == "ZERO") {
        // ZPV holds the raw position at the moment of zeroing, so from now on the position
        // counts from here (OFST is still added on top when reporting).
        m_settings.zpv = static_cast<std::int64_t>(travel % static_cast<std::uint64_t>(range()));
        return accepted;
    }
    if (word == "POS")
        return {true, '\r' + std::to_string(position(travel)) + "\n>" + kDc1};
    return {true, listing() + '>' + kDc1};
}

void EncoderModel::setFaults(std::string refused, std::string ignored) {
    m_refused = std::move(refused);
    m_ignored = std::move(ignored);
}

std::int64_t EncoderModel::position(std::uint64_t travel) const {
    const auto raw = static_cast<std::int64_t>(travel % static_cast<std::uint64_t>(range()));
    const auto wrapped = (raw - m_settings.zpv + m_settings.offset) % range();
    return wrapped < 0 ? wrapped + range() : wrapped;
}

// The first seven entries are the ones STP lists, in the device's order.
std::vector<std::pair<std::string_view, std::string>> EncoderModel::entries() const {
    const auto& s = m_settings;
    return {{"CODE", s.code},
            {"CNT", s.count},
            {"PAR", s.parity},
            {"ZPV", std::to_string(s.zpv)},
            {"OFST", std::to_string(s.offset)},
            {"NS", std::to_string(s.ns)},
            {"NR", std::to_string(s.nr)},
            {"DEV", std::to_string(s.dev)},
            {"ADDR", std::to_string(s.addr)},
            {"PRST1", std::to_string(s.preset1)},
            {"PRST2", std::to_string(s.preset2)}};
}

std::string EncoderModel::listing() const {
    std::string text;
    for (const auto& [name, value] : entries() | std::views::take(kListedEntries))
        text += '\r' + std::string(name) + '=' + value + '\n';
    return text;
}

std::string EncoderModel::stateText() const {
    std::string text;
    for (const auto& [name, value] : entries())
        text += std::string(name) + '=' + value + '\n';
    return text + "LAST=" + m_lastCommand + "\nCOMMANDS=" + std::to_string(m_commandCount) + '\n';
}
