#include "platform/PortHold.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

// Programs hold a terminal in one of three ways: a lock file (QSerialPort checks it when it
// opens), an flock() on the device (terminal programs), or the exclusive mode TIOCEXCL,
// which keeps out every opener but root. The device is opened here without touching its
// line settings, so a held one is left exactly as its holder set it; the flock is kept
// for as long as the port is open, so other programs see it held too. QSerialPort sets the
// exclusive mode itself once it opens.
PortHold::Outcome PortHold::take(const QString& device) {
    release();
    m_handle =
        ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_handle < 0) {
        m_error = errno;
        // Another program's exclusive mode shuts out everyone but root.
        return m_error == EBUSY ? Outcome::Held : Outcome::Unopened;
    }
    int exclusive = 0;
    // A device that is no terminal has no exclusive mode; the port's own open tells it.
    const bool held = (::ioctl(m_handle, TIOCGEXCL, &exclusive) == 0 && exclusive != 0) ||
                      (::flock(m_handle, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK);
    if (held)
        release();
    return held ? Outcome::Held : Outcome::Taken;
}

void PortHold::release() {
    if (m_handle >= 0)
        ::close(m_handle);
    m_handle = -1;
}
