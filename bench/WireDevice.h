#pragma once

#include "tools/Pty.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <memory>
#include <vector>

// An encoder on a pseudo-terminal inside the benchmark, so the time between the first
// byte of a command and its CR is measured where the line is, with no second process.
class WireDevice : public QObject {
    Q_OBJECT
public:
    WireDevice();

    const QString& path() const { return m_path; }
    // First byte to CR of every command received so far, in milliseconds.
    const std::vector<double>& commandSpans() const { return m_spans; }

private:
    void receive();
    void send(const char* bytes, std::size_t size);

    Pty m_pty;
    QString m_path;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QElapsedTimer m_clock;
    qint64 m_start = -1;
    std::vector<double> m_spans;
};
