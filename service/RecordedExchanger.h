#pragma once

#include "service/Exchanger.h"

struct PortOutcome;

// An exchanger whose exchanges are each recorded in the port's outcome; a port failure is
// recorded once, and ends the operation.
class RecordedExchanger : public Exchanger {
public:
    RecordedExchanger(RecordingView& view, PortOutcome& outcome);

    std::optional<Exchanged> exchange(const QString& text, Tipo tipo) override;
    const QString& listing() const override { return m_view.listing(); }

    PortOutcome& outcome;

protected:
    // One exchange on the port, shown on the recording view.
    virtual void transmit(QString& framed, Tipo tipo) = 0;
    // Told once the outcome holds the failure.
    virtual void failed() {}

private:
    RecordingView& m_view;
};
