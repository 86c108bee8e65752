#include "panel/Polling.h"

#include "link/Numbers.h"
#include "panel/Form1.h"

#include "platform/MouseUpCheckBox.h"
#include <QLineEdit>
#include <algorithm>

Polling::Polling(Form1& form) : m_form(form) {}

qint16 Polling::pauseFor(const QString& delay) {
    const double ms = std::clamp(Numbers::leading(delay), -32768.0, 32767.0);
    return Numbers::toInt16(ms);
}

void Polling::ChkCont_MouseUp() {
    Form1Controls& c = m_form.controls;
    // A poll started inside another exchange would interleave two commands on the wire:
    // take it up once that exchange (and the press that started it) is over.
    if (c.ChkCont->isChecked() && m_form.busy()) {
        m_form.whenIdle([this] { ChkCont_MouseUp(); });
        return;
    }
    while (c.ChkCont->isChecked()) {
        QString Testo = QStringLiteral("POS");
        m_form.Tx(Testo, Tipo::Position);
        qint16 pause = pauseFor(c.TxtCont->text());
        m_form.Attendi(pause);
    }
    m_form.SBloccaTasti();
}
