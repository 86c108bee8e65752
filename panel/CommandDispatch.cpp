#include "panel/CommandDispatch.h"

#include "link/Catalogue.h"
#include "link/PortGate.h"
#include "panel/Form1Controls.h"
#include "panel/PanelState.h"

#include "platform/MouseUpCheckBox.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* valueBox(Form1Controls& c, Catalogue::Value value) {
    switch (value) {
    case Catalogue::Value::DEV:
        return c.TxtDEV;
    case Catalogue::Value::PRST1:
        return c.TxtPRST1;
    case Catalogue::Value::PRST2:
        return c.TxtPRST2;
    case Catalogue::Value::OFST:
        return c.TxtOFST;
    case Catalogue::Value::NS:
        return c.TxtNS;
    case Catalogue::Value::NR:
    case Catalogue::Value::None:
        break;
    }
    return c.TxtNR;
}

} // namespace

CommandDispatch::CommandDispatch(Form1Controls& controls, PanelState& state, PortGate& gate)
    : m_c(controls), m_state(state), m_gate(gate) {}

void CommandDispatch::CmdPuls_Click(int Index) {
    if (m_c.ChkCont->isChecked()) {
        // A press while polling only stops it; the polling loop unlocks the buttons.
        m_state.BloccaTasti();
        m_c.ChkCont->setChecked(false);
        return;
    }
    m_state.BloccaTasti();
    // The buttons stay locked until the press is over, so no second click can queue up.
    m_state.hold();
    // Never two commands on the wire: a press that comes while another exchange or the
    // port probe runs goes out as soon as that has finished.
    if (m_gate.busy())
        m_gate.whenIdle([this, Index] { press(Index); });
    else
        press(Index);
}

void CommandDispatch::press(int Index) {
    m_gate.beginPress();
    dispatch(Index);
    m_gate.endPress();
    m_state.release();
}

void CommandDispatch::dispatch(int Index) {
    using Catalogue::Treatment;
    Form1Controls& c = m_c;
    const QString caption = c.CmdPuls[std::size_t(Index)]->text();
    const Catalogue::Command* command = Catalogue::match(caption);
    switch (command ? command->treatment : Treatment::Plain) {
    case Treatment::Value:
    case Treatment::Address:
        send(caption + u'=' + valueBox(c, command->value)->text(), command->tipo);
        break;
    case Treatment::Listing:
        m_state.PulisciTasti();
        send(caption, command->tipo);
        send(QStringLiteral("POS"), Tipo::Position);
        break;
    case Treatment::Group:
        send(caption, command->tipo);
        // Marked after the exchange, so the mark tells whether this very command was taken.
        m_state.ImpostaTasti(QLatin1String(command->group), c.CmdPuls[std::size_t(Index)]->text());
        break;
    case Treatment::Reset:
        send(caption, command->tipo);
        m_state.PulisciTasti();
        break;
    case Treatment::Position:
    case Treatment::Plain:
        send(caption, command ? command->tipo : Tipo::Plain);
        break;
    }
}

void CommandDispatch::send(const QString& text, Tipo tipo) {
    QString Testo = text; // the exchange prefixes it in place
    m_gate.Tx(Testo, tipo);
}

void CommandDispatch::TxtSended_DblClick() {
    QLabel* label = m_c.Label2;
    label->setVisible(label->isHidden());
}
