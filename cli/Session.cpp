#include "cli/Session.h"

#include "cli/Console.h"
#include "service/OutsideText.h"
#include "service/PortOutcome.h"

Session::Session(SerialPort& port, Waiter& waiter, Flow flow, PortOutcome& outcome)
    : RecordedExchanger(m_view, outcome), waiter(waiter), m_view(flow),
      m_exchange(port, waiter, m_view) {}

void Session::failed() {
    Console::err(QStringLiteral("zintor-cli: ") + OutsideText::shown(outcome.failure));
}
