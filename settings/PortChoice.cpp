#include "settings/PortChoice.h"

#include "platform/Design.h"
#include "platform/PortMap.h"
#include "settings/SetSerialeControls.h"

#include <QComboBox>
#include <QRadioButton>

namespace {

constexpr std::size_t ComboFromSlot = 7; // a port in this slot shows the combo

// A button of an exclusive set cannot be unchecked directly, only by checking another.
void setSelected(QRadioButton* button, bool selected) {
    if (selected) {
        button->setChecked(true);
    } else if (button->isChecked()) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

} // namespace

PortChoice::PortChoice(SetSerialeControls& controls) : c(controls) {}

void PortChoice::rebuild(const PortProbe::Slots& found, int inUse) {
    showButtons(found);
    listPorts(found, inUse);
}

void PortChoice::showButtons(const PortProbe::Slots& found) {
    for (std::size_t i = 0; i < c.ComPort.size(); ++i) {
        QRadioButton* button = c.ComPort[i];
        const int port = found[i];
        button->setText(port ? QString::number(port) : QString());
        button->setToolTip(port ? PortMap::describe(port) : QString());
        button->setVisible(port != 0);
    }
    int left = 405; // one column
    if (found[3] == 0) {
        c.Combo1->hide();
    } else {
        // With four to six ports the combo stays as it was.
        if (found[ComboFromSlot - 1] != 0)
            c.Combo1->show();
        left = 45;
    }
    for (std::size_t i = 0; i < 3; ++i)
        c.ComPort[i]->move(Design::pixels(left), c.ComPort[i]->y());
}

// Entries beyond the new count stay from earlier runs. Rewriting an entry can replace
// the combo's text, so the text is put back unless the port in use takes its place.
void PortChoice::listPorts(const PortProbe::Slots& found, int inUse) {
    QComboBox* combo = c.Combo1;
    const QString text = combo->currentText();
    int selected = -1;
    int j = 0;
    for (const int port : found) {
        if (port == 0)
            continue;
        if (j < combo->count())
            combo->setItemText(j, QString::number(port));
        else
            combo->addItem(QString::number(port));
        combo->setItemData(j, PortMap::describe(port), Qt::ToolTipRole);
        if (port == inUse)
            selected = j;
        ++j;
    }
    if (selected < 0) {
        combo->setEditText(text);
        return;
    }
    combo->setCurrentIndex(selected);
    combo->setEditText(combo->itemText(selected));
}

void PortChoice::follow() {
    const QString text = c.Combo1->currentText();
    for (QRadioButton* button : c.ComPort)
        setSelected(button, button->text() == text);
}
