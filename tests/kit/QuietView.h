#pragma once

#include "link/ExchangeView.h"

// An exchange that shows nothing, for rigs that exercise the port's use without a panel.
class QuietView : public ExchangeView {
public:
    Flow flowToRestore() const override { return Flow::None; }
    void exchangeStarted() override {}
    void sendingStarted(const QString&) override {}
    void echoShown(const QString&) override {}
    void commandTerminated() override {}
    void collectingPass() override {}
    void replyShown(const ReplyReport&) override {}
    void listingReceived(const QString&) override {}
    void exchangeEnded() override {}
    void pollingStopped() override {}
    void failureReported(const QString&) override {}
};
