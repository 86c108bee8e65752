#pragma once

#include "link/SerialPort.h"

#include <QElapsedTimer>

// Passes every operation to the real port and writes each byte sent and received, with
// the milliseconds since the port's operation began, to standard error (--trace).
class Tracer : public SerialPort {
public:
    Tracer(SerialPort& port, const QString& label);

    void setCommPort(int number) override { m_port.setCommPort(number); }
    int commPort() const override { return m_port.commPort(); }
    void setSettings(const QString& text) override;
    QString settings() const override { return m_port.settings(); }
    void setHandshaking(int code) override;
    int handshaking() const override { return m_port.handshaking(); }
    void setPortOpen(bool open) override;
    bool portOpen() const override { return m_port.portOpen(); }
    void discardOutput() override { m_port.discardOutput(); }
    void discardInput() override { m_port.discardInput(); }
    int inBufferCount() override { return m_port.inBufferCount(); }
    void output(const QString& text) override;
    QString input() override;
    void setRtsEnable(bool on) override { m_port.setRtsEnable(on); }
    void setInBufferSize(int bytes) override { m_port.setInBufferSize(bytes); }
    void setInputLen(int chars) override { m_port.setInputLen(chars); }

private:
    void log(const QString& what);

    SerialPort& m_port;
    QString m_label;
    QElapsedTimer m_clock;
};
