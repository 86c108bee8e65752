#include "cli/Tracer.h"

#include "cli/Console.h"
#include "service/VisibleText.h"

Tracer::Tracer(SerialPort& port, const QString& label) : ForwardingPort(port), m_label(label) {
    m_clock.start();
}

void Tracer::setSettings(const QString& text) {
    m_port.setSettings(text);
    log(QStringLiteral("settings ") + text);
}

void Tracer::setHandshaking(int code) {
    m_port.setHandshaking(code);
    log(QStringLiteral("flow control %1").arg(code));
}

void Tracer::setPortOpen(bool open) {
    m_port.setPortOpen(open);
    log(open ? QStringLiteral("open") : QStringLiteral("closed"));
}

void Tracer::output(const QString& text) {
    m_port.output(text);
    log(QStringLiteral("> ") + VisibleText::of(text));
}

QString Tracer::input() {
    const QString text = m_port.input();
    if (!text.isEmpty())
        log(QStringLiteral("< ") + VisibleText::of(text));
    return text;
}

void Tracer::log(const QString& what) {
    Console::err(QStringLiteral("%1 %2 ms %3")
                     .arg(m_label)
                     .arg(double(m_clock.nsecsElapsed()) / 1e6, 9, 'f', 1)
                     .arg(what));
}
