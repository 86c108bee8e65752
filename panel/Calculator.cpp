#include "panel/Calculator.h"

#include "link/Numbers.h"
#include "panel/Form1Controls.h"
#include "platform/Colors.h"

#include <QLineEdit>
#include <cmath>

namespace {

constexpr double Range = 4096.0;
const QString Placeholder = QStringLiteral("--");

double read(const QLineEdit* box) {
    return Numbers::leading(box->text());
}

} // namespace

Calculator::Calculator(Form1Controls& controls) : m_c(controls) {}

void Calculator::TxtNR_Change() {
    const double NR = read(m_c.TxtNR);
    if (NR > 0 && NR < Range + 1) {
        CalcolaVal();
        Colors::setBackColor(m_c.TxtNR, Colors::WindowBackground);
        return;
    }
    for (int i = 0; i <= 4; ++i)
        m_c.TxtResult[std::size_t(i)]->setText(Placeholder);
    if (read(m_c.TxtNR) > Range)
        Colors::setBackColor(m_c.TxtNR, Colors::Orange);
}

void Calculator::TxtNS_Change() {
    CalcolaVal();
}

void Calculator::CalcolaVal() {
    auto& result = m_c.TxtResult;
    double NR = read(m_c.TxtNR);
    if (!(NR > 0))
        return;
    result[0]->setText(Numbers::text(Range / NR));
    NR = read(m_c.TxtNR);
    result[1]->setText(Numbers::text(std::floor(Range / NR) * NR));
    result[2]->setText(Numbers::text(read(m_c.TxtNS) * NR));
    result[3]->setText(Numbers::text((Range - read(result[1])) * read(m_c.TxtNS)));
    const double R3 = read(result[3]);
    result[4]->setText(R3 > 0 ? Numbers::text(read(result[2]) - R3) : QStringLiteral("0"));
}

void Calculator::TxtResult_Change(int) {
    QLineEdit* full = m_c.TxtResult[1];
    Colors::setBackColor(full, full->text() == u"4096" ? Colors::ScrollBars : Colors::Orange);
    m_c.TxtResult[5]->setText(Numbers::text(Range - read(full)));
}

void Calculator::CmdNR1_Click() {
    m_c.TxtNR->setText(QStringLiteral("1"));
}
void Calculator::CmdNR4096_Click() {
    m_c.TxtNR->setText(QStringLiteral("4096"));
}
void Calculator::CmdNS4096_Click() {
    m_c.TxtNS->setText(QStringLiteral("4096"));
}
void Calculator::CmdNS8192_Click() {
    m_c.TxtNS->setText(QStringLiteral("8192"));
}
