#pragma once

#include "link/Exchange.h"
#include "service/RecordedExchanger.h"

class ExchangeLog;
class SerialPort;
class Waiter;

// The exchanges of one port's operation on its own thread; a port failure is also told on
// standard error.
class Session : public RecordedExchanger {
public:
    // log: where every exchange goes as well, or nullptr.
    Session(SerialPort& port, Waiter& waiter, Flow flow, PortOutcome& outcome, ExchangeLog* log);

    Waiter& waiter;

private:
    void transmit(QString& framed, Tipo tipo) override { m_exchange.Tx(framed, tipo); }
    void failed() override;

    RecordingView m_view;
    Exchange m_exchange;
};
