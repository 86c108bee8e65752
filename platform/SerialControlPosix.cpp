#include "platform/SerialControl.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <linux/major.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

namespace SerialControl {

// QSerialPort writes a lock file before it tries the device; a missing node is told at once.
bool absent(const QString& device) {
    struct stat node {};
    return ::stat(QFile::encodeName(device).constData(), &node) != 0 && errno == ENOENT;
}

// A pseudo-terminal has no line: the kernel keeps it at 8 data bits without parity.
bool keepsItsLine(Handle handle) {
    struct stat info {};
    if (::fstat(handle, &info) != 0 || !S_ISCHR(info.st_mode))
        return false;
    const unsigned int group = major(info.st_rdev);
    return group >= UNIX98_PTY_SLAVE_MAJOR &&
           group < UNIX98_PTY_SLAVE_MAJOR + UNIX98_PTY_MAJOR_COUNT;
}

int apply(Handle handle, bool parity, int handshaking, bool rts) {
    termios tio{};
    if (::tcgetattr(handle, &tio) != 0)
        return errno;
    // QSerialPort leaves the odd flag of earlier settings behind when parity goes off, and
    // a terminal (the simulated encoder's) would read that as odd parity.
    if (!parity)
        tio.c_cflag &= ~PARODD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cflag &= ~CRTSCTS;
    if (handshaking & XonXoff)
        tio.c_iflag |= IXON | IXOFF;
    if (handshaking & RtsCts)
        tio.c_cflag |= CRTSCTS;
    if (::tcsetattr(handle, TCSANOW, &tio) != 0)
        return errno;
    if (handshaking & RtsCts)
        return 0; // the driver drives RTS
    int line = TIOCM_RTS;
    if (::ioctl(handle, rts ? TIOCMBIS : TIOCMBIC, &line) == 0)
        return 0;
    // Pseudo-terminals and some adapters have no modem lines; that is no failure.
    return errno == ENOTTY || errno == EINVAL ? 0 : errno;
}

qsizetype writeNow(Handle handle, const QByteArray& bytes) {
    return std::max<qsizetype>(::write(handle, bytes.constData(), bytes.size()), 0);
}

int lastError() {
    return errno;
}

bool heldBack(int systemError) {
    return systemError == EAGAIN;
}

} // namespace SerialControl
