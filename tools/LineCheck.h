#pragma once

#include <string>
#include <termios.h>

// The line settings the simulated encoder is set to, held against the settings the tool
// has put on its side of the pseudo-terminal. A pseudo-terminal keeps the speed, the stop
// bits and PARODD, but forces 8 data bits and clears PARENB on every change: so it tells
// 19200 from 9600 and odd parity from not odd, but not even from none nor 7 bits from 8.
class LineCheck {
public:
    // "19200,o,8,1": baud, parity n/e/o, data bits 7 or 8, stop bits 1 or 2. Throws
    // std::invalid_argument saying which field is wrong.
    static LineCheck parse(const std::string& text);

    // Stop bits are not compared: a receiver checks only the first stop bit, so a line
    // with one reads a sender with two and the other way round.
    bool matches(const termios& tool) const;

private:
    speed_t m_speed = B9600;
    bool m_odd = false;
};
