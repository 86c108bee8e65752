#pragma once

class ActionLock;
class GatedWork;
class PanelState;
class PortGate;
class RecordingView;
class SerialPort;

// What a production run uses of the panel: its port through its gate, its display of the
// exchanges, the buttons' lock and the menu's lock.
struct ProductionPanel {
    SerialPort& port;
    PortGate& gate;
    RecordingView& view;
    PanelState& state;
    GatedWork& work;
    ActionLock& lock;
};
