#pragma once

#include <functional>

class ActionLock;
struct Form1Controls;
class PanelState;
class PortGate;
class Polling;

// Work on the encoder that runs as a press does: the command buttons locked throughout,
// continuous polling ended first, and never beside another exchange or the port probe. The
// menu's actions stay locked from the request until the work has ended.
class GatedWork {
public:
    GatedWork(Form1Controls& controls, PanelState& state, PortGate& gate, Polling& polling,
              ActionLock& lock);

    // A request from the menu: the buttons are locked and polling is stopped at once, before
    // any window of the action opens; the action runs once the port is free, from where its
    // windows hold nothing on the wire below them.
    void request(std::function<void()> action);

    // The work runs once the port is free, holding it; then follows after the port is let go
    // and the buttons are unlocked. Both may run after this returns.
    void run(std::function<void()> work, std::function<void()> then);

private:
    void stopPolling();
    void whenFree(std::function<void()> task);

    Form1Controls& m_c;
    PanelState& m_state;
    PortGate& m_gate;
    Polling& m_polling;
    ActionLock& m_lock;
};
