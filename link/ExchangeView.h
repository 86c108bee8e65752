#pragma once

#include "link/Reply.h"

#include <QString>

// What one exchange shows, stage by stage. The panel implements it by writing its
// controls; a command-line companion can print instead.
class ExchangeView {
public:
    // Everything the reply stage shows at once, in the order the display takes it.
    struct ReplyReport {
        QString framed; // the command as sent, "|" included
        QString reply;  // as received, before trimming
        bool wantsPosition = false;
        QString position;     // only when wantsPosition
        QString hexDump;      // of the reply before trimming
        Reply::Status status; // of the trimmed reply
    };

    virtual ~ExchangeView() = default;

    // The flow control the exchange restores after switching it off.
    virtual Flow flowToRestore() const = 0;

    virtual void exchangeStarted() = 0; // acknowledgement cleared, display reset
    virtual void sendingStarted(const QString& framed) = 0;   // history, current line, Tx lamp
    virtual void echoShown(const QString& echo) = 0;          // the echo or the no-echo text
    virtual void commandTerminated() = 0;                     // CR sent, Tx lamp off
    virtual void collectingPass() = 0;                        // Rx lamp on
    virtual void replyShown(const ReplyReport& report) = 0;   // Rx lamp off, position, dump, status
    virtual void listingReceived(const QString& listing) = 0; // may throw: counts as a failure
    virtual void exchangeEnded() = 0;                         // buttons usable again
    virtual void pollingStopped() = 0;                        // a failure ends continuous polling
    virtual void failureReported(const QString& message) = 0; // one message to the operator
};
