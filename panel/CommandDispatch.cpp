#include "panel/CommandDispatch.h"

#include "link/Catalogue.h"
#include "panel/Form1.h"

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

CommandDispatch::CommandDispatch(Form1& form) : m_form(form) {}

void CommandDispatch::CmdPuls_Click(int Index) {
    Form1Controls& c = m_form.controls;
    if (c.ChkCont->isChecked()) {
        // A press while polling only stops it; the polling loop unlocks the buttons.
        m_form.BloccaTasti();
        c.ChkCont->setChecked(false);
        return;
    }
    // Never two commands on the wire: a press that comes while another exchange or
    // the port probe runs goes out as soon as that has finished.
    if (m_form.busy()) {
        m_form.whenIdle([this, Index] { CmdPuls_Click(Index); });
        return;
    }
    m_form.BloccaTasti();
    m_form.beginPress();
    dispatch(Index);
    m_form.endPress();
}

void CommandDispatch::dispatch(int Index) {
    using Catalogue::Treatment;
    Form1Controls& c = m_form.controls;
    const QString caption = c.CmdPuls[std::size_t(Index)]->text();
    const Catalogue::Command* command = Catalogue::match(caption);
    switch (command ? command->treatment : Treatment::Plain) {
    case Treatment::Value:
    case Treatment::Address:
        send(caption + u'=' + valueBox(c, command->value)->text(), command->tipo);
        break;
    case Treatment::Listing:
        m_form.PulisciTasti();
        send(caption, command->tipo);
        send(QStringLiteral("POS"), Tipo::Position);
        break;
    case Treatment::Group:
        send(caption, command->tipo);
        // Marked after the exchange, so the mark tells whether this very command was taken.
        m_form.ImpostaTasti(QLatin1String(command->group), c.CmdPuls[std::size_t(Index)]->text());
        break;
    case Treatment::Reset:
        send(caption, command->tipo);
        m_form.PulisciTasti();
        break;
    case Treatment::Position:
    case Treatment::Plain:
        send(caption, command ? command->tipo : Tipo::Plain);
        break;
    }
}

void CommandDispatch::send(const QString& text, Tipo tipo) {
    QString Testo = text; // the exchange prefixes it in place
    m_form.Tx(Testo, tipo);
}

void CommandDispatch::TxtSended_DblClick() {
    QLabel* label = m_form.controls.Label2;
    label->setVisible(label->isHidden());
}
