#pragma once

#include <QList>
#include <QString>
#include <functional>

struct Form1Controls;
class PanelState;
class PortGate;

// Continuous position reading: one POS exchange, then the pause from the delay box,
// for as long as the Cont box stays ticked.
class Polling {
public:
    Polling(Form1Controls& controls, PanelState& state, PortGate& gate);

    void ChkCont_MouseUp();

    // Runs the task once no polling loop will send anything again: at once when none runs,
    // or when the box is unticked and every loop under way is in its pause (a window opened
    // there holds the loop below it until it closes); otherwise when the loop ends.
    void whenStopped(std::function<void()> task);

    // The pause in milliseconds for a delay text: rounded half to even, kept within 16 bits.
    static qint16 pauseFor(const QString& delay);

private:
    bool stopped() const;
    void runAfterwards();

    Form1Controls& m_c;
    PanelState& m_state;
    PortGate& m_gate;
    int m_loops = 0;   // loops under way, a nested one included
    int m_pausing = 0; // of those, the ones in their pause
    QList<std::function<void()>> m_afterwards;
};
