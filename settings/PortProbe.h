#pragma once

#include <array>
#include <functional>

class SerialPort;

// Finds which of COM1..COM16 can be opened, through the panel's own port object, and then
// puts the object's number, settings and open state back. No failure is reported: a
// number that cannot be selected or opened is simply not found.
class PortProbe {
public:
    static constexpr int LastNumber = 16;
    // Slot n (1-based) at index n - 1, filled from the front in increasing port order;
    // 0 is an empty slot.
    using Slots = std::array<int, 30>;

    explicit PortProbe(SerialPort& port);

    // betweenNumbers runs after every probed number, so the windows stay live.
    Slots run(const std::function<void()>& betweenNumbers);

    // The number the port had when the probe began: the one the operator has in use.
    int initialNumber() const { return m_initial; }

private:
    SerialPort& m_port;
    const int m_initial;
};
