#include "Heartbeat.h"

#include "Verdict.h"

#include <algorithm>

namespace {

constexpr int Interval = 100;
const QString Responsive = QStringLiteral("event loop responsive");

} // namespace

Heartbeat::Heartbeat(Verdict& verdict, qint64 allowanceMs)
    : m_verdict(verdict), m_allowance(allowanceMs) {
    m_verdict.watch(Responsive);
    connect(&m_timer, &QTimer::timeout, this, &Heartbeat::tick);
    m_timer.start(Interval);
    m_since.start();
}

void Heartbeat::tick() {
    const qint64 late = m_since.restart() - Interval;
    m_worst = std::max(m_worst, late);
    if (late > m_allowance)
        m_verdict.fail(Responsive, QStringLiteral("a 100 ms tick came %1 ms late").arg(late));
}
