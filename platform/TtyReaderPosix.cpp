#include "platform/TtyReader.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

// poll() first: it also makes the kernel finish moving received bytes into the tty
// buffer, which a pseudo-terminal (or a USB adapter) does from a work queue.
TtyReader::Outcome TtyReader::fetch(int fd) {
    char buffer[4096];
    for (;;) {
        pollfd entry{fd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, 0);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || entry.revents == 0)
            return Outcome::Fine;
        if (entry.revents & POLLNVAL) {
            m_error = EBADF;
            return Outcome::Failed;
        }
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            m_kept.append(buffer, got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EAGAIN)
            return Outcome::Fine;
        // Readable yet nothing to read, or a read error: the far end is gone.
        if (got == 0 || errno == EIO)
            return Outcome::HungUp;
        m_error = errno;
        return Outcome::Failed;
    }
}

bool TtyReader::hungUp(int fd) {
    pollfd entry{fd, 0, 0};
    return ::poll(&entry, 1, 0) == 1 && (entry.revents & (POLLHUP | POLLERR | POLLNVAL));
}
