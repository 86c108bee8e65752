#pragma once

struct Form1Controls;

// The resolution calculator: six zone figures that follow every change of NS and NR.
// Later figures read earlier ones back from their written text, as the operator sees them.
class Calculator {
public:
    explicit Calculator(Form1Controls& controls);

    void TxtNR_Change();
    void TxtNS_Change();
    void TxtResult_Change(int Index);
    void CalcolaVal();

    void CmdNR1_Click();
    void CmdNR4096_Click();
    void CmdNS4096_Click();
    void CmdNS8192_Click();

private:
    Form1Controls& m_c;
};
