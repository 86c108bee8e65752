#include "platform/StopSignals.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Stops[] = {SIGTERM, SIGHUP, SIGINT};
std::atomic<int> g_writeEnd{-1};

void handle(int signal) {
    const int saved = errno;
    const char byte = char(signal);
    // A full pair already holds a stop that is yet to be read: nothing is lost.
    [[maybe_unused]] const auto written = ::write(g_writeEnd.load(), &byte, 1);
    errno = saved;
}

void handleWith(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigset_t stops;
    sigemptyset(&stops);
    for (const int signal : Stops) {
        sigaction(signal, &action, nullptr);
        sigaddset(&stops, signal);
    }
    // A launcher may start the program with them blocked: from here on they are taken,
    // one already pending included.
    pthread_sigmask(SIG_UNBLOCK, &stops, nullptr);
}

} // namespace

StopSignals::StopSignals(std::function<void()> stop, std::function<void()> again, QObject* parent)
    : QObject(parent), m_stop(std::move(stop)), m_again(std::move(again)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, m_pair) != 0) {
        qWarning("Zintor: a log-out or Ctrl+C will end the program without storing the port "
                 "number: no socket pair (%s)",
                 std::strerror(errno));
        return;
    }
    m_notifier = new QSocketNotifier(m_pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::received);
    g_writeEnd = m_pair[0];
    handleWith(handle);
}

StopSignals::~StopSignals() {
    if (!m_notifier)
        return;
    handleWith(SIG_DFL);
    g_writeEnd = -1;
    ::close(m_pair[0]);
    ::close(m_pair[1]);
}

// One byte per signal; two that came close together are read at once and still count
// as two.
void StopSignals::received() {
    char bytes[16];
    qsizetype count = 0;
    for (ssize_t got = 0; (got = ::read(m_pair[1], bytes, sizeof bytes)) > 0;)
        count += got;
    arrived(count);
}
