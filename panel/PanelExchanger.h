#pragma once

#include "service/RecordedExchanger.h"

class PanelState;
class PortGate;

// A programmer's exchanges on the panel's port: through the gate, shown on the panel as a
// press shows them, and recorded in the operation's outcome.
class PanelExchanger : public RecordedExchanger {
public:
    PanelExchanger(PortGate& gate, RecordingView& view, PortOutcome& outcome, PanelState& state)
        : RecordedExchanger(view, outcome), m_gate(gate), m_state(state) {}

private:
    void transmit(QString& framed, Tipo tipo) override;

    PortGate& m_gate;
    PanelState& m_state;
};
