#include "panel/Polling.h"

#include "link/Numbers.h"
#include "link/PortGate.h"
#include "panel/Form1Controls.h"
#include "panel/PanelState.h"

#include "platform/MouseUpCheckBox.h"
#include <QLineEdit>
#include <algorithm>

Polling::Polling(Form1Controls& controls, PanelState& state, PortGate& gate)
    : m_c(controls), m_state(state), m_gate(gate) {}

qint16 Polling::pauseFor(const QString& delay) {
    const double ms = std::clamp(Numbers::leading(delay), -32768.0, 32767.0);
    return Numbers::toInt16(ms);
}

void Polling::ChkCont_MouseUp() {
    Form1Controls& c = m_c;
    // A poll started inside another exchange would interleave two commands on the wire:
    // take it up once that exchange (and the press that started it) is over.
    if (c.ChkCont->isChecked() && m_gate.busy()) {
        m_gate.whenIdle([this] { ChkCont_MouseUp(); });
        return;
    }
    ++m_loops;
    while (c.ChkCont->isChecked()) {
        QString Testo = QStringLiteral("POS");
        m_gate.Tx(Testo, Tipo::Position);
        qint16 pause = pauseFor(c.TxtCont->text());
        ++m_pausing;
        m_gate.Attendi(pause);
        --m_pausing;
    }
    --m_loops;
    m_state.SBloccaTasti();
    runAfterwards();
}

bool Polling::stopped() const {
    return m_loops == 0 || (m_pausing == m_loops && !m_c.ChkCont->isChecked());
}

void Polling::runAfterwards() {
    while (stopped() && !m_afterwards.isEmpty())
        m_afterwards.takeFirst()();
}

void Polling::whenStopped(std::function<void()> task) {
    m_afterwards.append(std::move(task));
    runAfterwards();
}
