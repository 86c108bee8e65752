#pragma once

#include "PanelRig.h"
#include "SimulatedCom1.h"
#include "platform/QtSerialPort.h"

#include <QStringList>

// A base ahead of PanelRig: the simulated line and the real port object, built before the
// form and gone after it.
struct SimulatedLine {
    explicit SimulatedLine(const QStringList& faults) : line(faults) {}
    SimulatedCom1 line;
    QtSerialPort port;
};

// The panel as the operator runs it: the real port object on COM1, mapped to a simulated
// encoder's pseudo-terminal; every other COM number leads nowhere. Loaded and on screen.
struct SimPanel : SimulatedLine, PanelRig {
    // Extra arguments select the simulator's faults, such as "--no-echo".
    explicit SimPanel(const QStringList& faults = {});

    QString path(const QString& name) const { return line.path(name); }
    // A fresh simulator on the same link, for instance once a fault is to be gone.
    void start(const QStringList& faults = {}) { line.restart(faults); }
    // Every byte the current simulator has received.
    QString wire() const;
};
