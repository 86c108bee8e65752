#include "cli/Interrupt.h"

#include "cli/Console.h"

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Stops[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<int> g_writeEnd{-1};

void handle(int signal) {
    const int saved = errno;
    const char byte = char(signal);
    // A full pipe already holds a stop yet to be read: nothing is lost.
    [[maybe_unused]] const auto written = ::write(g_writeEnd.load(), &byte, 1);
    errno = saved;
}

void handleWith(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : Stops)
        sigaction(signal, &action, nullptr);
}

} // namespace

Interrupt::Interrupt(std::function<void()> stop, QObject* parent)
    : QObject(parent), m_stop(std::move(stop)) {
    if (::pipe2(m_pipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        Console::err(QStringLiteral("zintor-cli: Ctrl+C will end the program at once, "
                                    "whatever is on the wire: no pipe (%1)")
                         .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &Interrupt::received);
    g_writeEnd = m_pipe[1];
    handleWith(handle);
}

Interrupt::~Interrupt() {
    if (!m_notifier)
        return;
    handleWith(SIG_DFL);
    g_writeEnd = -1;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void Interrupt::received() {
    char bytes[16];
    while (::read(m_pipe[0], bytes, sizeof bytes) > 0) {
    }
    m_stop();
}
