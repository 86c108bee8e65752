#include "panel/PanelState.h"

#include "link/Catalogue.h"
#include "link/ListingParser.h"
#include "panel/ActionLock.h"
#include "panel/Form1Controls.h"
#include "platform/Colors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PanelState::PanelState(Form1Controls& controls, const quint8& RispostaOk, ActionLock& lock)
    : m_controls(controls), m_RispostaOk(RispostaOk), m_lock(lock) {}

void PanelState::LeggiElenco(const QString& text) {
    ListingParser::parse(
        text, [this](const QString& name, const QString& value) { ImpostaTasti(name, value); });
}

void PanelState::ImpostaTasti(const QString& Command, const QString& Dato) {
    if (!markGroup(Command, Dato))
        showValue(Command, Dato);
}

bool PanelState::markGroup(const QString& Command, const QString& Dato) {
    const Catalogue::Group* group = Catalogue::group(Command);
    if (!group)
        return false;
    const quint32 selection = m_RispostaOk == 1 ? Colors::LightGreen : Colors::ButtonFace;
    QPushButton* chosen = nullptr;
    for (const char* choice : group->choices)
        if (Dato == QLatin1String(choice))
            chosen = m_controls.command(choice);
    if (!chosen)
        return true;
    Colors::setBackColor(chosen, selection);
    for (const char* choice : group->choices)
        if (m_controls.command(choice) != chosen)
            Colors::setBackColor(m_controls.command(choice), Colors::ButtonFace);
    return true;
}

bool PanelState::showValue(const QString& Command, const QString& Dato) {
    if (Command == u"ZPV")
        m_controls.LblZPV->setText(Dato);
    else if (Command == u"OFST")
        m_controls.TxtOFST->setText(Dato);
    else if (Command == u"NS")
        m_controls.TxtNS->setText(Dato);
    else if (Command == u"NR")
        m_controls.TxtNR->setText(Dato);
    else
        return false;
    return true;
}

void PanelState::PulisciTasti() {
    for (std::size_t i = 0; i < Catalogue::Commands.size(); ++i)
        if (Catalogue::Commands[i].resetClears)
            Colors::setBackColor(m_controls.CmdPuls[i], Colors::ButtonFace);
    for (QLineEdit* box : {m_controls.TxtPRST1, m_controls.TxtPRST2, m_controls.TxtOFST,
                           m_controls.TxtNS, m_controls.TxtNR})
        box->setText(QString());
    m_controls.LblZPV->setText(QString());
}

void PanelState::BloccaTasti() {
    for (QPushButton* button : m_controls.CmdPuls)
        button->setEnabled(false);
    m_lock.follow(true);
}

void PanelState::SBloccaTasti() {
    if (m_held > 0)
        return;
    for (QPushButton* button : m_controls.CmdPuls)
        button->setEnabled(true);
    m_lock.follow(false);
}

void PanelState::hold() {
    ++m_held;
}

void PanelState::release() {
    if (m_held > 0)
        --m_held;
    SBloccaTasti();
}
