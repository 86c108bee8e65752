#include "panel/CommandDispatch.h"

#include "panel/Form1.h"

#include "platform/MouseUpCheckBox.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace {

// Captions in the order they are compared; the first match decides the treatment.
enum class Treatment { Value, Address, Position, Listing, Group, Reset, Plain };

struct Entry {
    const char* caption;
    Treatment treatment;
    const char* group; // for group choices
};

constexpr std::array<Entry, 19> Catalogue{{
    {"OFST", Treatment::Value, nullptr},  {"PRST1", Treatment::Value, nullptr},
    {"PRST2", Treatment::Value, nullptr}, {"NS", Treatment::Value, nullptr},
    {"NR", Treatment::Value, nullptr},    {"ADDR", Treatment::Address, nullptr},
    {"DEV", Treatment::Address, nullptr}, {"POS", Treatment::Position, nullptr},
    {"STP", Treatment::Listing, nullptr}, {"GRAY", Treatment::Group, "CODE"},
    {"BIN", Treatment::Group, "CODE"},    {"BCD", Treatment::Group, "CODE"},
    {"CLW", Treatment::Group, "CNT"},     {"CCLW", Treatment::Group, "CNT"},
    {"EXTD", Treatment::Group, "CNT"},    {"ODD", Treatment::Group, "PAR"},
    {"EVEN", Treatment::Group, "PAR"},    {"POFF", Treatment::Group, "PAR"},
    {"RST", Treatment::Reset, nullptr},
}};

const Entry* lookUp(const QString& caption) {
    for (const Entry& entry : Catalogue)
        if (caption == QLatin1String(entry.caption))
            return &entry;
    return nullptr;
}

QLineEdit* valueBox(Form1Controls& c, const QString& caption) {
    if (caption == u"OFST")
        return c.TxtOFST;
    if (caption == u"PRST1")
        return c.TxtPRST1;
    if (caption == u"PRST2")
        return c.TxtPRST2;
    if (caption == u"NS")
        return c.TxtNS;
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
    Form1Controls& c = m_form.controls;
    const QString caption = c.CmdPuls[std::size_t(Index)]->text();
    const Entry* entry = lookUp(caption);
    switch (entry ? entry->treatment : Treatment::Plain) {
    case Treatment::Value:
        send(caption + u'=' + valueBox(c, caption)->text(), 0);
        break;
    case Treatment::Address:
        send(caption + u'=' + c.TxtDEV->text(), 0);
        break;
    case Treatment::Position:
        send(caption, 1);
        break;
    case Treatment::Listing:
        m_form.PulisciTasti();
        send(caption, 2);
        send(QStringLiteral("POS"), 1);
        break;
    case Treatment::Group:
        send(caption, 0);
        // Marked after the exchange, so the mark tells whether this very command was taken.
        m_form.ImpostaTasti(QLatin1String(entry->group), c.CmdPuls[std::size_t(Index)]->text());
        break;
    case Treatment::Reset:
        send(caption, 0);
        m_form.PulisciTasti();
        break;
    case Treatment::Plain:
        send(caption, 0);
        break;
    }
}

void CommandDispatch::send(const QString& text, quint8 Tipo) {
    QString Testo = text; // the exchange prefixes it in place
    m_form.Tx(Testo, Tipo);
}

void CommandDispatch::TxtSended_DblClick() {
    QLabel* label = m_form.controls.Label2;
    label->setVisible(label->isHidden());
}
