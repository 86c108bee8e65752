#include "ScriptedPort.h"

#include "link/SerialError.h"

namespace {

QString misread(const QString& text) {
    QString other;
    for (const QChar c : text)
        other += QChar(c.unicode() ^ 0x80);
    return other;
}

} // namespace

void ScriptedPort::setCommPort(int number) {
    if (number < 1 || number > 255)
        throw SerialError(QStringLiteral("COM%1: no such port").arg(number));
    m_commPort = number;
}

void ScriptedPort::setHandshaking(int code) {
    m_handshaking = code;
    handshakeLog.append(code);
}

void ScriptedPort::setPortOpen(bool open) {
    if (open && !script.openFailure.isEmpty())
        throw SerialError(script.openFailure);
    m_open = open;
}

int ScriptedPort::inBufferCount() {
    int count = 0;
    for (const Arrival& a : std::as_const(m_incoming))
        if (a.at <= now)
            count += int(a.text.size());
    return count;
}

void ScriptedPort::output(const QString& text) {
    wire += text;
    sentAt.append(now);
    // The encoder's answer starts with the CR, so the CR itself is not echoed.
    if (text == u"\r")
        m_incoming.append({now + script.replyDelay, script.reply});
    else if (script.misread)
        m_incoming.append({now + script.echoDelay, misread(text)});
    else if (script.echo)
        m_incoming.append({now + script.echoDelay, text});
}

QString ScriptedPort::input() {
    if (++reads == script.failAtRead)
        throw SerialError(QStringLiteral("COM1 (/dev/pts/9): device gone"));
    QString out;
    for (qsizetype i = 0; i < m_incoming.size();) {
        if (m_incoming[i].at <= now) {
            out += m_incoming[i].text;
            m_incoming.removeAt(i);
        } else {
            ++i;
        }
    }
    // Software flow control takes DC1 and DC3 out of the received stream.
    if (m_handshaking == 1 || m_handshaking == 3)
        out.remove(QChar(17)).remove(QChar(19));
    return out;
}

void ScriptedPort::Attendi(qint16& ms) {
    waitsAsked.append(ms);
    if (ms < 1)
        ms = 1;
    now += ms;
    if (onWait)
        onWait();
}
