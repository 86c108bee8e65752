#pragma once

#include "link/ExchangeView.h"

#include <QElapsedTimer>
#include <QString>

class ExchangeLog;
class SerialPort;

// One exchange as a record: what was sent and came back, and how it was classified.
struct Exchanged {
    QString sent;   // the command as framed, "|" included
    QString echo;   // or "NO ECHO !!"
    QString reply;  // as received, before trimming
    QString status; // ">", "?", "!?", "other" or "none"
    bool acknowledged = false;
    bool wantsPosition = false;
    QString position;
};

// Records each stage of an exchange, and passes every stage on to the view that shows it,
// if there is one: the companion shows nothing, the panel shows everything as a press does.
// The caller reads the record once the exchange is over.
class RecordingView : public ExchangeView {
public:
    // Without a view to show on, the flow to restore is the one given here.
    explicit RecordingView(Flow flow, ExchangeView* shown = nullptr)
        : m_flow(flow), m_shown(shown) {}

    const Exchanged& last() const { return m_last; }
    // The trimmed listing of the last exchange that read one.
    const QString& listing() const { return m_listing; }
    // Empty unless the last exchange failed: which port, which device, why.
    const QString& failure() const { return m_failure; }

    // From now on each exchange goes into the log as it ends, with the port's line.
    void logTo(ExchangeLog& log, const SerialPort& port);

    Flow flowToRestore() const override;
    void exchangeStarted() override;
    void sendingStarted(const QString& framed) override;
    void echoShown(const QString& echo) override;
    void commandTerminated() override;
    void collectingPass() override;
    void replyShown(const ReplyReport& report) override;
    void listingReceived(const QString& listing) override;
    void exchangeEnded() override;
    void pollingStopped() override;
    void failureReported(const QString& message) override;

private:
    void log();

    Flow m_flow;
    ExchangeView* m_shown;
    ExchangeLog* m_log = nullptr;
    const SerialPort* m_port = nullptr;
    qint64 m_startedAt = 0;
    QElapsedTimer m_clock;
    bool m_failing = false; // the failure path ends the exchange before it says why
    Exchanged m_last;
    QString m_listing;
    QString m_failure;
};
