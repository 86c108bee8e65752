#pragma once

#include "link/Tipo.h"

#include <QString>

struct Form1Controls;
class PanelState;
class PortGate;

// The twenty command buttons: which text each sends, how its answer is read and what
// follows the exchange.
class CommandDispatch {
public:
    CommandDispatch(Form1Controls& controls, PanelState& state, PortGate& gate);

    void CmdPuls_Click(int Index);
    void TxtSended_DblClick();

private:
    void press(int Index);
    void dispatch(int Index);
    void send(const QString& text, Tipo tipo);

    Form1Controls& m_c;
    PanelState& m_state;
    PortGate& m_gate;
};
