#include "WireDevice.h"

#include <unistd.h>

WireDevice::WireDevice() : m_path(QString::fromStdString(m_pty.slavePath())) {
    m_clock.start();
    m_notifier = std::make_unique<QSocketNotifier>(m_pty.master(), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &WireDevice::receive);
}

void WireDevice::receive() {
    char buffer[256];
    const ssize_t count = read(m_pty.master(), buffer, sizeof buffer);
    for (ssize_t i = 0; i < count; ++i) {
        const char c = buffer[i];
        if (c == '|')
            m_start = m_clock.nsecsElapsed();
        if (c != '\r') {
            send(&c, 1); // the echo
            continue;
        }
        if (m_start >= 0)
            m_spans.push_back(double(m_clock.nsecsElapsed() - m_start) / 1e6);
        static const char answer[] = "\r1234\n>\x11";
        send(answer, sizeof answer - 1);
    }
}

// A lost echo or answer would pass for a slow exchange: say so.
void WireDevice::send(const char* bytes, std::size_t size) {
    if (write(m_pty.master(), bytes, size) != ssize_t(size))
        qWarning("WireDevice: a write to the pseudo-terminal fell short");
}
