#pragma once

#include "link/ExchangeView.h"

#include <QString>

// One exchange as the companion reports it.
struct Exchanged {
    QString sent;   // the command as framed, "|" included
    QString echo;   // or "NO ECHO !!"
    QString reply;  // as received, before trimming
    QString status; // ">", "?", "!?", "other" or "none"
    bool acknowledged = false;
    bool wantsPosition = false;
    QString position;
};

// The exchange's view for a terminal: nothing is drawn, each stage is recorded, and the
// caller reads the record once the exchange is over.
class ConsoleView : public ExchangeView {
public:
    explicit ConsoleView(Flow flow) : m_flow(flow) {}

    const Exchanged& last() const { return m_last; }
    // The trimmed listing of the last exchange that read one.
    const QString& listing() const { return m_listing; }
    // Empty unless the last exchange failed: which port, which device, why.
    const QString& failure() const { return m_failure; }

    Flow flowToRestore() const override { return m_flow; }
    void exchangeStarted() override;
    void sendingStarted(const QString& framed) override { m_last.sent = framed; }
    void echoShown(const QString& echo) override { m_last.echo = echo; }
    void commandTerminated() override {}
    void collectingPass() override {}
    void replyShown(const ReplyReport& report) override;
    void listingReceived(const QString& listing) override { m_listing = listing; }
    void exchangeEnded() override {}
    void pollingStopped() override {}
    void failureReported(const QString& message) override;

private:
    Flow m_flow;
    Exchanged m_last;
    QString m_listing;
    QString m_failure;
};
