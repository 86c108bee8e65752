#include "service/PortSearch.h"

#include "link/CutOffPort.h"
#include "link/SearchTry.h"
#include "link/SerialError.h"
#include "link/TimerWait.h"
#include "platform/PortFailure.h"
#include "platform/PortMap.h"
#include "platform/QtSerialPort.h"
#include "service/ExchangeLog.h"
#include "service/SearchOrder.h"

#include <QDateTime>
#include <QElapsedTimer>

PortSearch::PortSearch(const PortRef& port, const QString& current, int flow,
                       const std::atomic_bool& stop, const std::atomic_bool& cut, ExchangeLog* log)
    : m_current(current), m_flow(flow), m_stop(stop), m_cut(cut), m_log(log) {
    result.port = port;
    result.device = PortMap::devicePath(port.number);
}

void PortSearch::run() {
    QtSerialPort port;
    try {
        port.setCommPort(result.port.number);
        port.setSettings(m_current);
        port.setHandshaking(m_flow);
        port.setRtsEnable(false);
        port.setPortOpen(true);
    } catch (const SerialError& e) {
        result.kind = SearchResult::Kind::CannotOpen;
        result.failure = e.description();
        return;
    }
    CutOffPort cutOff(port, m_cut, PortFailure::label(result.port.number, result.device));
    TimerWait waiter;
    search(cutOff, waiter);
    if (cutOff.cut())
        result.kind = SearchResult::Kind::Stopped;
    try {
        port.setPortOpen(false);
    } catch (const SerialError&) {
        // A port that failed has nothing more to tell.
    }
}

void PortSearch::search(SerialPort& port, Waiter& waiter) {
    for (const QString& settings : SearchOrder::settings(m_current)) {
        if (m_stop) {
            result.kind = SearchResult::Kind::Stopped;
            return;
        }
        if (tryAt(port, waiter, settings))
            return;
    }
    result.kind = SearchResult::Kind::NoAnswer;
}

bool PortSearch::tryAt(SerialPort& port, Waiter& waiter, const QString& settings) {
    try {
        port.setSettings(settings);
    } catch (const SerialError&) {
        return false; // a rate this device cannot take: nothing to try there
    }
    emit trying(result.port.label, settings);
    try {
        // A misread byte at the last settings may have been a DC3 holding output back.
        if (m_flow & int(Flow::XonXoff)) {
            port.setHandshaking(int(Flow::None));
            port.setHandshaking(m_flow);
        }
        const qint64 at = QDateTime::currentMSecsSinceEpoch();
        QElapsedTimer clock;
        clock.start();
        const SearchTry::Result answer = SearchTry::run(port, waiter);
        log(port, answer, at, clock.elapsed());
        ++result.tries;
        if (answer.acknowledged()) {
            result.kind = SearchResult::Kind::Found;
            result.settings = settings;
            result.position = answer.position;
            return true;
        }
        if (answer.verdict != SearchTry::Verdict::Answered)
            return false;
        // A right echo: these are the device's settings, whether it answers or not; the
        // settings after them would only wait for the same silence.
        result.kind =
            answer.reply.isEmpty() ? SearchResult::Kind::Silent : SearchResult::Kind::Refuses;
        result.settings = settings;
        result.reply = answer.reply;
        return true;
    } catch (const SerialError& e) {
        result.kind = SearchResult::Kind::Failed;
        result.failure = e.description();
        return true;
    }
}

void PortSearch::log(const SerialPort& port, const SearchTry::Result& answer, qint64 at,
                     qint64 ms) {
    if (!m_log)
        return;
    Exchanged tried;
    tried.sent = answer.sent;
    tried.echo = answer.echo;
    tried.reply = answer.reply;
    tried.acknowledged = answer.acknowledged();
    tried.status = answer.verdict == SearchTry::Verdict::WrongEcho ? QStringLiteral("wrong echo")
                                                                   : statusWord(answer.status);
    tried.wantsPosition = true;
    tried.position = answer.position;
    m_log->add({at,
                result.port.number,
                result.device,
                port.settings(),
                Flow(port.handshaking()),
                tried,
                {},
                ms});
}
