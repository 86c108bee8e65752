#include "Com7Device.h"

#include "link/SerialError.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTest>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

Com7Device::Com7Device() {
    if (!QFile::link(QString::fromStdString(m_pty.slavePath()), m_device))
        qFatal("no link to the pseudo-terminal");
    // Open to all, for the test that tries the port as another user.
    ::chmod(QFile::encodeName(m_folder.path()).constData(), 0755);
    qputenv(Variable, m_device.toLocal8Bit());
}

Com7Device::~Com7Device() {
    qunsetenv(Variable);
}

void Com7Device::send(const QByteArray& bytes) const {
    QCOMPARE(::write(m_pty.master(), bytes.constData(), size_t(bytes.size())), bytes.size());
}

QByteArray Com7Device::received(qsizetype count, int ms) const {
    QDeadlineTimer deadline(ms);
    QByteArray bytes;
    pollfd entry{m_pty.master(), POLLIN, 0};
    while (bytes.size() < count && ::poll(&entry, 1, int(deadline.remainingTime())) == 1) {
        char chunk[256];
        const auto wanted = size_t(qMin<qsizetype>(sizeof chunk, count - bytes.size()));
        const ssize_t got = ::read(m_pty.master(), chunk, wanted);
        bytes.append(chunk, qMax<ssize_t>(0, got));
    }
    return bytes;
}

termios Com7Device::line() const {
    termios tio{};
    ::tcgetattr(m_pty.master(), &tio);
    return tio;
}

QString Com7Device::failureOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const SerialError& e) {
        return e.description();
    }
    return {};
}
