#pragma once

#include "link/Exchange.h"
#include "link/TimerWait.h"

#include <QList>
#include <QObject>
#include <functional>

class ExchangeView;
class SerialPort;

// The one owner of the port's use. Exchanges, command presses and the settings dialog's
// port probe all go through it; work that would act on the port while one of them runs
// waits in a single queue and runs from the event loop once all of them are over.
class PortGate : public QObject {
    Q_OBJECT
public:
    // The exchange waits on the gate's own timer unless another waiter is given.
    PortGate(SerialPort& port, ExchangeView& view, Waiter* waiter = nullptr);

    void Tx(QString& Testo, Tipo tipo);
    void Attendi(qint16& ms);
    void DoEvents();
    // The shared wait timer, stopped at rest.
    void stopTimer();
    bool timerRunning() const { return m_timer.Timer1.isActive(); }

    // When deferred work runs once the port is free again.
    enum class Run {
        FromEventLoop, // after the handler that let go of the port has returned
        AtRelease,     // at once, inside the step that let go of it
    };

    bool busy() const;
    void whenIdle(std::function<void()> task, Run run = Run::FromEventLoop);

    // A press holds the port from before its first exchange until after its last.
    void beginPress();
    void endPress();
    // The probe sets the port to numbers the operator never chose.
    void beginProbe();
    void endProbe();
    // The search for an encoder closes the port and searches through ports of its own.
    void beginSearch();
    void endSearch();

private:
    struct Task {
        std::function<void()> work;
        Run run;
    };

    void runDeferred();

    TimerWait m_timer;
    Waiter& m_waiter;
    Exchange m_exchange;
    int m_exchanges = 0;
    bool m_pressRunning = false;
    bool m_probeRunning = false;
    bool m_searchRunning = false;
    QList<Task> m_deferred;
};
