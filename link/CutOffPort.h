#pragma once

#include "link/ForwardingPort.h"

#include <atomic>

// Passes every operation to the real port until the cut flag is set (a second Ctrl+C or
// SIGTERM); from then on the next write, read or count throws, so the operation ends
// between two characters instead of after its exchange. The failure says whether a command
// went out without its CR, which the encoder may then hold half-sent.
class CutOffPort : public ForwardingPort {
public:
    // label: "COM3 (/dev/ttyUSB0)", for the failure.
    CutOffPort(SerialPort& port, const std::atomic_bool& cut, const QString& label)
        : ForwardingPort(port), m_cut(cut), m_label(label) {}

    int inBufferCount() override;
    void output(const QString& text) override;
    QString input() override;

    // Whether the operation was cut off here.
    bool cut() const { return m_fired; }

private:
    void check();

    const std::atomic_bool& m_cut;
    QString m_label;
    QString m_unended; // what went out since the last "|", until its CR
    bool m_fired = false;
};
