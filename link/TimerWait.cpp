#include "link/TimerWait.h"

#include <QCoreApplication>
#include <QEventLoop>

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
    // An event loop rather than waitForEvents() in a loop. Wine workaround (Wine 8.0): a
    // thread blocked in processEvents(WaitForMoreEvents) outside any event loop sleeps
    // through its timers; inside an event loop it wakes on time.
    QEventLoop loop;
    connect(this, &TimerWait::ended, &loop, &QEventLoop::quit);
    while (Timer1.isActive())
        loop.exec();
    Timer1.stop();
}

void TimerWait::stop() {
    Timer1.stop();
    emit ended();
}

void TimerWait::DoEvents() {
    QCoreApplication::processEvents();
}

void TimerWait::waitForEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TimerWait::Timer1_Timer() {
    stop();
}
