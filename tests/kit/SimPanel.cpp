#include "SimPanel.h"

SimPanel::SimPanel(const QStringList& faults)
    : SimulatedLine(faults), PanelRig(port, nullptr, Start::Shown) {}

QString SimPanel::wire() const {
    return QString::fromLatin1(line.encoder().received());
}
