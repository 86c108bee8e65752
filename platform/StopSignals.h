#pragma once

#include <QObject>
#include <functional>
#include <utility>

class QSocketNotifier;

// Log-out, shutdown and Ctrl+C brought into the event loop, where stop runs, also in a wait
// that processes events. On Linux SIGTERM, SIGHUP and SIGINT, whose handler only writes a
// byte to a socket pair the loop reads; on Windows Ctrl+C, Ctrl+Break, closing the console,
// log-off and shutdown, whose handler thread posts the stop to the loop
// (StopSignalsPosix.cpp, StopSignalsWindows.cpp). One object at a time; its end restores
// the default.
class StopSignals : public QObject {
    Q_OBJECT
public:
    explicit StopSignals(std::function<void()> stop, QObject* parent = nullptr)
        : StopSignals(std::move(stop), {}, parent) {}
    // again: run for every signal after the first, which alone runs stop; without it, stop
    // runs for each.
    StopSignals(std::function<void()> stop, std::function<void()> again, QObject* parent = nullptr);
    ~StopSignals() override;

private:
    void received();
    // count signals came at once: the first of all runs stop, every later one again.
    void arrived(qsizetype count) {
        if (count == 0)
            return;
        const bool first = m_count == 0;
        m_count += count;
        if (first || !m_again)
            m_stop();
        if (m_again && m_count > 1)
            m_again();
    }

    int m_pair[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    std::function<void()> m_stop;
    std::function<void()> m_again;
    qsizetype m_count = 0; // signals taken so far
};
