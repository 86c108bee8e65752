#pragma once

#include <QString>

struct Form1Controls;
class PanelState;
class PortGate;

// Continuous position reading: one POS exchange, then the pause from the delay box,
// for as long as the Cont box stays ticked.
class Polling {
public:
    Polling(Form1Controls& controls, PanelState& state, PortGate& gate);

    void ChkCont_MouseUp();

    // The pause in milliseconds for a delay text: rounded half to even, kept within 16 bits.
    static qint16 pauseFor(const QString& delay);

private:
    Form1Controls& m_c;
    PanelState& m_state;
    PortGate& m_gate;
};
