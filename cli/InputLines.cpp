#include "cli/InputLines.h"

#include <QSocketNotifier>
#include <cerrno>
#include <unistd.h>

InputLines::InputLines(Line line, std::function<void()> ended, QObject* parent)
    : QObject(parent), m_notifier(new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this)),
      m_line(std::move(line)), m_ended(std::move(ended)) {
    connect(m_notifier, &QSocketNotifier::activated, this, &InputLines::readable);
}

void InputLines::stop() {
    m_notifier->setEnabled(false);
}

void InputLines::readable() {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && (errno == EINTR || errno == EAGAIN))
        return;
    if (n <= 0) {
        stop();
        if (!m_pending.isEmpty() || m_skipping)
            take(m_pending); // a last line without its line end
        m_pending.clear();
        return m_ended();
    }
    m_pending.append(buffer, n);
    for (qsizetype end; m_notifier->isEnabled() && (end = m_pending.indexOf('\n')) >= 0;) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        take(line);
    }
    if (m_pending.size() > MaxLine) {
        m_skipping = true;
        m_pending.clear();
    }
}

void InputLines::take(const QByteArray& line) {
    ++m_number;
    const bool tooLong = m_skipping || line.size() > MaxLine;
    m_skipping = false;
    QByteArray text = line;
    if (text.endsWith('\r'))
        text.chop(1);
    m_line(m_number, tooLong ? QString() : QString::fromUtf8(text), tooLong);
}
