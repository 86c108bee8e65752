#pragma once

#include "PanelRig.h"
#include "ScriptedPort.h"

// A base ahead of PanelRig, so the port is built before the form and outlives it.
struct ScriptedPanelPort {
    ScriptedPort port;
};

// The panel on a scripted device that is also its waiter: exchanges run on a virtual clock.
struct ScriptedPanel : ScriptedPanelPort, PanelRig {
    explicit ScriptedPanel(Start start = Start::Constructed) : PanelRig(port, &port, start) {}
};
