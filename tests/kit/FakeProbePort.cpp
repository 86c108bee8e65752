#include "FakeProbePort.h"

#include "link/SerialError.h"

void FakeProbePort::setCommPort(int number) {
    if (number < 1 || number > 255)
        throw SerialError(QStringLiteral("COM%1: no such port number").arg(number));
    if (m_open && number != m_commPort)
        throw SerialError(QStringLiteral("COM%1: the port is open").arg(m_commPort));
    m_commPort = number;
    log.append(QStringLiteral("port %1").arg(number));
}

void FakeProbePort::setSettings(const QString& text) {
    if (!settingsFailure.isEmpty())
        throw SerialError(settingsFailure);
    m_settings = text;
    log.append(QStringLiteral("settings ") + text);
}

void FakeProbePort::setHandshaking(int code) {
    if (!handshakingFailure.isEmpty())
        throw SerialError(handshakingFailure);
    m_handshaking = code;
    log.append(QStringLiteral("flow %1").arg(code));
}

void FakeProbePort::setPortOpen(bool open) {
    if (open && !present.contains(m_commPort))
        throw SerialError(QStringLiteral("COM%1: device not found").arg(m_commPort));
    m_open = open;
    log.append(open ? QStringLiteral("open") : QStringLiteral("close"));
}
