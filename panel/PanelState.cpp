#include "panel/PanelState.h"

#include "panel/Form1Controls.h"
#include "panel/ListingParser.h"
#include "platform/Colors.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace {

struct Group {
    const char* name;
    int first; // index of the group's first button; the three are consecutive
};

constexpr std::array<Group, 3> Groups{{{"CODE", 3}, {"CNT", 6}, {"PAR", 9}}};

} // namespace

PanelState::PanelState(Form1Controls& controls, const quint8& RispostaOk)
    : m_controls(controls), m_RispostaOk(RispostaOk) {}

void PanelState::LeggiElenco(const QString& text) {
    ListingParser::parse(
        text, [this](const QString& name, const QString& value) { ImpostaTasti(name, value); });
}

void PanelState::ImpostaTasti(const QString& Command, const QString& Dato) {
    if (!markGroup(Command, Dato))
        showValue(Command, Dato);
}

bool PanelState::markGroup(const QString& Command, const QString& Dato) {
    for (const Group& group : Groups) {
        if (Command != QLatin1String(group.name))
            continue;
        const quint32 selection = m_RispostaOk == 1 ? Colors::LightGreen : Colors::ButtonFace;
        int chosen = -1;
        for (int i = group.first; i < group.first + 3; ++i)
            if (m_controls.CmdPuls[std::size_t(i)]->text() == Dato)
                chosen = i;
        if (chosen < 0)
            return true;
        Colors::setBackColor(m_controls.CmdPuls[std::size_t(chosen)], selection);
        for (int i = group.first; i < group.first + 3; ++i)
            if (i != chosen)
                Colors::setBackColor(m_controls.CmdPuls[std::size_t(i)], Colors::ButtonFace);
        return true;
    }
    return false;
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
    for (int i = 3; i <= 18; ++i)
        Colors::setBackColor(m_controls.CmdPuls[std::size_t(i)], Colors::ButtonFace);
    for (QLineEdit* box : {m_controls.TxtPRST1, m_controls.TxtPRST2, m_controls.TxtOFST,
                           m_controls.TxtNS, m_controls.TxtNR})
        box->setText(QString());
    m_controls.LblZPV->setText(QString());
}

void PanelState::BloccaTasti() {
    for (QPushButton* button : m_controls.CmdPuls)
        button->setEnabled(false);
}

void PanelState::SBloccaTasti() {
    if (m_held)
        return;
    for (QPushButton* button : m_controls.CmdPuls)
        button->setEnabled(true);
}

void PanelState::hold() {
    m_held = true;
}

void PanelState::release() {
    m_held = false;
    SBloccaTasti();
}
