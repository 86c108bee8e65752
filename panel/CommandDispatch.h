#pragma once

#include "link/Tipo.h"

#include <QString>

class Form1;

// The twenty command buttons: which text each sends, how its answer is read and what
// follows the exchange.
class CommandDispatch {
public:
    explicit CommandDispatch(Form1& form);

    void CmdPuls_Click(int Index);
    void TxtSended_DblClick();

private:
    void send(const QString& text, Tipo tipo);
    void dispatch(int Index);

    Form1& m_form;
};
