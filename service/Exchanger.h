#pragma once

#include "link/Tipo.h"
#include "service/RecordingView.h"

#include <optional>

// Where a programmer's exchanges go: a companion's port on its own thread, or the panel's
// port through its gate, shown as a press shows them.
class Exchanger {
public:
    virtual ~Exchanger() = default;

    // One exchange; nothing when the port failed (the failure is in the outcome), after
    // which the operation stops.
    virtual std::optional<Exchanged> exchange(const QString& text, Tipo tipo) = 0;
    // The listing that the last exchange read, trimmed as the exchange trims it.
    virtual const QString& listing() const = 0;
};
