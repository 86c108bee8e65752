#pragma once

#include <QObject>
#include <functional>

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
    explicit StopSignals(std::function<void()> stop, QObject* parent = nullptr);
    ~StopSignals() override;

private:
    void received();

    int m_pair[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
    std::function<void()> m_stop;
};
