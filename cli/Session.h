#pragma once

#include "cli/ConsoleView.h"
#include "link/Exchange.h"
#include "link/Tipo.h"

#include <functional>
#include <optional>

class SerialPort;
class Waiter;
struct PortOutcome;

// The exchanges of one port's operation, each recorded in its outcome; a port failure is
// recorded once and told on standard error.
class Session {
public:
    using Shown = std::function<void(const Exchanged&)>;

    Session(SerialPort& port, Waiter& waiter, Flow flow, PortOutcome& outcome, Shown shown);

    // One exchange; nothing when the port failed, after which the operation stops.
    std::optional<Exchanged> exchange(const QString& text, Tipo tipo);
    // The listing that the last exchange read, trimmed as the exchange trims it.
    const QString& listing() const { return m_view.listing(); }

    PortOutcome& outcome;
    Waiter& waiter;

private:
    ConsoleView m_view;
    Exchange m_exchange;
    Shown m_shown;
};
