#include "link/TimerWait.h"

#include <QCoreApplication>

TimerWait::TimerWait(QObject* parent) : QObject(parent) {
    Timer1.setObjectName(QStringLiteral("Timer1"));
    // Coarse timers may fire 5% early or late, which the line pacing cannot afford.
    Timer1.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &TimerWait::Timer1_Timer);
}

void TimerWait::Attendi(qint16& ms) {
    if (ms < 1)
        ms = 1;
    Timer1.setInterval(ms);
    Timer1.start();
    do {
        waitForEvents();
    } while (Timer1.isActive());
    Timer1.stop();
}

void TimerWait::DoEvents() {
    QCoreApplication::processEvents();
}

void TimerWait::waitForEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TimerWait::Timer1_Timer() {
    Timer1.stop();
}
