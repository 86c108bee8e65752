#include "link/CutOffPort.h"

#include "link/SerialError.h"

int CutOffPort::inBufferCount() {
    check();
    return m_port.inBufferCount();
}

void CutOffPort::output(const QString& text) {
    check();
    m_port.output(text);
    for (const QChar c : text) {
        if (c == u'|' || c == u'\r')
            m_unended.clear();
        if (c != u'\r')
            m_unended += c;
    }
}

QString CutOffPort::input() {
    check();
    return m_port.input();
}

void CutOffPort::check() {
    if (!m_cut)
        return;
    m_fired = true;
    const QString how = m_label + QStringLiteral(": ended at once by a second Ctrl+C or SIGTERM");
    // A "|" alone starts nothing: the search leaves one after every wrong echo.
    if (m_unended.size() <= 1)
        throw SerialError(how + QStringLiteral("; no command was left half-sent."));
    throw SerialError(how + QStringLiteral("; \"%1\" went out without its CR, so the encoder may "
                                           "hold a half-sent command.")
                                .arg(m_unended));
}
