#pragma once

#include "SimulatedCom1.h"
#include "panel/Form1.h"
#include "platform/QtSerialPort.h"

#include <QList>
#include <QStringList>

// The panel as the operator runs it: the real port object on COM1, mapped to a simulated
// encoder's pseudo-terminal; every other COM number leads nowhere.
struct SimPanel {
    // Extra arguments select the simulator's faults, such as "--no-echo".
    explicit SimPanel(const QStringList& faults = {});

    QString path(const QString& name) const { return line.path(name); }
    // A fresh simulator on the same link, for instance once a fault is to be gone.
    void start(const QStringList& faults = {}) { line.restart(faults); }
    // Every byte the current simulator has received.
    QString wire() const;
    // Runs one exchange as the panel's own code does; returns the framed text.
    QString send(const QString& command, Tipo tipo);
    // Back colours of the command buttons from..to.
    QList<quint32> marks(const QStringList& words) const;

    SimulatedCom1 line;
    QtSerialPort port;
    Form1 form{port, [] {}};
    Form1Controls& c = form.controls();
};
