#include "panel/PanelExchanger.h"

#include "link/PortGate.h"
#include "panel/PanelState.h"

void PanelExchanger::transmit(QString& framed, Tipo tipo) {
    // A listing replaces what the panel shows, as the listing button's does.
    if (tipo == Tipo::Listing)
        m_state.PulisciTasti();
    m_gate.Tx(framed, tipo);
}
