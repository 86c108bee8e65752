#include "WireDevice.h"

#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

WireDevice::WireDevice() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0)
        throw std::runtime_error("no pseudo-terminal");
    m_path = QString::fromLocal8Bit(ptsname(m_master));
    termios raw{};
    tcgetattr(m_master, &raw);
    cfmakeraw(&raw);
    tcsetattr(m_master, TCSANOW, &raw);
    m_clock.start();
    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &WireDevice::receive);
}

WireDevice::~WireDevice() {
    close(m_master);
}

void WireDevice::receive() {
    char buffer[256];
    const ssize_t count = read(m_master, buffer, sizeof buffer);
    for (ssize_t i = 0; i < count; ++i) {
        const char c = buffer[i];
        if (c == '|')
            m_start = m_clock.nsecsElapsed();
        if (c != '\r') {
            (void)write(m_master, &c, 1); // the echo
            continue;
        }
        if (m_start >= 0)
            m_spans.push_back(double(m_clock.nsecsElapsed() - m_start) / 1e6);
        static const char answer[] = "\r1234\n>\x11";
        (void)write(m_master, answer, sizeof answer - 1);
    }
}
