#pragma once

#include "link/ForwardingPort.h"

#include <QElapsedTimer>

// Passes every operation to the real port and writes each byte sent and received, with
// the milliseconds since the port's operation began, to standard error (--trace).
class Tracer : public ForwardingPort {
public:
    Tracer(SerialPort& port, const QString& label);

    void setSettings(const QString& text) override;
    void setHandshaking(int code) override;
    void setPortOpen(bool open) override;
    void output(const QString& text) override;
    QString input() override;

private:
    void log(const QString& what);

    QString m_label;
    QElapsedTimer m_clock;
};
