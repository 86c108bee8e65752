#include "service/RecordedExchanger.h"

#include "service/PortOutcome.h"

RecordedExchanger::RecordedExchanger(RecordingView& view, PortOutcome& outcome)
    : outcome(outcome), m_view(view) {}

std::optional<Exchanged> RecordedExchanger::exchange(const QString& text, Tipo tipo) {
    QString framed = text;
    transmit(framed, tipo);
    if (!m_view.failure().isEmpty()) {
        outcome.failure = m_view.failure();
        outcome.raise(ExitStatus::PortFailed, QStringLiteral("port failure"));
        failed();
        return std::nullopt;
    }
    outcome.exchanges << m_view.last();
    return m_view.last();
}
