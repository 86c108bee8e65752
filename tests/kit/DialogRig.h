#pragma once

#include "FakeProbePort.h"
#include "MessageCatcher.h"
#include "QuietView.h"
#include "link/PortGate.h"
#include "settings/SetSeriale.h"

#include <QList>
#include <QStringList>

class QRadioButton;

// The settings dialog bound to a fake port and loaded as the panel's start-up loads it.
struct DialogRig {
    explicit DialogRig(const QList<int>& present = {1, 2, 3});

    QRadioButton* option(const QString& name) const;
    // Names of the selected line-setting and echo options, sorted.
    QStringList selectedOptions() const;
    // Replaces the combo's text as the operator's typing does.
    void type(const QString& text);
    // What the window system delivers for a double-click: a click, then the second press
    // as a double-click and its release.
    static void doubleClick(QWidget* widget);

    FakeProbePort port;
    QuietView view;
    PortGate gate{port, view};
    SetSeriale dialog{gate};
    SetSerialeControls& c = dialog.controls;
    MessageCatcher messages;
};
