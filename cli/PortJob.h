#pragma once

#include "cli/Options.h"
#include "service/PortOutcome.h"
#include "service/Profile.h"

#include <QThread>
#include <atomic>

class ExchangeLog;
class Session;

// One port's operation on a thread of its own: the thread owns the port, its wait timer and
// its exchange, and waits in its own event loop, so ports run side by side and a failing
// one stops no other. The stop flag is looked at between exchanges only: the exchange
// under way always ends, and nothing goes out half-sent. The cut flag ends it at once,
// between two characters (CutOffPort).
class PortJob : public QThread {
    Q_OBJECT
public:
    // log: where every exchange goes as well, or nullptr.
    PortJob(const Options& options, const PortRef& port, const Profile& profile,
            const std::atomic_bool& stop, const std::atomic_bool& cut, ExchangeLog* log);

    // Complete once the thread has finished.
    PortOutcome outcome;

protected:
    void run() override;

private:
    void operate(Session& session);
    void send(Session& session);
    void pos(Session& session);
    // The pause between two reads; false when Ctrl+C came meanwhile.
    bool pause(Session& session) const;
    QString sendLine(const Exchanged& e) const;

    const Options& m_options;
    const Profile& m_profile;
    const std::atomic_bool& m_stop;
    const std::atomic_bool& m_cut;
    ExchangeLog* m_log;
};
