#include "link/PortGate.h"

#include <QTimer>
#include <algorithm>

PortGate::PortGate(SerialPort& port, ExchangeView& view, Waiter* waiter)
    : m_waiter(waiter ? *waiter : m_timer), m_exchange(port, m_waiter, view) {}

void PortGate::Tx(QString& Testo, Tipo tipo) {
    ++m_exchanges;
    m_exchange.Tx(Testo, tipo);
    --m_exchanges;
    runDeferred();
}

void PortGate::Attendi(qint16& ms) {
    m_waiter.Attendi(ms);
}

void PortGate::DoEvents() {
    m_waiter.DoEvents();
}

void PortGate::stopTimer() {
    m_timer.stop();
}

bool PortGate::busy() const {
    return m_exchanges > 0 || m_pressRunning || m_probeRunning || m_searchRunning;
}

void PortGate::whenIdle(std::function<void()> task, Run run) {
    m_deferred.append({std::move(task), run});
    runDeferred();
}

void PortGate::beginPress() {
    m_pressRunning = true;
}

void PortGate::endPress() {
    m_pressRunning = false;
    runDeferred();
}

void PortGate::beginProbe() {
    m_probeRunning = true;
}

void PortGate::endProbe() {
    m_probeRunning = false;
    runDeferred();
}

void PortGate::beginSearch() {
    m_searchRunning = true;
}

void PortGate::endSearch() {
    m_searchRunning = false;
    runDeferred();
}

void PortGate::runDeferred() {
    while (!busy()) {
        const auto atRelease = std::find_if(m_deferred.begin(), m_deferred.end(),
                                            [](const Task& t) { return t.run == Run::AtRelease; });
        if (atRelease == m_deferred.end())
            break;
        const std::function<void()> work = atRelease->work;
        m_deferred.erase(atRelease);
        work();
    }
    if (busy() || m_deferred.isEmpty())
        return;
    QTimer::singleShot(0, this, [this] {
        if (busy() || m_deferred.isEmpty())
            return;
        const std::function<void()> work = m_deferred.takeFirst().work;
        work();
        runDeferred();
    });
}
