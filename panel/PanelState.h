#pragma once

#include <QString>

class ActionLock;
struct Form1Controls;

// The device's settings as the panel shows them: the marked choice of each group, the
// reported values, and the lock of the twenty command buttons, which the menu's work on the
// encoder follows.
class PanelState {
public:
    PanelState(Form1Controls& controls, const quint8& RispostaOk, ActionLock& lock);

    void LeggiElenco(const QString& text);
    void ImpostaTasti(const QString& Command, const QString& Dato);
    void PulisciTasti();
    void BloccaTasti();
    void SBloccaTasti();

    // While held, unlocking waits until release(), so a press keeps the buttons locked
    // through everything it does after its exchanges. Holds nest: a production run holds
    // them across its units, each of which holds them too.
    void hold();
    void release();

private:
    bool markGroup(const QString& Command, const QString& Dato);
    bool showValue(const QString& Command, const QString& Dato);

    Form1Controls& m_controls;
    const quint8& m_RispostaOk;
    ActionLock& m_lock;
    int m_held = 0;
};
