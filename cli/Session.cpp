#include "cli/Session.h"

#include "cli/Console.h"
#include "service/PortOutcome.h"
#include "service/VisibleText.h"

Session::Session(SerialPort& port, Waiter& waiter, Flow flow, PortOutcome& outcome,
                 ExchangeLog* log)
    : RecordedExchanger(m_view, outcome), waiter(waiter), m_view(flow),
      m_exchange(port, waiter, m_view) {
    if (log)
        m_view.logTo(*log, port);
}

void Session::failed() {
    Console::err(QStringLiteral("zintor-cli: ") + VisibleText::of(outcome.failure));
}
