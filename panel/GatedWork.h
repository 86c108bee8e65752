#pragma once

#include <functional>

struct Form1Controls;
class PanelState;
class PortGate;
class Polling;

// Work on the encoder that runs as a press does: the command buttons locked throughout,
// continuous polling ended first, and never beside another exchange or the port probe.
class GatedWork {
public:
    GatedWork(Form1Controls& controls, PanelState& state, PortGate& gate, Polling& polling);

    // The work runs once the port is free, holding it; then follows after the port is let go
    // and the buttons are unlocked. Both may run after this returns.
    void run(std::function<void()> work, std::function<void()> then);

private:
    void whenFree(std::function<void()> task);

    Form1Controls& m_c;
    PanelState& m_state;
    PortGate& m_gate;
    Polling& m_polling;
};
