#pragma once

#include "link/Tipo.h"

#include <QString>

class SerialPort;
class Waiter;
class ExchangeView;

// One command exchange with the encoder: frame and pace the command, test the echo,
// collect the reply up to its end mark or the time limit, classify and show it.
class Exchange {
public:
    Exchange(SerialPort& port, Waiter& waiter, ExchangeView& view);

    // Testo gets its "|" prefix in place.
    // Never throws past the buffer discards: port failures go to the operator once.
    void Tx(QString& Testo, Tipo tipo);

    // The message that reports a failure of the port during an exchange.
    static QString failureMessage(const QString& description);

    static constexpr int MaxReads = 15;

private:
    void wait(qint16 ms);
    void run(QString& Testo, Tipo tipo);
    void testEcho();
    QString collect();
    void fail(const QString& description);

    SerialPort& m_port;
    Waiter& m_waiter;
    ExchangeView& m_view;
};
