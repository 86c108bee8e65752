#pragma once

#include "PanelRig.h"
#include "ScriptedPort.h"
#include "link/Flow.h"

// A base ahead of PanelRig, so the port is built before the form and outlives it.
struct ScriptedPanelPort {
    ScriptedPort port;
};

// The panel on a scripted device that is also its waiter: exchanges run on a virtual clock.
struct ScriptedPanel : ScriptedPanelPort, PanelRig {
    explicit ScriptedPanel(Start start = Start::Constructed) : PanelRig(port, &port, start) {}

    // The acknowledgement flag as an exchange with that outcome leaves it; the wire and
    // the script as they were.
    void acknowledged(bool ok);
    // FlussoMem as "Serial line" sets it: the port's flow control when the dialog closes.
    void serialLineClosedWith(Flow flow);
};
