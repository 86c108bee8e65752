#include "Pty.h"

#include "Errno.h"

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

Pty::Pty() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0)
        throwErrno("posix_openpt");
    try {
        if (grantpt(m_master) != 0 || unlockpt(m_master) != 0)
            throwErrno("grantpt/unlockpt");
        const char* name = ptsname(m_master);
        if (name == nullptr)
            throwErrno("ptsname");
        m_slavePath = name;
        m_slave = open(name, O_RDWR | O_NOCTTY);
        if (m_slave < 0)
            throwErrno("open slave");
        termios tio{};
        if (tcgetattr(m_slave, &tio) != 0)
            throwErrno("tcgetattr");
        cfmakeraw(&tio);
        cfsetispeed(&tio, B9600);
        cfsetospeed(&tio, B9600);
        if (tcsetattr(m_slave, TCSANOW, &tio) != 0)
            throwErrno("tcsetattr");
    } catch (...) {
        closeMaster();
        if (m_slave >= 0)
            close(m_slave);
        throw;
    }
}

Pty::~Pty() {
    closeMaster();
    close(m_slave);
}

termios Pty::slaveSettings() const {
    termios tio{};
    if (tcgetattr(m_slave, &tio) != 0)
        throwErrno("tcgetattr");
    return tio;
}

void Pty::awaitClientRead(std::chrono::milliseconds limit) const {
    const auto end = std::chrono::steady_clock::now() + limit;
    int unread = 0;
    // Sleep first: written bytes reach the slave's queue only after the kernel's buffer
    // push, so an immediate check could see an empty queue too early.
    do {
        poll(nullptr, 0, 10);
    } while (ioctl(m_slave, FIONREAD, &unread) == 0 && unread > 0 &&
             std::chrono::steady_clock::now() < end);
}

void Pty::closeMaster() {
    if (m_master >= 0)
        close(m_master);
    m_master = -1;
}
