#include "LineCheck.h"

#include <charconv>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::pair<unsigned, speed_t> kSpeeds[] = {
    {300, B300},   {600, B600},     {1200, B1200},   {2400, B2400},   {4800, B4800},
    {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

std::vector<std::string_view> fields(std::string_view text) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return parts;
        start = comma + 1;
    }
}

unsigned number(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

} // namespace

LineCheck LineCheck::parse(const std::string& text) {
    const auto parts = fields(text);
    if (parts.size() != 4)
        throw std::invalid_argument("needs BAUD,PARITY,DATA,STOP such as 19200,o,8,1");
    LineCheck line;
    const unsigned baud = number(parts[0]);
    bool known = false;
    for (const auto& [rate, speed] : kSpeeds)
        if (rate == baud) {
            line.m_speed = speed;
            known = true;
        }
    if (!known)
        throw std::invalid_argument("baud \"" + std::string(parts[0]) +
                                    "\" is not a standard rate");
    const std::string_view parity = parts[1];
    if (parity.size() != 1 || std::string_view("nNeEoO").find(parity[0]) == std::string_view::npos)
        throw std::invalid_argument("parity \"" + std::string(parity) + "\" is not n, e or o");
    line.m_odd = parity[0] == 'o' || parity[0] == 'O';
    if (const unsigned data = number(parts[2]); data != 7 && data != 8)
        throw std::invalid_argument("data bits \"" + std::string(parts[2]) + "\" are not 7 or 8");
    if (const unsigned stop = number(parts[3]); stop != 1 && stop != 2)
        throw std::invalid_argument("stop bits \"" + std::string(parts[3]) + "\" are not 1 or 2");
    return line;
}

bool LineCheck::matches(const termios& tool) const {
    return cfgetospeed(&tool) == m_speed && ((tool.c_cflag & PARODD) != 0) == m_odd;
}
