#pragma once

#include "link/Waiter.h"

#include <QObject>
#include <QTimer>

// Waits on one shared timer while the event loop runs. A wait started inside another
// wait takes the timer over; when it ends, the outer wait ends at its next look.
class TimerWait : public QObject, public Waiter {
    Q_OBJECT
public:
    explicit TimerWait(QObject* parent = nullptr);

    void Attendi(qint16& ms) override;
    void DoEvents() override;
    // Ends the running waits, the nested ones and those they are nested in.
    void stop();

    // Blocks in the event loop until an event arrives, then handles what is pending.
    static void waitForEvents();

    QTimer Timer1;

signals:
    void ended();

private:
    void Timer1_Timer();
};
