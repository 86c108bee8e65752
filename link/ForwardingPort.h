#pragma once

#include "link/SerialPort.h"

// A port that passes every operation to another, for one that watches or limits some of
// them (the companion's trace, the cut-off of a second stop) and overrides only those.
class ForwardingPort : public SerialPort {
public:
    explicit ForwardingPort(SerialPort& port) : m_port(port) {}

    void setCommPort(int number) override { m_port.setCommPort(number); }
    int commPort() const override { return m_port.commPort(); }
    void setSettings(const QString& text) override { m_port.setSettings(text); }
    QString settings() const override { return m_port.settings(); }
    void setHandshaking(int code) override { m_port.setHandshaking(code); }
    int handshaking() const override { return m_port.handshaking(); }
    void setPortOpen(bool open) override { m_port.setPortOpen(open); }
    bool portOpen() const override { return m_port.portOpen(); }
    void discardOutput() override { m_port.discardOutput(); }
    void discardInput() override { m_port.discardInput(); }
    int inBufferCount() override { return m_port.inBufferCount(); }
    void output(const QString& text) override { m_port.output(text); }
    QString input() override { return m_port.input(); }
    void setRtsEnable(bool on) override { m_port.setRtsEnable(on); }
    void setInBufferSize(int bytes) override { m_port.setInBufferSize(bytes); }
    void setInputLen(int chars) override { m_port.setInputLen(chars); }

protected:
    SerialPort& m_port;
};
