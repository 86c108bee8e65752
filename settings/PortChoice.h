#pragma once

#include "settings/PortProbe.h"

struct SetSerialeControls;

// The port buttons and the port list of the "Com Port" frame, rebuilt from every probe.
class PortChoice {
public:
    explicit PortChoice(SetSerialeControls& controls);

    // Buttons for the first six ports found, in one column for up to three; the list
    // gets every port found, and the entry of the port in use becomes the selection.
    void rebuild(const PortProbe::Slots& found, int inUse);
    // Selects the button whose caption is the combo's text, and only that one.
    void follow();

private:
    void showButtons(const PortProbe::Slots& found);
    void listPorts(const PortProbe::Slots& found, int inUse);

    SetSerialeControls& c;
};
