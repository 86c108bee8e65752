#pragma once

#include "link/SerialPort.h"

#include <atomic>

// Passes every operation to the real port until the cut flag is set (a second Ctrl+C or
// SIGTERM); from then on the next write, read or count throws, so the operation ends
// between two characters instead of after its exchange. The failure says whether a command
// went out without its CR, which the encoder may then hold half-sent.
class CutOffPort : public SerialPort {
public:
    // label: "COM3 (/dev/ttyUSB0)", for the failure.
    CutOffPort(SerialPort& port, const std::atomic_bool& cut, const QString& label)
        : m_port(port), m_cut(cut), m_label(label) {}

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
    int inBufferCount() override;
    void output(const QString& text) override;
    QString input() override;
    void setRtsEnable(bool on) override { m_port.setRtsEnable(on); }
    void setInBufferSize(int bytes) override { m_port.setInBufferSize(bytes); }
    void setInputLen(int chars) override { m_port.setInputLen(chars); }

private:
    void check() const;

    SerialPort& m_port;
    const std::atomic_bool& m_cut;
    QString m_label;
    QString m_unended; // what went out since the last "|", until its CR
};
