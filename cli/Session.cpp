#include "cli/Session.h"

#include "cli/Console.h"
#include "cli/PortOutcome.h"

Session::Session(SerialPort& port, Waiter& waiter, Flow flow, PortOutcome& outcome, Shown shown)
    : outcome(outcome), waiter(waiter), m_view(flow), m_exchange(port, waiter, m_view),
      m_shown(std::move(shown)) {}

std::optional<Exchanged> Session::exchange(const QString& text, Tipo tipo) {
    QString framed = text;
    m_exchange.Tx(framed, tipo);
    if (!m_view.failure().isEmpty()) {
        outcome.failure = m_view.failure();
        outcome.raise(ExitStatus::PortFailed, QStringLiteral("port failure"));
        Console::err(QStringLiteral("zintor-cli: ") + outcome.failure);
        return std::nullopt;
    }
    outcome.exchanges << m_view.last();
    if (m_shown)
        m_shown(m_view.last());
    return m_view.last();
}
