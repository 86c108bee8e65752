#pragma once

#include <QObject>
#include <functional>
#include <utility>

class QSocketNotifier;

// Log-out, shutdown and Ctrl+C (SIGTERM, SIGHUP, SIGINT) brought into the event loop: the
// handler only writes a byte to a socket pair, and stop runs where the loop reads it, also
// in a wait that processes events. One object at a time; its end restores the default.
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

    int m_pair[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    std::function<void()> m_stop;
    std::function<void()> m_again;
    qsizetype m_count = 0; // signals taken so far
};
