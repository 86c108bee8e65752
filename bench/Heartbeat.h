#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class Verdict;

// A timer that should tick every 100 ms: every wait of the window lets the event loop run,
// so a tick late by more than the allowance means the window froze.
class Heartbeat : public QObject {
public:
    Heartbeat(Verdict& verdict, qint64 allowanceMs);

    qint64 worstLateMs() const { return m_worst; }

private:
    void tick();

    Verdict& m_verdict;
    qint64 m_allowance;
    qint64 m_worst = 0;
    QElapsedTimer m_since;
    QTimer m_timer;
};
