#include "settings/PortProbe.h"

#include "link/SerialPort.h"
#include "settings/PendingError.h"

PortProbe::PortProbe(SerialPort& port) : m_port(port), m_initial(port.commPort()) {}

PortProbe::Slots PortProbe::run(const std::function<void()>& betweenNumbers) {
    const QString settings = m_port.settings();
    const bool wasOpen = m_port.portOpen();
    PendingError error;
    const auto close = [this] { m_port.setPortOpen(false); };
    const auto open = [this] { m_port.setPortOpen(true); };
    // Closed first so the port in use is found like any other.
    if (wasOpen)
        error.attempt(close);

    Slots found{};
    std::size_t next = 0;
    for (int k = 1; k <= LastNumber; ++k) {
        error.attempt([&] { m_port.setCommPort(k); });
        if (!error.pending())
            error.attempt(open);
        if (!error.pending())
            found[next++] = k;
        if (m_port.portOpen())
            error.attempt(close);
        error.clear();
        betweenNumbers();
    }

    error.attempt([this] { m_port.setCommPort(m_initial); });
    error.attempt([&] { m_port.setSettings(settings); });
    if (wasOpen)
        error.attempt(open);
    return found;
}
