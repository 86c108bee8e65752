#pragma once

#include <QString>

class Form1;

// Continuous position reading: one POS exchange, then the pause from the delay box,
// for as long as the Cont box stays ticked.
class Polling {
public:
    explicit Polling(Form1& form);

    void ChkCont_MouseUp();

    // The pause in milliseconds for a delay text: rounded half to even, kept within 16 bits.
    static qint16 pauseFor(const QString& delay);

private:
    Form1& m_form;
};
