#include "cli/PortJob.h"

#include "cli/Console.h"
#include "cli/Session.h"
#include "cli/Tracer.h"
#include "link/Catalogue.h"
#include "link/CutOffPort.h"
#include "link/Reply.h"
#include "link/SerialError.h"
#include "link/TimerWait.h"
#include "platform/PortFailure.h"
#include "platform/PortMap.h"
#include "platform/QtSerialPort.h"
#include "service/Programmer.h"
#include "service/VisibleText.h"

#include <QTime>

namespace {

// The receive buffer the panel sets at start-up.
constexpr int InBufferSize = 1024;
// A long pause between reads is waited in slices, so Ctrl+C ends a watch within one.
constexpr qint16 PauseSlice = 100;
// A watch without an end keeps its latest reads only.
constexpr qsizetype KeptReads = 1000;

QString statusText(const QString& status) {
    if (status == u">")
        return QStringLiteral("> (acknowledged)");
    if (status == u"?")
        return QStringLiteral("? (unknown command)");
    if (status == u"!?")
        return QStringLiteral("!? (bad value)");
    return status == u"none" ? QStringLiteral("none (no answer)") : status;
}

} // namespace

PortJob::PortJob(const Options& options, const PortRef& port, const Profile& profile,
                 const std::atomic_bool& stop, const std::atomic_bool& cut, ExchangeLog* log)
    : m_options(options), m_profile(profile), m_stop(stop), m_cut(cut), m_log(log) {
    outcome.port = port;
}

void PortJob::run() {
    QtSerialPort port;
    try {
        // As the panel starts its port: closed, opened by the first exchange.
        port.setCommPort(outcome.port.number);
        port.setSettings(m_options.settings);
        port.setHandshaking(m_options.flow);
        port.setRtsEnable(false);
        port.setInBufferSize(InBufferSize);
        port.setInputLen(0);
    } catch (const SerialError& e) {
        outcome.failure = e.description();
        outcome.raise(ExitStatus::PortFailed, QStringLiteral("port failure"));
        Console::err(QStringLiteral("zintor-cli: ") + VisibleText::of(outcome.failure));
        return;
    }
    CutOffPort cutOff(
        port, m_cut,
        PortFailure::label(outcome.port.number, PortMap::devicePath(outcome.port.number)));
    std::optional<Tracer> tracer;
    if (m_options.trace)
        tracer.emplace(cutOff, VisibleText::of(outcome.port.label));
    SerialPort& line = tracer ? static_cast<SerialPort&>(*tracer) : cutOff;
    TimerWait waiter;
    Session session(line, waiter, Flow(m_options.flow), outcome, m_log);
    operate(session);
    if (cutOff.cut())
        outcome.raise(ExitStatus::Stopped, QStringLiteral("ended at once by a second Ctrl+C"));
    try {
        line.setPortOpen(false);
    } catch (const SerialError&) {
        // Closing a port that failed has nothing more to tell.
    }
}

void PortJob::operate(Session& session) {
    Programmer programmer(session, outcome, m_stop);
    switch (m_options.operation) {
    case Options::Operation::Send:
        return send(session);
    case Options::Operation::Pos:
        return pos(session);
    case Options::Operation::Read:
        return programmer.read(VisibleText::of(PortMap::devicePath(outcome.port.number)));
    case Options::Operation::Apply:
        return programmer.apply(m_profile);
    case Options::Operation::Verify:
        return programmer.verify(m_profile);
    case Options::Operation::Find:
        return; // a search runs its own threads (Finder)
    }
}

void PortJob::send(Session& session) {
    const bool print = !m_options.json && !m_options.quiet;
    for (const QString& command : m_options.commands) {
        if (m_stop) {
            outcome.raise(ExitStatus::Stopped,
                          QStringLiteral("stopped by Ctrl+C before ") + command);
            return;
        }
        // Read as its button reads it: the word before "=" says how the reply is taken.
        const Catalogue::Command* known = Catalogue::match(command.section(u'=', 0, 0));
        const Tipo tipo = known ? known->tipo : Tipo::Plain;
        auto reply = session.exchange(command, tipo);
        if (!reply)
            return;
        if (print)
            Console::out(sendLine(*reply));
        if (!reply->acknowledged)
            outcome.raise(ExitStatus::Refused, command + u' ' + Programmer::refusal(*reply));
        // The listing button follows its listing with a position read.
        if (tipo == Tipo::Listing) {
            reply = session.exchange(QStringLiteral("POS"), Tipo::Position);
            if (!reply)
                return;
            if (print)
                Console::out(sendLine(*reply));
        }
    }
}

QString PortJob::sendLine(const Exchanged& e) const {
    QString line = QStringLiteral("%1  sent %2  echo %3  reply %4  status %5")
                       .arg(VisibleText::of(outcome.port.label), e.sent, VisibleText::of(e.echo),
                            VisibleText::of(e.reply), statusText(e.status));
    if (e.wantsPosition)
        line += QStringLiteral("  position ") + VisibleText::of(e.position);
    return line;
}

bool PortJob::pause(Session& session) const {
    for (int left = m_options.delayMs; !m_stop;) {
        qint16 slice = qint16(qMin<int>(left, PauseSlice));
        session.waiter.Attendi(slice);
        left -= slice;
        if (left <= 0)
            return true;
    }
    return false;
}

void PortJob::pos(Session& session) {
    const bool print = !m_options.json && !m_options.quiet;
    const int reads = m_options.count > 0 ? m_options.count : (m_options.watch ? -1 : 1);
    for (int done = 0; done != reads && !m_stop; ++done) {
        if (done > 0 && !pause(session))
            break;
        const auto reply = session.exchange(QStringLiteral("POS"), Tipo::Position);
        if (!reply)
            return;
        if (print)
            Console::out(QStringLiteral("%1  %2  position %3%4")
                             .arg(VisibleText::of(outcome.port.label),
                                  QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")),
                                  VisibleText::of(reply->position),
                                  reply->acknowledged
                                      ? QString()
                                      : QStringLiteral("  status ") + statusText(reply->status)));
        if (!reply->acknowledged)
            outcome.raise(ExitStatus::Refused,
                          QStringLiteral("POS ") + Programmer::refusal(*reply));
        outcome.position = reply->position;
        if (outcome.exchanges.size() > KeptReads)
            outcome.exchanges.removeFirst();
    }
}
